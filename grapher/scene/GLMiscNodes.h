// The control points of line and polygon objects: a streamed collection of
// coordinates that notifies its owner on every change, gives the plane
// normal of its first three points, a cubic spline through them, and the
// polygon they outline, tessellated by GLU.
#pragma once

#include "framework/core/Collections.h"
#include "scene/Geometry.h"
#include "scene/Spline.h"

#include <memory>
#include <string>

namespace kx {

class TGLNode : public TCollectionItem {
  KX_CLASS(TGLNode, TCollectionItem)
 public:
  explicit TGLNode(TCollection* collection) : TCollectionItem(collection) {}

  float X() const { return coords_[0]; }
  float Y() const { return coords_[1]; }
  float Z() const { return coords_[2]; }
  void SetX(float value) { SetCoordinate(0, value); }
  void SetY(float value) { SetCoordinate(1, value); }
  void SetZ(float value) { SetCoordinate(2, value); }
  // Stores the component (0 to 2) and tells the collection.
  void SetCoordinate(int index, float value);
  const TVector& Coords() const { return coords_; }
  // x, y, z, w: the vertex data handed to OpenGL.
  float* AsAddress() { return coords_.data(); }

  // "x; y; z" with four decimals each.
  std::string DisplayName() const override;
  void Assign(TPersistent* source) override;

 private:
  TVector coords_{0, 0, 0, 0};
};

class TGLNodes : public TCollection {
  KX_CLASS(TGLNodes, TCollection)
 public:
  explicit TGLNodes(TPersistent* owner, TItemFactory factory = ItemsOf<TGLNode>()) : TCollection(owner, factory) {}

  TGLNode* Node(int index) const { return ItemAs<TGLNode>(index); }
  TGLNode* AddNode(float x, float y, float z);
  // Outside an update bracket, tells an owning scene node.
  virtual void NotifyChange();
  // The plane normal of the first three nodes; null with fewer.
  TAffineVector Normal() const;
  // Through X, Y and Z of every node (at least two).
  std::unique_ptr<TCubicSpline> CreateNewCubicSpline() const;
  // The closed polygon of the nodes (at least three), splined with
  // `splineDivisions` > 1, its winding reversed with `invert`; with
  // `textured` each vertex's x and y are its texture coordinates.
  void RenderTesselatedPolygon(bool textured, const TAffineVector* normal, int splineDivisions, bool invert);

 protected:
  void Update(TCollectionItem* item) override;
};

}  // namespace kx
