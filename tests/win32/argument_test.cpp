// Every numeric argument outside its table: the status the operation states
// and nothing changed, neither the library's state nor a pixel of any page.
#include <functional>
#include <vector>

#include "snapshot.h"
#include "support.h"

using namespace kanvo;

namespace {

constexpr std::int16_t Marker = 77;

// A fingerprint of the pixels of all four pages.
std::uint64_t PagesHash() {
  GraphicsLockGuard lock;
  GdiFlush();
  std::uint64_t hash = 1469598103934665603ull;
  for (HBITMAP page : Graphics.Pages) {
    DIBSECTION dib{};
    REQUIRE(GetObjectA(page, sizeof dib, &dib) == sizeof dib);
    const auto* bytes = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    const std::size_t size = static_cast<std::size_t>(dib.dsBm.bmWidthBytes) * dib.dsBm.bmHeight;
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  }
  return hash;
}

struct Case {
  const char* Name;
  std::function<void()> Call;
  std::int16_t Status;  // Marker: the status is left alone
  std::function<void(test::Snapshot&)> Effect = [](test::Snapshot&) {};
};

bool FileExists(const char* name) {
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

std::vector<Case> OpenCases(bool paletteMode) {
  std::vector<Case> cases = {
      {"SetView x1 > x2", [] { SetView(5, 0, 4, 100, false); }, StatusBadArgument},
      {"SetView y1 > y2", [] { SetView(0, 5, 100, 4, true); }, StatusBadArgument},
      {"SetView 32767 > -32768", [] { SetView(32767, 0, -32768, 10, true); },
       StatusBadArgument},
      {"SetPenStyle 7", [] { SetPenStyle(7, 0xFFFF, 1); }, StatusBadArgument},
      {"SetPenStyle 8", [] { SetPenStyle(8, 0, 3); }, StatusBadArgument},
      {"SetPenStyle 65535", [] { SetPenStyle(65535, 0x1234, 0); }, StatusBadArgument},
      {"SetBrushStyle 10", [] { SetBrushStyle(10, NamedColor[15]); }, StatusBadArgument},
      {"SetBrushStyle 255", [] { SetBrushStyle(255, NamedColor[15]); }, StatusBadArgument},
      {"SetBrushStyle 65535", [] { SetBrushStyle(65535, NamedColor[15]); },
       StatusBadArgument},
      {"FillBox x1 > x2", [] { FillBox(6, 5, 5, 5); }, StatusBadArgument},
      {"FillBox y1 > y2", [] { FillBox(5, 6, 5, 5); }, StatusBadArgument},
      {"FillBox 32767 > -32768", [] { FillBox(32767, 0, -32768, 10); }, StatusBadArgument},
      {"SetTextAnchor horizontal 3", [] { SetTextAnchor(3, 0); }, StatusBadArgument},
      {"SetTextAnchor vertical 3", [] { SetTextAnchor(0, 3); }, StatusBadArgument},
      {"SetTextAnchor horizontal -1", [] { SetTextAnchor(-1, 1); }, StatusBadArgument},
      {"SetTextAnchor vertical -1", [] { SetTextAnchor(1, -1); }, StatusBadArgument},
      {"SetTextAnchor 32767, -32768", [] { SetTextAnchor(32767, -32768); },
       StatusBadArgument},
      {"SelectFont slot 15", [] { SelectFont(0x000F, 0, 16); }, StatusFontSlotEmpty},
      {"SelectFont 0xFFFF", [] { SelectFont(0xFFFF, 90, 16); }, StatusFontSlotEmpty},
      {"SelectFont empty slot 4", [] { SelectFont(0x0114, 0, 16); }, StatusFontSlotEmpty},
      {"SelectFont empty slot 14", [] { SelectFont(0x000E, 0, 16); }, StatusFontSlotEmpty},
      {"RegisterFont of no installed face",
       [] { CHECK(RegisterFont("Kanvo No Such Face") == -1); }, StatusFontUnavailable},
      {"RefreshScreen 3", [] { RefreshScreen(3); }, Marker},
      {"RefreshScreen -1", [] { RefreshScreen(-1); }, Marker},
      {"RefreshScreen 32767", [] { RefreshScreen(32767); }, Marker},
      {"SavePage 4",
       [] {
         SavePage(4, "argument-page.bmp");
         CHECK_FALSE(FileExists("argument-page.bmp"));
       },
       StatusBadArgument},
      {"SavePage -1",
       [] {
         SavePage(-1, "argument-page.bmp");
         CHECK_FALSE(FileExists("argument-page.bmp"));
       },
       StatusBadArgument},
  };
  for (std::int16_t mode : {32, -1, -16, -17, 48, 100, 32767, -32768}) {
    cases.push_back({"SetRasterMode", [mode] { SetRasterMode(mode); }, StatusBadArgument});
  }
  // More entries than the mode has, and none: -7 in a palette mode; in
  // direct colour no palette operation runs at all.
  for (std::uint16_t count : {std::uint16_t{0}, std::uint16_t{17}, std::uint16_t{257},
                              std::uint16_t{65535}}) {
    const std::int16_t status =
        paletteMode ? (count == 0 || count > Graphics.ColorCount ? StatusBadArgument : StatusOk)
                    : StatusNotPaletteMode;
    cases.push_back({"ApplyPalette",
                     [count] {
                       PaletteRecord palette;
                       ReadStandardPalette(palette);
                       palette.count = count;
                       ApplyPalette(palette);
                     },
                     status});
  }
  // Page numbers outside 0..3 mean page 0, without a status.
  for (std::int16_t page : {4, 7, -1, 32767, -32768}) {
    cases.push_back({"SetDrawPage", [page] { SetDrawPage(page); }, StatusOk,
                     [](test::Snapshot& s) {
                       s.DrawPage = 0;
                       s.DrawToWindow = s.ShowPage == 0 && s.AutoRefresh;
                     }});
    cases.push_back({"SetShowPage", [page] { SetShowPage(page); }, StatusOk,
                     [](test::Snapshot& s) {
                       s.ShowPage = 0;
                       s.DrawToWindow = s.DrawPage == 0 && s.AutoRefresh;
                     }});
  }
  return cases;
}

// Leaves a state that differs from the defaults everywhere an operation
// could slip: pages 1 and 2, a clipped view, a pattern pen, a hatched brush,
// a bold font, a raster mode, text settings, and something on every page.
void SetUpState() {
  for (std::int16_t page = 0; page < 4; ++page) {
    SetDrawPage(page);
    PlotPixel(static_cast<std::int16_t>(10 + page), 10, NamedColor[15]);
  }
  SetDrawPage(1);
  SetShowPage(2);
  SetView(20, 30, 300, 200, true);
  MovePen(7, 8);
  SetPenColor(NamedColor[105]);
  SetPenStyle(3, 0x00FF, 2);
  SetBackColor(NamedColor[128]);
  SetBrushStyle(4, NamedColor[15]);
  SelectFont(0x0111, 90, 20);
  SetRasterMode(17);
  SetTextAnchor(1, 2);
  SetTextGaps(2, 3, 0, 0);
  SetAspectFactors(12000, 9000);
  REQUIRE(LastStatus() == StatusOk);
}

}  // namespace

TEST_CASE("arguments outside their tables change nothing") {
  for (std::int16_t driver : {2, 9}) {
    CAPTURE(driver);
    test::OpenWindow window(driver, 4);
    SetUpState();
    for (const Case& c : OpenCases(driver != 9)) {
      CAPTURE(c.Name);
      Graphics.LastStatus.store(Marker);
      test::Snapshot expected = test::Snapshot::Take();
      const std::uint64_t pixels = PagesHash();
      c.Call();
      CHECK(LastStatus() == c.Status);
      c.Effect(expected);
      const std::string changed = expected.Differences(test::Snapshot::Take());
      CHECK_MESSAGE(changed.empty(), "unexpected change in: ", changed);
      CHECK(PagesHash() == pixels);
      // Back to the state the next case expects.
      SetDrawPage(1);
      SetShowPage(2);
    }
  }
}

TEST_CASE("a driver or mode outside its table opens nothing") {
  struct Bad {
    std::int16_t Driver, Mode, Status;
  };
  const Bad cases[] = {
      {5, 4, StatusBadDriver},   {4, 4, StatusBadDriver},   {-1, 4, StatusBadDriver},
      {32767, 4, StatusBadDriver}, {1, 0, StatusBadMode},   {1, 9, StatusBadMode},
      {3, 14, StatusBadMode},    {9, -1, StatusBadMode},    {5, 99, StatusBadMode},
      {2, -32768, StatusBadMode},
  };
  for (const Bad& bad : cases) {
    CAPTURE(bad.Driver);
    CAPTURE(bad.Mode);
    test::Snapshot expected = test::Snapshot::Take();
    std::int16_t d = bad.Driver, m = bad.Mode;
    StartGraphics(d, m, "kanvo test");
    CHECK(LastStatus() == bad.Status);
    CHECK(d == bad.Driver);
    CHECK(m == bad.Mode);
    const test::Snapshot after = test::Snapshot::Take();
    // What the opening stores before it judges them: the two numbers, the
    // outer size worked out from the mode, and for a bad driver the style.
    expected.Driver = bad.Driver;
    expected.Mode = bad.Mode;
    expected.WindowWidth = after.WindowWidth;
    expected.WindowHeight = after.WindowHeight;
    if (bad.Status == StatusBadDriver) expected.WindowStyle = after.WindowStyle;
    const std::string changed = expected.Differences(after);
    CHECK_MESSAGE(changed.empty(), "unexpected change in: ", changed);
    CHECK(FindWindowA("KanvoClass", nullptr) == nullptr);
  }
}
