// Drawn primitives of the scene: the base of the unlit line objects, the
// base of the GLU-drawn solids, the sphere, and the arrow line (a shaft with
// conical heads) on the base of the cylinder-like solids. The other
// primitives of the module have headers of their own: GLObjectsQuadrics.h,
// GLObjectsBoxes.h, GLObjectsFlat.h, GLObjectsSolids.h, GLObjectsLines.h and
// GLObjectsPolygon.h.
#pragma once

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

}  // namespace kx
