// kanvo keyboard module: the graphics window's key messages as a byte stream.
// An ordinary character is one byte; a special key is 0 followed by its code;
// the close button and Alt+F4 give 0, 107. At most 31 bytes wait; when more
// arrive the oldest entry is dropped.
#pragma once

#include <cstdint>

namespace kanvo {

inline constexpr std::uint8_t ExtendedPrefix = 0;
inline constexpr std::uint8_t CloseKeyCode = 107;

// The oldest queued byte, waiting (in 10 ms steps) for one; 0 at once when
// the graphics window is not open.
std::uint8_t WaitKey();

// True when at least one byte is queued.
bool KeyAvailable();

}  // namespace kanvo
