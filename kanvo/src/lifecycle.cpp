// Opening and closing the window, the window thread, the drawing-state reset
// and the module's start-up and shut-down.
#include <cstring>

#include "kanvo/core/geometry.h"
#include "kanvo/src/state.h"

namespace kanvo {

GraphicsState Graphics;

namespace {

constexpr char ClassName[] = "KanvoClass";
constexpr char DefaultTitle[] = "Kanvo 1.1";
constexpr DWORD PollInterval = 10;  // ms, both handshakes

// Read once when the process starts: the module handle and how the process
// was asked to show its first window.
HINSTANCE ModuleHandle = nullptr;
int StartupShowCommand = SW_SHOWNORMAL;

void ComputeWindowGeometry() {
  core::ScreenMetrics metrics;
  metrics.ScreenWidth = Graphics.ScreenWidth;
  metrics.ScreenHeight = Graphics.ScreenHeight;
  metrics.DlgFrameX = GetSystemMetrics(SM_CXDLGFRAME);
  metrics.DlgFrameY = GetSystemMetrics(SM_CYDLGFRAME);
  metrics.CaptionY = GetSystemMetrics(SM_CYCAPTION);
  if (Graphics.Driver == 9) {
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    metrics.DesktopBits = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(desktop, dc);
  }

  core::WindowGeometry g;
  g.WindowWidth = Graphics.WindowWidth;
  g.WindowHeight = Graphics.WindowHeight;
  g.WindowStyle = Graphics.WindowStyle;
  g.BitsPerPixel = Graphics.BitsPerPixel;
  g.PaletteMode = Graphics.PaletteMode.load();
  g.ColorCount = Graphics.ColorCount;
  const std::int16_t status = core::ComputeWindowGeometry(
      Graphics.Driver, Graphics.Mode, Graphics.CustomWidth, Graphics.CustomHeight, metrics, g);
  Graphics.WindowWidth = g.WindowWidth;
  Graphics.WindowHeight = g.WindowHeight;
  Graphics.WindowStyle = g.WindowStyle;
  Graphics.BitsPerPixel = g.BitsPerPixel;
  Graphics.PaletteMode.store(g.PaletteMode);
  Graphics.ColorCount = g.ColorCount;
  if (status != 0) SetStatus(status);
}

std::int16_t RunMessageLoop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) == 1) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<std::int16_t>(message.wParam & 0xFFFF);
}

DWORD WINAPI WindowThreadMain(LPVOID titleCharacters) {
  WNDCLASSA windowClass{};
  windowClass.style = CS_BYTEALIGNCLIENT | CS_OWNDC;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = ModuleHandle;
  windowClass.hIcon = LoadIconA(ModuleHandle, "KanvoIcon");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
  windowClass.lpszClassName = ClassName;
  if (RegisterClassA(&windowClass) == 0) {
    SetStatus(StatusNoWindow);
    return 0;
  }

  const core::WindowPlacement place = core::PlaceWindow(
      Graphics.ScreenWidth, Graphics.ScreenHeight, Graphics.WindowWidth, Graphics.WindowHeight);
  const char* title = titleCharacters != nullptr ? static_cast<const char*>(titleCharacters) : "";
  HWND window = CreateWindowExA(0, ClassName, title, Graphics.WindowStyle, place.X, place.Y,
                                place.Width, place.Height, nullptr, nullptr, ModuleHandle, nullptr);
  if (window == nullptr) {
    // Unregistered here so that a later opening can register the class again.
    UnregisterClassA(ClassName, ModuleHandle);
    SetStatus(StatusNoWindow);
    return 0;
  }

  SetStatus(RunMessageLoop());
  UnregisterClassA(ClassName, ModuleHandle);
  return 0;
}

}  // namespace

void PickDefaultMode(std::int16_t& driver, std::int16_t& mode) {
  driver = 9;
  mode = 10;
}

bool IsGraphicsOpen() { return Graphics.IsOpen.load(); }

std::int16_t LastStatus() { return Graphics.LastStatus.load(); }

void SetCustomSize(std::int32_t width, std::int32_t height) {
  Graphics.CustomWidth = width;
  Graphics.CustomHeight = height;
}

