#include "kanvo/core/key_translate.h"

#include <algorithm>
#include <iterator>

namespace kanvo::core {
namespace {

// Which modifier's column a row uses when modifiers are down. The first one
// listed that is down wins; with none of them down the row gives Plain.
enum class Rule : std::uint8_t {
  AltDecides,          // Alt
  ControlDecides,      // Control
  AltThenControl,      // Alt, then Control
  ControlThenAlt,      // Control, then Alt; Shift ignored
  ShiftControlAlt,     // Shift, then Control, then Alt
  ControlAndAlt,       // Control's pair, then Alt's, each when its key is down
};

// A code of 0 means nothing is queued.
struct KeyRow {
  std::uint8_t Vk;
  std::uint8_t Plain, Shift, Control, Alt;
  Rule How;
  bool ControlIsByte = false;  // the Control code is queued without a prefix
};

using R = Rule;
constexpr KeyRow KeyTable[] = {
    {8, 0, 0, 0, 14, R::AltDecides},                   // Backspace
    {9, 0, 0, 30, 0, R::ControlDecides, true},         // Tab: the single byte 30
    {12, 76, 76, 143, 76, R::ControlDecides},          // Clear, keypad 5
    {13, 0, 0, 0, 166, R::AltDecides},                 // Enter
    {19, 12, 12, 0, 169, R::AltThenControl},           // Pause
    {32, 0, 0, 0, 11, R::AltDecides},                  // Space
    {33, 73, 73, 132, 153, R::ControlThenAlt},         // Page Up
    {34, 81, 81, 118, 161, R::ControlThenAlt},         // Page Down
    {35, 79, 79, 117, 165, R::ControlThenAlt},         // End
    {36, 71, 71, 119, 164, R::ControlThenAlt},         // Home
    {37, 75, 75, 115, 155, R::ControlThenAlt},         // Left
    {38, 72, 72, 141, 152, R::ControlThenAlt},         // Up
    {39, 77, 77, 116, 157, R::ControlThenAlt},         // Right
    {40, 80, 80, 145, 160, R::ControlThenAlt},         // Down
    {45, 82, 82, 146, 162, R::ControlThenAlt},         // Insert
    {46, 83, 83, 147, 163, R::ControlThenAlt},         // Delete
    {48, 0, 0, 10, 129, R::ControlAndAlt},             // "0"
    {49, 0, 0, 1, 120, R::ControlAndAlt},              // "1".."9": the digit, digit + 119
    {50, 0, 0, 2, 121, R::ControlAndAlt},
    {51, 0, 0, 3, 122, R::ControlAndAlt},
    {52, 0, 0, 4, 123, R::ControlAndAlt},
    {53, 0, 0, 5, 124, R::ControlAndAlt},
    {54, 0, 0, 6, 125, R::ControlAndAlt},
    {55, 0, 0, 7, 126, R::ControlAndAlt},
    {56, 0, 0, 8, 127, R::ControlAndAlt},
    {57, 0, 0, 9, 128, R::ControlAndAlt},
    {'A', 0, 0, 0, 30, R::AltDecides},                 // letters: the keyboard's scan codes
    {'B', 0, 0, 0, 48, R::AltDecides},
    {'C', 0, 0, 0, 46, R::AltDecides},
    {'D', 0, 0, 0, 32, R::AltDecides},
    {'E', 0, 0, 0, 18, R::AltDecides},
    {'F', 0, 0, 0, 33, R::AltDecides},
    {'G', 0, 0, 0, 34, R::AltDecides},
    {'H', 0, 0, 0, 35, R::AltDecides},
    {'I', 0, 0, 0, 23, R::AltDecides},
    {'J', 0, 0, 0, 36, R::AltDecides},
    {'K', 0, 0, 0, 37, R::AltDecides},
    {'L', 0, 0, 0, 38, R::AltDecides},
    {'M', 0, 0, 0, 50, R::AltDecides},
    {'N', 0, 0, 0, 49, R::AltDecides},
    {'O', 0, 0, 0, 24, R::AltDecides},
    {'P', 0, 0, 0, 25, R::AltDecides},
    {'Q', 0, 0, 0, 16, R::AltDecides},
    {'R', 0, 0, 0, 19, R::AltDecides},
    {'S', 0, 0, 0, 31, R::AltDecides},
    {'T', 0, 0, 0, 20, R::AltDecides},
    {'U', 0, 0, 0, 22, R::AltDecides},
    {'V', 0, 0, 0, 47, R::AltDecides},
    {'W', 0, 0, 0, 17, R::AltDecides},
    {'X', 0, 0, 0, 45, R::AltDecides},
    {'Y', 0, 0, 0, 21, R::AltDecides},
    {'Z', 0, 0, 0, 44, R::AltDecides},
    {93, 151, 151, 151, 151, R::ControlThenAlt},       // Applications: always 151
    {106, 0, 0, 149, 70, R::ControlThenAlt},           // keypad *
    {107, 0, 0, 144, 78, R::ControlThenAlt},           // keypad +
    {109, 0, 0, 142, 74, R::ControlThenAlt},           // keypad -
    {110, 0, 0, 150, 114, R::ControlThenAlt},          // keypad .
    {111, 0, 0, 148, 69, R::ControlThenAlt},           // keypad /
    {112, 59, 84, 94, 104, R::ShiftControlAlt},        // F1..F10: number + 58, 83, 93, 103
    {113, 60, 85, 95, 105, R::ShiftControlAlt},
    {114, 61, 86, 96, 106, R::ShiftControlAlt},
    {115, 62, 87, 97, 107, R::ShiftControlAlt},        // F4: Alt+F4 is the close code
    {116, 63, 88, 98, 108, R::ShiftControlAlt},
    {117, 64, 89, 99, 109, R::ShiftControlAlt},
    {118, 65, 90, 100, 110, R::ShiftControlAlt},
    {119, 66, 91, 101, 111, R::ShiftControlAlt},
    {120, 67, 92, 102, 112, R::ShiftControlAlt},
    {121, 68, 93, 103, 113, R::ShiftControlAlt},
    {122, 133, 135, 137, 139, R::ShiftControlAlt},     // F11
    {123, 134, 136, 138, 140, R::ShiftControlAlt},     // F12
};
static_assert(std::size(KeyTable) == 70);

// The column a row uses: 0 Plain, 1 Shift, 2 Control, 3 Alt.
int ChooseColumn(Rule how, Modifiers m) {
  switch (how) {
    case Rule::AltDecides:
      return m.Alt ? 3 : 0;
    case Rule::ControlDecides:
      return m.Control ? 2 : 0;
    case Rule::AltThenControl:
      return m.Alt ? 3 : m.Control ? 2 : 0;
    case Rule::ControlThenAlt:
      return m.Control ? 2 : m.Alt ? 3 : 0;
    case Rule::ShiftControlAlt:
      return m.Shift ? 1 : m.Control ? 2 : m.Alt ? 3 : 0;
    case Rule::ControlAndAlt:
      break;
  }
  return 0;
}

void Add(KeyEntries& entries, std::uint8_t code, bool extended = true) {
  if (code == 0) return;
  entries.Items[entries.Count++] = KeyEntry{extended, code};
}

}  // namespace

KeyEntries TranslateVirtualKey(std::uint32_t vk, Modifiers modifiers) {
  KeyEntries entries;
  const KeyRow* row = std::find_if(std::begin(KeyTable), std::end(KeyTable),
                                   [vk](const KeyRow& r) { return r.Vk == vk; });
  if (row == std::end(KeyTable)) return entries;

  if (row->How == Rule::ControlAndAlt) {
    if (modifiers.Control) Add(entries, row->Control);
    if (modifiers.Alt) Add(entries, row->Alt);
    if (!modifiers.Control && !modifiers.Alt) Add(entries, row->Plain);
    return entries;
  }
  switch (ChooseColumn(row->How, modifiers)) {
    case 1:
      Add(entries, row->Shift);
      break;
    case 2:
      Add(entries, row->Control, !row->ControlIsByte);
      break;
    case 3:
      Add(entries, row->Alt);
      break;
    default:
      Add(entries, row->Plain);
      break;
  }
  return entries;
}

}  // namespace kanvo::core
