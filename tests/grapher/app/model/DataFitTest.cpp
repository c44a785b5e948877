// The numbers of experimental data without a window: the table's number
// texts, the exchange sort, the divided differences, the least-squares fit
// and its linear solve, and the fits that must be refused.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/model/DecimalText.h"
#include "app/model/ThNghiemU_Fit.h"

using namespace kx;

namespace {

using Points = std::vector<TTNPoint>;

// y = c0 + c1 x + ... at x.
long double Polynomial(const std::vector<long double>& c, long double x) {
  long double r = 0;
  for (size_t k = c.size(); k-- > 0;) r = r * x + c[k];
  return r;
}

}  // namespace

// The data table's cells and the evaluation panel's inputs read alike.
TEST(FieldNumbers, ReadWithADotOnly) {
  struct Case {
    const char* text;
    bool ok;
    long double value;
  } cases[] = {
      {"2.5", true, 2.5L},     {" -0.125 ", true, -0.125L}, {"+3", true, 3},         {"1e3", true, 1000},
      {"4.E-2", true, 0.04L},  {".5", true, 0.5L},          {"2,5", false, 0},       {"", false, 0},
      {" ", false, 0},         {"1.2.3", false, 0},         {"abc", false, 0},       {"1e", false, 0},
      {"-", false, 0},         {"1 2", false, 0},           {"1e99999", false, 0},   {"INF", false, 0},
      {"NAN", false, 0},       {"0x10", false, 0},          {"1.", true, 1},         {"0.1", true, 0.1L},
      {".", false, 0},         {"--1", false, 0},
  };
  for (const Case& c : cases) {
    long double value = -7;
    EXPECT_EQ(TryParseFieldNumber(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : -7) << c.text;
  }
  // An 80-bit real holds more than a 64-bit one.
  long double big = 0;
  ASSERT_TRUE(TryParseFieldNumber("1e400", big));
  EXPECT_TRUE(std::isfinite(big));
}

TEST(DataNumbers, GeneralFormOfEightDigits) {
  const std::pair<long double, const char*> cases[] = {
      {0, "0"},
      {2.5L, "2.5"},
      {-0.125L, "-0.125"},
      {1.0L / 3, "0.33333333"},
      {12345678.9L, "12345679"},
      {123456789, "1.2345679E08"},
      {0.0001L, "0.0001"},
      {0.00005L, "5E-05"},
      {-1e-20L, "-1E-20"},
      {1e300L * 1e300L, "1E600"},
      {0.1L, "0.1"},
      {99999999.5L, "1E08"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(TNNumberText(value), text) << static_cast<double>(value);
}

TEST(DataSort, ExchangeSortReportsEverySwap) {
  Points points = {{3, 30}, {1, 10}, {2, 20}, {1, 11}};
  std::vector<std::pair<size_t, size_t>> swaps;
  ExchangeSortByX(points, [&](size_t i, size_t j) { swaps.emplace_back(i, j); });
  std::vector<long double> xs, ys;
  for (const TTNPoint& p : points) xs.push_back(p.X), ys.push_back(p.Y);
  EXPECT_EQ(xs, (std::vector<long double>{1, 1, 2, 3}));
  // Equal X keep the order the exchanges leave them in.
  EXPECT_EQ(ys, (std::vector<long double>{10, 11, 20, 30}));
  EXPECT_EQ(swaps, (std::vector<std::pair<size_t, size_t>>{{0, 1}, {1, 2}, {1, 3}, {2, 3}}));
}

TEST(DataFit, DividedDifferencesOverTheLastPoints) {
  std::vector<long double> tyHieu = {99};
  ASSERT_EQ(NewtonDividedDifferences({{0, 1}, {1, 3}, {2, 7}}, tyHieu), TFitError::None);
  EXPECT_EQ(tyHieu, (std::vector<long double>{4, 1}));

  // Unequal spacing, unsorted: f[x2,x3] and f[x1,x2,x3] of 1 + x^2.
  ASSERT_EQ(NewtonDividedDifferences({{3, 10}, {0, 1}, {1, 2}}, tyHieu), TFitError::None);
  EXPECT_EQ(tyHieu, (std::vector<long double>{1, 1}));
}

TEST(DataFit, LinearRegressionOfALine) {
  std::vector<long double> heSo;
  ASSERT_EQ(FitPolynomialLeastSquares({{0, 1}, {1, 3}, {2, 5}}, 1, heSo), TFitError::None);
  ASSERT_EQ(heSo.size(), 2u);
  EXPECT_NEAR(static_cast<double>(heSo[0]), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(heSo[1]), 2, 1e-15);
}

TEST(DataFit, DegreeFiveFromTwentyOnePointsOfItsPolynomial) {
  const std::vector<long double> exact = {1.5L, -2, 0.25L, 3, -0.5L, 0.125L};
  Points points;
  for (int i = 0; i <= 20; ++i) {
    const long double x = -2 + i * 0.2L;
    points.push_back({x, Polynomial(exact, x)});
  }
  std::vector<long double> heSo;
  ASSERT_EQ(FitPolynomialLeastSquares(points, 5, heSo), TFitError::None);
  ASSERT_EQ(heSo.size(), exact.size());
  for (size_t k = 0; k < exact.size(); ++k)
    EXPECT_NEAR(static_cast<double>(heSo[k]), static_cast<double>(exact[k]), 1e-9 * std::fabs(static_cast<double>(exact[k])))
        << "x^" << k;
}

TEST(DataFit, InterpolationThroughEveryPoint) {
  // The Newton form read from the last point backwards, as the plot draws it.
  const Points points = {{-1, 2}, {0.5L, -1}, {2, 4}, {3, 0}, {4.5L, 7}};
  std::vector<long double> d;
  ASSERT_EQ(NewtonDividedDifferences(points, d), TFitError::None);
  ASSERT_EQ(d.size(), 4u);
  for (const TTNPoint& p : points) {
    long double r = d[3], t = p.X;
    for (int i = 2; i <= 4; ++i) r = r * (t - points[i - 1].X) + d[4 - i];
    r = r * (t - points[4].X) + points[4].Y;
    EXPECT_NEAR(static_cast<double>(r), static_cast<double>(p.Y), 1e-12) << static_cast<double>(t);
  }
}

TEST(DataFit, RefusedFits) {
  const Points fourPoints = {{0, 1}, {1, 2}, {2, 0}, {3, 5}};
  const Points sameX = {{0.1L, 1}, {0.1L, 2}, {0.1L, 3}};
  Points twoXs;  // 30 points on two abscissas: a line, never a parabola
  for (int i = 0; i < 30; ++i) twoXs.push_back({static_cast<long double>(i % 2), static_cast<long double>(i)});
  struct Case {
    const char* name;
    Points points;
    int32_t degree;  // 0: interpolation
    TFitError error;
  } cases[] = {
      {"no point, interpolation", {}, 0, TFitError::TooFewPoints},
      {"one point, interpolation", {{1, 1}}, 0, TFitError::TooFewPoints},
      {"no point, least squares", {}, 1, TFitError::TooFewPoints},
      {"one point, least squares", {{1, 1}}, 1, TFitError::TooFewPoints},
      {"four points, degree 5", fourPoints, 5, TFitError::NotComputable},
      {"four points, degree 4", fourPoints, 4, TFitError::NotComputable},
      {"all X 0.1, degree 1", sameX, 1, TFitError::NotComputable},
      {"two abscissas, degree 2", twoXs, 2, TFitError::NotComputable},
      {"equal X, interpolation", {{0, 1}, {1, 2}, {0, 3}}, 0, TFitError::NotComputable},
      {"all X equal, interpolation", sameX, 0, TFitError::NotComputable},
      {"degree below 1", fourPoints, -1, TFitError::NotComputable},
      {"degree above the control", fourPoints, MaxLeastSquaresDegree + 1, TFitError::NotComputable},
      {"huge values, interpolation", {{0, 1e4000L}, {1e-4000L, -1e4000L}}, 0, TFitError::NotComputable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<long double> out = {42};
    const TFitError error = c.degree == 0 ? NewtonDividedDifferences(c.points, out)
                                          : FitPolynomialLeastSquares(c.points, c.degree, out);
    EXPECT_EQ(error, c.error);
    EXPECT_TRUE(out.empty());
  }
  // Four points do give a cubic, and two abscissas a line.
  std::vector<long double> out;
  EXPECT_EQ(FitPolynomialLeastSquares(fourPoints, 3, out), TFitError::None);
  EXPECT_EQ(FitPolynomialLeastSquares(twoXs, 1, out), TFitError::None);
  EXPECT_STREQ(FitErrorMessage(TFitError::TooFewPoints), "Co qua it diem thuc nghiem");
  EXPECT_STREQ(FitErrorMessage(TFitError::NotComputable), "Khong tinh duoc cac he so");
}

TEST(DataFit, ManyPointsAndHighDegreesOverrunNothing) {
  // More points than the old fixed arrays held, and degrees up to the control's maximum.
  Points points;
  for (int i = 0; i < 60; ++i) points.push_back({i / 59.0L, std::sin(i / 10.0L)});
  std::vector<long double> out;
  EXPECT_EQ(FitPolynomialLeastSquares(points, 10, out), TFitError::None);
  EXPECT_EQ(out.size(), 11u);
  EXPECT_EQ(NewtonDividedDifferences(points, out), TFitError::None);
  EXPECT_EQ(out.size(), 59u);
  for (int32_t degree : {49, 50, 59, MaxLeastSquaresDegree}) {
    SCOPED_TRACE(degree);
    const TFitError error = FitPolynomialLeastSquares(points, degree, out);
    // Either refused or solved; a result has every coefficient.
    if (error == TFitError::None) {
      EXPECT_EQ(out.size(), static_cast<size_t>(degree) + 1);
    } else {
      EXPECT_TRUE(out.empty());
    }
  }
  // 200 points and degree 100: 101 unknowns.
  Points many;
  for (int i = 0; i < 200; ++i) many.push_back({-1 + i / 100.0L, static_cast<long double>(i % 7)});
  const TFitError error = FitPolynomialLeastSquares(many, MaxLeastSquaresDegree, out);
  if (error == TFitError::None) {
    EXPECT_EQ(out.size(), 101u);
  }
}

TEST(DataSolve, EliminationWithoutPivoting) {
  // 2x + y = 5, x + 3y = 10: x = 1, y = 3.
  TAugmentedMatrix a(2);
  a(1, 1) = 2, a(1, 2) = 1, a(1, 3) = 5;
  a(2, 1) = 1, a(2, 2) = 3, a(2, 3) = 10;
  std::vector<long double> s;
  ASSERT_TRUE(SolveLinearSystem(a, s));
  EXPECT_EQ(s, (std::vector<long double>{1, 3}));
  // The pivot row is divided by its pivot, which itself stays.
  EXPECT_EQ(a(1, 1), 2);
  EXPECT_EQ(a(1, 2), 0.5L);

  // A zero pivot takes the first row below with a non-zero entry.
  TAugmentedMatrix b(3);
  const long double rows[3][4] = {{0, 1, 1, 5}, {0, 2, 1, 7}, {1, 1, 1, 6}};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 4; ++j) b(i, j) = rows[i - 1][j - 1];
  ASSERT_TRUE(SolveLinearSystem(b, s));
  EXPECT_EQ(s, (std::vector<long double>{1, 2, 3}));

  // No pivot in a column, and a zero last pivot.
  TAugmentedMatrix c(2);
  c(1, 1) = 0, c(1, 2) = 1, c(1, 3) = 1;
  c(2, 1) = 0, c(2, 2) = 1, c(2, 3) = 2;
  EXPECT_FALSE(SolveLinearSystem(c, s));
  TAugmentedMatrix d(2);
  d(1, 1) = 1, d(1, 2) = 2, d(1, 3) = 1;
  d(2, 1) = 2, d(2, 2) = 4, d(2, 3) = 2;
  EXPECT_FALSE(SolveLinearSystem(d, s));

  // The multiplier is rounded to 64 bits: 1 + 2^-60 cannot reach the sums.
  TAugmentedMatrix e(2);
  const long double tiny = std::ldexp(1.0L, -60);
  e(1, 1) = 1, e(1, 2) = 1, e(1, 3) = 0;
  e(2, 1) = 1 + tiny, e(2, 2) = 2, e(2, 3) = 1;
  ASSERT_TRUE(SolveLinearSystem(e, s));
  EXPECT_EQ(e(2, 2), 1);  // 2 - 1 * 1, not 2 - (1 + 2^-60)
}
