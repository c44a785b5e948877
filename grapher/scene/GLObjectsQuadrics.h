// The disk, cone, cylinder and annulus: solids drawn through GLU quadrics.
#pragma once

#include "scene/GLObjects.h"

namespace kx {

// A flat disc or ring sector in the local XY plane, facing +Z.
class TDisk : public TQuadricObject {
  KX_CLASS(TDisk, TQuadricObject)
 public:
  explicit TDisk(TComponent* owner) : TQuadricObject(owner) {}
  float InnerRadius() const { return innerRadius_; }
  void SetInnerRadius(float value);
  int Loops() const { return loops_; }
  void SetLoops(int value);
  float OuterRadius() const { return outerRadius_; }
  void SetOuterRadius(float value);
  int Slices() const { return slices_; }
  void SetSlices(int value);
  // Degrees, GLU's convention: from +Y, clockwise seen from +Z.
  float StartAngle() const { return startAngle_; }
  void SetStartAngle(float value);
  float SweepAngle() const { return sweepAngle_; }
  void SetSweepAngle(float value);

  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  // The whole ring counts, whatever the angles.
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float innerRadius_ = 0, outerRadius_ = 0.5f, startAngle_ = 0, sweepAngle_ = 360;
  int loops_ = 2, slices_ = 16;
};

enum TConePart { coSides, coBottom };
KX_ENUM_NAMES(TConePart, "coSides", "coBottom")
using TConeParts = TSet<TConePart>;

// Base at y = -Height/2, apex at +Height/2.
class TCone : public TCylinderBase {
  KX_CLASS(TCone, TCylinderBase)
 public:
  explicit TCone(TComponent* owner) : TCylinderBase(owner) {}
  TConeParts Parts() const { return parts_; }
  void SetParts(TConeParts value);
  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TConeParts parts_{coSides, coBottom};
};

enum TCylinderPart { cySides, cyBottom, cyTop };
KX_ENUM_NAMES(TCylinderPart, "cySides", "cyBottom", "cyTop")
using TCylinderParts = TSet<TCylinderPart>;
enum TCylinderAlignment { caCenter, caTop, caBottom };
KX_ENUM_NAMES(TCylinderAlignment, "caCenter", "caTop", "caBottom")

// A cylinder or frustum along the local Y axis with end caps.
class TCylinder : public TCylinderBase {
  KX_CLASS(TCylinder, TCylinderBase)
 public:
  explicit TCylinder(TComponent* owner) : TCylinderBase(owner) {}
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float value);
  TCylinderParts Parts() const { return parts_; }
  void SetParts(TCylinderParts value);
  TCylinderAlignment Alignment() const { return alignment_; }
  void SetAlignment(TCylinderAlignment value);
  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  // Against a straight cylinder of radius TopRadius and its caps.
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float topRadius_ = 0.5f;
  TCylinderParts parts_{cySides, cyBottom, cyTop};
  TCylinderAlignment alignment_ = caCenter;
};

enum TAnnulusPart { anInnerSides, anOuterSides, anBottom, anTop };
KX_ENUM_NAMES(TAnnulusPart, "anInnerSides", "anOuterSides", "anBottom", "anTop")
using TAnnulusParts = TSet<TAnnulusPart>;

// A thick-walled tube along the local Y axis.
class TAnnulus : public TCylinderBase {
  KX_CLASS(TAnnulus, TCylinderBase)
 public:
  explicit TAnnulus(TComponent* owner) : TCylinderBase(owner) {}
  float BottomInnerRadius() const { return bottomInnerRadius_; }
  void SetBottomInnerRadius(float value);
  float TopInnerRadius() const { return topInnerRadius_; }
  void SetTopInnerRadius(float value);
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float value);
  TAnnulusParts Parts() const { return parts_; }
  void SetParts(TAnnulusParts value);
  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float bottomInnerRadius_ = 0.3f, topInnerRadius_ = 0.3f, topRadius_ = 0.5f;
  TAnnulusParts parts_{anInnerSides, anOuterSides, anBottom, anTop};
};

}  // namespace kx
