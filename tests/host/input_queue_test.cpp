// The keyboard and mouse queues: the ring, overflow, the messages that feed
// them, and one writer thread against one reader thread.
#include <doctest/doctest.h>

#include <mutex>
#include <thread>
#include <vector>

#include "kanvo/core/key_queue.h"
#include "kanvo/core/mouse_event.h"

using namespace kanvo;
using namespace kanvo::core;

namespace {

using Bytes = std::vector<int>;

template <class Lock>
Bytes Drain(KeyRing<Lock>& ring) {
  Bytes bytes;
  std::uint8_t b = 0;
  while (ring.Pop(b)) bytes.push_back(b);
  return bytes;
}

struct KeyFixture {
  KeyRing<NoLock> ring;
  KeyFixture() { ring.Reset(); }
  void Message(std::uint32_t message, std::uint32_t wParam, Modifiers m = {}) {
    QueueKeyMessage(ring, message, wParam, [m] { return m; });
  }
};

}  // namespace

TEST_CASE("ring positions: empty at 0 before the first reset, 1..slots after") {
  KeyRing<NoLock> ring;
  CHECK(ring.Empty());
  CHECK(ring.ReadPos() == 0);
  CHECK(ring.WritePos() == 0);
  std::uint8_t b = 42;
  CHECK_FALSE(ring.Pop(b));
  CHECK(b == 42);
  ring.Reset();
  CHECK(ring.ReadPos() == 1);
  CHECK(ring.WritePos() == 1);
  CHECK(KeyRing<NoLock>::AdvanceRingIndex(31) == 32);
  CHECK(KeyRing<NoLock>::AdvanceRingIndex(32) == 1);
  // Round the ring several times: order and count hold across the wrap.
  for (int i = 0; i < 100; ++i) {
    PushKeyByte(ring, static_cast<std::uint8_t>(i + 1));
    PushKeyByte(ring, static_cast<std::uint8_t>(i + 101));
    CHECK(ring.Count() == 2);
    REQUIRE(ring.Pop(b));
    CHECK(b == i + 1);
    REQUIRE(ring.Pop(b));
    CHECK(b == i + 101);
    CHECK(ring.Empty());
  }
}

TEST_CASE("key ring overflow drops the oldest entry") {
  KeyRing<NoLock> ring;
  ring.Reset();
  Bytes expected;

  SUBCASE("31 bytes stay, a 32nd drops the oldest byte") {
    for (int i = 1; i <= 31; ++i) PushKeyByte(ring, static_cast<std::uint8_t>(i));
    CHECK(ring.Count() == 31);
    PushKeyByte(ring, 32);
    CHECK(ring.Count() == 31);
    for (int i = 2; i <= 32; ++i) expected.push_back(i);
    CHECK(Drain(ring) == expected);
  }
  SUBCASE("a prefix at the front goes together with its code") {
    PushExtendedKey(ring, 75);
    for (int i = 1; i <= 29; ++i) PushKeyByte(ring, static_cast<std::uint8_t>(i));
    CHECK(ring.Count() == 31);
    PushKeyByte(ring, 30);
    CHECK(ring.Count() == 30);
    for (int i = 1; i <= 30; ++i) expected.push_back(i);
    CHECK(Drain(ring) == expected);
  }
  SUBCASE("an extended key pushed into a full ring keeps the stream in pairs") {
    for (int i = 0; i < 15; ++i) PushExtendedKey(ring, static_cast<std::uint8_t>(60 + i));
    PushKeyByte(ring, 97);
    CHECK(ring.Count() == 31);
    PushExtendedKey(ring, 59);  // the prefix drops 0, 60; the code fits again
    CHECK(ring.Count() == 31);
    for (int i = 1; i < 15; ++i) expected.insert(expected.end(), {0, 60 + i});
    expected.insert(expected.end(), {97, 0, 59});
    CHECK(Drain(ring) == expected);
  }
}

