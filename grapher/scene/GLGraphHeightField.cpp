// The height field: rows of samples of z = f(x, y), each pair of adjacent
// rows drawn as one triangle strip.
#include "scene/GLGraph.h"
#include "scene/XOpenGL.h"

#include <cmath>

namespace kx {

namespace {

struct HeightFieldModule {
  HeightFieldModule() { RegisterClasses({&THeightField::StaticClass()}); }
};
HeightFieldModule heightFieldModule;

constexpr GLenum kColorModes[] = {0, GL_EMISSION, GL_AMBIENT, GL_DIFFUSE, GL_AMBIENT_AND_DIFFUSE};
constexpr GLenum kPolygonModes[] = {GL_FILL, GL_LINE, GL_POINT};

}  // namespace

KX_PUBLISH(THeightField) {
  p.Property("XSamplingScale", &THeightField::XSamplingScale, &THeightField::SetXSamplingScale);
  p.Property("YSamplingScale", &THeightField::YSamplingScale, &THeightField::SetYSamplingScale);
  p.Property("ColorMode", &THeightField::ColorMode, &THeightField::SetColorMode).Default(hfcmNone);
  p.Property("Options", &THeightField::Options, &THeightField::SetOptions)
      .Default(THeightFieldOptions{hfoTwoSided}.Bits());
  p.Field("OnGetHeight", &THeightField::OnGetHeight);
  p.Field("OnGetHeight2", &THeightField::OnGetHeight2);
}

THeightField::THeightField(TComponent* owner)
    : TGLStageObject(owner),
      xScale_(std::make_unique<TGLSamplingScale>(this)),
      yScale_(std::make_unique<TGLSamplingScale>(this)) {
  objectStyle_.Include(osTouchesGLState);
}

THeightField::~THeightField() = default;

void THeightField::SetColorMode(THeightFieldColorMode value) {
  if (StoreChanged(colorMode_, value)) StructureChanged();
}

void THeightField::SetOptions(THeightFieldOptions value) {
  if (StoreChanged(options_, value)) StructureChanged();
}

void THeightField::SetOnGetHeight(THeightFieldGetHeightEvent event) {
  OnGetHeight = std::move(event);
  StructureChanged();
}

void THeightField::SetOnGetHeight2(THeightFieldGetHeight2Event event) {
  OnGetHeight2 = std::move(event);
  StructureChanged();
}

void THeightField::DefaultHeight(float x, float y, float& z, TVector&, TTexPoint&) {
  const float r2 = Single(static_cast<long double>(x) * x + static_cast<long double>(y) * y);
  z = Single(std::cos(12.0L * r2) / (2 * (6.28L * r2 + 1)));
}

void THeightField::NotifyChange(TObject* sender) {
  if (dynamic_cast<TGLSamplingScale*>(sender)) StructureChanged();
  TGLStageObject::NotifyChange(sender);
}

void THeightField::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<THeightField*>(source)) {
    xScale_->Assign(other->xScale_.get());
    yScale_->Assign(other->yScale_.get());
    OnGetHeight = other->OnGetHeight;
    options_ = other->options_;
    colorMode_ = other->colorMode_;
    return;
  }
  TGLStageObject::Assign(source);
}

void THeightField::ComputeNormals(Row& row, int n, const Row* before, const Row* after, float kx, float ky) const {
  for (int i = 0; i < n; ++i) {
    long double dx = 0, dy = 0;
    if (i > 0) dx += (static_cast<long double>(row[i - 1].z) - row[i].z) * kx;
    if (i < n - 1) dx += (static_cast<long double>(row[i].z) - row[i + 1].z) * kx;
    if (before) dy += (static_cast<long double>((*before)[i].z) - row[i].z) * ky;
    if (after) dy += (static_cast<long double>(row[i].z) - (*after)[i].z) * ky;
    row[i].normal = VectorNormalize({Single(dx), Single(dy), 1});
  }
}

void THeightField::EmitSample(const Sample& s, float x, float y) const {
  GL.glNormal3fv(s.normal.data());
  if (colorMode_ != hfcmNone) GL.glColor4fv(s.color.data());
  if (options_.Contains(hfoTextureCoordinates)) xglTexCoord2fv(&s.texPoint.S);
  GL.glVertex4f(x, y, s.z, 1);
}

