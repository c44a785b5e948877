// The cube and the frustum: quads with one normal per face and texture
// coordinates per vertex.
#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "scene/GLObjectsBoxes.h"
#include "scene/GLObjectsDetail.h"
#include "scene/XOpenGL.h"

#include <array>

namespace kx {

namespace {

struct BoxesModule {
  BoxesModule() { RegisterClasses({&TCube::StaticClass(), &TFrustrum::StaticClass()}); }
};
BoxesModule boxesModule;

constexpr int64_t kAllSixParts = 0x3F;

struct Corner {
  TAffineVector vertex;
  std::array<float, 2> texCoord;
};

// One face of a GL_QUADS batch.
void Face(const TAffineVector& normal, const std::array<Corner, 4>& corners) {
  GL.glNormal3f(normal[0], normal[1], normal[2]);
  for (const Corner& c : corners) {
    xglTexCoord2fv(c.texCoord.data());
    GL.glVertex3fv(c.vertex.data());
  }
}

// Reads exactly `count` singles of a raw-data property.
void ReadSingles(TStream& stream, float* values, int count, const char* name) {
  if (stream.Size() != static_cast<int64_t>(count * sizeof(float)))
    throw EReadError(std::string(name) + " must hold " + std::to_string(count) + " singles");
  stream.Read(values, count * static_cast<int32_t>(sizeof(float)));
}

}  // namespace

KX_PUBLISH(TCube) {
  p.Property("CubeWidth", &TCube::CubeWidth, &TCube::SetCubeWidth).NotStored();
  p.Property("CubeHeight", &TCube::CubeHeight, &TCube::SetCubeHeight).NotStored();
  p.Property("CubeDepth", &TCube::CubeDepth, &TCube::SetCubeDepth).NotStored();
  p.Property("NormalDirection", &TCube::NormalDirection, &TCube::SetNormalDirection).Default(ndOutside);
  p.Property("Parts", &TCube::Parts, &TCube::SetParts).Default(kAllSixParts);
}

KX_PUBLISH(TFrustrum) {
  p.Property("ApexHeight", &TFrustrum::ApexHeight, &TFrustrum::SetApexHeight).NotStored();
  p.Property("BaseDepth", &TFrustrum::BaseDepth, &TFrustrum::SetBaseDepth).NotStored();
  p.Property("BaseWidth", &TFrustrum::BaseWidth, &TFrustrum::SetBaseWidth).NotStored();
  p.Property("Height", &TFrustrum::Height, &TFrustrum::SetHeight).NotStored();
  p.Property("NormalDirection", &TFrustrum::NormalDirection, &TFrustrum::SetNormalDirection).Default(ndOutside);
  p.Property("Parts", &TFrustrum::Parts, &TFrustrum::SetParts).Default(kAllSixParts);
}

// TCube -------------------------------------------------------------------------------------

TCube::TCube(TComponent* owner) : TGLStageObject(owner) { objectStyle_.Include(osNoDisplayList); }

void TCube::SetCubeWidth(float value) { Change(*this, width_, value); }
void TCube::SetCubeHeight(float value) { Change(*this, height_, value); }
void TCube::SetCubeDepth(float value) { Change(*this, depth_, value); }
void TCube::SetNormalDirection(TNormalDirection value) { Change(*this, normalDirection_, value); }
void TCube::SetParts(TCubeParts value) { Change(*this, parts_, value); }

void TCube::DefineProperties(TFiler& filer) {
  TGLStageObject::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "CubeSize",
      [this](TStream& stream) {
        float size[3];
        ReadSingles(stream, size, 3, "CubeSize");
        width_ = size[0];
        height_ = size[1];
        depth_ = size[2];
      },
      [this](TStream& stream) {
        const float size[3] = {width_, height_, depth_};
        stream.Write(size, sizeof size);
      },
      width_ != 1 || height_ != 1 || depth_ != 1);
}

void TCube::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCube*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
    depth_ = other->depth_;
    parts_ = other->parts_;
    normalDirection_ = other->normalDirection_;
  }
  TGLStageObject::Assign(source);
}

TVector TCube::AxisAlignedDimensions() {
  return {Single(0.5L * width_ * Scale()->X()), Single(0.5L * height_ * Scale()->Y()),
          Single(0.5L * depth_ * Scale()->Z()), 0};
}

void TCube::BuildList(TRenderContextInfo&) {
  const float hw = width_ * 0.5f, hh = height_ * 0.5f, hd = depth_ * 0.5f;
  const float nd = normalDirection_ == ndInside ? -1.0f : 1.0f;
  GL.glBegin(GL_QUADS);
  if (parts_.Contains(cpFront))
    Face({0, 0, nd}, {{{{hw, hh, hd}, {1, 1}}, {{-hw, hh, hd}, {0, 1}}, {{-hw, -hh, hd}, {0, 0}}, {{hw, -hh, hd}, {1, 0}}}});
  if (parts_.Contains(cpBack))
    Face({0, 0, -nd},
         {{{{hw, hh, -hd}, {0, 1}}, {{hw, -hh, -hd}, {0, 0}}, {{-hw, -hh, -hd}, {1, 0}}, {{-hw, hh, -hd}, {1, 1}}}});
  if (parts_.Contains(cpLeft))
    Face({-nd, 0, 0},
         {{{{-hw, hh, hd}, {1, 1}}, {{-hw, hh, -hd}, {0, 1}}, {{-hw, -hh, -hd}, {0, 0}}, {{-hw, -hh, hd}, {1, 0}}}});
  if (parts_.Contains(cpRight))
    Face({nd, 0, 0}, {{{{hw, hh, hd}, {0, 1}}, {{hw, -hh, hd}, {0, 0}}, {{hw, -hh, -hd}, {1, 0}}, {{hw, hh, -hd}, {1, 1}}}});
  if (parts_.Contains(cpTop))
    Face({0, nd, 0}, {{{{-hw, hh, -hd}, {0, 1}}, {{-hw, hh, hd}, {0, 0}}, {{hw, hh, hd}, {1, 0}}, {{hw, hh, -hd}, {1, 1}}}});
  if (parts_.Contains(cpBottom))
    Face({0, -nd, 0},
         {{{{-hw, -hh, -hd}, {0, 0}}, {{hw, -hh, -hd}, {1, 0}}, {{hw, -hh, hd}, {1, 1}}, {{-hw, -hh, hd}, {0, 1}}}});
  GL.glEnd();
}

