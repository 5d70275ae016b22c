// A first kanvo program: pens, brushes and a flood fill, then a key ends it.
#include <kanvo/graphics.h>
#include <kanvo/keyboard.h>

#include <utility>

using namespace kanvo;

int main() {
  std::int16_t driver = 9, mode = 4;  // direct colour, 640 x 480
  StartGraphics(driver, mode, "Hello kanvo");
  if (!IsGraphicsOpen()) return 1;

  SetPenColor(NamedColor[207]);   // red outline of a house
  MovePen(220, 240);
  for (auto [x, y] : {std::pair{320, 140}, {420, 240}, {420, 400}, {220, 400}, {220, 240}})
    DrawLineTo(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y));
  SetBrushStyle(4, NamedColor[100]);  // gold cross hatch inside it
  FloodArea(320, 300, NamedColor[207]);
  SetPenStyle(5, 0xF0F0, 1);          // a dashed line under it
  MovePen(100, 420);
  DrawLineTo(540, 420);
  SetBrushStyle(1, NamedColor[15]);   // a blue box
  FillBox(520, 40, 580, 100);

  WaitKey();
  StopGraphics();
  return 0;
}
