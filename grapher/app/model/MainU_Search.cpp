#include "app/model/MainU_Search.h"

#include <cmath>
#include <utility>

#include "app/model/MainU_Eval.h"

namespace kx {

namespace {

constexpr long double ScanStep = 0.1L;
constexpr int MaxSteps = 10000;
constexpr long double FlatDerivative = 1e-16L;
constexpr long double RootStepEnd = 1e-9L, RootValueEnd = 1e-7L;
constexpr long double ExtremumStart = 0.2L, ExtremumStepEnd = 1e-9L;
constexpr double FlatGradient = 1e-7;

int Sign(long double v) {
  const double d = static_cast<double>(v);
  if (d == 0) return 0;
  return std::signbit(d) ? -1 : 1;
}

}  // namespace

bool OppositeSigns(long double a, long double b) { return Sign(a) * Sign(b) <= 0; }

bool StopSearchInstead(TEvalState& eval) {
  if (!eval.SearchRunning) return false;
  eval.StopSearch = true;
  return true;
}

const TFuncRec* TSearch::Prepare(TRange& first, TRange& second) const {
  const TFuncRec* target = EvalTarget(model_, eval_);
  if (!target) return nullptr;
  if (target->FuncType == TNKind) {
    if (target->TNPoints.empty()) return nullptr;
    first = {target->TNPoints.front().X, target->TNPoints.back().X};
  } else {
    first = {target->First1, target->Last1};
    second = {target->First2, target->Last2};
  }
  if (first.Lo > first.Hi) std::swap(first.Lo, first.Hi);
  if (second.Lo > second.Hi) std::swap(second.Lo, second.Hi);
  return target;
}

void TSearch::Finish(const char* message) {
  host_.SetHourglass(false);
  host_.Evaluate(true);
  if (message) {
    host_.ShowSearchMessage(message);
    eval_.SearchRunning = false;
    host_.SearchEnded();
    return;
  }
  // After the display, whose input edits clear the mark as they change.
  eval_.SearchHit = true;
  eval_.SearchRunning = false;
  host_.RepaintView();
  host_.RepaintView();
  host_.SearchEnded();
}

void TSearch::FindRoot() {
  TRange range, unused;
  const TFuncRec* target = Prepare(range, unused);
  if (!target || target->FuncType == 7 || target->FuncType == 8) return;
  const int k = eval_.SearchComponent;
  if (k < 1 || k > 3) return;
  eval_.SearchRunning = true;
  host_.SetHourglass(true);
  host_.Evaluate(true);
  if (std::fabs(eval_.EvalDF[k]) <= FlatDerivative) {
    eval_.EvalVar1 += ScanStep;
    host_.Evaluate(false);
  }
  const long double f0 = eval_.EvalF[k], d0 = eval_.EvalDF[k];
  // Toward falling |f|.
  long double s = OppositeSigns(f0, d0) ? ScanStep : -ScanStep;

  int steps = 0;
  bool good, outside, crossed, turned;
  long double f;
  do {
    ++steps;
    host_.RepaintView();
    eval_.EvalVar1 += s;
    outside = !range.Holds(eval_.EvalVar1);
    good = host_.Evaluate(false);
    f = eval_.EvalF[k];
    crossed = OppositeSigns(f, f0);
    turned = OppositeSigns(d0, eval_.EvalDF[k]);
  } while (!crossed && !turned && !outside && good && steps <= MaxSteps);

  if (!good) return Finish(RootOverflowText);
  if (outside) return Finish(RootOutOfRangeText);
  if (steps > MaxSteps) return Finish(TooManyStepsText);
  if (!crossed) return Finish(NoRootText);

  long double previous = f;
  do {
    host_.RepaintView();
    s /= 2;
    eval_.EvalVar1 -= s;
    host_.Evaluate(false);
    f = eval_.EvalF[k];
    if (OppositeSigns(f, previous)) s = -s;
    previous = f;
  } while (std::fabs(s) > RootStepEnd && std::fabs(f) > RootValueEnd);
  Finish(nullptr);
}

void TSearch::FindExtremum(bool findMin) {
  TRange range1, range2;
  const TFuncRec* target = Prepare(range1, range2);
  if (!target) return;
  const int k = eval_.SearchComponent;
  if (k < 1 || k > 3) return;
  const bool twoVars = target->FuncType == 7 || target->FuncType == 8;
  eval_.SearchRunning = true;
  host_.SetHourglass(true);
  long double s = ExtremumStart;
  host_.Evaluate(true);
  int iterations = 0;
  eval_.StopSearch = false;

  bool good = true, outside = false;
  double norm;
  do {
    host_.ProcessMessages();
    ++iterations;
    host_.RepaintView();
    long double g1, g2 = 0;
    if (twoVars) {
      g1 = eval_.EvalPartial[k].ByVar1, g2 = eval_.EvalPartial[k].ByVar2;
      norm = std::hypot(static_cast<double>(g1), static_cast<double>(g2));
    } else {
      g1 = eval_.EvalDF[k];
      norm = std::fabs(static_cast<double>(g1));
    }
    const long double p1 = eval_.EvalVar1, p2 = eval_.EvalVar2, f0 = eval_.EvalF[k];
    // Downhill for a minimum, uphill for a maximum; the step only shrinks.
    const long double direction = findMin ? -1 : 1;
    bool better;
    do {
      ++iterations;
      eval_.EvalVar1 = p1 + direction * g1 * s;
      if (twoVars) eval_.EvalVar2 = p2 + direction * g2 * s;
      good = host_.Evaluate(false);
      const long double f = eval_.EvalF[k];
      better = findMin ? f < f0 : f > f0;
      if (!better) s /= 2;
    } while (!(better || norm < FlatGradient || !good || iterations >= MaxSteps || s <= ExtremumStepEnd ||
               eval_.StopSearch));
    // Only the target's own variables have a range to keep to.
    outside = !range1.Holds(eval_.EvalVar1) || (twoVars && !range2.Holds(eval_.EvalVar2));
  } while (norm > FlatGradient && good && !outside && iterations < MaxSteps && s > ExtremumStepEnd &&
           !eval_.StopSearch);

  if (eval_.StopSearch) return Finish(StoppedText);
  if (!good) return Finish(ExtremumOverflowText);
  if (outside) return Finish(ExtremumOutOfRangeText);
  if (iterations >= MaxSteps) return Finish(TooManyStepsText);
  Finish(nullptr);
}

void TSearch::PointExtremum(bool findMin) {
  const TFuncRec* target = EvalTarget(model_, eval_);
  if (!target || target->FuncType != TNKind || target->TNPoints.empty()) return;
  eval_.SearchRunning = true;
  const TTNPoint* best = &target->TNPoints.front();
  for (const TTNPoint& p : target->TNPoints)
    if (findMin ? p.Y < best->Y : p.Y > best->Y) best = &p;
  eval_.EvalVar1 = best->X;
  host_.Evaluate(true);
  eval_.SearchHit = true;
  eval_.SearchRunning = false;
  host_.RepaintView();
  host_.RepaintView();
  host_.SearchEnded();
}

}  // namespace kx
