// Opens a window and reports what the input modules queue, one line at a
// time, for the tests that drive it with real input.
//   input_probe keys TITLE   prints each byte WaitKey returns
//   input_probe mouse TITLE  prints each event PollMouseEvent takes and the
//                            current values whenever they change
// Both end on the byte 'q' (not as the code of a special key) and then print
// whether the window is still open and whether closing was requested.
#include <cstdio>
#include <cstring>

#include "kanvo/graphics.h"
#include "kanvo/keyboard.h"
#include "kanvo/mouse.h"

#include <windows.h>

using namespace kanvo;

namespace {

void Line(const char* format, int a = 0, int b = 0, int c = 0, int d = 0, int e = 0) {
  std::printf(format, a, b, c, d, e);
  std::fflush(stdout);
}

// Returns true when b ends the run.
bool IsEnd(std::uint8_t b, std::uint8_t previous) { return b == 'q' && previous != 0; }

void RunKeys() {
  std::uint8_t previous = 1;
  for (;;) {
    const std::uint8_t b = WaitKey();
    Line("%d\n", b);
    if (IsEnd(b, previous) || !IsGraphicsOpen()) return;
    previous = b;
  }
}

void RunMouse() {
  std::uint16_t buttons = 0, x = 0, y = 0;
  std::uint8_t previous = 1;
  for (;;) {
    MouseEvent e;
    while (PollMouseEvent(e)) {
      Line("event %d %d %d %d %d\n", e.MouseKind, e.MouseButtons, e.X, e.Y, e.WheelDelta);
    }
    if (CurrentMouseButtons() != buttons || CurrentMouseX() != x || CurrentMouseY() != y) {
      buttons = CurrentMouseButtons();
      x = CurrentMouseX();
      y = CurrentMouseY();
      Line("current %d %d %d\n", buttons, x, y);
    }
    while (KeyAvailable()) {
      const std::uint8_t b = WaitKey();
      if (IsEnd(b, previous)) return;
      previous = b;
    }
    Sleep(10);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "keys") != 0 && std::strcmp(argv[1], "mouse") != 0)) {
    std::fprintf(stderr, "usage: input_probe keys|mouse TITLE\n");
    return 2;
  }
  std::int16_t driver = 9, mode = 4;
  StartGraphics(driver, mode, argv[2]);
  if (!IsGraphicsOpen()) {
    std::fprintf(stderr, "StartGraphics: %d\n", LastStatus());
    return 1;
  }
  Line("ready\n");
  if (argv[1][0] == 'k') {
    RunKeys();
  } else {
    RunMouse();
  }
  Line("open %d close %d\n", IsGraphicsOpen(), CloseRequested());
  StopGraphics();
  return 0;
}
