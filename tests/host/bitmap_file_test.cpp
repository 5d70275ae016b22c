#include <doctest/doctest.h>

#include <array>

#include "kanvo/core/bitmap_file.h"

using namespace kanvo::core;

namespace {
std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
}  // namespace

TEST_CASE("row bytes are padded to four") {
  struct Case {
    std::int32_t width;
    std::uint16_t bits;
    std::uint32_t bytes;
  };
  const Case cases[] = {{1, 1, 4},   {32, 1, 4},  {33, 1, 8},  {7, 4, 4},    {9, 4, 8},
                        {3, 8, 4},   {5, 8, 8},   {3, 24, 12}, {640, 8, 640}, {3, 32, 12}};
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.bits);
    CHECK(BitmapRowBytes(c.width, c.bits) == c.bytes);
  }
}

TEST_CASE("an 8-bit image with a colour table") {
  const std::array<std::uint32_t, 2> colors = {0x00000000, 0xFF0000FF};  // reserved byte dropped
  // 3 x 2 pixels, rows of 4 bytes, bottom row first
  const std::array<std::uint8_t, 8> pixels = {1, 0, 1, 0, 0, 1, 0, 0};
  const auto file = EncodeBitmapFile({3, 2, 8, colors, pixels});
  REQUIRE(file.size() == 14 + 40 + 8 + 8);
  CHECK(file[0] == 'B');
  CHECK(file[1] == 'M');
  CHECK(Read32(file, 2) == file.size());
  CHECK(Read32(file, 10) == 14 + 40 + 8);  // pixel offset
  CHECK(Read32(file, 14) == 40);
  CHECK(Read32(file, 18) == 3);
  CHECK(Read32(file, 22) == 2);
  CHECK(Read16(file, 26) == 1);
  CHECK(Read16(file, 28) == 8);
  CHECK(Read32(file, 30) == 0);
  CHECK(Read32(file, 34) == 8);
  CHECK(Read32(file, 46) == 2);
  CHECK(Read32(file, 54) == 0);
  CHECK(Read32(file, 58) == 0x000000FF);
  for (std::size_t i = 0; i < pixels.size(); ++i) CHECK(file[62 + i] == pixels[i]);
}

TEST_CASE("a direct-colour image has no colour table") {
  const std::array<std::uint8_t, 4> pixel = {1, 2, 3, 0};
  const auto file = EncodeBitmapFile({1, 1, 32, {}, pixel});
  REQUIRE(file.size() == 14 + 40 + 4);
  CHECK(Read32(file, 10) == 54);
  CHECK(Read16(file, 28) == 32);
  CHECK(Read32(file, 46) == 0);
  CHECK(file[54] == 1);
  CHECK(file[56] == 3);
}
