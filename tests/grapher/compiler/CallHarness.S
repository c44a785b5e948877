# Calls compiled code with canaries in the registers it must keep and reports
# what it left behind: EBX, ESI, EDI, EBP, the ESP difference and the x87 tag
# word after the result was popped (FFFFh = nothing else on the x87 stack), the
# status word, whose stack-fault flag tells that the code pushed more than
# eight values or left no result to pop, and what FXAM said of the result
# before it was popped (4100h: empty; this also holds where the stack-fault
# flag is not kept, as in the emulated machine).
#
# extern "C" void KHarnessCall(const void* code, long double* result, uint32_t* state);
# state: [0] EBX [1] ESI [2] EDI [3] EBP [4] ESP after minus before [5] tag word
#        [6] status word [7] FXAM's C3, C2 and C0 of the result

        .intel_syntax noprefix
        .data
        .balign 4
SavedEsp:
        .long 0
StatePtr:
        .long 0

        .text
        .globl _KHarnessCall
_KHarnessCall:
        push    ebp
        push    ebx
        push    esi
        push    edi
        mov     eax, [esp + 28]
        mov     [StatePtr], eax
        mov     eax, [esp + 24]
        push    eax                     # result pointer
        mov     eax, [esp + 24]         # code
        mov     [SavedEsp], esp
        mov     ebx, 0x11111111
        mov     esi, 0x22222222
        mov     edi, 0x33333333
        mov     ebp, 0x44444444
        fnclex
        call    eax
        mov     ecx, [StatePtr]
        mov     [ecx], ebx
        mov     [ecx + 4], esi
        mov     [ecx + 8], edi
        mov     [ecx + 12], ebp
        mov     eax, esp
        sub     eax, [SavedEsp]
        mov     [ecx + 16], eax
        mov     esp, [SavedEsp]
        fxam
        fnstsw  ax
        and     eax, 0x4500
        mov     [ecx + 28], eax
        pop     eax
        fstp    tbyte ptr [eax]
        sub     esp, 28
        fnstenv [esp]
        movzx   eax, word ptr [esp + 8]
        mov     [ecx + 20], eax
        movzx   eax, word ptr [esp + 4]
        mov     [ecx + 24], eax
        fninit                          # leave nothing behind for the next call
        fldcw   [esp]                   # fnstenv masked every exception
        add     esp, 28
        pop     edi
        pop     esi
        pop     ebx
        pop     ebp
        ret
