#include "apps/coastglobe/globe_frame.h"

#include <windows.h>

#include "kanvo/graphics.h"

namespace coastglobe {

GlobeState Globe;

namespace {
// Entries of the library's colour table the globe draws with.
constexpr int LightGreen = 128;  // first rim, coastlines, border of every fill
constexpr int Green = 105;       // land
constexpr int Blue = 15;         // water, final rim
constexpr std::uint16_t SolidBrush = 1;

// Held now: the most significant bit of the 16-bit result. The "pressed
// since the last call" bit is ignored.
bool KeyHeld(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }
}  // namespace

void PollControlKeys(GlobeState& state) { ApplyControlKeys(state, KeyHeld); }

bool EscapeHeld() { return KeyHeld(EscapeKey); }

void DrawFrame(GlobeState& state) {
  using namespace kanvo;
  const ViewAngles view = AnglesOf(state);
  state.RimRadius = state.GlobeRadius + 1;
  const auto rim = static_cast<std::uint16_t>(state.RimRadius);
  const std::int16_t maxX = WindowMaxX();
  const std::int16_t maxY = WindowMaxY();
  const std::int16_t centreX = CircleCentre(maxX);
  const std::int16_t centreY = CircleCentre(maxY);

  // The disc: a light-green circle filled green from the real centre.
  SetPenColor(NamedColor[LightGreen]);
  DrawCircle(centreX, centreY, rim);
  SetBrushStyle(SolidBrush, NamedColor[Green]);
  FloodArea(FillCentre(maxX), FillCentre(maxY), NamedColor[LightGreen]);

  // The pen follows every point, hidden ones too, so a visible point after a
  // hidden one draws from the hidden point's place inside the disc.
  for (const CoastPoint& point : CoastTable) {
    const ScreenPoint p = ProjectPoint(point.Lon, point.Lat, view, state.GlobeRadius, maxX, maxY);
    if (DrawsLineTo(point, p)) {
      DrawLineTo(p.X, p.Y);
    } else {
      MovePen(p.X, p.Y);
    }
  }

  SetBrushStyle(SolidBrush, NamedColor[Blue]);
  for (int i = FirstSeaSeed; i <= LastSeaSeed; ++i) {
    const SeaSeed& seed = SeaSeedAt(i);
    const ScreenPoint p = ProjectPoint(seed.Lon, seed.Lat, view, state.GlobeRadius, maxX, maxY);
    if (IsVisible(p)) FloodArea(p.X, p.Y, NamedColor[LightGreen]);
  }

  SetPenColor(NamedColor[Blue]);
  DrawCircle(centreX, centreY, rim);

  SetDrawPage(state.PageIndex);
  state.PageIndex = static_cast<std::int16_t>(1 - state.PageIndex);
  SetShowPage(state.PageIndex);
  ClearPage();
}

void RunGlobe() {
  std::int16_t driver = GlobeDriver;
  std::int16_t mode = GlobeMode;
  // Not checked: without a window the drawing fails quietly and Esc still ends.
  kanvo::StartGraphics(driver, mode, WindowTitle);
  Globe = GlobeState{};
  do {
    PollControlKeys(Globe);
    DrawFrame(Globe);
  } while (!EscapeHeld());
  kanvo::StopGraphics();
}

}  // namespace coastglobe
