# Built-in x87 routines called by compiled formulas.
#
# Contract: near call, arguments on the x87 stack (first argument loaded first,
# so with two arguments the first is ST(1)), no CPU-stack arguments, result in
# ST(0) with the arguments popped.  EAX, ECX and EDX may change; EBX, ESI, EDI
# and EBP are kept.  Scratch slots live on the CPU stack, so the routines are
# reentrant.

        .intel_syntax noprefix
        .section .rdata,"dr"
        .balign 8
MaxIntExponent:                 # largest |y| that power hands to the integer path
        .double 2147483647.0
Half:
        .float 0.5
        # Truncation: round toward zero, 64-bit mantissa, every exception masked,
        # so a sticky flag of an earlier masked event cannot fire here.
TruncControl:
        .word 0x1F3F

        .text

# ST(0) rounded toward zero; the caller's control word is restored.
.macro TRUNCATE
        sub     esp, 4
        fnstcw  [esp]
        fldcw   word ptr [TruncControl]
        frndint
        fldcw   [esp]
        add     esp, 4
.endm

# FpuTrunc: x -> x rounded toward zero.
        .globl _FpuTrunc
_FpuTrunc:
        TRUNCATE
        ret

# FpuFrac: x -> x minus its truncation (same sign as x).
        .globl _FpuFrac
_FpuFrac:
        fld     st(0)
        TRUNCATE
        fsubp   st(1), st
        ret

# FpuExp: x -> e^x; e^+inf = +inf and e^-inf = 0.
        .globl _FpuExp
_FpuExp:
        fxam
        fnstsw  ax
        mov     dl, ah
        and     dl, 0x45                # C3 C2 C0 = 0 1 1: infinity
        cmp     dl, 0x05
        je      1f
        fldl2e
        fmulp   st(1), st               # t = x * log2(e)
        fld     st(0)
        frndint                         # n
        fsub    st(1), st               # n, f = t - n
        fxch
        f2xm1
        fld1
        faddp   st(1), st               # 2^f, n
        fscale
        fstp    st(1)
        ret
1:      test    ah, 0x02                # C1: sign
        jz      2f
        fstp    st(0)
        fldz
2:      ret

# FpuArcSin: x -> atan(x / sqrt(1 - x*x)).
        .globl _FpuArcSin
_FpuArcSin:
        fld     st(0)
        fmul    st, st(0)
        fld1
        fsubrp  st(1), st               # 1 - x*x
        fsqrt
        fpatan
        ret

# FpuArcCos: x -> atan2(sqrt(1 - x*x), x), in [0, pi].
        .globl _FpuArcCos
_FpuArcCos:
        fld     st(0)
        fmul    st, st(0)
        fld1
        fsubrp  st(1), st
        fsqrt
        fxch
        fpatan
        ret

# FpuMin: keeps the smaller; on an unordered compare ST(0), the second argument.
        .globl _FpuMin
_FpuMin:
        fcom    st(1)
        fnstsw  ax
        sahf
        ja      1f
        fstp    st(1)
        ret
1:      fstp    st(0)
        ret

# FpuMax: keeps the larger; on an unordered compare ST(1), the first argument.
        .globl _FpuMax
_FpuMax:
        fcom    st(1)
        fnstsw  ax
        sahf
        jb      1f
        fstp    st(1)
        ret
1:      fstp    st(0)
        ret

# FpuLogN: b in ST(1), x in ST(0) -> log2(x) / log2(b).
        .globl _FpuLogN
_FpuLogN:
        fld1
        fxch
        fyl2x
        fxch
        fld1
        fxch
        fyl2x
        fdivp   st(1), st
        ret

# FpuPower: x in ST(1), y in ST(0) -> x to the power y.
        .globl _FpuPower
_FpuPower:
        ftst                            # y > 0 and x = 0: the result is x
        fnstsw  ax
        sahf
        jp      1f
        jbe     1f
        fxch
        ftst
        fnstsw  ax
        fxch
        sahf
        jp      1f
        jne     1f
        fstp    st(0)
        ret
1:      fld     st(0)                   # integral y?
        frndint
        fcomp   st(1)
        fnstsw  ax
        sahf
        jp      3f
        jne     3f
        fld     st(0)
        fabs
        fcomp   qword ptr [MaxIntExponent]
        fnstsw  ax
        sahf
        ja      4f
        sub     esp, 4                  # small integral y: repeated squaring
        fistp   dword ptr [esp]
        pop     eax
        jmp     _FpuIntPower
3:      fxch                            # e^(y ln x); NaN for a negative x
5:      fldln2
        fxch
        fyl2x
        fmulp   st(1), st
        jmp     _FpuExp
4:      fxch                            # large integral y: through |x|
        fxam                            # a negative x, -0 included (C1: sign)
        fnstsw  ax
        test    ah, 0x02
        jz      5b
        fabs
        fldln2
        fxch
        fyl2x                           # ln|x|, y
        fld     st(1)
        fmul    dword ptr [Half]
        fld     st(0)
        frndint
        fcompp                          # y/2 integral: even exponent
        fnstsw  ax
        fmulp   st(1), st
        sahf
        je      _FpuExp
        call    _FpuExp                 # odd exponent: the sign of x
        fchs
        ret

# FpuIntPower: x in ST(0), n in EAX -> x^n by repeated squaring.
        .globl _FpuIntPower
_FpuIntPower:
        fld1                            # acc, x
        mov     ecx, eax
        test    ecx, ecx
        jz      3f
        jns     1f
        neg     ecx
1:      shr     ecx, 1
        jnc     2f
        fmul    st, st(1)               # acc *= x
        test    ecx, ecx
        jz      3f
2:      fxch
        fmul    st, st(0)               # x *= x
        fxch
        jmp     1b
3:      fstp    st(1)
        test    eax, eax
        jns     4f
        fld1
        fdivrp  st(1), st               # 1 / acc
4:      ret

# KProbeFCMOV: 1 when CPUID exists and reports both FPU and CMOV.
        .globl _KProbeFCMOV
_KProbeFCMOV:
        push    ebx
        pushfd
        pop     eax
        mov     ecx, eax
        xor     eax, 0x200000           # toggle the ID flag
        push    eax
        popfd
        pushfd
        pop     eax
        push    ecx
        popfd
        xor     eax, ecx
        test    eax, 0x200000
        jz      1f
        mov     eax, 1
        cpuid
        and     edx, 0x8001
        cmp     edx, 0x8001
        sete    al
        movzx   eax, al
        pop     ebx
        ret
1:      xor     eax, eax
        pop     ebx
        ret
