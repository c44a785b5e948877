// Drawn primitives of the scene: the base of the unlit line objects, the
// base of the GLU-drawn solids, the sphere, the arrow line (a shaft with
// conical heads) on the base of the cylinder-like solids, the disk, cone,
// cylinder and annulus (GLObjectsQuadrics.cpp), the cube and frustum
// (GLObjectsBoxes.cpp), the dummy cube, plane and sprite (GLObjectsFlat.cpp),
// the torus and dodecahedron (GLObjectsSolids.cpp), the lines
// (GLObjectsLines.cpp) and the polygon (GLObjectsPolygon.cpp).
#pragma once

#include "scene/GLMiscNodes.h"
#include "scene/GLStageNode.h"

#include <GL/glu.h>

namespace kx {

// Unlit lines: colour, stipple, width and smoothing, set before a subclass
// draws and restored after.
class TLineBase : public TGLImmaterialSceneObject {
  KX_CLASS(TLineBase, TGLImmaterialSceneObject)
 public:
  explicit TLineBase(TComponent* owner);
  ~TLineBase() override;

  TGLColor* LineColor() const { return lineColor_.get(); }
  void SetLineColor(TGLColor* value);
  // 0xFFFF is a solid line and switches stippling off.
  uint16_t LinePattern() const { return linePattern_; }
  void SetLinePattern(uint16_t value);
  float LineWidth() const { return lineWidth_; }
  void SetLineWidth(float value);
  bool AntiAliased() const { return antiAliased_; }
  void SetAntiAliased(bool value);

  // The line values only; the node part is not copied.
  void Assign(TPersistent* source) override;

 protected:
  // Brackets a subclass's BuildList.
  void SetupLineStyle();
  void RestoreLineStyle();

 private:
  std::unique_ptr<TGLColor> lineColor_;
  uint16_t linePattern_ = 0xFFFF;
  float lineWidth_ = 1;
  bool antiAliased_ = false;
};

enum TNormalSmoothing { nsFlat, nsSmooth, nsNone };
KX_ENUM_NAMES(TNormalSmoothing, "nsFlat", "nsSmooth", "nsNone")
enum TNormalDirection { ndInside, ndOutside };
KX_ENUM_NAMES(TNormalDirection, "ndInside", "ndOutside")

class TQuadricObject : public TGLStageObject {
  KX_CLASS(TQuadricObject, TGLStageObject)
 public:
  explicit TQuadricObject(TComponent* owner);
  TNormalSmoothing Normals() const { return normals_; }
  void SetNormals(TNormalSmoothing value);
  TNormalDirection NormalDirection() const { return normalDirection_; }
  void SetNormalDirection(TNormalDirection value);

  // Fill, normals, orientation and texture coordinates of a GLU quadric.
  void SetupQuadricParams(GLUquadric* quadric);
  void SetNormalQuadricOrientation(GLUquadric* quadric);
  // For the inward-facing parts (bottom discs, inner walls).
  void SetInvertedQuadricOrientation(GLUquadric* quadric);
  void Assign(TPersistent* source) override;

 private:
  TNormalSmoothing normals_ = nsSmooth;
  TNormalDirection normalDirection_ = ndOutside;
};

enum TCapType { ctNone, ctCenter, ctFlat };
KX_ENUM_NAMES(TCapType, "ctNone", "ctCenter", "ctFlat")

// A latitude/longitude mesh on the unit sphere, scaled by Radius; partial
// extents may be closed by caps.
class TSphere : public TQuadricObject {
  KX_CLASS(TSphere, TQuadricObject)
 public:
  explicit TSphere(TComponent* owner);

  float Radius() const { return radius_; }
  void SetRadius(float value);
  int Slices() const { return slices_; }
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  void SetStacks(int value);
  // Latitudes -90..90 and longitudes 0..360, in degrees.
  int Top() const { return top_; }
  void SetTop(int value);
  int Bottom() const { return bottom_; }
  void SetBottom(int value);
  int Start() const { return start_; }
  void SetStart(int value);
  int Stop() const { return stop_; }
  void SetStop(int value);
  TCapType TopCap() const { return topCap_; }
  void SetTopCap(TCapType value);
  TCapType BottomCap() const { return bottomCap_; }
  void SetBottomCap(TCapType value);

  void Assign(TPersistent* source) override;
  TVector AxisAlignedDimensions() override;
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float radius_ = 0.5f;
  int slices_ = 16, stacks_ = 16;
  int top_ = 90, bottom_ = -90, start_ = 0, stop_ = 360;
  TCapType topCap_ = ctNone, bottomCap_ = ctNone;
};

// The dimensions shared by the cylinder-like solids; no geometry of its own.
class TCylinderBase : public TQuadricObject {
  KX_CLASS(TCylinderBase, TQuadricObject)
 public:
  explicit TCylinderBase(TComponent* owner);
  float BottomRadius() const { return bottomRadius_; }
  void SetBottomRadius(float value);
  float Height() const { return height_; }
  void SetHeight(float value);
  int Slices() const { return slices_; }
  void SetSlices(int value);
  int Stacks() const { return stacks_; }
  void SetStacks(int value);
  // Never below 1.
  int Loops() const { return loops_; }
  void SetLoops(int value);
  void Assign(TPersistent* source) override;

 private:
  float bottomRadius_ = 0.5f;
  float height_ = 1;
  int slices_ = 16, stacks_ = 4, loops_ = 1;
};

enum TArrowHeadStackingStyle { ahssStacked, ahssCentered, ahssIncluded };
KX_ENUM_NAMES(TArrowHeadStackingStyle, "ahssStacked", "ahssCentered", "ahssIncluded")
enum TArrowLinePart { alLine, alTopArrow, alBottomArrow };
KX_ENUM_NAMES(TArrowLinePart, "alLine", "alTopArrow", "alBottomArrow")
using TArrowLineParts = TSet<TArrowLinePart>;

// A shaft along the local Z axis from -Height/2 to Height/2 with a cone at
// its top end, its bottom end, or both.
class TArrowLine : public TCylinderBase {
  KX_CLASS(TArrowLine, TCylinderBase)
 public:
  explicit TArrowLine(TComponent* owner);
  float TopRadius() const { return topRadius_; }
  void SetTopRadius(float value);
  TArrowHeadStackingStyle HeadStackingStyle() const { return headStackingStyle_; }
  void SetHeadStackingStyle(TArrowHeadStackingStyle value);
  TArrowLineParts Parts() const { return parts_; }
  void SetParts(TArrowLineParts value);
  float TopArrowHeadHeight() const { return topArrowHeadHeight_; }
  void SetTopArrowHeadHeight(float value);
  float TopArrowHeadRadius() const { return topArrowHeadRadius_; }
  void SetTopArrowHeadRadius(float value);
  float BottomArrowHeadHeight() const { return bottomArrowHeadHeight_; }
  void SetBottomArrowHeadHeight(float value);
  float BottomArrowHeadRadius() const { return bottomArrowHeadRadius_; }
  void SetBottomArrowHeadRadius(float value);

  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  float topRadius_ = 0.1f;
  TArrowHeadStackingStyle headStackingStyle_ = ahssStacked;
  TArrowLineParts parts_{alLine, alTopArrow};
  float topArrowHeadHeight_ = 0.5f, topArrowHeadRadius_ = 0.2f;
  float bottomArrowHeadHeight_ = 0.5f, bottomArrowHeadRadius_ = 0.2f;
};

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

enum TLineSplineMode { lsmLines, lsmCubicSpline };
KX_ENUM_NAMES(TLineSplineMode, "lsmLines", "lsmCubicSpline")

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
