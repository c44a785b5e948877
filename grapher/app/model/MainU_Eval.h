// The evaluation panel's numbers without a window: values, derivatives and
// integrals of the target at the evaluation point, the number forms the
// panel reads and writes, and the floating-point check of one step.
#pragma once

#include <string>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_Funcs.h"

namespace kx {

// The derivative step, and the finer one a search uses.
constexpr long double EvalStep = 1e-6L;
constexpr long double SearchEvalStep = 1e-12L;
// Pairs of subintervals of the plane and the space integrals.
constexpr int Simpson2DPairs = 100;
constexpr int Simpson3DPairs = 50;

// The target of the state: its record, or nullptr when EvalMode and
// EvalFuncIdx name no entry.
TFuncRec* EvalTarget(TFuncModel& model, const TEvalState& eval);

// The derivative from the value F at the point and the values f- and f+ with
// the variable lowered and raised by h: ((F - f-) + (f+ - F)) / (2h).
long double CentralDifference(long double f, long double fMinus, long double fPlus, long double h);

// Simpson's rule with n pairs of subintervals over [a, b] (a > b allowed).
// The interior samples go by repeated addition of h; an interior sample that
// is infinite as a 64-bit value or not a number gives +infinity at once; the
// end samples, taken last, are not tested. A data record is sampled through
// TNValueAt, a formula through its compiler with the first cell set.
long double SimpsonIntegral1D(int n, TFuncModel& model, const TFuncRec& record, bool data, double a, double b,
                              int formula);
// The rule nested: outer over the first cell from a to b, inner over the
// second from c to d; (2n + 1)^2 evaluations.
long double SimpsonIntegral2D(int n, TFuncModel& model, const TFuncRec& record, int formula, double a, double b,
                              double c, double d);

// Values and derivatives of the target at (EvalVar1, EvalVar2) with step h.
void EvaluateValues2D(TFuncModel& model, TEvalState& eval, long double h);
void EvaluateValues3D(TFuncModel& model, TEvalState& eval, long double h);
// Integrals of the target over the state's limits.
void EvaluateIntegrals2D(TFuncModel& model, TEvalState& eval, int n);
void EvaluateIntegrals3D(TFuncModel& model, TEvalState& eval, int n);

// One evaluation step of the target: values (and, when full, integrals) with
// the step the state asks for. Every x87 exception is masked in this
// process, so a division by zero, overflow, underflow or invalid operation
// comes back as a flag of the status word, not as a trap: the flags are
// cleared before the step and read after it. False when one was raised.
bool EvaluateStep(TFuncModel& model, TEvalState& eval, bool full);

// The text of a result: "Vô cùng" for +infinity, "Không xác định" for
// not-a-number (TCVN3), "-INF" as it stands; up to 18 significant digits,
// and long forms or tiny values cut to 5 significant digits.
std::string FormatEvalValue(long double value);

}  // namespace kx
