// Brushes, arcs, filled boxes, flood fills and clearing, read back from the
// page and the window.
#include <array>
#include <vector>

#include "support.h"

using namespace kanvo;
using namespace test::colors;

namespace {

struct Pixel {
  int x, y;
  bool operator==(const Pixel&) const = default;
};

// The page pixels in the rectangle (corners included) that are not black.
std::vector<Pixel> LitPixels(int x0, int y0, int x1, int y1) {
  std::vector<Pixel> lit;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      if (test::PagePixel(x, y) != Black) lit.push_back({x, y});
    }
  }
  return lit;
}

bool Contains(const std::vector<Pixel>& pixels, Pixel p) {
  for (const Pixel& q : pixels) {
    if (q == p) return true;
  }
  return false;
}

// The bounds of a set of pixels.
struct Bounds {
  int left = 1 << 30, top = 1 << 30, right = -(1 << 30), bottom = -(1 << 30);
};
Bounds BoundsOf(const std::vector<Pixel>& pixels) {
  Bounds b;
  for (const Pixel& p : pixels) {
    b.left = std::min(b.left, p.x);
    b.top = std::min(b.top, p.y);
    b.right = std::max(b.right, p.x);
    b.bottom = std::max(b.bottom, p.y);
  }
  return b;
}

LOGBRUSH SelectedBrush(HDC dc) { return test::SelectedObject<LOGBRUSH>(dc, OBJ_BRUSH); }

// The pixels of the pattern bitmap, row by row.
std::array<COLORREF, 64> PatternPixels() {
  std::array<COLORREF, 64> pixels{};
  GraphicsLockGuard lock;
  SelectObject(Graphics.PatternDC, Graphics.PatternBitmap);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixels[y * 8 + x] = GetPixel(Graphics.PatternDC, x, y);
  }
  SelectObject(Graphics.PatternDC, Graphics.SavedBitmap);
  return pixels;
}

// Draws the outline of the rectangle with the current pen.
void Outline(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  MovePen(x1, y1);
  DrawLineTo(x2, y1);
  DrawLineTo(x2, y2);
  DrawLineTo(x1, y2);
  DrawLineTo(x1, y1);
}

}  // namespace

TEST_CASE("the default brush is solid white") {
  test::OpenWindow window;
  CHECK(Graphics.BrushStyle == 1);
  CHECK(Graphics.BrushColor == NamedColor[250]);
  CHECK(Graphics.FloodKind == FLOODFILLBORDER);
  REQUIRE(Graphics.PatternBitmap != nullptr);
  for (COLORREF c : PatternPixels()) CHECK(c == White);
  FillBox(10, 10, 12, 12);
  CHECK(test::PagePixel(11, 11) == White);
  CHECK(test::WindowPixel(11, 11) == White);
}

TEST_CASE("brush styles") {
  test::OpenWindow window;

  struct Case {
    std::uint16_t style;
    UINT brushStyle;
    ULONG_PTR hatch;
  };
  const Case cases[] = {
      {1, BS_SOLID, 0},
      {2, BS_HATCHED, HS_HORIZONTAL},
      {3, BS_HATCHED, HS_VERTICAL},
      {4, BS_HATCHED, HS_CROSS},
      {5, BS_HATCHED, HS_BDIAGONAL},
      {6, BS_HATCHED, HS_FDIAGONAL},
      {7, BS_HATCHED, HS_DIAGCROSS},
      {8, BS_PATTERN, 0},
      {9, BS_HOLLOW, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.style);
    SetBrushStyle(c.style, Red);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.BrushStyle == c.style);
    CHECK(Graphics.BrushColor == Red);
    for (HDC dc : {Graphics.WindowDC, Graphics.PageDC}) {
      CHECK(GetCurrentObject(dc, OBJ_BRUSH) == Graphics.CurrentBrush);
      const LOGBRUSH b = SelectedBrush(dc);
      CHECK(b.lbStyle == c.brushStyle);
      if (c.brushStyle == BS_HATCHED) CHECK(b.lbHatch == c.hatch);
      if (c.brushStyle == BS_SOLID || c.brushStyle == BS_HATCHED) CHECK(b.lbColor == Red);
    }
  }

  SUBCASE("style 0 is solid in the background colour, whatever the colour asked") {
    SetBackColor(Green);
    SetBrushStyle(0, Red);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.BrushStyle == 0);
    CHECK(Graphics.BrushColor == Green);
    CHECK(SelectedBrush(Graphics.PageDC).lbColor == Green);
    FillBox(20, 20, 22, 22);
    CHECK(test::PagePixel(21, 21) == Green);
  }
  SUBCASE("a style past 9 is refused and keeps the brush") {
    SetBrushStyle(1, Blue);
    HBRUSH before = Graphics.CurrentBrush;
    for (std::uint16_t style : {10, 11, 0xFFFF}) {
      CAPTURE(style);
      SetBrushStyle(style, Red);
      CHECK(LastStatus() == StatusBadArgument);
      CHECK(Graphics.BrushStyle == 1);
      CHECK(Graphics.BrushColor == Blue);
      CHECK(Graphics.CurrentBrush == before);
      CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BRUSH) == before);
      CHECK(GetCurrentObject(Graphics.WindowDC, OBJ_BRUSH) == before);
    }
    FillBox(20, 20, 22, 22);
    CHECK(test::PagePixel(21, 21) == Blue);
  }
  SUBCASE("a replaced brush is deleted") {
    SetBrushStyle(4, Red);  // not a stock object, as a hollow brush is
    HBRUSH before = Graphics.CurrentBrush;
    SetBrushStyle(1, Blue);
    CHECK(GetObjectType(before) == 0);
  }
}

