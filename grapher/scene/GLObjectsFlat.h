// The dummy cube, the plane and the sprite.
#pragma once

#include "scene/GLObjects.h"

namespace kx {

// The wireframe of a cube of edge `size` centred on the origin, in `color`,
// dotted with `stipple`; GL state is restored afterwards.
void CubeWireframeBuildList(float size, bool stipple, const TColorVector& color);

// An invisible grouping node that may draw itself as a dotted wireframe cube.
class TDummyCube : public TGLImmaterialSceneObject {
  KX_CLASS(TDummyCube, TGLImmaterialSceneObject)
 public:
  explicit TDummyCube(TComponent* owner);
  ~TDummyCube() override;
  float CubeSize() const { return cubeSize_; }
  void SetCubeSize(float value);
  TGLColor* EdgeColor() const { return edgeColor_.get(); }
  void SetEdgeColor(TGLColor* value);
  bool VisibleAtRunTime() const { return visibleAtRunTime_; }
  void SetVisibleAtRunTime(bool value);

  void Assign(TPersistent* source) override;
  // The average of the children's, or the node's own without children.
  TVector BarycenterAbsolutePosition() override;
  TVector AxisAlignedDimensions() override;
  // Never hit.
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float cubeSize_ = 1;
  std::unique_ptr<TGLColor> edgeColor_;
  bool visibleAtRunTime_ = false;
};

enum TPlaneStyle { psSingleQuad, psTileTexture };
KX_ENUM_NAMES(TPlaneStyle, "psSingleQuad", "psTileTexture")
using TPlaneStyles = TSet<TPlaneStyle>;

// A rectangle in the node's XY plane facing +Z: one quad, or a grid of
// strips, with texture offsets and tiling.
class TPlane : public TGLStageObject {
  KX_CLASS(TPlane, TGLStageObject)
 public:
  explicit TPlane(TComponent* owner);
  float Height() const { return height_; }
  void SetHeight(float value);
  float Width() const { return width_; }
  void SetWidth(float value);
  float XOffset() const { return xOffset_; }
  void SetXOffset(float value);
  uint32_t XTiles() const { return xTiles_; }
  void SetXTiles(uint32_t value);
  float YOffset() const { return yOffset_; }
  void SetYOffset(float value);
  uint32_t YTiles() const { return yTiles_; }
  void SetYTiles(uint32_t value);
  TPlaneStyles Style() const { return style_; }
  void SetStyle(TPlaneStyles value);

  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float height_ = 1, width_ = 1, xOffset_ = 0, yOffset_ = 0;
  uint32_t xTiles_ = 1, yTiles_ = 1;
  TPlaneStyles style_{psSingleQuad, psTileTexture};
};

// A rectangle that always faces the camera, turned in the screen plane by
// Rotation, optionally transparent and without depth writes.
class TSprite : public TGLStageObject {
  KX_CLASS(TSprite, TGLStageObject)
 public:
  explicit TSprite(TComponent* owner);
  float Width() const { return width_; }
  void SetWidth(float value);
  float Height() const { return height_; }
  void SetHeight(float value);
  // Degrees.
  float Rotation() const { return rotation_; }
  void SetRotation(float value);
  // Kept within 0 .. 1.
  float AlphaChannel() const { return alphaChannel_; }
  void SetAlphaChannel(float value);
  bool NoZWrite() const { return noZWrite_; }
  void SetNoZWrite(bool value);

  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float width_ = 1, height_ = 1, rotation_ = 0, alphaChannel_ = 1;
  bool noZWrite_ = false;
};

}  // namespace kx
