// One producer thread (the window thread's role) against one consumer thread
// (the program's), on the rings of the input modules, as the modules use them:
// the consumer tests for emptiness without the lock and takes under it.
#include <doctest/doctest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "kanvo/core/key_queue.h"
#include "kanvo/core/mouse_event.h"

using namespace kanvo;
using namespace kanvo::core;

namespace {

constexpr std::uint32_t Count = 100000;

// Waits as WaitKey does, without the lock, then takes under it.
template <class RingType, class T>
bool TakeWaiting(RingType& ring, T& out, const std::atomic<bool>& producerDone) {
  while (ring.Empty()) {
    if (producerDone.load() && ring.Empty()) return false;
    std::this_thread::yield();
  }
  return ring.Pop(out);
}

}  // namespace

TEST_CASE("unpaced producer: order kept, every loss is an overflow drop") {
  Ring<std::uint32_t, 32, std::mutex> ring;
  ring.Reset();
  std::atomic<bool> done{false};
  std::uint32_t drops = 0;  // written by the producer only, read after join

  std::thread producer([&] {
    for (std::uint32_t value = 1; value <= Count; ++value) {
      ring.Locked([&](auto& r) {
        if (r.Put(value)) {
          r.DropOldest();
          ++drops;
        }
      });
      // Lets the consumer in now and then, so that both sides interleave.
      if (value % 8 == 0) std::this_thread::yield();
    }
    done.store(true);
  });

  std::vector<std::uint32_t> taken;
  std::uint32_t value = 0;
  while (TakeWaiting(ring, value, done)) taken.push_back(value);
  producer.join();
  while (ring.Pop(value)) taken.push_back(value);

  REQUIRE_FALSE(taken.empty());
  std::uint32_t gaps = taken.front() - 1;
  bool increasing = true;
  for (std::size_t i = 1; i < taken.size(); ++i) {
    if (taken[i] <= taken[i - 1]) increasing = false;
    gaps += taken[i] - taken[i - 1] - 1;
  }
  CHECK(increasing);
  CHECK(taken.back() == Count);  // the newest entry is never the one dropped
  CHECK(gaps == drops);
  CHECK(taken.size() + drops == Count);
  MESSAGE("taken ", taken.size(), ", dropped on overflow ", drops);
}

TEST_CASE("key bytes and extended pairs arrive whole and in order when paced") {
  KeyRing<std::mutex> ring;
  ring.Reset();
  std::atomic<bool> done{false};
  // Plain bytes 1..255 and, every fifth, an extended pair 0, code.
  std::vector<std::uint8_t> sent;
  for (std::uint32_t i = 0; i < Count; ++i) {
    if (i % 5 == 4) {
      sent.push_back(ExtendedPrefix);
      sent.push_back(static_cast<std::uint8_t>(59 + i % 80));
    } else {
      sent.push_back(static_cast<std::uint8_t>(1 + i % 255));
    }
  }

  std::thread producer([&] {
    for (std::size_t i = 0; i < sent.size(); ++i) {
      // Room for a whole pair: the ring never overflows.
      while (ring.Count() > KeyRing<std::mutex>::Capacity - 2) std::this_thread::yield();
      if (sent[i] == ExtendedPrefix) {
        PushExtendedKey(ring, sent[++i]);
      } else {
        PushKeyByte(ring, sent[i]);
      }
    }
    done.store(true);
  });

  std::vector<std::uint8_t> received;
  received.reserve(sent.size());
  std::uint8_t b = 0;
  while (TakeWaiting(ring, b, done)) received.push_back(b);
  producer.join();
  while (ring.Pop(b)) received.push_back(b);
  CHECK(received == sent);
}

TEST_CASE("mouse events and current values from the producer") {
  MouseQueue<std::mutex> queue;
  queue.Events.Reset();
  std::atomic<bool> done{false};

  std::thread producer([&] {
    for (std::uint32_t i = 1; i <= Count; ++i) {
      while (queue.Events.Count() > decltype(queue.Events)::Capacity - 1)
        std::this_thread::yield();
      // x and y carry the sequence number; MK_LBUTTON on odd numbers.
      PushMouseEvent(queue, MouseMove, i % 2, (i & 0xFFFF) | (i >> 16) << 16);
    }
    done.store(true);
  });

  std::uint32_t expected = 1;
  bool inOrder = true;
  bool currentNeverBack = true;
  MouseEvent event;
  while (TakeWaiting(queue.Events, event, done)) {
    const std::uint32_t sequence = event.X | std::uint32_t{event.Y} << 16;
    if (sequence != expected || event.MouseButtons != (sequence % 2 ? MouseLeft : 0))
      inOrder = false;
    ++expected;
    // The current values are read without the lock, as the readers do. They
    // were stored with an event no older than the one just taken; x read
    // before y may mix two events, but never gives a smaller number.
    const std::uint32_t current =
        queue.CurrentX.load() | std::uint32_t{queue.CurrentY.load()} << 16;
    if (current < sequence) currentNeverBack = false;
  }
  producer.join();
  CHECK(inOrder);
  CHECK(expected == Count + 1);
  CHECK(currentNeverBack);
  CHECK(queue.CurrentX.load() == (Count & 0xFFFF));
}
