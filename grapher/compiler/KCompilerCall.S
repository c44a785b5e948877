# Compile-time evaluation: constant folding and constant calls run with every
# x87 exception masked; the caller learns which raised flags its own control
# word would have turned into an exception, so no hardware exception can fire.

        .intel_syntax noprefix
        .text

# Masks all x87 exceptions; [esp] keeps the caller's control word.
.macro MASK_ALL
        sub     esp, 4
        fnstcw  [esp]
        mov     ax, [esp]
        or      ax, 0x3F
        mov     [esp+2], ax
        fnclex
        fldcw   [esp+2]
.endm

# Leaves in EAX the raised flags that the caller's control word leaves unmasked,
# clears the flags and restores the caller's control word.
.macro UNMASKED_FLAGS_AND_RESTORE
        fnstsw  ax
        mov     dx, [esp]
        not     dx
        and     ax, dx
        and     eax, 0x3F
        fnclex
        fldcw   [esp]
        add     esp, 4
.endm

# unsigned KFoldMasked(long double* acc, const long double* value, int op)
# acc := acc op value, op 0 "+", 1 "-", 2 "*", 3 "/".
        .globl _KFoldMasked
_KFoldMasked:
        MASK_ALL
        mov     ecx, [esp+8]
        mov     edx, [esp+12]
        fld     tbyte ptr [ecx]
        fld     tbyte ptr [edx]
        mov     eax, [esp+16]
        cmp     eax, 1
        je      1f
        cmp     eax, 2
        je      2f
        cmp     eax, 3
        je      3f
        faddp   st(1), st
        jmp     4f
1:      fsubp   st(1), st
        jmp     4f
2:      fmulp   st(1), st
        jmp     4f
3:      fdivp   st(1), st
4:      fstp    tbyte ptr [ecx]
        UNMASKED_FLAGS_AND_RESTORE
        ret

# unsigned KCallMasked(TCallFrame* frame): see KCompilerEval.cpp for the layout.
        .globl _KCallMasked
_KCallMasked:
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     ebp, esp                # [ebp+20] = frame
        MASK_ALL
        mov     ebx, [ebp+20]
        mov     ecx, [ebx+8]            # argument block
        sub     esp, ecx
        and     esp, -16
        mov     esi, [ebx+4]
        mov     edi, esp
        cld
        rep movsb
        mov     ecx, [ebx+24]           # x87 arguments, first to last
        mov     esi, [ebx+28]
        test    ecx, ecx
        jz      2f
1:      fld     tbyte ptr [esi]
        add     esi, 12
        dec     ecx
        jnz     1b
2:      mov     eax, [ebx+12]
        mov     edx, [ebx+16]
        mov     ecx, [ebx+20]
        mov     ebx, [ebx]
        call    ebx
        mov     ebx, [ebp+20]
        mov     [ebx+36], eax
        mov     [ebx+40], edx
        cmp     dword ptr [ebx+32], 0
        je      3f
        fstp    tbyte ptr [ebx+44]
3:      lea     esp, [ebp-4]            # back to the saved control word
        UNMASKED_FLAGS_AND_RESTORE
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