TEST_CASE("key messages into the stream") {
  KeyFixture k;
  const Modifiers alt{false, false, true}, control{false, true, false};
  k.Message(MessageChar, 'a');
  k.Message(MessageChar, 0x1234);  // only the low byte is the character
  k.Message(MessageKeyDown, 37);
  k.Message(MessageKeyDown, VkShift);
  k.Message(MessageKeyDown, VkControl, control);
  k.Message(MessageKeyDown, 'A');  // a letter without Alt comes as its character
  k.Message(MessageSysKeyDown, VkMenu, alt);
  k.Message(MessageSysKeyDown, 'X', alt);
  k.Message(MessageSysKeyDown, 115, alt);
  k.Message(MessageClose, 0);
  k.Message(MessageKeyDown, 9, control);
  k.Message(MessageCreate, 0);
  k.Message(MessageDestroy, 0);
  k.Message(0x0101, 37);  // a key-up
  k.Message(0x0106, 'x');  // a system character
  CHECK(Drain(k.ring) == Bytes{97, 0x34, 0, 75, 0, 45, 0, 107, 0, 107, 30});
}

TEST_CASE("modifiers are read only for key-downs") {
  KeyRing<NoLock> ring;
  ring.Reset();
  int reads = 0;
  const auto read = [&reads] {
    ++reads;
    return Modifiers{};
  };
  QueueKeyMessage(ring, MessageChar, 'a', read);
  QueueKeyMessage(ring, MessageClose, 0, read);
  QueueKeyMessage(ring, MessageKeyDown, VkShift, read);
  CHECK(reads == 0);
  QueueKeyMessage(ring, MessageKeyDown, 37, read);
  QueueKeyMessage(ring, MessageSysKeyDown, 37, read);
  CHECK(reads == 2);
}

TEST_CASE("a writer thread and a reader thread share the key ring") {
  KeyRing<std::mutex> ring;
  ring.Reset();
  constexpr int Pairs = 20000;
  std::thread writer([&ring] {
    for (int i = 0; i < Pairs; ++i) {
      while (ring.Count() > 20) std::this_thread::yield();  // never overflow
      PushExtendedKey(ring, static_cast<std::uint8_t>(1 + i % 250));
    }
  });
  int taken = 0;
  bool inOrder = true;
  std::uint8_t b = 0;
  while (taken < 2 * Pairs) {
    if (!ring.Pop(b)) continue;
    const int expected = taken % 2 == 0 ? 0 : 1 + (taken / 2) % 250;
    inOrder = inOrder && b == expected;
    ++taken;
  }
  writer.join();
  CHECK(inOrder);
  CHECK(ring.Empty());
}

TEST_CASE("mouse messages and key flags") {
  CHECK(MouseKindOfMessage(MessageMouseMove) == MouseMove);
  CHECK(MouseKindOfMessage(MessageLeftDown) == MouseDown);
  CHECK(MouseKindOfMessage(MessageRightDown) == MouseDown);
  CHECK(MouseKindOfMessage(MessageMiddleDown) == MouseDown);
  CHECK(MouseKindOfMessage(MessageLeftUp) == MouseUp);
  CHECK(MouseKindOfMessage(MessageRightUp) == MouseUp);
  CHECK(MouseKindOfMessage(MessageMiddleUp) == MouseUp);
  CHECK(MouseKindOfMessage(MessageMouseWheel) == MouseWheel);
  CHECK(MouseKindOfMessage(0x0203) == 0);  // double clicks are not recorded
  CHECK(MouseKindOfMessage(0x0209) == 0);
  CHECK(MouseKindOfMessage(0x020E) == 0);  // horizontal wheel
  CHECK(MouseKindOfMessage(0x0100) == 0);

  struct Case {
    std::uint32_t flags;
    std::uint16_t buttons;
  };
  const Case cases[] = {
      {0x00, 0},
      {0x01, MouseLeft},
      {0x02, MouseRight},
      {0x10, MouseMiddle},
      {0x04, MouseShift},
      {0x08, MouseControl},
      {0x1F, MouseLeft | MouseRight | MouseMiddle | MouseShift | MouseControl},
      {0x20 | 0x40, 0},               // the X buttons are ignored
      {0xFF00 | 0x05, MouseLeft | MouseShift},
  };
  for (const Case& c : cases) {
    CAPTURE(c.flags);
    CHECK(MouseButtonsFromKeyFlags(c.flags) == c.buttons);
  }
}

