#include <doctest/doctest.h>

#include "kanvo/core/palette_tables.h"

using namespace kanvo::core;

namespace {
struct Entry {
  int index;
  int red, green, blue;
};

void CheckEntries(const std::array<std::uint32_t, 256>& table, std::initializer_list<Entry> rows) {
  for (const Entry& e : rows) {
    CAPTURE(e.index);
    const std::uint32_t c = table[e.index];
    CHECK((c & 0xFF) == static_cast<std::uint32_t>(e.red));
    CHECK(((c >> 8) & 0xFF) == static_cast<std::uint32_t>(e.green));
    CHECK(((c >> 16) & 0xFF) == static_cast<std::uint32_t>(e.blue));
    CHECK((c >> 24) == 0);
  }
}
}  // namespace

TEST_CASE("colours pack red into the low byte") {
  CHECK(Rgb(1, 2, 3) == 0x030201u);
  CHECK(Rgb(255, 255, 255) == 0xFFFFFFu);
}

TEST_CASE("standard palette: standard colours and grey ramp") {
  CheckEntries(StandardPalette, {
      {0, 0, 0, 0},       {1, 0, 0, 168},      {2, 0, 168, 0},     {3, 0, 168, 168},
      {4, 168, 0, 0},     {5, 168, 0, 168},    {6, 168, 84, 0},    {7, 168, 168, 168},
      {8, 84, 84, 84},    {9, 132, 132, 252},  {10, 84, 252, 84},  {11, 84, 252, 252},
      {12, 252, 84, 84},  {13, 252, 84, 252},  {14, 252, 252, 84}, {15, 252, 252, 252},
      {16, 0, 0, 0},      {17, 20, 20, 20},    {18, 32, 32, 32},   {19, 44, 44, 44},
      {20, 56, 56, 56},   {21, 68, 68, 68},    {22, 80, 80, 80},   {23, 96, 96, 96},
      {24, 112, 112, 112}, {25, 128, 128, 128}, {26, 144, 144, 144}, {27, 160, 160, 160},
      {28, 180, 180, 180}, {29, 200, 200, 200}, {30, 224, 224, 224}, {31, 252, 252, 252},
  });
}

TEST_CASE("standard palette: the hue circles") {
  // Every sixth step of a circle turns one component fully; the entries
  // between are checked at the rule's joins and ends.
  CheckEntries(StandardPalette, {
      // circle 0: 0, 64, 124, 188, 252
      {32, 0, 0, 252}, {33, 64, 0, 252}, {36, 252, 0, 252}, {37, 252, 0, 188},
      {40, 252, 0, 0}, {41, 252, 64, 0}, {44, 252, 252, 0}, {45, 188, 252, 0},
      {48, 0, 252, 0}, {49, 0, 252, 64}, {52, 0, 252, 252}, {53, 0, 188, 252},
      {55, 0, 64, 252},
      // circle 1: 124, 156, 188, 220, 252
      {56, 124, 124, 252}, {60, 252, 124, 252}, {64, 252, 124, 124}, {66, 252, 188, 124},
      {79, 124, 156, 252},
      // circle 2: 180, 196, 216, 232, 252
      {80, 180, 180, 252}, {85, 252, 180, 232}, {92, 252, 252, 180}, {103, 180, 196, 252},
      // circle 3: 0, 28, 56, 84, 112
      {104, 0, 0, 112}, {110, 112, 0, 56}, {118, 56, 112, 0}, {127, 0, 28, 112},
      // circle 4: 56, 68, 84, 96, 112
      {128, 56, 56, 112}, {139, 112, 96, 56}, {151, 56, 68, 112},
      // circle 5: 80, 88, 96, 104, 112
      {152, 80, 80, 112}, {171, 80, 112, 104}, {175, 80, 88, 112},
      // circle 6: 0, 16, 32, 48, 64
      {176, 0, 0, 64}, {178, 32, 0, 64}, {199, 0, 16, 64},
      // circle 7: 32, 40, 48, 56, 64
      {200, 32, 32, 64}, {208, 64, 32, 32}, {223, 32, 40, 64},
      // circle 8: 44, 48, 52, 60, 64, before its shift
      {224, 44, 44, 64}, {231, 64, 44, 48},
  });
}

TEST_CASE("standard palette: the two departures and the black tail") {
  // Entry 65 would be 252/156/124 by the rule.
  CheckEntries(StandardPalette, {{65, 252, 156, 252}});
  // Circle 8 skips the rule's 64/44/44: from 232 on each entry is the rule's
  // next one, and 247 is black.
  CheckEntries(StandardPalette, {
      {232, 64, 48, 44}, {235, 64, 64, 44}, {240, 44, 64, 48}, {246, 44, 48, 64},
      {247, 0, 0, 0},
  });
  for (int i = 224; i < 256; ++i) {
    CAPTURE(i);
    CHECK(StandardPalette[i] != Rgb(64, 44, 44));
  }
  for (int i = 248; i < 256; ++i) {
    CAPTURE(i);
    CHECK(StandardPalette[i] == 0);
  }
}

TEST_CASE("named colours") {
  // The five the library and the programs use.
  CheckEntries(NamedColorRGB, {
      {12, 0, 0, 0}, {15, 0, 0, 255}, {105, 0, 128, 0}, {128, 144, 238, 144},
      {250, 255, 255, 255},
  });
  // The first and last rows and a sample between.
  CheckEntries(NamedColorRGB, {
      {0, 240, 248, 255}, {1, 227, 38, 54}, {2, 255, 191, 0}, {3, 153, 102, 204},
      {4, 250, 235, 215}, {5, 127, 255, 212}, {6, 123, 160, 91}, {7, 240, 255, 255},
      {63, 139, 0, 139}, {100, 255, 215, 0}, {143, 11, 218, 81}, {177, 171, 205, 239},
      {200, 221, 160, 221}, {219, 8, 37, 103},
      {248, 64, 130, 109}, {249, 245, 222, 179}, {251, 245, 245, 245}, {252, 201, 160, 220},
      {253, 255, 255, 0}, {254, 154, 205, 50}, {255, 235, 194, 175},
  });
}
