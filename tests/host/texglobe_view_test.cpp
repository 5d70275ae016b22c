#include <doctest/doctest.h>

#include <cmath>

#include "apps/texglobe/globe_view.h"

using namespace texglobe;

TEST_CASE("camera eye and up for worked angles") {
  struct Case {
    double orbit, elevation;
    double x, y, z, upY;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 1.6, 1},             // start: on +z
      {90, 0, -1.6, 0, 0, 1},           // orbit carries it towards -x
      {180, 0, 0, 0, -1.6, 1},
      {360, 0, 0, 0, 1.6, 1},           // 7200 frames of spin
      {0, 10, 0, 0.27784, 1.57569, 0.98481},     // 1.6 sin 10 deg
      {0, 90, 0, 1.6, 0, 0},
      {0, 100, 0, 1.57569, -0.27784, -0.17365},  // over the pole: up turns down
      {0, -30, 0, -0.8, 1.38564, 0.86603},
      {30, 45, -0.56569, 1.13137, 0.97980, 0.70711},
  };
  for (const Case& c : cases) {
    CAPTURE(c.orbit);
    CAPTURE(c.elevation);
    GlobeView view;
    view.OrbitAngle = c.orbit;
    view.ElevationAngle = c.elevation;
    const CameraPose pose = ComputeCamera(view);
    CHECK(pose.Eye.X == doctest::Approx(c.x).epsilon(1e-4).scale(1.0));
    CHECK(pose.Eye.Y == doctest::Approx(c.y).epsilon(1e-4).scale(1.0));
    CHECK(pose.Eye.Z == doctest::Approx(c.z).epsilon(1e-4).scale(1.0));
    CHECK(pose.Up.X == 0.0);
    CHECK(pose.Up.Y == doctest::Approx(c.upY).epsilon(1e-4).scale(1.0));
    CHECK(pose.Up.Z == 0.0);
    const double r = std::sqrt(pose.Eye.X * pose.Eye.X + pose.Eye.Y * pose.Eye.Y +
                               pose.Eye.Z * pose.Eye.Z);
    CHECK(r == doctest::Approx(1.6));
  }
}

TEST_CASE("perspective: 100 degrees, aspect 1.1, near R/8, far 7R") {
  GlobeView view;
  Perspective p = ComputePerspective(view);
  CHECK(p.FieldOfView == 100.0);
  CHECK(p.Aspect == 1.1);
  CHECK(p.Near == doctest::Approx(0.2));
  CHECK(p.Far == doctest::Approx(11.2));
  view.CameraDistance = 4.0;
  p = ComputePerspective(view);
  CHECK(p.Near == doctest::Approx(0.5));
  CHECK(p.Far == doctest::Approx(28.0));
}

TEST_CASE("without the mouse the orbit grows 0.05 degrees a frame") {
  GlobeView view;
  for (int n = 1; n <= 7200; ++n) {
    SpinAndDrag(view, 0, 0, 0);
    if (n == 1) CHECK(view.OrbitAngle == doctest::Approx(0.05));
    if (n == 20) CHECK(view.OrbitAngle == doctest::Approx(1.0));
  }
  CHECK(view.OrbitAngle == doctest::Approx(360.0));
  CHECK(view.ElevationAngle == 0.0);
  const CameraPose pose = ComputeCamera(view);
  CHECK(std::fabs(pose.Eye.X) < 1e-6);
  CHECK(pose.Eye.Z == doctest::Approx(1.6));
}

TEST_CASE("drag rule: only the left button alone turns the globe") {
  // Frame 1 at (100, 200) with `before` held, frame 2 at (110, 190) with
  // `during` held: the turn is the second frame's move when it counts.
  struct Case {
    const char* what;
    std::uint16_t before, during;
    double orbitTurn, elevationTurn;
  };
  const Case cases[] = {
      {"no button", 0, 0, 0, 0},
      {"left", 1, 1, 10, -10},
      {"left pressed at the second frame", 0, 1, 10, -10},
      {"released at the second frame", 1, 0, 0, 0},
      {"right", 2, 2, 0, 0},
      {"middle", 4, 4, 0, 0},
      {"left and right", 3, 3, 0, 0},
      {"left and middle", 5, 5, 0, 0},
      {"left with Shift", 9, 9, 0, 0},
      {"left with Control", 17, 17, 0, 0},
      {"left with Shift and Control", 25, 25, 0, 0},
      {"Shift alone", 8, 8, 0, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    GlobeView view;
    view.MouseX = 100;
    view.MouseY = 200;
    SpinAndDrag(view, 100, 200, c.before);
    const double orbit = view.OrbitAngle, elevation = view.ElevationAngle;
    SpinAndDrag(view, 110, 190, c.during);
    CHECK(view.OrbitAngle - orbit == doctest::Approx(SpinStep + c.orbitTurn));
    CHECK(view.ElevationAngle - elevation == doctest::Approx(c.elevationTurn));
    CHECK(view.PrevMouseX == 100);
    CHECK(view.PrevMouseY == 200);
    CHECK(view.MouseX == 110);
    CHECK(view.MouseY == 190);
    CHECK(view.ButtonState == c.during);
  }
}

TEST_CASE("drag rule: worked moves") {
  SUBCASE("10 px right and 10 px down turn 10 degrees each; the eye rises to 0.278") {
    GlobeView view;
    SpinAndDrag(view, 300, 200, 1);  // jumps once from (0, 0)
    const double orbit = view.OrbitAngle, elevation = view.ElevationAngle;
    SpinAndDrag(view, 310, 210, 1);
    CHECK(view.OrbitAngle - orbit == doctest::Approx(10.05));
    CHECK(view.ElevationAngle - elevation == doctest::Approx(10.0));
    view.OrbitAngle = 0;
    view.ElevationAngle = 10;
    CHECK(ComputeCamera(view).Eye.Y == doctest::Approx(0.2778).epsilon(1e-3));
  }
  SUBCASE("left button down in the first frame: one jump by the pointer's position") {
    GlobeView view;
    SpinAndDrag(view, 40, 25, 1);
    CHECK(view.OrbitAngle == doctest::Approx(40.05));
    CHECK(view.ElevationAngle == doctest::Approx(25.0));
  }
  SUBCASE("moves without the button are forgotten, not caught up later") {
    GlobeView view;
    SpinAndDrag(view, 10, 10, 0);
    SpinAndDrag(view, 200, 300, 0);
    SpinAndDrag(view, 205, 300, 1);
    CHECK(view.OrbitAngle == doctest::Approx(3 * SpinStep + 5));
    CHECK(view.ElevationAngle == 0.0);
  }
  SUBCASE("positions are unsigned 16-bit: 65535 is far right, not -1") {
    GlobeView view;
    SpinAndDrag(view, 65535, 0, 0);
    SpinAndDrag(view, 65534, 0, 1);
    CHECK(view.MouseX == 65534);
    CHECK(view.OrbitAngle == doctest::Approx(2 * SpinStep - 1));
  }
  SUBCASE("dragging over the pole keeps going") {
    GlobeView view;
    SpinAndDrag(view, 0, 0, 1);
    SpinAndDrag(view, 0, 120, 1);
    CHECK(view.ElevationAngle == 120.0);
    CHECK(ComputeCamera(view).Up.Y < 0);
  }
}
