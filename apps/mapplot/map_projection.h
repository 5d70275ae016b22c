// The fixed linear projection of mapplot: longitude and latitude in degrees
// onto an equirectangular map at 80 pixels per radian. Pure.
#pragma once
#include <cstdint>

namespace mapplot {

struct Vector3 {
  double X = 0.0, Y = 0.0, Z = 0.0;
};

struct ScreenPosition {
  double X = 0.0, Y = 0.0;
};

inline constexpr int MapScale = 80;  // pixels per radian, both axes
inline constexpr double MapOffsetX = 80.0;
inline constexpr double LongitudeShift = 170.0;
inline constexpr double WrapLimit = 360.0;
inline constexpr double HalfTurn = 180.0;

// Longitude plus the shift; above the wrap limit a full turn comes off once.
// Exactly 360 stays, and values below 0 are left alone.
double ShiftLongitude(double longitude);

// value / 180 * pi, in that order.
double DegreesToRadians(double degrees);

// The map point of a line's longitude and latitude (degrees): the shifted
// longitude and the latitude in radians, and 0.
Vector3 MapPointOf(double longitude, double latitude);

// x = scale * (point . axisX) + offset, y = maxY / 2 - scale * (point . axisY);
// the dot products summed in the order x, y, z.
ScreenPosition Project(const Vector3& point, const Vector3& axisX, const Vector3& axisY,
                       std::int16_t windowMaxY);

// Nearest integer, halves to the even neighbour, clamped into the signed
// 16-bit range rather than wrapped; a NaN gives 0.
std::int16_t RoundToScreen(double value);

}  // namespace mapplot
