// texglobe: the Earth as a textured sphere that the camera circles slowly;
// dragging with the left mouse button turns it further, any key ends it.
#include <cstdint>

#include "apps/texglobe/globe_render.h"
#include "kanvo/graphics.h"
#include "kanvo/keyboard.h"

namespace {
std::int16_t Driver = 3;
std::int16_t Mode = 4;  // 640 x 480
}  // namespace

int main() {
  kanvo::StartGraphics(Driver, Mode, "ZIDIZE ROVAVOVAZ");
  kanvo::SelectGLTarget(true);
  // A missing picture ends the program quietly; the graphics module's
  // shut-down at exit closes the window.
  if (!texglobe::LoadTextureImage()) return 0;
  // A window that never opened can deliver no key: stop rather than spin.
  do {
    texglobe::DrawGlobeFrame();
  } while (!kanvo::KeyAvailable() && kanvo::IsGraphicsOpen());
  texglobe::FreeTextureImage();
  kanvo::SelectGLTarget(false);
  kanvo::StopGraphics();
  return 0;
}
