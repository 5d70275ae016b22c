// Uses the installed kanvo as a user's program would. Exits 0 when the
// modules started before main and a window opened, drew and closed.
#include <cstdio>

#include <kanvo/graphics.h>
#include <kanvo/keyboard.h>
#include <kanvo/mouse.h>

int main() {
  // The program calls nothing of the keyboard and mouse modules before this
  // point, yet both filled their hook slots when the program started.
  if (kanvo::KeyHook().load() == nullptr || kanvo::MouseHook().load() == nullptr) {
    std::puts("input modules did not start");
    return 1;
  }
  std::int16_t driver = 9, mode = 4;
  kanvo::StartGraphics(driver, mode, "consumer");
  if (kanvo::LastStatus() != kanvo::StatusOk && kanvo::LastStatus() != kanvo::StatusNoOpenGL) {
    std::printf("StartGraphics: %d\n", kanvo::LastStatus());
    return 1;
  }
  kanvo::SetPenColor(kanvo::NamedColor[250]);
  kanvo::MovePen(10, 10);
  kanvo::DrawLineTo(100, 100);
  kanvo::StopGraphics();
  if (kanvo::LastStatus() != kanvo::StatusOk || kanvo::IsGraphicsOpen()) {
    std::puts("StopGraphics failed");
    return 1;
  }
  std::puts("consumer ok");
  return 0;
}
