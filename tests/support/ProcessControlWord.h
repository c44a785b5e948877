// The programs' x87 control word (every floating-point exception masked, as
// both programs set it at start-up) for the life of the object; the caller's
// control word comes back after, with the flags cleared.
#pragma once

#include <cstdint>

namespace testsupport {

class ProcessControlWord {
 public:
  ProcessControlWord() {
    asm volatile("fnstcw %0" : "=m"(saved_));
    const uint16_t word = 0x133F;
    asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
  }
  ~ProcessControlWord() { asm volatile("fnclex\n\tfldcw %0" : : "m"(saved_)); }
  ProcessControlWord(const ProcessControlWord&) = delete;
  ProcessControlWord& operator=(const ProcessControlWord&) = delete;

 private:
  uint16_t saved_ = 0;
};

}  // namespace testsupport
