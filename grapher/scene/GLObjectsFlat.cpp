// The dummy cube, the plane and the sprite: drawn directly every frame.
#include "scene/GLObjectsFlat.h"
#include "scene/GLObjectsDetail.h"
#include "scene/XOpenGL.h"

#include <cmath>

namespace kx {

namespace {

struct FlatModule {
  FlatModule() { RegisterClasses({&TDummyCube::StaticClass(), &TPlane::StaticClass(), &TSprite::StaticClass()}); }
};
FlatModule flatModule;

constexpr GLbitfield kWireframeAttributes =
    GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT;

}  // namespace

KX_PUBLISH(TDummyCube) {
  p.Property("CubeSize", &TDummyCube::CubeSize, &TDummyCube::SetCubeSize);
  p.Property("EdgeColor", &TDummyCube::EdgeColor, &TDummyCube::SetEdgeColor);
  p.Property("VisibleAtRunTime", &TDummyCube::VisibleAtRunTime, &TDummyCube::SetVisibleAtRunTime).Default(false);
}

KX_PUBLISH(TPlane) {
  p.Property("Height", &TPlane::Height, &TPlane::SetHeight);
  p.Property("Width", &TPlane::Width, &TPlane::SetWidth);
  p.Property("XOffset", &TPlane::XOffset, &TPlane::SetXOffset);
  p.Property("XTiles", &TPlane::XTiles, &TPlane::SetXTiles).Default(1);
  p.Property("YOffset", &TPlane::YOffset, &TPlane::SetYOffset);
  p.Property("YTiles", &TPlane::YTiles, &TPlane::SetYTiles).Default(1);
  p.Property("Style", &TPlane::Style, &TPlane::SetStyle).Default(TPlaneStyles{psSingleQuad, psTileTexture}.Bits());
}

KX_PUBLISH(TSprite) {
  p.Property("Width", &TSprite::Width, &TSprite::SetWidth);
  p.Property("Height", &TSprite::Height, &TSprite::SetHeight);
  p.Property("Rotation", &TSprite::Rotation, &TSprite::SetRotation);
  p.Property("AlphaChannel", &TSprite::AlphaChannel, &TSprite::SetAlphaChannel);
  p.Property("NoZWrite", &TSprite::NoZWrite, &TSprite::SetNoZWrite).Default(false);
}

void CubeWireframeBuildList(float size, bool stipple, const TColorVector& color) {
  GL.glPushAttrib(kWireframeAttributes);
  GL.glDisable(GL_LIGHTING);
  GL.glEnable(GL_LINE_SMOOTH);
  if (stipple) {
    GL.glEnable(GL_LINE_STIPPLE);
    GL.glEnable(GL_BLEND);
    GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    GL.glLineStipple(1, 0xCCCC);
  }
  GL.glLineWidth(1);
  const float ma = 0.5f * size, mi = -ma;
  ResetGLMaterialColors();
  GL.glColorMaterial(GL_FRONT_AND_BACK, GL_EMISSION);
  GL.glEnable(GL_COLOR_MATERIAL);
  GL.glColor4fv(color.data());
  GL.glBegin(GL_LINE_STRIP);
  for (const TAffineVector& v : {TAffineVector{ma, mi, mi}, {ma, ma, mi}, {ma, ma, ma}, {ma, mi, ma}, {ma, mi, mi},
                                 {mi, mi, mi}, {mi, mi, ma}, {mi, ma, ma}, {mi, ma, mi}, {ma, ma, mi}})
    GL.glVertex3f(v[0], v[1], v[2]);
  GL.glEnd();
  GL.glBegin(GL_LINES);
  for (const TAffineVector& v : {TAffineVector{ma, ma, ma}, {mi, ma, ma}, {mi, mi, mi}, {mi, ma, mi}, {ma, mi, ma},
                                 {mi, mi, ma}})
    GL.glVertex3f(v[0], v[1], v[2]);
  GL.glEnd();
  GL.glPopAttrib();
}

// TDummyCube --------------------------------------------------------------------------------

TDummyCube::TDummyCube(TComponent* owner)
    : TGLImmaterialSceneObject(owner), edgeColor_(std::make_unique<TGLColor>(this, TColorVector{1, 1, 1, 1})) {
  objectStyle_.Include(osNoDisplayList);
}

TDummyCube::~TDummyCube() = default;

void TDummyCube::SetCubeSize(float value) { Change(*this, cubeSize_, value); }
void TDummyCube::SetVisibleAtRunTime(bool value) { Change(*this, visibleAtRunTime_, value); }

void TDummyCube::SetEdgeColor(TGLColor* value) {
  if (!value || value == edgeColor_.get()) return;
  edgeColor_->Initialize(value->Color());
  StructureChanged();
}

void TDummyCube::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TDummyCube*>(source)) {
    cubeSize_ = other->cubeSize_;
    edgeColor_->Initialize(other->edgeColor_->Color());
    visibleAtRunTime_ = other->visibleAtRunTime_;
    NotifyChange(this);
  }
  TGLImmaterialSceneObject::Assign(source);
}

