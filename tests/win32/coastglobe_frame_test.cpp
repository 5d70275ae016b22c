// One coastglobe frame drawn in a real window for a given state, read back
// from the window: seas blue, continents green, rim blue.
#include <doctest/doctest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "apps/coastglobe/globe_frame.h"
#include "kanvo/graphics.h"
#include "support.h"

using namespace coastglobe;

namespace {

// The client area as RGB values, red in the low byte like the palette's.
struct Shot {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Copies what the window shows, under the lock the window thread paints with.
Shot Capture(HWND window) {
  Shot shot;
  RECT client;
  GetClientRect(window, &client);
  shot.Width = client.right;
  shot.Height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = shot.Width;
  info.bmiHeader.biHeight = -shot.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memoryDC = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memoryDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memoryDC, bitmap);
  {
    kanvo::GraphicsLockGuard lock;
    BitBlt(memoryDC, 0, 0, shot.Width, shot.Height, kanvo::Graphics.WindowDC, 0, 0, SRCCOPY);
  }
  GdiFlush();
  const auto* raw = static_cast<const std::uint32_t*>(bits);
  shot.Pixels.resize(static_cast<std::size_t>(shot.Width) * shot.Height);
  for (std::size_t i = 0; i < shot.Pixels.size(); ++i) {
    const std::uint32_t p = raw[i];  // 0x00RRGGBB
    shot.Pixels[i] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
  }
  SelectObject(memoryDC, old);
  DeleteObject(bitmap);
  DeleteDC(memoryDC);
  return shot;
}

// The globe's window: 256 colours, 800 x 600.
struct GlobeWindow : test::OpenWindow {
  kanvo::PaletteRecord Palette;
  GlobeWindow() : OpenWindow(GlobeDriver, GlobeMode, "coastglobe frame test") {
    kanvo::ReadStandardPalette(Palette);
  }
  std::uint32_t Rgb(int named) const { return Palette.colors[kanvo::NamedColor[named] & 0xFF]; }

