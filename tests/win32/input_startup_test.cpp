// A program that links the keyboard and mouse modules but uses nothing of
// them: their start-up must still have filled both hook slots before main,
// and after the graphics module's start-up, which clears them.
#include "support.h"

using namespace kanvo;

TEST_CASE("both hooks are installed when main starts") {
  // The graphics module has started (it read the screen size)...
  CHECK(Graphics.ScreenWidth == GetSystemMetrics(SM_CXSCREEN));
  CHECK(Graphics.Driver == -1);
  // ...and cleared the slots before the input modules filled them.
  const HookProc key = KeyHook().load();
  const HookProc mouse = MouseHook().load();
  REQUIRE((key != nullptr));
  REQUIRE((mouse != nullptr));
  CHECK((key != mouse));
}