TVector TDummyCube::BarycenterAbsolutePosition() {
  if (Count() == 0) return AbsolutePosition();
  long double sum[4] = {0, 0, 0, 0};
  for (int i = 0; i < Count(); ++i) {
    const TVector b = Children(i)->BarycenterAbsolutePosition();
    for (int k = 0; k < 4; ++k) sum[k] += b[k];
  }
  return {Single(sum[0] / Count()), Single(sum[1] / Count()), Single(sum[2] / Count()), Single(sum[3] / Count())};
}

TVector TDummyCube::AxisAlignedDimensions() {
  const long double half = 0.5L * std::fabs(cubeSize_);
  const TVector& s = Scale()->AsVector();
  return {Single(s[0] * half), Single(s[1] * half), Single(s[2] * half), Single(s[3] * half)};
}

bool TDummyCube::RayCastIntersect(const TVector&, const TVector&, TVector*, TVector*) { return false; }

void TDummyCube::BuildList(TRenderContextInfo&) {
  // Nothing here designs forms: the wireframe shows only when asked for.
  if (visibleAtRunTime_) CubeWireframeBuildList(cubeSize_, true, edgeColor_->Color());
}

// TPlane ------------------------------------------------------------------------------------

TPlane::TPlane(TComponent* owner) : TGLStageObject(owner) { objectStyle_.Include(osNoDisplayList); }

void TPlane::SetHeight(float value) { Change(*this, height_, value); }
void TPlane::SetWidth(float value) { Change(*this, width_, value); }
void TPlane::SetXOffset(float value) { Change(*this, xOffset_, value); }
void TPlane::SetXTiles(uint32_t value) { Change(*this, xTiles_, value); }
void TPlane::SetYOffset(float value) { Change(*this, yOffset_, value); }
void TPlane::SetYTiles(uint32_t value) { Change(*this, yTiles_, value); }
void TPlane::SetStyle(TPlaneStyles value) { Change(*this, style_, value); }

void TPlane::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TPlane*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
  }
  TGLStageObject::Assign(source);
}

TVector TPlane::AxisAlignedDimensions() {
  return {Single(0.5L * std::fabs(width_) * Scale()->X()), Single(0.5L * std::fabs(height_) * Scale()->Y()), 0, 0};
}

bool TPlane::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                              TVector* intersectNormal) {
  const TVector s = AbsoluteToLocal(rayStart), v = AbsoluteToLocal(rayVector);
  if (s[2] >= 0) {
    if (v[2] >= 0) return false;
  } else if (v[2] <= 0) {
    return false;
  }
  const long double t = static_cast<long double>(s[2]) / v[2];
  const float x = Single(s[0] - t * v[0]), y = Single(s[1] - t * v[1]);
  if (std::fabs(x) > 0.5f * width_ || std::fabs(y) > 0.5f * height_) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute({x, y, 0, 1});
  if (intersectNormal) *intersectNormal = s[2] >= 0 ? AbsoluteDirection() : VectorNegate4(AbsoluteDirection());
  return true;
}

