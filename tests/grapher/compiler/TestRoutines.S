# Routines registered by the tests to exercise ordinal arguments and results
# and arguments passed on the CPU stack.

        .intel_syntax noprefix
        .text

# twice(i32) -> i32: the argument arrives in EAX.
        .globl _TestTwice
_TestTwice:
        add     eax, eax
        ret

# mix(i32, i16, u08) -> i32 = 100*a + 10*b + c from EAX, EDX, ECX.
        .globl _TestMix
_TestMix:
        imul    eax, eax, 100
        imul    edx, edx, 10
        add     eax, edx
        add     eax, ecx
        ret

# neg64(i64) -> i64: the argument on the CPU stack; the routine releases it.
        .globl _TestNeg64
_TestNeg64:
        mov     eax, [esp + 4]
        mov     edx, [esp + 8]
        neg     eax
        adc     edx, 0
        neg     edx
        ret     8

# tofloat(i32) -> f80 from EAX.
        .globl _TestToFloat
_TestToFloat:
        push    eax
        fild    dword ptr [esp]
        pop     eax
        ret

# stsub(f80, f80) -> f80 = a - b, both on the CPU stack, first argument at the
# higher address; the routine releases them.
        .globl _TestStackSub
_TestStackSub:
        fld     tbyte ptr [esp + 16]
        fld     tbyte ptr [esp + 4]
        fsubp   st(1), st
        ret     24

# cdsub(f80, f80) -> f80 = a - b, first argument at the lower address; the
# caller releases them.
        .globl _TestStackSubC
_TestStackSubC:
        fld     tbyte ptr [esp + 4]
        fld     tbyte ptr [esp + 16]
        fsubp   st(1), st
        ret
