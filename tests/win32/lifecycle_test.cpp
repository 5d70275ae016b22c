// Opening and closing the window: drivers, modes, titles, status codes.
#include <string>

#include "support.h"

using namespace kanvo;

namespace {

struct Frame {
  int x = 2 * GetSystemMetrics(SM_CXDLGFRAME);
  int y = 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
};

struct Expected {
  std::int16_t status;
  int clientW, clientH;  // the client size the mode asks for
  bool popup;
};

struct Opened {
  std::int16_t status;
  bool open;
  RECT outer{};
  RECT client{};
  LONG style = 0;
  std::int16_t maxX = 0, maxY = 0;
};

Opened Open(std::int16_t driver, std::int16_t mode) {
  Opened o;
  StartGraphics(driver, mode, "geometry");
  o.status = LastStatus();
  o.open = IsGraphicsOpen();
  if (o.open) {
    HWND w = Graphics.WindowHandle.load();
    GetWindowRect(w, &o.outer);
    GetClientRect(w, &o.client);
    o.style = GetWindowLongA(w, GWL_STYLE);
    o.maxX = WindowMaxX();
    o.maxY = WindowMaxY();
    StopGraphics();
  }
  return o;
}

void CheckOpened(std::int16_t driver, std::int16_t mode, const Expected& e) {
  CAPTURE(driver);
  CAPTURE(mode);
  const Frame f;
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  const Opened o = Open(driver, mode);
  REQUIRE(o.status == e.status);
  REQUIRE(o.open == (e.status == 0));
  if (!o.open) return;
  const int outerW = e.popup ? e.clientW : e.clientW + f.x;
  const int outerH = e.popup ? e.clientH : e.clientH + f.y;
  CHECK(o.outer.right - o.outer.left == outerW);
  CHECK(o.outer.bottom - o.outer.top == outerH);
  CHECK(o.outer.left == (screenW - outerW) / 2);
  CHECK(o.outer.top == (screenH - outerH) / 2);
  if (e.popup) {
    CHECK((o.style & WS_POPUP) != 0);
    CHECK((o.style & WS_CAPTION) == 0);
  } else {
    CHECK((o.style & WS_CAPTION) == WS_CAPTION);
    CHECK((o.style & WS_SYSMENU) != 0);
    CHECK((o.style & WS_MINIMIZEBOX) != 0);
    CHECK((o.style & WS_POPUP) == 0);
  }
  // WindowMaxX/Y report the client area the system actually gave.
  CHECK(o.maxX == o.client.right - 1);
  CHECK(o.maxY == o.client.bottom - 1);
  CHECK(o.client.right == e.clientW);
  CHECK(o.client.bottom == e.clientH);
}

}  // namespace

TEST_CASE("start-up state before the first window") {
  CHECK_FALSE(IsGraphicsOpen());
  CHECK(Graphics.Driver == -1);
  CHECK(WindowMaxX() == 0);
  CHECK(WindowMaxY() == 0);
  CHECK(Graphics.ScreenWidth == GetSystemMetrics(SM_CXSCREEN));
  CHECK(Graphics.ScreenHeight == GetSystemMetrics(SM_CYSCREEN));
}

TEST_CASE("fixed modes on a 1024 x 768 screen") {
  REQUIRE(GetSystemMetrics(SM_CXSCREEN) == 1024);
  REQUIRE(GetSystemMetrics(SM_CYSCREEN) == 768);
  const Frame f;
  CheckOpened(3, 1, {0, 320, 200, false});
  CheckOpened(2, 2, {0, 640, 200, false});
  CheckOpened(1, 3, {0, 640, 350, false});
  CheckOpened(9, 4, {0, 640, 480, false});
  CheckOpened(3, 5, {0, 720, 350, false});
  CheckOpened(9, 6, {0, 800, 600, false});
  // 1024 x 768 fits only without its frame
  CheckOpened(9, 7, {0, 1024, 768, true});
  CheckOpened(3, 8, {StatusBadMode, 0, 0, false});
  CheckOpened(9, 11, {0, 1024 - f.x, 768 - f.y, false});
  CheckOpened(9, 12, {0, 1024, 768, true});
}

TEST_CASE("unknown modes and drivers") {
  struct Case {
    std::int16_t driver, mode, status;
  };
  const Case cases[] = {
      {9, 0, StatusBadMode},  {9, 9, StatusBadMode},    {9, 99, StatusBadMode},
      {5, 4, StatusBadDriver}, {5, 99, StatusBadMode},  {4, 4, StatusBadDriver},
      {-1, 4, StatusBadDriver},
  };
  for (const Case& c : cases) {
    CAPTURE(c.driver);
    CAPTURE(c.mode);
    std::int16_t d = c.driver, m = c.mode;
    StartGraphics(d, m, "x");
    CHECK(LastStatus() == c.status);
    CHECK_FALSE(IsGraphicsOpen());
    CHECK(Graphics.ThreadHandle == nullptr);  // no thread was started
  }
}