TEST_CASE("pattern bits") {
  test::OpenWindow window;
  SetBackColor(Blue);
  SetBrushBits({128, 0, 0, 0, 0, 0, 0, 1}, Red);
  CHECK(LastStatus() == StatusOk);
  CHECK(Graphics.BrushStyle == 8);
  CHECK(Graphics.BrushColor == Red);

  const auto pixels = PatternPixels();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      CAPTURE(x);
      CAPTURE(y);
      const bool set = (x == 0 && y == 0) || (x == 7 && y == 7);
      CHECK(pixels[y * 8 + x] == (set ? Red : Blue));
    }
  }

  // the brush repeats the pattern; a later background colour leaves it alone
  SetBackColor(Green);
  FillBox(0, 0, 15, 15);
  for (Pixel p : {Pixel{0, 0}, Pixel{7, 7}, Pixel{8, 8}, Pixel{15, 15}, Pixel{8, 0}}) {
    CAPTURE(p.x);
    CAPTURE(p.y);
    CHECK(test::PagePixel(p.x, p.y) == Red);
  }
  for (Pixel p : {Pixel{1, 0}, Pixel{0, 7}, Pixel{7, 0}, Pixel{6, 7}, Pixel{9, 9}}) {
    CAPTURE(p.x);
    CAPTURE(p.y);
    CHECK(test::PagePixel(p.x, p.y) == Blue);
  }

  // rows are read high bit first: 0x0F lights columns 4 to 7
  SetBackColor(Black);
  SetBrushBits({0x0F, 0xF0, 0, 0, 0, 0, 0, 0}, White);
  const auto halves = PatternPixels();
  for (int x = 0; x < 8; ++x) {
    CAPTURE(x);
    CHECK(halves[x] == (x >= 4 ? White : Black));
    CHECK(halves[8 + x] == (x < 4 ? White : Black));
  }

  // the old bitmap is replaced, not kept
  HBITMAP before = Graphics.PatternBitmap;
  SetBrushBits({}, Red);
  CHECK(Graphics.PatternBitmap != before);
  CHECK(GetObjectType(before) == 0);
}

TEST_CASE("hatch gaps are painted only with an opaque background") {
  test::OpenWindow window;
  SetBackColor(Red);
  for (std::int16_t rasterMode : {0, 16}) {
    CAPTURE(rasterMode);
    SetRasterMode(0);
    SetBrushStyle(1, Blue);
    FillBox(0, 0, 31, 31);
    SetRasterMode(rasterMode);
    SetBrushStyle(2, Green);
    FillBox(0, 0, 31, 31);
    int green = 0, red = 0, blue = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const COLORREF c = test::PagePixel(x, y);
        green += c == Green;
        red += c == Red;
        blue += c == Blue;
      }
    }
    CHECK(green > 0);
    CHECK(green + red + blue == 32 * 32);
    if (rasterMode == 16) {
      CHECK(red > 0);
      CHECK(blue == 0);
    } else {
      CHECK(red == 0);
      CHECK(blue > 0);
    }
  }
}

