#include "scene/GLObjects.h"
#include "scene/GLObjectsDetail.h"

#include "scene/GLCrossPlatform.h"
#include "scene/XOpenGL.h"

#include <cmath>
#include <memory>

namespace kx {

namespace {

constexpr const char* kModule = "GLObjects";
constexpr int kStartLine = 2912, kStopLine = 2923;
constexpr GLbitfield kLineAttributes =
    GL_CURRENT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT;

struct ObjectsModule {
  ObjectsModule() { RegisterClasses({&TSphere::StaticClass(), &TArrowLine::StaticClass()}); }
};
ObjectsModule objectsModule;

void CheckRange(const char* name, int value, int low, int high) {
  if (value < low || value > high)
    throw EPropertyError(std::string(name) + " " + std::to_string(value) + " is outside " + std::to_string(low) + ".." +
                         std::to_string(high));
}


}  // namespace

KX_PUBLISH(TLineBase) {
  p.Property("LineColor", &TLineBase::LineColor, &TLineBase::SetLineColor);
  p.Property("LinePattern", &TLineBase::LinePattern, &TLineBase::SetLinePattern).Default(0xFFFF);
  p.Property("LineWidth", &TLineBase::LineWidth, &TLineBase::SetLineWidth);
  p.Property("AntiAliased", &TLineBase::AntiAliased, &TLineBase::SetAntiAliased).Default(false);
}

KX_PUBLISH(TQuadricObject) {
  p.Property("Normals", &TQuadricObject::Normals, &TQuadricObject::SetNormals).Default(nsSmooth);
  p.Property("NormalDirection", &TQuadricObject::NormalDirection, &TQuadricObject::SetNormalDirection)
      .Default(ndOutside);
}

KX_PUBLISH(TSphere) {
  p.Property("Bottom", &TSphere::Bottom, &TSphere::SetBottom).Default(-90);
  p.Property("BottomCap", &TSphere::BottomCap, &TSphere::SetBottomCap).Default(ctNone);
  p.Property("Radius", &TSphere::Radius, &TSphere::SetRadius);
  p.Property("Slices", &TSphere::Slices, &TSphere::SetSlices).Default(16);
  p.Property("Stacks", &TSphere::Stacks, &TSphere::SetStacks).Default(16);
  p.Property("Start", &TSphere::Start, &TSphere::SetStart).Default(0);
  p.Property("Stop", &TSphere::Stop, &TSphere::SetStop).Default(360);
  p.Property("Top", &TSphere::Top, &TSphere::SetTop).Default(90);
  p.Property("TopCap", &TSphere::TopCap, &TSphere::SetTopCap).Default(ctNone);
}

KX_PUBLISH(TCylinderBase) {
  p.Property("BottomRadius", &TCylinderBase::BottomRadius, &TCylinderBase::SetBottomRadius);
  p.Property("Height", &TCylinderBase::Height, &TCylinderBase::SetHeight);
  p.Property("Slices", &TCylinderBase::Slices, &TCylinderBase::SetSlices).Default(16);
  p.Property("Stacks", &TCylinderBase::Stacks, &TCylinderBase::SetStacks).Default(4);
  p.Property("Loops", &TCylinderBase::Loops, &TCylinderBase::SetLoops).Default(1);
}

KX_PUBLISH(TArrowLine) {
  p.Property("TopRadius", &TArrowLine::TopRadius, &TArrowLine::SetTopRadius);
  p.Property("HeadStackingStyle", &TArrowLine::HeadStackingStyle, &TArrowLine::SetHeadStackingStyle)
      .Default(ahssStacked);
  p.Property("Parts", &TArrowLine::Parts, &TArrowLine::SetParts).Default(TArrowLineParts{alLine, alTopArrow}.Bits());
  p.Property("TopArrowHeadHeight", &TArrowLine::TopArrowHeadHeight, &TArrowLine::SetTopArrowHeadHeight);
  p.Property("TopArrowHeadRadius", &TArrowLine::TopArrowHeadRadius, &TArrowLine::SetTopArrowHeadRadius);
  p.Property("BottomArrowHeadHeight", &TArrowLine::BottomArrowHeadHeight, &TArrowLine::SetBottomArrowHeadHeight);
  p.Property("BottomArrowHeadRadius", &TArrowLine::BottomArrowHeadRadius, &TArrowLine::SetBottomArrowHeadRadius);
}

// TLineBase -------------------------------------------------------------------------------

TLineBase::TLineBase(TComponent* owner)
    : TGLImmaterialSceneObject(owner), lineColor_(std::make_unique<TGLColor>(this, TColorVector{1, 1, 1, 1})) {}

TLineBase::~TLineBase() = default;

void TLineBase::SetLineColor(TGLColor* value) {
  if (value) lineColor_->SetColorVector(value->Color());
  StructureChanged();
}

void TLineBase::SetLinePattern(uint16_t value) { Change(*this, linePattern_, value); }
void TLineBase::SetLineWidth(float value) { Change(*this, lineWidth_, value); }
void TLineBase::SetAntiAliased(bool value) { Change(*this, antiAliased_, value); }

void TLineBase::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TLineBase*>(source)) {
    lineColor_->Initialize(other->lineColor_->Color());
    linePattern_ = other->linePattern_;
    lineWidth_ = other->lineWidth_;
    antiAliased_ = other->antiAliased_;
    StructureChanged();
    return;
  }
  TGLImmaterialSceneObject::Assign(source);
}

