#include "app/model/MainU_TNValue.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace kx {

namespace {

constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

// The value of the last data point at exactly t.
long double DataValueAt(const std::vector<TTNPoint>& points, long double t) {
  long double value = kNaN;
  for (const TTNPoint& p : points)
    if (p.X == t) value = p.Y;
  return value;
}

}  // namespace

long double TNValueAt(const TFuncRec& record, long double t) {
  const std::vector<TTNPoint>& points = record.TNPoints;
  const int64_t n = static_cast<int64_t>(points.size());
  auto X = [&](int64_t i) { return points[i - 1].X; };  // 1-based, as the data table numbers them
  auto Y = [&](int64_t i) { return points[i - 1].Y; };
  switch (record.DrawType) {
    case 0:
      return DataValueAt(points, t);
    case 1: {
      // A line needs two points: through one it is the point alone.
      if (n < 2) return DataValueAt(points, t);
      int64_t j = 1;
      while (j <= n && !(X(j) > t)) ++j;
      if (j > n) j = n;
      const int64_t k = j == 1 ? 2 : j - 1;
      return (Y(j) - Y(k)) / (X(j) - X(k)) * (t - X(k)) + Y(k);
    }
    case 2: {
      const std::vector<long double>& differences = record.TyHieu;  // [m - 1]: order m over the last m + 1 points
      if (n < 1 || static_cast<int64_t>(differences.size()) < n - 1) return kNaN;
      long double r = Y(n);
      if (n == 1) return r;
      r = differences[n - 2];
      for (int64_t i = 2; i <= n - 1; ++i) r = r * (t - X(i)) + differences[n - i - 1];
      return r * (t - X(n)) + Y(n);
    }
    case 3: {
      const int64_t degree = record.BacPT;
      if (degree < 0 || static_cast<int64_t>(record.HeSo.size()) < degree + 1) return kNaN;
      long double r = record.HeSo[degree];
      for (int64_t i = degree - 1; i >= 0; --i) r = r * t + record.HeSo[i];
      return r;
    }
    default:
      return kNaN;
  }
}

}  // namespace kx
