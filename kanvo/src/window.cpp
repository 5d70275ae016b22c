// The window procedure, the four pages and the page operations.
#include "kanvo/src/state.h"

namespace kanvo {
namespace {

// Calls a hook slot if it is filled; 0 otherwise.
LRESULT CallHook(const std::atomic<HookProc>& slot, HWND window, UINT message, WPARAM wParam,
                 LPARAM lParam) {
  HookProc hook = slot.load();
  if (hook == nullptr) return 0;
  return hook(window, message, wParam, lParam);
}

constexpr UINT_PTR SurfaceFlushTimer = 1;
constexpr UINT SurfaceFlushMilliseconds = 20;

void OnCreate(HWND window) {
  Graphics.WindowHandle.store(window);
  RECT client{};
  GetClientRect(window, &client);
  Graphics.MaxX.store(client.right - 1);
  Graphics.MaxY.store(client.bottom - 1);

  Graphics.WindowDC = GetDC(window);
  Graphics.PageDC = CreateCompatibleDC(nullptr);
  Graphics.PatternDC = CreateCompatibleDC(nullptr);

  Graphics.SavedPalette = static_cast<HPALETTE>(GetCurrentObject(Graphics.WindowDC, OBJ_PAL));
  Graphics.SavedPen = static_cast<HPEN>(GetCurrentObject(Graphics.WindowDC, OBJ_PEN));
  Graphics.SavedBrush = static_cast<HBRUSH>(GetCurrentObject(Graphics.WindowDC, OBJ_BRUSH));
  Graphics.SavedFont = static_cast<HFONT>(GetCurrentObject(Graphics.WindowDC, OBJ_FONT));
  Graphics.SavedBitmap = static_cast<HBITMAP>(GetCurrentObject(Graphics.PageDC, OBJ_BITMAP));

  if (Graphics.PaletteMode.load()) {
    CreateModePalette();
    SelectPalette(Graphics.WindowDC, Graphics.CurrentPalette, TRUE);
    SelectPalette(Graphics.PageDC, Graphics.CurrentPalette, TRUE);
    SelectPalette(Graphics.PatternDC, Graphics.CurrentPalette, TRUE);
  }
  CreatePages();
  InitializeCriticalSection(&Graphics.GraphicsLock);

  CallHook(Graphics.MouseHook, window, WM_CREATE, 0, 0);
  CallHook(Graphics.KeyHook, window, WM_CREATE, 0, 0);
  // Wine shows what the program's thread draws into the window's context
  // only when this thread next waits for a message; without input that
  // could be never. The timer wakes it often enough for drawing to show.
  SetTimer(window, SurfaceFlushTimer, SurfaceFlushMilliseconds, nullptr);
  Graphics.IsOpen.store(true);
}

// Restores the stock object in both contexts and deletes the one made here.
template <class Handle>
void ReleaseSelected(Handle saved, Handle& current) {
  SelectObject(Graphics.WindowDC, saved);
  SelectObject(Graphics.PageDC, saved);
  if (current != nullptr) DeleteObject(current);
  current = nullptr;
}

void OnDestroy(HWND window) {
  CallHook(Graphics.MouseHook, window, WM_DESTROY, 0, 0);
  CallHook(Graphics.KeyHook, window, WM_DESTROY, 0, 0);
  DeleteCriticalSection(&Graphics.GraphicsLock);

  if (Graphics.PatternBitmap != nullptr) DeleteObject(Graphics.PatternBitmap);
  Graphics.PatternBitmap = nullptr;
  SelectObject(Graphics.PageDC, Graphics.SavedBitmap);
  for (HBITMAP& page : Graphics.Pages) {
    if (page != nullptr) DeleteObject(page);
    page = nullptr;
  }
  Graphics.ColorTableSize = 0;

  if (Graphics.PaletteMode.load()) {
    SelectPalette(Graphics.WindowDC, Graphics.SavedPalette, TRUE);
    SelectPalette(Graphics.PageDC, Graphics.SavedPalette, TRUE);
    SelectPalette(Graphics.PatternDC, Graphics.SavedPalette, TRUE);
    DeleteObject(Graphics.CurrentPalette);
    Graphics.CurrentPalette = nullptr;
    Graphics.PaletteMode.store(false);
  }
  ReleaseSelected(Graphics.SavedFont, Graphics.CurrentFont);
  ReleaseSelected(Graphics.SavedBrush, Graphics.CurrentBrush);
  ReleaseSelected(Graphics.SavedPen, Graphics.CurrentPen);
  if (Graphics.ClipRegion != nullptr) {
    SelectClipRgn(Graphics.WindowDC, nullptr);
    SelectClipRgn(Graphics.PageDC, nullptr);
    DeleteObject(Graphics.ClipRegion);
    Graphics.ClipRegion = nullptr;
  }
  DeleteDC(Graphics.PageDC);
  DeleteDC(Graphics.PatternDC);
  Graphics.PageDC = nullptr;
  Graphics.PatternDC = nullptr;
  PostQuitMessage(0);
}

void OnPaint(HWND window) {
  // GetUpdateRect converts through the window's own context, which Wine
  // refuses to one thread while another is drawing with it: lock first.
  GraphicsLockGuard lock;
  RECT r{};
  if (!GetUpdateRect(window, &r, FALSE)) return;
  if (Graphics.ClipRegion != nullptr) SelectClipRgn(Graphics.WindowDC, nullptr);
  PAINTSTRUCT paint{};
  BeginPaint(window, &paint);
  const std::uint16_t drawPage = Graphics.DrawPage.load();
  const std::uint16_t showPage = Graphics.ShowPage.load();
  const auto copy = [&r] {
    BitBlt(Graphics.WindowDC, r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1,
           Graphics.PageDC, r.left, r.top, SRCCOPY);
  };
  if (drawPage == showPage) {
    copy();
  } else {
    HGDIOBJ old = SelectObject(Graphics.PageDC, Graphics.Pages[showPage]);
    copy();
    SelectObject(Graphics.PageDC, old);
  }
  EndPaint(window, &paint);
  if (Graphics.ClipRegion != nullptr) SelectClipRgn(Graphics.WindowDC, Graphics.ClipRegion);
}

// Page numbers are read as unsigned 16-bit values; anything past 3 is page 0.
std::uint16_t PageNumber(std::int16_t page) {
  const auto number = static_cast<std::uint16_t>(page);
  return number >= 4 ? 0 : number;
}

void UpdateDrawToWindow() {
  Graphics.DrawToWindow.store(Graphics.AutoRefresh.load() &&
                              Graphics.DrawPage.load() == Graphics.ShowPage.load());
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_TIMER:
      return 0;  // the wake-up of OnCreate's timer is all it is for
    case WM_CLOSE:
      // The close button never closes the window itself: the program decides.
      Graphics.CloseRequested.store(true);
      return CallHook(Graphics.KeyHook, window, message, wParam, lParam);
    case WM_ERASEBKGND:
      // The page contents must not be painted over with the class background.
      if (Graphics.IsOpen.load()) return 1;
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
      return CallHook(Graphics.KeyHook, window, message, wParam, lParam);
    case WM_SYSCHAR:
      return 0;  // swallowed, so Alt+key neither beeps nor opens the system menu
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      return CallHook(Graphics.MouseHook, window, message, wParam, lParam);
    case WM_USER:
      DestroyWindow(window);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void CreatePages() {
  const std::uint16_t colors = Graphics.PaletteMode.load() ? Graphics.ColorCount : 0;
  // The header is followed by its colour table, all zero.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = Graphics.MaxX.load() + 1;
  info.header.biHeight = Graphics.MaxY.load() + 1;
  info.header.biPlanes = 1;
  info.header.biBitCount = Graphics.BitsPerPixel;
  info.header.biCompression = BI_RGB;
  for (HBITMAP& page : Graphics.Pages) {
    void* bits = nullptr;
    page = CreateDIBSection(Graphics.WindowDC, reinterpret_cast<BITMAPINFO*>(&info),
                            DIB_RGB_COLORS, &bits, nullptr, 0);
  }
  Graphics.ColorTableSize = colors;
  for (RGBQUAD& entry : Graphics.ColorTable) entry = RGBQUAD{};
}

void SetDrawPage(std::int16_t page) {
  if (!BeginOperation()) return;
  const std::uint16_t number = PageNumber(page);
  {
    GraphicsLockGuard lock;
    Graphics.DrawPage.store(number);
    SelectObject(Graphics.PageDC, Graphics.Pages[number]);
    if (Graphics.PaletteMode.load()) {
      SetDIBColorTable(Graphics.PageDC, 0, Graphics.ColorCount, Graphics.ColorTable);
    }
  }
  UpdateDrawToWindow();
}

void SetShowPage(std::int16_t page) {
  if (!BeginOperation()) return;
  Graphics.ShowPage.store(PageNumber(page));
  UpdateDrawToWindow();
  InvalidateRect(Graphics.WindowHandle.load(), nullptr, FALSE);
}

void RefreshScreen(std::int16_t how) {
  switch (how) {
    case RefreshManual:
      if (Graphics.AutoRefresh.load()) {
        Graphics.AutoRefresh.store(false);
        Graphics.DrawToWindow.store(false);
      }
      break;
    case RefreshAuto:
      if (!Graphics.AutoRefresh.load()) {
        Graphics.AutoRefresh.store(true);
        SetShowPage(static_cast<std::int16_t>(Graphics.ShowPage.load()));
      }
      break;
    case RefreshNow:
      // A closed window has no buffers to swap; SetShowPage reports it.
      if (Graphics.GLTarget && Graphics.IsOpen.load()) {
        SwapBuffers(Graphics.WindowDC);
      } else {
        SetShowPage(static_cast<std::int16_t>(Graphics.ShowPage.load()));
      }
      break;
    default:
      break;
  }
}

std::int16_t WindowMaxX() { return static_cast<std::int16_t>(Graphics.MaxX.load()); }
std::int16_t WindowMaxY() { return static_cast<std::int16_t>(Graphics.MaxY.load()); }

bool CloseRequested() { return Graphics.CloseRequested.load(); }

std::atomic<HookProc>& KeyHook() { return Graphics.KeyHook; }
std::atomic<HookProc>& MouseHook() { return Graphics.MouseHook; }

}  // namespace kanvo
