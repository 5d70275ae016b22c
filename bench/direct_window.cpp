// StartGraphics plus StopGraphics against a window opened and closed by
// direct calls: a window thread of its own with the same class styles, the
// same device contexts, four pages, font look-ups and OpenGL contexts, but
// with event handshakes where the library polls every 10 ms.
#include "bench.h"
#include "kanvo/graphics.h"

namespace bench {
namespace {

constexpr char ClassName[] = "KanvoBenchDirect";
constexpr int Width = 640, Height = 480;

struct DirectWindow {
  HWND Window = nullptr;
  HDC WindowDC = nullptr, PageDC = nullptr, PatternDC = nullptr;
  HBITMAP Pages[4] = {};
  HBITMAP SavedBitmap = nullptr;
  HGLRC WindowGL = nullptr, PageGL = nullptr;
  HANDLE Thread = nullptr, Ready = nullptr;
  CRITICAL_SECTION Lock{};
};
DirectWindow Direct;

LRESULT CALLBACK DirectProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      Direct.Window = window;
      Direct.WindowDC = GetDC(window);
      Direct.PageDC = CreateCompatibleDC(nullptr);
      Direct.PatternDC = CreateCompatibleDC(nullptr);
      Direct.SavedBitmap = static_cast<HBITMAP>(GetCurrentObject(Direct.PageDC, OBJ_BITMAP));
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = Width;
      info.bmiHeader.biHeight = Height;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = static_cast<WORD>(GetDeviceCaps(Direct.WindowDC, BITSPIXEL));
      void* bits = nullptr;
      for (HBITMAP& page : Direct.Pages)
        page = CreateDIBSection(Direct.WindowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      InitializeCriticalSection(&Direct.Lock);
      SetEvent(Direct.Ready);
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      EnterCriticalSection(&Direct.Lock);
      BeginPaint(window, &paint);
      const RECT& r = paint.rcPaint;
      BitBlt(Direct.WindowDC, r.left, r.top, r.right - r.left, r.bottom - r.top, Direct.PageDC,
             r.left, r.top, SRCCOPY);
      EndPaint(window, &paint);
      LeaveCriticalSection(&Direct.Lock);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_USER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      DeleteCriticalSection(&Direct.Lock);
      SelectObject(Direct.PageDC, Direct.SavedBitmap);
      for (HBITMAP page : Direct.Pages) DeleteObject(page);
      DeleteDC(Direct.PageDC);
      DeleteDC(Direct.PatternDC);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

DWORD WINAPI DirectThread(LPVOID) {
  WNDCLASSA c{};
  c.style = CS_BYTEALIGNCLIENT | CS_OWNDC;
  c.lpfnWndProc = DirectProcedure;
  c.hInstance = GetModuleHandleA(nullptr);
  c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  c.lpszClassName = ClassName;
  RegisterClassA(&c);
  const int w = Width + 2 * GetSystemMetrics(SM_CXDLGFRAME);
  const int h = Height + 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYCAPTION);
  CreateWindowExA(0, ClassName, "kanvo bench direct", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                  (GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2,
                  w, h, nullptr, nullptr, c.hInstance, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) == 1) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  UnregisterClassA(ClassName, c.hInstance);
  return 0;
}

int CALLBACK FoundFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

HGLRC MakeContext(HDC dc, DWORD flags, BYTE colorBits) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof format;
  format.nVersion = 1;
  format.dwFlags = flags;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = colorBits;
  format.cDepthBits = 32;
  SetPixelFormat(dc, ChoosePixelFormat(dc, &format), &format);
  return wglCreateContext(dc);
}

void DirectOpen() {
  Direct.Ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  Direct.Thread = CreateThread(nullptr, 0, DirectThread, nullptr, 0, nullptr);
  SetThreadPriority(Direct.Thread, THREAD_PRIORITY_ABOVE_NORMAL);
  WaitForSingleObject(Direct.Ready, INFINITE);
  CloseHandle(Direct.Ready);
  SelectObject(Direct.PageDC, Direct.Pages[0]);
  for (const char* face : {"Courier New", "MS Sans Serif", "Times New Roman", "Arial"}) {
    bool found = false;
    EnumFontFamiliesA(Direct.WindowDC, face, FoundFace, reinterpret_cast<LPARAM>(&found));
  }
  const BYTE depth = static_cast<BYTE>(GetDeviceCaps(Direct.WindowDC, BITSPIXEL));
  Direct.WindowGL = MakeContext(
      Direct.WindowDC, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER, 24);
  Direct.PageGL = MakeContext(
      Direct.PageDC, PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI | PFD_SUPPORT_OPENGL, depth);
  if (Direct.PageGL != nullptr) wglMakeCurrent(Direct.PageDC, Direct.PageGL);
  ShowWindow(Direct.Window, SW_SHOWNORMAL);
  SetForegroundWindow(Direct.Window);
}

void DirectClose() {
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(Direct.WindowGL);
  wglDeleteContext(Direct.PageGL);
  PostMessageA(Direct.Window, WM_USER, 0, 0);
  WaitForSingleObject(Direct.Thread, INFINITE);
  CloseHandle(Direct.Thread);
}

}  // namespace

Row OpenCloseRow() {
  auto kanvo = [] {
    std::int16_t driver = 9, mode = 4;
    kanvo::StartGraphics(driver, mode, "kanvo bench");
    kanvo::StopGraphics();
  };
  auto direct = [] {
    DirectOpen();
    DirectClose();
  };
  return Compare("StartGraphics + StopGraphics, 640 x 480", "cycle", kanvo, direct);
}

}  // namespace bench
