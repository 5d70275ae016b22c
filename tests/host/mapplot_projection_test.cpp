#include <doctest/doctest.h>

#include <cmath>
#include <limits>
#include <string>

#include "apps/mapplot/coordinate_reader.h"
#include "apps/mapplot/map_projection.h"

using namespace mapplot;

namespace {

constexpr Vector3 AxisX{1, 0, 0}, AxisY{0, 1, 0};

struct Point {
  std::int16_t X, Y;
  bool operator==(const Point&) const = default;
};

doctest::String toString(const Point& p) {
  return ("(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")").c_str();
}

Point ScreenPointOf(double longitude, double latitude, std::int16_t windowMaxY = 479) {
  const ScreenPosition s = Project(MapPointOf(longitude, latitude), AxisX, AxisY, windowMaxY);
  return {RoundToScreen(s.X), RoundToScreen(s.Y)};
}

}  // namespace

TEST_CASE("longitude shift and wrap") {
  const struct {
    double in, out;
  } cases[] = {
      {-5.5, 164.5}, {20, 190}, {195, 5}, {190, 360},  // exactly 360 is not wrapped
      {190.5, 0.5},  {-180, -10}, {-200, -30},         // below 0 left alone
      {550, 360},    {551, 361},                       // one turn only
  };
  for (const auto& c : cases) {
    CAPTURE(c.in);
    CHECK(ShiftLongitude(c.in) == c.out);
  }
}

TEST_CASE("degrees to radians divides first") {
  CHECK(DegreesToRadians(180) == std::numbers::pi);
  CHECK(DegreesToRadians(36.2) == 36.2 / 180.0 * std::numbers::pi);
  const Vector3 p = MapPointOf(-5.5, 36.2);
  CHECK(p.X == 164.5 / 180.0 * std::numbers::pi);
  CHECK(p.Y == 36.2 / 180.0 * std::numbers::pi);
  CHECK(p.Z == 0.0);
}

TEST_CASE("projection onto the axes") {
  const ScreenPosition s = Project({1, 2, 3}, AxisX, AxisY, 479);
  CHECK(s.X == 160.0);
  CHECK(s.Y == 239.5 - 160.0);
  // Every component of both axes takes part.
  const ScreenPosition t = Project({1, 2, 3}, {0.5, 0.25, 1}, {0, 0, -1}, 100);
  CHECK(t.X == 80.0 * (0.5 + 0.5 + 3) + 80.0);
  CHECK(t.Y == 50.0 + 240.0);
}

TEST_CASE("rounding to the screen: halves to even, clamped") {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double in;
    std::int16_t out;
  } cases[] = {
      {0.5, 0},        {1.5, 2},         {2.5, 2},         {-0.5, 0},        {-1.5, -2},
      {239.5, 240},    {240.5, 240},     {309.7, 310},     {-2.6, -3},       {32767.4, 32767},
      {32767.5, 32767}, {40000, 32767},  {1e300, 32767},   {inf, 32767},     {-32768.5, -32768},
      {-32768.6, -32768}, {-40000, -32768}, {-inf, -32768},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases) {
    CAPTURE(c.in);
    CHECK(RoundToScreen(c.in) == c.out);
  }
}

TEST_CASE("screen points on a 640 x 480 surface") {
  const struct {
    double longitude, latitude;
    Point screen;
  } cases[] = {
      {-5.5, 36.2, {310, 189}},
      {20.0, -34.8, {345, 288}},
      {195, 10, {87, 226}},
      {0, 0, {317, 240}},    // 239.5 rounds to 240
      {190, 0, {583, 240}},  // 360 degrees, not wrapped
      {190.5, 0, {81, 240}},
      {-180, 90, {66, 114}},
      {180, -90, {569, 365}},
      // Tens of thousands of degrees are clamped, not wrapped.
      {30000, 0, {32767, 240}},
      {-30000, 0, {-32768, 240}},
      {0, 30000, {317, -32768}},
      {0, -30000, {317, 32767}},
  };
  for (const auto& c : cases) {
    CAPTURE(c.longitude);
    CAPTURE(c.latitude);
    CHECK(ScreenPointOf(c.longitude, c.latitude) == c.screen);
  }
}

TEST_CASE("worked lines from the file to the screen") {
  CoordinateReader reader(std::string_view{"-5.5 36.2 D\n20.0 -34.8\n195 10 D\n0 0 D\n"});
  const struct {
    Point screen;
    bool draws;
  } expected[] = {{{310, 189}, true}, {{345, 288}, false}, {{87, 226}, true}, {{317, 240}, true}};
  for (const auto& e : expected) {
    REQUIRE_FALSE(reader.AtEnd());
    const CoordinateLine line = reader.ReadLine();
    CHECK(ScreenPointOf(line.Longitude, line.Latitude) == e.screen);
    CHECK(line.Pen.Draws() == e.draws);
  }
  CHECK(reader.AtEnd());
}