void TLineBase::SetupLineStyle() {
  GL.glPushAttrib(kLineAttributes);
  GL.glDisable(GL_LIGHTING);
  if (linePattern_ != 0xFFFF) {
    GL.glEnable(GL_LINE_STIPPLE);
    GL.glEnable(GL_BLEND);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GL.glLineStipple(1, linePattern_);
  }
  if (antiAliased_)
    GL.glEnable(GL_LINE_SMOOTH);
  else
    GL.glDisable(GL_LINE_SMOOTH);
  GL.glLineWidth(lineWidth_);
  if (lineColor_->Alpha() != 1) {
    GL.glEnable(GL_BLEND);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GL.glColor4fv(lineColor_->AsAddress());
  } else {
    GL.glColor3fv(lineColor_->AsAddress());
  }
}

void TLineBase::RestoreLineStyle() { GL.glPopAttrib(); }

// TQuadricObject ------------------------------------------------------------------------------

TQuadricObject::TQuadricObject(TComponent* owner) : TGLStageObject(owner) {}

void TQuadricObject::SetNormals(TNormalSmoothing value) { Change(*this, normals_, value); }
void TQuadricObject::SetNormalDirection(TNormalDirection value) { Change(*this, normalDirection_, value); }

void TQuadricObject::SetupQuadricParams(GLUquadric* quadric) {
  static constexpr GLenum kNormals[] = {GLU_FLAT, GLU_SMOOTH, GLU_NONE};
  GL.gluQuadricDrawStyle(quadric, GLU_FILL);
  GL.gluQuadricNormals(quadric, kNormals[normals_]);
  SetNormalQuadricOrientation(quadric);
  GL.gluQuadricTexture(quadric, GL_TRUE);
}

void TQuadricObject::SetNormalQuadricOrientation(GLUquadric* quadric) {
  GL.gluQuadricOrientation(quadric, normalDirection_ == ndOutside ? GLU_OUTSIDE : GLU_INSIDE);
}

void TQuadricObject::SetInvertedQuadricOrientation(GLUquadric* quadric) {
  GL.gluQuadricOrientation(quadric, normalDirection_ == ndOutside ? GLU_INSIDE : GLU_OUTSIDE);
}

void TQuadricObject::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TQuadricObject*>(source)) {
    normals_ = other->normals_;
    normalDirection_ = other->normalDirection_;
  }
  TGLStageObject::Assign(source);
}

