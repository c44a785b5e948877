#include "scene/Geometry.h"

#include "scene/GLCrossPlatform.h"

#include <bit>
#include <cmath>

namespace kx {

namespace {

using Ext = long double;

Ext Sqr(Ext x) { return x * x; }

// Slot (1..3) that the X, Y and Z rotation take in the product, per order.
constexpr int kEulerSlots[6][3] = {{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}};

// Row vector x, y, z of a matrix row.
TAffineVector Affine(const TVector& v) { return {v[0], v[1], v[2]}; }

}  // namespace

// Construction and copying ---------------------------------------------------

TAffineVector AffineVectorMake(float x, float y, float z) { return {x, y, z}; }
TVector VectorMake(float x, float y, float z, float w) { return {x, y, z, w}; }
TVector VectorMakeFromAffine(const TAffineVector& v, float w) { return {v[0], v[1], v[2], w}; }
TVector PointMake(float x, float y, float z) { return {x, y, z, 1}; }
void CopyAffineVector(const TAffineVector& source, TAffineVector& dest) { dest = source; }
void CopyVector4(const TVector& source, TVector& dest) { dest = source; }
std::array<double, 3> AffineVectorToDouble(const TAffineVector& v) { return {v[0], v[1], v[2]}; }
void ClearVector4(TVector& v) { v = {0, 0, 0, 0}; }

// Sums, differences and combinations -----------------------------------------

TAffineVector VectorAdd(const TAffineVector& a, const TAffineVector& b) {
  return {Single(Ext(a[0]) + b[0]), Single(Ext(a[1]) + b[1]), Single(Ext(a[2]) + b[2])};
}

TVector VectorAdd4(const TVector& a, const TVector& b) {
  return {Single(Ext(a[0]) + b[0]), Single(Ext(a[1]) + b[1]), Single(Ext(a[2]) + b[2]), Single(Ext(a[3]) + b[3])};
}

void AddVector(TAffineVector& a, const TAffineVector& b) { a = VectorAdd(a, b); }

void VectorArrayAdd(const TAffineVector* in, const TAffineVector& delta, int n, TAffineVector* out) {
  for (int i = 0; i < n; ++i) out[i] = VectorAdd(in[i], delta);
}

TAffineVector VectorSubtract(const TAffineVector& a, const TAffineVector& b) {
  return {Single(Ext(a[0]) - b[0]), Single(Ext(a[1]) - b[1]), Single(Ext(a[2]) - b[2])};
}

TVector VectorSubtract4(const TVector& a, const TVector& b) {
  return {Single(Ext(a[0]) - b[0]), Single(Ext(a[1]) - b[1]), Single(Ext(a[2]) - b[2]), Single(Ext(a[3]) - b[3])};
}

void SubtractVector4(TVector& a, const TVector& b) { a = VectorSubtract4(a, b); }

void CombineVector(TAffineVector& v, const TAffineVector& w, const float& f) {
  for (int i = 0; i < 3; ++i) v[i] = Single(v[i] + Ext(w[i]) * f);
}

TVector VectorCombine4(const TVector& a, const TVector& b, float f1, float f2) {
  TVector r;
  for (int i = 0; i < 4; ++i) r[i] = Single(Ext(f1) * a[i] + Ext(f2) * b[i]);
  return r;
}

TVector VectorCombine4b(const TVector& a, const TVector& b, float f1, float f2) { return VectorCombine4(a, b, f1, f2); }

// Products, lengths and normalisation ----------------------------------------

long double VectorDotProduct(const TAffineVector& a, const TAffineVector& b) {
  return Ext(a[0]) * b[0] + Ext(a[1]) * b[1] + Ext(a[2]) * b[2];
}

long double VectorDotProduct4(const TVector& a, const TVector& b) {
  return Ext(a[0]) * b[0] + Ext(a[1]) * b[1] + Ext(a[2]) * b[2] + Ext(a[3]) * b[3];
}

TAffineVector VectorCrossProduct(const TAffineVector& a, const TAffineVector& b) {
  return {Single(Ext(a[1]) * b[2] - Ext(a[2]) * b[1]), Single(Ext(a[2]) * b[0] - Ext(a[0]) * b[2]),
          Single(Ext(a[0]) * b[1] - Ext(a[1]) * b[0])};
}

TVector VectorCrossProduct4(const TVector& a, const TVector& b) {
  const TAffineVector r = VectorCrossProduct(Affine(a), Affine(b));
  return {r[0], r[1], r[2], 0};
}

float VectorLength2D(float x, float y) { return Single(std::sqrt(Sqr(x) + Sqr(y))); }

float VectorLength(const TAffineVector& v) { return Single(std::sqrt(VectorDotProduct(v, v))); }

float VectorLength4(const TVector& v) { return Single(std::sqrt(VectorDotProduct4(v, v))); }

float VectorNorm2D(float x, float y) { return Single(Sqr(x) + Sqr(y)); }

float VectorNorm(const TAffineVector& v) { return Single(VectorDotProduct(v, v)); }

float VectorNorm4(const TVector& v) { return Single(Sqr(v[0]) + Sqr(v[1]) + Sqr(v[2])); }

void NormalizeVector(TAffineVector& v) {
  // No zero-length guard: a null vector gives NaN under the masked control word.
  const Ext f = 1 / std::sqrt(VectorDotProduct(v, v));
  for (float& c : v) c = Single(c * f);
}

TAffineVector VectorNormalize(const TAffineVector& v) {
  TAffineVector r = v;
  NormalizeVector(r);
  return r;
}

void NormalizeVector4(TVector& v) {
  const Ext f = 1 / std::sqrt(Sqr(v[0]) + Sqr(v[1]) + Sqr(v[2]));
  for (int i = 0; i < 3; ++i) v[i] = Single(v[i] * f);
  v[3] = 0;
}

TVector VectorNormalize4(const TVector& v) {
  TVector r = v;
  NormalizeVector4(r);
  return r;
}

void NormalizeVectorArray(TAffineVector* list, int n) {
  for (int i = 0; i < n; ++i) NormalizeVector(list[i]);
}

float VectorAngleCosine(const TAffineVector& a, const TAffineVector& b) {
  return Single(VectorDotProduct(a, b) / std::sqrt(VectorDotProduct(a, a) * VectorDotProduct(b, b)));
}

TAffineVector VectorPerpendicular(const TAffineVector& v, const TAffineVector& n) {
  const float dot = Single(VectorDotProduct(v, n));
  TAffineVector r;
  for (int i = 0; i < 3; ++i) r[i] = Single(v[i] - Ext(dot) * n[i]);
  return r;
}

// Negation, scaling, comparison, distances -----------------------------------

TAffineVector VectorNegate(const TAffineVector& v) { return {-v[0], -v[1], -v[2]}; }
TVector VectorNegate4(const TVector& v) { return {-v[0], -v[1], -v[2], -v[3]}; }
void NegateVector(TAffineVector& v) { v = VectorNegate(v); }

void ScaleVector(TAffineVector& v, float f) {
  for (float& c : v) c = Single(Ext(c) * f);
}

void ScaleVector4(TVector& v, float f) {
  for (float& c : v) c = Single(Ext(c) * f);
}

TAffineVector VectorScale(const TAffineVector& v, float f) {
  TAffineVector r = v;
  ScaleVector(r, f);
  return r;
}

TVector VectorScale4(const TVector& v, float f) {
  TVector r = v;
  ScaleVector4(r, f);
  return r;
}

void ScaleVectorComponents(TVector& v, const TVector& w) {
  for (int i = 0; i < 4; ++i) v[i] = Single(Ext(v[i]) * w[i]);
}

TVector VectorAbs4(const TVector& v) { return {std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2]), std::fabs(v[3])}; }

