// Forced failures: OpenGL contexts that cannot be made, a default font face
// that is missing, a window thread that cannot be created, a window class
// that cannot be registered, and the close button while the program waits
// for a key. Each must end in a defined state that closes cleanly.
#include <cstring>

#include "kanvo/keyboard.h"
#include "support.h"

using namespace kanvo;

namespace {

DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

bool ClassRegistered() {
  WNDCLASSA info{};
  return GetClassInfoA(GetModuleHandleA(nullptr), "KanvoClass", &info) != 0;
}

// After closing: no window, no thread, no class, no GDI object left over.
void CheckClosedCleanly(HWND window, DWORD gdiBefore) {
  CHECK_FALSE(IsGraphicsOpen());
  CHECK_FALSE(IsWindow(window));
  CHECK(Graphics.ThreadHandle == nullptr);
  CHECK_FALSE(ClassRegistered());
  CHECK(GdiObjects() == gdiBefore);
}

// A normal opening still works afterwards.
void CheckOpensAgain() {
  std::int16_t d = 9, m = 4;
  StartGraphics(d, m, "kanvo test");
  CHECK(LastStatus() == StatusOk);
  CHECK(IsGraphicsOpen());
  StopGraphics();
  CHECK(LastStatus() == StatusOk);
}

const char* MissingFace = nullptr;
int WINAPI EnumWithoutFace(HDC dc, LPCSTR family, FONTENUMPROCA callback, LPARAM data) {
  if (MissingFace != nullptr && std::strcmp(family, MissingFace) == 0) return 1;
  return EnumFontFamiliesA(dc, family, callback, data);
}

HANDLE WINAPI NoThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                       LPDWORD) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

LRESULT CALLBACK PlainProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, m, wp, lp);
}

DWORD WINAPI PressCloseButton(LPVOID window) {
  Sleep(300);
  // What the close button sends; the default handling turns it into WM_CLOSE.
  PostMessageA(static_cast<HWND>(window), WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

}  // namespace

TEST_CASE("OpenGL contexts that cannot be made: -9, a working window, a clean close") {
  const DWORD gdiBefore = GdiObjects();
  Graphics.RefuseGLForTest = true;
  std::int16_t d = 9, m = 4;
  StartGraphics(d, m, "kanvo test");
  Graphics.RefuseGLForTest = false;
  CHECK(LastStatus() == StatusNoOpenGL);
  REQUIRE(IsGraphicsOpen());
  HWND window = Graphics.WindowHandle.load();
  CHECK(IsWindowVisible(window));
  CHECK_FALSE(Graphics.GLAvailable);

  PlotPixel(20, 30, 0x00FF00);
  CHECK(LastStatus() == StatusOk);
  CHECK(test::PagePixel(20, 30) == RGB(0, 255, 0));
  CHECK(test::WindowPixel(20, 30) == RGB(0, 255, 0));
  SelectGLTarget(true);
  CHECK(LastStatus() == StatusNoOpenGL);

  StopGraphics();
  CHECK(LastStatus() == StatusOk);
  CheckClosedCleanly(window, gdiBefore);
  CheckOpensAgain();
}

TEST_CASE("a default font face missing: -5, hidden window, StopGraphics closes it") {
  const DWORD gdiBefore = GdiObjects();
  // Each of the four in turn: the faces before it stay registered.
  const char* faces[] = {"Courier New", "MS Sans Serif", "Times New Roman", "Arial"};
  for (int missing = 0; missing < 4; ++missing) {
    CAPTURE(missing);
    MissingFace = faces[missing];
    Graphics.EnumFontFamiliesForTest = EnumWithoutFace;
    std::int16_t d = 3, m = 4;
    StartGraphics(d, m, "kanvo test");
    Graphics.EnumFontFamiliesForTest = nullptr;
    CHECK(LastStatus() == StatusFontUnavailable);
    REQUIRE(IsGraphicsOpen());
    HWND window = Graphics.WindowHandle.load();
    CHECK(IsWindow(window));
    CHECK_FALSE(IsWindowVisible(window));
    for (int slot = 0; slot < 15; ++slot) {
      CAPTURE(slot);
      CHECK((Graphics.FontSlots[slot].Length != 0) == (slot < missing));
    }
    // Neither the drawing-state reset nor the OpenGL set-up ran.
    CHECK(Graphics.CurrentPen == nullptr);
    CHECK(Graphics.WindowGLContext == nullptr);

    StopGraphics();
    CHECK(LastStatus() == StatusOk);
    CheckClosedCleanly(window, gdiBefore);
  }
  MissingFace = nullptr;
  CheckOpensAgain();
}

TEST_CASE("the window thread cannot be created: -4 at once, nothing left open") {
  const DWORD gdiBefore = GdiObjects();
  Graphics.CreateThreadForTest = NoThread;
  std::int16_t d = 9, m = 4;
  const DWORD start = GetTickCount();
  StartGraphics(d, m, "kanvo test");
  const DWORD took = GetTickCount() - start;
  Graphics.CreateThreadForTest = nullptr;
  CHECK(LastStatus() == StatusNoWindow);
  CHECK(took < 1000);
  CHECK_FALSE(IsGraphicsOpen());
  CHECK(Graphics.ThreadHandle == nullptr);
  CHECK(FindWindowA("KanvoClass", nullptr) == nullptr);
  CheckClosedCleanly(nullptr, gdiBefore);
  StopGraphics();
  CHECK(LastStatus() == StatusNotOpen);
  CheckOpensAgain();
}

TEST_CASE("the window class cannot be registered: -4, the thread has ended") {
  // A class of that name already in the process makes RegisterClassA fail.
  WNDCLASSA taken{};
  taken.lpfnWndProc = PlainProcedure;
  taken.hInstance = GetModuleHandleA(nullptr);
  taken.lpszClassName = "KanvoClass";
  REQUIRE(RegisterClassA(&taken) != 0);
  std::int16_t d = 9, m = 4;
  StartGraphics(d, m, "kanvo test");
  CHECK(LastStatus() == StatusNoWindow);
  CHECK_FALSE(IsGraphicsOpen());
  CHECK(Graphics.ThreadHandle == nullptr);
  REQUIRE(UnregisterClassA("KanvoClass", GetModuleHandleA(nullptr)));
  CheckOpensAgain();
}

TEST_CASE("the close button while the program waits in WaitKey") {
  const DWORD gdiBefore = GdiObjects();
  test::OpenWindow window;
  HWND handle = window.Window();
  HANDLE presser = CreateThread(nullptr, 0, PressCloseButton, handle, 0, nullptr);
  REQUIRE(presser != nullptr);
  CHECK(WaitKey() == ExtendedPrefix);
  CHECK(WaitKey() == CloseKeyCode);
  WaitForSingleObject(presser, INFINITE);
  CloseHandle(presser);
  // The window stays until the program closes it.
  CHECK(CloseRequested());
  CHECK(IsGraphicsOpen());
  CHECK(IsWindowVisible(handle));
  CHECK_FALSE(KeyAvailable());
  StopGraphics();
  CHECK(LastStatus() == StatusOk);
  CheckClosedCleanly(handle, gdiBefore);
}
