// The disk, cone, cylinder and annulus: GLU quadrics, the last three turned
// so that GLU's +Z runs along the node's +Y.
#include "scene/GLObjectsQuadrics.h"
#include "scene/GLObjectsDetail.h"
#include "scene/Polynomials.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kx {

namespace {

struct QuadricsModule {
  QuadricsModule() {
    RegisterClasses(
        {&TDisk::StaticClass(), &TCone::StaticClass(), &TCylinder::StaticClass(), &TAnnulus::StaticClass()});
  }
};
QuadricsModule quadricsModule;

TVector ScaledHalfExtents(TGLBaseSceneObject& node, long double x, long double y, long double z) {
  TGLCoordinates& s = *node.Scale();
  return {Single(x * s.X()), Single(y * s.Y()), Single(z * s.Z()), 0};
}

}  // namespace

KX_PUBLISH(TDisk) {
  p.Property("InnerRadius", &TDisk::InnerRadius, &TDisk::SetInnerRadius);
  p.Property("Loops", &TDisk::Loops, &TDisk::SetLoops).Default(2);
  p.Property("OuterRadius", &TDisk::OuterRadius, &TDisk::SetOuterRadius);
  p.Property("Slices", &TDisk::Slices, &TDisk::SetSlices).Default(16);
  p.Property("StartAngle", &TDisk::StartAngle, &TDisk::SetStartAngle);
  p.Property("SweepAngle", &TDisk::SweepAngle, &TDisk::SetSweepAngle);
}

KX_PUBLISH(TCone) { p.Property("Parts", &TCone::Parts, &TCone::SetParts).Default(TConeParts{coSides, coBottom}.Bits()); }

KX_PUBLISH(TCylinder) {
  p.Property("TopRadius", &TCylinder::TopRadius, &TCylinder::SetTopRadius);
  p.Property("Parts", &TCylinder::Parts, &TCylinder::SetParts)
      .Default(TCylinderParts{cySides, cyBottom, cyTop}.Bits());
  p.Property("Alignment", &TCylinder::Alignment, &TCylinder::SetAlignment).Default(caCenter);
}

KX_PUBLISH(TAnnulus) {
  p.Property("BottomInnerRadius", &TAnnulus::BottomInnerRadius, &TAnnulus::SetBottomInnerRadius);
  p.Property("TopInnerRadius", &TAnnulus::TopInnerRadius, &TAnnulus::SetTopInnerRadius);
  p.Property("TopRadius", &TAnnulus::TopRadius, &TAnnulus::SetTopRadius);
  p.Property("Parts", &TAnnulus::Parts, &TAnnulus::SetParts)
      .Default(TAnnulusParts{anInnerSides, anOuterSides, anBottom, anTop}.Bits());
}

// TDisk -------------------------------------------------------------------------------------

void TDisk::SetInnerRadius(float value) { Change(*this, innerRadius_, value); }
void TDisk::SetLoops(int value) { Change(*this, loops_, value); }
void TDisk::SetOuterRadius(float value) { Change(*this, outerRadius_, value); }
void TDisk::SetSlices(int value) { Change(*this, slices_, value); }
void TDisk::SetStartAngle(float value) { Change(*this, startAngle_, value); }
void TDisk::SetSweepAngle(float value) { Change(*this, sweepAngle_, value); }

void TDisk::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TDisk*>(source)) {
    outerRadius_ = other->outerRadius_;
    innerRadius_ = other->innerRadius_;
    slices_ = other->slices_;
    loops_ = other->loops_;
    startAngle_ = other->startAngle_;
    sweepAngle_ = other->sweepAngle_;
  }
  TQuadricObject::Assign(source);
}

TVector TDisk::AxisAlignedDimensions() {
  const long double r = std::fabs(outerRadius_);
  return ScaledHalfExtents(*this, r, r, 0);
}

void TDisk::BuildList(TRenderContextInfo&) {
  const Quadric quadric;
  SetupQuadricParams(quadric.q);
  GL.gluPartialDisk(quadric.q, innerRadius_, outerRadius_, slices_, loops_, startAngle_, sweepAngle_);
}

