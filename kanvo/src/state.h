// The graphics module's state, in one record, and the routines its files
// share. Internal to the library; tests include it to look inside.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "kanvo/graphics.h"

namespace kanvo {

struct FontSlot {
  std::uint8_t Length = 0;  // 0: empty
  char Name[31] = {};
};

struct ViewRectangle {
  std::int16_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  bool Clip = false;
};

// Kept trivially destructible: the module's shut-down runs while the process
// exits and must find the record intact.
struct GraphicsState {
  // Lifecycle. IsOpen and LastStatus carry the opening handshake between the
  // two threads.
  std::atomic<bool> IsOpen{false};
  std::atomic<bool> PaletteMode{false};
  std::int32_t ScreenWidth = 0, ScreenHeight = 0;
  std::int16_t Driver = -1;
  std::int16_t Mode = 0;
  std::atomic<std::int16_t> LastStatus{0};
  std::int32_t CustomWidth = 0, CustomHeight = 0;
  std::int32_t WindowWidth = 0, WindowHeight = 0;
  std::uint32_t WindowStyle = 0;
  std::uint8_t BitsPerPixel = 0;
  std::uint16_t ColorCount = 0;
  std::atomic<HWND> WindowHandle{nullptr};
  char Title[256] = {};
  HANDLE ThreadHandle = nullptr;
  std::atomic<std::int32_t> MaxX{0}, MaxY{0};

  // Device contexts and pages.
  HDC WindowDC = nullptr;
  HDC PageDC = nullptr;
  HDC PatternDC = nullptr;
  HBITMAP Pages[4] = {};
  std::atomic<std::uint16_t> DrawPage{0}, ShowPage{0};
  std::atomic<bool> AutoRefresh{false}, DrawToWindow{false};
  RGBQUAD ColorTable[256] = {};
  std::uint16_t ColorTableSize = 0;
  HPALETTE SavedPalette = nullptr;
  HPEN SavedPen = nullptr;
  HBRUSH SavedBrush = nullptr;
  HFONT SavedFont = nullptr;
  HBITMAP SavedBitmap = nullptr;
  HPALETTE CurrentPalette = nullptr;
  HPEN CurrentPen = nullptr;
  HBRUSH CurrentBrush = nullptr;
  HFONT CurrentFont = nullptr;
  HBITMAP PatternBitmap = nullptr;
  HRGN ClipRegion = nullptr;
  CRITICAL_SECTION GraphicsLock{};
  std::atomic<bool> CloseRequested{false};
  std::atomic<HookProc> KeyHook{nullptr}, MouseHook{nullptr};

  // Pen, view and raster state.
  ColorValue PenColor = 0;
  ColorValue BackColor = 0;
  std::uint16_t LineStyle = 0, LinePattern = 0, LineThickness = 1;
  ViewRectangle ViewRect;
  std::int32_t ViewOriginX = 0, ViewOriginY = 0;
  std::int16_t ViewWidth = 0, ViewHeight = 0;
  std::int32_t CurrentX = 0, CurrentY = 0;
  std::uint32_t AspectX = 10000, AspectY = 10000;
  bool AspectSquare = true;
  std::int32_t PatternStep = 0;

  // Brush.
  std::uint16_t BrushStyle = 0;
  ColorValue BrushColor = 0;
  std::int32_t FloodKind = 0;

  // Palette.
  std::uint16_t AppliedColorCount = 0;

  // Fonts.
  FontSlot FontSlots[15] = {};

  // OpenGL.
  bool GLAvailable = false;
  bool GLTarget = false;
  HGLRC WindowGLContext = nullptr;
  HGLRC PageGLContext = nullptr;
  // Set only by tests: SetupOpenGL then fails as if no context could be made.
  bool RefuseGLForTest = false;
  // Set only by tests, to make a platform call fail: used instead of
  // CreateThread and EnumFontFamiliesA when not null.
  decltype(&CreateThread) CreateThreadForTest = nullptr;
  decltype(&EnumFontFamiliesA) EnumFontFamiliesForTest = nullptr;
};

extern GraphicsState Graphics;

// Holds GraphicsLock for a scope. The lock is a critical section, so the
// thread that holds it may take it again.
class GraphicsLockGuard {
 public:
  GraphicsLockGuard() { EnterCriticalSection(&Graphics.GraphicsLock); }
  ~GraphicsLockGuard() { LeaveCriticalSection(&Graphics.GraphicsLock); }
  GraphicsLockGuard(const GraphicsLockGuard&) = delete;
  GraphicsLockGuard& operator=(const GraphicsLockGuard&) = delete;
};

inline void SetStatus(std::int16_t status) { Graphics.LastStatus.store(status); }

// The start of every operation that needs the window: status 0, or -1 when
// the window is not open.
inline bool BeginOperation() {
  if (!Graphics.IsOpen.load()) {
    SetStatus(StatusNotOpen);
    return false;
  }
  SetStatus(StatusOk);
  return true;
}

// Runs one GDI call on both contexts under the lock: on the window first
// while drawing goes there too, then on the page.
template <class Draw>
void DrawOnBoth(Draw&& draw) {
  GraphicsLockGuard lock;
  if (Graphics.DrawToWindow.load()) draw(Graphics.WindowDC);
  draw(Graphics.PageDC);
}

// Applies an attribute to the window's context and then the page's. Under
// the lock too: Wine fails a call on a context that another thread is using
// at that moment, so a pen move could be lost while the window paints.
template <class Apply>
void ApplyToBoth(Apply&& apply) {
  GraphicsLockGuard lock;
  apply(Graphics.WindowDC);
  apply(Graphics.PageDC);
}

// Selects a new GDI object into both contexts under the lock and deletes the
// one it replaces, unless that is the stock object saved at set-up.
template <class Handle>
void SelectIntoBoth(Handle object, Handle& current, Handle saved) {
  GraphicsLockGuard lock;
  current = object;
  auto replaced = static_cast<Handle>(SelectObject(Graphics.WindowDC, object));
  SelectObject(Graphics.PageDC, object);
  if (replaced != nullptr && replaced != saved) DeleteObject(replaced);
}

// View coordinates to device coordinates: the sum wraps in 16 bits, as the
// drawing coordinates are 16-bit values.
inline int DeviceX(std::int16_t x) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(x) +
                                   static_cast<std::uint16_t>(Graphics.ViewOriginX));
}
inline int DeviceY(std::int16_t y) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(y) +
                                   static_cast<std::uint16_t>(Graphics.ViewOriginY));
}

// Internal routines shared between the module's files.
void InitGraphicsModule();
void FinalizeGraphicsModule();
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CreatePages();
ColorValue MapColor(ColorValue color);
void CreateModePalette();
void CopyNamedColors();
void RemapNamedColors();
void InitNamedColors();
void InitFontSlots();
void SetupOpenGL();

}  // namespace kanvo
