#include <doctest/doctest.h>

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <set>
#include <vector>

#include "apps/coastglobe/globe.h"

using namespace coastglobe;

namespace {
constexpr std::int16_t MaxX = 799, MaxY = 599;  // the 800 x 600 surface of mode 6

GlobeState State(double turn, double tilt, std::int32_t radius) {
  GlobeState s;
  s.TurnAngle = turn;
  s.TiltAngle = tilt;
  s.GlobeRadius = radius;
  return s;
}

ScreenPoint Project(const GlobeState& s, double lon, double lat) {
  return ProjectPoint(lon, lat, AnglesOf(s), s.GlobeRadius, MaxX, MaxY);
}

// One frame's key test with the given keys held.
void Frame(GlobeState& s, std::set<int> held) {
  ApplyControlKeys(s, [&](int vk) { return held.count(vk) != 0; });
}

constexpr int Up = 38, Down = 40, Left = 37, Right = 39, KeyA = 65, KeyZ = 90;
}  // namespace

TEST_CASE("rounding goes to the even neighbour on halves") {
  struct Case {
    double x;
    std::int32_t rounded;
  };
  const Case cases[] = {
      {0.5, 0},       {1.5, 2},       {2.5, 2},     {-0.5, 0},  {-1.5, -2},
      {-2.5, -2},     {399.5, 400},   {299.5, 300}, {2.4999, 2}, {2.5001, 3},
      {-2.6, -3},     {-2.4, -2},     {0.0, 0},     {700.0, 700}, {-300.5, -300},
  };
  for (const Case& c : cases) {
    CAPTURE(c.x);
    CHECK(RoundHalfEven(c.x) == c.rounded);
  }
}

TEST_CASE("disc centre and fill start") {
  CHECK(CircleCentre(MaxX) == 399);
  CHECK(CircleCentre(MaxY) == 299);
  CHECK(FillCentre(MaxX) == 400);
  CHECK(FillCentre(MaxY) == 300);
}

TEST_CASE("worked examples of the projection") {
  struct Case {
    double turn, tilt;
    std::int32_t radius;
    double lon, lat;
    std::int32_t pen;  // -1 for a seed
    double w;
    std::int16_t x, y;
    bool drawsLine;
  };
  const Case cases[] = {
      {27, 0, 180, 57, 20, 1, 0.814, 484, 238, true},
      {27, 0, 180, 180, -84, 0, -0.093, 408, 479, false},
      {27, 0, 180, SeaSeedAt(5).Lon, SeaSeedAt(5).Lat, -1, 0.734, 420, 179, false},
      {27, 30, 250, 100, 60, 1, 0.560, 519, 130, true},
      {27, -45, 100, 10, 80, 1, -0.579, 394, 218, false},
  };
  for (const Case& c : cases) {
    CAPTURE(c.lon);
    CAPTURE(c.lat);
    const ScreenPoint p = Project(State(c.turn, c.tilt, c.radius), c.lon, c.lat);
    CHECK(p.W == doctest::Approx(c.w).epsilon(0.0005).scale(1));
    CHECK(p.X == c.x);
    CHECK(p.Y == c.y);
    if (c.pen >= 0) CHECK(DrawsLineTo(CoastPoint{0, 0, c.pen}, p) == c.drawsLine);
    else CHECK(IsVisible(p));
  }
  // Record 0 of the table is that moved-to point.
  const ScreenPoint first = Project(GlobeState{}, CoastTable[0].Lon, CoastTable[0].Lat);
  CHECK_FALSE(DrawsLineTo(CoastTable[0], first));
  CHECK(first.X == 408);
  CHECK(first.Y == 479);
}

TEST_CASE("the starting view faces longitude 27 on the equator") {
  const ScreenPoint p = Project(GlobeState{}, 27, 0);
  CHECK(p.W == doctest::Approx(1.0));
  CHECK(p.X == 400);  // 399.5 rounds to the even 400
  CHECK(p.Y == 300);
  CHECK(Project(State(27, 90, 180), 0, 90).W == doctest::Approx(1.0));
  CHECK(Project(State(27, -90, 180), 0, -90).W == doctest::Approx(1.0));
  // Raising the turn moves the surface left, raising the tilt moves it down.
  CHECK(Project(State(28, 0, 180), 27, 0).X < p.X);
  CHECK(Project(State(27, 1, 180), 27, 0).Y > p.Y);
}

TEST_CASE("the pen draws only to visible points with pen 1") {
  ScreenPoint limb{};
  limb.W = 0.0;  // exactly on the limb counts as visible
  ScreenPoint hidden{};
  hidden.W = -1e-9;
  CHECK(DrawsLineTo({0, 0, 1}, limb));
  CHECK_FALSE(DrawsLineTo({0, 0, 0}, limb));
  CHECK_FALSE(DrawsLineTo({0, 0, 2}, limb));
  CHECK_FALSE(DrawsLineTo({0, 0, -1}, limb));
  CHECK_FALSE(DrawsLineTo({0, 0, 1}, hidden));
}

