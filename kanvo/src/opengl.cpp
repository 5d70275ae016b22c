// The OpenGL mode: one rendering context on the window, one on the pages.
#include "kanvo/src/float_control.h"
#include "kanvo/src/state.h"

namespace kanvo {

void SetupOpenGL() {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  format.nVersion = 1;
  format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cDepthBits = 32;
  format.iLayerType = PFD_MAIN_PLANE;

  const FloatControl saved = SaveFloatControl();
  SetPixelFormat(Graphics.WindowDC, ChoosePixelFormat(Graphics.WindowDC, &format), &format);
  Graphics.WindowGLContext = wglCreateContext(Graphics.WindowDC);

  format.cColorBits = Graphics.BitsPerPixel;
  format.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL;
  SetPixelFormat(Graphics.PageDC, ChoosePixelFormat(Graphics.PageDC, &format), &format);
  Graphics.PageGLContext = wglCreateContext(Graphics.PageDC);
  RestoreFloatControl(saved);

  if (Graphics.WindowGLContext != nullptr && Graphics.PageGLContext != nullptr &&
      !Graphics.RefuseGLForTest) {
    Graphics.GLAvailable = true;
    SelectGLTarget(false);
  } else {
    Graphics.GLAvailable = false;
    Graphics.GLTarget = false;
    SetStatus(StatusNoOpenGL);
  }
}

void SelectGLTarget(bool window) {
  if (!Graphics.GLAvailable) {
    SetStatus(StatusNoOpenGL);
    return;
  }
  // Closing deleted the contexts, the device contexts and the lock.
  if (!BeginOperation()) return;
  Graphics.GLTarget = window;
  GraphicsLockGuard lock;
  const ViewRectangle view = Graphics.ViewRect;
  // No clipping region may be selected while the context changes.
  SetView(0, 0, static_cast<std::int16_t>(Graphics.MaxX.load()),
          static_cast<std::int16_t>(Graphics.MaxY.load()), false);
  if (window) {
    wglMakeCurrent(Graphics.WindowDC, Graphics.WindowGLContext);
  } else {
    wglMakeCurrent(Graphics.PageDC, Graphics.PageGLContext);
  }
  SetView(view.X1, view.Y1, view.X2, view.Y2, view.Clip);
}

}  // namespace kanvo