  // Draws the state's frame until it is the one on view and reads the window
  // once the window thread has painted it.
  Shot Show(GlobeState& state) {
    DrawFrame(state);
    DrawFrame(state);
    test::Settle(Window());
    return Capture(Window());
  }
};

constexpr std::int16_t MaxX = 799, MaxY = 599;

ScreenPoint Project(const GlobeState& s, double lon, double lat) {
  return ProjectPoint(lon, lat, AnglesOf(s), s.GlobeRadius, MaxX, MaxY);
}

struct Place {
  const char* Name;
  double Lon, Lat;
};
// Far from every coastline, lake and limb of the tested views.
const Place Inland[] = {
    {"Sahara", 15, 22},      {"Congo", 22, -3},          {"Kalahari", 22, -23},
    {"Siberia", 100, 62},    {"Mongolia", 103, 46},      {"Tibet", 88, 33},
    {"Russian plain", 45, 55}, {"Arabia", 45, 22},       {"Great Plains", 260, 42},
    {"Amazon", 298, -6},     {"Outback", 134, -24},      {"Greenland", 318, 74},
    {"East Antarctica", 90, -75},
};

GlobeState State(double turn, double tilt, std::int32_t radius) {
  GlobeState s;
  s.TurnAngle = turn;
  s.TiltAngle = tilt;
  s.GlobeRadius = radius;
  return s;
}

void CheckFrame(GlobeWindow& window, GlobeState state) {
  const Shot shot = window.Show(state);
  REQUIRE(shot.Width == 800);
  REQUIRE(shot.Height == 600);
  const std::uint32_t blue = window.Rgb(15), green = window.Rgb(105);

  // A seed fills its sea unless its pixel is already a coastline pixel, which
  // happens near the limb, where the globe is foreshortened, and on a small
  // globe, where a narrow sea is a pixel or two wide. It is never left green.
  const std::uint32_t lightGreen = window.Rgb(128);
  int filled = 0;
  for (int i = FirstSeaSeed; i <= LastSeaSeed; ++i) {
    const ScreenPoint p = Project(state, SeaSeedAt(i).Lon, SeaSeedAt(i).Lat);
    if (!IsVisible(p) || !shot.Inside(p.X, p.Y)) continue;
    CAPTURE(i);
    CAPTURE(p.W);
    const bool openOcean = i <= 3;
    const bool mustFill = p.W >= 0.3 && (openOcean || state.GlobeRadius >= StartRadius);
    if (mustFill) {
      CHECK(shot.At(p.X, p.Y) == blue);
    } else {
      CHECK((shot.At(p.X, p.Y) == blue || shot.At(p.X, p.Y) == lightGreen));
    }
    filled += shot.At(p.X, p.Y) == blue;
  }
  CHECK(filled > 0);

  int land = 0;
  for (const Place& place : Inland) {
    const ScreenPoint p = Project(state, place.Lon, place.Lat);
    // Well on the visible side: near the limb the outlines are open.
    if (p.W < 0.3 || !shot.Inside(p.X, p.Y)) continue;
    const std::string placeName = place.Name;
    CAPTURE(placeName);
    CHECK(shot.At(p.X, p.Y) == green);
    ++land;
  }
  CHECK(land > 0);

  // The rim, where it falls on the surface: blue, one pixel either way.
  const int rim = state.GlobeRadius + 1;
  const int cx = MaxX / 2, cy = MaxY / 2;
  for (int degrees = 0; degrees < 360; degrees += 15) {
    const double t = degrees * 3.14159265358979 / 180.0;
    const int x = cx + static_cast<int>(std::lround(rim * std::cos(t)));
    const int y = cy - static_cast<int>(std::lround(rim * std::sin(t)));
    bool found = false, onSurface = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (shot.Inside(x + dx, y + dy)) {
          onSurface = true;
          found = found || shot.At(x + dx, y + dy) == blue;
        }
    if (!onSurface) continue;
    CAPTURE(degrees);
    CHECK(found);
  }

  if (state.GlobeRadius >= 500) {
    // The rim lies wholly off the surface: the disc covers everything.
    const std::uint32_t black = window.Rgb(12);
    int uncovered = 0;
    for (std::uint32_t p : shot.Pixels) uncovered += p == black;
    CHECK(uncovered == 0);
  } else {
    CHECK(shot.At(0, 0) == window.Rgb(12));
  }
}

}  // namespace

TEST_CASE("coastglobe frames: seas blue, land green, blue rim") {
  GlobeWindow window;
  struct Case {
    const char* Name;
    double Turn, Tilt;
    std::int32_t Radius;
  };
  const Case cases[] = {
      {"start", StartTurn, 0, StartRadius},
      {"turned to Asia", 100, 0, 180},
      {"turned to the Americas", 290, 0, 180},
      {"tilted north", 40, 50, 180},
      {"tilted south", 60, -60, 180},
      {"radius 60", StartTurn, 0, 60},
      {"radius 500", 40, 30, 500},
      {"radius 500 at the start", StartTurn, 0, 500},
  };
  for (const Case& c : cases) {
    const std::string stateName = c.Name;
    CAPTURE(stateName);
    CheckFrame(window, State(c.Turn, c.Tilt, c.Radius));
  }
}

TEST_CASE("coastglobe: the frame after the flip is the one on view, the other page cleared") {
  GlobeWindow window;
  GlobeState state;
  DrawFrame(state);
  // After the first frame the page on view is the untouched page 1.
  test::Settle(window.Window());
  Shot shot = Capture(window.Window());
  CHECK(shot.At(FillCentre(MaxX), FillCentre(MaxY)) == window.Rgb(12));
  CHECK(state.PageIndex == 1);
  DrawFrame(state);
  CHECK(state.PageIndex == 0);
  test::Settle(window.Window());
  shot = Capture(window.Window());
  CHECK(shot.At(FillCentre(MaxX), FillCentre(MaxY)) != window.Rgb(12));
  CHECK(state.RimRadius == StartRadius + 1);
}
