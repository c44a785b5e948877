#include "app/model/MainU_Eval.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "app/model/MainU_TNValue.h"
#include "app/model/Tcvn3Text.h"

namespace kx {

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
// The smallest magnitude that rounds to an infinite 64-bit value: half an
// ulp above the largest double. Comparing with it tests "infinite as a
// 64-bit value" without the overflow flag a conversion would raise.
constexpr long double kDoubleOverflow = 0x1.fffffffffffff8p1023L;
// x87 status flags of a failed step: invalid operation, division by zero,
// overflow, underflow (not denormal operand or inexact result).
constexpr uint16_t kStepErrorFlags = 0x01 | 0x04 | 0x08 | 0x10;

bool BadSample(long double v) { return std::isnan(v) || std::fabs(v) >= kDoubleOverflow; }

// Formula j of the record with the cells as they are; not a number when the
// record has no compiler for it.
long double Formula(const TFuncRec& record, int j) {
  const TKCompiler* compiler = j >= 1 && j <= FormulaCount(record.FuncType) ? record.Compilers[j].get() : nullptr;
  return compiler ? compiler->Calculate() : kNaN;
}

// Value and central difference in the first cell; the cell is left at x + h.
void ValueAndDerivative1(TFuncModel& model, const TFuncRec& record, int j, long double x, long double h,
                         long double& f, long double& df) {
  model.VarCells[1] = x;
  f = Formula(record, j);
  model.VarCells[1] = x - h;
  const long double fMinus = Formula(record, j);
  model.VarCells[1] = x + h;
  df = CentralDifference(f, fMinus, Formula(record, j), h);
}

// Value and both partials of a surface formula at (x, y).
void ValueAndPartials(TFuncModel& model, const TFuncRec& record, int j, long double x, long double y, long double h,
                      long double& f, TEvalPartial& partial) {
  model.VarCells[1] = x, model.VarCells[2] = y;
  f = Formula(record, j);
  model.VarCells[1] = x - h;
  const long double fx1 = Formula(record, j);
  model.VarCells[1] = x + h;
  partial.ByVar1 = CentralDifference(f, fx1, Formula(record, j), h);
  model.VarCells[1] = x, model.VarCells[2] = y - h;
  const long double fy1 = Formula(record, j);
  model.VarCells[2] = y + h;
  partial.ByVar2 = CentralDifference(f, fy1, Formula(record, j), h);
}

// Simpson's sum over n pairs with the interior samples tested; sample(t)
// evaluates at t, ends are sampled last, a first then b.
template <class Sample>
long double Simpson(int n, long double a, long double b, Sample sample) {
  const long double h = (b - a) / (2 * n);
  long double odd = 0, even = 0, t = a;
  for (int i = 1; i <= 2 * n - 1; ++i) {
    t += h;
    const long double v = sample(t);
    if (BadSample(v)) return kInfinity;
    if (i % 2)
      odd += v;
    else
      even += v;
  }
  const long double fa = sample(a);
  const long double fb = sample(b);
  return (fa + 4 * odd + 2 * even + fb) * h / 3;
}

void ClearFpuFlags() { asm volatile("fnclex" ::: "memory"); }

uint16_t FpuFlags() {
  uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status)::"memory");
  return status;
}

// Significant digits of |v| rounded to `digits`, without trailing zeros, and
// the decimal exponent of the first one.
void Decimal(long double v, int digits, std::string& mantissa, int& exponent) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Le", digits - 1, std::fabs(v));
  mantissa.clear();
  const char* p = text;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') mantissa += *p;
  exponent = *p ? std::atoi(p + 1) : 0;
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();
}

