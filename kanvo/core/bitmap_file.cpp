#include "kanvo/core/bitmap_file.h"

namespace kanvo::core {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

constexpr std::uint32_t FileHeaderBytes = 14;
constexpr std::uint32_t InfoHeaderBytes = 40;

}  // namespace

std::uint32_t BitmapRowBytes(std::int32_t width, std::uint16_t bitsPerPixel) {
  return (static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

std::vector<std::uint8_t> EncodeBitmapFile(const BitmapImage& image) {
  const auto colors = static_cast<std::uint32_t>(image.Colors.size());
  const std::uint32_t offset = FileHeaderBytes + InfoHeaderBytes + 4 * colors;
  const auto pixelBytes = static_cast<std::uint32_t>(image.Pixels.size());
  std::vector<std::uint8_t> out;
  out.reserve(offset + pixelBytes);

  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + pixelBytes);
  Put32(out, 0);  // reserved
  Put32(out, offset);

  Put32(out, InfoHeaderBytes);
  Put32(out, static_cast<std::uint32_t>(image.Width));
  Put32(out, static_cast<std::uint32_t>(image.Height));
  Put16(out, 1);  // planes
  Put16(out, image.BitsPerPixel);
  Put32(out, 0);  // BI_RGB
  Put32(out, pixelBytes);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, colors);
  Put32(out, 0);  // all colours important

  for (std::uint32_t c : image.Colors) Put32(out, c & 0x00FFFFFF);
  out.insert(out.end(), image.Pixels.begin(), image.Pixels.end());
  return out;
}

}  // namespace kanvo::core