TEST_CASE("circles and arcs") {
  test::OpenWindow window;

  SUBCASE("a circle of radius 10 spans columns and rows 90 to 110") {
    DrawCircle(100, 100, 10);
    CHECK(LastStatus() == StatusOk);
    const auto lit = LitPixels(80, 80, 120, 120);
    const Bounds b = BoundsOf(lit);
    CHECK(b.left == 90);
    CHECK(b.right == 110);
    CHECK(b.top == 90);
    CHECK(b.bottom == 110);
    for (Pixel p : {Pixel{90, 100}, Pixel{110, 100}, Pixel{100, 90}, Pixel{100, 110}}) {
      CAPTURE(p.x);
      CAPTURE(p.y);
      CHECK(Contains(lit, p));
    }
    CHECK_FALSE(Contains(lit, Pixel{100, 100}));  // no fill
    CHECK(test::WindowPixel(110, 100) != Black);
  }
  SUBCASE("an arc from 0 to 90 degrees is the quarter from right to top") {
    DrawArc(100, 100, 0, 90, 20, 20);
    const auto lit = LitPixels(70, 70, 130, 130);
    REQUIRE_FALSE(lit.empty());
    const Bounds b = BoundsOf(lit);
    CHECK(b.left >= 100);
    CHECK(b.bottom <= 100);
    CHECK(b.right == 120);
    CHECK(b.top == 80);
    CHECK(Contains(lit, Pixel{120, 100 - 1}));
    CHECK(Contains(lit, Pixel{114, 86}));  // 45 degrees: 14.1 from the centre
  }
  SUBCASE("an arc from 90 to 0 degrees is the other three quarters") {
    DrawArc(100, 100, 90, 0, 20, 20);
    const auto lit = LitPixels(70, 70, 130, 130);
    const Bounds b = BoundsOf(lit);
    CHECK(b.left == 80);
    CHECK(b.bottom == 120);
    CHECK_FALSE(Contains(lit, Pixel{114, 86}));
    CHECK(Contains(lit, Pixel{86, 114}));
  }
  SUBCASE("the centre is in view coordinates") {
    SetView(50, 60, 300, 300, false);
    DrawCircle(20, 20, 5);
    const Bounds b = BoundsOf(LitPixels(40, 40, 100, 100));
    CHECK(b.left == 65);
    CHECK(b.right == 75);
    CHECK(b.top == 75);
    CHECK(b.bottom == 85);
  }
  SUBCASE("aspect factors scale the box by 10000 / factor") {
    SetAspectFactors(20000, 10000);
    DrawCircle(100, 100, 10);
    const Bounds b = BoundsOf(LitPixels(80, 80, 120, 120));
    CHECK(b.left == 95);
    CHECK(b.right == 105);
    CHECK(b.top == 90);
    CHECK(b.bottom == 110);
  }
  SUBCASE("a zero aspect factor leaves its radius uncorrected") {
    SetAspectFactors(0, 5000);
    DrawCircle(100, 100, 10);
    CHECK(LastStatus() == StatusOk);
    const Bounds b = BoundsOf(LitPixels(60, 60, 140, 140));
    CHECK(b.left == 90);
    CHECK(b.right == 110);
    CHECK(b.top == 80);
    CHECK(b.bottom == 120);
    SetAspectFactors(0, 0);
    DrawCircle(300, 100, 10);
    const Bounds both = BoundsOf(LitPixels(260, 60, 340, 140));
    CHECK(both.left == 290);
    CHECK(both.right == 310);
    CHECK(both.top == 90);
    CHECK(both.bottom == 110);
  }
  SUBCASE("pen styles 5 and 6 draw no arcs") {
    for (std::uint16_t style : {5, 6}) {
      CAPTURE(style);
      SetPenStyle(style, 0xFFFF, 1);
      DrawCircle(100, 100, 10);
      DrawArc(100, 100, 0, 90, 20, 20);
      CHECK(LastStatus() == StatusOk);
      CHECK(LitPixels(70, 70, 130, 130).empty());
    }
  }
  SUBCASE("neither the current position nor the brush is used") {
    SetBrushStyle(1, Red);
    MovePen(7, 9);
    DrawCircle(100, 100, 10);
    CHECK(test::PagePixel(100, 100) == Black);
    POINT p{};
    GetCurrentPositionEx(Graphics.PageDC, &p);
    CHECK((p.x == 7 && p.y == 9));
  }
}

