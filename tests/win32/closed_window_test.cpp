// Every public operation while the window is closed, before the first opening
// and after a closing: the status it reports (-1, or what the operation
// states instead) and that nothing else changes beyond what it states.
#include <cstdio>
#include <functional>
#include <vector>

#include "kanvo/core/palette_tables.h"
#include "kanvo/keyboard.h"
#include "kanvo/mouse.h"
#include "snapshot.h"
#include "support.h"

using namespace kanvo;

namespace {

// LastStatus before each call: operations that leave the status alone keep it.
constexpr std::int16_t Marker = 77;

// The mouse ring's positions before the call under test.
std::int32_t MouseReadPosBefore = 0, MouseWritePosBefore = 0;

struct Case {
  const char* Name;
  std::function<void()> Call;
  std::int16_t Status;  // Marker: the operation leaves the status alone
  // What the operation is meant to change, applied to the copy taken before.
  std::function<void(test::Snapshot&)> Effect = [](test::Snapshot&) {};
};

bool FileExists(const char* name) {
  return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES;
}

std::vector<Case> Cases() {
  static PaletteRecord palette;
  static std::int16_t driver, mode;
  return {
      {"StopGraphics", [] { StopGraphics(); }, StatusNotOpen},
      {"PickDefaultMode",
       [] {
         driver = 3, mode = 4;
         PickDefaultMode(driver, mode);
         CHECK(driver == 9);
         CHECK(mode == 10);
       },
       Marker},
      {"IsGraphicsOpen", [] { CHECK_FALSE(IsGraphicsOpen()); }, Marker},
      {"LastStatus", [] { CHECK(LastStatus() == Marker); }, Marker},
      {"ResetDrawingState", [] { ResetDrawingState(); }, StatusNotOpen,
       // Its direct stores and the calls that work without a window.
       [](test::Snapshot& s) {
         s.NamedColors = test::Bytes(core::NamedColorRGB);
         s.LineStyle = 0;
         s.LinePattern = 0;
         s.LineThickness = 1;
         s.PenColor = core::NamedColorRGB[250];
         s.AspectX = s.AspectY = 10000;
         s.AspectSquare = true;
         s.FloodKind = FLOODFILLBORDER;
       }},
      {"SetCustomSize", [] { SetCustomSize(300, 200); }, Marker,
       [](test::Snapshot& s) {
         s.CustomWidth = 300;
         s.CustomHeight = 200;
       }},
      {"SetDrawPage", [] { SetDrawPage(1); }, StatusNotOpen},
      {"SetShowPage", [] { SetShowPage(2); }, StatusNotOpen},
      {"RefreshScreen(0)", [] { RefreshScreen(RefreshManual); }, Marker,
       [](test::Snapshot& s) {
         s.AutoRefresh = false;
         s.DrawToWindow = false;
       }},
      {"RefreshScreen(1)", [] { RefreshScreen(RefreshAuto); }, StatusNotOpen,
       [](test::Snapshot& s) { s.AutoRefresh = true; }},
      {"RefreshScreen(2)", [] { RefreshScreen(RefreshNow); }, StatusNotOpen},
      {"RefreshScreen(3)", [] { RefreshScreen(3); }, Marker},
      {"RefreshScreen(-1)", [] { RefreshScreen(-1); }, Marker},
      {"SavePage",
       [] {
         SavePage(0, "closed-window.bmp");
         CHECK_FALSE(FileExists("closed-window.bmp"));
       },
       StatusNotOpen},
      {"WindowMaxX and WindowMaxY",
       [] {
         CHECK(WindowMaxX() == static_cast<std::int16_t>(Graphics.MaxX.load()));
         CHECK(WindowMaxY() == static_cast<std::int16_t>(Graphics.MaxY.load()));
       },
       Marker},
      {"CloseRequested", [] { CHECK(CloseRequested() == Graphics.CloseRequested.load()); },
       Marker},
      {"KeyHook and MouseHook",
       [] {
         CHECK((KeyHook().load() == KeyHookHandler));
         CHECK((MouseHook().load() == MouseHookHandler));
       },
       Marker},
      {"SetView", [] { SetView(1, 2, 30, 40, true); }, StatusNotOpen},
      {"SetRasterMode", [] { SetRasterMode(17); }, StatusNotOpen},
      {"SetAspectFactors", [] { SetAspectFactors(20000, 5000); }, Marker,
       [](test::Snapshot& s) {
         s.AspectX = 20000;
         s.AspectY = 5000;
         s.AspectSquare = false;
       }},
      {"SetBackColor", [] { SetBackColor(0x123456); }, StatusNotOpen},
      {"SetPenColor", [] { SetPenColor(0x654321); }, StatusNotOpen,
       [](test::Snapshot& s) { s.PenColor = 0x654321; }},
      {"SetPenStyle", [] { SetPenStyle(5, 0xF0F0, 3); }, StatusNotOpen},
      {"MovePen", [] { MovePen(12, 34); }, StatusNotOpen},
      {"DrawLineTo", [] { DrawLineTo(56, 78); }, StatusNotOpen},
      {"PlotPixel", [] { PlotPixel(5, 6, 0xFFFFFF); }, StatusNotOpen},
      {"SetBrushStyle", [] { SetBrushStyle(4, 0xFF); }, StatusNotOpen},
      {"SetBrushBits", [] { SetBrushBits({1, 2, 3, 4, 5, 6, 7, 8}, 0xFF); }, StatusNotOpen},
      {"DrawArc", [] { DrawArc(50, 50, 0, 90, 20, 10); }, StatusNotOpen},
      {"DrawCircle", [] { DrawCircle(50, 50, 20); }, StatusNotOpen},
      {"FillBox", [] { FillBox(1, 1, 9, 9); }, StatusNotOpen},
      {"FloodArea", [] { FloodArea(5, 5, 0xFF); }, StatusNotOpen},
      {"ClearView", [] { ClearView(); }, StatusNotOpen},
      {"ClearPage", [] { ClearPage(); }, StatusNotOpen},
      {"ReadStandardPalette",
       [] {
         palette = PaletteRecord{};
         ReadStandardPalette(palette);
         CHECK(palette.count == 256);
       },
       Marker},
      {"ApplyPalette", [] { ApplyPalette(palette); }, StatusNotOpen},
      {"RegisterFont", [] { CHECK(RegisterFont("Arial") == -1); }, StatusNotOpen},
      {"SelectFont", [] { SelectFont(0x0111, 90, 20); }, StatusNotOpen},
      {"SetTextAnchor", [] { SetTextAnchor(1, 2); }, StatusNotOpen},
      {"SetTextGaps", [] { SetTextGaps(3, 4, 0, 0); }, StatusNotOpen},
      {"WaitKey", [] { CHECK(WaitKey() == 0); }, Marker},
      {"KeyAvailable", [] { CHECK(KeyAvailable() == !KeyRing.Empty()); }, Marker},
      // The events a closed window left can still be taken, one per call.
      {"PollMouseEvent",
       [] {
         MouseEvent event;
         CHECK(PollMouseEvent(event) == (MouseReadPosBefore != MouseWritePosBefore));
       },
       Marker,
       [](test::Snapshot& s) {
         if (s.MouseReadPos != s.MouseWritePos) s.MouseReadPos = s.MouseReadPos % 16 + 1;
       }},
      {"CurrentMouseButtons, X and Y",
       [] {
         CHECK(CurrentMouseButtons() == MouseRing.CurrentButtons.load());
         CHECK(CurrentMouseX() == MouseRing.CurrentX.load());
         CHECK(CurrentMouseY() == MouseRing.CurrentY.load());
       },
       Marker},
  };
}

void CheckClosedTable() {
  for (const Case& c : Cases()) {
    CAPTURE(c.Name);
    REQUIRE_FALSE(IsGraphicsOpen());
    Graphics.LastStatus.store(Marker);
    test::Snapshot expected = test::Snapshot::Take();
    MouseReadPosBefore = expected.MouseReadPos;
    MouseWritePosBefore = expected.MouseWritePos;
    c.Call();
    const test::Snapshot after = test::Snapshot::Take();
    CHECK(LastStatus() == c.Status);
    c.Effect(expected);
    const std::string changed = expected.Differences(after);
    CHECK_MESSAGE(changed.empty(), "unexpected change in: ", changed);
  }
}

}  // namespace

