// Pen, view, raster modes, lines and pixels, read back from the page and the
// window.
#include <array>
#include <vector>

#include "support.h"

using namespace kanvo;
using namespace test::colors;

namespace {

// The columns from x0 to x1 of page row y that are not black.
std::vector<int> LitColumns(int x0, int x1, int y) {
  std::vector<int> lit;
  for (int x = x0; x <= x1; ++x) {
    if (test::PagePixel(x, y) != Black) lit.push_back(x);
  }
  return lit;
}

}  // namespace

TEST_CASE("opening draws with a white one-pixel pen on a black page") {
  struct Case {
    std::int16_t driver;
    COLORREF white;  // white as the page stores it
  };
  // The standard palette's nearest to white is 252/252/252.
  for (const Case& c : {Case{9, White}, Case{2, RGB(252, 252, 252)}, Case{3, RGB(252, 252, 252)}}) {
    CAPTURE(c.driver);
    test::OpenWindow window(c.driver, 4);
    CHECK(Graphics.LineStyle == 0);
    CHECK(Graphics.LineThickness == 1);
    CHECK(Graphics.CurrentX == 0);
    CHECK(Graphics.CurrentY == 0);
    MovePen(10, 10);
    DrawLineTo(20, 10);
    CHECK(LastStatus() == StatusOk);
    CHECK(LitColumns(5, 25, 10) == std::vector<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
    CHECK(test::PagePixel(15, 10) == c.white);
    CHECK(test::PagePixel(15, 11) == Black);
    CHECK(test::WindowPixel(15, 10) == c.white);
    CHECK(test::WindowPixel(15, 9) == Black);
  }
}

TEST_CASE("views: origin, current position and clipping") {
  test::OpenWindow window;

  SUBCASE("without clipping the view only moves the origin") {
    SetView(100, 100, 200, 200, false);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.ViewWidth == 100);
    CHECK(Graphics.ViewHeight == 100);
    CHECK(Graphics.CurrentX == 0);
    CHECK(Graphics.CurrentY == 0);
    CHECK(Graphics.ClipRegion == nullptr);
    POINT p{};
    GetCurrentPositionEx(Graphics.PageDC, &p);
    CHECK((p.x == 100 && p.y == 100));
    GetCurrentPositionEx(Graphics.WindowDC, &p);
    CHECK((p.x == 100 && p.y == 100));
    PlotPixel(-1, -1, Red);
    PlotPixel(150, 0, Red);
    CHECK(test::PagePixel(99, 99) == Red);
    CHECK(test::PagePixel(250, 100) == Red);
  }

  SUBCASE("a one-pixel clipped view lets exactly that pixel through") {
    SetView(10, 10, 10, 10, true);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.ClipRegion != nullptr);
    SetPenColor(Red);
    MovePen(-5, 0);
    DrawLineTo(5, 0);
    MovePen(0, -5);
    DrawLineTo(0, 5);
    PlotPixel(1, 1, Red);
    for (int y = 3; y <= 17; ++y) {
      for (int x = 3; x <= 17; ++x) {
        CAPTURE(x);
        CAPTURE(y);
        const COLORREF expected = (x == 10 && y == 10) ? Red : Black;
        CHECK(test::PagePixel(x, y) == expected);
        CHECK(test::WindowPixel(x, y) == expected);
      }
    }
  }

  SUBCASE("clipping keeps the view's last column and row and goes with the next view") {
    SetView(20, 20, 30, 30, true);
    MovePen(-10, 5);
    DrawLineTo(30, 5);
    CHECK(LitColumns(0, 60, 25) == std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30});
    SetView(0, 0, 639, 479, false);
    CHECK(Graphics.ClipRegion == nullptr);
    MovePen(0, 40);
    DrawLineTo(50, 40);
    CHECK(LitColumns(0, 60, 40).size() == 51);
  }

  SUBCASE("an inverted view is refused and changes nothing") {
    SetView(50, 60, 300, 200, true);
    MovePen(3, 4);
    HRGN region = Graphics.ClipRegion;
    for (const auto& bad :
         {std::array<std::int16_t, 4>{5, 0, 4, 100}, std::array<std::int16_t, 4>{0, 5, 100, 4},
          std::array<std::int16_t, 4>{-1, 0, -2, 0}}) {
      SetView(bad[0], bad[1], bad[2], bad[3], false);
      CHECK(LastStatus() == StatusBadArgument);
    }
    CHECK(Graphics.ViewRect.X1 == 50);
    CHECK(Graphics.ViewRect.Y2 == 200);
    CHECK(Graphics.ViewRect.Clip);
    CHECK(Graphics.ViewOriginX == 50);
    CHECK(Graphics.CurrentX == 3);
    CHECK(Graphics.CurrentY == 4);
    CHECK(Graphics.ClipRegion == region);
    PlotPixel(0, 0, Red);
    CHECK(test::PagePixel(50, 60) == Red);
  }
}

