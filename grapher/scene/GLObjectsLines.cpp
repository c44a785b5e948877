// Lines through coordinate nodes, straight or splined, with node markers.
#include "scene/GLObjectsLines.h"

#include "scene/GLObjectsDetail.h"
#include "scene/GLObjectsFlat.h"
#include "scene/GLObjectsSolids.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

struct LinesModule {
  LinesModule() { RegisterClasses({&TLines::StaticClass()}); }
};
LinesModule linesModule;

constexpr TColorVector kBlue{0, 0, 1, 1};

// Equal in all four components bit for bit.
bool SameBits(const TColorVector& a, const TColorVector& b) { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }

}  // namespace

KX_PUBLISH(TGLLinesNode) { p.Property("Color", &TGLLinesNode::Color, &TGLLinesNode::SetColor); }
KX_PUBLISH(TGLLinesNodes) {}

KX_PUBLISH(TLines) {
  p.Property("Nodes", &TLines::Nodes, &TLines::SetNodes);
  p.Property("NodeColor", &TLines::NodeColor, &TLines::SetNodeColor);
  p.Property("NodesAspect", &TLines::NodesAspect, &TLines::SetNodesAspect).Default(lnaAxes);
  p.Property("NodeSize", &TLines::NodeSize, &TLines::SetNodeSize);
  p.Property("Division", &TLines::Division, &TLines::SetDivision).Default(10);
  p.Property("SplineMode", &TLines::SplineMode, &TLines::SetSplineMode).Default(lsmLines);
  p.Property("Options", &TLines::Options, &TLines::SetOptions).Default(0);
}

// TGLLinesNode ------------------------------------------------------------------------------

TGLLinesNode::TGLLinesNode(TCollection* collection) : TGLNode(collection) {
  TLines* line = As<TLines>(dynamic_cast<TObject*>(collection ? collection->GetOwner() : nullptr));
  color_ = std::make_unique<TGLColor>(this, line->NodeColor()->Color(), TNotifyEvent([this](TObject*) {
                                        if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
                                      }));
}

TGLLinesNode::~TGLLinesNode() = default;

void TGLLinesNode::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLLinesNode*>(source)) {
    color_->Assign(other->color_.get());
    return;
  }
  TGLNode::Assign(source);
}

void TGLLinesNodes::NotifyChange() {
  if (GetOwner()) As<TGLBaseSceneObject>(dynamic_cast<TObject*>(GetOwner()))->StructureChanged();
}

// TLines ------------------------------------------------------------------------------------

TLines::TLines(TComponent* owner)
    : TLineBase(owner),
      nodeColor_(std::make_unique<TGLColor>(this, kBlue, TNotifyEvent([this](TObject*) { NodeColorChanged(); }))),
      nodes_(std::make_unique<TGLLinesNodes>(this)) {}

TLines::~TLines() = default;

void TLines::SetNodes(TGLLinesNodes* value) {
  nodes_->Assign(value);
  StructureChanged();
}

void TLines::SetNodeColor(TGLColor* value) {
  if (value) nodeColor_->SetColorVector(value->Color());
  StructureChanged();
}

void TLines::NodeColorChanged() {
  for (int i = 0; i < nodes_->Count(); ++i) {
    TGLColor* color = nodes_->LinesNode(i)->Color();
    if (SameBits(color->Color(), previousNodeColor_)) color->Assign(nodeColor_.get());
  }
  previousNodeColor_ = nodeColor_->Color();
}

void TLines::SetNodesAspect(TLineNodesAspect value) { Change(*this, nodesAspect_, value); }
void TLines::SetSplineMode(TLineSplineMode value) { Change(*this, splineMode_, value); }
void TLines::SetDivision(int value) { Change(*this, division_, std::max(value, 1)); }

void TLines::SetNodeSize(float value) {
  nodeSize_ = value > 0 ? value : 1;
  StructureChanged();
}

void TLines::SetOptions(TLinesOptions value) {
  options_ = value;
  StructureChanged();
}

void TLines::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TLines*>(source)) {
    SetNodes(other->nodes_.get());
    nodesAspect_ = other->nodesAspect_;
    nodeColor_->Initialize(other->nodeColor_->Color());
    division_ = other->division_;
    splineMode_ = other->splineMode_;
  }
  TLineBase::Assign(source);
}

TVector TLines::AxisAlignedDimensions() {
  TVector result{0, 0, 0, 0};
  for (int i = 0; i < nodes_->Count(); ++i) MaxVector4(result, VectorAbs4(nodes_->Node(i)->Coords()));
  return result;
}

void TLines::BuildList(TRenderContextInfo&) {
  const int count = nodes_->Count();
  if (count < 2) return;
  const bool nodeColors = options_.Contains(loUseNodeColorForLines);
  SetupLineStyle();
  GL.glBegin(GL_LINE_STRIP);
  if (division_ < 2 || splineMode_ == lsmLines) {
    for (int i = 0; i < count; ++i) {
      TGLLinesNode* node = nodes_->LinesNode(i);
      if (nodeColors) GL.glColor4fv(node->Color()->AsAddress());
      GL.glVertex3f(node->X(), node->Y(), node->Z());
    }
  } else {
    const std::unique_ptr<TCubicSpline> spline = nodes_->CreateNewCubicSpline();
    const float f = Single(1.0L / division_);
    for (int i = 0; i <= (count - 1) * division_; ++i) {
      float x, y, z;
      spline->SplineXYZ(Single(static_cast<long double>(i) * f), x, y, z);
      if (nodeColors) {
        const int k = i / division_;
        const TColorVector color =
            k < count - 1 ? VectorLerp4(nodes_->LinesNode(k)->Color()->Color(),
                                        nodes_->LinesNode(k + 1)->Color()->Color(),
                                        Single(static_cast<long double>(i % division_) * f))
                          : nodes_->LinesNode(count - 1)->Color()->Color();
        GL.glColor4fv(color.data());
      }
      GL.glVertex3f(x, y, z);
    }
  }
  GL.glEnd();
  RestoreLineStyle();
  if (nodesAspect_ == lnaInvisible) return;
  GL.glPushAttrib(GL_ENABLE_BIT);
  GL.glEnable(GL_BLEND);
  GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  for (int i = 0; i < count; ++i) {
    TGLLinesNode* node = nodes_->LinesNode(i);
    DrawNode(node->X(), node->Y(), node->Z(), node->Color()->Color());
  }
  GL.glPopAttrib();
}

void TLines::DrawNode(float x, float y, float z, const TColorVector& color) {
  GL.glPushMatrix();
  GL.glTranslatef(x, y, z);
  switch (nodesAspect_) {
    case lnaAxes:
      AxesBuildList(0xCCCC, nodeSize_ * 0.5f);
      break;
    case lnaCube:
      CubeWireframeBuildList(nodeSize_, false, color);
      break;
    case lnaDodecahedron:
      if (nodeSize_ != 1) {
        GL.glPushMatrix();
        GL.glScalef(nodeSize_, nodeSize_, nodeSize_);
      }
      SetGLMaterialColors(GL_FRONT_AND_BACK, {0, 0, 0, 1}, {0.2f, 0.2f, 0.2f, 1}, color, {0, 0, 0, 1}, 0);
      DodecahedronBuildList();
      if (nodeSize_ != 1) GL.glPopMatrix();
      break;
    case lnaInvisible:
      break;
  }
  GL.glPopMatrix();
}

}  // namespace kx
