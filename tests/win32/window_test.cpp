// The window procedure, the pages and the page operations.
#include <vector>

#include "support.h"

using namespace kanvo;
using namespace test::colors;

namespace {

// What the test hooks saw, in order. Messages the test sends itself carry
// Marker in wParam so that input the system generates meanwhile (a mouse move
// when the window appears under the pointer) does not count.
constexpr WPARAM Marker = 0x5A;  // survives the ANSI conversion of WM_CHAR
struct HookCall {
  char hook;  // 'K' or 'M'
  UINT message;
};
std::vector<HookCall> Calls;
CRITICAL_SECTION CallsLock;
struct CallsLockInit {
  CallsLockInit() { InitializeCriticalSection(&CallsLock); }
} callsLockInit;

std::int32_t RecordKey(void*, std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
  if (message != WM_CREATE && message != WM_DESTROY && wParam != Marker) return 77;
  EnterCriticalSection(&CallsLock);
  Calls.push_back({'K', message});
  LeaveCriticalSection(&CallsLock);
  return 77;
}
std::int32_t RecordMouse(void*, std::uint32_t message, std::uintptr_t wParam, std::intptr_t) {
  if (message != WM_CREATE && message != WM_DESTROY && wParam != Marker) return 55;
  EnterCriticalSection(&CallsLock);
  Calls.push_back({'M', message});
  LeaveCriticalSection(&CallsLock);
  return 55;
}

std::vector<HookCall> TakeCalls() {
  EnterCriticalSection(&CallsLock);
  std::vector<HookCall> taken;
  taken.swap(Calls);
  LeaveCriticalSection(&CallsLock);
  return taken;
}

// Installs the recording hooks for one test case.
struct RecordingHooks {
  RecordingHooks() {
    TakeCalls();
    KeyHook().store(RecordKey);
    MouseHook().store(RecordMouse);
  }
  ~RecordingHooks() {
    KeyHook().store(nullptr);
    MouseHook().store(nullptr);
  }
};


// Sets a pixel on the page being drawn, behind the library's back.
void PokePage(int x, int y, COLORREF c) {
  GraphicsLockGuard lock;
  SetPixelV(Graphics.PageDC, x, y, c);
}

}  // namespace

TEST_CASE("hooks see creation and destruction, mouse before keyboard") {
  RecordingHooks hooks;
  {
    test::OpenWindow window;
    const auto created = TakeCalls();
    REQUIRE(created.size() == 2);
    CHECK(created[0].hook == 'M');
    CHECK(created[0].message == WM_CREATE);
    CHECK(created[1].hook == 'K');
    CHECK(created[1].message == WM_CREATE);
  }
  const auto destroyed = TakeCalls();
  REQUIRE(destroyed.size() == 2);
  CHECK(destroyed[0].hook == 'M');
  CHECK(destroyed[0].message == WM_DESTROY);
  CHECK(destroyed[1].hook == 'K');
  CHECK(destroyed[1].message == WM_DESTROY);
}

TEST_CASE("messages are forwarded to the hooks or swallowed") {
  RecordingHooks hooks;
  test::OpenWindow window;
  TakeCalls();
  HWND w = window.Window();

  struct Case {
    UINT message;
    LRESULT result;
    char hook;  // 0: no hook called
  };
  const Case cases[] = {
      {WM_KEYDOWN, 77, 'K'},     {WM_CHAR, 77, 'K'},        {WM_SYSKEYDOWN, 77, 'K'},
      {WM_SYSCHAR, 0, 0},        {WM_MOUSEMOVE, 55, 'M'},   {WM_LBUTTONDOWN, 55, 'M'},
      {WM_LBUTTONUP, 55, 'M'},   {WM_RBUTTONDOWN, 55, 'M'}, {WM_RBUTTONUP, 55, 'M'},
      {WM_MBUTTONDOWN, 55, 'M'}, {WM_MBUTTONUP, 55, 'M'},   {WM_MOUSEWHEEL, 55, 'M'},
      {WM_KEYUP, 0, 0},          {WM_LBUTTONDBLCLK, 0, 0},
  };
  for (const Case& c : cases) {
    CAPTURE(c.message);
    CHECK(SendMessageA(w, c.message, Marker, 0) == c.result);
    const auto calls = TakeCalls();
    if (c.hook == 0) {
      CHECK(calls.empty());
    } else {
      REQUIRE(calls.size() == 1);
      CHECK(calls[0].hook == c.hook);
      CHECK(calls[0].message == c.message);
    }
  }
  CHECK(SendMessageA(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(Graphics.WindowDC), 0) == 1);
}

