// Benchmark: frames per second of texglobe's render loop, with the program's
// own frame and picture in its 640 x 480 window. Run it from the folder that
// holds earth.bmp; it prints one line and ends (or ends early on a key).
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "apps/texglobe/globe_render.h"
#include "kanvo/graphics.h"
#include "kanvo/keyboard.h"

namespace {
constexpr double WarmUpSeconds = 1.0;
constexpr double MeasureSeconds = 10.0;

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}
}  // namespace

int main() {
  std::int16_t driver = 3, mode = 4;
  kanvo::StartGraphics(driver, mode, "ZIDIZE ROVAVOVAZ");
  if (kanvo::LastStatus() != kanvo::StatusOk) {
    std::fprintf(stderr, "texglobe_bench: the window did not open with OpenGL (status %d)\n",
                 kanvo::LastStatus());
    return 1;
  }
  kanvo::SelectGLTarget(true);
  if (!texglobe::LoadTextureImage()) {
    std::fprintf(stderr, "texglobe_bench: earth.bmp is not in the current folder\n");
    return 1;
  }
  const double warmUpEnd = Seconds() + WarmUpSeconds;
  while (Seconds() < warmUpEnd && !kanvo::KeyAvailable()) texglobe::DrawGlobeFrame();
  const double start = Seconds();
  long frames = 0;
  double elapsed = 0;
  while (elapsed < MeasureSeconds && !kanvo::KeyAvailable()) {
    texglobe::DrawGlobeFrame();
    ++frames;
    elapsed = Seconds() - start;
  }
  std::printf("texglobe render loop: %ld frames in %.2f s, %.1f frames per second\n", frames,
              elapsed, frames / elapsed);
  texglobe::FreeTextureImage();
  kanvo::SelectGLTarget(false);
  kanvo::StopGraphics();
  return 0;
}
