#include "image_file.h"

namespace texglobe {

namespace {
std::int32_t ReadInt32(std::span<const std::uint8_t, ImageHeaderSize> header, std::size_t at) {
  const std::uint32_t u = std::uint32_t{header[at]} | std::uint32_t{header[at + 1]} << 8 |
                          std::uint32_t{header[at + 2]} << 16 | std::uint32_t{header[at + 3]} << 24;
  return static_cast<std::int32_t>(u);
}
}  // namespace

ImageDims ReadImageDims(std::span<const std::uint8_t, ImageHeaderSize> header) {
  return {ReadInt32(header, 18), ReadInt32(header, 22)};
}

std::uint64_t PixelBytesNeeded(std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return 0;
  // At most (3 * (2^31 - 1) + 3) * (2^31 - 1) < 2^64: no overflow.
  const std::uint64_t rowBytes = (std::uint64_t(width) * 3 + 3) / 4 * 4;
  return rowBytes * std::uint64_t(height);
}

bool PixelAreaFits(ImageDims dims, std::uint64_t fileSize) {
  if (fileSize < ImageHeaderSize) return false;
  return PixelBytesNeeded(dims.ImageWidth, dims.ImageHeight) <= fileSize - ImageHeaderSize;
}

}  // namespace texglobe
