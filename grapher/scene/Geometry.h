// Single-precision vector, matrix and quaternion geometry of the scene library.
//
// Vectors are row vectors (v' = v x M); the 16 singles of a TMatrix lie row
// after row, the order glLoadMatrixf takes. Every routine loads singles,
// computes in x87 extended precision and rounds once when it stores a single.
#pragma once

#include <array>
#include <cstdint>

namespace kx {

using TAffineVector = std::array<float, 3>;
using TVector = std::array<float, 4>;
using TMatrix = std::array<TVector, 4>;
// Imaginary part x, y, z, then the real part w; identity (0, 0, 0, 1).
using TQuaternion = std::array<float, 4>;
// Filled by MatrixDecompose, see the index constants below.
using TDecomposedTransform = std::array<float, 16>;

static_assert(sizeof(TMatrix) == 16 * sizeof(float), "a TMatrix goes to OpenGL unchanged");

enum TDecomposedIndex {
  ttScaleX,
  ttScaleY,
  ttScaleZ,
  ttShearXY,
  ttShearXZ,
  ttShearYZ,
  ttRotateX,
  ttRotateY,
  ttRotateZ,
  ttTranslateX,
  ttTranslateY,
  ttTranslateZ,
  ttPerspectiveX,
  ttPerspectiveY,
  ttPerspectiveZ,
  ttPerspectiveW
};

enum TEulerAxisOrder { eulXYZ, eulXZY, eulYXZ, eulYZX, eulZXY, eulZYX };

// The camera fields of the render walk's record that the culling tests read.
struct TRenderContextClippingInfo {
  TVector origin;             // camera position
  TVector clippingDirection;  // unit view direction
  float viewPortRadius;
  float farClippingDistance;
};

// Constants --------------------------------------------------------------------

inline constexpr TMatrix IdentityHmgMatrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
inline constexpr TAffineVector XVector{1, 0, 0};
inline constexpr TAffineVector YVector{0, 1, 0};
inline constexpr TAffineVector ZVector{0, 0, 1};
inline constexpr TAffineVector NullVector{0, 0, 0};
inline constexpr TVector NullHmgPoint{0, 0, 0, 1};
inline constexpr TQuaternion IdentityQuaternion{0, 0, 0, 1};

inline constexpr float Epsilon = 1.0e-40f;  // a subnormal single
inline constexpr float Epsilon2 = 1.0e-30f;
inline constexpr float cPIdiv180 = 0.017453292f;
inline constexpr long double cPIdiv180Ext = 0.017453292519943295L;
inline constexpr float c180divPI = 57.29578f;
inline constexpr float c2PI = 6.2831855f;
inline constexpr float cInv360 = 0.0027777778f;
inline constexpr uint16_t cTruncatingControlWord = 0x1F3F;
inline constexpr long double cGimbalOffsetDeg = 0.001L;
inline constexpr long double cCullingWidening = 1.1L;

// Rounds an extended value to single through memory: GCC keeps x87 excess
// precision in registers across assignments, so the store must be forced.
inline float Single(long double value) {
  volatile float stored = static_cast<float>(value);
  return stored;
}

// Construction and copying ---------------------------------------------------

TAffineVector AffineVectorMake(float x, float y, float z);
TVector VectorMake(float x, float y, float z, float w = 0);
TVector VectorMakeFromAffine(const TAffineVector& v, float w = 0);
TVector PointMake(float x, float y, float z);
void CopyAffineVector(const TAffineVector& source, TAffineVector& dest);
void CopyVector4(const TVector& source, TVector& dest);
std::array<double, 3> AffineVectorToDouble(const TAffineVector& v);
void ClearVector4(TVector& v);

// Sums, differences and combinations -----------------------------------------

TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b);
TVector VectorAdd4(const TVector& a, const TVector& b);
void AddVector(TAffineVector& a, const TAffineVector& b);
void VectorArrayAdd(const TAffineVector* in, const TAffineVector& delta, int n, TAffineVector* out);
TAffineVector VectorSubtract(const TAffineVector& a, const TAffineVector& b);
TVector VectorSubtract4(const TVector& a, const TVector& b);
void SubtractVector4(TVector& a, const TVector& b);
void CombineVector(TAffineVector& v, const TAffineVector& w, const float& f);
TVector VectorCombine4(const TVector& a, const TVector& b, float f1, float f2);
TVector VectorCombine4b(const TVector& a, const TVector& b, float f1, float f2);

// Products, lengths and normalisation ----------------------------------------

long double VectorDotProduct(const TAffineVector& a, const TAffineVector& b);
long double VectorDotProduct4(const TVector& a, const TVector& b);
TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b);
TVector VectorCrossProduct4(const TVector& a, const TVector& b);
float VectorLength2D(float x, float y);
float VectorLength(const TAffineVector& v);
float VectorLength4(const TVector& v);
float VectorNorm2D(float x, float y);
float VectorNorm(const TAffineVector& v);
float VectorNorm4(const TVector& v);  // over x, y, z only
void NormalizeVector(TAffineVector& v);
TAffineVector VectorNormalize(const TAffineVector& v);
void NormalizeVector4(TVector& v);
TVector VectorNormalize4(const TVector& v);
void NormalizeVectorArray(TAffineVector* list, int n);
float VectorAngleCosine(const TAffineVector& a, const TAffineVector& b);
TAffineVector VectorPerpendicular(const TAffineVector& v, const TAffineVector& n);

