// Objects that sample space on a regular lattice: the lattice of one axis,
// the wire grid of lines parallel to the axes through its points, and the
// height field z = f(x, y) over two lattices (GLGraphHeightField.cpp).
#pragma once

#include "scene/GLObjects.h"
#include "scene/VectorLists.h"

#include <cmath>

namespace kx {

// Samples lie at Origin + k * Step between Min and Max.
class TGLSamplingScale : public TGLUpdateAbleObject {
  KX_CLASS(TGLSamplingScale, TGLUpdateAbleObject)
 public:
  explicit TGLSamplingScale(TPersistent* owner) : TGLUpdateAbleObject(owner) {}

  // Every setter notifies, also with an unchanged value; Min <= Max holds
  // after each (the value set wins).
  float Min() const { return min_; }
  void SetMin(float value);
  float Max() const { return max_; }
  void SetMax(float value);
  float Origin() const { return origin_; }
  void SetOrigin(float value);
  // Always above 0: anything else becomes 1.
  float Step() const { return step_; }
  void SetStep(float value);

  // The first lattice value used for sampling.
  float StepBase() const;
  int MaxStepCount() const;
  bool IsValid() const { return max_ != min_; }
  // The loop bounds of one axis; a disabled axis visits Origin alone.
  void SetBaseStepMaxToVars(float& base, float& step, float& max, bool samplingEnabled) const;
  // Copies the values unchecked.
  void Assign(TPersistent* source) override;

 private:
  float min_ = 0, max_ = 0, origin_ = 0, step_ = 0.1f;
};

enum TXYZGridPart { gpX, gpY, gpZ };
KX_ENUM_NAMES(TXYZGridPart, "gpX", "gpY", "gpZ")
using TXYZGridParts = TSet<TXYZGridPart>;
enum TXYZGridLinesStyle { glsLine, glsSegments };
KX_ENUM_NAMES(TXYZGridLinesStyle, "glsLine", "glsSegments")

// Lines parallel to X (gpX), Y (gpY) and Z (gpZ) through the lattice points.
class TXYZGrid : public TLineBase {
  KX_CLASS(TXYZGrid, TLineBase)
 public:
  explicit TXYZGrid(TComponent* owner);
  ~TXYZGrid() override;

  TGLSamplingScale* XSamplingScale() const { return xScale_.get(); }
  void SetXSamplingScale(TGLSamplingScale* value) { xScale_->Assign(value); }
  TGLSamplingScale* YSamplingScale() const { return yScale_.get(); }
  void SetYSamplingScale(TGLSamplingScale* value) { yScale_->Assign(value); }
  TGLSamplingScale* ZSamplingScale() const { return zScale_.get(); }
  void SetZSamplingScale(TGLSamplingScale* value) { zScale_->Assign(value); }
  TXYZGridParts Parts() const { return parts_; }
  void SetParts(TXYZGridParts value);
  TXYZGridLinesStyle LinesStyle() const { return linesStyle_; }
  void SetLinesStyle(TXYZGridLinesStyle value);
  // Stored and streamed; drawing uses AntiAliased.
  bool LinesSmoothing() const { return linesSmoothing_; }
  void SetLinesSmoothing(bool value);

  // A change of a scale recompiles the grid.
  void NotifyChange(TObject* sender) override;
  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