void TPlane::BuildList(TRenderContextInfo&) {
  const float hw = 0.5f * width_, hh = 0.5f * height_;
  const float normal[3] = {0, 0, 1};
  GL.glNormal3fv(normal);
  float s0 = 0, s1 = 1, t0 = 0, t1 = 1;
  if (style_.Contains(psTileTexture)) {
    s0 = xOffset_;
    s1 = Single(static_cast<long double>(xOffset_) + xTiles_);
    t0 = yOffset_;
    t1 = Single(static_cast<long double>(yOffset_) + yTiles_);
  }
  if (style_.Contains(psSingleQuad)) {
    GL.glBegin(GL_QUADS);
    xglTexCoord2f(s1, t1);
    GL.glVertex2f(hw, hh);
    xglTexCoord2f(s0, t1);
    GL.glVertex2f(-hw, hh);
    xglTexCoord2f(s0, t0);
    GL.glVertex2f(-hw, -hh);
    xglTexCoord2f(s1, t0);
    GL.glVertex2f(hw, -hh);
    GL.glEnd();
    return;
  }
  const float ds = Single((static_cast<long double>(s1) - s0) / xTiles_);
  const float dt = Single((static_cast<long double>(t1) - t0) / yTiles_);
  const float dx = Single(static_cast<long double>(width_) / xTiles_);
  const float dy = Single(static_cast<long double>(height_) / yTiles_);
  for (uint32_t i = 0; i < yTiles_; ++i) {
    // The rows' t starts at YOffset, as s starts at XOffset.
    const float yBottom = Single(-hh + static_cast<long double>(i) * dy), yTop = Single(yBottom + dy);
    const float tBottom = Single(t0 + static_cast<long double>(i) * dt), tTop = Single(tBottom + dt);
    GL.glBegin(GL_TRIANGLE_STRIP);
    for (uint32_t j = 0; j <= xTiles_; ++j) {
      const float x = Single(static_cast<long double>(j) * dx - hw), s = Single(s0 + static_cast<long double>(j) * ds);
      xglTexCoord2f(s, tTop);
      GL.glVertex2f(x, yTop);
      xglTexCoord2f(s, tBottom);
      GL.glVertex2f(x, yBottom);
    }
    GL.glEnd();
  }
}

// TSprite -----------------------------------------------------------------------------------

TSprite::TSprite(TComponent* owner) : TGLStageObject(owner) {
  objectStyle_.Include(osNoDisplayList);
  objectStyle_.Include(osNoVisibilityCulling);
}

void TSprite::SetWidth(float value) {
  if (StoreChanged(width_, value)) NotifyChange(this);
}
void TSprite::SetHeight(float value) {
  if (StoreChanged(height_, value)) NotifyChange(this);
}
void TSprite::SetRotation(float value) {
  if (StoreChanged(rotation_, value)) NotifyChange(this);
}
void TSprite::SetAlphaChannel(float value) {
  if (value == alphaChannel_) return;
  alphaChannel_ = value < 0 ? 0 : value > 1 ? 1 : value;
  NotifyChange(this);
}
void TSprite::SetNoZWrite(bool value) {
  noZWrite_ = value;
  NotifyChange(this);
}

void TSprite::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TSprite*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
    rotation_ = other->rotation_;
    alphaChannel_ = other->alphaChannel_;
    noZWrite_ = other->noZWrite_;
  }
  TGLStageObject::Assign(source);
}

void TSprite::BuildList(TRenderContextInfo&) {
  if (alphaChannel_ != 1) SetGLMaterialAlphaChannel(GL_FRONT_AND_BACK, alphaChannel_);
  if (noZWrite_) GL.glDepthMask(GL_FALSE);
  TMatrix m{};
  GL.glGetFloatv(GL_MODELVIEW_MATRIX, &m[0][0]);
  // The screen's right and up axes in the sprite's frame, half a side long.
  TAffineVector vx{m[0][0], m[1][0], m[2][0]}, vy{m[0][1], m[1][1], m[2][1]};
  ScaleVector(vx, Single(0.5L * width_ / VectorLength(vx)));
  ScaleVector(vy, Single(0.5L * height_ / VectorLength(vy)));
  TAffineVector corners[4];
  if (rotation_ == 0) {
    corners[0] = VectorAdd(vx, vy);
    corners[1] = VectorSubtract(vy, vx);
    corners[2] = VectorNegate(VectorAdd(vx, vy));
    corners[3] = VectorSubtract(vx, vy);
  } else {
    long double sine, cosine;
    SinCosExtended(DegToRadSingle(rotation_), sine, cosine);
    const float c = Single(cosine), s = Single(sine);
    const TAffineVector u = VectorAdd(vx, vy), v = VectorSubtract(vy, vx);
    const TAffineVector a = VectorAdd(VectorScale(u, c), VectorScale(v, s));
    const TAffineVector b = VectorSubtract(VectorScale(v, c), VectorScale(u, s));
    corners[0] = a;
    corners[1] = b;
    corners[2] = VectorNegate(a);
    corners[3] = VectorNegate(b);
  }
  static constexpr float kTexCoords[4][2] = {{1, 1}, {0, 1}, {0, 0}, {1, 0}};
  GL.glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    xglTexCoord2f(kTexCoords[i][0], kTexCoords[i][1]);
    GL.glVertex3f(corners[i][0], corners[i][1], corners[i][2]);
  }
  GL.glEnd();
  if (noZWrite_) GL.glDepthMask(GL_TRUE);
}

}  // namespace kx
