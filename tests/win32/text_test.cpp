// Font slots, font selection and the text settings of both contexts.
#include <string>

#include "support.h"

using namespace kanvo;

namespace {

std::string SlotName(int slot) {
  const FontSlot& s = Graphics.FontSlots[slot];
  std::string name(s.Name, s.Length);
  if (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

// The logical font selected into a context, as the platform reports it.
LOGFONTA SelectedFont(HDC dc) { return test::SelectedObject<LOGFONTA>(dc, OBJ_FONT); }

// A family the test prefix provides under a name of exactly 31 characters,
// the longest a logical font can carry.
constexpr char LongFace[] = "Kanvo Test Face Named 31 Chars.";
static_assert(sizeof LongFace - 1 == 31);

}  // namespace

TEST_CASE("the four default faces fill slots 0 to 3 on opening") {
  test::OpenWindow window;
  CHECK(LastStatus() == StatusOk);
  const char* faces[] = {"Courier New", "MS Sans Serif", "Times New Roman", "Arial"};
  for (int i = 0; i < 4; ++i) {
    CAPTURE(i);
    CHECK(SlotName(i) == faces[i]);
    CHECK(Graphics.FontSlots[i].Length == std::string(faces[i]).size() + 1);
  }
  for (int i = 4; i < 15; ++i) CHECK(Graphics.FontSlots[i].Length == 0);

  // a second opening empties the table and fills it afresh
  CHECK(RegisterFont("Arial") == 4);
  StopGraphics();
  test::OpenWindow again;
  CHECK(Graphics.FontSlots[4].Length == 0);
  CHECK(SlotName(3) == "Arial");
}

TEST_CASE("registering faces") {
  test::OpenWindow window;

  SUBCASE("an installed face goes into the first free slot, again and again") {
    CHECK(RegisterFont("Times New Roman") == 4);
    CHECK(LastStatus() == StatusOk);
    CHECK(SlotName(4) == "Times New Roman");
    CHECK(RegisterFont("Times New Roman") == 5);
    CHECK(SlotName(5) == "Times New Roman");
  }
  SUBCASE("an unknown face is refused and changes nothing") {
    CHECK(RegisterFont("No Such Face Anywhere") == -1);
    CHECK(LastStatus() == StatusFontUnavailable);
    for (int i = 4; i < 15; ++i) CHECK(Graphics.FontSlots[i].Length == 0);
    CHECK(RegisterFont("") == -1);
    CHECK(LastStatus() == StatusFontUnavailable);
    CHECK(RegisterFont("Arial") == 4);
  }
  SUBCASE("nothing fits once all 15 slots are filled") {
    for (std::int16_t slot = 4; slot < 15; ++slot) CHECK(RegisterFont("Arial") == slot);
    CHECK(RegisterFont("Arial") == -1);
    CHECK(LastStatus() == StatusFontUnavailable);
    CHECK(SlotName(14) == "Arial");
  }
  SUBCASE("a long name is stored as its first 31 characters") {
    const std::string name = std::string(LongFace) + "123456789";
    REQUIRE(name.size() == 40);
    CHECK(RegisterFont(name) == 4);
    CHECK(Graphics.FontSlots[4].Length == 31);
    CHECK(SlotName(4) == LongFace);
    // and selecting it names the face in full
    SelectFont(4, 0, 16);
    CHECK(LastStatus() == StatusOk);
    CHECK(std::string(SelectedFont(Graphics.PageDC).lfFaceName) == LongFace);
  }
}

TEST_CASE("selecting fonts") {
  test::OpenWindow window;

  // the reset selects slot 0 at 16 pixels, normal weight, upright
  LOGFONTA initial = SelectedFont(Graphics.PageDC);
  CHECK(std::string(initial.lfFaceName) == "Courier New");
  CHECK(initial.lfHeight == 16);
  CHECK(initial.lfWeight == 400);

  struct Case {
    std::uint16_t font, direction, size;
    LONG height, weight, escapement;
    BYTE italic, underline;
    const char* face;
  };
  const Case cases[] = {
      {0x110, 0, 16, 16, 700, 0, 0, 1, "Courier New"},       // bold, underlined
      {0x1000, 0, 16, 16, 400, 0, 1, 0, "Courier New"},      // italic
      {0x0003, 0, 0, 0, 400, 0, 0, 0, "Arial"},              // the platform's height
      {0x0002, 0, 1, 8, 400, 0, 0, 0, "Times New Roman"},    // small sizes are steps of 8
      {0x0001, 0, 5, 40, 400, 0, 0, 0, "MS Sans Serif"},
      {0x0000, 0, 6, 6, 400, 0, 0, 0, "Courier New"},        // from 6 on, pixels
      {0x0000, 90, 16, 16, 400, 900, 0, 0, "Courier New"},   // running upward
      {0x0F20, 0, 16, 16, 1000, 0, 0, 15, "Courier New"},    // step 2, underline nibble kept
  };
  for (const Case& c : cases) {
    CAPTURE(c.font);
    CAPTURE(c.size);
    SelectFont(c.font, c.direction, c.size);
    CHECK(LastStatus() == StatusOk);
    for (HDC dc : {Graphics.WindowDC, Graphics.PageDC}) {
      const LOGFONTA f = SelectedFont(dc);
      CHECK(f.lfHeight == c.height);
      CHECK(f.lfWidth == 0);
      CHECK(f.lfWeight == c.weight);
      CHECK(f.lfEscapement == c.escapement);
      CHECK(f.lfOrientation == c.escapement);
      CHECK(f.lfItalic == c.italic);
      CHECK(f.lfUnderline == c.underline);
      CHECK(f.lfStrikeOut == 0);
      CHECK(f.lfCharSet == DEFAULT_CHARSET);
      CHECK(f.lfOutPrecision == 0);
      CHECK(f.lfClipPrecision == 0);
      CHECK(f.lfQuality == 0);
      CHECK(f.lfPitchAndFamily == 0);
      CHECK(std::string(f.lfFaceName) == c.face);
    }
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_FONT) == Graphics.CurrentFont);
  }

