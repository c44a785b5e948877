// Compile-time x87 work: every exception masked, the raised flags reported.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kx {

// The functions below return the exception flags that were raised and that the
// caller's own control word leaves unmasked (0 = the caller would not have
// trapped). They clear the flags and restore the control word on the way out.
extern "C" {
// acc := acc op value; op 0 "+", 1 "-", 2 "*", 3 "/".
unsigned KFoldMasked(long double* acc, const long double* value, int op);

// One call of a routine or call stub, arguments set up as the call wants them.
struct TCallFrame {
  const void* Target;
  const uint8_t* StackArgs;  // copied to the top of the CPU stack
  uint32_t StackBytes;
  uint32_t Regs[3];  // EAX, EDX, ECX
  uint32_t X87Count;
  const long double* X87Args;  // loaded first to last
  uint32_t FloatResult;        // 1: the result is ST(0)
  uint32_t IntResult[2];       // EAX, EDX after the call
  long double Result;
};
unsigned KCallMasked(TCallFrame* frame);
}

static_assert(sizeof(long double) == 12 && offsetof(TCallFrame, X87Args) == 28 &&
                  offsetof(TCallFrame, IntResult) == 36 && offsetof(TCallFrame, Result) == 44,
              "KCompilerCall.S relies on this layout");

// Masks every x87 exception for the lifetime of the object, so that conversions
// done in C++ while compiling cannot trap; restores the caller's control word.
class TMaskedFpu {
 public:
  TMaskedFpu() {
    asm volatile("fnstcw %0" : "=m"(saved_)::"memory");
    const uint16_t masked = saved_ | 0x3F;
    asm volatile("fnclex\n\tfldcw %0" ::"m"(masked) : "memory");
  }
  ~TMaskedFpu() { asm volatile("fnclex\n\tfldcw %0" ::"m"(saved_) : "memory"); }
  TMaskedFpu(const TMaskedFpu&) = delete;
  TMaskedFpu& operator=(const TMaskedFpu&) = delete;

 private:
  uint16_t saved_;
};

}  // namespace kx
