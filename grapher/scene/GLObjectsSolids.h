// The torus and the dodecahedron.
#pragma once

#include "scene/GLObjects.h"

namespace kx {

// A ring around the local Z axis: its centre circle of MajorRadius in the
// XY plane, its tube of MinorRadius.
class TTorus : public TGLStageObject {
  KX_CLASS(TTorus, TGLStageObject)
 public:
  explicit TTorus(TComponent* owner) : TGLStageObject(owner) {}
  float MajorRadius() const { return majorRadius_; }
  void SetMajorRadius(float value);
  float MinorRadius() const { return minorRadius_; }
  void SetMinorRadius(float value);
  // At least 2.
  uint32_t Rings() const { return rings_; }
  void SetRings(uint32_t value);
  // At least 3.
  uint32_t Sides() const { return sides_; }
  void SetSides(uint32_t value);

  TVector AxisAlignedDimensions() override;
  // Exact: the nearest positive root of the ray's quartic.
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float majorRadius_ = 0.4f, minorRadius_ = 0.1f;
  uint32_t rings_ = 25, sides_ = 15;
};

// A regular dodecahedron of circumradius about 0.52 around the origin; the
// line object marks its nodes with it too.
void DodecahedronBuildList();

class TDodecahedron : public TGLStageObject {
  KX_CLASS(TDodecahedron, TGLStageObject)
 public:
  explicit TDodecahedron(TComponent* owner) : TGLStageObject(owner) {}
  void BuildList(TRenderContextInfo&) override { DodecahedronBuildList(); }
};

}  // namespace kx
