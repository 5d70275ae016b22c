#include "apps/mapplot/map_projection.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace mapplot {

double ShiftLongitude(double longitude) {
  double shifted = longitude + LongitudeShift;
  if (shifted > WrapLimit) shifted -= WrapLimit;
  return shifted;
}

double DegreesToRadians(double degrees) { return degrees / HalfTurn * std::numbers::pi; }

Vector3 MapPointOf(double longitude, double latitude) {
  return {DegreesToRadians(ShiftLongitude(longitude)), DegreesToRadians(latitude), 0.0};
}

namespace {
double Dot(const Vector3& a, const Vector3& b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
}  // namespace

ScreenPosition Project(const Vector3& point, const Vector3& axisX, const Vector3& axisY,
                       std::int16_t windowMaxY) {
  const double scale = static_cast<double>(MapScale);
  return {scale * Dot(point, axisX) + MapOffsetX,
          static_cast<double>(windowMaxY) / 2.0 - scale * Dot(point, axisY)};
}

std::int16_t RoundToScreen(double value) {
  if (std::isnan(value)) return 0;
  // The default rounding mode rounds halves to even.
  const double rounded = std::nearbyint(value);
  constexpr double lowest = std::numeric_limits<std::int16_t>::min();
  constexpr double highest = std::numeric_limits<std::int16_t>::max();
  if (rounded < lowest) return std::numeric_limits<std::int16_t>::min();
  if (rounded > highest) return std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(rounded);
}

}  // namespace mapplot
