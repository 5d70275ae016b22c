// The textured unit sphere as one triangle strip, generated vertex by vertex
// so that the program can send it in immediate mode without storing it.
#pragma once

#include <cmath>
#include <numbers>

namespace texglobe {

inline constexpr int SphereSlices = 32;
inline constexpr int SphereStacks = 16;
// Each band repeats its first meridian at the end to close.
inline constexpr int GlobeVertexCount = SphereStacks * (SphereSlices + 1) * 2;

struct GlobeVertex {
  float S, T;
  float X, Y, Z;
};

// Calls emit(GlobeVertex) for the whole strip, bottom band first. Bands run
// through phi in (pi, 2pi], where sin phi <= 0, so y goes from -1 to +1, t from
// 1 to 2 (the picture once, with repeat wrapping) and s = 0.75 faces +z. The
// strip is not restarted between bands: the joining triangles lie inside the
// sphere along the meridian theta = 0.
template <class Emit>
void GenerateGlobeStrip(Emit&& emit) {
  constexpr double pi = std::numbers::pi;
  const double sliceStep = pi * 2.0 / SphereSlices;
  const double stackStep = pi / SphereStacks;
  double phi = pi;
  for (int band = 1; band <= SphereStacks; ++band) {
    phi += stackStep;
    const double lower = phi - stackStep;
    double theta = 0.0;
    for (int j = 0; j <= SphereSlices; ++j) {
      const float s = static_cast<float>(0.5 * theta / pi);
      emit(GlobeVertex{s, static_cast<float>(phi / pi),
                       static_cast<float>(std::sin(phi) * std::cos(theta)),
                       static_cast<float>(std::cos(phi)),
                       static_cast<float>(std::sin(phi) * std::sin(theta))});
      emit(GlobeVertex{s, static_cast<float>(lower / pi),
                       static_cast<float>(std::sin(lower) * std::cos(theta)),
                       static_cast<float>(std::cos(lower)),
                       static_cast<float>(std::sin(lower) * std::sin(theta))});
      theta += sliceStep;
    }
  }
}

}  // namespace texglobe