TEST_CASE("device coordinates wrap in 16 bits") {
  test::OpenWindow window;
  SetPenColor(Red);

  // x 32767 in a view at x 1 reaches the platform as -32768: a line from
  // there to device x 10 lights the row's start. Unwrapped (32768) it would
  // light everything right of x 10 instead.
  SetView(1, 0, 639, 479, false);
  MovePen(32767, 10);
  DrawLineTo(9, 10);
  const std::vector<int> lit = LitColumns(0, 40, 10);
  CHECK(lit == std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});

  // Below -32768 the sum comes round onto the page.
  SetView(-32768, 0, 32767, 479, false);
  PlotPixel(-32768 + 30, 20, Green);
  CHECK(test::PagePixel(30, 20) == Green);
}

TEST_CASE("raster modes") {
  test::OpenWindow window;

  SUBCASE("0 to 31 set the operation and the background mode of both contexts") {
    constexpr int Operations[16] = {R2_COPYPEN,     R2_XORPEN,     R2_MERGEPEN,    R2_MASKPEN,
                                    R2_NOTCOPYPEN,  R2_NOT,        R2_NOTXORPEN,   R2_NOTMERGEPEN,
                                    R2_NOTMASKPEN,  R2_MASKNOTPEN, R2_MERGENOTPEN, R2_MASKPENNOT,
                                    R2_MERGEPENNOT, R2_BLACK,      R2_WHITE,       R2_NOP};
    for (std::int16_t mode = 0; mode < 32; ++mode) {
      CAPTURE(mode);
      SetRasterMode(mode);
      CHECK(LastStatus() == StatusOk);
      for (HDC dc : {Graphics.WindowDC, Graphics.PageDC}) {
        CHECK(GetROP2(dc) == Operations[mode % 16]);
        CHECK(GetBkMode(dc) == (mode >= 16 ? OPAQUE : TRANSPARENT));
      }
    }
  }

  SUBCASE("values outside 0 to 31 are refused and keep the mode") {
    SetRasterMode(17);
    for (std::int16_t mode : {32, -1, -16, 48, -32768, 32767}) {
      CAPTURE(mode);
      SetRasterMode(mode);
      CHECK(LastStatus() == StatusBadArgument);
      CHECK(GetROP2(Graphics.PageDC) == R2_XORPEN);
      CHECK(GetBkMode(Graphics.PageDC) == OPAQUE);
    }
  }

  SUBCASE("a line drawn twice in xor leaves the page as it was") {
    PlotPixel(12, 30, Red);
    PlotPixel(13, 30, Green);
    SetRasterMode(1);
    SetPenColor(RGB(0, 0, 255));
    // The end pixel is set, not combined, so the lines stop short of x 40.
    for (int pass = 0; pass < 2; ++pass) {
      MovePen(10, 30);
      DrawLineTo(40, 30);
    }
    CHECK(test::PagePixel(12, 30) == Red);
    CHECK(test::PagePixel(13, 30) == Green);
    CHECK(LitColumns(0, 39, 30) == std::vector<int>{12, 13});
    CHECK(test::WindowPixel(12, 30) == Red);
    CHECK(test::WindowPixel(20, 30) == Black);
  }
}