void MaxVector4(TVector& v, const TVector& w) {
  for (int i = 0; i < 4; ++i)
    if (w[i] > v[i]) v[i] = w[i];
}

bool VectorEquals4(const TVector& a, const TVector& b) {
  for (int i = 0; i < 4; ++i)
    if (std::bit_cast<uint32_t>(a[i]) != std::bit_cast<uint32_t>(b[i])) return false;
  return true;
}

bool AffineVectorEquals(const TAffineVector& a, const TAffineVector& b) {
  for (int i = 0; i < 3; ++i)
    if (std::bit_cast<uint32_t>(a[i]) != std::bit_cast<uint32_t>(b[i])) return false;
  return true;
}

bool VectorIsNull(const TAffineVector& v) { return v[0] == 0 && v[1] == 0 && v[2] == 0; }

float VectorSpacing(const TAffineVector& a, const TAffineVector& b) {
  return Single(std::fabs(Ext(a[0]) - b[0]) + std::fabs(Ext(a[1]) - b[1]) + std::fabs(Ext(a[2]) - b[2]));
}

float VectorDistance(const TAffineVector& a, const TAffineVector& b) {
  return Single(std::sqrt(Sqr(Ext(a[0]) - b[0]) + Sqr(Ext(a[1]) - b[1]) + Sqr(Ext(a[2]) - b[2])));
}

