#include <doctest/doctest.h>

#include <set>
#include <vector>

#include "kanvo/core/key_translate.h"

using namespace kanvo::core;

namespace {

using Bytes = std::vector<int>;

// The bytes a translation puts into the stream.
Bytes Stream(const KeyEntries& entries) {
  Bytes bytes;
  for (int i = 0; i < entries.Count; ++i) {
    if (entries.Items[i].Extended) bytes.push_back(0);
    bytes.push_back(entries.Items[i].Code);
  }
  return bytes;
}

Bytes Translate(std::uint32_t vk, bool shift, bool control, bool alt) {
  return Stream(TranslateVirtualKey(vk, Modifiers{shift, control, alt}));
}

Bytes Pair(int code) { return code == 0 ? Bytes{} : Bytes{0, code}; }

// Which single-modifier column each combination of modifiers gives, for the
// combinations Shift+Control, Shift+Alt, Control+Alt and all three. 'P' is
// the no-modifier column, 'B' both the Control and the Alt pair, 'N' nothing.
struct Combos {
  char shiftControl, shiftAlt, controlAlt, all;
};
constexpr Combos AltDecides{'P', 'A', 'A', 'A'};
constexpr Combos ControlDecides{'C', 'P', 'C', 'C'};
constexpr Combos ControlOverAlt{'C', 'A', 'C', 'C'};
constexpr Combos Digits{'C', 'A', 'B', 'B'};
constexpr Combos FunctionKeys{'S', 'S', 'C', 'S'};
constexpr Combos Pause{'N', 'A', 'A', 'A'};

struct Row {
  std::uint32_t vk;
  Bytes plain, shift, control, alt;
  Combos combos;
};

std::vector<Row> ExpectedRows() {
  std::vector<Row> rows = {
      {8, {}, {}, {}, Pair(14), AltDecides},
      {9, {}, {}, {30}, {}, ControlDecides},
      {12, Pair(76), Pair(76), Pair(143), Pair(76), ControlDecides},
      {13, {}, {}, {}, Pair(166), AltDecides},
      {19, Pair(12), Pair(12), {}, Pair(169), Pause},
      {32, {}, {}, {}, Pair(11), AltDecides},
      {93, Pair(151), Pair(151), Pair(151), Pair(151), ControlOverAlt},
      {106, {}, {}, Pair(149), Pair(70), ControlOverAlt},
      {107, {}, {}, Pair(144), Pair(78), ControlOverAlt},
      {109, {}, {}, Pair(142), Pair(74), ControlOverAlt},
      {110, {}, {}, Pair(150), Pair(114), ControlOverAlt},
      {111, {}, {}, Pair(148), Pair(69), ControlOverAlt},
      {122, Pair(133), Pair(135), Pair(137), Pair(139), FunctionKeys},
      {123, Pair(134), Pair(136), Pair(138), Pair(140), FunctionKeys},
  };
  // Page Up, Page Down, End, Home, Left, Up, Right, Down, Insert, Delete.
  const int nav[][4] = {{33, 73, 132, 153}, {34, 81, 118, 161}, {35, 79, 117, 165},
                        {36, 71, 119, 164}, {37, 75, 115, 155}, {38, 72, 141, 152},
                        {39, 77, 116, 157}, {40, 80, 145, 160}, {45, 82, 146, 162},
                        {46, 83, 147, 163}};
  for (const auto& n : nav) {
    rows.push_back({static_cast<std::uint32_t>(n[0]), Pair(n[1]), Pair(n[1]), Pair(n[2]),
                    Pair(n[3]), ControlOverAlt});
  }
  rows.push_back({48, {}, {}, Pair(10), Pair(129), Digits});
  for (int digit = 1; digit <= 9; ++digit) {
    rows.push_back({static_cast<std::uint32_t>(48 + digit), {}, {}, Pair(digit),
                    Pair(digit + 119), Digits});
  }
  const int letters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                           49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  for (int i = 0; i < 26; ++i) {
    rows.push_back({static_cast<std::uint32_t>('A' + i), {}, {}, {}, Pair(letters[i]), AltDecides});
  }
  for (int n = 1; n <= 10; ++n) {
    rows.push_back({static_cast<std::uint32_t>(111 + n), Pair(n + 58), Pair(n + 83), Pair(n + 93),
                    Pair(n + 103), FunctionKeys});
  }
  return rows;
}

Bytes Column(const Row& row, char which) {
  switch (which) {
    case 'S':
      return row.shift;
    case 'C':
      return row.control;
    case 'A':
      return row.alt;
    case 'N':
      return {};
    case 'B': {
      Bytes both = row.control;
      both.insert(both.end(), row.alt.begin(), row.alt.end());
      return both;
    }
    default:
      return row.plain;
  }
}

}  // namespace

TEST_CASE("every row of the key table with each modifier and each combination") {
  const std::vector<Row> rows = ExpectedRows();
  REQUIRE(rows.size() == 70);
  for (const Row& row : rows) {
    CAPTURE(row.vk);
    CHECK(Translate(row.vk, false, false, false) == row.plain);
    CHECK(Translate(row.vk, true, false, false) == row.shift);
    CHECK(Translate(row.vk, false, true, false) == row.control);
    CHECK(Translate(row.vk, false, false, true) == row.alt);
    CHECK(Translate(row.vk, true, true, false) == Column(row, row.combos.shiftControl));
    CHECK(Translate(row.vk, true, false, true) == Column(row, row.combos.shiftAlt));
    CHECK(Translate(row.vk, false, true, true) == Column(row, row.combos.controlAlt));
    CHECK(Translate(row.vk, true, true, true) == Column(row, row.combos.all));
  }
}

TEST_CASE("keys outside the table queue nothing with any modifiers") {
  std::set<std::uint32_t> inTable;
  for (const Row& row : ExpectedRows()) inTable.insert(row.vk);
  // Escape, the modifiers themselves, the Windows keys, keypad digits, F13 on,
  // and values past the byte range whose low byte is a key of the table.
  for (std::uint32_t vk = 0; vk < 300; ++vk) {
    if (inTable.count(vk) != 0) continue;
    CAPTURE(vk);
    for (int m = 0; m < 8; ++m) {
      CHECK(Translate(vk, m & 1, m & 2, m & 4).empty());
    }
  }
}

TEST_CASE("the combinations the keyboard's users rely on") {
  CHECK(Translate('5', false, true, true) == Bytes{0, 5, 0, 124});
  CHECK(Translate('0', false, true, true) == Bytes{0, 10, 0, 129});
  CHECK(Translate(9, false, true, false) == Bytes{30});
  CHECK(Translate(19, false, true, false).empty());
  CHECK(Translate(19, false, true, true) == Bytes{0, 169});
  CHECK(Translate(115, false, false, true) == Bytes{0, 107});  // Alt+F4: the close code
  CHECK(Translate(37, false, false, false) == Bytes{0, 75});
  CHECK(Translate(112, false, false, false) == Bytes{0, 59});
  CHECK(Translate('X', false, false, true) == Bytes{0, 45});
  CHECK(Translate(27, false, false, false).empty());  // Escape comes as a character
}
