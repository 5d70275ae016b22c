// Pen, view, raster mode, lines and pixels.
#include <array>

#include "kanvo/src/state.h"

namespace kanvo {
namespace {

// Raster modes 0 to 15, in the library's numbering.
constexpr std::array<int, 16> RasterOperations = {
    R2_COPYPEN,     R2_XORPEN,      R2_MERGEPEN,   R2_MASKPEN,    R2_NOTCOPYPEN,  R2_NOT,
    R2_NOTXORPEN,   R2_NOTMERGEPEN, R2_NOTMASKPEN, R2_MASKNOTPEN, R2_MERGENOTPEN, R2_MASKPENNOT,
    R2_MERGEPENNOT, R2_BLACK,       R2_WHITE,      R2_NOP,
};
static_assert(RasterOperations.size() == 16);

constexpr std::array<UINT, 7> PenStyles = {
    PS_SOLID, PS_DOT, PS_DASHDOT, PS_DASH, PS_DASHDOTDOT,
    PS_NULL,  // 5: the line is plotted pixel by pixel from LinePattern
    PS_NULL,  // 6: only the end pixel
};
static_assert(PenStyles.size() == 7);

constexpr std::uint16_t PatternStyle = 5;

// LineDDA reports each point of a pattern line; the bit of the pattern for
// that point decides whether it is plotted.
void CALLBACK PlotPatternPoint(int x, int y, LPARAM) {
  if ((Graphics.LinePattern >> Graphics.PatternStep) & 1) {
    PlotPixel(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), Graphics.PenColor);
  }
  Graphics.PatternStep = (Graphics.PatternStep + 1) % 16;
}

}  // namespace

ColorValue MapColor(ColorValue color) {
  if (Graphics.PaletteMode.load()) return color % Graphics.AppliedColorCount + 0x1000000;
  return color;
}

void SetView(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2, bool clip) {
  if (!BeginOperation()) return;
  if (x1 > x2 || y1 > y2) {
    SetStatus(StatusBadArgument);
    return;
  }
  Graphics.ViewRect = ViewRectangle{x1, y1, x2, y2, clip};
  Graphics.ViewWidth = static_cast<std::int16_t>(x2 - x1);
  Graphics.ViewHeight = static_cast<std::int16_t>(y2 - y1);
  Graphics.ViewOriginX = x1;
  Graphics.ViewOriginY = y1;
  MovePen(0, 0);

  GraphicsLockGuard lock;
  if (Graphics.ClipRegion != nullptr) {
    SelectClipRgn(Graphics.WindowDC, nullptr);
    SelectClipRgn(Graphics.PageDC, nullptr);
    DeleteObject(Graphics.ClipRegion);
    Graphics.ClipRegion = nullptr;
  }
  if (clip) {
    // A region leaves out its right column and bottom row; the view keeps them.
    HRGN region = CreateRectRgn(x1, y1, x2 + 1, y2 + 1);
    SelectClipRgn(Graphics.WindowDC, region);
    SelectClipRgn(Graphics.PageDC, region);
    Graphics.ClipRegion = region;
  }
}

void SetRasterMode(std::int16_t mode) {
  if (!BeginOperation()) return;
  const int low = mode % 16;
  const int high = mode - low;
  if (low < 0 || (high != 0 && high != 16)) {
    SetStatus(StatusBadArgument);
    return;
  }
  const int operation = RasterOperations[low];
  const int background = high == 16 ? OPAQUE : TRANSPARENT;
  ApplyToBoth([&](HDC dc) {
    SetROP2(dc, operation);
    SetBkMode(dc, background);
  });
}

void SetAspectFactors(std::uint16_t xFactor, std::uint16_t yFactor) {
  Graphics.AspectX = xFactor;
  Graphics.AspectY = yFactor;
  Graphics.AspectSquare = xFactor == 10000 && yFactor == 10000;
}

void SetBackColor(ColorValue color) {
  if (!BeginOperation()) return;
  Graphics.BackColor = color;
  const COLORREF device = MapColor(color);
  ApplyToBoth([&](HDC dc) { SetBkColor(dc, device); });
}

void SetPenColor(ColorValue color) {
  Graphics.PenColor = color;
  SetPenStyle(Graphics.LineStyle, Graphics.LinePattern, Graphics.LineThickness);
  if (LastStatus() != StatusOk) return;
  const COLORREF device = MapColor(color);
  ApplyToBoth([&](HDC dc) { SetTextColor(dc, device); });
}

void SetPenStyle(std::uint16_t style, std::uint16_t pattern, std::uint16_t thickness) {
  if (!BeginOperation()) return;
  if (style >= PenStyles.size()) {
    SetStatus(StatusBadArgument);
    return;
  }
  Graphics.LineStyle = style;
  Graphics.LinePattern = pattern;
  Graphics.LineThickness = thickness;
  LOGPEN logical{};
  logical.lopnStyle = PenStyles[style];
  logical.lopnWidth.x = thickness;
  logical.lopnColor = MapColor(Graphics.PenColor);
  GraphicsLockGuard lock;
  SelectIntoBoth(CreatePenIndirect(&logical), Graphics.CurrentPen, Graphics.SavedPen);
}

void MovePen(std::int16_t x, std::int16_t y) {
  if (!BeginOperation()) return;
  Graphics.CurrentX = x;
  Graphics.CurrentY = y;
  const int deviceX = DeviceX(x), deviceY = DeviceY(y);
  ApplyToBoth([&](HDC dc) { MoveToEx(dc, deviceX, deviceY, nullptr); });
}

void DrawLineTo(std::int16_t x, std::int16_t y) {
  if (!BeginOperation()) return;
  const int deviceX = DeviceX(x), deviceY = DeviceY(y);
  if (Graphics.LineStyle == PatternStyle) {
    // PlotPixel takes the lock again inside; the holder may re-enter it.
    GraphicsLockGuard lock;
    Graphics.PatternStep = 0;
    LineDDA(Graphics.CurrentX, Graphics.CurrentY, x, y, PlotPatternPoint, 0);
    MovePen(x, y);
    return;
  }
  const bool onWindow = Graphics.DrawToWindow.load();
  // The platform's line stops short of its end; a one-pixel pen adds it,
  // under the same hold of the lock.
  const bool endPixel = Graphics.LineThickness == 1;
  const COLORREF color = MapColor(Graphics.PenColor);
  DrawOnBoth([&](HDC dc) {
    LineTo(dc, deviceX, deviceY);
    if (endPixel) SetPixelV(dc, deviceX, deviceY, color);
  });
  // The end of the move: LineTo has left each context it drew on at the end
  // point already, so only a context it did not draw on still needs moving.
  Graphics.CurrentX = x;
  Graphics.CurrentY = y;
  if (!onWindow) {
    GraphicsLockGuard lock;  // as for every call on a context (see ApplyToBoth)
    MoveToEx(Graphics.WindowDC, deviceX, deviceY, nullptr);
  }
}

void PlotPixel(std::int16_t x, std::int16_t y, ColorValue color) {
  if (!BeginOperation()) return;
  const int deviceX = DeviceX(x), deviceY = DeviceY(y);
  const COLORREF device = MapColor(color);
  DrawOnBoth([&](HDC dc) { SetPixelV(dc, deviceX, deviceY, device); });
}

}  // namespace kanvo
