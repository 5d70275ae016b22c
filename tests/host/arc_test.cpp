#include "kanvo/core/arc.h"

#include <cfenv>

#include <doctest/doctest.h>

using namespace kanvo::core;

TEST_CASE("rounding to the nearest integer, ties to even") {
  struct Case {
    long double value;
    long expected;
  };
  const Case cases[] = {
      {0.5L, 0},  {1.5L, 2},   {2.5L, 2},   {-0.5L, 0},   {-1.5L, -2}, {-2.5L, -2},
      {0.49L, 0}, {0.51L, 1},  {-0.51L, -1}, {7.0L, 7},   {-7.0L, -7}, {1e-19L, 0},
      {-1e-19L, 0}, {9.9999L, 10},
  };
  for (const Case& c : cases) {
    CAPTURE(static_cast<double>(c.value));
    CHECK(RoundHalfEven(c.value) == c.expected);
  }
}

TEST_CASE("rounding ignores the program's rounding mode") {
  const int saved = std::fegetround();
  std::fesetround(FE_TOWARDZERO);
  CHECK(RoundHalfEven(2.7L) == 3);
  CHECK(RoundHalfEven(-2.7L) == -3);
  std::fesetround(FE_UPWARD);
  CHECK(RoundHalfEven(2.5L) == 2);
  std::fesetround(saved);
}

TEST_CASE("start and end offsets on the axes") {
  struct Case {
    std::uint16_t start, end;
    long sx, sy, ex, ey;
  };
  const Case cases[] = {
      {0, 90, 10, 0, 0, 10},     // right to top
      {90, 180, 0, 10, -10, 0},  // top to left
      {180, 270, -10, 0, 0, -10},
      {270, 360, 0, -10, 10, 0},
      {0, 360, 10, 0, 10, 0},    // the whole ellipse
      {450, 720, 0, 10, 10, 0},  // angles past a full turn
  };
  for (const Case& c : cases) {
    CAPTURE(c.start);
    CAPTURE(c.end);
    const ArcGeometry arc = ComputeArc(c.start, c.end, 10, 10, 10000, 10000, true);
    CHECK(arc.StartX == c.sx);
    CHECK(arc.StartY == c.sy);
    CHECK(arc.EndX == c.ex);
    CHECK(arc.EndY == c.ey);
    CHECK(arc.XRadius == 10);
    CHECK(arc.YRadius == 10);
  }
}

TEST_CASE("offsets between the axes are rounded products of the radii") {
  const ArcGeometry arc = ComputeArc(60, 30, 6, 4, 10000, 10000, true);
  CHECK(arc.StartX == 3);  // cos 60 * 6 = 3
  CHECK(arc.StartY == 3);  // sin 60 * 4 = 3.46
  CHECK(arc.EndX == 5);    // cos 30 * 6 = 5.20
  CHECK(arc.EndY == 2);    // sin 30 * 4 = 2
  // 45 degrees of a radius of 100: 70.71
  const ArcGeometry diagonal = ComputeArc(45, 135, 100, 100, 10000, 10000, true);
  CHECK(diagonal.StartX == 71);
  CHECK(diagonal.StartY == 71);
  CHECK(diagonal.EndX == -71);
  CHECK(diagonal.EndY == 71);
}

TEST_CASE("aspect factors correct the bounding box only") {
  const ArcGeometry arc = ComputeArc(0, 90, 10, 10, 20000, 10000, false);
  CHECK(arc.XRadius == 5);
  CHECK(arc.YRadius == 10);
  CHECK(arc.StartX == 10);  // the offsets keep the radii as passed
  CHECK(arc.EndY == 10);

  CHECK(ComputeArc(0, 360, 10, 10, 5000, 3000, false).XRadius == 20);
  CHECK(ComputeArc(0, 360, 10, 10, 5000, 3000, false).YRadius == 33);  // integer division
  // square factors are not applied even when the flag says otherwise
  CHECK(ComputeArc(0, 360, 10, 10, 20000, 20000, true).XRadius == 10);
}

TEST_CASE("radius correction: 16-bit results and a zero factor") {
  CHECK(CorrectRadius(10, 10000) == 10);
  CHECK(CorrectRadius(10, 20000) == 5);
  CHECK(CorrectRadius(10, 30000) == 3);
  CHECK(CorrectRadius(10, 1) == static_cast<std::uint16_t>(100000));  // cut to 16 bits
  CHECK(CorrectRadius(65535, 10000) == 65535);
  CHECK(CorrectRadius(65535, 1) == static_cast<std::uint16_t>(655350000u));
  // a zero factor leaves the radius uncorrected
  CHECK(CorrectRadius(10, 0) == 10);
  CHECK(CorrectRadius(0, 0) == 0);
  const ArcGeometry arc = ComputeArc(0, 360, 10, 12, 0, 20000, false);
  CHECK(arc.XRadius == 10);
  CHECK(arc.YRadius == 6);
}
