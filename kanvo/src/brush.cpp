// Brushes, shapes and fills.
#include <iterator>

#include "kanvo/core/arc.h"
#include "kanvo/src/state.h"

namespace kanvo {
namespace {

struct BrushEntry {
  UINT Style;
  ULONG_PTR Hatch;
};

// Brush styles 0 to 9. Style 0 takes the background colour, style 8 the
// pattern bitmap, both filled in when the brush is made.
constexpr BrushEntry BrushTable[] = {
    {BS_SOLID, 0},               // 0 solid, background colour
    {BS_SOLID, 0},               // 1 solid
    {BS_HATCHED, HS_HORIZONTAL}, // 2
    {BS_HATCHED, HS_VERTICAL},   // 3
    {BS_HATCHED, HS_CROSS},      // 4
    {BS_HATCHED, HS_BDIAGONAL},  // 5
    {BS_HATCHED, HS_FDIAGONAL},  // 6
    {BS_HATCHED, HS_DIAGCROSS},  // 7
    {BS_PATTERN, 0},             // 8 the bitmap of SetBrushBits
    {BS_HOLLOW, 0},              // 9 paints nothing
};
static_assert(std::size(BrushTable) == 10);

constexpr std::uint16_t BackgroundStyle = 0;
constexpr std::uint16_t PatternStyle = 8;

}  // namespace

void SetBrushStyle(std::uint16_t style, ColorValue color) {
  if (!BeginOperation()) return;
  if (style >= std::size(BrushTable)) {
    SetStatus(StatusBadArgument);
    return;
  }
  const ColorValue brushColor = style == BackgroundStyle ? Graphics.BackColor : color;
  LOGBRUSH logical{};
  logical.lbStyle = BrushTable[style].Style;
  logical.lbColor = MapColor(brushColor);
  logical.lbHatch = BrushTable[style].Hatch;
  Graphics.BrushStyle = style;
  Graphics.BrushColor = brushColor;

  GraphicsLockGuard lock;
  if (style == PatternStyle) logical.lbHatch = reinterpret_cast<ULONG_PTR>(Graphics.PatternBitmap);
  SelectIntoBoth(CreateBrushIndirect(&logical), Graphics.CurrentBrush, Graphics.SavedBrush);
}

void SetBrushBits(std::array<std::uint8_t, 8> pattern, ColorValue color) {
  if (!BeginOperation()) return;
  const COLORREF set = MapColor(color);
  const COLORREF clear = MapColor(Graphics.BackColor);
  {
    GraphicsLockGuard lock;
    if (Graphics.PatternBitmap != nullptr) DeleteObject(Graphics.PatternBitmap);
    Graphics.PatternBitmap = CreateCompatibleBitmap(Graphics.PageDC, 8, 8);
    SelectObject(Graphics.PatternDC, Graphics.PatternBitmap);
    for (int row = 0; row < 8; ++row) {
      // The high bit is the leftmost pixel.
      for (int column = 7; column >= 0; --column) {
        const bool bit = (pattern[row] >> (7 - column)) & 1;
        SetPixelV(Graphics.PatternDC, column, row, bit ? set : clear);
      }
    }
    // A bitmap still selected into a context cannot become a brush.
    SelectObject(Graphics.PatternDC, Graphics.SavedBitmap);
  }
  SetBrushStyle(PatternStyle, color);
}

void DrawArc(std::int16_t x, std::int16_t y, std::uint16_t startAngle, std::uint16_t endAngle,
             std::uint16_t xRadius, std::uint16_t yRadius) {
  if (!BeginOperation()) return;
  const int cx = DeviceX(x), cy = DeviceY(y);
  const core::ArcGeometry arc =
      core::ComputeArc(startAngle, endAngle, xRadius, yRadius, Graphics.AspectX, Graphics.AspectY,
                       Graphics.AspectSquare);
  // The box's right and bottom edges are exclusive: the figure spans
  // cx - XRadius to cx + XRadius inclusive.
  const int left = cx - arc.XRadius, top = cy - arc.YRadius;
  const int right = cx + arc.XRadius + 1, bottom = cy + arc.YRadius + 1;
  const int startX = cx + arc.StartX, startY = cy - arc.StartY;
  const int endX = cx + arc.EndX, endY = cy - arc.EndY;
  DrawOnBoth([&](HDC dc) { Arc(dc, left, top, right, bottom, startX, startY, endX, endY); });
}

void DrawCircle(std::int16_t x, std::int16_t y, std::uint16_t radius) {
  DrawArc(x, y, 0, 360, radius, radius);
}

void FillBox(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  if (!BeginOperation()) return;
  if (x1 > x2 || y1 > y2) {
    SetStatus(StatusBadArgument);
    return;
  }
  RECT box{};
  SetRect(&box, DeviceX(x1), DeviceY(y1), DeviceX(x2) + 1, DeviceY(y2) + 1);
  DrawOnBoth([&](HDC dc) { FillRect(dc, &box, Graphics.CurrentBrush); });
}

void FloodArea(std::int16_t x, std::int16_t y, ColorValue border) {
  if (!BeginOperation()) return;
  const int seedX = DeviceX(x), seedY = DeviceY(y);
  const COLORREF borderColor = MapColor(border);
  const auto kind = static_cast<UINT>(Graphics.FloodKind);
  DrawOnBoth([&](HDC dc) { ExtFloodFill(dc, seedX, seedY, borderColor, kind); });
}

void ClearView() {
  MovePen(0, 0);
  if (LastStatus() != StatusOk) return;
  const std::uint16_t savedStyle = Graphics.BrushStyle;
  const ColorValue savedColor = Graphics.BrushColor;
  SetBrushStyle(1, Graphics.BackColor);
  FillBox(0, 0, Graphics.ViewWidth, Graphics.ViewHeight);
  SetBrushStyle(savedStyle, savedColor);
}

void ClearPage() {
  const ViewRectangle saved = Graphics.ViewRect;
  SetView(0, 0, static_cast<std::int16_t>(Graphics.MaxX.load()),
          static_cast<std::int16_t>(Graphics.MaxY.load()), false);
  ClearView();
  SetView(saved.X1, saved.Y1, saved.X2, saved.Y2, saved.Clip);
}

}  // namespace kanvo
