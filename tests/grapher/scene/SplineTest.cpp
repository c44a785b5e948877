#include "scene/Spline.h"

#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

using namespace kx;

namespace {

TEST(Spline, PassesThroughItsValuesAndExtrapolatesTheLastSegment) {
  const float y[] = {0, 1, 0};
  const TCubicSpline spline(nullptr, y, nullptr, nullptr, 3);
  struct Case {
    float t, expected;
  };
  // The natural spline through 0, 1, 0 has slopes 1.5, 0, -1.5; its last
  // segment is 1 - 1.5u^2 + 0.5u^3 (u = t - 1), which gives -0.6875 at 2.5.
  const Case cases[] = {{0, 0}, {1, 1}, {2, 0}, {0.5f, 0.6875f}, {1.5f, 0.6875f}, {2.5f, -0.6875f}, {-0.5f, -0.6875f}};
  for (const Case& c : cases) {
    float x = 7, value = 7, z = 7;
    spline.SplineXYZ(c.t, x, value, z);
    EXPECT_NEAR(value, c.expected, 1e-5f) << "t = " << c.t;
    EXPECT_EQ(x, 0) << "an absent track is 0";
    EXPECT_EQ(z, 0);
  }
}

TEST(Spline, AStraightTrackStaysStraight) {
  const float x[] = {0, 2, 4, 6, 8}, z[] = {5, 5, 5, 5, 5};
  const TCubicSpline spline(x, nullptr, z, nullptr, 5);
  for (float t : {0.0f, 0.25f, 1.5f, 3.75f, 4.0f, 5.0f}) {
    TAffineVector v;
    spline.SplineAffineVector(t, v);
    EXPECT_NEAR(v[0], 2 * t, 1e-4f) << t;
    EXPECT_EQ(v[1], 0);
    EXPECT_NEAR(v[2], 5, 1e-4f) << t;
  }
}

TEST(Spline, TwoValuesMakeOneStraightSegment) {
  const float y[] = {1, 3};
  const TCubicSpline spline(nullptr, y, nullptr, nullptr, 2);
  TAffineVector v;
  spline.SplineAffineVector(0.5f, v);
  EXPECT_NEAR(v[1], 2, 1e-5f);
}

TEST(Spline, FewerThanTwoValuesAreRefused) {
  const float y[] = {1};
  EXPECT_THROW(TCubicSpline(nullptr, y, nullptr, nullptr, 1), EAssertionFailed);
}

}  // namespace