// First in this program: nothing has opened a window yet.
TEST_CASE("every operation before the first opening") {
  REQUIRE(Graphics.Driver == -1);
  CheckClosedTable();
  // Without any opening OpenGL was never set up.
  Graphics.LastStatus.store(Marker);
  const test::Snapshot before = test::Snapshot::Take();
  SelectGLTarget(true);
  CHECK(LastStatus() == StatusNoOpenGL);
  const std::string changed = before.Differences(test::Snapshot::Take());
  CHECK_MESSAGE(changed.empty(), "unexpected change in: ", changed);
}

TEST_CASE("every operation after closing, in palette and direct colour") {
  for (std::int16_t driver : {3, 9}) {
    CAPTURE(driver);
    {
      test::OpenWindow window(driver, 4);
      // Leave state behind that the operations could disturb: a clipped view,
      // a pattern pen, a hatched brush, a font, queued input.
      SetView(10, 10, 200, 100, true);
      SetPenStyle(5, 0xAAAA, 1);
      SetBrushStyle(4, NamedColor[15]);
      SelectFont(0x0112, 0, 20);
      // Once with OpenGL aimed at the window: RefreshScreen(2) would swap
      // the buffers of a context that closing deletes.
      if (driver == 3) SelectGLTarget(true);
      PostMessageA(window.Window(), WM_CHAR, 'k', 0);
      PostMessageA(window.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(33, 44));
      test::Settle(window.Window());
    }
    REQUIRE(Graphics.GLAvailable);
    CheckClosedTable();

    // OpenGL was set up by the last opening, but its contexts and the lock
    // are gone: the switch reports the closed window and changes nothing.
    Graphics.LastStatus.store(Marker);
    const test::Snapshot before = test::Snapshot::Take();
    SelectGLTarget(true);
    CHECK(LastStatus() == StatusNotOpen);
    const std::string changed = before.Differences(test::Snapshot::Take());
    CHECK_MESSAGE(changed.empty(), "unexpected change in: ", changed);
  }
}
