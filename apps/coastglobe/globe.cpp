#include "apps/coastglobe/globe.h"

#include <cmath>
#include <numbers>

namespace coastglobe {

std::int32_t RoundHalfEven(double x) {
  const double below = std::floor(x);
  const double fraction = x - below;
  double nearest = below;
  if (fraction > 0.5) {
    nearest = below + 1.0;
  } else if (fraction == 0.5) {
    nearest = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
  }
  return static_cast<std::int32_t>(nearest);
}

void ApplyKeyStep(GlobeState& state, KeyAction action) {
  switch (action) {
    case KeyAction::TiltUp:
      state.TiltAngle += 1.0;
      if (state.TiltAngle > NorthTiltLimit) state.TiltAngle = NorthTiltLimit;
      break;
    case KeyAction::TiltDown:
      state.TiltAngle -= 1.0;
      if (state.TiltAngle < SouthTiltLimit) state.TiltAngle = SouthTiltLimit;
      break;
    // The comparisons are strict, so the turn passes through both 360 and 0.
    case KeyAction::TurnLeft:
      state.TurnAngle += 1.0;
      if (state.TurnAngle > FullTurn) state.TurnAngle = 0.0;
      break;
    case KeyAction::TurnRight:
      state.TurnAngle -= 1.0;
      if (state.TurnAngle < 0.0) state.TurnAngle = FullTurn;
      break;
    case KeyAction::Larger:
      state.GlobeRadius += 1;
      if (state.GlobeRadius > LargestRadius) state.GlobeRadius = LargestRadius;
      break;
    case KeyAction::Smaller:
      state.GlobeRadius -= 1;
      if (state.GlobeRadius < SmallestRadius) state.GlobeRadius = SmallestRadius;
      break;
  }
}

namespace {
// Divided first, then multiplied, as the turn and the table values always are.
double Radians(double degrees) { return degrees / HalfTurn * std::numbers::pi; }
}  // namespace

ViewAngles AnglesOf(const GlobeState& state) {
  const double a = Radians(state.TurnAngle);
  const double b = Radians(state.TiltAngle);
  return {std::sin(a), std::cos(a), std::sin(b), std::cos(b)};
}

ScreenPoint ProjectPoint(double lonDegrees, double latDegrees, const ViewAngles& view,
                         std::int32_t radius, std::int16_t maxX, std::int16_t maxY) {
  const double lambda = Radians(lonDegrees);
  const double phi = Radians(latDegrees);
  const double x = std::cos(phi) * std::cos(lambda);
  const double y = std::cos(phi) * std::sin(lambda);
  const double z = std::sin(phi);

  ScreenPoint p;
  p.U = -x * view.SinA + y * view.CosA;
  p.V = -x * view.SinB * view.CosA - y * view.SinB * view.SinA + z * view.CosB;
  p.W = x * view.CosB * view.CosA + y * view.CosB * view.SinA + z * view.SinB;
  const double sx = maxX / CentreDivisor + p.U * radius;
  const double sy = maxY / CentreDivisor - p.V * radius;
  p.X = static_cast<std::int16_t>(RoundHalfEven(sx));
  p.Y = static_cast<std::int16_t>(RoundHalfEven(sy));
  return p;
}

std::int16_t FillCentre(std::int16_t max) {
  return static_cast<std::int16_t>(RoundHalfEven(max / CentreDivisor));
}

}  // namespace coastglobe
