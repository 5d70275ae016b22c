#include <doctest/doctest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstddef>
#include <numbers>
#include <vector>

#include "apps/coastglobe/coast_tables.h"

using namespace coastglobe;

namespace {

struct Outline {
  std::size_t First = 0;
  std::vector<CoastPoint> Points;
};

std::vector<Outline> Outlines() {
  std::vector<Outline> out;
  for (std::size_t i = 0; i < CoastTable.size(); ++i) {
    if (CoastTable[i].Pen != 1) out.push_back({i, {}});
    out.back().Points.push_back(CoastTable[i]);
  }
  return out;
}

double Wrap180(double d) { return std::remainder(d, 360.0); }

// A ring whose longitudes wind once round the globe encloses a pole.
bool EnclosesPole(const Outline& o) {
  double turn = 0;
  for (std::size_t i = 1; i < o.Points.size(); ++i)
    turn += Wrap180(o.Points[i].Lon - o.Points[i - 1].Lon);
  return std::fabs(turn) > 180.0;
}

// Point in outline on the sphere: the crossings of the meridian from the point
// down to the south pole, which lies inside a ring round it.
bool Contains(const Outline& o, double lon, double lat) {
  int crossings = 0;
  for (std::size_t i = 1; i < o.Points.size(); ++i) {
    const CoastPoint& a = o.Points[i - 1];
    const CoastPoint& b = o.Points[i];
    const double d = Wrap180(b.Lon - a.Lon);
    const double t = Wrap180(lon - a.Lon);
    if ((0 <= t && t < d) || (d <= t && t < 0)) {
      if (a.Lat + (b.Lat - a.Lat) * (t / d) < lat) ++crossings;
    }
  }
  return (crossings % 2 == 1) != EnclosesPole(o);
}

// How many outlines hold the point: even is water (open sea, or a lake inside
// its landmass), odd is land.
std::vector<std::size_t> Holders(double lon, double lat) {
  std::vector<std::size_t> found;
  const auto outlines = Outlines();
  for (std::size_t k = 0; k < outlines.size(); ++k)
    if (Contains(outlines[k], lon, lat)) found.push_back(k);
  return found;
}

// Distance in degrees (longitude scaled at the point) from (lon, lat) to the
// nearest line of any outline.
double Clearance(double lon, double lat) {
  const double scale = std::cos(lat / 180.0 * std::numbers::pi);
  double best = 1e9;
  for (std::size_t i = 1; i < CoastTable.size(); ++i) {
    const CoastPoint& a = CoastTable[i - 1];
    const CoastPoint& b = CoastTable[i];
    if (b.Pen != 1) continue;
    const double ax = Wrap180(a.Lon - lon) * scale, ay = a.Lat - lat;
    const double dx = Wrap180(b.Lon - a.Lon) * scale, dy = b.Lat - a.Lat;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 == 0 ? 0 : std::clamp(-(ax * dx + ay * dy) / len2, 0.0, 1.0);
    best = std::min(best, std::hypot(ax + t * dx, ay + t * dy));
  }
  return best;
}

}  // namespace

TEST_CASE("coast table layout") {
  static_assert(sizeof(CoastTable) == 35724);
  static_assert(sizeof(SeaSeedTable) == 224);

  CHECK(CoastTable[0].Lon == 180);
  CHECK(CoastTable[0].Lat == -84);
  CHECK(CoastTable[0].Pen == 0);

  std::size_t starts = 0;
  for (const CoastPoint& p : CoastTable) {
    CHECK((p.Pen == 0 || p.Pen == 1));
    CHECK(p.Lon >= 0);
    CHECK(p.Lon <= 360);
    CHECK(p.Lat >= -90);
    CHECK(p.Lat <= 90);
    if (p.Pen == 0) ++starts;
  }
  CHECK(starts == CoastOutlineCount);
}

