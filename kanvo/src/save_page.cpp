// Saving a page as a bitmap file.
#include <cstdio>
#include <string>
#include <vector>

#include "kanvo/core/bitmap_file.h"
#include "kanvo/src/state.h"

namespace kanvo {
namespace {

// Copies the page under the lock, so the file is written without holding it.
std::vector<std::uint8_t> EncodePage(std::uint16_t page) {
  GraphicsLockGuard lock;
  GdiFlush();  // the pixel memory must hold every drawing made so far
  DIBSECTION dib{};
  if (GetObjectA(Graphics.Pages[page], sizeof dib, &dib) != sizeof dib) return {};

  std::uint32_t colors[256] = {};
  UINT colorCount = 0;
  if (dib.dsBmih.biBitCount <= 8) {
    // A bitmap can be selected into one context at a time: the drawn page is
    // in PageDC already, any other is lent to PatternDC for the read.
    static_assert(sizeof(RGBQUAD) == sizeof(std::uint32_t));
    auto* table = reinterpret_cast<RGBQUAD*>(colors);
    if (page == Graphics.DrawPage.load()) {
      colorCount = GetDIBColorTable(Graphics.PageDC, 0, 256, table);
    } else {
      HGDIOBJ old = SelectObject(Graphics.PatternDC, Graphics.Pages[page]);
      colorCount = GetDIBColorTable(Graphics.PatternDC, 0, 256, table);
      SelectObject(Graphics.PatternDC, old);
    }
  }
  const std::int32_t width = dib.dsBm.bmWidth;
  const std::int32_t height = dib.dsBm.bmHeight;
  const std::size_t pixelBytes =
      static_cast<std::size_t>(core::BitmapRowBytes(width, dib.dsBmih.biBitCount)) * height;
  core::BitmapImage image;
  image.Width = width;
  image.Height = height;
  image.BitsPerPixel = dib.dsBmih.biBitCount;
  image.Colors = {colors, colorCount};
  image.Pixels = {static_cast<const std::uint8_t*>(dib.dsBm.bmBits), pixelBytes};
  return core::EncodeBitmapFile(image);
}

bool WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  std::remove(name.c_str());
  return false;
}

}  // namespace

void SavePage(std::int16_t page, std::string_view fileName) {
  if (!BeginOperation()) return;
  if (page < 0 || page > 3) {
    SetStatus(StatusBadArgument);
    return;
  }
  const std::vector<std::uint8_t> bytes = EncodePage(static_cast<std::uint16_t>(page));
  if (bytes.empty() || !WriteFile(std::string(fileName), bytes)) SetStatus(StatusWriteFailed);
}

}  // namespace kanvo