TEST_CASE("without hooks the forwarded messages return 0") {
  test::OpenWindow window;
  HookProc savedKey = KeyHook().exchange(nullptr);
  HookProc savedMouse = MouseHook().exchange(nullptr);
  CHECK(SendMessageA(window.Window(), WM_CHAR, 'a', 0) == 0);
  CHECK(SendMessageA(window.Window(), WM_MOUSEMOVE, 0, 0) == 0);
  CHECK(SendMessageA(window.Window(), WM_CLOSE, 0, 0) == 0);
  KeyHook().store(savedKey);
  MouseHook().store(savedMouse);
}

TEST_CASE("the close button only requests closing") {
  RecordingHooks hooks;
  test::OpenWindow window;
  TakeCalls();
  CHECK_FALSE(CloseRequested());
  CHECK(SendMessageA(window.Window(), WM_CLOSE, Marker, 0) == 77);
  CHECK(CloseRequested());
  CHECK(IsGraphicsOpen());
  CHECK(IsWindow(window.Window()));
  const auto calls = TakeCalls();
  REQUIRE(calls.size() == 1);
  CHECK(calls[0].message == WM_CLOSE);

  // the system menu's Close arrives as WM_CLOSE too
  SendMessageA(window.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  CHECK(IsWindow(window.Window()));
  CHECK(IsGraphicsOpen());

  // the next opening starts with the flag cleared
  StopGraphics();
  CHECK(CloseRequested());
  test::OpenWindow again;
  CHECK_FALSE(CloseRequested());
}

TEST_CASE("page numbers outside 0..3 mean page 0") {
  test::OpenWindow window;
  for (std::int16_t page : {1, 2, 3}) {
    SetDrawPage(page);
    CHECK(Graphics.DrawPage.load() == page);
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP) == Graphics.Pages[page]);
    SetShowPage(page);
    CHECK(Graphics.ShowPage.load() == page);
  }
  for (std::int16_t page : {4, 7, -1, -2, 32767}) {
    CAPTURE(page);
    SetDrawPage(3);
    SetDrawPage(page);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.DrawPage.load() == 0);
    CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP) == Graphics.Pages[0]);
    SetShowPage(3);
    SetShowPage(page);
    CHECK(Graphics.ShowPage.load() == 0);
  }
}

TEST_CASE("the window paints from the shown page") {
  test::OpenWindow window;
  HWND w = window.Window();

  // drawing on page 1 while page 0 is shown stays off screen
  SetDrawPage(1);
  CHECK_FALSE(Graphics.DrawToWindow.load());
  PokePage(10, 10, Red);
  InvalidateRect(w, nullptr, FALSE);
  test::Repaint(w);
  CHECK(test::WindowPixel(10, 10) == RGB(0, 0, 0));

  // showing page 1 repaints it
  SetShowPage(1);
  test::Repaint(w);
  CHECK(test::WindowPixel(10, 10) == Red);
  CHECK(Graphics.DrawToWindow.load());

  // back to page 0: the page keeps its own contents, never the other's
  SetShowPage(0);
  test::Repaint(w);
  CHECK(test::WindowPixel(10, 10) == RGB(0, 0, 0));
  // the paint of another page leaves the drawn page selected
  CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP) == Graphics.Pages[1]);

  // new pages start black: a page never drawn on shows black
  SetShowPage(2);
  test::Repaint(w);
  CHECK(test::WindowPixel(10, 10) == RGB(0, 0, 0));
  CHECK(test::WindowPixel(639, 479) == RGB(0, 0, 0));
}

