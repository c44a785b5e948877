// The walk every drawing takes along a variable: the lattice start + k * step
// toward larger values, by at least the smallest step, ending where the
// variable passes the end or no longer advances. The plane curves, the
// integral shading and the space curves and surfaces all walk through it.
#pragma once

#include <cmath>
#include <limits>

namespace kx {

// The smallest step a walk takes.
constexpr double MinSampleStep = 0.001;

// The step a walk takes for a record's step: its size, never below
// MinSampleStep (a file may hold a zero or negative step).
inline double WalkStep(double step) {
  const double size = std::fabs(step);
  return size >= MinSampleStep ? size : MinSampleStep;
}

// Rounds to double through memory: x87 registers keep excess precision, and
// every walk of one lattice must see the same values.
inline double Stored(long double value) {
  volatile double stored = static_cast<double>(value);
  return stored;
}

// How a walk begins and ends. The plane takes its first sample even when the
// start lies above the end, and its last exactly on the end; space tests
// before its first sample, and its curves stop on the last lattice value
// before the end.
struct TLatticeRule {
  bool FirstAlways;
  bool ClampToEnd;
};
constexpr TLatticeRule PlaneWalk{true, true};
constexpr TLatticeRule SpaceCurveWalk{false, false};
constexpr TLatticeRule SurfaceWalk{false, true};

// Visits t = start + k * step for k = 0, 1, ... while t <= end, as the rule
// says. A step that no longer changes t ends the walk. Lattice values below
// lo are skipped and the walk ends past hi: callers pass a window only where
// every sample outside it is bad, so the drawing does not change.
template <class Visit>
void WalkLattice(double start, double end, double step, TLatticeRule rule, double lo, double hi, Visit&& visit) {
  if (!rule.FirstAlways && !(start <= end)) return;
  double k = 0;
  double t = start;
  if (lo > start) {
    const double skip = std::floor((lo - start) / step) - 1;
    if (skip > 0 && std::isfinite(skip)) {
      k = skip;
      t = Stored(start + static_cast<long double>(k) * step);
      if (!(t <= end)) return;
    }
  }
  for (;;) {
    visit(t);
    if (t > hi) return;
    double next = Stored(start + static_cast<long double>(k + 1) * step);
    if (rule.ClampToEnd && t < end && next > end) next = end;
    if (!(next > t) || !(next <= end)) return;
    t = next;
    k += 1;
  }
}

template <class Visit>
void WalkLattice(double start, double end, double step, TLatticeRule rule, Visit&& visit) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  WalkLattice(start, end, step, rule, -kInfinity, kInfinity, visit);
}

}  // namespace kx