bool TDisk::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                             TVector* intersectNormal) {
  TVector hit{};
  if (!RayCastPlaneIntersect(rayStart, rayVector, AbsolutePosition(), AbsoluteDirection(), &hit)) return false;
  if (intersectPoint) *intersectPoint = hit;
  const TVector local = AbsoluteToLocal(hit);
  const long double d2 = static_cast<long double>(local[0]) * local[0] + static_cast<long double>(local[1]) * local[1] +
                         static_cast<long double>(local[2]) * local[2];
  if (static_cast<long double>(innerRadius_) * innerRadius_ > d2 ||
      static_cast<long double>(outerRadius_) * outerRadius_ < d2)
    return false;
  if (intersectNormal) *intersectNormal = AbsoluteDirection();
  return true;
}

// TCone -------------------------------------------------------------------------------------

void TCone::SetParts(TConeParts value) { Change(*this, parts_, value); }

void TCone::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCone*>(source)) parts_ = other->parts_;
  TCylinderBase::Assign(source);
}

TVector TCone::AxisAlignedDimensions() {
  const long double r = std::fabs(BottomRadius());
  return ScaledHalfExtents(*this, r, 0.5L * Height(), r);
}

void TCone::BuildList(TRenderContextInfo&) {
  const Quadric quadric;
  SetupQuadricParams(quadric.q);
  GL.glPushMatrix();
  GL.glRotated(-90, 1, 0, 0);
  GL.glTranslatef(0, 0, -Height() * 0.5f);
  if (parts_.Contains(coSides)) GL.gluCylinder(quadric.q, BottomRadius(), 0, Height(), Slices(), Stacks());
  if (parts_.Contains(coBottom)) {
    SetInvertedQuadricOrientation(quadric.q);
    GL.gluDisk(quadric.q, 0, BottomRadius(), Slices(), Loops());
  }
  GL.glPopMatrix();
}

// TCylinder ---------------------------------------------------------------------------------

void TCylinder::SetTopRadius(float value) { Change(*this, topRadius_, value); }
void TCylinder::SetParts(TCylinderParts value) { Change(*this, parts_, value); }
void TCylinder::SetAlignment(TCylinderAlignment value) { Change(*this, alignment_, value); }

void TCylinder::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCylinder*>(source)) {
    parts_ = other->parts_;
    topRadius_ = other->topRadius_;
  }
  TCylinderBase::Assign(source);
}

TVector TCylinder::AxisAlignedDimensions() {
  const long double r = std::max(std::fabs(BottomRadius()), std::fabs(topRadius_));
  return ScaledHalfExtents(*this, r, 0.5L * Height(), r);
}

void TCylinder::BuildList(TRenderContextInfo&) {
  const Quadric quadric;
  SetupQuadricParams(quadric.q);
  GL.glPushMatrix();
  GL.glRotatef(-90, 1, 0, 0);
  if (alignment_ == caCenter)
    GL.glTranslatef(0, 0, -Height() * 0.5f);
  else if (alignment_ == caTop)
    GL.glTranslatef(0, 0, -Height());
  if (parts_.Contains(cySides)) GL.gluCylinder(quadric.q, BottomRadius(), topRadius_, Height(), Slices(), Stacks());
  if (parts_.Contains(cyTop)) {
    GL.glPushMatrix();
    GL.glTranslatef(0, 0, Height());
    GL.gluDisk(quadric.q, 0, topRadius_, Slices(), Loops());
    GL.glPopMatrix();
  }
  if (parts_.Contains(cyBottom)) {
    SetInvertedQuadricOrientation(quadric.q);
    GL.gluDisk(quadric.q, 0, BottomRadius(), Slices(), Loops());
  }
  GL.glPopMatrix();
}

