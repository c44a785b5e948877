// The numbers behind the experimental-data dialog, without its window: the
// data table's number texts, the divided differences of the interpolation
// polynomial and the least-squares polynomial with its linear solve. Every
// work array is sized from the points and the degree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/model/MainU_Funcs.h"

namespace kx {

// The highest least-squares degree the dialog's degree control offers; a
// higher one is refused as not computable.
constexpr int32_t MaxLeastSquaresDegree = 100;

// Why a fit gives nothing.
enum class TFitError {
  None,
  TooFewPoints,   // fewer than two points
  NotComputable,  // the points cannot determine the polynomial
};

// The message box text of a failed fit ("" for None).
const char* FitErrorMessage(TFitError error);

// The general form with 8 significant digits and "." as decimal point:
// fixed for 0.0001 <= |value| < 10^8 (2.5, -0.125, 12345679), otherwise one
// digit, the further digits, "E", "-" for a negative exponent and at least
// two exponent digits (1.2345679E08, 5E-05).
std::string TNNumberText(long double value);

// Sorts the points by X ascending with the dialog's exchange sort: for each
// i and each j after it, the two swap when X(j) < X(i). `swapped` (may be
// empty) hears each exchange of positions i and j (0-based), so the table's
// rows can follow.
template <class OnSwap>
void ExchangeSortByX(std::vector<TTNPoint>& points, OnSwap swapped) {
  const size_t n = points.size();
  for (size_t i = 0; i + 1 < n; ++i)
    for (size_t j = i + 1; j < n; ++j)
      if (points[j].X < points[i].X) {
        std::swap(points[i], points[j]);
        swapped(i, j);
      }
}

// The divided differences of the interpolation polynomial through the points
// in their order: tyHieu[k - 1] = f[x(n-k), ..., x(n)], the difference of
// order k over the last k + 1 points, k = 1 .. n - 1. Fewer than two points
// are too few; two points with equal X (their differences would not be
// finite) or any result that is not finite make it not computable. tyHieu is
// emptied first and holds the result only on success.
TFitError NewtonDividedDifferences(const std::vector<TTNPoint>& points, std::vector<long double>& tyHieu);

// The coefficients of the least-squares polynomial of the degree (heSo[k]
// multiplies x^k) from the normal equations, whose sums of powers use the
// runtime's power function on 80-bit reals. Fewer than two points are too
// few; a degree below 1 or above MaxLeastSquaresDegree, fewer distinct X
// values than degree + 1 (the system would be singular), a failed solve or
// a coefficient that is not finite make it not computable. heSo is emptied
// first and holds the result only on success.
TFitError FitPolynomialLeastSquares(const std::vector<TTNPoint>& points, int32_t degree, std::vector<long double>& heSo);

// An n x (n + 1) augmented matrix, row after row, 1-based as (row, column).
class TAugmentedMatrix {
 public:
  explicit TAugmentedMatrix(int n) : n_(n), cells_(static_cast<size_t>(n) * (n + 1)) {}
  int N() const { return n_; }
  long double& operator()(int row, int col) { return cells_[Slot(row, col)]; }
  long double operator()(int row, int col) const { return cells_[Slot(row, col)]; }

 private:
  size_t Slot(int row, int col) const {
    return static_cast<size_t>(row - 1) * static_cast<size_t>(n_ + 1) + static_cast<size_t>(col - 1);
  }
  int n_;
  std::vector<long double> cells_;
};

// Gaussian elimination without partial pivoting: a zero pivot exchanges its
// row with the first row below that has a non-zero entry in its column (the
// values moved out of the pivot row pass through a 64-bit temporary); pivot
// and multiplier are rounded to 64 bits; the pivot row is divided by its
// pivot except the pivot itself; then back substitution. False when a column
// has no non-zero pivot or the last pivot is zero. solution gets n values
// on success.
bool SolveLinearSystem(TAugmentedMatrix& a, std::vector<long double>& solution);

}  // namespace kx
