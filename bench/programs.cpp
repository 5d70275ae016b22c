// The programs' work: coastglobe's frame routine and the same frame by
// direct GDI calls on the same 8-bit page, texglobe's frame, and
// mapplot's plot of a 100 000-line file.
#include <cstdio>
#include <string>

#include "apps/coastglobe/globe.h"
#include "apps/coastglobe/globe_frame.h"
#include "apps/mapplot/coordinate_reader.h"
#include "apps/mapplot/map_projection.h"
#include "apps/texglobe/globe_render.h"
#include "bench.h"
#include "kanvo/graphics.h"
#include "kanvo/src/state.h"

namespace bench {
namespace {

using namespace kanvo;

// The same frame by direct GDI calls into the library's page context, which
// holds 8-bit pages in this mode, and the same flip through the window
// thread's paint. Pens and brushes are made once, as a program of its own
// would.
struct DirectGlobe {
  HPEN Coast, Rim;
  HBRUSH Land, Sea, Black;
  COLORREF Border;
  int Page = 0;

  DirectGlobe()
      : Coast(CreatePen(PS_SOLID, 1, MapColor(NamedColor[128]))),
        Rim(CreatePen(PS_SOLID, 1, MapColor(NamedColor[15]))),
        Land(CreateSolidBrush(MapColor(NamedColor[105]))),
        Sea(CreateSolidBrush(MapColor(NamedColor[15]))),
        Black(CreateSolidBrush(MapColor(NamedColor[12]))),
        Border(MapColor(NamedColor[128])) {}
  ~DirectGlobe() {
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(Coast), static_cast<HGDIOBJ>(Rim),
                      static_cast<HGDIOBJ>(Land), static_cast<HGDIOBJ>(Sea),
                      static_cast<HGDIOBJ>(Black)})
      DeleteObject(o);
  }

  void Frame(const coastglobe::GlobeState& state) {
    HDC dc = Graphics.PageDC;
    const std::int16_t maxX = WindowMaxX(), maxY = WindowMaxY();
    const coastglobe::ViewAngles view = coastglobe::AnglesOf(state);
    const int cx = coastglobe::CircleCentre(maxX), cy = coastglobe::CircleCentre(maxY);
    const int r = state.GlobeRadius + 1;
    const COLORREF coastColor = MapColor(NamedColor[128]);

    EnterCriticalSection(&Graphics.GraphicsLock);
    HGDIOBJ oldPen = SelectObject(dc, Coast);
    HGDIOBJ oldBrush = SelectObject(dc, Land);
    Arc(dc, cx - r, cy - r, cx + r + 1, cy + r + 1, cx + r, cy, cx + r, cy);
    ExtFloodFill(dc, coastglobe::RoundHalfEven(maxX / 2.0), coastglobe::RoundHalfEven(maxY / 2.0),
                 Border, FLOODFILLBORDER);
    for (const coastglobe::CoastPoint& point : coastglobe::CoastTable) {
      const coastglobe::ScreenPoint p =
          coastglobe::ProjectPoint(point.Lon, point.Lat, view, state.GlobeRadius, maxX, maxY);
      if (coastglobe::DrawsLineTo(point, p)) {
        LineTo(dc, p.X, p.Y);
        SetPixelV(dc, p.X, p.Y, coastColor);
      } else {
        MoveToEx(dc, p.X, p.Y, nullptr);
      }
    }
    SelectObject(dc, Sea);
    for (int i = coastglobe::FirstSeaSeed; i <= coastglobe::LastSeaSeed; ++i) {
      const coastglobe::SeaSeed& seed = coastglobe::SeaSeedAt(i);
      const coastglobe::ScreenPoint p =
          coastglobe::ProjectPoint(seed.Lon, seed.Lat, view, state.GlobeRadius, maxX, maxY);
      if (coastglobe::IsVisible(p)) ExtFloodFill(dc, p.X, p.Y, Border, FLOODFILLBORDER);
    }
    SelectObject(dc, Rim);
    Arc(dc, cx - r, cy - r, cx + r + 1, cy + r + 1, cx + r, cy, cx + r, cy);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);

    // The flip: draw on the page that was shown, show the one just drawn.
    Graphics.DrawPage.store(static_cast<std::uint16_t>(Page));
    SelectObject(dc, Graphics.Pages[Page]);
    SetDIBColorTable(dc, 0, Graphics.ColorCount, Graphics.ColorTable);
    Page = 1 - Page;
    Graphics.ShowPage.store(static_cast<std::uint16_t>(Page));
    Graphics.DrawToWindow.store(false);
    LeaveCriticalSection(&Graphics.GraphicsLock);
    InvalidateRect(Graphics.WindowHandle.load(), nullptr, FALSE);
    EnterCriticalSection(&Graphics.GraphicsLock);
    const RECT whole{0, 0, maxX + 1, maxY + 1};
    FillRect(dc, &whole, Black);
    LeaveCriticalSection(&Graphics.GraphicsLock);
  }
};

