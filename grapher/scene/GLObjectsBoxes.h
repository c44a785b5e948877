// The cube and the frustum.
#pragma once

#include "scene/GLObjects.h"

namespace kx {

enum TCubePart { cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight };
KX_ENUM_NAMES(TCubePart, "cpTop", "cpBottom", "cpFront", "cpBack", "cpLeft", "cpRight")
using TCubeParts = TSet<TCubePart>;

// An axis-aligned box centred on the node's origin, drawn face by face
// every frame (no display list).
class TCube : public TGLStageObject {
  KX_CLASS(TCube, TGLStageObject)
 public:
  explicit TCube(TComponent* owner);
  float CubeWidth() const { return width_; }
  void SetCubeWidth(float value);
  float CubeHeight() const { return height_; }
  void SetCubeHeight(float value);
  float CubeDepth() const { return depth_; }
  void SetCubeDepth(float value);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection value);
  TCubeParts Parts() const { return parts_; }
  void SetParts(TCubeParts value);

  // The three extents travel together as "CubeSize", only when not all 1.
  void DefineProperties(TFiler& filer) override;
  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float width_ = 1, height_ = 1, depth_ = 1;
  TNormalDirection normalDirection_ = ndOutside;
  TCubeParts parts_{cpTop, cpBottom, cpFront, cpBack, cpLeft, cpRight};
};

enum TFrustrumPart { fpTop, fpBottom, fpFront, fpBack, fpLeft, fpRight };
KX_ENUM_NAMES(TFrustrumPart, "fpTop", "fpBottom", "fpFront", "fpBack", "fpLeft", "fpRight")
using TFrustrumParts = TSet<TFrustrumPart>;

// A four-sided pyramid standing on the node's XZ plane with its apex at
// ApexHeight, cut at Height (never above the apex).
class TFrustrum : public TGLStageObject {
  KX_CLASS(TFrustrum, TGLStageObject)
 public:
  explicit TFrustrum(TComponent* owner) : TGLStageObject(owner) {}
  float ApexHeight() const { return apexHeight_; }
  // Negative values are ignored; a lower apex lowers Height with it.
  void SetApexHeight(float value);
  float BaseDepth() const { return baseDepth_; }
  void SetBaseDepth(float value);
  float BaseWidth() const { return baseWidth_; }
  void SetBaseWidth(float value);
  float Height() const { return height_; }
  // Negative values are ignored; a higher cut raises the apex with it.
  void SetHeight(float value);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection value);
  TFrustrumParts Parts() const { return parts_; }
  void SetParts(TFrustrumParts value);

  // The four sizes travel together as "FrustrumSize", only when not all default.
  void DefineProperties(TFiler& filer) override;
  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float apexHeight_ = 1, baseDepth_ = 1, baseWidth_ = 1, height_ = 0.5f;
  TNormalDirection normalDirection_ = ndOutside;
  TFrustrumParts parts_{fpTop, fpBottom, fpFront, fpBack, fpLeft, fpRight};
};

}  // namespace kx