TEST_CASE("every outline is closed and encloses an area") {
  const auto outlines = Outlines();
  REQUIRE(outlines.size() == CoastOutlineCount);
  for (const Outline& o : outlines) {
    CAPTURE(o.First);
    CHECK(o.Points.front().Pen == 0);
    CHECK(o.Points.back().Lon == o.Points.front().Lon);
    CHECK(o.Points.back().Lat == o.Points.front().Lat);
    std::vector<std::pair<int, int>> distinct;
    for (const CoastPoint& p : o.Points) distinct.emplace_back(p.Lon % 360, p.Lat);
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    CHECK(distinct.size() >= 3);
  }
  // Short steps (the meridian seam counts as the step it is on the sphere):
  // a line that crosses the limb is left undrawn, so a long one would leave a
  // wide gap in its outline there.
  for (std::size_t i = 1; i < CoastTable.size(); ++i) {
    if (CoastTable[i].Pen != 1) continue;
    CAPTURE(i);
    CHECK(std::fabs(Wrap180(CoastTable[i].Lon - CoastTable[i - 1].Lon)) <= 3);
    CHECK(std::abs(CoastTable[i].Lat - CoastTable[i - 1].Lat) <= 3);
  }
  // The table ends on the point that closes its last outline.
  CHECK(CoastTable.back().Pen == 1);
}

TEST_CASE("the first outline is the south polar landmass") {
  const auto outlines = Outlines();
  CHECK(EnclosesPole(outlines[0]));
  CHECK(Contains(outlines[0], 0.0, -89.0));
  for (std::size_t k = 1; k < outlines.size(); ++k) {
    CAPTURE(outlines[k].First);
    CHECK_FALSE(EnclosesPole(outlines[k]));
  }
}

TEST_CASE("every sea seed lies in water, clear of the coastlines") {
  for (int i = FirstSeaSeed; i <= LastSeaSeed; ++i) {
    const SeaSeed& s = SeaSeedAt(i);
    CAPTURE(i);
    CHECK(Holders(s.Lon, s.Lat).size() % 2 == 0);
    // A seed on a coastline pixel would fill nothing.
    CHECK(Clearance(s.Lon, s.Lat) >= 0.8);
  }
}

TEST_CASE("the inland waters have outlines of their own") {
  // Black Sea (two seeds), Caspian Sea, Aral Sea, Lake Victoria: each seed is
  // inside its landmass and inside the water's outline.
  for (int i : {5, 6, 7, 10, 14}) {
    CAPTURE(i);
    CHECK(Holders(SeaSeedAt(i).Lon, SeaSeedAt(i).Lat).size() == 2);
  }
  CHECK(Holders(SeaSeedAt(5).Lon, SeaSeedAt(5).Lat) ==
        Holders(SeaSeedAt(14).Lon, SeaSeedAt(14).Lat));
  // The open seas are inside no outline at all.
  for (int i : {1, 2, 3, 13}) {
    CAPTURE(i);
    CHECK(Holders(SeaSeedAt(i).Lon, SeaSeedAt(i).Lat).empty());
  }
}

TEST_CASE("points well inside the continents lie in land") {
  struct Place {
    const char* Name;
    double Lon, Lat;
  };
  const Place places[] = {
      {"Sahara", 15, 22},        {"Congo", 22, -3},         {"Kalahari", 22, -23},
      {"Siberia", 100, 62},      {"Mongolia", 103, 46},     {"Tibet", 88, 33},
      {"Russian plain", 45, 55}, {"Arabia", 45, 22},        {"Great Plains", 260, 42},
      {"Canadian Shield", 270, 55}, {"Amazon", 298, -6},    {"Pampas", 296, -33},
      {"Outback", 134, -24},     {"Greenland", 318, 74},    {"East Antarctica", 90, -75},
      {"South Pole", 0, -89},    {"Borneo", 114, 1},        {"Madagascar", 47, -19},
  };
  for (const Place& p : places) {
    CAPTURE(p.Name);
    CHECK(Holders(p.Lon, p.Lat).size() % 2 == 1);
  }
}

TEST_CASE("sea seed table and constants") {
  CHECK(SeaSeedTable.size() == 14);
  CHECK(SeaSeedAt(1).Lat == 0.0);
  CHECK(SeaSeedAt(1).Lon == -20.0);
  CHECK(SeaSeedAt(5).Lat == 42.0);
  CHECK(SeaSeedAt(5).Lon == 36.0);
  CHECK(SeaSeedAt(10).Lat == -1.0);
  CHECK(SeaSeedAt(10).Lon == 33.0);
  CHECK(SeaSeedAt(14).Lat == 43.0);
  CHECK(SeaSeedAt(14).Lon == 32.0);
  CHECK(WindowTitle == "ZIDIZE ROVAVOVAZ");
}
