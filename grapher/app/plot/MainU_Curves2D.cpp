#include "app/plot/MainU_Curves2D.h"

#include <cmath>
#include <functional>
#include <limits>

namespace kx {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
// The step of a kind-9 fitted curve.
constexpr double kDataStep = 0.05;
// A sample turning back on the last step within about 2.6 degrees (as across
// a pole, where the curve jumps from one side of the view to the other)
// breaks the strip.
constexpr double kTurnBack = 0.001;

// The values of t whose sample can come within the margin, when that follows
// from t alone: x is t for kinds 1 and 9, y is t for kind 2.
void SampleWindow(const TFuncRec& record, const TSampling2D& s, const TViewState& view, double& lo, double& hi) {
  lo = -kInfinity, hi = kInfinity;
  if (s.Rotated) return;
  double first, last, scale, shift;
  if (record.FuncType == 1 || record.FuncType == TNKind) {
    // px = (t + shift) * ScaleX + OriginX
    scale = view.ScaleX, shift = s.ShiftX;
    first = (-SampleMargin - view.OriginX()) / scale;
    last = (view.ViewW + SampleMargin - view.OriginX()) / scale;
  } else if (record.FuncType == 2) {
    // py = OriginY - (t + shift) * ScaleY
    scale = view.ScaleY, shift = s.ShiftY;
    first = (view.OriginY() - view.ViewH - SampleMargin) / scale;
    last = (view.OriginY() + SampleMargin) / scale;
  } else {
    return;
  }
  if (!(scale > 0) || !std::isfinite(scale)) return;
  // One pixel and a little relative slack more, so that rounding never drops
  // a sample that the full walk would draw.
  const double slack = 1 / scale + 1e-12 * (std::fabs(first) + std::fabs(last) + std::fabs(shift));
  const double from = first - shift - slack, to = last - shift + slack;
  if (std::isfinite(from) && std::isfinite(to)) lo = from, hi = to;
}

// How each run of good samples is drawn.
struct TStrip {
  TPrimitive Primitive;
  std::function<void(TEmitter&)> StartRun;                    // after each Begin
  std::function<void(TEmitter&, double, double)> EmitSample;  // one good sample
};

// Samples a record from `from` to `to` and draws each run of consecutive good
// samples as one primitive; a run never spans a bad sample. Returns the
// samples taken.
int64_t WalkStrips(const TPlot2D& plot, const TFuncRec& record, const TSampling2D& s, double from, double to,
                   TWalk walk, TEmitter& emitter, const TStrip& strip) {
  double lo = -kInfinity, hi = kInfinity;
  if (walk == TWalk::Narrowed) SampleWindow(record, s, plot.View, lo, hi);
  int64_t samples = 0;
  bool newStrip = true, firstStep = false, open = false;
  double prevX = 0, prevY = 0, dirX = 0, dirY = 0;
  WalkLattice(from, to, s.Step, PlaneWalk, lo, hi, [&](double t) {
    ++samples;
    TPixel2D p = SamplePoint2D(plot.Model, plot.View, record, s, t);
    double dx = 0, dy = 0;
    if (!p.Bad && !newStrip && !firstStep) {
      dx = p.X - prevX, dy = p.Y - prevY;
      const double cosine = (dirX * dx + dirY * dy) / (std::hypot(dirX, dirY) * std::hypot(dx, dy));
      // A step of length 0 gives no direction and never breaks.
      if (cosine + 1 < kTurnBack) p.Bad = true;
    }
    if (p.Bad) {
      newStrip = true, firstStep = false;
      return;
    }
    if (firstStep) {
      dx = p.X - prevX, dy = p.Y - prevY;
      firstStep = false;
    }
    if (newStrip) {
      if (open) emitter.End();
      emitter.Begin(strip.Primitive);
      open = true;
      if (strip.StartRun) strip.StartRun(emitter);
      newStrip = false, firstStep = true;
    }
    strip.EmitSample(emitter, p.X, p.Y);
    prevX = p.X, prevY = p.Y, dirX = dx, dirY = dy;
  });
  if (open) emitter.End();
  return samples;
}

// Kind 9 is drawn only with data; kinds 1 to 5 only with their compilers.
bool CanSample(const TFuncRec& record) {
  if (record.FuncType == TNKind) return !record.TNPoints.empty();
  return record.FuncType >= 1 && record.FuncType <= 5 && HasFormulas(record);
}


}  // namespace

TSampling2D SetupSampling2D(const TFuncRec& record) {
  TSampling2D s;
  if (record.FuncType == TNKind) {
    if (!record.TNPoints.empty()) {
      s.Start = Stored(record.TNPoints.front().X);
      s.End = Stored(record.TNPoints.back().X);
    }
    s.Step = kDataStep;
    return s;
  }
  s.Start = record.First1, s.End = record.Last1;
  s.Step = WalkStep(record.Step1);
  s.ShiftX = record.RelX, s.ShiftY = record.RelY;
  s.Angle = record.Rotate;
  s.Rotated = s.Angle != 0;
  if (s.Rotated) s.Cos = std::cos(s.Angle), s.Sin = std::sin(s.Angle);
  return s;
}

