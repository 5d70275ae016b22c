// mapplot: draws the coastline of "GLOB.DAT" on an equirectangular map with
// the library's default pen, then waits for a key.
#include <cstdint>
#include <cstdio>

#include "apps/mapplot/coordinate_reader.h"
#include "apps/mapplot/map_projection.h"
#include "kanvo/graphics.h"
#include "kanvo/keyboard.h"

namespace {

mapplot::Vector3 MapPoint;
mapplot::Vector3 AxisX;
mapplot::Vector3 AxisY;
double ScreenX = 0.0;
double ScreenY = 0.0;

void ResetProjectionAxes() {
  AxisX = {1.0, 0.0, 0.0};
  AxisY = {0.0, 1.0, 0.0};
}

void ProjectPoint() {
  const mapplot::ScreenPosition screen =
      mapplot::Project(MapPoint, AxisX, AxisY, kanvo::WindowMaxY());
  ScreenX = screen.X;
  ScreenY = screen.Y;
}

// Every read problem ends the data quietly; each point is drawn as soon as
// its line is read, so the map grows while the file is read.
void PlotCoordinateFile() {
  // Binary: the reader handles line ends and the 0x1A end mark itself.
  std::FILE* file = std::fopen("GLOB.DAT", "rb");
  mapplot::CoordinateReader reader(file);
  do {
    const mapplot::CoordinateLine line = reader.ReadLine();
    MapPoint = mapplot::MapPointOf(line.Longitude, line.Latitude);
    ProjectPoint();
    const std::int16_t x = mapplot::RoundToScreen(ScreenX);
    const std::int16_t y = mapplot::RoundToScreen(ScreenY);
    if (line.Pen.Draws()) {
      kanvo::DrawLineTo(x, y);
    } else {
      kanvo::MovePen(x, y);
    }
  } while (!reader.AtEnd());
  if (file != nullptr) std::fclose(file);
}

}  // namespace

int main() {
  std::int16_t driver = 3;  // 256 palette colours
  std::int16_t mode = 4;    // 640 x 480
  kanvo::StartGraphics(driver, mode, "ZEZIZ");
  ResetProjectionAxes();
  PlotCoordinateFile();
  kanvo::WaitKey();
  kanvo::StopGraphics();
  return 0;
}
