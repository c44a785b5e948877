#include "app/plot/MainU_Render2D.h"

#include <cmath>

#include "app/plot/BitmapFont.h"
#include "scene/Geometry.h"

namespace kx {

namespace {

constexpr int kTextSpacing = 1;

// Whole units of a quotient, truncated toward zero after rounding to single
// precision; a quotient beyond any view (a scale near 0) is held at a bound
// that still counts in 32 bits.
int32_t TruncUnits(double quotient) {
  constexpr float kBound = 1e9f;
  const float single = Single(quotient);
  if (!(single > -kBound)) return -static_cast<int32_t>(kBound);
  if (!(single < kBound)) return static_cast<int32_t>(kBound);
  return static_cast<int32_t>(std::trunc(single));
}

void Line(TEmitter& emitter, double x1, double y1, double x2, double y2) {
  emitter.Begin(TPrimitive::Lines);
  emitter.Vertex(x1, y1);
  emitter.Vertex(x2, y2);
  emitter.End();
}

// Kind 9: each data point as a diamond, and the broken line through them.
void DrawDataPoints(const TPlot2D& plot, const TFuncRec& record, TEmitter& emitter) {
  const TViewState& view = plot.View;
  auto pixelX = [&](const TTNPoint& p) { return static_cast<double>(p.X * view.ScaleX + view.OriginX()); };
  auto pixelY = [&](const TTNPoint& p) { return static_cast<double>(view.OriginY() - p.Y * view.ScaleY); };
  SetGLColor(emitter, record.Color, 1);
  emitter.Begin(TPrimitive::Quads);
  for (const TTNPoint& p : record.TNPoints) DiamondVertices(emitter, pixelX(p), pixelY(p));
  emitter.End();
  if (record.DrawType != 1) return;
  emitter.SetLineWidth(PenSize(record));
  emitter.Begin(TPrimitive::LineStrip);
  for (const TTNPoint& p : record.TNPoints) emitter.Vertex(pixelX(p), pixelY(p));
  emitter.End();
}

}  // namespace

TPlotColors PlotColors(bool bkGround) {
  if (bkGround) return {clWhite, clBlack, clSilver};
  return {clBlack, clWhite, clGray};
}

TAxisLayout LayoutAxes(const TViewState& view) {
  TAxisLayout layout;
  layout.XMin = -TruncUnits(view.OriginX() / view.ScaleX) - 1;
  layout.XMax = TruncUnits((view.ViewW - view.OriginX()) / view.ScaleX) + 1;
  layout.YMin = -TruncUnits(view.OriginY() / view.ScaleY) - 1;
  layout.YMax = TruncUnits((view.ViewH - view.OriginY()) / view.ScaleY) + 1;
  layout.StepX = TruncUnits(15.0 / view.ScaleX) + 1;
  layout.StepY = TruncUnits(15.0 / view.ScaleY) + 1;
  if (layout.StepX < 1) layout.StepX = 1;
  if (layout.StepY < 1) layout.StepY = 1;
  return layout;
}

std::vector<int32_t> TickValues(int32_t min, int32_t max, int32_t step) {
  std::vector<int32_t> values;
  int64_t k = (static_cast<int64_t>(min / step) - 1) * step;
  do {
    values.push_back(static_cast<int32_t>(k));
    k += step;
  } while (k < max);
  return values;
}

void DrawAxes2D(const TPlot2D& plot, TEmitter& emitter) {
  const TViewState& view = plot.View;
  const TDisplayOptions& options = plot.Options;
  const TPlotColors colors = PlotColors(options.BkGround);
  const TAxisLayout layout = LayoutAxes(view);
  const double originX = view.OriginX(), originY = view.OriginY();
  const double width = view.ViewW, height = view.ViewH;

  SetGLColor(emitter, colors.Axis, 1);
  emitter.SetLineWidth(1);
  Line(emitter, originX, 0, originX, height);
  Line(emitter, 0, originY, width, originY);

  // The origin carries no tick, grid line or number.
  for (const int32_t k : TickValues(layout.XMin, layout.XMax, layout.StepX)) {
    if (k == 0) continue;
    const double sx = k * view.ScaleX + originX;
    if (options.ShowGrid) {
      SetGLColor(emitter, colors.Grid, 1);
      Line(emitter, sx, 0, sx, height);
    }
    SetGLColor(emitter, colors.Axis, 1);
    if (options.ShowLine) Line(emitter, sx, originY - 2, sx, originY + 3);
    if (options.ShowNum) {
      const std::string text = std::to_string(k);
      const int w = BitmapTextWidth(text, kTextSpacing);
      DrawBitmapText(emitter, text, kTextSpacing, sx - w / 2, originY + 3);
    }
  }
  for (const int32_t k : TickValues(layout.YMin, layout.YMax, layout.StepY)) {
    if (k == 0) continue;
    const double sy = k * view.ScaleY + originY;
    if (options.ShowGrid) {
      SetGLColor(emitter, colors.Grid, 1);
      Line(emitter, 0, sy, width, sy);
    }
    SetGLColor(emitter, colors.Axis, 1);
    if (options.ShowLine) Line(emitter, originX - 2, sy, originX + 3, sy);
    if (options.ShowNum) {
      // Rows grow downward: the row k units below the origin shows -k.
      const std::string text = std::to_string(-static_cast<int64_t>(k));
      const int w = BitmapTextWidth(text, kTextSpacing);
      DrawBitmapText(emitter, text, kTextSpacing, originX - w - 5, sy - 6);
    }
  }

  SetGLColor(emitter, colors.Axis, 1);
  emitter.Begin(TPrimitive::Triangles);
  emitter.Vertex(originX - 3, 9);
  emitter.Vertex(originX, 0);
  emitter.Vertex(originX + 3, 9);
  emitter.Vertex(width - 9, originY - 3);
  emitter.Vertex(width, originY);
  emitter.Vertex(width - 9, originY + 3);
  emitter.End();

  SetGLColor(emitter, clRed, 1);
  DrawBitmapText(emitter, "y", kTextSpacing, originX + 6, -3);
  DrawBitmapText(emitter, "x", kTextSpacing, width - 9, originY - 18);
}

int64_t Draw2D(const TPlot2D& plot, TEmitter& emitter) {
  const TViewState& view = plot.View;
  const double width = view.ViewW, height = view.ViewH;
  SetGLColor(emitter, PlotColors(plot.Options.BkGround).Back, 1);
  emitter.Begin(TPrimitive::Quads);
  emitter.Vertex(0, 0);
  emitter.Vertex(width, 0);
  emitter.Vertex(width, height);
  emitter.Vertex(0, height);
  emitter.End();

  DrawAxes2D(plot, emitter);

  int64_t samples = 0;
  const TFuncModel& model = plot.Model;
  for (int i = 1; i <= model.Count2D; ++i) {
    const TFuncRec& record = model.List2D[i];
    if (!record.Shown) continue;
    if (record.FuncType == TNKind) {
      if (record.TNPoints.empty()) continue;
      DrawDataPoints(plot, record, emitter);
      if (record.DrawType != 2 && record.DrawType != 3) continue;
    }
    samples += DrawCurve2D(plot, record, emitter);
  }
  samples += DrawEvalMarks(plot, emitter);

  SetGLColor(emitter, clHotLight, 1);
  emitter.SetLineWidth(1);
  emitter.Begin(TPrimitive::LineLoop);
  emitter.Vertex(0, 1);
  emitter.Vertex(width - 1, 1);
  emitter.Vertex(width - 1, height);
  emitter.Vertex(0, height);
  emitter.End();
  return samples;
}

void Render2D(const TPlot2D& plot) {
  // Whatever leaves the drawing early, the matrices and state go back.
  struct TProjection {
    TProjection(int width, int height) { BeginPixelProjection(width, height); }
    ~TProjection() { EndPixelProjection(); }
  } projection(plot.View.ViewW, plot.View.ViewH);
  TGLEmitter emitter;
  Draw2D(plot, emitter);
}

}  // namespace kx
