#include "kanvo/core/arc.h"

#include <cmath>

namespace kanvo::core {

long RoundHalfEven(long double value) {
  const long double below = std::floor(value);
  const long double fraction = value - below;
  const long base = static_cast<long>(below);
  if (fraction > 0.5L) return base + 1;
  if (fraction < 0.5L) return base;
  return (base % 2 == 0) ? base : base + 1;
}

std::uint16_t CorrectRadius(std::uint16_t radius, std::uint32_t factor) {
  if (factor == 0) return radius;
  return static_cast<std::uint16_t>(static_cast<std::uint32_t>(radius) * 10000u / factor);
}

ArcGeometry ComputeArc(std::uint16_t startAngle, std::uint16_t endAngle, std::uint16_t xRadius,
                       std::uint16_t yRadius, std::uint32_t aspectX, std::uint32_t aspectY,
                       bool aspectSquare) {
  constexpr long double DegreesToRadians = 3.14159265358979323846264338327950288L / 180.0L;
  const long double start = startAngle * DegreesToRadians;
  const long double end = endAngle * DegreesToRadians;
  ArcGeometry arc;
  arc.StartX = RoundHalfEven(std::cos(start) * xRadius);
  arc.EndX = RoundHalfEven(std::cos(end) * xRadius);
  arc.StartY = RoundHalfEven(std::sin(start) * yRadius);
  arc.EndY = RoundHalfEven(std::sin(end) * yRadius);
  arc.XRadius = aspectSquare ? xRadius : CorrectRadius(xRadius, aspectX);
  arc.YRadius = aspectSquare ? yRadius : CorrectRadius(yRadius, aspectY);
  return arc;
}

}  // namespace kanvo::core