float VectorDistance2(const TAffineVector& a, const TAffineVector& b) {
  return Single(Sqr(Ext(a[0]) - b[0]) + Sqr(Ext(a[1]) - b[1]) + Sqr(Ext(a[2]) - b[2]));
}

// Interpolation ----------------------------------------------------------------

TAffineVector VectorLerp(const TAffineVector& a, const TAffineVector& b, float t) {
  TAffineVector r;
  for (int i = 0; i < 3; ++i) r[i] = Single(a[i] + (Ext(b[i]) - a[i]) * t);
  return r;
}

TVector VectorLerp4(const TVector& a, const TVector& b, float t) {
  TVector r;
  for (int i = 0; i < 4; ++i) r[i] = Single(a[i] + (Ext(b[i]) - a[i]) * t);
  return r;
}

void VectorArrayLerp(const TAffineVector* a, const TAffineVector* b, float t, int n, TAffineVector* out) {
  for (int i = 0; i < n; ++i) out[i] = VectorLerp(a[i], b[i], t);
}

void VectorArrayLerp4(const TVector* a, const TVector* b, float t, int n, TVector* out) {
  for (int i = 0; i < n; ++i) out[i] = VectorLerp4(a[i], b[i], t);
}

TAffineVector VectorAngleLerp(const TAffineVector& a, const TAffineVector& b, float t) {
  if (AffineVectorEquals(a, b)) return a;
  const TQuaternion qa =
      QuaternionFromEulerGuarded(RadToDegSingle(a[0]), RadToDegSingle(a[1]), RadToDegSingle(a[2]), eulZYX);
  const TQuaternion qb =
      QuaternionFromEulerGuarded(RadToDegSingle(b[0]), RadToDegSingle(b[1]), RadToDegSingle(b[2]), eulZYX);
  TDecomposedTransform tran{};
  MatrixDecompose(QuaternionToMatrix(QuaternionSlerp(qa, qb, t)), tran);
  return {tran[ttRotateX], tran[ttRotateY], tran[ttRotateZ]};
}

// Matrices ---------------------------------------------------------------------

TMatrix CreateScaleAndTranslationMatrix(const TVector& scale, const TVector& offset) {
  TMatrix m = IdentityHmgMatrix;
  m[0][0] = scale[0];
  m[1][1] = scale[1];
  m[2][2] = scale[2];
  m[3] = {offset[0], offset[1], offset[2], 1};
  return m;
}

TMatrix CreateRotationMatrix(const TAffineVector& axis, float angle) {
  float sf, cf;
  SinCos(angle, sf, cf);
  const Ext s = sf, c = cf, t = 1 - c;
  const TAffineVector n = VectorNormalize(axis);
  const Ext x = n[0], y = n[1], z = n[2];
  return {{{Single(t * x * x + c), Single(t * x * y - z * s), Single(t * z * x + y * s), 0},
           {Single(t * x * y + z * s), Single(t * y * y + c), Single(t * y * z - x * s), 0},
           {Single(t * z * x - y * s), Single(t * y * z + x * s), Single(t * z * z + c), 0},
           {0, 0, 0, 1}}};
}

void MatrixMultiply(const TMatrix& a, const TMatrix& b, TMatrix& r) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      r[i][j] =
          Single(Ext(a[i][0]) * b[0][j] + Ext(a[i][1]) * b[1][j] + Ext(a[i][2]) * b[2][j] + Ext(a[i][3]) * b[3][j]);
}

void MultiplyMatrixInPlace(TMatrix& m, const TMatrix& n) {
  const TMatrix copy = m;
  MatrixMultiply(copy, n, m);
}

TVector VectorTransform4(const TVector& v, const TMatrix& m) {
  TVector r;
  for (int j = 0; j < 4; ++j)
    r[j] = Single(Ext(v[0]) * m[0][j] + Ext(v[1]) * m[1][j] + Ext(v[2]) * m[2][j] + Ext(v[3]) * m[3][j]);
  return r;
}

