// Virtual keys of special keys to the key codes of the byte stream. Pure: the
// caller reads the modifier state.
#pragma once

#include <cstdint>

namespace kanvo::core {

struct Modifiers {
  bool Shift = false;
  bool Control = false;
  bool Alt = false;
};

// One thing a key press queues: the pair 0, Code, or the single byte Code.
struct KeyEntry {
  bool Extended = true;
  std::uint8_t Code = 0;
};

// At most two entries: Control and Alt with a digit give both pairs.
struct KeyEntries {
  std::uint8_t Count = 0;
  KeyEntry Items[2] = {};
};

// What a key-down of vk queues with these modifiers down; nothing for keys
// that arrive as characters only.
KeyEntries TranslateVirtualKey(std::uint32_t vk, Modifiers modifiers);

}  // namespace kanvo::core
