// Fuzzer of texglobe's "earth.bmp" header and size handling. The input is the
// whole file. Invariants checked:
// - the width and height are the little-endian signed values at bytes 18 and
//   22;
// - PixelBytesNeeded equals rows padded to 4 bytes times the height, worked
//   out here in 128-bit arithmetic, and 0 for a width or height below 1;
// - PixelAreaFits says yes exactly when the header and those bytes fit in the
//   file, for the input's own size and for sizes taken from the input;
// - when it says yes, every pixel byte that OpenGL would read (3 bytes a pixel,
//   rows 4-byte aligned) lies inside the file: each is read here, so that
//   AddressSanitizer reports a read beyond the block.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "apps/texglobe/image_file.h"

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

std::int32_t LittleEndian32(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = u << 8 | p[i];
  std::int32_t s;
  std::memcpy(&s, &u, sizeof s);
  return s;
}

unsigned __int128 Needed(std::int32_t width, std::int32_t height) {
  if (width < 1 || height < 1) return 0;
  const unsigned __int128 row = (static_cast<unsigned __int128>(width) * 3 + 3) / 4 * 4;
  return row * static_cast<unsigned __int128>(height);
}

// Keeps the pixel reads from being optimised away.
volatile unsigned Sink;

bool Fits(texglobe::ImageDims dims, std::uint64_t fileSize) {
  return fileSize >= texglobe::ImageHeaderSize &&
         Needed(dims.ImageWidth, dims.ImageHeight) <= fileSize - texglobe::ImageHeaderSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A short file stops the program before these checks run.
  if (size < texglobe::ImageHeaderSize) return 0;
  std::vector<std::uint8_t> file(data, data + size);

  const std::span<const std::uint8_t, texglobe::ImageHeaderSize> header(
      file.data(), texglobe::ImageHeaderSize);
  const texglobe::ImageDims dims = texglobe::ReadImageDims(header);
  Require(dims.ImageWidth == LittleEndian32(&file[18]), "width is not bytes 18..21");
  Require(dims.ImageHeight == LittleEndian32(&file[22]), "height is not bytes 22..25");

  const std::uint64_t needed = texglobe::PixelBytesNeeded(dims.ImageWidth, dims.ImageHeight);
  Require(needed == Needed(dims.ImageWidth, dims.ImageHeight), "wrong pixel byte count");

  // Sizes near the count, and one from the file's first eight bytes, test the
  // size check at its edges.
  std::uint64_t taken;
  std::memcpy(&taken, file.data(), sizeof taken);
  const std::uint64_t sizes[] = {size, taken, needed + texglobe::ImageHeaderSize,
                                 needed + texglobe::ImageHeaderSize - 1, 0};
  for (const std::uint64_t s : sizes)
    Require(texglobe::PixelAreaFits(dims, s) == Fits(dims, s), "wrong answer of PixelAreaFits");

  if (texglobe::PixelAreaFits(dims, size) && needed > 0) {
    const std::size_t row = (static_cast<std::size_t>(dims.ImageWidth) * 3 + 3) / 4 * 4;
    const std::uint8_t* pixels = file.data() + texglobe::ImageHeaderSize;
    unsigned sum = 0;
    for (std::int32_t y = 0; y < dims.ImageHeight; ++y)
      for (std::size_t x = 0; x < static_cast<std::size_t>(dims.ImageWidth) * 3; ++x)
        sum += pixels[y * row + x];
    Sink = sum;
  }
  return 0;
}