TEST_CASE("filled boxes") {
  test::OpenWindow window;
  SetBrushStyle(1, Red);

  FillBox(5, 5, 5, 5);
  CHECK(LastStatus() == StatusOk);
  const auto one = LitPixels(0, 0, 10, 10);
  REQUIRE(one.size() == 1);
  CHECK(one[0] == Pixel{5, 5});

  FillBox(6, 5, 5, 5);
  CHECK(LastStatus() == StatusBadArgument);
  FillBox(5, 6, 5, 5);
  CHECK(LastStatus() == StatusBadArgument);
  CHECK(LitPixels(0, 0, 10, 10).size() == 1);

  // corners included, in view coordinates, into the window as well
  SetView(100, 100, 200, 200, false);
  FillBox(-2, -1, 3, 4);
  const Bounds b = BoundsOf(LitPixels(90, 90, 110, 110));
  CHECK(b.left == 98);
  CHECK(b.top == 99);
  CHECK(b.right == 103);
  CHECK(b.bottom == 104);
  CHECK(LitPixels(90, 90, 110, 110).size() == 6 * 6);
  CHECK(test::WindowPixel(103, 104) == Red);
  CHECK(test::WindowPixel(104, 104) == Black);

  // a clipped view cuts it off
  SetView(300, 300, 309, 309, true);
  FillBox(-5, -5, 20, 20);
  const Bounds clipped = BoundsOf(LitPixels(290, 290, 320, 320));
  CHECK(clipped.left == 300);
  CHECK(clipped.right == 309);
  CHECK(clipped.top == 300);
  CHECK(clipped.bottom == 309);
}

TEST_CASE("flood fills") {
  test::OpenWindow window;
  SetPenColor(Red);
  Outline(50, 50, 80, 70);
  SetBrushStyle(1, Green);

  SUBCASE("the fill stops at the border colour") {
    // a blue line inside is not a border and is painted over
    SetPenColor(Blue);
    MovePen(60, 51);
    DrawLineTo(60, 69);
    FloodArea(55, 55, Red);
    CHECK(LastStatus() == StatusOk);
    for (Pixel p : {Pixel{51, 51}, Pixel{79, 69}, Pixel{60, 60}, Pixel{70, 60}}) {
      CAPTURE(p.x);
      CAPTURE(p.y);
      CHECK(test::PagePixel(p.x, p.y) == Green);
      CHECK(test::WindowPixel(p.x, p.y) == Green);
    }
    CHECK(test::PagePixel(50, 60) == Red);
    CHECK(test::PagePixel(80, 70) == Red);
    CHECK(test::PagePixel(49, 60) == Black);
    CHECK(test::PagePixel(81, 60) == Black);
    CHECK(test::PagePixel(65, 71) == Black);
  }
  SUBCASE("seeded on the border it changes nothing") {
    const auto before = LitPixels(40, 40, 90, 80);
    FloodArea(50, 60, Red);
    CHECK(LitPixels(40, 40, 90, 80) == before);
    CHECK(test::PagePixel(55, 55) == Black);
  }
  SUBCASE("the seed is in view coordinates") {
    SetView(40, 40, 300, 300, false);
    FloodArea(15, 15, Red);
    CHECK(test::PagePixel(55, 55) == Green);
    CHECK(test::PagePixel(45, 45) == Black);
  }
}

TEST_CASE("a hollow brush paints nothing, but clearing still clears") {
  test::OpenWindow window;
  SetPenColor(Red);
  Outline(50, 50, 80, 70);
  SetBrushStyle(9, Green);
  FillBox(10, 10, 20, 20);
  FloodArea(55, 55, Red);
  CHECK(LastStatus() == StatusOk);
  CHECK(LitPixels(0, 0, 30, 30).empty());
  CHECK(test::PagePixel(55, 55) == Black);

  SetBackColor(Blue);
  ClearView();
  CHECK(LastStatus() == StatusOk);
  CHECK(test::PagePixel(50, 50) == Blue);
  CHECK(test::PagePixel(0, 0) == Blue);
  CHECK(test::PagePixel(WindowMaxX(), WindowMaxY()) == Blue);
  CHECK(test::WindowPixel(60, 60) == Blue);
  CHECK(Graphics.BrushStyle == 9);
  CHECK(Graphics.BrushColor == Green);
  CHECK(SelectedBrush(Graphics.PageDC).lbStyle == BS_HOLLOW);
  CHECK(SelectedBrush(Graphics.WindowDC).lbStyle == BS_HOLLOW);
}

