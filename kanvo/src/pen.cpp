// Pen, view, raster mode, lines and pixels.
// Placeholder bodies: each succeeds when the window is open and draws nothing.
#include "kanvo/src/state.h"

namespace kanvo {

ColorValue MapColor(ColorValue color) { return color; }
void SetView(std::int16_t, std::int16_t, std::int16_t, std::int16_t, bool) { BeginOperation(); }
void SetRasterMode(std::int16_t) { BeginOperation(); }
void SetAspectFactors(std::uint16_t, std::uint16_t) {}
void SetBackColor(ColorValue) { BeginOperation(); }
void SetPenColor(ColorValue) { BeginOperation(); }
void SetPenStyle(std::uint16_t, std::uint16_t, std::uint16_t) { BeginOperation(); }
void MovePen(std::int16_t, std::int16_t) { BeginOperation(); }
void DrawLineTo(std::int16_t, std::int16_t) { BeginOperation(); }
void PlotPixel(std::int16_t, std::int16_t, ColorValue) { BeginOperation(); }

}  // namespace kanvo
