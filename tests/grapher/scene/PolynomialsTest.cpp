#include "scene/Polynomials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kx;

namespace {

// Root lists come in no particular order: compare them as sets, each root
// within a tolerance relative to its size.
void ExpectRoots(TDoubleArray actual, TDoubleArray expected, double tolerance, const char* what) {
  std::sort(actual.begin(), actual.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance * std::max(1.0, std::fabs(expected[i]))) << what << " root " << i;
}

TEST(Polynomials, Quadric) {
  struct Case {
    double c[3];
    TDoubleArray roots;
  };
  const Case cases[] = {{{-4, 0, 1}, {2, -2}}, {{4, 0, 1}, {}}, {{1, 2, 1}, {-1}}, {{-6, -1, 2}, {2, -1.5}}};
  for (const Case& c : cases) ExpectRoots(SolveQuadric(c.c), c.roots, 1e-12, "quadric");
  // The larger root comes first.
  const double c[3] = {-4, 0, 1};
  EXPECT_EQ(SolveQuadric(c), (TDoubleArray{2, -2}));
}

TEST(Polynomials, Cubic) {
  struct Case {
    double c[4];
    TDoubleArray roots;
    double tolerance;
  };
  const Case cases[] = {
      {{-6, 11, -6, 1}, {1, 2, 3}, 1e-6},     // three real roots
      {{-8, 0, 0, 1}, {2}, 1e-6},             // one real root
      {{0, 0, 0, 2}, {0}, 1e-12},             // triple root at 0
      {{-1, 1, -1, 1}, {1}, 1e-6},            // (x - 1)(x^2 + 1)
      {{-4, 0, 1, 0}, {2, -2}, 1e-12},        // no cubic term: the quadric
  };
  for (const Case& c : cases) ExpectRoots(SolveCubic(c.c), c.roots, c.tolerance, "cubic");
}

TEST(Polynomials, Quartic) {
  struct Case {
    double c[5];
    TDoubleArray roots;
    double tolerance;
  };
  const Case cases[] = {
      {{0, -1, 0, 0, 1}, {1, 0}, 1e-6},        // x^4 - x
      {{0, 3, 6, 4, 1}, {0, -1}, 1e-6},        // x^4 + 4x^3 + 6x^2 + 3x
      // About four significant digits: the resolvent's cube roots are singles.
      {{4, 0, -5, 0, 1}, {1, -1, 2, -2}, 5e-4},
      {{1, 0, 0, 0, 1}, {}, 0},                // x^4 + 1
      {{-6, 11, -6, 1, 0}, {1, 2, 3}, 1e-6},  // no quartic term: the cubic
  };
  for (const Case& c : cases) ExpectRoots(SolveQuartic(c.c), c.roots, c.tolerance, "quartic");
}

TEST(Polynomials, MinPositiveCoef) {
  double value = -7;
  EXPECT_TRUE(MinPositiveCoef({-1, 3, 2}, value));
  EXPECT_EQ(value, 2);
  EXPECT_TRUE(MinPositiveCoef({0, 3}, value));
  EXPECT_EQ(value, 0);
  value = -7;
  EXPECT_FALSE(MinPositiveCoef({-1, -2}, value));
  EXPECT_FALSE(MinPositiveCoef({}, value));
  EXPECT_EQ(value, -7);
}

TEST(Polynomials, CubeRootKeepsTheSign) {
  EXPECT_NEAR(CubeRoot(27), 3, 1e-6);
  EXPECT_NEAR(CubeRoot(-8), -2, 1e-6);
  EXPECT_EQ(CubeRoot(0), 0);
  EXPECT_TRUE(IsZero(1e-41));
  EXPECT_FALSE(IsZero(1e-39));
}

}  // namespace
