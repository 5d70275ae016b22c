// A fixed circular queue filled by one thread and emptied by another.
// Slots are numbered 1..Slots; the queue is empty when the read and write
// positions are equal, so it holds at most Slots - 1 entries. Both positions
// are 0 until the first Reset, which also counts as empty.
//
// The positions are atomic because the reader tests for emptiness without
// the lock; every change to the slots and positions happens under Lock, any
// type with lock() and unlock().
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace kanvo::core {

// For a queue only one thread touches.
struct NoLock {
  void lock() {}
  void unlock() {}
};

template <class T, std::int32_t Slots, class Lock = NoLock>
class Ring {
  static_assert(Slots >= 2);

 public:
  static constexpr std::int32_t SlotCount = Slots;
  static constexpr std::int32_t Capacity = Slots - 1;

  constexpr Ring() = default;
  Ring(const Ring&) = delete;
  Ring& operator=(const Ring&) = delete;

  static constexpr std::int32_t AdvanceRingIndex(std::int32_t position) {
    return position + 1 > Slots ? 1 : position + 1;
  }

  Lock& Guard() { return lock_; }

  // Runs f(*this) holding the lock; f uses the unlocked operations below.
  template <class F>
  decltype(auto) Locked(F&& f) {
    std::lock_guard<Lock> hold(lock_);
    return f(*this);
  }

  // Empties the queue. Called when no other thread uses it.
  void Reset() {
    readPos_.store(1);
    writePos_.store(1);
  }

  // Lock-free tests; the answer may be a moment old.
  bool Empty() const { return readPos_.load() == writePos_.load(); }
  std::int32_t Count() const {
    const std::int32_t read = readPos_.load(), write = writePos_.load();
    return write >= read ? write - read : write - read + Slots;
  }
  std::int32_t ReadPos() const { return readPos_.load(); }
  std::int32_t WritePos() const { return writePos_.load(); }

  // ---- Under the lock ------------------------------------------------------

  // Writes at the write position and advances it. Returns true when the
  // write position has caught up with the read position: the queue has
  // overflowed and the caller must drop its oldest entry.
  bool Put(const T& value) {
    const std::int32_t write = writePos_.load();
    slots_[write - 1] = value;
    const std::int32_t next = AdvanceRingIndex(write);
    writePos_.store(next);
    return next == readPos_.load();
  }

  const T& Oldest() const { return slots_[readPos_.load() - 1]; }
  void DropOldest() { readPos_.store(AdvanceRingIndex(readPos_.load())); }

  // Takes the oldest entry; false, leaving out alone, when there is none.
  bool Take(T& out) {
    if (Empty()) return false;
    out = Oldest();
    DropOldest();
    return true;
  }

  // ---- Taking the lock itself ----------------------------------------------

  // Stores value, dropping the oldest entry when the queue was full.
  void Push(const T& value) {
    Locked([&value](Ring& ring) {
      if (ring.Put(value)) ring.DropOldest();
    });
  }

  bool Pop(T& out) {
    return Locked([&out](Ring& ring) { return ring.Take(out); });
  }

 private:
  T slots_[Slots]{};
  std::atomic<std::int32_t> readPos_{0};
  std::atomic<std::int32_t> writePos_{0};
  Lock lock_{};
};

}  // namespace kanvo::core