TEST_CASE("pen styles") {
  test::OpenWindow window;
  SetPenColor(Red);

  SUBCASE("style 5 plots the pattern, bit 0 at the start, every 16 pixels") {
    struct Case {
      std::uint16_t pattern;
      std::vector<int> lit;
    };
    std::vector<int> all;
    for (int x = 10; x < 50; ++x) all.push_back(x);
    const Case cases[] = {
        {1, {10, 26, 42}},
        {0, {}},
        {0xFFFF, all},
        {0x8001, {10, 25, 26, 41, 42}},
    };
    int y = 40;
    for (const Case& c : cases) {
      CAPTURE(c.pattern);
      SetPenStyle(5, c.pattern, 1);
      MovePen(10, static_cast<std::int16_t>(y));
      DrawLineTo(50, static_cast<std::int16_t>(y));
      CHECK(LastStatus() == StatusOk);
      CHECK(LitColumns(0, 70, y) == c.lit);
      CHECK(Graphics.CurrentX == 50);
      y += 5;
    }
  }

  SUBCASE("each pattern line starts at bit 0") {
    SetPenStyle(5, 1, 1);
    MovePen(10, 60);
    DrawLineTo(15, 60);
    DrawLineTo(40, 60);
    CHECK(LitColumns(0, 60, 60) == std::vector<int>{10, 15, 31});
  }

  SUBCASE("a pattern line in the window too, with the pen colour") {
    SetPenStyle(5, 0x5555, 0);
    MovePen(10, 70);
    DrawLineTo(20, 70);
    CHECK(test::WindowPixel(10, 70) == Red);
    CHECK(test::WindowPixel(11, 70) == Black);
    CHECK(test::WindowPixel(18, 70) == Red);
    CHECK(test::WindowPixel(20, 70) == Black);
  }

  SUBCASE("style 6 leaves only the end pixel") {
    SetPenStyle(6, 0xFFFF, 1);
    MovePen(10, 80);
    DrawLineTo(30, 80);
    CHECK(LitColumns(0, 40, 80) == std::vector<int>{30});
  }

  SUBCASE("thickness 1 adds the end pixel; thickness 0 does not") {
    MovePen(5, 90);
    DrawLineTo(5, 90);
    CHECK(LitColumns(0, 40, 90) == std::vector<int>{5});
    SetPenStyle(0, 0, 0);
    MovePen(10, 92);
    DrawLineTo(10, 92);
    CHECK(LitColumns(0, 40, 92).empty());
    DrawLineTo(20, 92);
    CHECK(LitColumns(0, 40, 92) == std::vector<int>{10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
  }

  SUBCASE("each style makes its platform pen, selected in both contexts") {
    constexpr UINT Styles[5] = {PS_SOLID, PS_DOT, PS_DASHDOT, PS_DASH, PS_DASHDOTDOT};
    for (std::uint16_t style = 0; style < 7; ++style) {
      CAPTURE(style);
      HPEN previous = Graphics.CurrentPen;
      SetPenStyle(style, 0x1234, 3);
      CHECK(LastStatus() == StatusOk);
      CHECK(GetCurrentObject(Graphics.WindowDC, OBJ_PEN) == Graphics.CurrentPen);
      CHECK(GetCurrentObject(Graphics.PageDC, OBJ_PEN) == Graphics.CurrentPen);
      LOGPEN pen{};
      REQUIRE(GetObjectA(Graphics.CurrentPen, sizeof pen, &pen) == sizeof pen);
      if (style < 5) {
        CHECK(GetObjectType(previous) == 0);  // the replaced pen was deleted
        CHECK(pen.lopnStyle == Styles[style]);
        CHECK(pen.lopnWidth.x == 3);
        CHECK(pen.lopnColor == Red);
      } else {
        // A null pen is the platform's stock one, which deleting leaves alone.
        CHECK(Graphics.CurrentPen == GetStockObject(NULL_PEN));
        CHECK(pen.lopnStyle == PS_NULL);
      }
    }
    SetPenStyle(0, 0, 1);
    CHECK(GetObjectType(GetStockObject(NULL_PEN)) == OBJ_PEN);
    MovePen(0, 200);
    DrawLineTo(10, 200);
    CHECK(LitColumns(0, 20, 200).size() == 11);
  }

  SUBCASE("style 7 is refused and keeps the pen") {
    SetPenStyle(2, 0x1234, 3);
    HPEN pen = Graphics.CurrentPen;
    SetPenStyle(7, 0, 1);
    CHECK(LastStatus() == StatusBadArgument);
    CHECK(Graphics.LineStyle == 2);
    CHECK(Graphics.LinePattern == 0x1234);
    CHECK(Graphics.LineThickness == 3);
    CHECK(Graphics.CurrentPen == pen);
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_PEN) == pen);
  }

  SUBCASE("the pen colour is the text colour and keeps the style") {
    SetPenStyle(3, 0, 2);
    SetPenColor(Green);
    CHECK(LastStatus() == StatusOk);
    CHECK(GetTextColor(Graphics.WindowDC) == Green);
    CHECK(GetTextColor(Graphics.PageDC) == Green);
    LOGPEN pen{};
    GetObjectA(Graphics.CurrentPen, sizeof pen, &pen);
    CHECK(pen.lopnStyle == PS_DASH);
    CHECK(pen.lopnWidth.x == 2);
    CHECK(pen.lopnColor == Green);
  }

  SUBCASE("the background colour goes to both contexts") {
    SetBackColor(RGB(1, 2, 3));
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.BackColor == RGB(1, 2, 3));
    CHECK(GetBkColor(Graphics.WindowDC) == RGB(1, 2, 3));
    CHECK(GetBkColor(Graphics.PageDC) == RGB(1, 2, 3));
  }
}