TEST_CASE("colour depth and palette mode per driver") {
  struct Case {
    std::int16_t driver;
    std::uint8_t bits;
    bool palette;
  };
  HDC desktop = GetDC(GetDesktopWindow());
  const auto desktopBits = static_cast<std::uint8_t>(GetDeviceCaps(desktop, BITSPIXEL));
  ReleaseDC(GetDesktopWindow(), desktop);
  const Case cases[] = {{1, 1, true}, {2, 4, true}, {3, 8, true}, {9, desktopBits, false}};
  for (const Case& c : cases) {
    CAPTURE(c.driver);
    test::OpenWindow window(c.driver, 4);
    CHECK(Graphics.BitsPerPixel == c.bits);
    CHECK(Graphics.PaletteMode.load() == c.palette);
    if (c.palette) CHECK(Graphics.ColorCount == (1u << c.bits));
    DIBSECTION dib{};
    REQUIRE(GetObjectA(Graphics.Pages[0], sizeof dib, &dib) == sizeof dib);
    CHECK(dib.dsBmih.biBitCount == c.bits);
    CHECK(dib.dsBmih.biWidth == 640);
    CHECK(dib.dsBmih.biHeight == 480);  // bottom-up rows
  }
}

TEST_CASE("mode 13 opens with the custom size") {
  SetCustomSize(300, 100);
  {
    test::OpenWindow window(9, 13);
    CHECK(WindowMaxX() == 299);
    CHECK(WindowMaxY() == 99);
  }
  SetCustomSize(5000, 100);
  std::int16_t d = 9, m = 13;
  StartGraphics(d, m, "too wide");
  CHECK(LastStatus() == StatusBadMode);
  SetCustomSize(0, 0);
}

TEST_CASE("driver 0 picks and writes back the defaults") {
  std::int16_t driver = 0, mode = 4;
  StartGraphics(driver, mode, "defaults");
  REQUIRE(IsGraphicsOpen());
  CHECK(driver == 9);
  CHECK(mode == 10);
  CHECK((GetWindowLongA(Graphics.WindowHandle.load(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
  StopGraphics();

  std::int16_t d = 1, m = 2;
  PickDefaultMode(d, m);
  CHECK(d == 9);
  CHECK(m == 10);
}

TEST_CASE("titles") {
  char text[400] = {};
  {
    test::OpenWindow window(9, 4, "");
    GetWindowTextA(window.Window(), text, sizeof text);
    CHECK(std::string(text) == "Kanvo 1.1");
  }
  const std::string longTitle(300, 'T');
  {
    test::OpenWindow window(9, 4, std::string(250, 'a') + "bcdefghij");
    GetWindowTextA(window.Window(), text, sizeof text);
    CHECK(std::string(text) == std::string(250, 'a') + "bcdef");
  }
  char className[64] = {};
  {
    test::OpenWindow window(9, 4, "ZEZIZ");
    GetWindowTextA(window.Window(), text, sizeof text);
    CHECK(std::string(text) == "ZEZIZ");
    GetClassNameA(window.Window(), className, sizeof className);
    CHECK(std::string(className) == "KanvoClass");
  }
}

TEST_CASE("second open and second close") {
  {
    test::OpenWindow window;
    HWND first = window.Window();
    std::int16_t d = 3, m = 1;
    StartGraphics(d, m, "second");
    CHECK(LastStatus() == StatusAlreadyOpen);
    CHECK(IsGraphicsOpen());
    CHECK(Graphics.WindowHandle.load() == first);
    CHECK(IsWindowVisible(first));
    CHECK(WindowMaxX() == 639);
  }
  CHECK(LastStatus() == StatusOk);
  CHECK_FALSE(IsGraphicsOpen());
  StopGraphics();
  CHECK(LastStatus() == StatusNotOpen);
}

TEST_CASE("open, close and open again in one process") {
  for (int round = 0; round < 3; ++round) {
    CAPTURE(round);
    std::int16_t d = round == 1 ? 3 : 9, m = 4;
    StartGraphics(d, m, "again");
    REQUIRE(LastStatus() == StatusOk);
    HWND window = Graphics.WindowHandle.load();
    CHECK(IsWindowVisible(window));
    CHECK(Graphics.DrawPage.load() == 0);
    CHECK(Graphics.ShowPage.load() == 0);
    CHECK(Graphics.AutoRefresh.load());
    CHECK(Graphics.DrawToWindow.load());
    StopGraphics();
    CHECK(LastStatus() == StatusOk);
    CHECK_FALSE(IsGraphicsOpen());
    CHECK_FALSE(IsWindow(window));
    // the closed window keeps reporting its size
    CHECK(WindowMaxX() == 639);
  }
}

TEST_CASE("mode 8 on a 1280 x 1024 screen is a frameless pop-up at (0, 0)") {
  REQUIRE(GetSystemMetrics(SM_CXSCREEN) == 1280);
  REQUIRE(GetSystemMetrics(SM_CYSCREEN) == 1024);
  CheckOpened(3, 8, {0, 1280, 1024, true});
  CheckOpened(9, 7, {0, 1024, 768, false});
}
