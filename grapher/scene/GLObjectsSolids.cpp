// The torus and the dodecahedron: fixed shapes built with immediate-mode GL.
#include "scene/GLObjectsSolids.h"
#include "scene/GLObjectsDetail.h"
#include "scene/Polynomials.h"
#include "scene/XOpenGL.h"

#include <algorithm>
#include <cmath>

namespace kx {

namespace {

struct SolidsModule {
  SolidsModule() { RegisterClasses({&TTorus::StaticClass(), &TDodecahedron::StaticClass()}); }
};
SolidsModule solidsModule;

constexpr float kPhi = 1.618034f, kInvPhi = 0.618034f;
constexpr TAffineVector kDodecahedronVertices[20] = {
    {-kPhi, 0, kInvPhi}, {-kPhi, 0, -kInvPhi}, {kPhi, 0, -kInvPhi}, {kPhi, 0, kInvPhi}, {kInvPhi, -kPhi, 0},
    {-kInvPhi, -kPhi, 0}, {-kInvPhi, kPhi, 0}, {kInvPhi, kPhi, 0}, {0, kInvPhi, -kPhi}, {0, -kInvPhi, -kPhi},
    {0, -kInvPhi, kPhi}, {0, kInvPhi, kPhi}, {-1, -1, 1}, {-1, -1, -1}, {1, -1, -1},
    {1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {1, 1, -1}, {1, 1, 1}};
constexpr int kDodecahedronFaces[12][5] = {{0, 12, 10, 11, 16}, {1, 17, 8, 9, 13}, {2, 14, 9, 8, 18},
                                           {3, 19, 11, 10, 15}, {4, 14, 2, 3, 15}, {5, 12, 0, 1, 13},
                                           {6, 17, 1, 0, 16},   {7, 19, 3, 2, 18}, {8, 17, 6, 7, 18},
                                           {9, 14, 4, 5, 13},   {10, 12, 5, 4, 15}, {11, 19, 7, 6, 16}};

}  // namespace

KX_PUBLISH(TTorus) {
  p.Property("MajorRadius", &TTorus::MajorRadius, &TTorus::SetMajorRadius);
  p.Property("MinorRadius", &TTorus::MinorRadius, &TTorus::SetMinorRadius);
  p.Property("Rings", &TTorus::Rings, &TTorus::SetRings).Default(25);
  p.Property("Sides", &TTorus::Sides, &TTorus::SetSides).Default(15);
}

KX_PUBLISH(TDodecahedron) {}

void DodecahedronBuildList() {
  GL.glPushMatrix();
  GL.glScalef(0.3f, 0.3f, 0.3f);
  for (const auto& face : kDodecahedronFaces) {
    const TAffineVector& a = kDodecahedronVertices[face[0]];
    const TAffineVector& b = kDodecahedronVertices[face[1]];
    const TAffineVector& c = kDodecahedronVertices[face[2]];
    const TAffineVector n = VectorNormalize(VectorCrossProduct(VectorSubtract(c, b), VectorSubtract(a, b)));
    GL.glBegin(GL_TRIANGLE_FAN);
    GL.glNormal3fv(n.data());
    for (int index : face) GL.glVertex3fv(kDodecahedronVertices[index].data());
    GL.glEnd();
  }
  GL.glPopMatrix();
}

// TTorus ------------------------------------------------------------------------------------

void TTorus::SetMajorRadius(float value) { Change(*this, majorRadius_, value); }
void TTorus::SetMinorRadius(float value) { Change(*this, minorRadius_, value); }
void TTorus::SetRings(uint32_t value) { Change(*this, rings_, std::max<uint32_t>(value, 2)); }
void TTorus::SetSides(uint32_t value) { Change(*this, sides_, std::max<uint32_t>(value, 3)); }

TVector TTorus::AxisAlignedDimensions() {
  const TVector& s = Scale()->AsVector();
  return {Single(std::fabs(majorRadius_) * static_cast<long double>(s[0])),
          Single(std::fabs(minorRadius_) * static_cast<long double>(s[1])),
          Single(std::fabs(majorRadius_) * static_cast<long double>(s[2])), 0};
}

void TTorus::BuildList(TRenderContextInfo&) {
  const float ringDelta = Single(static_cast<long double>(c2PI) / rings_);
  const float sideDelta = Single(static_cast<long double>(c2PI) / sides_);
  const float fi = Single(1.0L / rings_), fj = Single(1.0L / sides_);
  float theta = 0, sinTheta = 0, cosTheta = 1;
  for (int i = static_cast<int>(rings_) - 1; i >= 0; --i) {
    const float nextTheta = Single(static_cast<long double>(theta) + ringDelta);
    float sinNext, cosNext;
    SinCos(nextTheta, sinNext, cosNext);
    GL.glBegin(GL_QUAD_STRIP);
    float phi = 0;
    for (int j = static_cast<int>(sides_); j >= 0; --j) {
      phi = Single(static_cast<long double>(phi) + sideDelta);
      float sinPhi, cosPhi;
      SinCos(phi, sinPhi, cosPhi);
      const float d = Single(static_cast<long double>(minorRadius_) * cosPhi + majorRadius_);
      const float z = Single(static_cast<long double>(minorRadius_) * sinPhi);
      xglTexCoord2f(Single((i + 1) * static_cast<long double>(fi)), Single(j * static_cast<long double>(fj)));
      GL.glNormal3f(Single(static_cast<long double>(cosNext) * cosPhi), Single(-static_cast<long double>(sinNext) * cosPhi),
                    sinPhi);
      GL.glVertex3f(Single(static_cast<long double>(cosNext) * d), Single(-static_cast<long double>(sinNext) * d), z);
      xglTexCoord2f(Single(i * static_cast<long double>(fi)), Single(j * static_cast<long double>(fj)));
      GL.glNormal3f(Single(static_cast<long double>(cosTheta) * cosPhi),
                    Single(-static_cast<long double>(sinTheta) * cosPhi), sinPhi);
      GL.glVertex3f(Single(static_cast<long double>(cosTheta) * d), Single(-static_cast<long double>(sinTheta) * d), z);
    }
    GL.glEnd();
    theta = nextTheta;
    sinTheta = sinNext;
    cosTheta = cosNext;
  }
}

bool TTorus::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                              TVector* intersectNormal) {
  const double big2 = static_cast<double>(majorRadius_) * majorRadius_;
  const double small2 = static_cast<double>(minorRadius_) * minorRadius_;
  const TVector s = AbsoluteToLocal(rayStart);
  TVector v = AbsoluteToLocal(rayVector);
  v[3] = 0;
  NormalizeVector4(v);
  const double d = static_cast<double>(s[0]) * v[0] + static_cast<double>(s[1]) * v[1] + static_cast<double>(s[2]) * v[2];
  const double k = static_cast<double>(s[0]) * s[0] + static_cast<double>(s[1]) * s[1] +
                   static_cast<double>(s[2]) * s[2] - (big2 + small2);
  const double c[5] = {k * k - 4 * big2 * (small2 - static_cast<double>(s[2]) * s[2]),
                       4 * d * k + 8 * big2 * v[2] * s[2], 4 * d * d + 2 * k + 4 * big2 * v[2] * v[2], 4 * d, 1};
  double tmin = 1e20;
  bool found = false;
  for (double t : SolveQuartic(c)) {
    if (t > 0 && t < tmin) {
      tmin = t;
      found = true;
    }
  }
  if (!found) return false;
  const TVector p = VectorCombine4(s, v, 1, static_cast<float>(tmin));
  if (intersectPoint) *intersectPoint = LocalToAbsolute({p[0], p[1], p[2], 1});
  if (intersectNormal) {
    const long double scale =
        majorRadius_ / (std::sqrt(static_cast<long double>(p[0]) * p[0] + static_cast<long double>(p[1]) * p[1]) + 1e-6L);
    const TVector n{Single(p[0] - p[0] * scale), Single(p[1] - p[1] * scale), p[2], 0};
    *intersectNormal = LocalToAbsolute(n);
  }
  return true;
}

}  // namespace kx
