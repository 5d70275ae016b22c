#include "globe_view.h"

#include <cmath>
#include <numbers>

namespace texglobe {

void SpinAndDrag(GlobeView& view, std::uint16_t mouseX, std::uint16_t mouseY,
                 std::uint16_t buttons) {
  view.OrbitAngle += SpinStep;
  view.PrevMouseX = view.MouseX;
  view.PrevMouseY = view.MouseY;
  view.MouseX = mouseX;
  view.MouseY = mouseY;
  view.ButtonState = buttons;
  if (view.ButtonState == 1) {
    view.OrbitAngle += view.MouseX - view.PrevMouseX;
    view.ElevationAngle += view.MouseY - view.PrevMouseY;
  }
}

CameraPose ComputeCamera(const GlobeView& view) {
  const double a = view.OrbitAngle * std::numbers::pi / 180.0;
  const double b = view.ElevationAngle * std::numbers::pi / 180.0;
  const double r = view.CameraDistance;
  return {{-r * std::sin(a) * std::cos(b), r * std::sin(b), r * std::cos(a) * std::cos(b)},
          {0.0, std::cos(b), 0.0}};
}

Perspective ComputePerspective(const GlobeView& view) {
  Perspective p;
  p.Near = view.CameraDistance / 8.0;
  p.Far = view.CameraDistance * 7.0;
  return p;
}

}  // namespace texglobe