// TFrustrum ---------------------------------------------------------------------------------

void TFrustrum::SetApexHeight(float value) {
  if (value < 0 || value == apexHeight_) return;
  apexHeight_ = value;
  if (height_ > value) height_ = value;
  StructureChanged();
}

void TFrustrum::SetHeight(float value) {
  if (value < 0 || value == height_) return;
  height_ = value;
  if (apexHeight_ < value) apexHeight_ = value;
  StructureChanged();
}

void TFrustrum::SetBaseDepth(float value) {
  if (value >= 0) Change(*this, baseDepth_, value);
}

void TFrustrum::SetBaseWidth(float value) {
  if (value >= 0) Change(*this, baseWidth_, value);
}

void TFrustrum::SetNormalDirection(TNormalDirection value) { Change(*this, normalDirection_, value); }
void TFrustrum::SetParts(TFrustrumParts value) { Change(*this, parts_, value); }

void TFrustrum::DefineProperties(TFiler& filer) {
  TGLStageObject::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "FrustrumSize",
      [this](TStream& stream) {
        float size[4];
        ReadSingles(stream, size, 4, "FrustrumSize");
        apexHeight_ = size[0];
        baseDepth_ = size[1];
        baseWidth_ = size[2];
        height_ = size[3];
      },
      [this](TStream& stream) {
        const float size[4] = {apexHeight_, baseDepth_, baseWidth_, height_};
        stream.Write(size, sizeof size);
      },
      apexHeight_ != 1 || baseDepth_ != 1 || baseWidth_ != 1 || height_ != 0.5f);
}

void TFrustrum::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TFrustrum*>(source)) {
    apexHeight_ = other->apexHeight_;
    baseDepth_ = other->baseDepth_;
    baseWidth_ = other->baseWidth_;
    height_ = other->height_;
    parts_ = other->parts_;
    normalDirection_ = other->normalDirection_;
  }
  TGLStageObject::Assign(source);
}

void TFrustrum::BuildList(TRenderContextInfo&) {
  const float hw = baseWidth_ * 0.5f, hd = baseDepth_ * 0.5f, h = height_;
  const float hwt = Single((static_cast<long double>(apexHeight_) - height_) * hw / apexHeight_);
  const float hdt = Single((static_cast<long double>(apexHeight_) - height_) * hd / apexHeight_);
  const float nd = normalDirection_ == ndInside ? -1.0f : 1.0f;
  // Side normals are those of the whole pyramid's faces.
  long double sinA = 0, cosA = 0, sinB = 0, cosB = 0;
  if (parts_.Contains(fpFront) || parts_.Contains(fpBack))
    SinCosExtended(ArcTan2(static_cast<long double>(apexHeight_) / hd, 1), sinA, cosA);
  if (parts_.Contains(fpLeft) || parts_.Contains(fpRight))
    SinCosExtended(ArcTan2(static_cast<long double>(apexHeight_) / hw, 1), sinB, cosB);
  const float ca = Single(nd * cosA), sa = Single(nd * sinA), cb = Single(nd * cosB), sb = Single(nd * sinB);
  GL.glBegin(GL_QUADS);
  if (parts_.Contains(fpFront))
    Face({0, ca, sa}, {{{{hwt, h, hdt}, {1, 1}}, {{-hwt, h, hdt}, {0, 1}}, {{-hw, 0, hd}, {0, 0}}, {{hw, 0, hd}, {1, 0}}}});
  if (parts_.Contains(fpBack))
    Face({0, ca, -sa},
         {{{{hwt, h, -hdt}, {0, 1}}, {{hw, 0, -hd}, {0, 0}}, {{-hw, 0, -hd}, {1, 0}}, {{-hwt, h, -hdt}, {1, 1}}}});
  if (parts_.Contains(fpLeft))
    Face({-sb, cb, 0},
         {{{{-hwt, h, hdt}, {1, 1}}, {{-hwt, h, -hdt}, {0, 1}}, {{-hw, 0, -hd}, {0, 0}}, {{-hw, 0, hd}, {1, 0}}}});
  if (parts_.Contains(fpRight))
    Face({sb, cb, 0}, {{{{hwt, h, hdt}, {0, 1}}, {{hw, 0, hd}, {0, 0}}, {{hw, 0, -hd}, {1, 0}}, {{hwt, h, -hdt}, {1, 1}}}});
  if (parts_.Contains(fpTop) && height_ < apexHeight_)
    Face({0, nd, 0},
         {{{{-hwt, h, -hdt}, {0, 1}}, {{-hwt, h, hdt}, {0, 0}}, {{hwt, h, hdt}, {1, 0}}, {{hwt, h, -hdt}, {1, 1}}}});
  if (parts_.Contains(fpBottom))
    Face({0, -nd, 0}, {{{{-hw, 0, -hd}, {0, 0}}, {{hw, 0, -hd}, {1, 0}}, {{hw, 0, hd}, {1, 1}}, {{-hw, 0, hd}, {0, 1}}}});
  GL.glEnd();
}

}  // namespace kx
