// The OpenGL mode: the two rendering contexts, switching between them, and
// what they draw into.
#include <GL/gl.h>

#include "kanvo/src/float_control.h"
#include "support.h"

using namespace kanvo;
using namespace test::colors;

namespace {

void ClearTo(float r, float g, float b) {
  glClearColor(r, g, b, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
}

// A pixel of the window as the screen shows it: OpenGL output in the window
// does not pass through the window's device context, so this reads the
// screen's.
COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// Waits for the screen to show the colour; the swap reaches the X server
// asynchronously.
bool ScreenShows(HWND window, int x, int y, COLORREF expected) {
  for (int i = 0; i < 50; ++i) {
    if (ScreenPixel(window, x, y) == expected) return true;
    Sleep(20);
  }
  return false;
}

std::uint16_t X87ControlWord() {
  std::uint16_t word = 0;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word;
}
std::uint32_t Mxcsr() {
  std::uint32_t word = 0;
  __asm__ volatile("stmxcsr %0" : "=m"(word));
  return word;
}
std::uint16_t X87StatusWord() {
  std::uint16_t word = 0;
  __asm__ volatile("fnstsw %0" : "=m"(word));
  return word;
}
void SetX87ControlWord(std::uint16_t word) { __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(word)); }
void SetMxcsr(std::uint32_t word) { __asm__ volatile("ldmxcsr %0" : : "m"(word)); }

// Makes the next StartGraphics fail to get its contexts.
struct RefusedGL {
  RefusedGL() { Graphics.RefuseGLForTest = true; }
  ~RefusedGL() { Graphics.RefuseGLForTest = false; }
};

}  // namespace

TEST_CASE("opening makes the page context current") {
  test::OpenWindow window;
  CHECK(Graphics.GLAvailable);
  CHECK_FALSE(Graphics.GLTarget);
  REQUIRE(Graphics.PageGLContext != nullptr);
  REQUIRE(Graphics.WindowGLContext != nullptr);
  CHECK(wglGetCurrentContext() == Graphics.PageGLContext);
  CHECK(wglGetCurrentDC() == Graphics.PageDC);

  StopGraphics();
  CHECK(wglGetCurrentContext() == nullptr);
  CHECK(Graphics.PageGLContext == nullptr);
  CHECK(Graphics.WindowGLContext == nullptr);
}

TEST_CASE("opening ends with status 0") {
  std::int16_t driver = 9, mode = 4;
  StartGraphics(driver, mode, "kanvo test");
  CHECK(LastStatus() == StatusOk);
  StopGraphics();
}

TEST_CASE("OpenGL on the page draws into the page's pixels") {
  test::OpenWindow window;
  ClearTo(1.0f, 0.0f, 0.0f);
  CHECK(test::PagePixel(0, 0) == Red);
  CHECK(test::PagePixel(320, 240) == Red);
  CHECK(test::PagePixel(WindowMaxX(), WindowMaxY()) == Red);

  // the window shows it once repainted from the page
  RefreshScreen(RefreshNow);
  test::Repaint(window.Window());
  CHECK(test::WindowPixel(100, 100) == Red);
}

TEST_CASE("OpenGL in the window shows after the buffer swap") {
  test::OpenWindow window;
  SelectGLTarget(true);
  CHECK(LastStatus() == StatusOk);
  CHECK(Graphics.GLTarget);
  CHECK(wglGetCurrentContext() == Graphics.WindowGLContext);
  CHECK(wglGetCurrentDC() == Graphics.WindowDC);

  ClearTo(0.0f, 1.0f, 0.0f);
  RefreshScreen(RefreshNow);
  CHECK(ScreenShows(window.Window(), 50, 60, Green));
  CHECK(ScreenShows(window.Window(), WindowMaxX(), WindowMaxY(), Green));
  // the page is untouched by the window's OpenGL output
  CHECK(test::PagePixel(50, 60) == RGB(0, 0, 0));

  // and back to the page
  SelectGLTarget(false);
  CHECK(LastStatus() == StatusOk);
  CHECK_FALSE(Graphics.GLTarget);
  CHECK(wglGetCurrentContext() == Graphics.PageGLContext);
  ClearTo(1.0f, 0.0f, 0.0f);
  CHECK(test::PagePixel(50, 60) == Red);
}

TEST_CASE("switching keeps a clipped view, with the position at its corner") {
  test::OpenWindow window;
  SetView(40, 30, 99, 79, true);
  MovePen(5, 6);
  for (bool target : {true, false}) {
    CAPTURE(target);
    SelectGLTarget(target);
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.ViewRect.X1 == 40);
    CHECK(Graphics.ViewRect.Y1 == 30);
    CHECK(Graphics.ViewRect.X2 == 99);
    CHECK(Graphics.ViewRect.Y2 == 79);
    CHECK(Graphics.ViewRect.Clip);
    CHECK(Graphics.CurrentX == 0);
    CHECK(Graphics.CurrentY == 0);
    for (HDC dc : {Graphics.WindowDC, Graphics.PageDC}) {
      RECT clip{};
      CHECK(GetClipBox(dc, &clip) == SIMPLEREGION);
      CHECK(clip.left == 40);
      CHECK(clip.top == 30);
      CHECK(clip.right == 100);
      CHECK(clip.bottom == 80);
      POINT p{};
      GetCurrentPositionEx(dc, &p);
      CHECK((p.x == 40 && p.y == 30));
    }
  }
}

