// The geometry of an elliptic arc: start and end offsets from the centre and
// the radii of the bounding box. Pure, so that it is tested on the host.
#pragma once

#include <cstdint>

namespace kanvo::core {

// Nearest integer, a tie going to the even neighbour, whatever rounding mode
// the program has set.
long RoundHalfEven(long double value);

// The radius divided by factor / 10000, cut to 16 bits. A factor of 0 leaves
// the radius as it is rather than dividing by zero.
std::uint16_t CorrectRadius(std::uint16_t radius, std::uint32_t factor);

struct ArcGeometry {
  // Offsets of the start and end points from the centre, y pointing up.
  long StartX = 0, StartY = 0, EndX = 0, EndY = 0;
  // Radii of the bounding box, after the aspect correction.
  std::uint16_t XRadius = 0, YRadius = 0;
};

// Angles in degrees counterclockwise from the x axis. The offsets come from
// the radii as passed; only the bounding box is corrected for the aspect
// factors, and not at all when they are square.
ArcGeometry ComputeArc(std::uint16_t startAngle, std::uint16_t endAngle, std::uint16_t xRadius,
                       std::uint16_t yRadius, std::uint32_t aspectX, std::uint32_t aspectY,
                       bool aspectSquare);

}  // namespace kanvo::core
