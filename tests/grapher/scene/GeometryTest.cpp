#include "scene/Geometry.h"
#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

using namespace kx;

namespace {

uint32_t Bits(float value) { return std::bit_cast<uint32_t>(value); }

// Bit 6 is reserved and reads back as 1 whatever was loaded.
uint16_t ControlWord() {
  uint16_t word;
  __asm__ volatile("fnstcw %0" : "=m"(word));
  return word & ~0x40;
}

void LoadControlWord(uint16_t word) { __asm__ volatile("fldcw %0" : : "m"(word)); }

// The process default that both programs set at start-up.
class GeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ControlWord();
    LoadControlWord(0x133F);
  }
  void TearDown() override { LoadControlWord(saved_); }

 private:
  uint16_t saved_ = 0;
};

void ExpectNear(const TVector& actual, const TVector& expected, float tolerance = 1e-6f) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

void ExpectMatrixNear(const TMatrix& actual, const TMatrix& expected, float tolerance = 1e-6f) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(actual[i][j], expected[i][j], tolerance) << "element " << i << "," << j;
}

TEST_F(GeometryTest, ConstantsHaveTheirSinglePrecisionBits) {
  EXPECT_EQ(Bits(Epsilon), 0x000116C2u);
  EXPECT_EQ(Bits(Epsilon2), 0x0DA24260u);
  EXPECT_EQ(Bits(cPIdiv180), 0x3C8EFA35u);
  EXPECT_EQ(Bits(c180divPI), 0x42652EE1u);
  EXPECT_EQ(Bits(c2PI), 0x40C90FDBu);
  EXPECT_EQ(Bits(cInv360), 0x3B360B61u);
}

TEST_F(GeometryTest, TruncSingleCutsTowardZeroAndRestoresTheControlWord) {
  struct Case {
    float value;
    int32_t expected;
  };
  const Case cases[] = {{-2.7f, -2},
                        {2.7f, 2},
                        {-0.5f, 0},
                        {0.99999994f, 0},
                        {-1e10f, INT32_MIN},
                        {3e9f, INT32_MIN},
                        {std::numeric_limits<float>::quiet_NaN(), INT32_MIN}};
  for (const Case& c : cases) {
    EXPECT_EQ(TruncSingle(c.value), c.expected) << c.value;
    EXPECT_EQ(ControlWord(), 0x133F);
  }
  LoadControlWord(0x173F);  // a rounding-down caller gets its word back as well
  EXPECT_EQ(TruncSingle(-2.7f), -2);
  EXPECT_EQ(ControlWord(), 0x173F);
}

