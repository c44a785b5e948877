// Built-in mathematical functions of the formula compiler.
//
// Each Add* operation enters one built-in into a compiler's function table under
// the caller's name: 80-bit float arguments and result on the x87 stack
// (calling convention 4). False for a null compiler or a refused name.
#pragma once

#include <string>

#include "compiler/KCompilerBase.h"

namespace kx {

// Set once at start-up from CPUID; tests may override it before registering.
extern bool HasFCMOV;

bool AddMin(TCtrlBlck* compiler, const std::string& name);
bool AddMax(TCtrlBlck* compiler, const std::string& name);
bool AddSin(TCtrlBlck* compiler, const std::string& name);
bool AddCos(TCtrlBlck* compiler, const std::string& name);
bool AddExp(TCtrlBlck* compiler, const std::string& name);
bool AddSqr(TCtrlBlck* compiler, const std::string& name);
bool AddSqrt(TCtrlBlck* compiler, const std::string& name);
bool AddLn(TCtrlBlck* compiler, const std::string& name);
bool AddAbs(TCtrlBlck* compiler, const std::string& name);
bool AddTan(TCtrlBlck* compiler, const std::string& name);
bool AddCotan(TCtrlBlck* compiler, const std::string& name);
bool AddArcSin(TCtrlBlck* compiler, const std::string& name);
bool AddArcCos(TCtrlBlck* compiler, const std::string& name);
bool AddArcTan(TCtrlBlck* compiler, const std::string& name);
bool AddArcCotan(TCtrlBlck* compiler, const std::string& name);
bool AddPower(TCtrlBlck* compiler, const std::string& name);
bool AddTrunc(TCtrlBlck* compiler, const std::string& name);
bool AddFrac(TCtrlBlck* compiler, const std::string& name);
bool AddRound(TCtrlBlck* compiler, const std::string& name);
bool AddLog10(TCtrlBlck* compiler, const std::string& name);
bool AddLog2(TCtrlBlck* compiler, const std::string& name);
bool AddLogN(TCtrlBlck* compiler, const std::string& name);
bool AddPi(TCtrlBlck* compiler, const std::string& name);

// Registers the grapher's 25 built-in names in the grapher's order: "min",
// "max", "sin", "cos", "exp", "sqr", "sqrt", "ln", "abs", "tan", "cotan",
// "arcsin", "arccos", "arctan", "arccotan", "power", "Int", "Trunc", "Floor"
// (all three truncate toward zero), "Frac", "Round", "Log10", "Log2", "LogN",
// "Pi". True when every one of them was entered; false for a null compiler.
bool AddGrapherBuiltins(TCtrlBlck* compiler);

// The routines (KLib.S); compiled code calls them, tests call them directly.
extern "C" {
void FpuMin();
void FpuMax();
void FpuExp();
void FpuArcSin();
void FpuArcCos();
void FpuPower();
void FpuIntPower();
void FpuTrunc();
void FpuFrac();
void FpuLogN();
int KProbeFCMOV();
}

}  // namespace kx
