// The camera that circles texglobe's unit sphere and the mouse-drag rule that
// turns it. Pure: the program feeds in the mouse and hands the results to GLU.
#pragma once

#include <cstdint>

namespace texglobe {

inline constexpr double SpinStep = 0.05;  // degrees per frame: 7200 frames a circle

struct GlobeView {
  double OrbitAngle = 0.0;      // degrees around the vertical axis
  double ElevationAngle = 0.0;  // degrees above the equator plane
  double CameraDistance = 1.6;
  std::int32_t MouseX = 0, MouseY = 0;
  std::int32_t PrevMouseX = 0, PrevMouseY = 0;
  std::int32_t ButtonState = 0;
};

// One frame's turn: the spin, then the pointer read this frame. Only a drag
// with the left button alone (no other button, Shift or Control) turns the
// camera, one degree per pixel; the previous position follows the pointer in
// every frame, so moves made without the button never count later.
void SpinAndDrag(GlobeView& view, std::uint16_t mouseX, std::uint16_t mouseY,
                 std::uint16_t buttons);

struct Vec3 {
  double X = 0, Y = 0, Z = 0;
};

struct CameraPose {
  Vec3 Eye;
  Vec3 Up;  // (0, cos elevation, 0): points down once the camera passes a pole
};

// The eye on a sphere of radius CameraDistance around the origin: orbit 0 and
// elevation 0 put it on +z; the orbit carries it towards -x, elevation lifts
// it towards +y. No angle is clamped or wrapped.
CameraPose ComputeCamera(const GlobeView& view);

struct Perspective {
  double FieldOfView = 100.0;  // vertical, degrees
  double Aspect = 1.1;         // fixed, whatever the window's shape
  double Near = 0, Far = 0;
};

Perspective ComputePerspective(const GlobeView& view);

}  // namespace texglobe