TEST_CASE("drawing reaches the window at once only with automatic refresh") {
  test::OpenWindow window;
  HWND w = window.Window();
  PlotPixel(5, 5, Red);
  CHECK(test::WindowPixel(5, 5) == Red);

  RefreshScreen(RefreshManual);
  MovePen(10, 100);
  DrawLineTo(30, 100);
  PlotPixel(6, 5, Green);
  test::Repaint(w);
  CHECK(test::PagePixel(20, 100) == White);
  CHECK(test::PagePixel(6, 5) == Green);
  CHECK(test::WindowPixel(20, 100) == Black);
  CHECK(test::WindowPixel(6, 5) == Black);

  RefreshScreen(RefreshNow);
  test::Repaint(w);
  CHECK(test::WindowPixel(20, 100) == White);
  CHECK(test::WindowPixel(30, 100) == White);
  CHECK(test::WindowPixel(6, 5) == Green);

  // The position is shared by both contexts even while the window is left out.
  POINT p{};
  GetCurrentPositionEx(Graphics.WindowDC, &p);
  CHECK((p.x == 30 && p.y == 100));
}

TEST_CASE("pen operations on a closed window") {
  {
    test::OpenWindow window;
    MovePen(7, 8);
  }
  for (auto operation :
       {+[] { MovePen(1, 1); }, +[] { DrawLineTo(1, 1); }, +[] { PlotPixel(1, 1, 1); },
        +[] { SetView(0, 0, 1, 1, false); }, +[] { SetRasterMode(0); }, +[] { SetBackColor(1); },
        +[] { SetPenStyle(0, 0, 1); }}) {
    SetStatus(StatusOk);
    operation();
    CHECK(LastStatus() == StatusNotOpen);
  }
  CHECK(Graphics.CurrentX == 7);
  CHECK(Graphics.CurrentY == 8);

  // The pen colour is stored even so, for the next opening's pen.
  SetPenColor(0x123456);
  CHECK(LastStatus() == StatusNotOpen);
  CHECK(Graphics.PenColor == 0x123456);

  SetStatus(StatusBadArgument);
  SetAspectFactors(5000, 10000);
  CHECK(LastStatus() == StatusBadArgument);
  CHECK(Graphics.AspectX == 5000);
  CHECK_FALSE(Graphics.AspectSquare);
  SetAspectFactors(10000, 10000);
  CHECK(Graphics.AspectSquare);
}