TEST_CASE("the floating-point control state survives the context set-up") {
  const std::uint16_t savedX87 = X87ControlWord();
  const std::uint32_t savedMxcsr = Mxcsr();
  // round toward zero, 53-bit precision, all exceptions masked (bit 6 reads 1)
  constexpr std::uint16_t unusualX87 = 0x0E7F;
  // round toward zero, all exceptions masked, no flags
  constexpr std::uint32_t unusualMxcsr = 0x7F80;
  SetX87ControlWord(unusualX87);
  SetMxcsr(unusualMxcsr);
  {
    test::OpenWindow window;
    CHECK(X87ControlWord() == unusualX87);
    CHECK(Mxcsr() == unusualMxcsr);
  }
  SetX87ControlWord(savedX87);
  SetMxcsr(savedMxcsr);
}

TEST_CASE("the saved control state comes back without pending exception flags") {
  const FloatControl saved = SaveFloatControl();
  SetX87ControlWord(0x0C7F);
  SetMxcsr(0x7F80 | 0x3F);
  // raise the x87 precision flag
  volatile double third = 1.0;
  third = third / 3.0;
  RestoreFloatControl(saved);
  const std::uint16_t status = X87StatusWord();
  CHECK(X87ControlWord() == saved.X87);
  CHECK((status & 0x3F) == 0);
  CHECK(saved.HasSse);
  CHECK(Mxcsr() == (saved.Mxcsr & ~0x3Fu));
}

TEST_CASE("without OpenGL the window still works") {
  RefusedGL refused;
  std::int16_t driver = 9, mode = 4;
  StartGraphics(driver, mode, "kanvo test");
  CHECK(LastStatus() == StatusNoOpenGL);
  REQUIRE(IsGraphicsOpen());
  CHECK_FALSE(Graphics.GLAvailable);
  CHECK_FALSE(Graphics.GLTarget);
  CHECK(wglGetCurrentContext() == nullptr);

  SelectGLTarget(true);
  CHECK(LastStatus() == StatusNoOpenGL);
  CHECK_FALSE(Graphics.GLTarget);
  CHECK(wglGetCurrentContext() == nullptr);

  // GDI drawing goes to the page and the window
  HWND w = Graphics.WindowHandle.load();
  test::Settle(w);
  SetBrushStyle(1, Green);
  FillBox(10, 10, 19, 19);
  CHECK(LastStatus() == StatusOk);
  CHECK(test::PagePixel(15, 15) == Green);
  CHECK(test::WindowPixel(15, 15) == Green);

  // RefreshScreen(2) repaints from the shown page
  RefreshScreen(RefreshManual);
  PlotPixel(30, 40, Red);
  CHECK(test::PagePixel(30, 40) == Red);
  test::Repaint(w);
  CHECK(test::WindowPixel(30, 40) == RGB(0, 0, 0));
  RefreshScreen(RefreshNow);
  test::Repaint(w);
  CHECK(test::WindowPixel(30, 40) == Red);

  StopGraphics();
  CHECK(LastStatus() == StatusOk);
}

TEST_CASE("switching after closing reports the closed window") {
  {
    test::OpenWindow window;
  }
  REQUIRE(Graphics.GLAvailable);
  SelectGLTarget(true);
  CHECK(LastStatus() == StatusNotOpen);
  CHECK(wglGetCurrentContext() == nullptr);
}

TEST_CASE("every driver gets both contexts, the page's at the page depth") {
  for (std::int16_t driver : {1, 2, 3, 9}) {
    CAPTURE(driver);
    std::int16_t d = driver, m = 4;
    StartGraphics(d, m, "kanvo test");
    CHECK(LastStatus() == StatusOk);
    CHECK(Graphics.GLAvailable);
    CHECK(wglGetCurrentContext() == Graphics.PageGLContext);
    PIXELFORMATDESCRIPTOR page{}, window{};
    {
      // The window thread may be painting from the page: Wine refuses a
      // context to one thread while another is using it.
      GraphicsLockGuard lock;
      DescribePixelFormat(Graphics.PageDC, GetPixelFormat(Graphics.PageDC), sizeof page, &page);
      DescribePixelFormat(Graphics.WindowDC, GetPixelFormat(Graphics.WindowDC), sizeof window,
                          &window);
    }
    CHECK((page.dwFlags & PFD_DRAW_TO_BITMAP) != 0);
    CHECK((window.dwFlags & PFD_DOUBLEBUFFER) != 0);
    StopGraphics();
  }
}
