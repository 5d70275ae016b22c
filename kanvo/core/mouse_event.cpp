#include "kanvo/core/mouse_event.h"

#include <iterator>

namespace kanvo::core {
namespace {

struct FlagBit {
  std::uint32_t Flag;
  std::uint16_t Bit;
};
constexpr FlagBit ButtonFlags[] = {
    {0x0001, MouseLeft},     // MK_LBUTTON
    {0x0002, MouseRight},    // MK_RBUTTON
    {0x0010, MouseMiddle},   // MK_MBUTTON
    {0x0004, MouseShift},    // MK_SHIFT
    {0x0008, MouseControl},  // MK_CONTROL
};
static_assert(std::size(ButtonFlags) == 5);

struct MessageKind {
  std::uint32_t Message;
  std::uint16_t Kind;
};
constexpr MessageKind MouseMessages[] = {
    {MessageMouseMove, MouseMove}, {MessageLeftDown, MouseDown},   {MessageLeftUp, MouseUp},
    {MessageRightDown, MouseDown}, {MessageRightUp, MouseUp},      {MessageMiddleDown, MouseDown},
    {MessageMiddleUp, MouseUp},    {MessageMouseWheel, MouseWheel},
};
static_assert(std::size(MouseMessages) == 8);

}  // namespace

std::uint16_t MouseKindOfMessage(std::uint32_t message) {
  for (const MessageKind& m : MouseMessages) {
    if (m.Message == message) return m.Kind;
  }
  return 0;
}

std::uint16_t MouseButtonsFromKeyFlags(std::uint32_t flags) {
  std::uint16_t buttons = 0;
  for (const FlagBit& f : ButtonFlags) {
    if ((flags & f.Flag) != 0) buttons = static_cast<std::uint16_t>(buttons | f.Bit);
  }
  return buttons;
}

MouseEvent MakeMouseEvent(std::uint16_t kind, std::uint32_t wParam, std::uint32_t lParam) {
  MouseEvent event;
  event.MouseKind = kind;
  event.MouseButtons = MouseButtonsFromKeyFlags(wParam);
  event.X = static_cast<std::uint16_t>(lParam & 0xFFFF);
  event.Y = static_cast<std::uint16_t>(lParam >> 16);
  if (kind == MouseWheel) {
    // The rotation is the high word read as a signed number.
    const std::uint32_t d = wParam >> 16;
    event.WheelDelta = static_cast<std::int16_t>(d < 32768 ? static_cast<std::int32_t>(d)
                                                           : static_cast<std::int32_t>(d) - 65536);
  }
  return event;
}

}  // namespace kanvo::core