TAffineVector VectorTransform(const TAffineVector& v, const TMatrix& m) {
  TAffineVector r;
  for (int j = 0; j < 3; ++j) r[j] = Single(Ext(v[0]) * m[0][j] + Ext(v[1]) * m[1][j] + Ext(v[2]) * m[2][j] + m[3][j]);
  return r;
}

void RotateVector(TVector& v, const TAffineVector& axis, float angle) {
  v = VectorTransform4(v, CreateRotationMatrix(axis, angle));
}

float MatrixDet3(float a1, float a2, float a3, float b1, float b2, float b3, float c1, float c2, float c3) {
  // Rows (a1 a2 a3), (b1 b2 b3), (c1 c2 c3), expanded along the first row.
  return Single(a1 * (Ext(b2) * c3 - Ext(b3) * c2) - a2 * (Ext(b1) * c3 - Ext(b3) * c1) +
                a3 * (Ext(b1) * c2 - Ext(b2) * c1));
}

namespace {

// Determinant of the 3x3 matrix left when row `row` and column `col` go.
float Minor(const TMatrix& m, int row, int col) {
  float e[9];
  int k = 0;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      if (i != row && j != col) e[k++] = m[i][j];
  return MatrixDet3(e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7], e[8]);
}

}  // namespace

float MatrixDeterminant(const TMatrix& m) {
  return Single(Ext(m[0][0]) * Minor(m, 0, 0) - Ext(m[0][1]) * Minor(m, 0, 1) + Ext(m[0][2]) * Minor(m, 0, 2) -
                Ext(m[0][3]) * Minor(m, 0, 3));
}

void AdjointMatrix(TMatrix& m) {
  TMatrix adj;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      const float minor = Minor(m, j, i);
      adj[i][j] = ((i + j) % 2 == 0) ? minor : -minor;
    }
  m = adj;
}

void ScaleMatrix(TMatrix& m, float f) {
  for (TVector& row : m) ScaleVector4(row, f);
}

void TransposeMatrix(TMatrix& m) {
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) std::swap(m[i][j], m[j][i]);
}

void InvertMatrix(TMatrix& m) {
  const float det = MatrixDeterminant(m);
  if (std::fabs(det) < Epsilon) {
    m = IdentityHmgMatrix;
    return;
  }
  AdjointMatrix(m);
  ScaleMatrix(m, Single(1 / Ext(det)));
}

TMatrix AnglePreservingMatrixInvert(const TMatrix& m) {
  const float s2 = VectorNorm4(m[0]);
  if (std::fabs(s2) < Epsilon) return IdentityHmgMatrix;
  const Ext k = Single(1 / Ext(s2));
  TMatrix r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) r[i][j] = Single(k * m[j][i]);
  r[3][3] = 1;
  for (int j = 0; j < 3; ++j)
    r[3][j] = Single(-(Ext(r[0][j]) * m[3][0] + Ext(r[1][j]) * m[3][1] + Ext(r[2][j]) * m[3][2]));
  return r;
}

void NormalizeMatrix(TMatrix& m) {
  m[0][3] = 0;
  NormalizeVector4(m[0]);
  m[1][3] = 0;
  NormalizeVector4(m[1]);
  m[2] = VectorCrossProduct4(m[0], m[1]);
  m[0] = VectorCrossProduct4(m[1], m[2]);
  m[3] = {0, 0, 0, 1};
}

