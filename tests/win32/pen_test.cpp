// Pen, view, raster modes, lines and pixels, read back from the page and the
// window.
#include <vector>

#include "support.h"

using namespace kanvo;

namespace {

constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Green = RGB(0, 255, 0);

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
