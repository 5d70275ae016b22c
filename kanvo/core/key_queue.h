// The keyboard module's byte queue and what each key message puts into it.
// Pure: the lock type and the reading of the modifier keys come from the
// caller.
#pragma once

#include <cstdint>

#include "kanvo/core/key_translate.h"
#include "kanvo/core/ring.h"
#include "kanvo/keyboard.h"

namespace kanvo::core {

// The messages the keyboard handler acts on (the platform's numbers).
inline constexpr std::uint32_t MessageCreate = 0x0001;
inline constexpr std::uint32_t MessageDestroy = 0x0002;
inline constexpr std::uint32_t MessageClose = 0x0010;
inline constexpr std::uint32_t MessageKeyDown = 0x0100;
inline constexpr std::uint32_t MessageChar = 0x0102;
inline constexpr std::uint32_t MessageSysKeyDown = 0x0104;

inline constexpr std::uint32_t VkShift = 16;
inline constexpr std::uint32_t VkControl = 17;
inline constexpr std::uint32_t VkMenu = 18;

template <class Lock>
using KeyRing = Ring<std::uint8_t, 32, Lock>;

// Queues one byte. A full ring drops its oldest entry: the oldest byte, and
// when that is a prefix, the code after it too.
template <class Lock>
void PushKeyByte(KeyRing<Lock>& ring, std::uint8_t b) {
  ring.Locked([b](KeyRing<Lock>& r) {
    if (!r.Put(b)) return;
    if (r.Oldest() == ExtendedPrefix) r.DropOldest();
    r.DropOldest();
  });
}

// Two separate pushes: a reader may take the prefix before its code arrives.
template <class Lock>
void PushExtendedKey(KeyRing<Lock>& ring, std::uint8_t code) {
  PushKeyByte(ring, ExtendedPrefix);
  PushKeyByte(ring, code);
}

template <class Lock>
void PushKeyEntries(KeyRing<Lock>& ring, const KeyEntries& entries) {
  for (std::uint8_t i = 0; i < entries.Count; ++i) {
    const KeyEntry& entry = entries.Items[i];
    if (entry.Extended) {
      PushExtendedKey(ring, entry.Code);
    } else {
      PushKeyByte(ring, entry.Code);
    }
  }
}

// Queues what an input message of the window means: the close code, the
// translation of a key-down (modifier keys alone queue nothing), or the
// character of WM_CHAR. readModifiers() is called only for key-downs. Other
// messages, creation and destruction included, queue nothing.
template <class Lock, class ReadModifiers>
void QueueKeyMessage(KeyRing<Lock>& ring, std::uint32_t message, std::uint32_t wParam,
                     ReadModifiers&& readModifiers) {
  switch (message) {
    case MessageClose:
      PushExtendedKey(ring, CloseKeyCode);
      break;
    case MessageKeyDown:
      if (wParam != VkShift && wParam != VkControl) {
        PushKeyEntries(ring, TranslateVirtualKey(wParam, readModifiers()));
      }
      break;
    case MessageChar:
      PushKeyByte(ring, static_cast<std::uint8_t>(wParam & 0xFF));
      break;
    case MessageSysKeyDown:
      if (wParam != VkMenu) PushKeyEntries(ring, TranslateVirtualKey(wParam, readModifiers()));
      break;
    default:
      break;
  }
}

}  // namespace kanvo::core