bool MatrixDecompose(const TMatrix& m, TDecomposedTransform& tran) {
  TMatrix l = m;
  if (l[3][3] == 0) return false;
  for (TVector& row : l)
    for (float& e : row) e = Single(Ext(e) / m[3][3]);

  TMatrix p = l;
  for (int i = 0; i < 3; ++i) p[i][3] = 0;
  p[3][3] = 1;
  if (MatrixDeterminant(p) == 0) return false;

  if (l[0][3] != 0 || l[1][3] != 0 || l[2][3] != 0) {
    const TVector rhs{l[0][3], l[1][3], l[2][3], l[3][3]};
    InvertMatrix(p);
    TransposeMatrix(p);
    const TVector persp = VectorTransform4(rhs, p);
    for (int i = 0; i < 4; ++i) tran[ttPerspectiveX + i] = persp[i];
    for (int i = 0; i < 3; ++i) l[i][3] = 0;
    l[3][3] = 1;
  } else {
    for (int i = 0; i < 4; ++i) tran[ttPerspectiveX + i] = 0;
  }

  for (int i = 0; i < 3; ++i) {
    tran[ttTranslateX + i] = l[3][i];
    l[3][i] = 0;
  }

  TAffineVector row0 = Affine(l[0]), row1 = Affine(l[1]), row2 = Affine(l[2]);

  tran[ttScaleX] = VectorNorm(row0);
  ScaleVector(row0, RSqrt(tran[ttScaleX]));

  tran[ttShearXY] = Single(VectorDotProduct(row0, row1));
  CombineVector(row1, row0, -tran[ttShearXY]);

  tran[ttScaleY] = VectorNorm(row1);
  ScaleVector(row1, RSqrt(tran[ttScaleY]));
  tran[ttShearXY] = Single(Ext(tran[ttShearXY]) / tran[ttScaleY]);

  tran[ttShearXZ] = Single(VectorDotProduct(row0, row2));
  CombineVector(row2, row0, -tran[ttShearXZ]);
  tran[ttShearYZ] = Single(VectorDotProduct(row1, row2));
  CombineVector(row2, row1, -tran[ttShearYZ]);

  tran[ttScaleZ] = VectorNorm(row2);
  ScaleVector(row2, RSqrt(tran[ttScaleZ]));
  tran[ttShearXZ] = Single(Ext(tran[ttShearXZ]) / tran[ttScaleZ]);
  tran[ttShearYZ] = Single(Ext(tran[ttShearYZ]) / tran[ttScaleZ]);

  if (VectorDotProduct(row0, VectorCrossProduct(row1, row2)) < 0) {
    for (int i = 0; i < 3; ++i) tran[ttScaleX + i] = -tran[ttScaleX + i];
    NegateVector(row0);
    NegateVector(row1);
    NegateVector(row2);
  }

  tran[ttRotateY] = Single(ArcSin(-Ext(row0[2])));
  if (std::cos(Ext(tran[ttRotateY])) != 0) {
    tran[ttRotateX] = ArcTan2Single(row1[2], row2[2]);
    tran[ttRotateZ] = ArcTan2Single(row0[1], row0[0]);
  } else {
    tran[ttRotateX] = ArcTan2Single(row1[0], row1[1]);
    tran[ttRotateZ] = 0;
  }
  return true;
}

TAffineVector CalcPlaneNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
  TAffineVector n = VectorCrossProduct(VectorSubtract(p2, p1), VectorSubtract(p3, p1));
  NormalizeVector(n);
  return n;
}

// Quaternions ------------------------------------------------------------------

float QuaternionMagnitude(const TQuaternion& q) { return Single(std::sqrt(VectorDotProduct4(q, q))); }

void NormalizeQuaternion(TQuaternion& q) {
  const float m = QuaternionMagnitude(q);
  if (m <= Epsilon2) {
    q = IdentityQuaternion;
    return;
  }
  for (float& c : q) c = Single(Ext(c) / m);
}

TQuaternion QuaternionMultiply(const TQuaternion& a, const TQuaternion& b) {
  const Ext ax = a[0], ay = a[1], az = a[2], aw = a[3];
  return {Single(aw * b[0] + ax * b[3] + ay * b[2] - az * b[1]), Single(aw * b[1] + ay * b[3] + az * b[0] - ax * b[2]),
          Single(aw * b[2] + az * b[3] + ax * b[1] - ay * b[0]), Single(aw * b[3] - ax * b[0] - ay * b[1] - az * b[2])};
}

TQuaternion QuaternionFromAngleAxis(const TAffineVector& axis, float angleDeg) {
  Ext s, c;
  SinCosExtended(DegToRad(angleDeg) / 2, s, c);
  const Ext f = s / std::sqrt(VectorDotProduct(axis, axis));
  return {Single(axis[0] * f), Single(axis[1] * f), Single(axis[2] * f), Single(c)};
}

TQuaternion QuaternionFromEuler(float x, float y, float z, TEulerAxisOrder order) {
  TQuaternion slots[3];
  slots[kEulerSlots[order][0] - 1] = QuaternionFromAngleAxis(XVector, x);
  slots[kEulerSlots[order][1] - 1] = QuaternionFromAngleAxis(YVector, y);
  slots[kEulerSlots[order][2] - 1] = QuaternionFromAngleAxis(ZVector, z);
  return QuaternionMultiply(slots[0], QuaternionMultiply(slots[1], slots[2]));
}