TEST_CASE("manual refresh shows the page only when asked") {
  test::OpenWindow window;
  HWND w = window.Window();
  RefreshScreen(RefreshManual);
  CHECK_FALSE(Graphics.AutoRefresh.load());
  CHECK_FALSE(Graphics.DrawToWindow.load());
  PokePage(20, 20, Green);
  test::Repaint(w);
  CHECK(test::WindowPixel(20, 20) == RGB(0, 0, 0));

  // covering and uncovering the window repaints it from the page
  InvalidateRect(w, nullptr, FALSE);
  test::Repaint(w);
  CHECK(test::WindowPixel(20, 20) == Green);

  PokePage(21, 20, Red);
  RefreshScreen(RefreshNow);
  test::Repaint(w);
  CHECK(test::WindowPixel(21, 20) == Red);
  CHECK_FALSE(Graphics.AutoRefresh.load());

  RefreshScreen(RefreshAuto);
  CHECK(Graphics.AutoRefresh.load());
  CHECK(Graphics.DrawToWindow.load());

  // values outside the table do nothing
  RefreshScreen(3);
  RefreshScreen(-1);
  CHECK(Graphics.AutoRefresh.load());
}

TEST_CASE("page operations on a closed window") {
  CHECK_FALSE(IsGraphicsOpen());
  SetDrawPage(1);
  CHECK(LastStatus() == StatusNotOpen);
  SetShowPage(1);
  CHECK(LastStatus() == StatusNotOpen);

  RefreshScreen(RefreshManual);
  CHECK_FALSE(Graphics.AutoRefresh.load());
  CHECK(LastStatus() == StatusNotOpen);  // untouched by RefreshManual
  SetStatus(StatusOk);
  RefreshScreen(RefreshManual);
  CHECK(LastStatus() == StatusOk);
  RefreshScreen(RefreshAuto);
  CHECK(Graphics.AutoRefresh.load());
  CHECK(LastStatus() == StatusNotOpen);
  SetStatus(StatusOk);
  RefreshScreen(RefreshNow);
  CHECK(LastStatus() == StatusNotOpen);
}

TEST_CASE("closing releases every GDI object made for the window") {
  for (std::int16_t driver : {3, 9}) {
    CAPTURE(driver);
    std::vector<HGDIOBJ> made;
    HDC pageDC, patternDC;
    HWND w;
    {
      test::OpenWindow window(driver, 4);
      w = window.Window();
      for (HBITMAP page : Graphics.Pages) made.push_back(page);
            for (HGDIOBJ o : {static_cast<HGDIOBJ>(Graphics.CurrentPen),
                        static_cast<HGDIOBJ>(Graphics.CurrentBrush),
                        static_cast<HGDIOBJ>(Graphics.CurrentFont),
                        static_cast<HGDIOBJ>(Graphics.PatternBitmap),
                        static_cast<HGDIOBJ>(Graphics.ClipRegion)}) {
        if (o != nullptr) made.push_back(o);
      }
      pageDC = Graphics.PageDC;
      patternDC = Graphics.PatternDC;
      for (HGDIOBJ o : made) REQUIRE(GetObjectType(o) != 0);
      REQUIRE(GetObjectType(pageDC) == OBJ_MEMDC);
    }
    for (HGDIOBJ o : made) CHECK(GetObjectType(o) == 0);
    CHECK(GetObjectType(pageDC) == 0);
    CHECK(GetObjectType(patternDC) == 0);
    CHECK_FALSE(IsWindow(w));
    CHECK_FALSE(Graphics.PaletteMode.load());
    CHECK(Graphics.ColorTableSize == 0);
  }
}

TEST_CASE("the window is shown only once opening is complete") {
  test::OpenWindow window;
  CHECK(IsWindowVisible(window.Window()));
  CHECK((GetClassLongA(window.Window(), GCL_STYLE) & (CS_OWNDC | CS_BYTEALIGNCLIENT)) ==
        (CS_OWNDC | CS_BYTEALIGNCLIENT));
  // the pages are selected and DrawPage is drawn into the window at once
  CHECK(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP) == Graphics.Pages[0]);
  CHECK(Graphics.DrawToWindow.load());
}
