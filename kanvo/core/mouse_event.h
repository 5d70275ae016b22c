// Mouse messages to MouseEvents, and the mouse module's event queue. Pure:
// the lock type comes from the caller.
#pragma once

#include <atomic>
#include <cstdint>

#include "kanvo/core/ring.h"
#include "kanvo/mouse.h"

namespace kanvo::core {

// The mouse messages (the platform's numbers).
inline constexpr std::uint32_t MessageMouseMove = 0x0200;
inline constexpr std::uint32_t MessageLeftDown = 0x0201;
inline constexpr std::uint32_t MessageLeftUp = 0x0202;
inline constexpr std::uint32_t MessageRightDown = 0x0204;
inline constexpr std::uint32_t MessageRightUp = 0x0205;
inline constexpr std::uint32_t MessageMiddleDown = 0x0207;
inline constexpr std::uint32_t MessageMiddleUp = 0x0208;
inline constexpr std::uint32_t MessageMouseWheel = 0x020A;

// The MouseKind a message is recorded as; 0 for messages that are not.
std::uint16_t MouseKindOfMessage(std::uint32_t message);

// The key flags of a mouse message's first parameter as MouseButtons bits.
std::uint16_t MouseButtonsFromKeyFlags(std::uint32_t flags);

// The event a message with these parameters records.
MouseEvent MakeMouseEvent(std::uint16_t kind, std::uint32_t wParam, std::uint32_t lParam);

// The queue and the values of the last event. The current values are read
// without the lock, so they are atomic.
template <class Lock>
struct MouseQueue {
  Ring<MouseEvent, 16, Lock> Events;
  std::atomic<std::uint16_t> CurrentButtons{0};
  std::atomic<std::uint16_t> CurrentX{0};
  std::atomic<std::uint16_t> CurrentY{0};
  std::atomic<std::int16_t> CurrentWheel{0};
};

// Stores one event and makes it the current one, under the lock; a full
// queue drops its oldest event.
template <class Lock>
void PushMouseEvent(MouseQueue<Lock>& queue, std::uint16_t kind, std::uint32_t wParam,
                    std::uint32_t lParam) {
  const MouseEvent event = MakeMouseEvent(kind, wParam, lParam);
  queue.Events.Locked([&](Ring<MouseEvent, 16, Lock>& ring) {
    queue.CurrentButtons.store(event.MouseButtons);
    queue.CurrentX.store(event.X);
    queue.CurrentY.store(event.Y);
    queue.CurrentWheel.store(event.WheelDelta);
    if (ring.Put(event)) ring.DropOldest();
  });
}

}  // namespace kanvo::core
