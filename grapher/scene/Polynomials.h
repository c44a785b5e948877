// Real roots of polynomials of degree 2, 3 and 4 in double precision, for
// the ray casts of the cylinder and the torus. The cube roots and the
// reciprocal square root are taken in single precision, so roots built from
// them carry about seven significant digits.
#pragma once

#include <vector>

namespace kx {

// Roots in the order the solution produces them, not sorted.
using TDoubleArray = std::vector<double>;

inline constexpr double PolyEpsilon = 1e-40;
bool IsZero(double value);
// False without a value >= 0; otherwise true and the smallest such value.
bool MinPositiveCoef(const TDoubleArray& roots, double& value);
double CubeRoot(double value);
// c[0] + c[1]·x + c[2]·x²; a zero c[2] gives infinities or NaN.
TDoubleArray SolveQuadric(const double* c);
// c[0] + ... + c[3]·x³; a zero c[3] falls back to the quadric.
TDoubleArray SolveCubic(const double* c);
// c[0] + ... + c[4]·x⁴; a zero c[4] falls back to the cubic.
TDoubleArray SolveQuartic(const double* c);

}  // namespace kx
