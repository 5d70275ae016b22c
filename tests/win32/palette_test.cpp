// Palette modes: colour mapping, the standard palette, ApplyPalette, the named
// colours and the pages' colour tables, read back from the page bits.
#include <array>
#include <vector>

#include "kanvo/core/palette_tables.h"
#include "support.h"

using namespace kanvo;
using namespace test::colors;

namespace {

// The palette index of a pixel of the DrawPage, from the DIB section's own
// bits (rows bottom-up, the leftmost pixel in the high bits).
int PageIndex(int x, int y) {
  GraphicsLockGuard lock;
  GdiFlush();
  DIBSECTION dib{};
  REQUIRE(GetObjectA(Graphics.Pages[Graphics.DrawPage.load()], sizeof dib, &dib) == sizeof dib);
  const BITMAP& bm = dib.dsBm;
  const int stride = (bm.bmWidth * bm.bmBitsPixel + 31) / 32 * 4;
  const auto* row = static_cast<const std::uint8_t*>(bm.bmBits) + (bm.bmHeight - 1 - y) * stride;
  switch (bm.bmBitsPixel) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0xF;
    default:
      return row[x];
  }
}

// The colour table of a page. A bitmap is selected into one context at a
// time: the DrawPage is read through the page context, the others through a
// context of their own.
std::vector<COLORREF> PageColorTable(int page) {
  GraphicsLockGuard lock;
  RGBQUAD table[256]{};
  UINT n = 0;
  if (page == Graphics.DrawPage.load()) {
    n = GetDIBColorTable(Graphics.PageDC, 0, 256, table);
  } else {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Graphics.Pages[page]);
    n = GetDIBColorTable(dc, 0, 256, table);
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  REQUIRE(n == Graphics.ColorCount);
  std::vector<COLORREF> colors;
  for (UINT i = 0; i < n; ++i) {
    colors.push_back(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
  }
  return colors;
}

std::vector<COLORREF> LibraryColorTable() {
  std::vector<COLORREF> colors;
  for (int i = 0; i < Graphics.ColorCount; ++i) {
    const RGBQUAD& q = Graphics.ColorTable[i];
    CHECK(q.rgbReserved == 0);
    colors.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
  }
  return colors;
}

std::vector<COLORREF> LogicalPaletteEntries() {
  WORD count = 0;
  GetObjectA(Graphics.CurrentPalette, sizeof count, &count);
  std::vector<PALETTEENTRY> entries(count);
  GetPaletteEntries(Graphics.CurrentPalette, 0, count, entries.data());
  std::vector<COLORREF> colors;
  for (const PALETTEENTRY& e : entries) colors.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
  return colors;
}

std::vector<COLORREF> Standard(int count) {
  return {core::StandardPalette.begin(), core::StandardPalette.begin() + count};
}

std::vector<ColorValue> NamedColors() { return {NamedColor, NamedColor + 256}; }

// The first entry at the least squared distance: how the platform picks the
// nearest palette index.
ColorValue Nearest(const std::vector<COLORREF>& palette, COLORREF c) {
  ColorValue best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int r = GetRValue(palette[i]) - GetRValue(c), g = GetGValue(palette[i]) - GetGValue(c),
              b = GetBValue(palette[i]) - GetBValue(c);
    if (r * r + g * g + b * b < bestDistance) {
      bestDistance = r * r + g * g + b * b;
      best = static_cast<ColorValue>(i);
    }
  }
  return best;
}

PaletteRecord Record(std::initializer_list<std::uint32_t> colors) {
  PaletteRecord pal;
  pal.count = static_cast<std::uint16_t>(colors.size());
  std::copy(colors.begin(), colors.end(), pal.colors.begin());
  return pal;
}

}  // namespace

