// The drawing primitives, each through the library and as the direct GDI
// calls that do the same to the same two device contexts: the window's and
// the page's, both drawn while the page is shown (as after StartGraphics).
#include <string>

#include "bench.h"
#include "kanvo/graphics.h"
#include "kanvo/src/state.h"

namespace bench {
namespace {

using namespace kanvo;

constexpr int Area = 400;  // side of the square the fills and pixels cover

HDC Window() { return Graphics.WindowDC; }
HDC Page() { return Graphics.PageDC; }

// 100-pixel segments, each from the end of the one before: 99 across and one
// down, alternately to the right and to the left, down a 400-row band.
struct Zigzag {
  int Step = 0;
  int X() const { return Step % 2 == 0 ? 199 : 100; }
  int Y() const { return 10 + Step % Area; }
  void Next() { ++Step; }
};

void Settle() {
  HWND window = Graphics.WindowHandle.load();
  for (int i = 0; i < 5; ++i) {
    UpdateWindow(window);
    Sleep(20);
  }
}

// The pattern walk of the direct line: the bits of the pattern decide, per
// point that LineDDA reports, whether both contexts get the pixel.
struct DirectPattern {
  std::uint16_t Pattern;
  int Step;
  COLORREF Color;
  bool Window;
};
void CALLBACK DirectPatternPoint(int x, int y, LPARAM data) {
  auto* p = reinterpret_cast<DirectPattern*>(data);
  if ((p->Pattern >> p->Step) & 1) {
    if (p->Window) SetPixelV(Window(), x, y, p->Color);
    SetPixelV(Page(), x, y, p->Color);
  }
  p->Step = (p->Step + 1) % 16;
}

// visible: the page is shown and drawing goes to the window too; otherwise
// (manual refresh, as on coastglobe's hidden page) to the page only.
Row LineRow(bool pattern, bool visible) {
  if (!visible) RefreshScreen(RefreshManual);
  const COLORREF white = MapColor(NamedColor[250]);
  constexpr std::uint16_t Bits = 0xFFFF;
  if (pattern) SetPenStyle(5, Bits, 1);
  Zigzag k, d;
  int directX = d.X(), directY = d.Y();
  MovePen(static_cast<std::int16_t>(k.X()), static_cast<std::int16_t>(k.Y()));
  MoveToEx(Window(), directX, directY, nullptr);
  MoveToEx(Page(), directX, directY, nullptr);
  k.Next();
  d.Next();

  auto kanvo = [&] {
    DrawLineTo(static_cast<std::int16_t>(k.X()), static_cast<std::int16_t>(k.Y()));
    k.Next();
  };
  auto direct = [&] {
    const int x = d.X(), y = d.Y();
    if (pattern) {
      DirectPattern p{Bits, 0, white, visible};
      LineDDA(directX, directY, x, y, DirectPatternPoint, reinterpret_cast<LPARAM>(&p));
    } else {
      if (visible) {
        LineTo(Window(), x, y);
        SetPixelV(Window(), x, y, white);
      }
      LineTo(Page(), x, y);
      SetPixelV(Page(), x, y, white);
    }
    directX = x;
    directY = y;
    d.Next();
  };
  const std::string name = std::string("DrawLineTo 100 px, ") +
                           (pattern ? "pattern style (0xFFFF)" : "solid") +
                           (visible ? "" : ", hidden page");
  Row row = Compare(name, "line", kanvo, direct);
  if (pattern) SetPenStyle(0, 0, 1);
  if (!visible) RefreshScreen(RefreshAuto);
  return row;
}

Row PixelRow() {
  const COLORREF white = MapColor(NamedColor[250]);
  int k = 0, d = 0;
  auto kanvo = [&] {
    PlotPixel(static_cast<std::int16_t>(k % Area), static_cast<std::int16_t>(k / Area % Area),
              NamedColor[250]);
    ++k;
  };
  auto direct = [&] {
    const int x = d % Area, y = d / Area % Area;
    SetPixelV(Window(), x, y, white);
    SetPixelV(Page(), x, y, white);
    ++d;
  };
  return Compare("PlotPixel", "pixel", kanvo, direct);
}

Row FillBoxRow() {
  SetBrushStyle(1, NamedColor[250]);
  auto kanvo = [] { FillBox(0, 0, Area - 1, Area - 1); };
  auto direct = [] {
    const RECT r{0, 0, Area, Area};
    FillRect(Window(), &r, Graphics.CurrentBrush);
    FillRect(Page(), &r, Graphics.CurrentBrush);
  };
  return Compare("FillBox 400 x 400, solid brush", "fill", kanvo, direct);
}

Row FloodRow() {
  // A red frame around a 400 x 400 square; every fill repaints the inside.
  const ColorValue red = 0x0000FF;
  SetPenColor(red);
  MovePen(9, 9);
  DrawLineTo(Area + 10, 9);
  DrawLineTo(Area + 10, Area + 10);
  DrawLineTo(9, Area + 10);
  DrawLineTo(9, 9);
  SetPenColor(NamedColor[250]);
  SetBrushStyle(1, NamedColor[250]);
  const COLORREF border = MapColor(red);
  auto kanvo = [] { FloodArea(200, 200, 0x0000FF); };
  auto direct = [border] {
    ExtFloodFill(Window(), 200, 200, border, FLOODFILLBORDER);
    ExtFloodFill(Page(), 200, 200, border, FLOODFILLBORDER);
  };
  return Compare("FloodArea 400 x 400, solid brush", "fill", kanvo, direct);
}

// coastglobe's flip: draw on the page that was shown, show the one just
// drawn, clear the new draw page.
Row FlipRow() {
  std::int16_t k = 0;
  int d = 0;
  const RECT whole{0, 0, Graphics.MaxX.load() + 1, Graphics.MaxY.load() + 1};
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  HWND window = Graphics.WindowHandle.load();
  auto kanvo = [&] {
    SetDrawPage(k);
    k = static_cast<std::int16_t>(1 - k);
    SetShowPage(k);
    ClearPage();
  };
  auto direct = [&] {
    // The window thread paints from these pages under the lock.
    EnterCriticalSection(&Graphics.GraphicsLock);
    Graphics.DrawPage.store(static_cast<std::uint16_t>(d));
    SelectObject(Page(), Graphics.Pages[d]);
    d = 1 - d;
    Graphics.ShowPage.store(static_cast<std::uint16_t>(d));
    Graphics.DrawToWindow.store(false);
    LeaveCriticalSection(&Graphics.GraphicsLock);
    InvalidateRect(window, nullptr, FALSE);
    EnterCriticalSection(&Graphics.GraphicsLock);
    FillRect(Page(), &whole, black);
    LeaveCriticalSection(&Graphics.GraphicsLock);
  };
  Row row = Compare("page flip + ClearPage, 640 x 480", "flip", kanvo, direct);
  SetDrawPage(0);
  SetShowPage(0);
  return row;
}

}  // namespace

void PrimitiveRows(std::vector<Row>& rows) {
  std::int16_t driver = 9, mode = 4;
  StartGraphics(driver, mode, "kanvo bench");
  if (!IsGraphicsOpen()) return;
  Settle();
  rows.push_back(LineRow(false, true));
  rows.push_back(LineRow(false, false));
  rows.push_back(LineRow(true, true));
  rows.push_back(PixelRow());
  rows.push_back(FillBoxRow());
  rows.push_back(FloodRow());
  rows.push_back(FlipRow());
  StopGraphics();
}

}  // namespace bench
