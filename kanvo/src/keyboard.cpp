// The keyboard module: the window's key messages into KeyRing on the window
// thread, WaitKey and KeyAvailable on the program's thread.
#include <type_traits>

#include "kanvo/graphics.h"
#include "kanvo/keyboard.h"
#include "kanvo/src/input.h"

namespace kanvo {

static_assert(core::MessageCreate == WM_CREATE && core::MessageDestroy == WM_DESTROY);
static_assert(core::MessageClose == WM_CLOSE && core::MessageKeyDown == WM_KEYDOWN);
static_assert(core::MessageChar == WM_CHAR && core::MessageSysKeyDown == WM_SYSKEYDOWN);
static_assert(core::VkShift == VK_SHIFT && core::VkControl == VK_CONTROL &&
              core::VkMenu == VK_MENU);
// The window procedure may still call the handler while the process exits.
static_assert(std::is_trivially_destructible_v<KeyRingState>);

constinit KeyRingState KeyRing;

namespace {

constexpr DWORD PollInterval = 10;  // ms

bool IsDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

core::Modifiers ReadModifiers() {
  core::Modifiers m;
  m.Shift = IsDown(VK_SHIFT);
  m.Control = IsDown(VK_CONTROL);
  m.Alt = IsDown(VK_MENU);
  return m;
}

}  // namespace

std::int32_t KeyHookHandler(void* /*window*/, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t /*lParam*/) {
  InputLock& lock = KeyRing.Guard();
  switch (message) {
    case WM_CREATE:
      lock.Create();
      KeyRing.Reset();
      break;
    case WM_DESTROY:
      if (lock.Exists()) lock.Delete();
      break;
    default:
      // Without a window there is no lock and nothing to queue for.
      if (lock.Exists()) {
        core::QueueKeyMessage(KeyRing, message, static_cast<std::uint32_t>(wParam),
                              ReadModifiers);
      }
      break;
  }
  return 0;
}

std::uint8_t WaitKey() {
  if (!IsGraphicsOpen()) return 0;
  while (KeyRing.Empty()) {
    Sleep(PollInterval);
    // Only this thread closes the window, but a closed window never queues.
    if (!IsGraphicsOpen()) return 0;
  }
  std::uint8_t b = 0;
  KeyRing.Pop(b);
  return b;
}

bool KeyAvailable() { return !KeyRing.Empty(); }

}  // namespace kanvo

// Module start-up, after the graphics module's (which clears the hook slots).
// The anchor symbol keeps this object in programs that call nothing of the
// module.
extern "C" {
extern const int kanvo_keyboard_module;
const int kanvo_keyboard_module = 1;
}

__attribute__((constructor(202))) static void KeyboardModuleStartup() {
  kanvo::KeyHook().store(kanvo::KeyHookHandler);
}
