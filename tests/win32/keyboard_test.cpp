// The keyboard module through the real window: messages sent and posted to
// it, the key lock's life and the ring across windows.
#include <vector>

#include "kanvo/keyboard.h"
#include "kanvo/src/input.h"
#include "support.h"

using namespace kanvo;

namespace {

std::vector<int> ReadAll() {
  std::vector<int> bytes;
  while (KeyAvailable()) bytes.push_back(WaitKey());
  return bytes;
}

// Sends the messages and lets the window thread handle them.
void Send(HWND window, UINT message, WPARAM wParam) { SendMessageA(window, message, wParam, 0); }

}  // namespace

TEST_CASE("before the first window WaitKey returns 0 at once") {
  CHECK_FALSE(KeyAvailable());
  const DWORD start = GetTickCount();
  CHECK(WaitKey() == 0);
  CHECK(GetTickCount() - start < 1000);
  CHECK(KeyRing.ReadPos() == 0);
  CHECK(KeyRing.WritePos() == 0);
  CHECK_FALSE(KeyRing.Guard().Exists());
}

TEST_CASE("start-up installed the key handler") {
  CHECK((KeyHook().load() == &KeyHookHandler));
}

TEST_CASE("characters, keys and the close request") {
  test::OpenWindow window;
  HWND w = window.Window();
  CHECK(KeyRing.Guard().Exists());
  ReadAll();  // anything the system queued on showing the window

  Send(w, WM_CHAR, 'a');
  Send(w, WM_CHAR, 13);
  Send(w, WM_KEYDOWN, VK_RETURN);  // Enter without Alt: its character only
  Send(w, WM_KEYDOWN, VK_LEFT);
  Send(w, WM_KEYDOWN, VK_SHIFT);
  Send(w, WM_KEYDOWN, VK_CONTROL);
  Send(w, WM_SYSKEYDOWN, VK_MENU);
  Send(w, WM_KEYUP, VK_LEFT);
  Send(w, WM_SYSCHAR, 'x');
  Send(w, WM_KEYDOWN, VK_F1);
  CHECK(ReadAll() == std::vector<int>{97, 13, 0, 75, 0, 59});

  CHECK_FALSE(CloseRequested());
  PostMessageA(w, WM_CLOSE, 0, 0);
  CHECK(WaitKey() == 0);
  CHECK(WaitKey() == CloseKeyCode);
  CHECK(CloseRequested());
  CHECK(IsGraphicsOpen());
  CHECK(IsWindow(w));
}

TEST_CASE("WaitKey waits for a byte that arrives later") {
  test::OpenWindow window;
  ReadAll();
  struct Later {
    HWND window;
    static DWORD WINAPI Run(LPVOID p) {
      Sleep(200);
      PostMessageA(static_cast<Later*>(p)->window, WM_CHAR, 'z', 0);
      return 0;
    }
  } later{window.Window()};
  HANDLE thread = CreateThread(nullptr, 0, Later::Run, &later, 0, nullptr);
  REQUIRE(thread != nullptr);
  const DWORD start = GetTickCount();
  CHECK(WaitKey() == 'z');
  CHECK(GetTickCount() - start >= 150);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

TEST_CASE("a full ring keeps the newest 31 bytes") {
  test::OpenWindow window;
  ReadAll();
  for (int i = 1; i <= 40; ++i) Send(window.Window(), WM_CHAR, 'A' + i);
  CHECK(KeyRing.Count() == 31);
  std::vector<int> expected;
  for (int i = 10; i <= 40; ++i) expected.push_back('A' + i);
  CHECK(ReadAll() == expected);
}

TEST_CASE("closing deletes the lock; the next window starts with an empty ring") {
  {
    test::OpenWindow window;
    Send(window.Window(), WM_CHAR, 'q');
    Send(window.Window(), WM_KEYDOWN, VK_HOME);
    CHECK(KeyAvailable());
  }
  CHECK_FALSE(IsGraphicsOpen());
  CHECK_FALSE(KeyRing.Guard().Exists());
  // The bytes stay, but a closed window gives 0 at once.
  CHECK(KeyAvailable());
  const DWORD start = GetTickCount();
  CHECK(WaitKey() == 0);
  CHECK(GetTickCount() - start < 1000);
  // The handler ignores input while there is no window (and no lock).
  const std::int32_t before = KeyRing.WritePos();
  CHECK(KeyHookHandler(nullptr, WM_CHAR, 'x', 0) == 0);
  CHECK(KeyRing.WritePos() == before);

  test::OpenWindow again;
  CHECK(KeyRing.Guard().Exists());
  CHECK(KeyRing.ReadPos() == 1);
  CHECK(KeyRing.WritePos() == 1);
  Send(again.Window(), WM_CHAR, 'n');
  CHECK(ReadAll() == std::vector<int>{'n'});
}
