#include "scene/Polynomials.h"

#include "scene/Geometry.h"

#include <cmath>

namespace kx {

bool IsZero(double value) { return std::fabs(value) <= PolyEpsilon; }

bool MinPositiveCoef(const TDoubleArray& roots, double& value) {
  bool found = false;
  for (double root : roots) {
    if (root >= 0 && (!found || root < value)) {
      value = root;
      found = true;
    }
  }
  return found;
}

double CubeRoot(double value) {
  if (value > 0) return PowerSingle(static_cast<float>(value), 1.0f / 3);
  if (value == 0) return 0;
  return -CubeRoot(-value);
}

TDoubleArray SolveQuadric(const double* c) {
  const double p = c[1] / (2 * c[2]);
  const double q = c[0] / c[2];
  const double d = p * p - q;
  if (IsZero(d)) return {-p};
  if (d > 0) {
    const double root = std::sqrt(d);
    return {root - p, -root - p};
  }
  return {};
}

TDoubleArray SolveCubic(const double* c) {
  if (IsZero(c[3])) return SolveQuadric(c);
  const double inverse = 1 / c[3];
  const double a = c[2] * inverse, b = c[1] * inverse, cc = c[0] * inverse;
  const double sqA = a * a;
  constexpr double kThird = 1.0 / 3, kTwoOver27 = 0.0740740740740741;
  const double p = kThird * (b - kThird * sqA);
  const double q = 0.5 * (kTwoOver27 * a * sqA - kThird * a * b + cc);
  const double cb = p * p * p;
  const double d = q * q + cb;
  TDoubleArray roots;
  if (IsZero(d)) {
    if (IsZero(q)) {
      roots = {0};
    } else {
      const double u = CubeRoot(-q);
      roots = {2 * u, -u};
    }
  } else if (d > 0) {
    const double root = std::sqrt(d);
    roots = {CubeRoot(root - q) - CubeRoot(root + q)};
  } else {
    constexpr double kPiOver3 = 1.0471975511965979;
    const double phi = kThird * static_cast<double>(ArcCos(-q * RSqrt(static_cast<float>(-cb))));
    const double t = 2 * std::sqrt(-p);
    roots = {t * std::cos(phi), -t * std::cos(phi + kPiOver3), -t * std::cos(phi - kPiOver3)};
  }
  const double shift = kThird * a;
  for (double& root : roots) root -= shift;
  return roots;
}

TDoubleArray SolveQuartic(const double* c) {
  if (IsZero(c[4])) return SolveCubic(c);
  const double a = c[3] / c[4], b = c[2] / c[4], cc = c[1] / c[4], d = c[0] / c[4];
  const double sqA = a * a;
  const double p = -0.375 * sqA + b;
  const double q = 0.125 * sqA * a - 0.5 * a * b + cc;
  const double r = -0.01171875 * sqA * sqA + 0.0625 * sqA * b - 0.25 * a * cc + d;
  TDoubleArray roots;
  if (IsZero(r)) {
    const double depressed[4] = {q, p, 0, 1};
    roots = SolveCubic(depressed);
    roots.push_back(0);
  } else {
    const double resolvent[4] = {0.5 * r * p - 0.125 * q * q, -r, -0.5 * p, 1};
    const double z = SolveCubic(resolvent).front();
    double u = z * z - r, v = 2 * z - p;
    for (double* value : {&u, &v}) {
      if (IsZero(*value))
        *value = 0;
      else if (*value > 0)
        *value = std::sqrt(*value);
      else
        return {};
    }
    const double first[3] = {z - u, q < 0 ? -v : v, 1};
    const double second[3] = {z + u, q < 0 ? v : -v, 1};
    roots = SolveQuadric(first);
    for (double root : SolveQuadric(second)) roots.push_back(root);
  }
  const double shift = 0.25 * a;
  for (double& root : roots) root -= shift;
  return roots;
}

}  // namespace kx
