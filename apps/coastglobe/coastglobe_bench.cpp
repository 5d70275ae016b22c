// Frames per second of coastglobe's frame routine at the starting view, for
// the starting radius and for a globe that covers the whole surface. Run by
// scripts/bench-coastglobe.
#include <chrono>
#include <cstdio>

#include "apps/coastglobe/globe_frame.h"
#include "kanvo/graphics.h"

using namespace coastglobe;

int main() {
  std::int16_t driver = GlobeDriver, mode = GlobeMode;
  kanvo::StartGraphics(driver, mode, "coastglobe benchmark");
  if (!kanvo::IsGraphicsOpen()) {
    std::printf("the window did not open (status %d)\n", kanvo::LastStatus());
    return 1;
  }
  for (std::int32_t radius : {StartRadius, 500}) {
    GlobeState state;
    state.GlobeRadius = radius;
    for (int i = 0; i < 5; ++i) DrawFrame(state);  // warm up
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    int frames = 0;
    double seconds = 0;
    do {
      DrawFrame(state);
      ++frames;
      seconds = std::chrono::duration<double>(Clock::now() - start).count();
    } while (seconds < 5.0);
    std::printf("radius %3d: %d frames in %.2f s, %.1f frames per second\n", radius, frames,
                seconds, frames / seconds);
  }
  kanvo::StopGraphics();
  return 0;
}