TEST_CASE("MapColor reduces palette indices by the applied count") {
  struct Case {
    std::int16_t driver;
    ColorValue color, mapped;
  };
  const Case cases[] = {
      {9, 17, 17},
      {9, 0xFFFFFF, 0xFFFFFF},
      {2, 17, 0x1000001},
      {2, 0xFFFFFF, 0x100000F},
      {2, 12, 0x100000C},
      {1, 3, 0x1000001},
      {1, 0xFFFFFF, 0x1000001},
      {1, 4, 0x1000000},
      {3, 300, 0x100002C},
      {3, 0xFFFFFF, 0x10000FF},
  };
  for (const Case& c : cases) {
    CAPTURE(c.driver);
    CAPTURE(c.color);
    test::OpenWindow window(c.driver, 4);
    CHECK(MapColor(c.color) == c.mapped);
    PlotPixel(10, 10, c.color);
    COLORREF shown = c.color;
    if (c.driver != 9) {
      PaletteRecord standard;
      ReadStandardPalette(standard);
      shown = standard.colors[c.mapped & 0xFF];
      // The page stores the index itself where its colour occurs only there.
      if (c.driver != 3) CHECK(PageIndex(10, 10) == static_cast<int>(c.mapped & 0xFF));
    }
    CHECK(test::PagePixel(10, 10) == shown);
    CHECK(test::WindowPixel(10, 10) == shown);
  }
}

TEST_CASE("opening loads the standard palette and the named colours") {
  SUBCASE("palette modes") {
    struct Case {
      std::int16_t driver;
      std::vector<COLORREF> palette;
    };
    std::vector<COLORREF> two = {Black, White};
    const Case cases[] = {{1, two}, {2, Standard(16)}, {3, Standard(256)}};
    for (const Case& c : cases) {
      CAPTURE(c.driver);
      test::OpenWindow window(c.driver, 4);
      CHECK(Graphics.AppliedColorCount == c.palette.size());
      CHECK(LogicalPaletteEntries() == c.palette);
      CHECK(LibraryColorTable() == c.palette);
      CHECK(PageColorTable(0) == c.palette);
      CHECK(NamedColor[12] == 0);
      for (int n = 0; n < 256; ++n) {
        CAPTURE(n);
        CHECK(NamedColor[n] == Nearest(c.palette, core::NamedColorRGB[n]));
      }
    }
  }

  SUBCASE("16 colours: white is 15, black 0") {
    test::OpenWindow window(2, 4);
    CHECK(NamedColor[250] == 15);
    CHECK(NamedColor[12] == 0);
    CHECK(NamedColor[15] == 1);  // 0/0/255 is nearest to 0/0/168
  }

  SUBCASE("direct colour: the RGB values themselves") {
    test::OpenWindow window(9, 4);
    CHECK(NamedColor[250] == White);
    CHECK(NamedColor[12] == Black);
    CHECK(NamedColor[15] == Blue);
    CHECK(NamedColor[105] == RGB(0, 128, 0));
    CHECK(NamedColor[128] == RGB(144, 238, 144));
    CHECK(NamedColors() ==
          std::vector<ColorValue>(core::NamedColorRGB.begin(), core::NamedColorRGB.end()));
  }
}

TEST_CASE("ReadStandardPalette gives the current mode's start palette") {
  struct Case {
    std::int16_t driver;
    std::uint16_t count;
  };
  for (const Case& c : {Case{1, 2}, Case{2, 16}, Case{3, 256}, Case{9, 256}}) {
    CAPTURE(c.driver);
    std::vector<COLORREF> expected = Standard(c.count);
    if (c.driver == 1) expected = {Black, White};
    {
      test::OpenWindow window(c.driver, 4);
      SetStatus(StatusBadArgument);
      PaletteRecord pal;
      pal.colors.fill(0xABCDEF);
      ReadStandardPalette(pal);
      CHECK(LastStatus() == StatusBadArgument);
      REQUIRE(pal.count == c.count);
      CHECK(std::vector<COLORREF>(pal.colors.begin(), pal.colors.begin() + c.count) == expected);
      if (c.count < 256) CHECK(pal.colors[c.count] == 0xABCDEF);  // left unwritten
    }
    // Closed: the whole list, with the two-colour rule of the last opening.
    PaletteRecord closed;
    ReadStandardPalette(closed);
    REQUIRE(closed.count == 256);
    CHECK(closed.colors[0] == Black);
    CHECK(closed.colors[1] == (c.driver == 1 ? White : core::StandardPalette[1]));
    CHECK(closed.colors[2] == core::StandardPalette[2]);
    CHECK(closed.colors[255] == core::StandardPalette[255]);
  }
}

