// Font slots, fonts and text settings.
// Placeholder bodies: each succeeds when the window is open.
#include "kanvo/src/state.h"

namespace kanvo {

void InitFontSlots() {}
std::int16_t RegisterFont(std::string_view) {
  BeginOperation();
  return -1;
}
void SelectFont(std::uint16_t, std::uint16_t, std::uint16_t) { BeginOperation(); }
void SetTextAnchor(std::int16_t, std::int16_t) { BeginOperation(); }
void SetTextGaps(std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t) { BeginOperation(); }

}  // namespace kanvo
