// A natural cubic spline through up to four tracks of values at t = 0, 1,
// ..., N - 1; the node paths of lines and polygons are smoothed with it.
#pragma once

#include "scene/Geometry.h"

#include <array>
#include <vector>

namespace kx {

class TCubicSpline {
 public:
  // Each given track holds `n` values (at least two); a null track is absent
  // and evaluates to 0.
  TCubicSpline(const float* x, const float* y, const float* z, const float* w, int n);

  // Outside [0, N - 1] the first or last segment extrapolates.
  void SplineXYZ(float t, float& x, float& y, float& z) const;
  void SplineAffineVector(float t, TAffineVector& v) const;
  int N() const { return n_; }

 private:
  // Per segment c3, c2, c1, c0 of a cubic in the global t.
  using Coefficients = std::vector<std::array<float, 4>>;
  float Evaluate(const Coefficients& track, float t) const;

  std::array<Coefficients, 4> tracks_;
  int n_;
};

}  // namespace kx
