# Calls x87 code the way compiled code calls it (compiled formulas, built-in
# bodies) and records what it left behind: the result; the x87 registers in use
# (from the tag word); what FXAM said of ST(0) before it was popped (4100h:
# empty; this also holds where the stack-fault flag is not kept, as in the
# emulated machine); the status word, whose stack-fault flag tells that the code
# pushed a ninth value or left none to pop; whether EBX, ESI, EDI, EBP (filled
# with canaries) and ESP came back unchanged; and whether the values stacked
# below the arguments (pi, Fill of them) survived: a body that pushes more than
# it promises overflows into them. Afterwards the x87 is empty, its flags are
# clear and its control word is the one the call left.
# Layout of the record: see CallHarness.h.

        .intel_syntax noprefix
        .data
HarnessFrame:   .long 0
HarnessEsp:     .long 0

        .text
        .globl _KHarnessCall
_KHarnessCall:
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     eax, [esp+20]
        mov     [HarnessFrame], eax
        fnclex
        cmp     dword ptr [eax+32], 0
        je      1f
        fldz                            # 0/0 leaves a sticky invalid-operation flag
        fdiv    st, st(0)
        fstp    st(0)
1:      mov     ecx, [eax+64]
        test    ecx, ecx
        jz      1f
0:      fldpi
        dec     ecx
        jnz     0b
1:      mov     ecx, [eax+4]
        lea     edx, [eax+8]
        test    ecx, ecx
        jz      3f
2:      fld     tbyte ptr [edx]
        add     edx, 12
        dec     ecx
        jnz     2b
3:      mov     [HarnessEsp], esp
        mov     ebx, 0x11111111
        mov     esi, 0x22222222
        mov     edi, 0x33333333
        mov     ebp, 0x44444444
        call    dword ptr [eax]
        xor     ecx, ecx
        cmp     ebx, 0x11111111
        jne     4f
        cmp     esi, 0x22222222
        jne     4f
        cmp     edi, 0x33333333
        jne     4f
        cmp     ebp, 0x44444444
        jne     4f
        mov     ecx, 1
4:      mov     edx, [HarnessFrame]
        mov     [edx+52], ecx
        xor     ecx, ecx
        cmp     esp, [HarnessEsp]
        jne     5f
        mov     ecx, 1
5:      mov     [edx+56], ecx
        mov     esp, [HarnessEsp]
        fnstsw  ax
        movzx   eax, ax
        mov     [edx+60], eax
        fxam
        fnstsw  ax
        and     eax, 0x4500
        mov     [edx+72], eax
        sub     esp, 28                 # count the registers in use from the tag word
        fnstenv [esp]
        fldenv  [esp]
        movzx   eax, word ptr [esp+8]
        add     esp, 28
        xor     ecx, ecx
        mov     esi, 8
6:      mov     edi, eax
        and     edi, 3
        cmp     edi, 3
        je      7f
        inc     ecx
7:      shr     eax, 2
        dec     esi
        jnz     6b
        mov     [edx+48], ecx
        mov     esi, 1                  # fill kept
        test    ecx, ecx
        jz      9f
        fstp    tbyte ptr [edx+36]
8:      dec     ecx
        jz      9f
        fldpi
        fucomp  st(1)
        fnstsw  ax
        sahf
        jp      7f
        je      6f
7:      xor     esi, esi
6:      fstp    st(0)
        jmp     8b
9:      mov     [edx+68], esi
        sub     esp, 28                 # leave nothing behind for the next call
        fnstenv [esp]
        fninit
        fldcw   [esp]                   # fnstenv masked every exception
        add     esp, 28
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
