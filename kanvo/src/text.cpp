// Font slots, fonts and text settings of both drawing contexts.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "kanvo/src/state.h"

namespace kanvo {
namespace {

constexpr const char* DefaultFaces[] = {"Courier New", "MS Sans Serif", "Times New Roman", "Arial"};
static_assert(std::size(DefaultFaces) == 4);

constexpr std::size_t SlotCapacity = sizeof(FontSlot::Name);  // 31, the NUL included

// Alignment flags by anchor argument.
constexpr UINT HorizontalAlign[] = {
    TA_LEFT,    // 0
    TA_CENTER,  // 1
    TA_RIGHT,   // 2
};
constexpr UINT VerticalAlign[] = {
    TA_TOP,       // 0
    TA_BOTTOM,    // 1
    TA_BASELINE,  // 2
};
static_assert(std::size(HorizontalAlign) == 3 && std::size(VerticalAlign) == 3);

// Ends the enumeration at the first family found: finding one is all we ask.
int CALLBACK NoteFamilyFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM) {
  Graphics.PatternStep = 1;
  return 0;
}

}  // namespace

std::int16_t RegisterFont(std::string_view name) {
  std::int16_t result = -1;
  if (!BeginOperation()) return result;
  // The platform wants a terminated name; the public limit is 255 characters.
  const std::string family(name.substr(0, 255));
  {
    GraphicsLockGuard lock;
    Graphics.PatternStep = 0;
    const auto enumerate = Graphics.EnumFontFamiliesForTest != nullptr
                               ? Graphics.EnumFontFamiliesForTest
                               : EnumFontFamiliesA;
    enumerate(Graphics.WindowDC, family.c_str(), NoteFamilyFound, 0);
    if (Graphics.PatternStep == 1) {
      for (std::int16_t i = 0; i < 15; ++i) {
        FontSlot& slot = Graphics.FontSlots[i];
        if (slot.Length != 0) continue;
        // The stored string is the name and its NUL, cut to the slot's size.
        const std::size_t stored = std::min(family.size() + 1, SlotCapacity);
        std::memset(slot.Name, 0, SlotCapacity);
        std::memcpy(slot.Name, family.c_str(), stored);
        slot.Length = static_cast<std::uint8_t>(stored);
        result = i;
        break;
      }
    }
  }
  if (result == -1) SetStatus(StatusFontUnavailable);
  return result;
}

void InitFontSlots() {
  for (FontSlot& slot : Graphics.FontSlots) slot.Length = 0;
  for (const char* face : DefaultFaces) {
    RegisterFont(face);
    if (LastStatus() != StatusOk) return;
  }
}

void SelectFont(std::uint16_t font, std::uint16_t direction, std::uint16_t size) {
  if (!BeginOperation()) return;
  const unsigned slot = font & 0xF;
  if (slot == 15 || Graphics.FontSlots[slot].Length == 0) {
    SetStatus(StatusFontSlotEmpty);
    return;
  }

  LOGFONTA logical{};
  logical.lfHeight = size <= 5 ? size * 8 : size;
  logical.lfWidth = 0;
  logical.lfEscapement = direction * 10;
  logical.lfOrientation = direction * 10;
  logical.lfWeight = 400 + 300 * ((font >> 4) & 0xF);
  logical.lfItalic = static_cast<BYTE>((font >> 12) & 0xF);
  logical.lfUnderline = static_cast<BYTE>((font >> 8) & 0xF);
  logical.lfStrikeOut = 0;
  logical.lfCharSet = DEFAULT_CHARSET;
  const FontSlot& stored = Graphics.FontSlots[slot];
  std::memcpy(logical.lfFaceName, stored.Name, std::min<std::size_t>(stored.Length, SlotCapacity));

  GraphicsLockGuard lock;
  SelectIntoBoth(CreateFontIndirectA(&logical), Graphics.CurrentFont, Graphics.SavedFont);
}

void SetTextAnchor(std::int16_t horizontal, std::int16_t vertical) {
  if (!BeginOperation()) return;
  if (horizontal < 0 || horizontal > 2 || vertical < 0 || vertical > 2) {
    SetStatus(StatusBadArgument);
    return;
  }
  const UINT align = HorizontalAlign[horizontal] | VerticalAlign[vertical] | TA_UPDATECP;
  ApplyToBoth([align](HDC dc) { SetTextAlign(dc, align); });
}

void SetTextGaps(std::uint16_t charExtra, std::uint16_t breakExtra, std::uint16_t, std::uint16_t) {
  if (!BeginOperation()) return;
  ApplyToBoth([charExtra](HDC dc) { SetTextCharacterExtra(dc, charExtra); });
  ApplyToBoth([breakExtra](HDC dc) { SetTextJustification(dc, breakExtra, 1); });
}

}  // namespace kanvo