TQuaternion QuaternionFromEulerGuarded(float x, float y, float z, TEulerAxisOrder order) {
  float angles[3] = {NormalizeDegAngle(x), NormalizeDegAngle(y), NormalizeDegAngle(z)};
  // Checked in every build: QuaternionFromEuler indexes its table by the order.
  KX_SCENE_ASSERT(order >= eulXYZ && order <= eulZYX, "Geometry");
  int middle = 1;  // y for XYZ and ZYX
  switch (order) {
    case eulXZY:
    case eulYZX:
      middle = 2;
      break;
    case eulYXZ:
    case eulZXY:
      middle = 0;
      break;
    default:
      break;
  }
  if (std::fabs(std::fabs(Ext(angles[middle])) - 90) <= Epsilon2) {
    float below[3] = {angles[0], angles[1], angles[2]};
    float above[3] = {angles[0], angles[1], angles[2]};
    below[middle] = Single(angles[middle] - cGimbalOffsetDeg);
    above[middle] = Single(angles[middle] + cGimbalOffsetDeg);
    return QuaternionSlerp(QuaternionFromEuler(below[0], below[1], below[2], order),
                           QuaternionFromEuler(above[0], above[1], above[2], order), 0.5f);
  }
  return QuaternionFromEuler(angles[0], angles[1], angles[2], order);
}

TMatrix QuaternionToMatrix(const TQuaternion& quat) {
  TQuaternion q = quat;
  NormalizeQuaternion(q);
  const Ext x = q[0], y = q[1], z = q[2], w = q[3];
  return {{{Single(1 - 2 * (y * y + z * z)), Single(2 * (x * y + z * w)), Single(2 * (x * z - y * w)), 0},
           {Single(2 * (x * y - z * w)), Single(1 - 2 * (x * x + z * z)), Single(2 * (y * z + x * w)), 0},
           {Single(2 * (x * z + y * w)), Single(2 * (y * z - x * w)), Single(1 - 2 * (x * x + y * y)), 0},
           {0, 0, 0, 1}}};
}

TQuaternion QuaternionSlerp(const TQuaternion& q1, const TQuaternion& q2, float t) {
  Ext c = VectorDotProduct4(q1, q2);
  TQuaternion to = q2;
  if (c < 0) {
    c = -c;
    to = VectorNegate4(q2);
  }
  Ext k1, k2;
  if (1 - c <= Epsilon2) {
    k1 = 1 - Ext(t);
    k2 = t;
  } else {
    const Ext omega = ArcCos(c);
    const Ext sinOmega = std::sin(omega);
    k1 = std::sin((1 - Ext(t)) * omega) / sinOmega;
    k2 = std::sin(t * omega) / sinOmega;
  }
  TQuaternion r;
  for (int i = 0; i < 4; ++i) r[i] = Single(k1 * q1[i] + k2 * to[i]);
  NormalizeQuaternion(r);
  return r;
}

// Angles and scalars -----------------------------------------------------------

long double DegToRad(long double deg) { return deg * cPIdiv180Ext; }
float DegToRadSingle(float deg) { return Single(Ext(deg) * cPIdiv180); }
float RadToDegSingle(float rad) { return Single(Ext(rad) * c180divPI); }

float NormalizeDegAngle(float angle) {
  float a = Single(angle - IntExtended(Ext(angle) * cInv360) * 360);
  if (a > 180)
    a = Single(Ext(a) - 360);
  else if (a < -180)
    a = Single(Ext(a) + 360);
  return a;
}

void SinCosExtended(long double angle, long double& sine, long double& cosine) {
  long double s, c;
  __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(angle));
  sine = s;
  cosine = c;
}

void SinCos(float angle, float& sine, float& cosine) {
  long double s, c;
  SinCosExtended(angle, s, c);
  sine = Single(s);
  cosine = Single(c);
}

