// The encoder gives the bytes the assembler gives for the same instructions.
#include <gtest/gtest.h>

#include <vector>

#include "CodeGenSupport.h"
#include "compiler/X87Encoder.h"

using namespace kx;
using namespace kx::x86;

extern "C" const uint8_t KEncoderReference[];

namespace {

constexpr uint32_t A = 0x12345678;  // an address, displacement or immediate of 32 bits
constexpr uint8_t D = 0x12;         // a displacement of 8 bits

TEST(X87Encoder, MatchesTheAssembler) {
  const TCode encoded[] = {
      TCode()(FldDword(Abs32())).Imm32(A),
      TCode()(FldQword(AtEsp())),
      TCode()(FldTbyte(AtEspD8())).Imm8(D),
      TCode()(FldTbyte(AtEspD32())).Imm32(A),
      TCode()(FstpDword(AtEspD8())).Imm8(D),
      TCode()(FstpQword(AtEspD32())).Imm32(A),
      TCode()(FstpTbyte(Abs32())).Imm32(A),
      TCode()(FildWord(AtEsp())),
      TCode()(FildDword(Abs32())).Imm32(A),
      TCode()(FildQword(AtEspD32())).Imm32(A),
      TCode()(FArith(faAdd, fsFloat32, Abs32())).Imm32(A),
      TCode()(FArith(faSub, fsFloat64, AtEsp())),
      TCode()(FArith(faSubR, fsInt16, AtEspD32())).Imm32(A),
      TCode()(FArith(faMul, fsInt32, Abs32())).Imm32(A),
      TCode()(FArith(faDiv, fsFloat32, AtEsp())),
      TCode()(FArith(faDivR, fsFloat64, Abs32())).Imm32(A),
      TCode()(FArithP(faAdd, 3)),
      TCode()(FArithP(faSub, 1)),
      TCode()(FArithP(faSubR, 2)),
      TCode()(FArithP(faMul, 1)),
      TCode()(FArithP(faDiv, 4)),
      TCode()(Fdivrp(1)),
      TCode()(FmulSt(0)),
      TCode()(FldSt(5)),
      TCode()(Fxch(1)),
      TCode()(FstpSt(0)),
      TCode()(Fcomi(1)),
      TCode()(Fcmovb(1)),
      TCode()(Fcmovnbe(1)),
      TCode()(Fchs()),
      TCode()(Fabs()),
      TCode()(Fld1()),
      TCode()(Fldpi()),
      TCode()(Fldlg2()),
      TCode()(Fldln2()),
      TCode()(Fyl2x()),
      TCode()(Fptan()),
      TCode()(Fpatan()),
      TCode()(Fsqrt()),
      TCode()(Fsincos()),
      TCode()(Frndint()),
      TCode()(Fsin()),
      TCode()(Fcos()),
      TCode()(FnstswAx()),
      TCode()(MovImm32(Edx)).Imm32(A),
      TCode()(Mov(Ecx, Abs32())).Imm32(A),
      TCode()(Mov(Eax, AtEsp())),
      TCode()(Mov(Edx, AtEspD32())).Imm32(A),
      TCode()(Mov(AtEspD8(), Edx)).Imm8(D),
      TCode()(Mov(AtEsp(), Ebx)),
      TCode()(Mov(Ebp, InReg(Esp))),
      TCode()(Mov(Edx, InReg(Eax))),
      TCode()(MovImm32(AtEspD8())).Imm8(D).Imm32(A),
      TCode()(Movsx8(Eax, Abs32())).Imm32(A),
      TCode()(Movzx8(Eax, InReg(Eax))),
      TCode()(Movsx16(Eax, InReg(Eax))),
      TCode()(Movzx16(Ecx, Abs32())).Imm32(A),
      TCode()(Xor(Edx, Edx)),
      TCode()(Neg(Eax)),
      TCode()(Neg(Edx)),
      TCode()(AddImm8(Esp)).Imm8(4),
      TCode()(AdcImm8(Edx)).Imm8(0),
      TCode()(SubImm8(Esp)).Imm8(D),
      TCode()(AddImm32(Esp)).Imm32(A),
      TCode()(SubImm32(Esp)).Imm32(A),
      TCode()(AndImm32(Esp)).Imm32(A),
      TCode()(TestAhImm8()).Imm8(4),
      TCode()(Cdq()),
      TCode()(Push(Ebp)),
      TCode()(Pop(Ebp)),
      TCode()(Jz8()).Imm8(8),
      TCode()(Jmp8()).Imm8(2),
      TCode()(CallRel32()).Imm32(0x100),
      TCode()(Ret()),
  };
  const uint8_t* ref = KEncoderReference;
  size_t i = 0;
  for (; *ref != 0 && i < std::size(encoded); ++i) {
    const std::vector<uint8_t> assembled(ref + 1, ref + 1 + *ref);
    EXPECT_EQ(Hex(encoded[i].Bytes()), Hex(assembled)) << "instruction " << i;
    ref += 1 + *ref;
  }
  EXPECT_EQ(i, std::size(encoded));
  EXPECT_EQ(*ref, 0) << "more reference instructions than encoded ones";
}

}  // namespace
