// The input modules' state and hook handlers. Internal to the library; tests
// include it to look inside.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "kanvo/core/key_queue.h"
#include "kanvo/core/mouse_event.h"

namespace kanvo {

// A queue's lock: a critical section that exists from the window's creation
// to its destruction, made and deleted on the window thread.
class InputLock {
 public:
  void Create() {
    InitializeCriticalSection(&section_);
    exists_.store(true);
  }
  void Delete() {
    exists_.store(false);
    DeleteCriticalSection(&section_);
  }
  bool Exists() const { return exists_.load(); }
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_{};
  std::atomic<bool> exists_{false};
};

using KeyRingState = core::KeyRing<InputLock>;
using MouseQueueState = core::MouseQueue<InputLock>;

extern KeyRingState KeyRing;
extern MouseQueueState MouseRing;
extern std::atomic<HWND> MouseWindow;

std::int32_t KeyHookHandler(void* window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam);
std::int32_t MouseHookHandler(void* window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam);

}  // namespace kanvo