TEST_F(GeometryTest, RoundSingleRoundsHalfToEvenUnderTheCallersWord) {
  struct Case {
    float value;
    int32_t expected;
  };
  const Case cases[] = {
      {2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {-3.5f, -4}, {0.49999997f, 0}, {1.5f, 2}, {2147483648.0f, INT32_MIN}};
  for (const Case& c : cases) EXPECT_EQ(RoundSingle(c.value), c.expected) << c.value;
  LoadControlWord(0x173F);  // round down
  EXPECT_EQ(RoundSingle(2.7f), 2);
  EXPECT_EQ(RoundSingle(-2.2f), -3);
}

TEST_F(GeometryTest, IntExtendedTakesTheIntegralPartTowardZero) {
  struct Case {
    long double value, expected;
  };
  const Case cases[] = {{2.75L, 2}, {-2.75L, -2}, {1e30L, 1e30L}, {-0.25L, -0.0L}, {5, 5}};
  for (const Case& c : cases) EXPECT_EQ(IntExtended(c.value), c.expected);
  EXPECT_TRUE(std::signbit(IntExtended(-0.25L)));
  EXPECT_EQ(ControlWord(), 0x133F);
  LoadControlWord(0x173F);  // a rounding-down caller still gets the cut toward zero
  EXPECT_EQ(IntExtended(-2.75L), -2);
  EXPECT_EQ(ControlWord(), 0x173F);
}

TEST_F(GeometryTest, NormalizeDegAngleWrapsIntoTheClosedHalfTurn) {
  struct Case {
    float angle, expected;
  };
  const Case cases[] = {{540, 180}, {-190, 170},  {190, -170}, {180, 180}, {-180, -180},
                        {720, 0},   {-540, -180}, {45, 45},    {359, -1},  {1000, -80}};
  for (const Case& c : cases) EXPECT_EQ(NormalizeDegAngle(c.angle), c.expected) << c.angle;
}

TEST_F(GeometryTest, VectorEqualityIsBitwiseButNullTestIsNumeric) {
  EXPECT_FALSE(VectorEquals4({0, 0, 0, 0}, {-0.0f, 0, 0, 0}));
  EXPECT_TRUE(VectorEquals4({1, 2, 3, 4}, {1, 2, 3, 4}));
  EXPECT_FALSE(AffineVectorEquals({0, 0, 0}, {0, -0.0f, 0}));
  EXPECT_TRUE(VectorIsNull({-0.0f, 0, 0}));
  EXPECT_FALSE(VectorIsNull({0, 0, 1e-45f}));
}

TEST_F(GeometryTest, ProductsRoundOnceFromExtendedPrecision) {
  // 1 + 2^-24 + 2^-24 rounds to 1 + 2^-23 only when summed in extended first.
  const float tiny = std::ldexp(1.0f, -24);
  EXPECT_EQ(VectorDotProduct({1, tiny, tiny}, {1, 1, 1}), 1.0L + 2 * (long double)tiny);
  EXPECT_EQ(VectorNorm({1, tiny, tiny}), 1.0f);  // 2^-48 parts vanish in one rounding
  const TAffineVector c = VectorCrossProduct({1, 0, 0}, {0, 1, 0});
  EXPECT_TRUE(AffineVectorEquals(c, {0, 0, 1}));
  EXPECT_TRUE(AffineVectorEquals(VectorCrossProduct({1, 2, 3}, {4, 5, 6}), {-3, 6, -3}));
  EXPECT_EQ(VectorLength({3, 4, 12}), 13.0f);
  EXPECT_EQ(VectorLength4({2, 4, 4, 1}), std::sqrt(37.0f));
  EXPECT_EQ(VectorNorm4({1, 2, 2, 100}), 9.0f);
  EXPECT_EQ(VectorSpacing({1, 2, 3}, {-1, 2, 6}), 5.0f);
  EXPECT_EQ(VectorDistance2({1, 2, 3}, {-1, 2, 6}), 13.0f);
  EXPECT_EQ(VectorAngleCosine({2, 0, 0}, {0, 0, 3}), 0.0f);
  EXPECT_EQ(VectorAngleCosine({2, 0, 0}, {-5, 0, 0}), -1.0f);
}

TEST_F(GeometryTest, NormalisationHasNoZeroGuard) {
  TVector v{3, 0, 4, 9};
  NormalizeVector4(v);
  EXPECT_TRUE(VectorEquals4(v, {0.6f, 0, 0.8f, 0}));
  TAffineVector zero{0, 0, 0};
  NormalizeVector(zero);
  EXPECT_TRUE(std::isnan(zero[0]));
}

TEST_F(GeometryTest, ArraysOfZeroOrOneVectorAreHandled) {
  TAffineVector in[2] = {{1, 2, 3}, {4, 5, 6}}, other[2] = {{3, 2, 1}, {0, 0, 0}};
  TAffineVector out[2] = {{9, 9, 9}, {9, 9, 9}};
  VectorArrayLerp(in, other, 0.5f, 0, out);
  EXPECT_TRUE(AffineVectorEquals(out[0], {9, 9, 9}));
  VectorArrayLerp(in, other, 0.5f, 1, out);
  EXPECT_TRUE(AffineVectorEquals(out[0], {2, 2, 2}));
  EXPECT_TRUE(AffineVectorEquals(out[1], {9, 9, 9}));
  VectorArrayAdd(in, {1, 1, 1}, 2, out);
  EXPECT_TRUE(AffineVectorEquals(out[1], {5, 6, 7}));
}

TEST_F(GeometryTest, RotationAboutZTurnsXToMinusY) {
  const TMatrix m = CreateRotationMatrix(ZVector, static_cast<float>(std::numbers::pi / 2));
  ExpectNear(VectorTransform4({1, 0, 0, 0}, m), {0, -1, 0, 0});
  TVector v{0, 1, 0, 1};
  RotateVector(v, ZVector, static_cast<float>(std::numbers::pi / 2));
  ExpectNear(v, {1, 0, 0, 1});
}

TEST_F(GeometryTest, ProductsComposeLeftToRight) {
  const TMatrix rotate = CreateRotationMatrix(ZVector, static_cast<float>(std::numbers::pi / 2));
  const TMatrix move = CreateScaleAndTranslationMatrix({2, 2, 2, 1}, {10, 0, 0, 1});
  TMatrix both;
  MatrixMultiply(rotate, move, both);
  const TAffineVector direct = VectorTransform(VectorTransform({1, 0, 0}, rotate), move);
  const TAffineVector composed = VectorTransform({1, 0, 0}, both);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(composed[i], direct[i], 1e-6f);
  EXPECT_NEAR(composed[0], 10, 1e-6f);
  EXPECT_NEAR(composed[1], -2, 1e-6f);
}

TEST_F(GeometryTest, InvertMatrixOfASingularMatrixGivesIdentity) {
  TMatrix singular{{{1, 2, 3, 0}, {2, 4, 6, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
  InvertMatrix(singular);
  EXPECT_EQ(singular, IdentityHmgMatrix);
  TMatrix tiny = IdentityHmgMatrix;  // determinant 1e-45, below the subnormal threshold
  tiny[0][0] = tiny[1][1] = 1e-15f;
  tiny[2][2] = 1e-15f;
  InvertMatrix(tiny);
  EXPECT_EQ(tiny, IdentityHmgMatrix);
}

TEST_F(GeometryTest, InvertMatrixInvertsARegularMatrix) {
  const TMatrix m{{{2, 0, 0, 0}, {0, 4, 0, 0}, {1, 0, 1, 0}, {3, 5, 7, 1}}};
  TMatrix inverse = m, product;
  InvertMatrix(inverse);
  MatrixMultiply(m, inverse, product);
  ExpectMatrixNear(product, IdentityHmgMatrix);
  EXPECT_EQ(MatrixDeterminant(m), 8.0f);
}

TEST_F(GeometryTest, AnglePreservingInverseUndoesRotationScaleAndTranslation) {
  const float s = 2;
  TMatrix m = CreateRotationMatrix({1, 2, 3}, 0.7f);
  ScaleMatrix(m, s);
  m[3] = {5, -3, 8, 1};
  const TMatrix r = AnglePreservingMatrixInvert(m);
  const TMatrix rotation = CreateRotationMatrix({1, 2, 3}, 0.7f);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(r[i][j], rotation[j][i] / s, 1e-6f);
  const TAffineVector back = VectorTransform(VectorTransform({1, 2, 3}, m), r);
  EXPECT_NEAR(back[0], 1, 1e-5f);
  EXPECT_NEAR(back[1], 2, 1e-5f);
  EXPECT_NEAR(back[2], 3, 1e-5f);
  EXPECT_EQ(AnglePreservingMatrixInvert(TMatrix{}), IdentityHmgMatrix);
}

TEST_F(GeometryTest, NormalizeMatrixRebuildsRowsTwoAndZero) {
  TMatrix m{{{2, 0, 0, 5}, {0, 3, 0, 5}, {9, 9, 9, 9}, {1, 2, 3, 4}}};
  NormalizeMatrix(m);
  EXPECT_EQ(m, IdentityHmgMatrix);
}

TEST_F(GeometryTest, DecomposingIdentityGivesUnitScaleAndNothingElse) {
  TDecomposedTransform tran;
  tran.fill(99);
  ASSERT_TRUE(MatrixDecompose(IdentityHmgMatrix, tran));
  const TDecomposedTransform expected{1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(tran, expected);
}

TEST_F(GeometryTest, DecomposeFindsSquaredScaleRotationAndTranslation) {
  TMatrix m = CreateRotationMatrix(ZVector, 0.5f);
  ScaleMatrix(m, 2);
  m[3] = {1, 2, 3, 1};
  TDecomposedTransform tran{};
  ASSERT_TRUE(MatrixDecompose(m, tran));
  EXPECT_NEAR(tran[ttScaleX], 4, 1e-5f);
  EXPECT_NEAR(tran[ttScaleZ], 4, 1e-5f);
  EXPECT_NEAR(tran[ttRotateZ], -0.5f, 1e-6f);  // this rotation turns clockwise
  EXPECT_EQ(tran[ttTranslateY], 2);
  TMatrix flat = IdentityHmgMatrix;
  flat[3][3] = 0;
  EXPECT_FALSE(MatrixDecompose(flat, tran));
  flat = IdentityHmgMatrix;
  flat[2][2] = 0;
  EXPECT_FALSE(MatrixDecompose(flat, tran));
}

TEST_F(GeometryTest, QuaternionsFollowTheHamiltonProduct) {
  const TQuaternion i{1, 0, 0, 0}, j{0, 1, 0, 0}, k{0, 0, 1, 0};
  EXPECT_EQ(QuaternionMultiply(i, j), k);
  EXPECT_EQ(QuaternionMultiply(j, i), (TQuaternion{0, 0, -1, 0}));
  TQuaternion nearZero{1e-31f, 0, 0, 0};
  NormalizeQuaternion(nearZero);
  EXPECT_EQ(nearZero, IdentityQuaternion);
  const TQuaternion q = QuaternionFromAngleAxis({0, 0, 5}, 180);
  EXPECT_NEAR(q[2], 1, 1e-7f);
  EXPECT_NEAR(q[3], 0, 1e-7f);
}

TEST_F(GeometryTest, SlerpOfAQuaternionAndItsNegativeIsTheQuaternion) {
  const TQuaternion q{0, 0.6f, 0, 0.8f};
  for (float t : {0.0f, 0.25f, 0.5f, 1.0f}) {
    const TQuaternion r = QuaternionSlerp(q, VectorNegate4(q), t);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(r[i], q[i], 1e-7f) << t;
  }
  const TQuaternion half = QuaternionSlerp(IdentityQuaternion, QuaternionFromAngleAxis(ZVector, 90), 0.5f);
  const TQuaternion expected = QuaternionFromAngleAxis(ZVector, 45);
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(half[i], expected[i], 1e-6f);
}

TEST_F(GeometryTest, EulerOrdersUseTheirSlots) {
  // Order XYZ is qx * (qy * qz); order ZYX is qz * (qy * qx).
  const TQuaternion qx = QuaternionFromAngleAxis(XVector, 30);
  const TQuaternion qy = QuaternionFromAngleAxis(YVector, 40);
  const TQuaternion qz = QuaternionFromAngleAxis(ZVector, 50);
  EXPECT_EQ(QuaternionFromEuler(30, 40, 50, eulXYZ), QuaternionMultiply(qx, QuaternionMultiply(qy, qz)));
  EXPECT_EQ(QuaternionFromEuler(30, 40, 50, eulZYX), QuaternionMultiply(qz, QuaternionMultiply(qy, qx)));
  EXPECT_EQ(QuaternionFromEuler(30, 40, 50, eulYZX), QuaternionMultiply(qz, QuaternionMultiply(qx, qy)));
}

TEST_F(GeometryTest, GuardedEulerSlerpsAcrossTheGimbalPole) {
  const TQuaternion guarded = QuaternionFromEulerGuarded(10, 90, 20, eulZYX);
  const TQuaternion expected =
      QuaternionSlerp(QuaternionFromEuler(10, 89.999f, 20, eulZYX), QuaternionFromEuler(10, 90.001f, 20, eulZYX), 0.5f);
  EXPECT_EQ(guarded, expected);
  EXPECT_EQ(QuaternionFromEulerGuarded(370, 20, 30, eulXYZ), QuaternionFromEuler(10, 20, 30, eulXYZ));
  // The middle angle per order: x for YXZ, z for XZY.
  EXPECT_EQ(QuaternionFromEulerGuarded(-90, 10, 20, eulYXZ),
            QuaternionSlerp(QuaternionFromEuler(-90.001f, 10, 20, eulYXZ),
                            QuaternionFromEuler(-89.999f, 10, 20, eulYXZ), 0.5f));
  EXPECT_EQ(QuaternionFromEulerGuarded(10, 20, 90, eulXZY),
            QuaternionSlerp(QuaternionFromEuler(10, 20, 89.999f, eulXZY), QuaternionFromEuler(10, 20, 90.001f, eulXZY),
                            0.5f));
  EXPECT_THROW(QuaternionFromEulerGuarded(0, 0, 0, static_cast<TEulerAxisOrder>(6)), EAssertionFailed);
}

TEST_F(GeometryTest, AngleLerpOfEqualTriplesReturnsThemUnchanged) {
  const TAffineVector a{0.1f, 0.2f, 0.3f};
  EXPECT_TRUE(AffineVectorEquals(VectorAngleLerp(a, a, 0.5f), a));
  const TAffineVector half = VectorAngleLerp({0, 0, 0}, {0, 0, 1}, 0.5f);
  EXPECT_NEAR(std::fabs(half[2]), 0.5f, 1e-5f);
}

TEST_F(GeometryTest, PowerSingleEdgeCases) {
  EXPECT_EQ(PowerSingle(0, 0), 1.0f);
  EXPECT_EQ(PowerSingle(0, 2), 0.0f);
  EXPECT_EQ(PowerSingle(2, 0.5f), std::sqrt(2.0f));
  EXPECT_EQ(PowerSingle(0, -1), std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(PowerSingle(-2, 2)));
}

TEST_F(GeometryTest, ScalarHelpers) {
  EXPECT_EQ(ClampValue(-1, 0, 1), 0.0f);
  EXPECT_EQ(ClampValue(0.5f, 0, 1), 0.5f);
  EXPECT_EQ(ClampValue(2, 0, 1), 1.0f);
  EXPECT_EQ(MaxXYZComponent({-1, 7, 3}), 7.0f);
  EXPECT_EQ(RSqrt(4), 0.5f);
  EXPECT_EQ(ArcTan2Single(1, -1), static_cast<float>(3 * std::numbers::pi / 4));
  EXPECT_EQ(ArcCosSingle(-1), static_cast<float>(std::numbers::pi));
  EXPECT_EQ(DegToRadSingle(180), static_cast<float>(180.0L * cPIdiv180));
  float s, c;
  SinCos(static_cast<float>(std::numbers::pi / 6), s, c);
  EXPECT_NEAR(s, 0.5f, 1e-7f);
  EXPECT_NEAR(c, std::sqrt(3.0f) / 2, 1e-7f);
}

TEST_F(GeometryTest, RayCastSphereIntersect) {
  TVector i1{}, i2{};
  // From inside: one hit, the exit point.
  EXPECT_EQ(RayCastSphereIntersect({0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 1);
  ExpectNear(i1, {2, 0, 0, 1});
  // Wholly behind the start.
  EXPECT_EQ(RayCastSphereIntersect({10, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 0);
  // In front: both points, nearer first.
  EXPECT_EQ(RayCastSphereIntersect({-10, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 2);
  ExpectNear(i1, {-2, 0, 0, 1});
  ExpectNear(i2, {2, 0, 0, 1});
  // Tangent in front, and missing.
  EXPECT_EQ(RayCastSphereIntersect({-10, 2, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 1);
  ExpectNear(i1, {0, 2, 0, 1});
  EXPECT_EQ(RayCastSphereIntersect({-10, 3, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 0);
}

TEST_F(GeometryTest, RayCastPlaneIntersect) {
  TVector hit{};
  const TVector point{0, 0, 5, 1}, normal{0, 0, 1, 0};
  EXPECT_TRUE(RayCastPlaneIntersect({0, 0, 0, 1}, {0, 0, 1, 0}, point, normal, &hit));
  ExpectNear(hit, {0, 0, 5, 1});
  hit = {7, 7, 7, 7};
  EXPECT_FALSE(RayCastPlaneIntersect({0, 0, 0, 1}, {0, 0, -1, 0}, point, normal, &hit));
  EXPECT_TRUE(VectorEquals4(hit, {7, 7, 7, 7}));
  EXPECT_TRUE(RayCastPlaneIntersect({0, 0, 0, 1}, {0, 0, -1, 0}, point, normal));
  EXPECT_FALSE(RayCastPlaneIntersect({0, 0, 0, 1}, {1, 0, 0, 0}, point, normal));
}

TEST_F(GeometryTest, VolumeClipping) {
  const TRenderContextClippingInfo camera{{0, 0, 0, 1}, {0, 0, -1, 0}, 0.5f, 100};
  struct Case {
    TAffineVector centre;
    float radius;
    bool clipped;
  };
  const Case cases[] = {
      {{0, 0, -10}, 1, false},                               // straight ahead
      {{0, 0, 10}, 1, true},                                 // behind
      {{0, 0, 0.5f}, 1, false},                              // camera inside the sphere
      {{0, 0, 0.5f}, 0.2f, true}, {{0, 0, -150}, 10, true},  // beyond the far plane
      {{0, 0, -105}, 10, false},  {{20, 0, -10}, 1, true},   // outside the widened cone
      {{5, 0, -10}, 1, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsVolumeClipped(c.centre, c.radius, camera), c.clipped)
        << c.centre[0] << "," << c.centre[2] << " r " << c.radius;
  EXPECT_FALSE(IsBoxVolumeClipped({-1, -1, -11}, {1, 1, -9}, camera));
  EXPECT_TRUE(IsBoxVolumeClipped({-1, -1, 9}, {1, 1, 11}, camera));
}

TEST_F(GeometryTest, PlaneNormalAndPerpendicular) {
  const TAffineVector n = CalcPlaneNormal({0, 0, 0}, {2, 0, 0}, {0, 3, 0});
  EXPECT_TRUE(AffineVectorEquals(n, {0, 0, 1}));
  EXPECT_TRUE(AffineVectorEquals(VectorPerpendicular({1, 2, 3}, {0, 0, 1}), {1, 2, 0}));
}

}  // namespace