// TSphere ----------------------------------------------------------------------------------------

TSphere::TSphere(TComponent* owner) : TQuadricObject(owner) {}

void TSphere::SetRadius(float value) { Change(*this, radius_, value); }
void TSphere::SetSlices(int value) { Change(*this, slices_, value == 0 ? 1 : value); }
void TSphere::SetStacks(int value) { Change(*this, stacks_, value == 0 ? 1 : value); }

void TSphere::SetTop(int value) {
  CheckRange("Top", value, -90, 90);
  Change(*this, top_, value);
}

void TSphere::SetBottom(int value) {
  CheckRange("Bottom", value, -90, 90);
  Change(*this, bottom_, value);
}

void TSphere::SetStart(int value) {
  CheckRange("Start", value, 0, 360);
  Assert(value <= stop_, "Assertion failure", kModule, kStartLine);
  Change(*this, start_, value);
}

void TSphere::SetStop(int value) {
  CheckRange("Stop", value, 0, 360);
  Assert(value >= start_, "Assertion failure", kModule, kStopLine);
  Change(*this, stop_, value);
}

void TSphere::SetTopCap(TCapType value) { Change(*this, topCap_, value); }
void TSphere::SetBottomCap(TCapType value) { Change(*this, bottomCap_, value); }

void TSphere::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TSphere*>(source)) {
    radius_ = other->radius_;
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    bottom_ = other->bottom_;
    top_ = other->top_;
    start_ = other->start_;
    stop_ = other->stop_;
  }
  TQuadricObject::Assign(source);
}

TVector TSphere::AxisAlignedDimensions() { return VectorScale4(Scale()->AsVector(), std::fabs(radius_)); }

bool TSphere::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                               TVector* intersectNormal) {
  const TVector localStart = AbsoluteToLocal(rayStart);
  TVector localVector = AbsoluteToLocal(rayVector);
  NormalizeVector4(localVector);
  TVector i1{}, i2{};
  if (RayCastSphereIntersect(localStart, localVector, NullHmgPoint, radius_, i1, i2) <= 0) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(i1);
  if (intersectNormal) {
    TVector normal = i1;
    normal[3] = 0;
    *intersectNormal = LocalToAbsolute(normal);
  }
  return true;
}

namespace {

// A point of the unit sphere: longitude 0 is +Z, 90 is +X, latitude 90 is +Y.
TAffineVector SpherePoint(long double latitude, long double longitude) {
  long double sinLat, cosLat, sinLong, cosLong;
  SinCosExtended(latitude, sinLat, cosLat);
  SinCosExtended(longitude, sinLong, cosLong);
  return {Single(cosLat * sinLong), Single(sinLat), Single(cosLat * cosLong)};
}

// A cap closing the sphere at one latitude: a fan around the centre of the
// sphere (ctCenter) or of the cut (ctFlat). `pole` is (0, 1, 0) for the top
// cap and (0, -1, 0) for the bottom one; the rim runs from `from` by `step`.
void BuildCap(TCapType cap, long double latitude, long double from, long double step, int slices, float pole,
              bool inside) {
  long double s, c;
  SinCosExtended(latitude, s, c);
  const float normalY = inside ? -pole : pole;
  GL.glBegin(GL_TRIANGLE_FAN);
  xglTexCoord2f(0.5f, 0.5f);
  GL.glNormal3f(0, normalY, 0);
  TAffineVector normal{0, normalY, 0};
  if (cap == ctCenter)
    GL.glVertex3f(0, 0, 0);
  else
    GL.glVertex3f(0, Single(s), 0);
  long double phi = from;
  for (int j = 0; j <= slices; ++j, phi += step) {
    long double sinPhi, cosPhi;
    SinCosExtended(phi, sinPhi, cosPhi);
    const TAffineVector v{Single(c * sinPhi), Single(s), Single(c * cosPhi)};
    if (cap == ctCenter) {
      normal = VectorPerpendicular({0, pole, 0}, v);
      if (inside) NegateVector(normal);
    }
    xglTexCoord2f(Single(sinPhi * 0.5L + 0.5L), Single(cosPhi * 0.5L + 0.5L));
    GL.glNormal3fv(normal.data());
    GL.glVertex3fv(v.data());
  }
  GL.glEnd();
}

}  // namespace

