// Lines through coordinate nodes, straight or splined, with node markers.
#pragma once

#include "scene/GLMiscNodes.h"
#include "scene/GLObjects.h"

namespace kx {

enum TLineSplineMode { lsmLines, lsmCubicSpline };
KX_ENUM_NAMES(TLineSplineMode, "lsmLines", "lsmCubicSpline")

class TLines;

// A node of a line, with a colour of its own: at first the line's node
// colour, which it follows until it is set apart.
class TGLLinesNode : public TGLNode {
  KX_CLASS(TGLLinesNode, TGLNode)
 public:
  // The collection's owner must be a TLines (EInvalidCast otherwise).
  explicit TGLLinesNode(TCollection* collection);
  ~TGLLinesNode() override;
  TGLColor* Color() const { return color_.get(); }
  void SetColor(TGLColor* value) { color_->Assign(value); }
  // From another line node the colour only.
  void Assign(TPersistent* source) override;

 private:
  std::unique_ptr<TGLColor> color_;
};

class TGLLinesNodes : public TGLNodes {
  KX_CLASS(TGLLinesNodes, TGLNodes)
 public:
  explicit TGLLinesNodes(TPersistent* owner) : TGLNodes(owner, ItemsOf<TGLLinesNode>()) {}
  TGLLinesNode* LinesNode(int index) const { return ItemAs<TGLLinesNode>(index); }
  // Rebuilds the owning line, inside an update bracket too.
  void NotifyChange() override;
};

enum TLineNodesAspect { lnaInvisible, lnaAxes, lnaCube, lnaDodecahedron };
KX_ENUM_NAMES(TLineNodesAspect, "lnaInvisible", "lnaAxes", "lnaCube", "lnaDodecahedron")
enum TLinesOption { loUseNodeColorForLines };
KX_ENUM_NAMES(TLinesOption, "loUseNodeColorForLines")
using TLinesOptions = TSet<TLinesOption>;

// An unlit polyline through its nodes, straight or as a cubic spline, with
// a marker at every node.
class TLines : public TLineBase {
  KX_CLASS(TLines, TLineBase)
 public:
  explicit TLines(TComponent* owner);
  ~TLines() override;

  TGLLinesNodes* Nodes() const { return nodes_.get(); }
  void SetNodes(TGLLinesNodes* value);
  TGLColor* NodeColor() const { return nodeColor_.get(); }
  void SetNodeColor(TGLColor* value);
  TLineNodesAspect NodesAspect() const { return nodesAspect_; }
  void SetNodesAspect(TLineNodesAspect value);
  // Above 0: anything else stores 1.
  float NodeSize() const { return nodeSize_; }
  void SetNodeSize(float value);
  // At least 1.
  int Division() const { return division_; }
  void SetDivision(int value);
  TLineSplineMode SplineMode() const { return splineMode_; }
  void SetSplineMode(TLineSplineMode value);
  TLinesOptions Options() const { return options_; }
  void SetOptions(TLinesOptions value);

  void Assign(TPersistent* source) override;
  // The largest absolute coordinates of the nodes.
  TVector AxisAlignedDimensions() override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  void NodeColorChanged();
  void DrawNode(float x, float y, float z, const TColorVector& color);

  std::unique_ptr<TGLColor> nodeColor_;
  std::unique_ptr<TGLLinesNodes> nodes_;
  TColorVector previousNodeColor_{0, 0, 1, 1};
  TLineNodesAspect nodesAspect_ = lnaAxes;
  float nodeSize_ = 1;
  int division_ = 10;
  TLineSplineMode splineMode_ = lsmLines;
  TLinesOptions options_;
};

}  // namespace kx