// Negation, scaling, comparison, distances -----------------------------------

TAffineVector VectorNegate(const TAffineVector& v);
TVector VectorNegate4(const TVector& v);
void NegateVector(TAffineVector& v);
void ScaleVector(TAffineVector& v, float f);
void ScaleVector4(TVector& v, float f);
TAffineVector VectorScale(const TAffineVector& v, float f);
TVector VectorScale4(const TVector& v, float f);
void ScaleVectorComponents(TVector& v, const TVector& w);
TVector VectorAbs4(const TVector& v);
void MaxVector4(TVector& v, const TVector& w);
bool VectorEquals4(const TVector& a, const TVector& b);
bool AffineVectorEquals(const TAffineVector& a, const TAffineVector& b);
bool VectorIsNull(const TAffineVector& v);
float VectorSpacing(const TAffineVector& a, const TAffineVector& b);
float VectorDistance(const TAffineVector& a, const TAffineVector& b);
float VectorDistance2(const TAffineVector& a, const TAffineVector& b);

// Interpolation ----------------------------------------------------------------

TAffineVector VectorLerp(const TAffineVector& a, const TAffineVector& b, float t);
TVector VectorLerp4(const TVector& a, const TVector& b, float t);
void VectorArrayLerp(const TAffineVector* a, const TAffineVector* b, float t, int n, TAffineVector* out);
void VectorArrayLerp4(const TVector* a, const TVector* b, float t, int n, TVector* out);
// Interpolates two triples of Euler angles (radians) through quaternions.
TAffineVector VectorAngleLerp(const TAffineVector& a, const TAffineVector& b, float t);

// Matrices ---------------------------------------------------------------------

TMatrix CreateScaleAndTranslationMatrix(const TVector& scale, const TVector& offset);
TMatrix CreateRotationMatrix(const TAffineVector& axis, float angle);
void MatrixMultiply(const TMatrix& a, const TMatrix& b, TMatrix& r);  // r must not be a or b
void MultiplyMatrixInPlace(TMatrix& m, const TMatrix& n);
TVector VectorTransform4(const TVector& v, const TMatrix& m);
TAffineVector VectorTransform(const TAffineVector& v, const TMatrix& m);
void RotateVector(TVector& v, const TAffineVector& axis, float angle);
float MatrixDet3(float a1, float a2, float a3, float b1, float b2, float b3, float c1, float c2, float c3);
float MatrixDeterminant(const TMatrix& m);
void AdjointMatrix(TMatrix& m);
void ScaleMatrix(TMatrix& m, float f);
void TransposeMatrix(TMatrix& m);
void InvertMatrix(TMatrix& m);
TMatrix AnglePreservingMatrixInvert(const TMatrix& m);
void NormalizeMatrix(TMatrix& m);
bool MatrixDecompose(const TMatrix& m, TDecomposedTransform& tran);
TAffineVector CalcPlaneNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);

// Quaternions ------------------------------------------------------------------

float QuaternionMagnitude(const TQuaternion& q);
void NormalizeQuaternion(TQuaternion& q);
TQuaternion QuaternionMultiply(const TQuaternion& a, const TQuaternion& b);
TQuaternion QuaternionFromAngleAxis(const TAffineVector& axis, float angleDeg);
TQuaternion QuaternionFromEuler(float x, float y, float z, TEulerAxisOrder order);
// As QuaternionFromEuler, but slerps across the gimbal pole of the middle axis.
TQuaternion QuaternionFromEulerGuarded(float x, float y, float z, TEulerAxisOrder order);
TMatrix QuaternionToMatrix(const TQuaternion& q);
TQuaternion QuaternionSlerp(const TQuaternion& q1, const TQuaternion& q2, float t);

// Angles and scalars -----------------------------------------------------------

long double DegToRad(long double deg);
float DegToRadSingle(float deg);
float RadToDegSingle(float rad);
float NormalizeDegAngle(float angle);  // into [-180, 180]
void SinCos(float angle, float& sine, float& cosine);
void SinCosExtended(long double angle, long double& sine, long double& cosine);
long double ArcCos(long double x);
float ArcCosSingle(float x);
long double ArcSin(long double x);
long double ArcTan2(long double y, long double x);
float ArcTan2Single(float y, float x);
float RSqrt(float x);
float PowerSingle(float base, float exponent);
// Toward zero under the truncating control word; the caller's word is restored.
int32_t TruncSingle(float value);
long double IntExtended(long double value);
// Under the caller's control word: ties to even under the process default.
int32_t RoundSingle(float value);
float MaxFloat3(float a, float b, float c);
float MaxXYZComponent(const TAffineVector& v);
float ClampValue(float value, float min, float max);

// Ray and volume tests ---------------------------------------------------------

// Returns the number of intersections (0, 1 or 2); direction is unit length.
int RayCastSphereIntersect(const TVector& start, const TVector& direction, const TVector& centre, float radius,
                           TVector& i1, TVector& i2);
bool RayCastPlaneIntersect(const TVector& start, const TVector& direction, const TVector& planePoint,
                           const TVector& planeNormal, TVector* intersection = nullptr);
bool IsVolumeClipped(const TAffineVector& centre, float radius, const TRenderContextClippingInfo& rci);
bool IsBoxVolumeClipped(const TAffineVector& min, const TAffineVector& max, const TRenderContextClippingInfo& rci);

}  // namespace kx