std::string Scientific(bool negative, const std::string& mantissa, int exponent) {
  std::string s = negative ? "-" : "";
  s += mantissa.substr(0, 1);
  if (mantissa.size() > 1) s += "." + mantissa.substr(1);
  return s + "E" + (exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
}

// The general form of up to 18 significant digits: fixed, unless more than
// 18 digits stand before the point or the value is below 0.0001.
std::string GeneralForm(long double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
  if (v == 0) return "0";
  std::string mantissa;
  int exponent;
  Decimal(v, 18, mantissa, exponent);
  const bool negative = v < 0;
  if (exponent >= 18 || exponent < -4) return Scientific(negative, mantissa, exponent);
  std::string s = negative ? "-" : "";
  if (exponent >= 0) {
    const size_t whole = static_cast<size_t>(exponent) + 1;
    if (mantissa.size() <= whole) return s + mantissa + std::string(whole - mantissa.size(), '0');
    return s + mantissa.substr(0, whole) + "." + mantissa.substr(whole);
  }
  return s + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
}

// Five significant digits: fixed with at most 6 decimals, or scientific when
// more than 5 digits would stand before the point.
std::string ShortForm(long double v) {
  std::string mantissa;
  int exponent;
  Decimal(v, 5, mantissa, exponent);
  if (exponent >= 5) return Scientific(v < 0, mantissa, exponent);
  const long double rounded = std::strtold(((v < 0 ? "-0." : "0.") + mantissa + "e" + std::to_string(exponent + 1)).c_str(), nullptr);
  char text[64];
  std::snprintf(text, sizeof text, "%.6Lf", rounded);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  // What rounds to zero shows as zero, whichever side it came from.
  return s == "-0" ? "0" : s;
}

}  // namespace

TFuncRec* EvalTarget(TFuncModel& model, const TEvalState& eval) {
  if (eval.EvalMode == 1 && eval.EvalFuncIdx >= 1 && eval.EvalFuncIdx <= model.Count2D)
    return &model.List2D[eval.EvalFuncIdx];
  if (eval.EvalMode == 2 && eval.EvalFuncIdx >= 1 && eval.EvalFuncIdx <= model.Count3D)
    return &model.List3D[eval.EvalFuncIdx];
  return nullptr;
}

long double CentralDifference(long double f, long double fMinus, long double fPlus, long double h) {
  return ((f - fMinus) + (fPlus - f)) / (2 * h);
}

long double SimpsonIntegral1D(int n, TFuncModel& model, const TFuncRec& record, bool data, double a, double b,
                              int formula) {
  if (data) return Simpson(n, a, b, [&](long double t) { return TNValueAt(record, t); });
  return Simpson(n, a, b, [&](long double t) {
    model.VarCells[1] = t;
    return Formula(record, formula);
  });
}

long double SimpsonIntegral2D(int n, TFuncModel& model, const TFuncRec& record, int formula, double a, double b,
                              double c, double d) {
  // SimpsonInnerY: the inner rule over the second cell at the outer x.
  auto innerY = [&](long double x) {
    model.VarCells[1] = x;
    return Simpson(n, c, d, [&](long double y) {
      model.VarCells[2] = y;
      return Formula(record, formula);
    });
  };
  return Simpson(n, a, b, innerY);
}

void EvaluateValues2D(TFuncModel& model, TEvalState& eval, long double h) {
  const TFuncRec* target = eval.EvalMode == 1 ? EvalTarget(model, eval) : nullptr;
  if (!target) return;
  const int32_t kind = target->FuncType;
  if (kind == TNKind) {
    // A record read from a hand-edited file may hold no points at all.
    if (target->TNPoints.empty()) {
      eval.EvalF[1] = kNaN, eval.EvalDF[1] = kNaN;
      return;
    }
    const long double x = eval.EvalVar1;
    const long double f = TNValueAt(*target, x);
    eval.EvalF[1] = f;
    eval.EvalDF[1] = target->DrawType == 0
                         ? kNaN
                         : CentralDifference(f, TNValueAt(*target, x - h), TNValueAt(*target, x + h), h);
    return;
  }
  if (kind < 1 || kind > 5) return;
  for (int j = 1; j <= FormulaCount(kind); ++j)
    ValueAndDerivative1(model, *target, j, eval.EvalVar1, h, eval.EvalF[j], eval.EvalDF[j]);
}

