#include <doctest/doctest.h>

#include <array>
#include <cstdint>

#include "apps/texglobe/image_file.h"

using namespace texglobe;

namespace {
std::array<std::uint8_t, ImageHeaderSize> Header(std::uint32_t width, std::uint32_t height) {
  std::array<std::uint8_t, ImageHeaderSize> h{};
  h[0] = 'B';
  h[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    h[18 + i] = static_cast<std::uint8_t>(width >> (8 * i));
    h[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
  }
  return h;
}
}  // namespace

TEST_CASE("width and height come from bytes 18..25 as signed little-endian values") {
  struct Case {
    std::uint32_t width, height;
    std::int32_t wantWidth, wantHeight;
  };
  const Case cases[] = {
      {1024, 512, 1024, 512},
      {3, 2, 3, 2},
      {0x01020304, 0x0A0B0C0D, 0x01020304, 0x0A0B0C0D},  // every byte in its place
      {640, 0xFFFFFE00, 640, -512},                      // top-down bitmap
      {0x80000000, 0x7FFFFFFF, INT32_MIN, INT32_MAX},
      {0xFFFFFFFF, 0, -1, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.height);
    const auto header = Header(c.width, c.height);
    const ImageDims d = ReadImageDims(header);
    CHECK(d.ImageWidth == c.wantWidth);
    CHECK(d.ImageHeight == c.wantHeight);
  }
}

TEST_CASE("bytes around the size fields do not leak into them") {
  std::array<std::uint8_t, ImageHeaderSize> h;
  h.fill(0xFF);
  for (int i = 18; i < 26; ++i) h[i] = 0;
  h[18] = 7;
  h[22] = 9;
  const ImageDims d = ReadImageDims(h);
  CHECK(d.ImageWidth == 7);
  CHECK(d.ImageHeight == 9);
}

TEST_CASE("pixel bytes needed: 3-byte pixels, rows padded to 4 bytes") {
  struct Case {
    std::int32_t width, height;
    std::uint64_t bytes;
  };
  const Case cases[] = {
      {3, 2, 24},  // 9 pixel bytes and 3 padding bytes a row
      {1, 1, 4},
      {2, 2, 16},
      {4, 1, 12},
      {5, 3, 48},
      {1024, 512, 1024 * 3 * 512},
      {0, 5, 0},  // nothing is read for an empty or top-down picture
      {5, 0, 0},
      {-3, 2, 0},
      {3, -2, 0},
      {INT32_MIN, INT32_MIN, 0},
      // the largest sizes still come out exact, far beyond 32 bits
      {INT32_MAX, 1, 6442450944},
      {INT32_MAX, INT32_MAX, 6442450944ULL * 2147483647ULL},
      {1, INT32_MAX, 4ULL * 2147483647ULL},
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.height);
    CHECK(PixelBytesNeeded(c.width, c.height) == c.bytes);
  }
}

TEST_CASE("a file fits when it holds the header and every padded row") {
  struct Case {
    std::int32_t width, height;
    std::uint64_t fileSize;
    bool fits;
  };
  const Case cases[] = {
      {3, 2, 54 + 24, true},
      {3, 2, 54 + 24 + 100, true},  // trailing bytes are harmless
      {3, 2, 54 + 23, false},       // last row's padding missing
      {3, 2, 54 + 12, false},       // one row only
      {1024, 512, 1572918, true},
      {1024, 512, 1572917, false},
      {3, 2, 54, false},
      {0, 0, 54, true},  // nothing to read: OpenGL refuses the size itself
      {640, -480, 54, true},
      {3, 2, 53, false},  // not even a header
      {0, 0, 0, false},
      // sizes whose product wraps in 32 or 64 bits must not slip through
      {INT32_MAX, INT32_MAX, UINT64_MAX, true},
      {INT32_MAX, INT32_MAX, 6442450944ULL * 2147483647ULL + 53, false},
      {0x10000, 0x10000, 54 + 0x10000ULL * 3 * 0x10000 - 1, false},
      {0x10000, 0x10000, 1000000, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.width);
    CAPTURE(c.height);
    CAPTURE(c.fileSize);
    CHECK(PixelAreaFits({c.width, c.height}, c.fileSize) == c.fits);
  }
}
