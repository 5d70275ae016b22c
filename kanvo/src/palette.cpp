// Palettes, the pages' colour table and the named colours.
#include "kanvo/core/palette_tables.h"
#include "kanvo/src/state.h"

namespace kanvo {
namespace {

// A logical palette of up to 256 entries in one block, as CreatePalette
// expects it.
struct LogicalPalette {
  WORD Version = 0x300;
  WORD Count = 0;
  PALETTEENTRY Entries[256] = {};
};

LOGPALETTE* AsLogPalette(LogicalPalette& palette) {
  return reinterpret_cast<LOGPALETTE*>(&palette);
}

}  // namespace

ColorValue NamedColor[256];

void ReadStandardPalette(PaletteRecord& pal) {
  pal.count = Graphics.PaletteMode.load() ? Graphics.ColorCount : 256;
  for (std::uint16_t i = 0; i < pal.count; ++i) pal.colors[i] = core::StandardPalette[i];
  if (Graphics.Driver == 1) {
    pal.colors[0] = core::Rgb(0, 0, 0);
    pal.colors[1] = core::Rgb(255, 255, 255);
  }
}

void ApplyPalette(const PaletteRecord& pal) {
  if (!BeginOperation()) return;
  if (!Graphics.PaletteMode.load()) {
    SetStatus(StatusNotPaletteMode);
    return;
  }
  // Without entry 0 there is nothing to fill the table's unused entries with.
  if (pal.count == 0 || pal.count > Graphics.ColorCount) {
    SetStatus(StatusBadArgument);
    return;
  }

  PALETTEENTRY entries[256] = {};
  for (std::uint16_t i = 0; i < pal.count; ++i) {
    const std::uint32_t c = pal.colors[i];
    entries[i].peRed = static_cast<BYTE>(c);
    entries[i].peGreen = static_cast<BYTE>(c >> 8);
    entries[i].peBlue = static_cast<BYTE>(c >> 16);
    Graphics.ColorTable[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  for (std::uint16_t i = pal.count; i < Graphics.ColorCount; ++i) {
    Graphics.ColorTable[i] = Graphics.ColorTable[0];
  }

  {
    GraphicsLockGuard lock;
    ResizePalette(Graphics.CurrentPalette, pal.count);
    SetPaletteEntries(Graphics.CurrentPalette, 0, pal.count, entries);
    SetDIBColorTable(Graphics.PageDC, 0, Graphics.ColorCount, Graphics.ColorTable);
    RemapNamedColors();
    RealizePalette(Graphics.WindowDC);
    RealizePalette(Graphics.PageDC);
    RealizePalette(Graphics.PatternDC);
  }
  InvalidateRect(Graphics.WindowHandle.load(), nullptr, FALSE);
  Graphics.AppliedColorCount = pal.count;
}

void CreateModePalette() {
  LogicalPalette palette;
  palette.Count = Graphics.ColorCount;
  Graphics.CurrentPalette = CreatePalette(AsLogPalette(palette));
}

void CopyNamedColors() {
  for (int n = 0; n < 256; ++n) NamedColor[n] = core::NamedColorRGB[n];
}

void RemapNamedColors() {
  for (int n = 0; n < 256; ++n) {
    NamedColor[n] = GetNearestPaletteIndex(Graphics.CurrentPalette, core::NamedColorRGB[n]);
  }
}

// The named colours are one array, so their numbers need no binding; the
// start-up gives them and the applied count their values before any opening.
void InitNamedColors() {
  for (ColorValue& color : NamedColor) color = 0;
  Graphics.AppliedColorCount = 0;
}

}  // namespace kanvo
