#include "compiler/KLib.h"

#include <cstring>
#include <limits>

namespace kx {

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

bool Inline(TCtrlBlck* compiler, const std::string& name, const char* signature, int extraRegs, const TAByte& code,
            bool foldable = true) {
  return Register(compiler, name, signature, extraRegs, nullptr, code, foldable);
}

bool Routine(TCtrlBlck* compiler, const std::string& name, const char* signature, int extraRegs, void (*routine)()) {
  return Register(compiler, name, signature, extraRegs, routine, {});
}

// fld tbyte [OutOfRangeResult]
TAByte LoadOutOfRangeResult() {
  TAByte code = {0xDB, 0x2D, 0, 0, 0, 0};
  const auto address = reinterpret_cast<uintptr_t>(&OutOfRangeResult);
  std::memcpy(&code[2], &address, 4);
  return code;
}

TAByte Concat(std::initializer_list<TAByte> parts) {
  TAByte code;
  for (const TAByte& part : parts) code.insert(code.end(), part.begin(), part.end());
  return code;
}

// fsin or fcos (D9 opcode), checked for an argument beyond its reach (C2 set):
// fnstsw ax; test ah, 4; jz done; fstp st(0); fld [NaN]; done:
TAByte CheckedTrig(uint8_t opcode) {
  return Concat({{0xD9, opcode, 0xDF, 0xE0, 0xF6, 0xC4, 0x04, 0x74, 0x08, 0xDD, 0xD8}, LoadOutOfRangeResult()});
}

}  // namespace

bool AddMin(TCtrlBlck* compiler, const std::string& name) {
  if (HasFCMOV)  // fcomi st,st(1); fcmovnbe st,st(1); fstp st(1)
    return Inline(compiler, name, TwoArgs, 0, {0xDB, 0xF1, 0xDB, 0xD1, 0xDD, 0xD9});
  return Routine(compiler, name, TwoArgs, 0, FpuMin);
}

bool AddMax(TCtrlBlck* compiler, const std::string& name) {
  if (HasFCMOV)  // fcomi st,st(1); fcmovb st,st(1); fstp st(1)
    return Inline(compiler, name, TwoArgs, 0, {0xDB, 0xF1, 0xDA, 0xC1, 0xDD, 0xD9});
  return Routine(compiler, name, TwoArgs, 0, FpuMax);
}

bool AddSin(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, CheckedTrig(0xFE));
}

bool AddCos(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, CheckedTrig(0xFF));
}

bool AddExp(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuExp); }

bool AddSqr(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, {0xD8, 0xC8});  // fmul st,st(0)
}

bool AddSqrt(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, {0xD9, 0xFA});  // fsqrt
}

bool AddLn(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF1});  // fldln2; fxch; fyl2x
}

bool AddAbs(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, {0xD9, 0xE1});  // fabs
}

bool AddTan(TCtrlBlck* compiler, const std::string& name) {
  // fptan; fnstsw ax; fstp st(0) (the 1.0, or x when out of range); test ah, 4; jz done; fld [NaN]
  return Inline(compiler, name, OneArg, 1,
                Concat({{0xD9, 0xF2, 0xDF, 0xE0, 0xDD, 0xD8, 0xF6, 0xC4, 0x04, 0x74, 0x06}, LoadOutOfRangeResult()}));
}

bool AddCotan(TCtrlBlck* compiler, const std::string& name) {
  // fsincos; fnstsw ax; test ah, 4; jz ok; fstp st(0); fld [NaN]; jmp done; ok: fdivrp st(1),st
  return Inline(compiler, name, OneArg, 1,
                Concat({{0xD9, 0xFB, 0xDF, 0xE0, 0xF6, 0xC4, 0x04, 0x74, 0x0A, 0xDD, 0xD8},
                        LoadOutOfRangeResult(),
                        {0xEB, 0x02, 0xDE, 0xF1}}));
}

bool AddArcSin(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuArcSin); }

bool AddArcCos(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 2, FpuArcCos); }

bool AddArcTan(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {0xD9, 0xE8, 0xD9, 0xF3});  // fld1; fpatan
}

bool AddArcCotan(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {0xD9, 0xE8, 0xD9, 0xC9, 0xD9, 0xF3});  // fld1; fxch; fpatan
}

bool AddPower(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, TwoArgs, 2, FpuPower); }

bool AddTrunc(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 0, FpuTrunc); }

bool AddFrac(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, OneArg, 1, FpuFrac); }

bool AddRound(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 0, {0xD9, 0xFC});  // frndint
}

bool AddLog10(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {0xD9, 0xEC, 0xD9, 0xC9, 0xD9, 0xF1});  // fldlg2; fxch; fyl2x
}

bool AddLog2(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, OneArg, 1, {0xD9, 0xE8, 0xD9, 0xC9, 0xD9, 0xF1});  // fld1; fxch; fyl2x
}

bool AddLogN(TCtrlBlck* compiler, const std::string& name) { return Routine(compiler, name, TwoArgs, 1, FpuLogN); }

bool AddPi(TCtrlBlck* compiler, const std::string& name) {
  return Inline(compiler, name, "", 0, {0xD9, 0xEB}, false);  // fldpi
}

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
