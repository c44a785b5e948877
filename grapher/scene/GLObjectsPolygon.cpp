// Polygons through coordinate nodes, filled by GLU's tessellator.
#include "scene/GLObjectsPolygon.h"
#include "scene/GLObjectsDetail.h"

#include <algorithm>

namespace kx {

namespace {

struct PolygonModule {
  PolygonModule() { RegisterClasses({&TPolygon::StaticClass()}); }
};
PolygonModule polygonModule;

}  // namespace

KX_PUBLISH(TPolygonBase) {
  p.Property("Nodes", &TPolygonBase::Nodes, &TPolygonBase::SetNodes);
  p.Property("Division", &TPolygonBase::Division, &TPolygonBase::SetDivision).Default(10);
  p.Property("SplineMode", &TPolygonBase::SplineMode, &TPolygonBase::SetSplineMode).Default(lsmLines);
}

KX_PUBLISH(TPolygon) {
  p.Property("Parts", &TPolygon::Parts, &TPolygon::SetParts).Default(TPolygonParts{ppTop, ppBottom}.Bits());
}

// TPolygonBase ------------------------------------------------------------------------------

TPolygonBase::TPolygonBase(TComponent* owner) : TGLStageObject(owner), nodes_(CreateNodes()) {}

TPolygonBase::~TPolygonBase() = default;

std::unique_ptr<TGLNodes> TPolygonBase::CreateNodes() { return std::make_unique<TGLNodes>(this); }

void TPolygonBase::SetNodes(TGLNodes* value) {
  nodes_->Assign(value);
  StructureChanged();
}

void TPolygonBase::SetDivision(int value) { Change(*this, division_, std::max(value, 1)); }

void TPolygonBase::SetSplineMode(TLineSplineMode value) { Change(*this, splineMode_, value); }

void TPolygonBase::NotifyChange(TObject* sender) {
  if (sender == nodes_.get()) StructureChanged();
  TGLStageObject::NotifyChange(sender);
}

void TPolygonBase::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TPolygonBase*>(source)) {
    SetNodes(other->nodes_.get());
    division_ = other->division_;
    splineMode_ = other->splineMode_;
    return;
  }
  TGLStageObject::Assign(source);
}

// TPolygon ----------------------------------------------------------------------------------

void TPolygon::SetParts(TPolygonParts value) { Change(*this, parts_, value); }

void TPolygon::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TPolygon*>(source)) parts_ = other->parts_;
  TPolygonBase::Assign(source);
}

void TPolygon::BuildList(TRenderContextInfo&) {
  if (Nodes()->Count() < 2) return;
  TAffineVector normal = Nodes()->Normal();
  const bool hasNormal = !VectorIsNull(normal);
  const int divisions = SplineMode() == lsmLines ? 1 : Division();
  if (parts_.Contains(ppTop)) Nodes()->RenderTesselatedPolygon(true, hasNormal ? &normal : nullptr, divisions, false);
  if (parts_.Contains(ppBottom)) {
    if (hasNormal) NegateVector(normal);
    Nodes()->RenderTesselatedPolygon(true, hasNormal ? &normal : nullptr, divisions, true);
  }
}

}  // namespace kx