TEST_CASE("ApplyPalette refusals change nothing") {
  SUBCASE("more entries than the mode has, or none") {
    test::OpenWindow window(2, 4);
    const auto palette = LogicalPaletteEntries();
    const auto table = LibraryColorTable();
    const auto named = NamedColors();
    PaletteRecord tooMany;
    tooMany.count = 17;
    tooMany.colors.fill(Red);
    PaletteRecord empty;
    empty.count = 0;
    empty.colors.fill(Red);
    for (const PaletteRecord* pal : {&tooMany, &empty}) {
      CAPTURE(pal->count);
      ApplyPalette(*pal);
      CHECK(LastStatus() == StatusBadArgument);
      CHECK(LogicalPaletteEntries() == palette);
      CHECK(LibraryColorTable() == table);
      CHECK(PageColorTable(0) == table);
      CHECK(NamedColors() == named);
      CHECK(Graphics.AppliedColorCount == 16);
    }
  }

  SUBCASE("direct colour") {
    test::OpenWindow window(9, 4);
    ApplyPalette(Record({Red}));
    CHECK(LastStatus() == StatusNotPaletteMode);
    CHECK(NamedColor[250] == White);
    CHECK(MapColor(5) == 5);
  }

  SUBCASE("closed") {
    { test::OpenWindow window(2, 4); }
    const auto named = NamedColors();
    ApplyPalette(Record({Red, Green}));
    CHECK(LastStatus() == StatusNotOpen);
    CHECK(NamedColors() == named);
    CHECK(Graphics.AppliedColorCount == 16);
  }
}

TEST_CASE("ApplyPalette with fewer entries than the mode has") {
  test::OpenWindow window(2, 4);
  HWND w = window.Window();
  PlotPixel(20, 20, 2);
  // Bits 24 to 31 are not part of the colour.
  ApplyPalette(Record({0xAB000000 | Red, 0x01000000 | Green, Blue, 0xFF000000 | White}));
  CHECK(LastStatus() == StatusOk);
  CHECK(Graphics.AppliedColorCount == 4);

  const std::vector<COLORREF> four = {Red, Green, Blue, White};
  CHECK(LogicalPaletteEntries() == four);
  std::vector<COLORREF> table = four;
  table.resize(16, Red);  // the unused entries take entry 0's colour
  CHECK(LibraryColorTable() == table);
  CHECK(PageColorTable(0) == table);

  for (int n = 0; n < 256; ++n) {
    CAPTURE(n);
    CHECK(NamedColor[n] <= 3);
    CHECK(NamedColor[n] == Nearest(four, core::NamedColorRGB[n]));
  }
  CHECK(NamedColor[15] == 2);
  CHECK(NamedColor[250] == 3);

  CHECK(MapColor(5) == 0x1000001);
  PlotPixel(30, 20, 5);
  CHECK(PageIndex(30, 20) == 1);
  CHECK(test::PagePixel(30, 20) == Green);

  // The page keeps its indices and shows them in the new colours, the window
  // after its repaint.
  CHECK(PageIndex(20, 20) == 2);
  test::Repaint(w);
  CHECK(test::WindowPixel(20, 20) == Blue);
  CHECK(test::WindowPixel(100, 100) == Red);
}

TEST_CASE("other pages take the colours when they next become the DrawPage") {
  test::OpenWindow window(2, 4);
  HWND w = window.Window();
  PaletteRecord pal;
  ReadStandardPalette(pal);
  pal.colors[0] = Red;
  ApplyPalette(pal);
  test::Repaint(w);
  CHECK(test::WindowPixel(5, 5) == Red);

  // A page that was never the DrawPage has an all-black colour table.
  CHECK(PageColorTable(1) == std::vector<COLORREF>(16, Black));
  SetShowPage(1);
  test::Repaint(w);
  CHECK(test::WindowPixel(5, 5) == Black);

  SetDrawPage(1);
  CHECK(PageColorTable(1) == LibraryColorTable());
  CHECK(PageColorTable(2) == std::vector<COLORREF>(16, Black));
  SetShowPage(1);
  test::Repaint(w);
  CHECK(test::WindowPixel(5, 5) == Red);

  // A palette applied now reaches page 1 only; page 0 keeps the older one.
  pal.colors[0] = Green;
  ApplyPalette(pal);
  CHECK(PageColorTable(1)[0] == Green);
  CHECK(PageColorTable(0)[0] == Red);
  SetShowPage(0);
  test::Repaint(w);
  CHECK(test::WindowPixel(5, 5) == Red);
}
