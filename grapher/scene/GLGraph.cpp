#include "scene/GLGraph.h"

namespace kx {

namespace {

struct GraphModule {
  GraphModule() { RegisterClasses({&TXYZGrid::StaticClass()}); }
};
GraphModule graphModule;

// One million-th of a step per step lets a loop of additions still reach Max.
constexpr long double kReachMargin = 1e-6L;

}  // namespace

KX_PUBLISH(TGLSamplingScale) {
  p.Property("Min", &TGLSamplingScale::Min, &TGLSamplingScale::SetMin);
  p.Property("Max", &TGLSamplingScale::Max, &TGLSamplingScale::SetMax);
  p.Property("Origin", &TGLSamplingScale::Origin, &TGLSamplingScale::SetOrigin);
  p.Property("Step", &TGLSamplingScale::Step, &TGLSamplingScale::SetStep);
}

KX_PUBLISH(TXYZGrid) {
  p.Property("XSamplingScale", &TXYZGrid::XSamplingScale, &TXYZGrid::SetXSamplingScale);
  p.Property("YSamplingScale", &TXYZGrid::YSamplingScale, &TXYZGrid::SetYSamplingScale);
  p.Property("ZSamplingScale", &TXYZGrid::ZSamplingScale, &TXYZGrid::SetZSamplingScale);
  p.Property("Parts", &TXYZGrid::Parts, &TXYZGrid::SetParts).Default(TXYZGridParts{gpX, gpY}.Bits());
  p.Property("LinesStyle", &TXYZGrid::LinesStyle, &TXYZGrid::SetLinesStyle).Default(glsSegments);
  p.Property("LinesSmoothing", &TXYZGrid::LinesSmoothing, &TXYZGrid::SetLinesSmoothing);
}

// TGLSamplingScale ----------------------------------------------------------------------

void TGLSamplingScale::SetMin(float value) {
  min_ = value;
  if (max_ < value) max_ = value;
  NotifyChange(this);
}

void TGLSamplingScale::SetMax(float value) {
  max_ = value;
  if (min_ > value) min_ = value;
  NotifyChange(this);
}

void TGLSamplingScale::SetOrigin(float value) {
  origin_ = value;
  NotifyChange(this);
}

void TGLSamplingScale::SetStep(float value) {
  step_ = value > 0 ? value : 1;
  NotifyChange(this);
}

float TGLSamplingScale::StepBase() const {
  if (origin_ == min_) return min_;
  const float t = Single((static_cast<long double>(origin_) - min_) / step_);
  const int n = t >= 0 ? TruncSingle(t) : TruncSingle(t) - 1;
  return Single(origin_ - static_cast<long double>(step_) * n);
}

int TGLSamplingScale::MaxStepCount() const {
  return RoundSingle(Single((static_cast<long double>(max_) - min_) / step_ + 0.5L));
}

void TGLSamplingScale::SetBaseStepMaxToVars(float& base, float& step, float& max, bool samplingEnabled) const {
  step = step_;
  if (samplingEnabled) {
    base = StepBase();
    max = Single(max_ + ((static_cast<long double>(max_) - base) / step) * kReachMargin);
  } else {
    base = origin_;
    max = origin_;
  }
}

void TGLSamplingScale::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLSamplingScale*>(source)) {
    min_ = other->min_;
    max_ = other->max_;
    origin_ = other->origin_;
    step_ = other->step_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

// TXYZGrid -----------------------------------------------------------------------------------

TXYZGrid::TXYZGrid(TComponent* owner)
    : TLineBase(owner),
      xScale_(std::make_unique<TGLSamplingScale>(this)),
      yScale_(std::make_unique<TGLSamplingScale>(this)),
      zScale_(std::make_unique<TGLSamplingScale>(this)) {}

TXYZGrid::~TXYZGrid() = default;

void TXYZGrid::SetParts(TXYZGridParts value) {
  if (value == parts_) return;
  parts_ = value;
  StructureChanged();
}

void TXYZGrid::SetLinesStyle(TXYZGridLinesStyle value) {
  if (value == linesStyle_) return;
  linesStyle_ = value;
  StructureChanged();
}

void TXYZGrid::SetLinesSmoothing(bool value) {
  if (value == linesSmoothing_) return;
  linesSmoothing_ = value;
  StructureChanged();
}

void TXYZGrid::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TLineBase::NotifyChange(sender);
}

void TXYZGrid::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TXYZGrid*>(source)) {
    xScale_->Assign(other->xScale_.get());
    yScale_->Assign(other->yScale_.get());
    zScale_->Assign(other->zScale_.get());
    parts_ = other->parts_;
    linesStyle_ = other->linesStyle_;
  }
  TLineBase::Assign(source);
}

void TXYZGrid::BuildList(TRenderContextInfo&) {
  SetupLineStyle();
  float xBase, xStep, xMax, yBase, yStep, yMax, zBase, zStep, zMax;
  xScale_->SetBaseStepMaxToVars(xBase, xStep, xMax, parts_.Contains(gpX));
  yScale_->SetBaseStepMaxToVars(yBase, yStep, yMax, parts_.Contains(gpY));
  zScale_->SetBaseStepMaxToVars(zBase, zStep, zMax, parts_.Contains(gpZ));
  const bool segments = linesStyle_ == glsSegments;
  if (parts_.Contains(gpX)) {
    ForEachSample(yBase, yStep, yMax, [&](float y) {
      ForEachSample(zBase, zStep, zMax, [&](float z) {
        GL.glBegin(GL_LINE_STRIP);
        if (segments) {
          ForEachSample(xBase, xStep, xMax, [&](float x) { GL.glVertex3f(x, y, z); });
        } else {
          GL.glVertex3f(xScale_->Min(), y, z);
          GL.glVertex3f(xScale_->Max(), y, z);
        }
        GL.glEnd();
      });
    });
  }
  if (parts_.Contains(gpY)) {
    ForEachSample(xBase, xStep, xMax, [&](float x) {
      ForEachSample(zBase, zStep, zMax, [&](float z) {
        GL.glBegin(GL_LINE_STRIP);
        if (segments) {
          ForEachSample(yBase, yStep, yMax, [&](float y) { GL.glVertex3f(x, y, z); });
        } else {
          GL.glVertex3f(x, yScale_->Min(), z);
          GL.glVertex3f(x, yScale_->Max(), z);
        }
        GL.glEnd();
      });
    });
  }
  if (parts_.Contains(gpZ)) {
    ForEachSample(xBase, xStep, xMax, [&](float x) {
      ForEachSample(yBase, yStep, yMax, [&](float y) {
        GL.glBegin(GL_LINE_STRIP);
        if (segments) {
          ForEachSample(zBase, zStep, zMax, [&](float z) { GL.glVertex3f(x, y, z); });
        } else {
          GL.glVertex3f(x, y, zScale_->Min());
          GL.glVertex3f(x, y, zScale_->Max());
        }
        GL.glEnd();
      });
    });
  }
  RestoreLineStyle();
}

}  // namespace kx
