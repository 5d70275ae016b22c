// kanvo mouse module: the graphics window's mouse messages as events, and the
// buttons and position of the latest one.
#pragma once

#include <cstdint>

namespace kanvo {

enum MouseKindCode : std::uint16_t { MouseDown = 1, MouseUp = 2, MouseMove = 3, MouseWheel = 4 };

// Bits of MouseButtons: the state after the event.
enum MouseButtonBits : std::uint16_t {
  MouseLeft = 1,
  MouseRight = 2,
  MouseMiddle = 4,
  MouseShift = 8,
  MouseControl = 16,
};

struct MouseEvent {
  std::uint16_t MouseKind = 0;
  std::uint16_t MouseButtons = 0;
  std::uint16_t X = 0;  // client position; screen position for the wheel
  std::uint16_t Y = 0;
  std::int16_t WheelDelta = 0;  // 120 a notch away from the user, -120 towards
};

std::uint16_t CurrentMouseButtons();
std::uint16_t CurrentMouseX();
std::uint16_t CurrentMouseY();

// Takes the oldest queued event (at most 15 wait; more drop the oldest).
// Returns false, leaving event alone, when none is queued.
bool PollMouseEvent(MouseEvent& event);

}  // namespace kanvo
