// Polygons through coordinate nodes, filled by GLU's tessellator.
#pragma once

#include "scene/GLMiscNodes.h"
#include "scene/GLObjectsLines.h"

namespace kx {

// A shape given by coordinate nodes, optionally smoothed by a cubic spline.
class TPolygonBase : public TGLStageObject {
  KX_CLASS(TPolygonBase, TGLStageObject)
 public:
  explicit TPolygonBase(TComponent* owner);
  ~TPolygonBase() override;
  TGLNodes* Nodes() const { return nodes_.get(); }
  void SetNodes(TGLNodes* value);
  // Spline segments between two nodes, at least 1.
  int Division() const { return division_; }
  void SetDivision(int value);
  TLineSplineMode SplineMode() const { return splineMode_; }
  void SetSplineMode(TLineSplineMode value);
  // A change of a node rebuilds the shape.
  void NotifyChange(TObject* sender) override;
  void Assign(TPersistent* source) override;

 private:
  std::unique_ptr<TGLNodes> CreateNodes();
  std::unique_ptr<TGLNodes> nodes_;
  int division_ = 10;
  TLineSplineMode splineMode_ = lsmLines;
};

enum TPolygonPart { ppTop, ppBottom };
KX_ENUM_NAMES(TPolygonPart, "ppTop", "ppBottom")
using TPolygonParts = TSet<TPolygonPart>;

// The polygon through its nodes, filled by GLU's tessellator as a top
// face, a bottom face (normal negated, winding reversed) or both.
class TPolygon : public TPolygonBase {
  KX_CLASS(TPolygon, TPolygonBase)
 public:
  explicit TPolygon(TComponent* owner) : TPolygonBase(owner) {}
  TPolygonParts Parts() const { return parts_; }
  void SetParts(TPolygonParts value);
  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  TPolygonParts parts_{ppTop, ppBottom};
};

}  // namespace kx