void THeightField::DrawStrip(const Row& a, float ya, const Row& b, float yb, int n, float xBase, float xStep) const {
  GL.glBegin(GL_TRIANGLE_STRIP);
  float x = xBase;
  EmitSample(b[0], x, yb);
  for (int i = 0; i < n - 1; ++i) {
    const float next = Single(static_cast<long double>(x) + xStep);
    EmitSample(a[i], x, ya);
    EmitSample(b[i + 1], next, yb);
    x = next;
  }
  EmitSample(a[n - 1], x, ya);
  GL.glEnd();
}

void THeightField::BuildList(TRenderContextInfo&) {
  triangleCount_ = 0;
  if (!xScale_->IsValid() || !yScale_->IsValid()) return;
  // Rounding ties to even and accumulating singles may ask for one sample
  // more than MaxStepCount promises: the sampling stops at the row's length.
  const int rowLength = std::min(std::max(xScale_->MaxStepCount(), 0) + 1, kMaxHeightFieldSamples);
  Row buffers[3] = {Row(rowLength), Row(rowLength), Row(rowLength)};
  const float xBase = xScale_->StepBase(), xStep = xScale_->Step(), xMax = xScale_->Max();
  const float kx = Single(1.0L / xStep), yStep = yScale_->Step(), ky = Single(1.0L / yStep);

  const bool push = options_.Contains(hfoTwoSided) || colorMode_ != hfcmNone;
  if (push) GL.glPushAttrib(GL_ENABLE_BIT);
  struct PopAttrib {
    bool on;
    ~PopAttrib() {
      if (on) GL.glPopAttrib();
    }
  } pop{push};
  if (options_.Contains(hfoTwoSided)) {
    GL.glDisable(GL_CULL_FACE);
    GL.glPolygonMode(GL_FRONT_AND_BACK, kPolygonModes[Material()->FrontProperties()->PolygonMode()]);
  }
  if (colorMode_ != hfcmNone) {
    GL.glEnable(GL_COLOR_MATERIAL);
    GL.glColorMaterial(GL_FRONT_AND_BACK, kColorModes[colorMode_]);
    ResetGLMaterialColors();
  }

  auto height = [this](float x, float y, Sample& s) {
    if (OnGetHeight)
      OnGetHeight(x, y, s.z, s.color, s.texPoint);
    else if (OnGetHeight2)
      OnGetHeight2(this, x, y, s.z, s.color, s.texPoint);
    else
      DefaultHeight(x, y, s.z, s.color, s.texPoint);
  };

  Row *newest = nullptr, *middle = nullptr, *oldest = nullptr;
  int rows = 0, n = 0;
  float y = yScale_->StepBase(), yPrevious = y, yBeforeThat = y;
  while (y <= yScale_->Max() && rows < kMaxHeightFieldSamples) {
    oldest = middle;
    middle = newest;
    newest = &buffers[rows % 3];
    n = 0;
    for (float x = xBase; x < xMax && n < rowLength; x = Single(static_cast<long double>(x) + xStep), ++n) {
      Sample& s = (*newest)[n];
      s.texPoint = {x, y};
      height(x, y, s);
    }
    if (middle) ComputeNormals(*middle, n, oldest, newest, kx, ky);
    if (rows > 1 && n > 0) DrawStrip(*oldest, yBeforeThat, *middle, yPrevious, n, xBase, xStep);
    ++rows;
    yBeforeThat = yPrevious;
    yPrevious = y;
    const float next = Single(static_cast<long double>(y) + yStep);
    if (!(next > y)) break;  // a step below the resolution of a single here
    y = next;
  }
  if (newest && n > 0) {
    ComputeNormals(*newest, n, middle, nullptr, kx, ky);
    if (middle) DrawStrip(*middle, yBeforeThat, *newest, yPrevious, n, xBase, xStep);
  }
  triangleCount_ = rows > 0 && n > 0 ? (rows - 1) * 2 * (n - 1) : 0;
}

}  // namespace kx
