// The globe's arithmetic: state, key steps and the orthographic projection.
// Pure: no window, no platform calls.
#pragma once

#include <array>
#include <cstdint>

#include "apps/coastglobe/coast_tables.h"

namespace coastglobe {

struct GlobeState {
  double TurnAngle = StartTurn;  // degrees, longitude facing the viewer
  double TiltAngle = 0.0;        // degrees, latitude facing the viewer
  std::int32_t GlobeRadius = StartRadius;
  std::int32_t RimRadius = 0;    // GlobeRadius + 1, set each frame
  std::int16_t PageIndex = 0;    // page toggle of the flip
};

// The nearest integer, halves going to the even neighbour, whatever the
// floating-point rounding mode.
std::int32_t RoundHalfEven(double x);

// The six control keys in the order they are tested each frame.
enum class KeyAction { TiltUp, TiltDown, TurnLeft, TurnRight, Larger, Smaller };

struct ControlKey {
  int VirtualKey;
  KeyAction Action;
};

inline constexpr std::array<ControlKey, 6> ControlKeys = {{
    {38, KeyAction::TiltUp},     // VK_UP
    {40, KeyAction::TiltDown},   // VK_DOWN
    {37, KeyAction::TurnLeft},   // VK_LEFT
    {39, KeyAction::TurnRight},  // VK_RIGHT
    {65, KeyAction::Larger},     // "A"
    {90, KeyAction::Smaller},    // "Z"
}};

inline constexpr int EscapeKey = 27;  // VK_ESCAPE, tested after the flip

// One key's change followed at once by its bound.
void ApplyKeyStep(GlobeState& state, KeyAction action);

// Tests the keys in order through isHeld(virtualKey) and applies each held
// key's step before the next key is tested, so keys held together all act.
template <class IsHeld>
void ApplyControlKeys(GlobeState& state, IsHeld&& isHeld) {
  for (const ControlKey& key : ControlKeys) {
    if (isHeld(key.VirtualKey)) ApplyKeyStep(state, key.Action);
  }
}

// The turn and tilt in radians, fixed for one frame.
struct ViewAngles {
  double SinA, CosA, SinB, CosB;
};
ViewAngles AnglesOf(const GlobeState& state);

struct ScreenPoint {
  double U, V, W;        // right, up, towards the viewer
  std::int16_t X, Y;     // the pixel nearest to the projection
};

// Projects a point given in degrees onto a surface whose largest coordinates
// are maxX and maxY; W >= 0 means the point is on the visible side.
ScreenPoint ProjectPoint(double lonDegrees, double latDegrees, const ViewAngles& view,
                         std::int32_t radius, std::int16_t maxX, std::int16_t maxY);

inline bool IsVisible(const ScreenPoint& p) { return p.W >= 0.0; }

// A coastline record is drawn to only when it is visible and its pen is 1;
// otherwise the pen moves to it.
inline bool DrawsLineTo(const CoastPoint& point, const ScreenPoint& p) {
  return IsVisible(p) && point.Pen == 1;
}

// Centre of the globe's circles: the surface's largest coordinates halved,
// truncated. The disc fill starts at the real halves rounded instead.
inline std::int16_t CircleCentre(std::int16_t max) { return static_cast<std::int16_t>(max / 2); }
std::int16_t FillCentre(std::int16_t max);

}  // namespace coastglobe