void EvaluateValues3D(TFuncModel& model, TEvalState& eval, long double h) {
  const TFuncRec* target = eval.EvalMode == 2 ? EvalTarget(model, eval) : nullptr;
  if (!target) return;
  switch (target->FuncType) {
    case 6:
      for (int j = 1; j <= 3; ++j)
        ValueAndDerivative1(model, *target, j, eval.EvalVar1, h, eval.EvalF[j], eval.EvalDF[j]);
      break;
    case 7:
      ValueAndPartials(model, *target, 1, eval.EvalVar1, eval.EvalVar2, h, eval.EvalF[1], eval.EvalPartial[1]);
      eval.EvalDF[1] = eval.EvalPartial[1].ByVar1;
      eval.EvalDF[2] = eval.EvalPartial[1].ByVar2;
      break;
    case 8:
      for (int j = 1; j <= 3; ++j) {
        ValueAndPartials(model, *target, j, eval.EvalVar1, eval.EvalVar2, h, eval.EvalF[j], eval.EvalPartial[j]);
        eval.EvalDF[j] = eval.EvalPartial[j].ByVar1 + eval.EvalPartial[j].ByVar2;
      }
      break;
    default:
      break;
  }
}

void EvaluateIntegrals2D(TFuncModel& model, TEvalState& eval, int n) {
  const TFuncRec* target = eval.EvalMode == 1 ? EvalTarget(model, eval) : nullptr;
  if (!target) return;
  const int32_t kind = target->FuncType;
  if (kind == TNKind) {
    const bool curve = !target->TNPoints.empty() && target->DrawType >= 1;
    eval.EvalInt[1] =
        curve ? SimpsonIntegral1D(n, model, *target, true, eval.IntegralFrom, eval.IntegralTo, 1) : kNaN;
    return;
  }
  if (kind < 1 || kind > 5) return;
  for (int j = 1; j <= FormulaCount(kind); ++j)
    eval.EvalInt[j] = SimpsonIntegral1D(n, model, *target, false, eval.IntegralFrom, eval.IntegralTo, j);
}

void EvaluateIntegrals3D(TFuncModel& model, TEvalState& eval, int n) {
  const TFuncRec* target = eval.EvalMode == 2 ? EvalTarget(model, eval) : nullptr;
  if (!target) return;
  const int32_t kind = target->FuncType;
  for (int j = 1; j <= FormulaCount(kind); ++j) {
    if (kind == 6)
      eval.EvalInt[j] = SimpsonIntegral1D(n, model, *target, false, eval.IntegralFrom, eval.IntegralTo, j);
    else if (kind == 7 || kind == 8)
      eval.EvalInt[j] = SimpsonIntegral2D(n, model, *target, j, eval.IntegralFrom, eval.IntegralTo,
                                          eval.IntegralFrom2, eval.IntegralTo2);
  }
}

bool EvaluateStep(TFuncModel& model, TEvalState& eval, bool full) {
  const long double h = eval.SearchRunning ? SearchEvalStep : EvalStep;
  ClearFpuFlags();
  if (eval.EvalMode == 1) {
    EvaluateValues2D(model, eval, h);
    if (full) EvaluateIntegrals2D(model, eval, Simpson2DPairs);
  } else if (eval.EvalMode == 2) {
    EvaluateValues3D(model, eval, h);
    if (full) EvaluateIntegrals3D(model, eval, Simpson3DPairs);
  }
  const bool failed = (FpuFlags() & kStepErrorFlags) != 0;
  ClearFpuFlags();
  return !failed;
}

std::string FormatEvalValue(long double value) {
  const std::string s = GeneralForm(value);
  if (s == "INF") return Tcvn3Text("Vô cùng");
  if (s == "NAN") return Tcvn3Text("Không xác định");
  if (s == "-INF") return s;
  const size_t point = s.find('.');
  const size_t fraction = point == std::string::npos ? s.size() : s.size() - point - 1;
  if (s.find("E-") != std::string::npos || fraction >= 10) return ShortForm(value);
  return s;
}

}  // namespace kx