TEST_CASE("clearing the view") {
  test::OpenWindow window;
  SetBrushStyle(1, Red);
  FillBox(0, 0, WindowMaxX(), WindowMaxY());
  SetBrushStyle(4, Green);
  SetView(100, 100, 199, 149, false);
  MovePen(30, 30);
  ClearView();
  CHECK(LastStatus() == StatusOk);
  // the whole view, its last column and row included, and nothing else
  CHECK(test::PagePixel(100, 100) == Black);
  CHECK(test::PagePixel(199, 149) == Black);
  CHECK(test::PagePixel(99, 100) == Red);
  CHECK(test::PagePixel(200, 149) == Red);
  CHECK(test::PagePixel(199, 150) == Red);
  CHECK(Graphics.CurrentX == 0);
  CHECK(Graphics.CurrentY == 0);
  POINT p{};
  GetCurrentPositionEx(Graphics.PageDC, &p);
  CHECK((p.x == 100 && p.y == 100));
  CHECK(Graphics.BrushStyle == 4);
  CHECK(Graphics.BrushColor == Green);
  const LOGBRUSH b = SelectedBrush(Graphics.PageDC);
  CHECK(b.lbStyle == BS_HATCHED);
  CHECK(b.lbHatch == HS_CROSS);
  CHECK(b.lbColor == Green);
}

TEST_CASE("clearing the page keeps a small clipped view") {
  test::OpenWindow window;
  SetBrushStyle(1, Red);
  FillBox(0, 0, WindowMaxX(), WindowMaxY());
  SetView(10, 20, 30, 40, true);
  SetBackColor(Blue);
  ClearPage();
  CHECK(LastStatus() == StatusOk);
  for (Pixel p : {Pixel{0, 0}, Pixel{20, 30}, Pixel{WindowMaxX(), WindowMaxY()}, Pixel{500, 10}}) {
    CAPTURE(p.x);
    CAPTURE(p.y);
    CHECK(test::PagePixel(p.x, p.y) == Blue);
    CHECK(test::WindowPixel(p.x, p.y) == Blue);
  }
  CHECK(Graphics.ViewRect.X1 == 10);
  CHECK(Graphics.ViewRect.Y1 == 20);
  CHECK(Graphics.ViewRect.X2 == 30);
  CHECK(Graphics.ViewRect.Y2 == 40);
  CHECK(Graphics.ViewRect.Clip);
  REQUIRE(Graphics.ClipRegion != nullptr);
  RECT clip{};
  GetClipBox(Graphics.PageDC, &clip);
  CHECK(clip.left == 10);
  CHECK(clip.top == 20);
  CHECK(clip.right == 31);
  CHECK(clip.bottom == 41);
  POINT p{};
  GetCurrentPositionEx(Graphics.PageDC, &p);
  CHECK((p.x == 10 && p.y == 20));
  CHECK(Graphics.BrushStyle == 1);

  // the clipping is in force again
  SetBrushStyle(1, Green);
  FillBox(-10, -10, 100, 100);
  CHECK(test::PagePixel(9, 20) == Blue);
  CHECK(test::PagePixel(10, 20) == Green);
  CHECK(test::PagePixel(31, 41) == Blue);
}

TEST_CASE("palette modes map brush colours like pen colours") {
  test::OpenWindow window(3, 4);
  const ColorValue colors[] = {NamedColor[15], NamedColor[105], NamedColor[250], 7, 300};
  for (ColorValue color : colors) {
    CAPTURE(color);
    PlotPixel(0, 0, color);
    SetBrushStyle(1, color);
    FillBox(1, 0, 1, 0);
    SetBrushBits({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, color);
    FillBox(2, 0, 2, 0);
    SetBackColor(color);
    SetBrushStyle(0, NamedColor[12]);
    FillBox(3, 0, 3, 0);
    const COLORREF plotted = test::PagePixel(0, 0);
    CHECK(test::PagePixel(1, 0) == plotted);
    CHECK(test::PagePixel(2, 0) == plotted);
    CHECK(test::PagePixel(3, 0) == plotted);
  }
}

TEST_CASE("brush operations on a closed window") {
  {
    test::OpenWindow window;
  }
  SetBrushStyle(1, Red);
  CHECK(LastStatus() == StatusNotOpen);
  SetBrushStyle(10, Red);
  CHECK(LastStatus() == StatusNotOpen);
  SetBrushBits({}, Red);
  CHECK(LastStatus() == StatusNotOpen);
  DrawArc(0, 0, 0, 90, 5, 5);
  CHECK(LastStatus() == StatusNotOpen);
  DrawCircle(0, 0, 5);
  CHECK(LastStatus() == StatusNotOpen);
  FillBox(0, 0, 1, 1);
  CHECK(LastStatus() == StatusNotOpen);
  FillBox(1, 0, 0, 0);
  CHECK(LastStatus() == StatusNotOpen);
  FloodArea(0, 0, Red);
  CHECK(LastStatus() == StatusNotOpen);
  ClearView();
  CHECK(LastStatus() == StatusNotOpen);
  ClearPage();
  CHECK(LastStatus() == StatusNotOpen);
}
