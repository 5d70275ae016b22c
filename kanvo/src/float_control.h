// Saving and restoring the floating-point control state (x87 and SSE) around
// platform calls that may change it behind the program's back.
#pragma once

#include <cstdint>

namespace kanvo {

struct FloatControl {
  std::uint16_t X87 = 0;
  std::uint32_t Mxcsr = 0;
  bool HasSse = false;
};

inline FloatControl SaveFloatControl() {
  FloatControl saved;
  __asm__ volatile("fnstcw %0" : "=m"(saved.X87));
  saved.HasSse = __builtin_cpu_supports("sse");
  if (saved.HasSse) __asm__ volatile("stmxcsr %0" : "=m"(saved.Mxcsr));
  return saved;
}

// Restores the saved modes and masks and drops any exception flag raised
// meanwhile, so that no stale flag traps at the program's next instruction.
inline void RestoreFloatControl(const FloatControl& saved) {
  __asm__ volatile("fnclex\n\tfldcw %0" : : "m"(saved.X87));
  if (saved.HasSse) {
    constexpr std::uint32_t ExceptionFlags = 0x3F;
    const std::uint32_t mxcsr = saved.Mxcsr & ~ExceptionFlags;
    __asm__ volatile("ldmxcsr %0" : : "m"(mxcsr));
  }
}

}  // namespace kanvo
