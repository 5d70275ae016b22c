// Brushes, shapes and fills.
// Placeholder bodies: each succeeds when the window is open and draws nothing.
#include "kanvo/src/state.h"

namespace kanvo {

void SetBrushStyle(std::uint16_t, ColorValue) { BeginOperation(); }
void SetBrushBits(std::array<std::uint8_t, 8>, ColorValue) { BeginOperation(); }
void DrawArc(std::int16_t, std::int16_t, std::uint16_t, std::uint16_t, std::uint16_t,
             std::uint16_t) {
  BeginOperation();
}
void DrawCircle(std::int16_t, std::int16_t, std::uint16_t) { BeginOperation(); }
void FillBox(std::int16_t, std::int16_t, std::int16_t, std::int16_t) { BeginOperation(); }
void FloodArea(std::int16_t, std::int16_t, ColorValue) { BeginOperation(); }
void ClearView() { BeginOperation(); }
void ClearPage() { BeginOperation(); }

}  // namespace kanvo
