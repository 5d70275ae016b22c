// Shared fixtures of the Win32 tests.
#pragma once

#include <doctest/doctest.h>

#include "kanvo/graphics.h"
#include "kanvo/src/state.h"

namespace test {

// The colours the tests draw with, as 0xBBGGRR.
namespace colors {
inline constexpr COLORREF Black = RGB(0, 0, 0);
inline constexpr COLORREF White = RGB(255, 255, 255);
inline constexpr COLORREF Red = RGB(255, 0, 0);
inline constexpr COLORREF Green = RGB(0, 255, 0);
inline constexpr COLORREF Blue = RGB(0, 0, 255);
}  // namespace colors

// The logical object (LOGBRUSH, LOGFONTA, LOGPEN) of the one of a kind
// (OBJ_BRUSH, OBJ_FONT, OBJ_PEN) selected into a context.
template <class Logical>
Logical SelectedObject(HDC dc, UINT kind) {
  Logical logical{};
  kanvo::GraphicsLockGuard lock;
  GetObjectA(GetCurrentObject(dc, kind), sizeof logical, &logical);
  return logical;
}

// A pixel whatever the clipping region: GetPixel may report a pixel outside
// it as CLR_INVALID (Wine does so on a window with an OpenGL pixel format).
inline COLORREF UnclippedPixel(HDC dc, int x, int y) {
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  const bool clipped = GetClipRgn(dc, clip) == 1;
  if (clipped) SelectClipRgn(dc, nullptr);
  const COLORREF color = GetPixel(dc, x, y);
  if (clipped) SelectClipRgn(dc, clip);
  DeleteObject(clip);
  return color;
}

// Pixels as 0xBBGGRR, read under the lock: the window thread paints into the
// window's context, and its BeginPaint changes that context's visible region.
inline COLORREF WindowPixel(int x, int y) {
  kanvo::GraphicsLockGuard lock;
  return UnclippedPixel(kanvo::Graphics.WindowDC, x, y);
}
inline COLORREF PagePixel(int x, int y) {
  kanvo::GraphicsLockGuard lock;
  return UnclippedPixel(kanvo::Graphics.PageDC, x, y);
}

// Lets the window thread paint what is pending.
inline void Repaint(HWND window) { UpdateWindow(window); }

// Waits until the paints that showing the window caused have been handled, so
// that a test sees only the repaints it causes itself.
inline void Settle(HWND window) {
  for (int i = 0; i < 5; ++i) {
    UpdateWindow(window);
    Sleep(20);
  }
}

// Opens a window for one test case and closes it again, whatever the test did.
struct OpenWindow {
  explicit OpenWindow(std::int16_t driver = 9, std::int16_t mode = 4,
                      std::string_view title = "kanvo test") {
    std::int16_t d = driver, m = mode;
    kanvo::StartGraphics(d, m, title);
    REQUIRE(kanvo::IsGraphicsOpen());
    Settle(Window());
  }
  ~OpenWindow() {
    if (kanvo::IsGraphicsOpen()) kanvo::StopGraphics();
  }
  OpenWindow(const OpenWindow&) = delete;
  OpenWindow& operator=(const OpenWindow&) = delete;

  HWND Window() const { return kanvo::Graphics.WindowHandle.load(); }
};

}  // namespace test