 private:
  std::unique_ptr<TGLSamplingScale> xScale_, yScale_, zScale_;
  TXYZGridParts parts_{gpX, gpY};
  TXYZGridLinesStyle linesStyle_ = glsSegments;
  bool linesSmoothing_ = false;
};

enum THeightFieldColorMode { hfcmNone, hfcmEmission, hfcmAmbient, hfcmDiffuse, hfcmAmbientAndDiffuse };
KX_ENUM_NAMES(THeightFieldColorMode, "hfcmNone", "hfcmEmission", "hfcmAmbient", "hfcmDiffuse",
              "hfcmAmbientAndDiffuse")
enum THeightFieldOption { hfoTextureCoordinates, hfoTwoSided };
KX_ENUM_NAMES(THeightFieldOption, "hfoTextureCoordinates", "hfoTwoSided")
using THeightFieldOptions = TSet<THeightFieldOption>;
// x, y; the height, colour and texture point to fill in.
using THeightFieldGetHeightEvent = TEvent<float, float, float&, TVector&, TTexPoint&>;
using THeightFieldGetHeight2Event = TEvent<TObject*, float, float, float&, TVector&, TTexPoint&>;

// Samples a row holds at most: a tiny step over a wide range must neither
// allocate without bound nor sample for minutes.
inline constexpr int kMaxHeightFieldSamples = 2048;

// The surface z = f(x, y) over the lattices of two scales, one triangle
// strip per pair of adjacent rows, normals estimated from the neighbours.
class THeightField : public TGLStageObject {
  KX_CLASS(THeightField, TGLStageObject)
 public:
  explicit THeightField(TComponent* owner);
  ~THeightField() override;

  TGLSamplingScale* XSamplingScale() const { return xScale_.get(); }
  void SetXSamplingScale(TGLSamplingScale* value) { xScale_->Assign(value); }
  TGLSamplingScale* YSamplingScale() const { return yScale_.get(); }
  void SetYSamplingScale(TGLSamplingScale* value) { yScale_->Assign(value); }
  THeightFieldColorMode ColorMode() const { return colorMode_; }
  void SetColorMode(THeightFieldColorMode value);
  THeightFieldOptions Options() const { return options_; }
  void SetOptions(THeightFieldOptions value);
  // Set through these, a new function recompiles the field.
  void SetOnGetHeight(THeightFieldGetHeightEvent event);
  void SetOnGetHeight2(THeightFieldGetHeight2Event event);
  // Triangles of the last build.
  int TriangleCount() const { return triangleCount_; }

  // A ripple: cos(12 r^2) / (2 (6.28 r^2 + 1)).
  static void DefaultHeight(float x, float y, float& z, TVector& color, TTexPoint& texPoint);

  void NotifyChange(TObject* sender) override;
  void Assign(TPersistent* source) override;
  void BuildList(TRenderContextInfo& rci) override;

  THeightFieldGetHeightEvent OnGetHeight;
  THeightFieldGetHeight2Event OnGetHeight2;

 private:
  struct Sample {
    float z;
    TVector color;
    TTexPoint texPoint;
    TAffineVector normal;
  };
  using Row = std::vector<Sample>;
  void ComputeNormals(Row& row, int n, const Row* before, const Row* after, float kx, float ky) const;
  void DrawStrip(const Row& a, float ya, const Row& b, float yb, int n, float xBase, float xStep) const;
  void EmitSample(const Sample& s, float x, float y) const;

  std::unique_ptr<TGLSamplingScale> xScale_, yScale_;
  THeightFieldColorMode colorMode_ = hfcmNone;
  THeightFieldOptions options_{hfoTwoSided};
  int triangleCount_ = 0;
};

// Lattice values drawn per axis at most: a tiny step over a wide range is
// finite but would take minutes of drawing (and the grid's parts nest three
// axes deep).
inline constexpr int kMaxGridSamples = 256;

// The lattice values of one axis, from base while not above max: the
// running sums of step, each rounded to single. The walk stops where a sum
// can no longer grow (a step below the resolution of a single there), after
// kMaxGridSamples values, and a bound or step that is not finite gives no
// value at all.
template <class F>
void ForEachSample(float base, float step, float max, F visit) {
  if (!std::isfinite(base) || !std::isfinite(step) || !std::isfinite(max)) return;
  int count = 0;
  for (float value = base; value <= max && count < kMaxGridSamples; ++count) {
    visit(value);
    const float next = Single(static_cast<long double>(value) + step);
    if (!(next > value)) return;
    value = next;
  }
}

}  // namespace kx