bool TCylinder::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                                 TVector* intersectNormal) {
  const TVector s = AbsoluteToLocal(rayStart), v = AbsoluteToLocal(rayVector);
  const double height = Height();
  const double lo = alignment_ == caCenter ? -height / 2 : alignment_ == caTop ? -height : 0;
  const double hi = alignment_ == caCenter ? height / 2 : alignment_ == caTop ? 0 : height;
  const double r2 = static_cast<double>(topRadius_) * topRadius_;
  bool result = false;
  double tmin, tmax;
  // A cap hit where the ray crosses the plane at `y` within the radius.
  auto cap = [&](double t, double y, float normalY) {
    const double x = s[0] + t * v[0], z = s[2] + t * v[2];
    if (x * x + z * z > r2) return;
    if (intersectPoint) *intersectPoint = LocalToAbsolute({float(x), float(y), float(z), 1});
    if (intersectNormal) *intersectNormal = LocalToAbsolute({0, normalY, 0, 0});
    result = true;
  };
  if (v[1] == 0) {
    if (s[1] > hi || s[1] < lo) return false;
    tmin = -std::numeric_limits<double>::infinity();
    tmax = std::numeric_limits<double>::infinity();
  } else {
    const double k = 1 / static_cast<double>(v[1]);
    double t = (hi - s[1]) * k;
    if (t > 0 && parts_.Contains(cyTop)) cap(t, hi, 1);
    tmin = tmax = t;
    t = (lo - s[1]) * k;
    if (t > 0 && parts_.Contains(cyBottom) && (t < tmin || !parts_.Contains(cyTop))) cap(t, lo, -1);
    tmin = std::min(tmin, t);
    tmax = std::max(tmax, t);
  }
  if (parts_.Contains(cySides)) {
    const double c[3] = {static_cast<double>(s[0]) * s[0] + static_cast<double>(s[2]) * s[2] - r2,
                         2 * (static_cast<double>(s[0]) * v[0] + static_cast<double>(s[2]) * v[2]),
                         static_cast<double>(v[0]) * v[0] + static_cast<double>(v[2]) * v[2]};
    double t;
    if (MinPositiveCoef(SolveQuadric(c), t)) {
      if (t < tmin || t >= tmax) return result;
      const TVector p = VectorCombine4(s, v, 1, static_cast<float>(t));
      if (intersectPoint) *intersectPoint = LocalToAbsolute(p);
      if (intersectNormal) *intersectNormal = LocalToAbsolute({p[0], 0, p[2], 0});
      result = true;
    }
  }
  return result;
}

// TAnnulus ----------------------------------------------------------------------------------

void TAnnulus::SetBottomInnerRadius(float value) { Change(*this, bottomInnerRadius_, value); }
void TAnnulus::SetTopInnerRadius(float value) { Change(*this, topInnerRadius_, value); }
void TAnnulus::SetTopRadius(float value) { Change(*this, topRadius_, value); }
void TAnnulus::SetParts(TAnnulusParts value) { Change(*this, parts_, value); }

void TAnnulus::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TAnnulus*>(source)) {
    parts_ = other->parts_;
    topRadius_ = other->topRadius_;
    topInnerRadius_ = other->topInnerRadius_;
    bottomInnerRadius_ = other->bottomInnerRadius_;
  }
  TCylinderBase::Assign(source);
}

TVector TAnnulus::AxisAlignedDimensions() {
  const long double r = std::max(std::fabs(BottomRadius()), std::fabs(topRadius_));
  return ScaledHalfExtents(*this, r, 0.5L * Height(), r);
}

void TAnnulus::BuildList(TRenderContextInfo&) {
  const Quadric quadric;
  SetupQuadricParams(quadric.q);
  GL.glPushMatrix();
  GL.glRotatef(-90, 1, 0, 0);
  GL.glTranslatef(0, 0, -Height() * 0.5f);
  if (parts_.Contains(anOuterSides))
    GL.gluCylinder(quadric.q, BottomRadius(), topRadius_, Height(), Slices(), Stacks());
  if (parts_.Contains(anTop)) {
    GL.glPushMatrix();
    GL.glTranslatef(0, 0, Height());
    GL.gluDisk(quadric.q, topInnerRadius_, topRadius_, Slices(), Loops());
    GL.glPopMatrix();
  }
  if (parts_.Contains(anInnerSides) || parts_.Contains(anBottom)) {
    SetInvertedQuadricOrientation(quadric.q);
    if (parts_.Contains(anBottom)) GL.gluDisk(quadric.q, bottomInnerRadius_, BottomRadius(), Slices(), Loops());
    if (parts_.Contains(anInnerSides))
      GL.gluCylinder(quadric.q, bottomInnerRadius_, topInnerRadius_, Height(), Slices(), Stacks());
  }
  GL.glPopMatrix();
}

}  // namespace kx