TEST_CASE("meridians 0 and 360, and negative longitudes, land together") {
  for (const GlobeState& s : {State(27, 0, 180), State(300, -40, 500), State(0, 73, 60)}) {
    for (double lat : {-60.0, 0.0, 45.0}) {
      const ScreenPoint a = Project(s, 0, lat), b = Project(s, 360, lat);
      CHECK(a.X == b.X);
      CHECK(a.Y == b.Y);
    }
    const ScreenPoint seed = Project(s, SeaSeedAt(1).Lon, SeaSeedAt(1).Lat);
    const ScreenPoint east = Project(s, 340.0, 0.0);
    CHECK(seed.X == east.X);
    CHECK(seed.Y == east.Y);
  }
}

TEST_CASE("key steps and bounds") {
  struct Case {
    const char* name;
    GlobeState start;
    std::set<int> held;
    std::vector<GlobeState> frames;  // the state after each frame
  };
  const Case cases[] = {
      {"left across the seam", State(359, 0, 180), {Left},
       {State(360, 0, 180), State(0, 0, 180), State(1, 0, 180)}},
      {"right across the seam", State(1, 0, 180), {Right},
       {State(0, 0, 180), State(360, 0, 180), State(359, 0, 180)}},
      {"up clamps at 90", State(27, 89, 180), {Up}, {State(27, 90, 180), State(27, 90, 180)}},
      {"down clamps at -90", State(27, -89, 180), {Down},
       {State(27, -90, 180), State(27, -90, 180)}},
      {"up and down at 90", State(27, 90, 180), {Up, Down},
       {State(27, 89, 180), State(27, 89, 180)}},
      {"up and down at -90", State(27, -90, 180), {Up, Down},
       {State(27, -90, 180), State(27, -90, 180)}},
      {"A clamps at 700", State(27, 0, 699), {KeyA}, {State(27, 0, 700), State(27, 0, 700)}},
      {"Z clamps at 1", State(27, 0, 2), {KeyZ}, {State(27, 0, 1), State(27, 0, 1)}},
      {"A and Z at 700", State(27, 0, 700), {KeyA, KeyZ},
       {State(27, 0, 699), State(27, 0, 699)}},
      {"A and Z at 1", State(27, 0, 1), {KeyA, KeyZ}, {State(27, 0, 1), State(27, 0, 1)}},
      {"left and right at 360", State(360, 0, 180), {Left, Right},
       {State(360, 0, 180), State(360, 0, 180)}},
      {"left and right at 0", State(0, 0, 180), {Left, Right}, {State(0, 0, 180)}},
      {"all six at the start", GlobeState{}, {Up, Down, Left, Right, KeyA, KeyZ},
       {GlobeState{}}},
      {"three keys together", GlobeState{}, {Up, Left, KeyA},
       {State(28, 1, 181), State(29, 2, 182)}},
      {"no key", GlobeState{}, {}, {GlobeState{}}},
      {"Esc and other keys change nothing", GlobeState{}, {27, 32, 13, 66}, {GlobeState{}}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    GlobeState s = c.start;
    for (const GlobeState& expected : c.frames) {
      Frame(s, c.held);
      CHECK(s.TurnAngle == expected.TurnAngle);
      CHECK(s.TiltAngle == expected.TiltAngle);
      CHECK(s.GlobeRadius == expected.GlobeRadius);
      CHECK(s.PageIndex == 0);
    }
  }
}

TEST_CASE("keys are tested in their fixed order, each step applied before the next test") {
  GlobeState s = State(27, 90, 180);
  std::vector<int> asked;
  std::vector<double> tiltSeen;
  ApplyControlKeys(s, [&](int vk) {
    asked.push_back(vk);
    tiltSeen.push_back(s.TiltAngle);
    return vk == Up || vk == Down;
  });
  CHECK(asked == std::vector<int>{Up, Down, Left, Right, KeyA, KeyZ});
  // Up has been applied and clamped before Down is tested.
  CHECK(tiltSeen[1] == 90.0);
  CHECK(tiltSeen[2] == 89.0);
}

TEST_CASE("the seam frames show the same view") {
  // sin(2 pi) is not exactly 0, so a coordinate that falls exactly on a half at
  // turn 0 may round the other way at turn 360: one pixel at most.
  int moved = 0;
  for (const CoastPoint& p : CoastTable) {
    const ScreenPoint a = Project(State(360, 20, 180), p.Lon, p.Lat);
    const ScreenPoint b = Project(State(0, 20, 180), p.Lon, p.Lat);
    CHECK(std::abs(a.X - b.X) <= 1);
    CHECK(std::abs(a.Y - b.Y) <= 1);
    CHECK(std::fabs(a.W - b.W) < 1e-12);
    if (a.X != b.X || a.Y != b.Y) ++moved;
  }
  CHECK(moved < 20);
}
