// The mouse module: the window's mouse messages into MouseRing and the current
// values on the window thread, the readers on the program's thread.
#include <type_traits>

#include "kanvo/graphics.h"
#include "kanvo/mouse.h"
#include "kanvo/src/input.h"

namespace kanvo {

static_assert(core::MessageMouseMove == WM_MOUSEMOVE && core::MessageLeftDown == WM_LBUTTONDOWN &&
              core::MessageLeftUp == WM_LBUTTONUP && core::MessageRightDown == WM_RBUTTONDOWN &&
              core::MessageRightUp == WM_RBUTTONUP && core::MessageMiddleDown == WM_MBUTTONDOWN &&
              core::MessageMiddleUp == WM_MBUTTONUP && core::MessageMouseWheel == WM_MOUSEWHEEL);
// The window procedure may still call the handler while the process exits.
static_assert(std::is_trivially_destructible_v<MouseQueueState>);

constinit MouseQueueState MouseRing;
// The window whose creation the handler last saw.
constinit std::atomic<HWND> MouseWindow{nullptr};

std::int32_t MouseHookHandler(void* window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
  InputLock& lock = MouseRing.Events.Guard();
  switch (message) {
    case WM_CREATE:
      MouseWindow.store(static_cast<HWND>(window));
      lock.Create();
      MouseRing.Events.Reset();
      break;
    case WM_DESTROY:
      if (lock.Exists()) lock.Delete();
      break;
    default: {
      const std::uint16_t kind = core::MouseKindOfMessage(message);
      // Without a window there is no lock and nothing to record.
      if (kind != 0 && lock.Exists()) {
        core::PushMouseEvent(MouseRing, kind, static_cast<std::uint32_t>(wParam),
                             static_cast<std::uint32_t>(lParam));
      }
      break;
    }
  }
  return 0;
}

std::uint16_t CurrentMouseButtons() { return MouseRing.CurrentButtons.load(); }
std::uint16_t CurrentMouseX() { return MouseRing.CurrentX.load(); }
std::uint16_t CurrentMouseY() { return MouseRing.CurrentY.load(); }

bool PollMouseEvent(MouseEvent& event) {
  // Once the window is gone its lock is too, and nothing writes the ring any
  // more: what it left can be taken without the lock.
  if (MouseRing.Events.Guard().Exists()) return MouseRing.Events.Pop(event);
  return MouseRing.Events.Take(event);
}

}  // namespace kanvo

// Module start-up, after the graphics and keyboard modules'. The anchor
// symbol keeps this object in programs that call nothing of the module.
extern "C" {
extern const int kanvo_mouse_module;
const int kanvo_mouse_module = 1;
}

__attribute__((constructor(203))) static void MouseModuleStartup() {
  kanvo::MouseHook().store(kanvo::MouseHookHandler);
}