void CoastglobeRows(std::vector<Row>& rows) {
  std::int16_t driver = coastglobe::GlobeDriver, mode = coastglobe::GlobeMode;
  StartGraphics(driver, mode, coastglobe::WindowTitle);
  if (!IsGraphicsOpen()) return;
  for (std::int32_t radius : {180, 500}) {
    coastglobe::GlobeState kanvoState, directState;
    kanvoState.GlobeRadius = directState.GlobeRadius = radius;
    DirectGlobe direct;
    rows.push_back(Compare("coastglobe frame, radius " + std::to_string(radius), "frame",
                           [&] { coastglobe::DrawFrame(kanvoState); },
                           [&] { direct.Frame(directState); }));
    SetDrawPage(0);
    SetShowPage(0);
  }
  StopGraphics();
}

Row TexglobeRow(const std::string& pictureFolder) {
  Row row{"texglobe frame (DrawGlobeFrame), 640 x 480", "frame", 0, 0, 0, {}};
  std::int16_t driver = 3, mode = 4;
  StartGraphics(driver, mode, "ZIDIZE ROVAVOVAZ");
  SelectGLTarget(true);
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(pictureFolder.c_str());
  const bool loaded = texglobe::LoadTextureImage();
  SetCurrentDirectoryA(previous);
  if (loaded) {
    for (int round = 0; round < 3; ++round) {
      const double rate = Rate([] { texglobe::DrawGlobeFrame(); }, 1.0);
      if (rate > row.Kanvo) row.Kanvo = rate;
    }
    texglobe::FreeTextureImage();
  } else {
    row.Note = "earth.bmp not found";
  }
  SelectGLTarget(false);
  StopGraphics();
  return row;
}

// mapplot's plot loop, as its main routine runs it, over a file of 100 000
// lines made of the sample's lines repeated.
Row MapplotRow(const std::string& sampleFile) {
  Row row{"mapplot plot of a 100 000-line file", "file", 0, 0, 0, {}};
  std::FILE* sample = std::fopen(sampleFile.c_str(), "rb");
  if (sample == nullptr) {
    row.Note = "GLOB.DAT not found";
    return row;
  }
  std::string text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, sample)) > 0;) text.append(buffer, n);
  std::fclose(sample);
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string name = std::string(folder) + "kanvo-bench-100k.dat";
  std::FILE* big = std::fopen(name.c_str(), "wb");
  int count = 0;
  while (count < 100000) {
    for (std::size_t start = 0, end; count < 100000 && start < text.size(); start = end + 1) {
      end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::fwrite(text.data() + start, 1, end - start, big);
      std::fputc('\n', big);
      ++count;
    }
  }
  std::fclose(big);

  std::int16_t driver = 3, mode = 4;
  StartGraphics(driver, mode, "ZEZIZ");
  const mapplot::Vector3 axisX{1.0, 0.0, 0.0}, axisY{0.0, 1.0, 0.0};
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    ClearPage();
    const double start = Seconds();
    std::FILE* file = std::fopen(name.c_str(), "rb");
    mapplot::CoordinateReader reader(file);
    do {
      const mapplot::CoordinateLine line = reader.ReadLine();
      const mapplot::ScreenPosition screen = mapplot::Project(
          mapplot::MapPointOf(line.Longitude, line.Latitude), axisX, axisY, WindowMaxY());
      const std::int16_t x = mapplot::RoundToScreen(screen.X);
      const std::int16_t y = mapplot::RoundToScreen(screen.Y);
      if (line.Pen.Draws()) {
        DrawLineTo(x, y);
      } else {
        MovePen(x, y);
      }
    } while (!reader.AtEnd());
    std::fclose(file);
    const double took = Seconds() - start;
    if (took < best) best = took;
  }
  StopGraphics();
  DeleteFileA(name.c_str());
  row.Kanvo = 1.0 / best;
  row.Note = "best of 3: " + std::to_string(best).substr(0, 5) + " s";
  return row;
}

}  // namespace

void ProgramRows(std::vector<Row>& rows, const std::string& dataRoot) {
  CoastglobeRows(rows);
  rows.push_back(TexglobeRow(dataRoot + "\\texglobe\\data"));
  rows.push_back(MapplotRow(dataRoot + "\\mapplot\\data\\GLOB.DAT"));
}

}  // namespace bench