void StartGraphics(std::int16_t& driver, std::int16_t& mode, std::string_view title) {
  SetStatus(StatusOk);
  if (Graphics.IsOpen.load()) {
    SetStatus(StatusAlreadyOpen);
    return;
  }
  if (driver == 0) {
    PickDefaultMode(Graphics.Driver, Graphics.Mode);
    driver = Graphics.Driver;
    mode = Graphics.Mode;
  } else {
    Graphics.Driver = driver;
    Graphics.Mode = mode;
  }

  ComputeWindowGeometry();
  if (LastStatus() != StatusOk) return;

  if (title.empty()) title = DefaultTitle;
  const std::size_t length = title.size() < 255 ? title.size() : 255;
  std::memcpy(Graphics.Title, title.data(), length);
  Graphics.Title[length] = '\0';

  const auto createThread =
      Graphics.CreateThreadForTest != nullptr ? Graphics.CreateThreadForTest : CreateThread;
  Graphics.ThreadHandle = createThread(nullptr, 0, WindowThreadMain, Graphics.Title, 0, nullptr);
  if (Graphics.ThreadHandle == nullptr) {
    // Without a thread nothing would ever end the wait below.
    SetStatus(StatusNoWindow);
    return;
  }
  SetThreadPriority(Graphics.ThreadHandle, THREAD_PRIORITY_ABOVE_NORMAL);

  do {
    Sleep(PollInterval);
  } while (!Graphics.IsOpen.load() && LastStatus() == StatusOk);
  if (LastStatus() != StatusOk) {
    // The window thread failed and is ending; make sure it has.
    WaitForSingleObject(Graphics.ThreadHandle, INFINITE);
    CloseHandle(Graphics.ThreadHandle);
    Graphics.ThreadHandle = nullptr;
    return;
  }

  Graphics.ShowPage.store(0);
  Graphics.AutoRefresh.store(true);
  SetDrawPage(0);

  InitFontSlots();
  if (LastStatus() != StatusOk) return;

  Graphics.ClipRegion = nullptr;
  Graphics.PatternBitmap = nullptr;
  ResetDrawingState();
  SetupOpenGL();

  HWND window = Graphics.WindowHandle.load();
  ShowWindow(window, StartupShowCommand);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  Graphics.CloseRequested.store(false);
}

void StopGraphics() {
  SetStatus(StatusOk);
  if (!Graphics.IsOpen.load()) {
    SetStatus(StatusNotOpen);
    return;
  }
  Graphics.IsOpen.store(false);

  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(Graphics.WindowGLContext);
  wglDeleteContext(Graphics.PageGLContext);
  Graphics.WindowGLContext = nullptr;
  Graphics.PageGLContext = nullptr;

  PostMessageA(Graphics.WindowHandle.load(), WM_USER, 0, 0);
  DWORD exitCode = STILL_ACTIVE;
  do {
    Sleep(PollInterval);
    GetExitCodeThread(Graphics.ThreadHandle, &exitCode);
  } while (exitCode == STILL_ACTIVE);
  CloseHandle(Graphics.ThreadHandle);
  Graphics.ThreadHandle = nullptr;
}

void ResetDrawingState() {
  if (Graphics.PaletteMode.load()) {
    PaletteRecord standard;
    ReadStandardPalette(standard);
    ApplyPalette(standard);
  } else {
    CopyNamedColors();
  }
  Graphics.LineStyle = 0;
  Graphics.LinePattern = 0;
  Graphics.LineThickness = 1;
  SetPenColor(NamedColor[250]);
  SetBackColor(NamedColor[12]);
  SetBrushBits({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, NamedColor[250]);
  SetBrushStyle(1, NamedColor[250]);
  SelectFont(0, 0, 16);
  SetTextAnchor(0, 0);
  SetTextGaps(0, 0, 0, 0);
  SetView(0, 0, static_cast<std::int16_t>(Graphics.MaxX.load()),
          static_cast<std::int16_t>(Graphics.MaxY.load()), false);
  SetRasterMode(0);
  SetAspectFactors(10000, 10000);
  Graphics.FloodKind = FLOODFILLBORDER;
}

void InitGraphicsModule() {
  ModuleHandle = GetModuleHandleA(nullptr);
  STARTUPINFOA startup{};
  GetStartupInfoA(&startup);
  if (startup.dwFlags & STARTF_USESHOWWINDOW) StartupShowCommand = startup.wShowWindow;

  Graphics.IsOpen.store(false);
  Graphics.PaletteMode.store(false);
  Graphics.Driver = -1;
  Graphics.KeyHook.store(nullptr);
  Graphics.MouseHook.store(nullptr);
  Graphics.ScreenWidth = GetSystemMetrics(SM_CXSCREEN);
  Graphics.ScreenHeight = GetSystemMetrics(SM_CYSCREEN);
  InitNamedColors();
}

void FinalizeGraphicsModule() {
  if (Graphics.IsOpen.load()) StopGraphics();
  Graphics.ColorTableSize = 0;
}

}  // namespace kanvo

// Module start-up and shut-down. The priorities order the modules: graphics
// (which clears the hook slots) before the keyboard and the mouse modules
// (which fill them); the shut-down runs after main returns or exit() is
// called. The anchor symbol lets programs that call nothing of the module keep
// this object in the link.
extern "C" {
extern const int kanvo_graphics_module;
const int kanvo_graphics_module = 1;
}

__attribute__((constructor(201))) static void GraphicsModuleStartup() {
  kanvo::InitGraphicsModule();
}
__attribute__((destructor(201))) static void GraphicsModuleShutdown() {
  kanvo::FinalizeGraphicsModule();
}