  // slot 15 and empty slots are refused and leave the font selected
  HFONT before = Graphics.CurrentFont;
  for (std::uint16_t font : {15, 4, 14, 0x11E}) {
    CAPTURE(font);
    SelectFont(font, 0, 16);
    CHECK(LastStatus() == StatusFontSlotEmpty);
    CHECK(Graphics.CurrentFont == before);
    CHECK(GetCurrentObject(Graphics.WindowDC, OBJ_FONT) == before);
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_FONT) == before);
  }
}

TEST_CASE("replaced fonts are deleted") {
  test::OpenWindow window;
  HFONT first = Graphics.CurrentFont;
  SelectFont(0, 0, 20);
  CHECK(Graphics.CurrentFont != first);
  CHECK(GetObjectType(first) == 0);
}

TEST_CASE("text anchor and gaps apply to both contexts") {
  test::OpenWindow window;
  // the reset: left, top, updating the current position
  CHECK(GetTextAlign(Graphics.WindowDC) == TA_UPDATECP);
  CHECK(GetTextAlign(Graphics.PageDC) == TA_UPDATECP);

  SetTextAnchor(1, 2);
  CHECK(LastStatus() == StatusOk);
  CHECK(GetTextAlign(Graphics.WindowDC) == 31);
  CHECK(GetTextAlign(Graphics.PageDC) == 31);
  SetTextAnchor(2, 1);
  CHECK(GetTextAlign(Graphics.PageDC) == (TA_RIGHT | TA_BOTTOM | TA_UPDATECP));

  for (auto [h, v] : {std::pair{3, 0}, {0, 3}, {-1, 0}, {0, -1}}) {
    CAPTURE(h);
    CAPTURE(v);
    SetTextAnchor(static_cast<std::int16_t>(h), static_cast<std::int16_t>(v));
    CHECK(LastStatus() == StatusBadArgument);
    CHECK(GetTextAlign(Graphics.WindowDC) == (TA_RIGHT | TA_BOTTOM | TA_UPDATECP));
    CHECK(GetTextAlign(Graphics.PageDC) == (TA_RIGHT | TA_BOTTOM | TA_UPDATECP));
  }

  SetTextGaps(3, 0, 99, 99);
  CHECK(LastStatus() == StatusOk);
  CHECK(GetTextCharacterExtra(Graphics.WindowDC) == 3);
  CHECK(GetTextCharacterExtra(Graphics.PageDC) == 3);

}

TEST_CASE("text operations on a closed window") {
  {
    test::OpenWindow window;
  }
  CHECK(RegisterFont("Arial") == -1);
  CHECK(LastStatus() == StatusNotOpen);
  SelectFont(0, 0, 16);
  CHECK(LastStatus() == StatusNotOpen);
  SetTextAnchor(0, 0);
  CHECK(LastStatus() == StatusNotOpen);
  SetTextGaps(0, 0, 0, 0);
  CHECK(LastStatus() == StatusNotOpen);
  SetTextAnchor(5, 5);
  CHECK(LastStatus() == StatusNotOpen);
}
