#include "app/model/ThNghiemU_Fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace kx {

namespace {

constexpr int TNSignificantDigits = 8;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllFinite(const std::vector<long double>& values) {
  return std::all_of(values.begin(), values.end(), [](long double v) { return std::isfinite(v); });
}

size_t DistinctXCount(const std::vector<TTNPoint>& points) {
  std::set<long double> xs;
  for (const TTNPoint& p : points) xs.insert(p.X);
  return xs.size();
}

}  // namespace

const char* FitErrorMessage(TFitError error) {
  switch (error) {
    case TFitError::TooFewPoints:
      return "Co qua it diem thuc nghiem";
    case TFitError::NotComputable:
      return "Khong tinh duoc cac he so";
    case TFitError::None:
      break;
  }
  return "";
}

std::string TNNumberText(long double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // d.ddddddde[+-]x: eight significant digits, rounded by the runtime.
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", TNSignificantDigits - 1, std::fabs(value));
  const std::string sci = buffer;
  const size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (IsDigit(c)) digits += c;
  const int exponent = std::atoi(sci.c_str() + e + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  if (exponent >= -4 && exponent < TNSignificantDigits) {
    if (exponent >= 0) {
      const size_t whole = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
      return text + digits.substr(0, whole) + "." + digits.substr(whole);
    }
    return text + "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
  }
  text += digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  text += exponent < 0 ? "E-" : "E";
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) text += "0";
  return text + std::to_string(magnitude);
}

TFitError NewtonDividedDifferences(const std::vector<TTNPoint>& points, std::vector<long double>& tyHieu) {
  std::vector<long double>().swap(tyHieu);
  const size_t n = points.size();
  if (n <= 1) return TFitError::TooFewPoints;
  // Two equal abscissas would divide by zero below.
  if (DistinctXCount(points) < n) return TFitError::NotComputable;
  std::vector<long double> d(n), result(n - 1);
  for (size_t i = 0; i < n; ++i) d[i] = points[i].Y;
  for (size_t k = 1; k < n; ++k) {
    for (size_t i = 0; i + k < n; ++i) d[i] = (d[i + 1] - d[i]) / (points[i + k].X - points[i].X);
    result[k - 1] = d[n - k - 1];
  }
  if (!AllFinite(result)) return TFitError::NotComputable;
  tyHieu.swap(result);
  return TFitError::None;
}

TFitError FitPolynomialLeastSquares(const std::vector<TTNPoint>& points, int32_t degree, std::vector<long double>& heSo) {
  std::vector<long double>().swap(heSo);
  if (points.size() <= 1) return TFitError::TooFewPoints;
  if (degree < 1 || degree > MaxLeastSquaresDegree) return TFitError::NotComputable;
  const int m = degree + 1;
  // Fewer distinct abscissas than unknowns leave the normal system singular,
  // though rounding may hide it from the elimination.
  if (DistinctXCount(points) < static_cast<size_t>(m)) return TFitError::NotComputable;
  TAugmentedMatrix a(m);
  for (int i = 1; i <= m; ++i) {
    for (int j = i; j <= m; ++j) {
      long double sum = 0;
      for (const TTNPoint& p : points) sum += std::pow(p.X, static_cast<long double>(i + j - 2));
      a(i, j) = a(j, i) = sum;
    }
    long double right = 0;
    for (const TTNPoint& p : points) right += std::pow(p.X, static_cast<long double>(i - 1)) * p.Y;
    a(i, m + 1) = right;
  }
  std::vector<long double> solution;
  if (!SolveLinearSystem(a, solution) || !AllFinite(solution)) return TFitError::NotComputable;
  heSo.swap(solution);
  return TFitError::None;
}

bool SolveLinearSystem(TAugmentedMatrix& a, std::vector<long double>& solution) {
  const int n = a.N();
  if (n < 1) return false;
  for (int i = 1; i < n; ++i) {
    if (a(i, i) == 0) {
      int k = i + 1;
      while (k <= n && a(k, i) == 0) ++k;
      if (k > n) return false;
      for (int j = i; j <= n + 1; ++j) {
        const double moved = static_cast<double>(a(i, j));
        a(i, j) = a(k, j);
        a(k, j) = moved;
      }
    }
    const double p = static_cast<double>(a(i, i));
    for (int j = i + 1; j <= n + 1; ++j) a(i, j) = a(i, j) / p;
    for (int k = i + 1; k <= n; ++k) {
      const double q = static_cast<double>(a(k, i));
      for (int j = i + 1; j <= n + 1; ++j) a(k, j) = a(k, j) - a(i, j) * q;
    }
  }
  if (a(n, n) == 0) return false;
  std::vector<long double> s(static_cast<size_t>(n) + 1);
  s[n] = a(n, n + 1) / a(n, n);
  for (int i = n - 1; i >= 1; --i) {
    long double sum = a(i, n + 1);
    for (int j = n; j >= i + 1; --j) sum -= a(i, j) * s[j];
    s[i] = sum;
  }
  solution.assign(s.begin() + 1, s.end());
  return true;
}

}  // namespace kx
