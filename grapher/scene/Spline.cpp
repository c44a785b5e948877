#include "scene/Spline.h"

#include "scene/GLCrossPlatform.h"

#include <cmath>

namespace kx {

namespace {

using Ext = long double;

// The slopes of the natural spline come from a tridiagonal system (diagonal
// 2, 4, ..., 4, 2, off-diagonals 1) solved by its Cholesky factors; each
// segment's local cubic is then stored expanded in the global parameter.
std::vector<std::array<float, 4>> SplineCoefficients(const float* y, int n) {
  std::vector<long double> b(n), l(n), m(n), z(n), d(n);
  b[0] = 3.0L * (Ext(y[1]) - y[0]);
  b[n - 1] = 3.0L * (Ext(y[n - 1]) - y[n - 2]);
  for (int i = 1; i < n - 1; ++i) b[i] = 3.0L * (Ext(y[i + 1]) - y[i - 1]);
  l[0] = Ext(1.4142135f);
  m[0] = Ext(0.70710677f);
  for (int i = 1; i < n - 1; ++i) {
    l[i] = std::sqrt(4 - m[i - 1] * m[i - 1]);
    m[i] = 1 / l[i];
  }
  l[n - 1] = std::sqrt(2 - m[n - 2] * m[n - 2]);
  z[0] = b[0] / l[0];
  for (int i = 1; i < n; ++i) z[i] = (b[i] - z[i - 1] * m[i - 1]) / l[i];
  d[n - 1] = z[n - 1] / l[n - 1];
  for (int i = n - 2; i >= 0; --i) d[i] = (z[i] - d[i + 1] * m[i]) / l[i];

  std::vector<std::array<float, 4>> result(n - 1);
  for (int i = 0; i < n - 1; ++i) {
    const long double a = 3 * (Ext(y[i + 1]) - y[i]) - 2 * d[i] - d[i + 1];
    const long double c = 2 * (Ext(y[i]) - y[i + 1]) + d[i] + d[i + 1];
    result[i] = {Single(c), Single(a - 3.0L * i * c), Single((3.0L * i * c - 2 * a) * i + d[i]),
                 Single(((a - Ext(i) * c) * i - d[i]) * i + y[i])};
  }
  return result;
}

}  // namespace

TCubicSpline::TCubicSpline(const float* x, const float* y, const float* z, const float* w, int n) : n_(n) {
  // Fewer than two values define no segment.
  KX_SCENE_ASSERT(n >= 2, "Spline");
  const float* tracks[] = {x, y, z, w};
  for (int i = 0; i < 4; ++i)
    if (tracks[i]) tracks_[i] = SplineCoefficients(tracks[i], n);
}

float TCubicSpline::Evaluate(const Coefficients& track, float t) const {
  if (track.empty()) return 0;
  int i;
  if (t <= 0)
    i = 0;
  else if (t <= n_ - 1)
    i = TruncSingle(t);
  else
    i = n_ - 1;
  if (i == n_ - 1) i = n_ - 2;
  const std::array<float, 4>& c = track[i];
  return Single(((Ext(c[0]) * t + c[1]) * t + c[2]) * t + c[3]);
}

void TCubicSpline::SplineXYZ(float t, float& x, float& y, float& z) const {
  x = Evaluate(tracks_[0], t);
  y = Evaluate(tracks_[1], t);
  z = Evaluate(tracks_[2], t);
}

void TCubicSpline::SplineAffineVector(float t, TAffineVector& v) const { SplineXYZ(t, v[0], v[1], v[2]); }

}  // namespace kx