void TSphere::BuildList(TRenderContextInfo&) {
  const bool inside = NormalDirection() == ndInside;
  GL.glPushAttrib(GL_POLYGON_BIT);
  if (inside) InvertGLFrontFace();
  const long double top = DegToRadSingle(static_cast<float>(top_));
  const long double bottom = DegToRadSingle(static_cast<float>(bottom_));
  const long double start = DegToRadSingle(static_cast<float>(start_));
  const long double stop = DegToRadSingle(static_cast<float>(stop_));
  const long double stepH = (stop - start) / slices_;
  const long double stepV = (top - bottom) / stacks_;
  GL.glPushMatrix();
  GL.glScalef(radius_, radius_, radius_);

  if (top_ < 90 && (topCap_ == ctCenter || topCap_ == ctFlat)) BuildCap(topCap_, top, start, stepH, slices_, 1, inside);

  long double theta1 = top, theta2 = top - stepV;
  const float fu = Single(1.0L / slices_), fv = Single(1.0L / stacks_);
  for (int i = 0; i < stacks_; ++i) {
    const float ta = Single(1 - i * static_cast<long double>(fv));
    const float tb = Single(1 - (i + 1) * static_cast<long double>(fv));
    GL.glBegin(GL_TRIANGLE_STRIP);
    long double phi = start;
    for (int j = 0; j <= slices_; ++j, phi += stepH) {
      TAffineVector a = SpherePoint(theta1, phi), b = SpherePoint(theta2, phi);
      const float u = Single(j * static_cast<long double>(fu));
      xglTexCoord2f(u, ta);
      const TAffineVector na = inside ? VectorNegate(a) : a, nb = inside ? VectorNegate(b) : b;
      GL.glNormal3fv(na.data());
      GL.glVertex3fv(a.data());
      xglTexCoord2f(u, tb);
      GL.glNormal3fv(nb.data());
      GL.glVertex3fv(b.data());
    }
    GL.glEnd();
    theta1 = theta2;
    theta2 -= stepV;
  }

  if (bottom_ > -90 && (bottomCap_ == ctCenter || bottomCap_ == ctFlat))
    BuildCap(bottomCap_, bottom, stop, -stepH, slices_, -1, inside);

  if (inside) InvertGLFrontFace();
  GL.glPopMatrix();
  GL.glPopAttrib();
}

// TCylinderBase ------------------------------------------------------------------------------------

TCylinderBase::TCylinderBase(TComponent* owner) : TQuadricObject(owner) {}

void TCylinderBase::SetBottomRadius(float value) { Change(*this, bottomRadius_, value); }
void TCylinderBase::SetHeight(float value) { Change(*this, height_, value); }
void TCylinderBase::SetSlices(int value) { Change(*this, slices_, value); }
void TCylinderBase::SetStacks(int value) { Change(*this, stacks_, value); }

void TCylinderBase::SetLoops(int value) {
  if (value >= 1) Change(*this, loops_, value);
}

void TCylinderBase::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCylinderBase*>(source)) {
    bottomRadius_ = other->bottomRadius_;
    slices_ = other->slices_;
    stacks_ = other->stacks_;
    loops_ = other->loops_;
    height_ = other->height_;
  }
  TQuadricObject::Assign(source);
}

// TArrowLine -----------------------------------------------------------------------------------------

TArrowLine::TArrowLine(TComponent* owner) : TCylinderBase(owner) { SetBottomRadius(0.1f); }

