// Calls of compiled code and of built-in bodies with register canaries (CallHarness.S).
#pragma once

#include <cstddef>
#include <cstdint>

namespace kx {

extern "C" {
struct THarnessCall {
  const void* Routine;
  uint32_t ArgCount;
  long double Args[2];  // first argument loaded first
  uint32_t RaiseFirst;  // 1: leave a sticky invalid-operation flag before the call
  long double Result;
  uint32_t Depth;     // x87 registers in use after the call
  uint32_t RegsKept;  // EBX, ESI, EDI and EBP unchanged
  uint32_t EspKept;
  uint32_t ExitStatus;   // x87 status word after the call
  uint32_t Fill;         // values (pi) stacked below the arguments
  uint32_t FillKept;     // they were all still there, unchanged
  uint32_t ResultClass;  // FXAM's C3, C2 and C0 of ST(0) after the call
};
void KHarnessCall(THarnessCall* call);
}

static_assert(offsetof(THarnessCall, RaiseFirst) == 32 && offsetof(THarnessCall, Result) == 36 &&
                  offsetof(THarnessCall, ExitStatus) == 60 && offsetof(THarnessCall, FillKept) == 68 &&
                  offsetof(THarnessCall, ResultClass) == 72,
              "CallHarness.S relies on this layout");

// Status-word flag of an x87 stack overflow or underflow.
constexpr uint32_t X87StackFault = 0x40;
// ResultClass of an empty register.
constexpr uint32_t X87Empty = 0x4100;

}  // namespace kx