long double ArcTan2(long double y, long double x) {
  long double r;
  __asm__("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
  return r;
}

float ArcTan2Single(float y, float x) { return Single(ArcTan2(y, x)); }
long double ArcCos(long double x) { return ArcTan2(std::sqrt(1 - x * x), x); }
float ArcCosSingle(float x) { return Single(ArcCos(x)); }
long double ArcSin(long double x) { return ArcTan2(x, std::sqrt(1 - x * x)); }

float RSqrt(float x) { return Single(1 / std::sqrt(Ext(x))); }

float PowerSingle(float base, float exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  return Single(std::exp(exponent * std::log(Ext(base))));
}

int32_t TruncSingle(float value) {
  uint16_t saved;
  const uint16_t truncating = cTruncatingControlWord;
  int32_t result;
  __asm__ volatile(
      "fnstcw %0\n\t"
      "fldcw %2\n\t"
      "flds %3\n\t"
      "fistpl %1\n\t"
      "fldcw %0"
      : "=m"(saved), "=m"(result)
      : "m"(truncating), "m"(value));
  return result;
}

long double IntExtended(long double value) {
  uint16_t saved;
  const uint16_t truncating = cTruncatingControlWord;
  long double result;
  __asm__ volatile(
      "fnstcw %0\n\t"
      "fldcw %2\n\t"
      "fldt %3\n\t"
      "frndint\n\t"
      "fstpt %1\n\t"
      "fldcw %0"
      : "=m"(saved), "=m"(result)
      : "m"(truncating), "m"(value));
  return result;
}

int32_t RoundSingle(float value) {
  int32_t result;
  __asm__ volatile("flds %1\n\tfistpl %0" : "=m"(result) : "m"(value));
  return result;
}

float MaxFloat3(float a, float b, float c) {
  float m = a;
  if (b > m) m = b;
  if (c > m) m = c;
  return m;
}

float MaxXYZComponent(const TAffineVector& v) { return MaxFloat3(v[0], v[1], v[2]); }

float ClampValue(float value, float min, float max) {
  if (value < min) return min;
  if (value <= max) return value;
  return max;
}

// Ray and volume tests ---------------------------------------------------------

int RayCastSphereIntersect(const TVector& start, const TVector& direction, const TVector& centre, float radius,
                           TVector& i1, TVector& i2) {
  const float p = Single(VectorDotProduct4(direction, VectorSubtract4(centre, start)));
  const TVector q = VectorCombine4(start, direction, 1, p);
  float h = Single(Sqr(radius) - VectorDistance2(Affine(centre), Affine(q)));
  if (h < 0) return 0;
  if (h == 0) {
    if (p <= 0) return 0;
    i1 = q;
    return 1;
  }
  h = Single(std::sqrt(Ext(h)));
  const float entry = Single(Ext(p) - h), exit = Single(Ext(p) + h);
  if (entry >= 0) {
    i1 = VectorCombine4(start, direction, 1, entry);
    i2 = VectorCombine4(start, direction, 1, exit);
    return 2;
  }
  if (exit >= 0) {
    i1 = VectorCombine4(start, direction, 1, exit);
    return 1;
  }
  return 0;
}

bool RayCastPlaneIntersect(const TVector& start, const TVector& direction, const TVector& planePoint,
                           const TVector& planeNormal, TVector* intersection) {
  const Ext d = VectorDotProduct4(direction, planeNormal);
  if (!(d > Epsilon2 || d < -Epsilon2)) return false;
  if (!intersection) return true;
  const float t = Single(VectorDotProduct4(VectorSubtract4(planePoint, start), planeNormal) / d);
  if (t <= 0) return false;
  *intersection = VectorCombine4(start, direction, 1, t);
  return true;
}

bool IsVolumeClipped(const TAffineVector& centre, float radius, const TRenderContextClippingInfo& rci) {
  const TAffineVector v = VectorSubtract(centre, Affine(rci.origin));
  const TAffineVector dir = Affine(rci.clippingDirection);
  const float p = Single(VectorDotProduct(v, dir));
  if (Ext(p) + radius <= 0) return true;
  if (Ext(p) - radius >= rci.farClippingDistance) return true;
  if (p <= 0) return Sqr(radius) < VectorDotProduct(v, v);
  const TAffineVector offAxis = VectorSubtract(v, VectorScale(dir, p));
  return VectorDotProduct(offAxis, offAxis) > Sqr(cCullingWidening * p * rci.viewPortRadius + radius);
}

bool IsBoxVolumeClipped(const TAffineVector& min, const TAffineVector& max, const TRenderContextClippingInfo& rci) {
  const TAffineVector centre = VectorScale(VectorAdd(min, max), 0.5f);
  const float radius = Single(VectorDistance(min, max) * 0.5L);
  return IsVolumeClipped(centre, radius, rci);
}

}  // namespace kx
