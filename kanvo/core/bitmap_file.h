// Windows bitmap files: the bytes of an uncompressed bitmap with its header
// and colour table. Pure, so it can be tested without a window.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kanvo::core {

struct BitmapImage {
  std::int32_t Width = 0;
  std::int32_t Height = 0;    // rows stored bottom-up, as in a DIB
  std::uint16_t BitsPerPixel = 0;
  std::span<const std::uint32_t> Colors;  // RGBQUAD words: blue in the low byte
  std::span<const std::uint8_t> Pixels;   // Height rows of RowBytes bytes
};

// Bytes per stored row: rows are padded to a multiple of four bytes.
std::uint32_t BitmapRowBytes(std::int32_t width, std::uint16_t bitsPerPixel);

// The whole file: BITMAPFILEHEADER, BITMAPINFOHEADER, colour table, pixels.
std::vector<std::uint8_t> EncodeBitmapFile(const BitmapImage& image);

}  // namespace kanvo::core