void TArrowLine::SetTopRadius(float value) { Change(*this, topRadius_, value); }
void TArrowLine::SetHeadStackingStyle(TArrowHeadStackingStyle value) { Change(*this, headStackingStyle_, value); }
void TArrowLine::SetParts(TArrowLineParts value) { Change(*this, parts_, value); }
void TArrowLine::SetTopArrowHeadHeight(float value) { Change(*this, topArrowHeadHeight_, value); }
void TArrowLine::SetTopArrowHeadRadius(float value) { Change(*this, topArrowHeadRadius_, value); }
void TArrowLine::SetBottomArrowHeadHeight(float value) { Change(*this, bottomArrowHeadHeight_, value); }
void TArrowLine::SetBottomArrowHeadRadius(float value) { Change(*this, bottomArrowHeadRadius_, value); }

void TArrowLine::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TArrowLine*>(source)) {
    parts_ = other->parts_;
    topRadius_ = other->topRadius_;
    topArrowHeadHeight_ = other->topArrowHeadHeight_;
    topArrowHeadRadius_ = other->topArrowHeadRadius_;
    bottomArrowHeadHeight_ = other->bottomArrowHeadHeight_;
    bottomArrowHeadRadius_ = other->bottomArrowHeadRadius_;
    headStackingStyle_ = other->headStackingStyle_;
  }
  TCylinderBase::Assign(source);
}

void TArrowLine::BuildList(TRenderContextInfo&) {
  static constexpr long double kInfluence[] = {0, 0.5L, 1};
  const long double influence = kInfluence[headStackingStyle_];
  const long double height = Height();
  long double shaftLength = height;
  long double shaftStart = -height * 0.5L;
  const Quadric quadric;
  GLUquadric* q = quadric.q;
  SetupQuadricParams(q);
  if (parts_.Contains(alTopArrow)) {
    shaftLength -= topArrowHeadHeight_ * influence;
    GL.glPushMatrix();
    GL.glTranslatef(0, 0, Single(height * 0.5L - topArrowHeadHeight_ * influence));
    GL.gluCylinder(q, topArrowHeadRadius_, 0, topArrowHeadHeight_, Slices(), Stacks());
    SetInvertedQuadricOrientation(q);
    GL.gluDisk(q, parts_.Contains(alLine) ? topRadius_ : 0, topArrowHeadRadius_, Slices(), Loops());
    GL.glPopMatrix();
  }
  if (parts_.Contains(alBottomArrow)) {
    shaftLength -= bottomArrowHeadHeight_ * influence;
    shaftStart += bottomArrowHeadHeight_ * influence;
    GL.glPushMatrix();
    GL.glRotatef(180, 1, 0, 0);
    GL.glTranslatef(0, 0, Single(height * 0.5L - bottomArrowHeadHeight_ * influence));
    SetNormalQuadricOrientation(q);
    GL.gluCylinder(q, bottomArrowHeadRadius_, 0, bottomArrowHeadHeight_, Slices(), Stacks());
    SetInvertedQuadricOrientation(q);
    GL.gluDisk(q, parts_.Contains(alLine) ? BottomRadius() : 0, bottomArrowHeadRadius_, Slices(), Loops());
    GL.glPopMatrix();
  }
  if (shaftLength > 0 && parts_.Contains(alLine)) {
    GL.glPushMatrix();
    GL.glTranslatef(0, 0, Single(shaftStart));
    SetNormalQuadricOrientation(q);
    GL.gluCylinder(q, BottomRadius(), topRadius_, Single(shaftLength), Slices(), Stacks());
    if (!parts_.Contains(alTopArrow)) {
      GL.glPushMatrix();
      GL.glTranslatef(0, 0, Single(shaftLength));
      GL.gluDisk(q, 0, topRadius_, Slices(), Loops());
      GL.glPopMatrix();
    }
    if (!parts_.Contains(alBottomArrow)) {
      SetInvertedQuadricOrientation(q);
      GL.gluDisk(q, 0, BottomRadius(), Slices(), Loops());
    }
    GL.glPopMatrix();
  }
}

}  // namespace kx