TPixel2D SamplePoint2D(TFuncModel& model, const TViewState& view, const TFuncRec& record, const TSampling2D& sampling,
                       long double t) {
  model.VarCells[1] = t;
  // The process masks every floating-point exception: a failing evaluation
  // comes back as an infinity or not-a-number, caught by the checks below.
  auto value = [&](int j) -> long double {
    const TKCompiler* compiler = j <= FormulaCount(record.FuncType) ? record.Compilers[j].get() : nullptr;
    return compiler ? compiler->Calculate() : kNaN;
  };
  long double x, y;
  switch (record.FuncType) {
    case 1:
      x = t, y = value(1);
      break;
    case 2:
      x = value(1), y = t;
      break;
    case 3: {
      const long double radius = value(1);
      x = std::cos(t) * radius, y = std::sin(t) * radius;
      break;
    }
    case 4: {
      const long double angle = value(1);
      x = std::cos(angle) * t, y = std::sin(angle) * t;
      break;
    }
    case 5:
      x = value(1), y = value(2);
      break;
    case TNKind:
      x = t, y = TNValueAt(record, t);
      break;
    default:
      return {};
  }
  long double shiftedX, shiftedY;
  if (sampling.Rotated) {
    shiftedX = x * sampling.Cos - y * sampling.Sin + sampling.ShiftX;
    shiftedY = x * sampling.Sin + y * sampling.Cos + sampling.ShiftY;
  } else {
    shiftedX = x + sampling.ShiftX;
    shiftedY = y + sampling.ShiftY;
  }
  TPixel2D p;
  p.X = Stored(shiftedX * view.ScaleX + view.OriginX());
  p.Y = Stored(view.OriginY() - shiftedY * view.ScaleY);
  p.Bad = std::isnan(p.X) || std::isnan(p.Y) || p.X < -SampleMargin || p.X > view.ViewW + SampleMargin ||
          p.Y < -SampleMargin || p.Y > view.ViewH + SampleMargin;
  return p;
}

bool HasFormulas(const TFuncRec& record) {
  for (int j = 1; j <= FormulaCount(record.FuncType); ++j)
    if (!record.Compilers[j]) return false;
  return true;
}

float PenSize(const TFuncRec& record) {
  // Below 1 OpenGL refuses the width, at every frame.
  return record.LineWidth >= 1 ? static_cast<float>(record.LineWidth) : 1.0f;
}

void DiamondVertices(TEmitter& emitter, double x, double y) {
  emitter.Vertex(x - 5, y);
  emitter.Vertex(x, y - 5);
  emitter.Vertex(x + 5, y);
  emitter.Vertex(x, y + 5);
}

int64_t DrawCurve2D(const TPlot2D& plot, const TFuncRec& record, TEmitter& emitter, TWalk walk) {
  if (!CanSample(record)) return 0;
  const TSampling2D s = SetupSampling2D(record);
  emitter.SetLineWidth(PenSize(record));
  emitter.SetPointSize(PenSize(record));
  SetGLColor(emitter, record.Color, 1);
  const TStrip strip{plot.Options.PointMode ? TPrimitive::Points : TPrimitive::LineStrip, nullptr,
                     [](TEmitter& e, double x, double y) { e.Vertex(x, y); }};
  return WalkStrips(plot, record, s, s.Start, s.End, walk, emitter, strip);
}

int64_t DrawEvalMarks(const TPlot2D& plot, TEmitter& emitter, TWalk walk) {
  const TEvalState& eval = plot.Eval;
  const TFuncModel& model = plot.Model;
  if (!plot.View.EvalPanelOpen || eval.EvalMode != 1 || eval.EvalFuncIdx < 1 || eval.EvalFuncIdx > model.Count2D)
    return 0;
  const TFuncRec& target = model.List2D[eval.EvalFuncIdx];
  const int32_t kind = target.FuncType;
  // Points alone have a value only at their abscissas: elsewhere it is not a
  // number, and the marker does not show.
  if (!CanSample(target)) return 0;

  const TSampling2D s = SetupSampling2D(target);
  const TPixel2D marker = SamplePoint2D(plot.Model, plot.View, target, s, eval.EvalVar1);
  if (!marker.Bad) {
    if (eval.SearchHit)
      SetGLColor(emitter, clRed, 1);
    else
      SetGLColor(emitter, clFuchsia, 0.7f);
    emitter.Begin(TPrimitive::Quads);
    DiamondVertices(emitter, marker.X, marker.Y);
    emitter.End();
  }

  if (!plot.IntegralPageActive || (kind != 1 && kind != 2 && kind != 3 && kind != TNKind)) return 0;
  SetGLColor(emitter, clRed, 0.6f);
  double a = static_cast<double>(eval.IntegralFrom), b = static_cast<double>(eval.IntegralTo);
  if (a > b) std::swap(a, b);
  // The shifted axes: the foot of each sample and the pole of a polar sector.
  const TViewState& view = plot.View;
  const double axisY = view.OriginY() - s.ShiftY * view.ScaleY;
  const double axisX = view.OriginX() + s.ShiftX * view.ScaleX;
  TStrip strip;
  if (kind == 3) {
    strip.Primitive = TPrimitive::TriangleFan;
    strip.StartRun = [axisX, axisY](TEmitter& e) { e.Vertex(axisX, axisY); };
    strip.EmitSample = [](TEmitter& e, double x, double y) { e.Vertex(x, y); };
  } else if (kind == 2) {
    strip.Primitive = TPrimitive::TriangleStrip;
    strip.EmitSample = [axisX](TEmitter& e, double x, double y) {
      e.Vertex(axisX, y);
      e.Vertex(x, y);
    };
  } else {
    strip.Primitive = TPrimitive::TriangleStrip;
    strip.EmitSample = [axisY](TEmitter& e, double x, double y) {
      e.Vertex(x, axisY);
      e.Vertex(x, y);
    };
  }
  return WalkStrips(plot, target, s, a, b, walk, emitter, strip);
}

}  // namespace kx
