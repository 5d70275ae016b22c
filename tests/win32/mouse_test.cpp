// The mouse module through the real window: messages sent to it, the current
// values, the queue and the mouse lock's life. The pointer is parked outside
// the test windows so that the system generates no moves of its own; the
// messages the test sends carry x 1000 and more, a position no real pointer
// has here, to tell them apart all the same.
#include <vector>

#include "kanvo/mouse.h"
#include "kanvo/src/input.h"
#include "support.h"

using namespace kanvo;

namespace {

constexpr std::uint16_t Tag = 1000;

std::vector<MouseEvent> Taken() {
  std::vector<MouseEvent> events;
  MouseEvent e;
  while (PollMouseEvent(e)) {
    if (e.X >= Tag) events.push_back(e);
  }
  return events;
}

void Send(HWND window, UINT message, WPARAM wParam, int x, int y) {
  SendMessageA(window, message, wParam, MAKELPARAM(x, y));
}

void CheckEvent(const MouseEvent& e, std::uint16_t kind, std::uint16_t buttons, std::uint16_t x,
                std::uint16_t y, std::int16_t wheel) {
  CHECK(e.MouseKind == kind);
  CHECK(e.MouseButtons == buttons);
  CHECK(e.X == x);
  CHECK(e.Y == y);
  CHECK(e.WheelDelta == wheel);
}

}  // namespace

TEST_CASE("before the first window and the first event") {
  SetCursorPos(4, 4);
  CHECK((MouseHook().load() == &MouseHookHandler));
  CHECK(CurrentMouseButtons() == 0);
  CHECK(CurrentMouseX() == 0);
  CHECK(CurrentMouseY() == 0);
  MouseEvent e;
  e.X = 7;
  CHECK_FALSE(PollMouseEvent(e));
  CHECK(e.X == 7);
  CHECK_FALSE(MouseRing.Events.Guard().Exists());
  // Without a window the handler records nothing.
  CHECK(MouseHookHandler(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(Tag, 1)) == 0);
  CHECK(CurrentMouseX() == 0);
  CHECK_FALSE(PollMouseEvent(e));
}

TEST_CASE("presses, releases, moves and wheel turns") {
  test::OpenWindow window;
  HWND w = window.Window();
  CHECK(MouseWindow.load() == w);
  CHECK(MouseRing.Events.Guard().Exists());
  Taken();

  Send(w, WM_LBUTTONDOWN, MK_LBUTTON, Tag + 1, 2);
  CHECK(CurrentMouseButtons() == MouseLeft);
  CHECK(CurrentMouseX() == Tag + 1);
  CHECK(CurrentMouseY() == 2);
  Send(w, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, Tag + 3, 4);
  Send(w, WM_LBUTTONUP, MK_SHIFT, Tag + 5, 6);
  CHECK(CurrentMouseButtons() == MouseShift);
  Send(w, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, Tag + 7, 8);
  Send(w, WM_RBUTTONUP, 0, Tag + 9, 10);
  Send(w, WM_MBUTTONDOWN, MK_MBUTTON, Tag + 11, 12);
  Send(w, WM_MBUTTONUP, 0, Tag + 13, 14);
  Send(w, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), Tag + 15, 16);
  Send(w, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, -WHEEL_DELTA), Tag + 17, 18);
  Send(w, WM_LBUTTONDBLCLK, MK_LBUTTON, Tag + 19, 20);  // not forwarded
  CHECK(CurrentMouseButtons() == MouseControl);
  CHECK(CurrentMouseX() == Tag + 17);
  CHECK(CurrentMouseY() == 18);
  CHECK(MouseRing.CurrentWheel.load() == -WHEEL_DELTA);

  const std::vector<MouseEvent> events = Taken();
  REQUIRE(events.size() == 9);
  CheckEvent(events[0], MouseDown, MouseLeft, Tag + 1, 2, 0);
  CheckEvent(events[1], MouseMove, MouseLeft | MouseShift, Tag + 3, 4, 0);
  CheckEvent(events[2], MouseUp, MouseShift, Tag + 5, 6, 0);
  CheckEvent(events[3], MouseDown, MouseRight | MouseControl, Tag + 7, 8, 0);
  CheckEvent(events[4], MouseUp, 0, Tag + 9, 10, 0);
  CheckEvent(events[5], MouseDown, MouseMiddle, Tag + 11, 12, 0);
  CheckEvent(events[6], MouseUp, 0, Tag + 13, 14, 0);
  CheckEvent(events[7], MouseWheel, 0, Tag + 15, 16, 120);
  CheckEvent(events[8], MouseWheel, MouseControl, Tag + 17, 18, -120);
}

TEST_CASE("a wheel turn left of the primary screen stores -10 as 65526") {
  test::OpenWindow window;
  SendMessageA(window.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(-10, -20));
  CHECK(CurrentMouseX() == 65526);
  CHECK(CurrentMouseY() == 65516);
}

TEST_CASE("a full queue keeps the newest 15 events") {
  test::OpenWindow window;
  Taken();
  for (int i = 1; i <= 15; ++i) Send(window.Window(), WM_MOUSEMOVE, 0, Tag + i, i);
  CHECK(MouseRing.Events.Count() == 15);
  Send(window.Window(), WM_MOUSEMOVE, 0, Tag + 16, 16);
  CHECK(MouseRing.Events.Count() == 15);
  const std::vector<MouseEvent> events = Taken();
  REQUIRE(events.size() == 15);
  for (int i = 0; i < 15; ++i) CHECK(events[i].X == Tag + 2 + i);
}

TEST_CASE("closing keeps the values; a new window resets the queue only") {
  {
    test::OpenWindow window;
    Taken();
    Send(window.Window(), WM_LBUTTONDOWN, MK_LBUTTON, Tag + 40, 41);
    Send(window.Window(), WM_MOUSEMOVE, MK_LBUTTON, Tag + 42, 43);
  }
  CHECK_FALSE(MouseRing.Events.Guard().Exists());
  CHECK(CurrentMouseButtons() == MouseLeft);
  CHECK(CurrentMouseX() == Tag + 42);
  CHECK(CurrentMouseY() == 43);
  // What the closed window left is still there to take.
  const std::vector<MouseEvent> left = Taken();
  REQUIRE(left.size() == 2);
  CHECK(left[0].MouseKind == MouseDown);
  CHECK(left[1].MouseKind == MouseMove);

  {
    test::OpenWindow window;
    Send(window.Window(), WM_LBUTTONDOWN, MK_LBUTTON, Tag + 50, 51);
    Send(window.Window(), WM_LBUTTONUP, MK_RBUTTON, Tag + 52, 53);
  }
  test::OpenWindow again;
  CHECK(Taken().empty());
  CHECK(CurrentMouseButtons() == MouseRight);
  CHECK(CurrentMouseX() == Tag + 52);
  CHECK(CurrentMouseY() == 53);
}
