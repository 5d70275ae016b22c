// Window size, style and colour depth from a driver and a mode number.
// Pure: the caller supplies the screen and frame metrics.
#pragma once
#include <cstdint>

namespace kanvo::core {

// The two window styles: a captioned window with system menu and minimise
// box, or a frameless pop-up when only the client area fits the screen.
inline constexpr std::uint32_t CaptionedStyle = 0x00CA0000;
inline constexpr std::uint32_t PopupStyle = 0x80000000;

// What the system reports about the screen and the window frame.
struct ScreenMetrics {
  std::int32_t ScreenWidth = 0, ScreenHeight = 0;
  std::int32_t DlgFrameX = 0, DlgFrameY = 0, CaptionY = 0;
  std::int32_t DesktopBits = 0;  // only read for driver 9
};

// The fields that opening derives; on failure the ones not yet reached keep
// their previous values, as they do in the library's state.
struct WindowGeometry {
  std::int32_t WindowWidth = 0, WindowHeight = 0;
  std::uint32_t WindowStyle = 0;
  std::uint8_t BitsPerPixel = 0;
  bool PaletteMode = false;
  std::uint16_t ColorCount = 0;
};

// Returns 0, -3 (mode unknown or nothing fits; the driver is not looked at)
// or -2 (driver unknown; size and style are already stored).
std::int16_t ComputeWindowGeometry(std::int16_t driver, std::int16_t mode,
                                   std::int32_t customWidth, std::int32_t customHeight,
                                   const ScreenMetrics& metrics, WindowGeometry& out);

struct WindowPlacement {
  std::int32_t X, Y, Width, Height;
};

// Centres a window of the given outer size; a width of 0 leaves position and
// size to the system (every field CW_USEDEFAULT, 0x80000000).
WindowPlacement PlaceWindow(std::int32_t screenWidth, std::int32_t screenHeight,
                            std::int32_t windowWidth, std::int32_t windowHeight);

}  // namespace kanvo::core
