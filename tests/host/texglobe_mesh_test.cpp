#include <doctest/doctest.h>

#include <cmath>
#include <vector>

#include "apps/texglobe/globe_mesh.h"

using namespace texglobe;

namespace {
std::vector<GlobeVertex> Strip() {
  std::vector<GlobeVertex> v;
  GenerateGlobeStrip([&](const GlobeVertex& g) { v.push_back(g); });
  return v;
}

// Index of the upper (lower = 0) or lower (lower = 1) vertex at meridian j of
// band 1..16.
std::size_t At(int band, int j, int lower) {
  return static_cast<std::size_t>(((band - 1) * (SphereSlices + 1) + j) * 2 + lower);
}

constexpr float Eps = 1e-5f;
}  // namespace

TEST_CASE("one strip of 16 bands x 33 meridians x 2 vertices") {
  const auto v = Strip();
  CHECK(GlobeVertexCount == 1056);
  REQUIRE(v.size() == 1056);
}

TEST_CASE("texture coordinates: s from 0 to 1, t from 1 to 2") {
  const auto v = Strip();
  float sMin = 9, sMax = -9, tMin = 9, tMax = -9;
  for (const auto& g : v) {
    sMin = std::fmin(sMin, g.S), sMax = std::fmax(sMax, g.S);
    tMin = std::fmin(tMin, g.T), tMax = std::fmax(tMax, g.T);
  }
  CHECK(sMin == 0.0f);
  CHECK(sMax == doctest::Approx(1.0).epsilon(1e-6));
  CHECK(tMin == doctest::Approx(1.0).epsilon(1e-6));
  CHECK(tMax == doctest::Approx(2.0).epsilon(1e-6));
  // the bottom of the globe (first row of the picture) is t = 1, its top t = 2
  CHECK(v[At(1, 0, 1)].T == doctest::Approx(1.0));
  CHECK(v[At(1, 0, 1)].Y == doctest::Approx(-1.0));
  CHECK(v[At(16, 0, 0)].T == doctest::Approx(2.0));
  CHECK(v[At(16, 0, 0)].Y == doctest::Approx(1.0));
}

TEST_CASE("every vertex is on the unit sphere, y = cos(pi t)") {
  for (const auto& g : Strip()) {
    CHECK(g.X * g.X + g.Y * g.Y + g.Z * g.Z == doctest::Approx(1.0).epsilon(1e-5));
    CHECK(g.Y == doctest::Approx(std::cos(std::numbers::pi * g.T)).epsilon(1e-5));
  }
}

TEST_CASE("where s lies on the equator: 0 at -x, 0.25 at -z, 0.5 at +x, 0.75 at +z") {
  // Band 8's upper edge is the equator (phi = 3 pi / 2).
  const auto v = Strip();
  struct Case {
    int j;
    float s, x, z;
  };
  const Case cases[] = {
      {0, 0.0f, -1, 0}, {8, 0.25f, 0, -1}, {16, 0.5f, 1, 0}, {24, 0.75f, 0, 1}, {32, 1.0f, -1, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.j);
    const GlobeVertex& g = v[At(8, c.j, 0)];
    CHECK(g.S == doctest::Approx(c.s));
    CHECK(g.T == doctest::Approx(1.5));
    CHECK(g.X == doctest::Approx(c.x).epsilon(Eps));
    CHECK(std::fabs(g.Y) < Eps);
    CHECK(g.Z == doctest::Approx(c.z).epsilon(Eps));
  }
}

TEST_CASE("pairs: upper vertex first, the lower one a band step below") {
  const auto v = Strip();
  const double step = std::numbers::pi / SphereStacks;
  for (int band = 1; band <= SphereStacks; ++band) {
    for (int j = 0; j <= SphereSlices; ++j) {
      const GlobeVertex& up = v[At(band, j, 0)];
      const GlobeVertex& lo = v[At(band, j, 1)];
      CAPTURE(band);
      CAPTURE(j);
      CHECK(up.S == lo.S);
      CHECK(up.T - lo.T == doctest::Approx(step / std::numbers::pi).epsilon(1e-5));
      CHECK(up.T == doctest::Approx(1.0 + band / 16.0).epsilon(1e-6));
      CHECK(up.Y > lo.Y);
    }
  }
}

TEST_CASE("each band closes on its first meridian and the next band follows unbroken") {
  const auto v = Strip();
  for (int band = 1; band <= SphereStacks; ++band) {
    CAPTURE(band);
    for (int lower = 0; lower < 2; ++lower) {
      const GlobeVertex& first = v[At(band, 0, lower)];
      const GlobeVertex& last = v[At(band, SphereSlices, lower)];
      CHECK(last.X == doctest::Approx(first.X).epsilon(Eps));
      CHECK(last.Y == doctest::Approx(first.Y).epsilon(Eps));
      CHECK(std::fabs(last.Z - first.Z) < Eps);
    }
    if (band < SphereStacks) {
      // the joining triangles run along theta = 0: z stays 0 there
      CHECK(std::fabs(v[At(band + 1, 0, 0)].Z) < Eps);
      CHECK(std::fabs(v[At(band, SphereSlices, 1)].Z) < Eps);
      // the next band starts where this one's upper edge was
      CHECK(v[At(band + 1, 0, 1)].Y == doctest::Approx(v[At(band, 0, 0)].Y).epsilon(Eps));
    }
  }
}