TEST_CASE("mouse events from message parameters") {
  struct Case {
    std::uint16_t kind;
    std::uint32_t wParam, lParam;
    MouseEvent event;
  };
  const Case cases[] = {
      {MouseMove, 0x0004, (60u << 16) | 50u, {MouseMove, MouseShift, 50, 60, 0}},
      {MouseDown, 0x0001, (2u << 16) | 1u, {MouseDown, MouseLeft, 1, 2, 0}},
      {MouseUp, 0x0000, (2u << 16) | 1u, {MouseUp, 0, 1, 2, 0}},
      // A wheel's high word would be a delta for any other kind: ignored.
      {MouseUp, (120u << 16) | 0x0002, 0, {MouseUp, MouseRight, 0, 0, 0}},
      {MouseWheel, (120u << 16), (300u << 16) | 200u, {MouseWheel, 0, 200, 300, 120}},
      {MouseWheel, (0xFF88u << 16) | 0x0008, 0, {MouseWheel, MouseControl, 0, 0, -120}},
      {MouseWheel, (0x8000u << 16), 0, {MouseWheel, 0, 0, 0, -32768}},
      {MouseWheel, (0x7FFFu << 16), 0, {MouseWheel, 0, 0, 0, 32767}},
      // The screen position -10, -3 of a monitor left of and above the primary.
      {MouseWheel, (240u << 16), 0xFFFDFFF6u, {MouseWheel, 0, 65526, 65533, 240}},
      {MouseMove, 0, 0xFFFFFFFFu, {MouseMove, 0, 65535, 65535, 0}},
  };
  for (const Case& c : cases) {
    CAPTURE(c.kind);
    CAPTURE(c.wParam);
    CAPTURE(c.lParam);
    const MouseEvent e = MakeMouseEvent(c.kind, c.wParam, c.lParam);
    CHECK(e.MouseKind == c.event.MouseKind);
    CHECK(e.MouseButtons == c.event.MouseButtons);
    CHECK(e.X == c.event.X);
    CHECK(e.Y == c.event.Y);
    CHECK(e.WheelDelta == c.event.WheelDelta);
  }
}

TEST_CASE("mouse queue: current values and overflow") {
  MouseQueue<NoLock> q;
  CHECK(q.CurrentButtons.load() == 0);
  CHECK(q.CurrentX.load() == 0);
  CHECK(q.CurrentY.load() == 0);
  q.Events.Reset();

  PushMouseEvent(q, MouseDown, 0x0001, (20u << 16) | 10u);
  CHECK(q.CurrentButtons.load() == MouseLeft);
  CHECK(q.CurrentX.load() == 10);
  CHECK(q.CurrentY.load() == 20);
  PushMouseEvent(q, MouseWheel, (0xFF88u << 16), (5u << 16) | 0xFFF6u);
  CHECK(q.CurrentButtons.load() == 0);
  CHECK(q.CurrentX.load() == 65526);
  CHECK(q.CurrentY.load() == 5);
  CHECK(q.CurrentWheel.load() == -120);
  PushMouseEvent(q, MouseMove, 0, 0);
  CHECK(q.CurrentWheel.load() == 0);
  CHECK(q.Events.Count() == 3);

  SUBCASE("15 events stay, a 16th drops the oldest") {
    for (std::uint32_t i = 4; i <= 15; ++i) PushMouseEvent(q, MouseMove, 0, i);
    CHECK(q.Events.Count() == 15);
    PushMouseEvent(q, MouseMove, 0, 16);
    CHECK(q.Events.Count() == 15);
    MouseEvent e;
    REQUIRE(q.Events.Pop(e));
    CHECK(e.MouseKind == MouseWheel);  // the first press went
    CHECK(e.WheelDelta == -120);
    std::uint16_t lastX = 0;
    while (q.Events.Pop(e)) lastX = e.X;
    CHECK(lastX == 16);
  }
  SUBCASE("a reset empties the queue but keeps the current values") {
    q.Events.Reset();
    CHECK(q.Events.Empty());
    CHECK(q.CurrentX.load() == 0);
    CHECK(q.CurrentButtons.load() == 0);
    PushMouseEvent(q, MouseDown, 0x0012, (7u << 16) | 6u);
    q.Events.Reset();
    CHECK(q.CurrentButtons.load() == (MouseRight | MouseMiddle));
    CHECK(q.CurrentX.load() == 6);
    CHECK(q.CurrentY.load() == 7);
  }
}
