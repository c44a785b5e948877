# The instructions of X87EncoderTest.cpp as the assembler encodes them, in the
# same order, each after a byte that gives its length. The list ends with a 0.
# Where two encodings exist, {load} asks for the one the encoder gives.

        .intel_syntax noprefix

.macro REF insn:vararg
        .byte 2f - 1f
1:      \insn
2:
.endm

        .section .rdata,"dr"
        .globl _KEncoderReference
_KEncoderReference:
        REF fld dword ptr ds:0x12345678
        REF fld qword ptr [esp]
        REF fld tbyte ptr [esp+0x12]
        REF fld tbyte ptr [esp+0x12345678]
        REF fstp dword ptr [esp+0x12]
        REF fstp qword ptr [esp+0x12345678]
        REF fstp tbyte ptr ds:0x12345678
        REF fild word ptr [esp]
        REF fild dword ptr ds:0x12345678
        REF fild qword ptr [esp+0x12345678]
        REF fadd dword ptr ds:0x12345678
        REF fsub qword ptr [esp]
        REF fisubr word ptr [esp+0x12345678]
        REF fimul dword ptr ds:0x12345678
        REF fdiv dword ptr [esp]
        REF fdivr qword ptr ds:0x12345678
        REF faddp st(3), st
        REF fsubp st(1), st
        REF fsubrp st(2), st
        REF fmulp st(1), st
        REF fdivp st(4), st
        REF fdivrp st(1), st
        REF fmul st, st(0)
        REF fld st(5)
        REF fxch st(1)
        REF fstp st(0)
        REF fcomi st, st(1)
        REF fcmovb st, st(1)
        REF fcmovnbe st, st(1)
        REF fchs
        REF fabs
        REF fld1
        REF fldpi
        REF fldlg2
        REF fldln2
        REF fyl2x
        REF fptan
        REF fpatan
        REF fsqrt
        REF fsincos
        REF frndint
        REF fsin
        REF fcos
        REF fnstsw ax
        REF mov edx, 0x12345678
        REF mov ecx, dword ptr ds:0x12345678
        REF mov eax, [esp]
        REF mov edx, [esp+0x12345678]
        REF mov [esp+0x12], edx
        REF mov [esp], ebx
        REF {load} mov ebp, esp
        REF {load} mov edx, eax
        REF mov dword ptr [esp+0x12], 0x12345678
        REF movsx eax, byte ptr ds:0x12345678
        REF movzx eax, al
        REF movsx eax, ax
        REF movzx ecx, word ptr ds:0x12345678
        REF xor edx, edx
        REF neg eax
        REF neg edx
        REF add esp, 4
        REF adc edx, 0
        REF sub esp, 0x12
        REF add esp, 0x12345678
        REF sub esp, 0x12345678
        REF and esp, 0x12345678
        REF test ah, 4
        REF cdq
        REF push ebp
        REF pop ebp
        REF jz .+10
        REF jmp .+4
        REF call .+0x105
        REF ret
        .byte 0
