// The OpenGL mode: one rendering context on the window, one on the pages.
// Placeholder bodies: no contexts are made yet.
#include "kanvo/src/state.h"

namespace kanvo {

void SetupOpenGL() {}
void SelectGLTarget(bool) { SetStatus(StatusNoOpenGL); }

}  // namespace kanvo
