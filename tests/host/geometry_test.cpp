#include <doctest/doctest.h>

#include "kanvo/core/geometry.h"

using namespace kanvo::core;

namespace {
// Wine's metrics on a 1024 x 768 screen; the sums below are written out so a
// wrong frame formula shows.
ScreenMetrics Screen(std::int32_t w, std::int32_t h) { return {w, h, 3, 3, 19, 32}; }
constexpr std::int32_t FrameW = 2 * 3, FrameH = 2 * 3 + 19;
}  // namespace

TEST_CASE("mode and driver table") {
  struct Case {
    std::int16_t driver, mode;
    std::int32_t screenW, screenH;
    std::int16_t status;
    std::int32_t width, height;
    std::uint32_t style;
    std::uint8_t bits;
    bool palette;
    std::uint16_t colors;
  };
  const Case cases[] = {
      {3, 1, 1024, 768, 0, 320 + FrameW, 200 + FrameH, CaptionedStyle, 8, true, 256},
      {3, 2, 1024, 768, 0, 640 + FrameW, 200 + FrameH, CaptionedStyle, 8, true, 256},
      {3, 3, 1024, 768, 0, 640 + FrameW, 350 + FrameH, CaptionedStyle, 8, true, 256},
      {2, 4, 1024, 768, 0, 640 + FrameW, 480 + FrameH, CaptionedStyle, 4, true, 16},
      {1, 5, 1024, 768, 0, 720 + FrameW, 350 + FrameH, CaptionedStyle, 1, true, 2},
      {9, 6, 1024, 768, 0, 800 + FrameW, 600 + FrameH, CaptionedStyle, 32, false, 7},
      // 1024 x 768 needs its frame removed on a screen of the same size
      {3, 7, 1024, 768, 0, 1024, 768, PopupStyle, 8, true, 256},
      {3, 8, 1024, 768, -3, 1280 + FrameW, 1024 + FrameH, 0, 0, false, 7},
      {3, 8, 1280, 1024, 0, 1280, 1024, PopupStyle, 8, true, 256},
      {9, 10, 1024, 768, 0, 0, 0, CaptionedStyle, 32, false, 7},
      {3, 11, 1024, 768, 0, 1024, 768, CaptionedStyle, 8, true, 256},
      {3, 12, 1024, 768, 0, 1024, 768, PopupStyle, 8, true, 256},
      {3, 13, 1024, 768, 0, 300 + FrameW, 100 + FrameH, CaptionedStyle, 8, true, 256},
      {3, 0, 1024, 768, -3, 65535 + FrameW, 65535 + FrameH, 0, 0, false, 7},
      {3, 9, 1024, 768, -3, 65535 + FrameW, 65535 + FrameH, 0, 0, false, 7},
      {3, 99, 1024, 768, -3, 65535 + FrameW, 65535 + FrameH, 0, 0, false, 7},
      // the mode is judged before the driver
      {5, 99, 1024, 768, -3, 65535 + FrameW, 65535 + FrameH, 0, 0, false, 7},
      {5, 4, 1024, 768, -2, 640 + FrameW, 480 + FrameH, CaptionedStyle, 0, false, 7},
      {0, 4, 1024, 768, -2, 640 + FrameW, 480 + FrameH, CaptionedStyle, 0, false, 7},
  };
  for (const Case& c : cases) {
    CAPTURE(c.driver);
    CAPTURE(c.mode);
    CAPTURE(c.screenW);
    WindowGeometry g;
    g.ColorCount = 7;  // shows which openings leave it alone
    CHECK(ComputeWindowGeometry(c.driver, c.mode, 300, 100, Screen(c.screenW, c.screenH), g) ==
          c.status);
    CHECK(g.WindowWidth == c.width);
    CHECK(g.WindowHeight == c.height);
    CHECK(g.WindowStyle == c.style);
    CHECK(g.BitsPerPixel == c.bits);
    CHECK(g.PaletteMode == c.palette);
    CHECK(g.ColorCount == c.colors);
  }
}

TEST_CASE("mode 13 at 0 x 0 still opens a captioned window with no client area") {
  WindowGeometry g;
  CHECK(ComputeWindowGeometry(9, 13, 0, 0, Screen(1024, 768), g) == 0);
  CHECK(g.WindowWidth == FrameW);
  CHECK(g.WindowHeight == FrameH);
}

TEST_CASE("window placement centres and rounds toward zero") {
  const auto p = PlaceWindow(1024, 768, 640 + FrameW, 480 + FrameH);
  CHECK(p.X == (1024 - 646) / 2);
  CHECK(p.X == 189);
  CHECK(p.Y == (768 - 505) / 2);
  CHECK(p.Y == 131);
  // a window wider than the screen gets a negative offset, rounded toward zero
  CHECK(PlaceWindow(100, 100, 103, 103).X == -1);
  const auto d = PlaceWindow(1024, 768, 0, 0);
  CHECK(static_cast<std::uint32_t>(d.X) == 0x80000000u);
  CHECK(static_cast<std::uint32_t>(d.Height) == 0x80000000u);
}
