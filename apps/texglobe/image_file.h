// What texglobe reads from the head of "earth.bmp" and how many bytes its
// pixels need. Pure: the program does the file and OpenGL calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace texglobe {

// The file header and the information header of a Windows bitmap; the pixels
// start right after them.
inline constexpr std::size_t ImageHeaderSize = 54;

struct ImageDims {
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;  // negative for a top-down bitmap
};

// Width from bytes 18..21, height from bytes 22..25, little-endian, each read
// as a signed 32-bit value.
ImageDims ReadImageDims(std::span<const std::uint8_t, ImageHeaderSize> header);

// Bytes that OpenGL reads for a width x height picture of 3-byte pixels whose
// rows are padded to 4 bytes; 0 when width or height is not positive, since
// then no pixel is read. Exact for every 32-bit width and height.
std::uint64_t PixelBytesNeeded(std::int32_t width, std::int32_t height);

// True when a file of fileSize bytes holds the header and every pixel byte
// the dimensions ask for.
bool PixelAreaFits(ImageDims dims, std::uint64_t fileSize);

}  // namespace texglobe
