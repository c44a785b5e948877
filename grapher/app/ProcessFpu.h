// The grapher's process-wide x87 control word.
#pragma once

#include <cstdint>

namespace kurvex {

// All six x87 exceptions masked, 64-bit precision, round to nearest: formula
// evaluation and geometry then give infinities and NaNs instead of faults.
inline constexpr std::uint16_t kProcessControlWord = 0x133F;

inline void SetProcessControlWord() {
  std::uint16_t cw = kProcessControlWord;
  asm volatile("fclex\n\tfldcw %0" : : "m"(cw));
}

// The control word as the processor reports it; bit 6 is reserved and reads
// back as 1 whatever was loaded, so it is cleared here.
inline std::uint16_t CurrentControlWord() {
  std::uint16_t cw;
  asm volatile("fnstcw %0" : "=m"(cw));
  return cw & ~0x40u;
}

}  // namespace kurvex
