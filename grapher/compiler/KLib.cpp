#include "compiler/KLib.h"

#include <limits>

#include "compiler/X87Encoder.h"

namespace kx {

using namespace x86;

bool HasFCMOV = KProbeFCMOV() != 0;

namespace {

const char* const OneArg = "vf80";
const char* const TwoArgs = "vf80vf80";

// What sin, cos, tan and cotan give when the argument is beyond the reach of
// the x87 instruction (|x| >= 2^63, C2 set): the instruction would leave x as is.
const long double OutOfRangeResult = std::numeric_limits<long double>::quiet_NaN();

bool Register(TCtrlBlck* compiler, const std::string& name, const char* signature, int extraRegs, void (*routine)(),
              const TAByte& code, bool foldable = true) {
  if (compiler == nullptr) return false;
  return compiler->AddFunction(name, signature, 4, tcF80, extraRegs, reinterpret_cast<void*>(routine), foldable,
                               code) != 0;
}

bool Inline(TCtrlBlck* compiler, const std::string& name, const char* signature, int extraRegs, const TCode& code,
            bool foldable = true) {
  return Register(compiler, name, signature, extraRegs, nullptr, code.Bytes(), foldable);
}

bool Routine(TCtrlBlck* compiler, const std::string& name, const char* signature, int extraRegs, void (*routine)()) {
  return Register(compiler, name, signature, extraRegs, routine, {});
}

TCode LoadOutOfRangeResult() {
  return TCode{FldTbyte(Abs32())}.Imm32(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&OutOfRangeResult)));
}

// After fnstsw ax: runs outOfRange when the x87 instruction found its argument
// beyond its reach (C2 set, bit 2 of AH). test ah, 4; jz past; outOfRange; past:
TCode OnOutOfRange(const TCode& outOfRange) {
  constexpr uint8_t C2 = 4;
  return TCode{TestAhImm8()}.Imm8(C2)(Jz8()).Imm8(static_cast<uint8_t>(outOfRange.Size()))(outOfRange);
}

// fsin or fcos, giving NaN for an argument beyond its reach.
TCode CheckedTrig(const TOp& trig) {
  return TCode{trig, FnstswAx()}(OnOutOfRange(TCode{FstpSt(0)}(LoadOutOfRangeResult())));
}

}  // namespace

bool AddMin(TCtrlBlck* compiler, const std::string& name) {
  if (HasFCMOV) return Inline(compiler, name, TwoArgs, 0, {Fcomi(1), Fcmovnbe(1), FstpSt(1)});
  return Routine(compiler, name, TwoArgs, 0, FpuMin);
}

bool AddMax(TCtrlBlck* compiler, const std::string& name) {
  if (HasFCMOV) return Inline(compiler, name, TwoArgs, 0, {Fcomi(1), Fcmovb(1), FstpSt(1)});
  return Routine(compiler, name, TwoArgs, 0, FpuMax);
}

bool AddSin(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, CheckedTrig(Fsin()));
}

bool AddCos(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, CheckedTrig(Fcos()));
}

bool AddExp(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuExp); }

bool AddSqr(TCtrlBlck* compiler, const std::string& name) { return Inline(compiler, name, OneArg, 0, {FmulSt(0)}); }

bool AddSqrt(TCtrlBlck* compiler, const std::string& name) { return Inline(compiler, name, OneArg, 0, {Fsqrt()}); }

bool AddLn(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {Fldln2(), Fxch(1), Fyl2x()});
}

bool AddAbs(TCtrlBlck* compiler, const std::string& name) { return Inline(compiler, name, OneArg, 0, {Fabs()}); }

bool AddTan(TCtrlBlck* compiler, const std::string& name) {
  // fptan pushes 1.0 over tan x, or leaves x as it is when out of range; the top goes either way.
  return Inline(compiler, name, OneArg, 1, TCode{Fptan(), FnstswAx(), FstpSt(0)}(OnOutOfRange(LoadOutOfRangeResult())));
}

bool AddCotan(TCtrlBlck* compiler, const std::string& name) {
  // cos x / sin x; out of range, fsincos leaves x as it is, which gives way to NaN.
  const TOp divide = Fdivrp(1);
  const TCode outOfRange = TCode{FstpSt(0)}(LoadOutOfRangeResult())(Jmp8()).Imm8(divide.Size);
  return Inline(compiler, name, OneArg, 1, TCode{Fsincos(), FnstswAx()}(OnOutOfRange(outOfRange))(divide));
}

bool AddArcSin(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuArcSin); }

bool AddArcCos(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuArcCos); }

bool AddArcTan(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {Fld1(), Fpatan()});
}

bool AddArcCotan(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {Fld1(), Fxch(1), Fpatan()});
}

bool AddPower(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, TwoArgs, 2, FpuPower); }

bool AddTrunc(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 0, FpuTrunc); }

bool AddFrac(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 1, FpuFrac); }

bool AddRound(TCtrlBlck* compiler, const std::string& name) { return Inline(compiler, name, OneArg, 0, {Frndint()}); }

bool AddLog10(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {Fldlg2(), Fxch(1), Fyl2x()});
}

bool AddLog2(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {Fld1(), Fxch(1), Fyl2x()});
}

bool AddLogN(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, TwoArgs, 1, FpuLogN); }

bool AddPi(TCtrlBlck* compiler, const std::string& name) { return Inline(compiler, name, "", 0, {Fldpi()}, false); }

bool AddGrapherBuiltins(TCtrlBlck* compiler) {
  static const struct {
    const char* Name;
    bool (*Add)(TCtrlBlck*, const std::string&);
  } Builtins[] = {
      {"min", AddMin},       {"max", AddMax},       {"sin", AddSin},           {"cos", AddCos},
      {"exp", AddExp},       {"sqr", AddSqr},       {"sqrt", AddSqrt},         {"ln", AddLn},
      {"abs", AddAbs},       {"tan", AddTan},       {"cotan", AddCotan},       {"arcsin", AddArcSin},
      {"arccos", AddArcCos}, {"arctan", AddArcTan}, {"arccotan", AddArcCotan}, {"power", AddPower},
      {"Int", AddTrunc},     {"Trunc", AddTrunc},   {"Floor", AddTrunc},       {"Frac", AddFrac},
      {"Round", AddRound},   {"Log10", AddLog10},   {"Log2", AddLog2},         {"LogN", AddLogN},
      {"Pi", AddPi},
  };
  bool all = true;
  for (const auto& builtin : Builtins) all = builtin.Add(compiler, builtin.Name) && all;
  return all;
}

}  // namespace kx
