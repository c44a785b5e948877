#include "app/plot/MainU_Render3D.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "app/plot/MainU_Curves2D.h"
#include "app/plot/MainU_Lattice.h"
#include "scene/Geometry.h"

namespace kx {

namespace {

constexpr int32_t kSpaceCurve = 6, kSurface = 7, kParametricSurface = 8;
// The mean cosine between the steps into and out of a row, plus 1, below
// which the surface turns back on itself along the first variable.
constexpr double kFold = 0.00001;

// The point of a space record at the variable cells' values.
void SpacePoint(const TFuncRec& record, long double u, long double v, long double& x, long double& y,
                long double& z) {
  if (record.FuncType == kSurface) {
    x = u, y = v, z = record.Compilers[1]->Calculate();
    return;
  }
  x = record.Compilers[1]->Calculate();
  y = record.Compilers[2]->Calculate();
  z = record.Compilers[3]->Calculate();
}

TAffineVector AsVector(const TGridVertex& p) {
  return AffineVectorMake(static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z));
}

TAffineVector Difference(const TGridVertex& a, const TGridVertex& b) { return VectorSubtract(AsVector(a), AsVector(b)); }

// The direction along the second variable at column s: the sum of the steps
// into and out of it within its row.
TAffineVector AlongRow(const TGridRow& row, size_t s, size_t n) {
  TAffineVector u{0, 0, 0};
  if (s > 0) u = Difference(row[s], row[s - 1]);
  if (s + 1 < n) u = VectorAdd(u, Difference(row[s + 1], row[s]));
  return u;
}

void SetNormal(TGridVertex& p, const TAffineVector& along, const TAffineVector& across, bool invert) {
  TAffineVector normal = VectorNormalize(VectorCrossProduct(along, across));
  if (invert) NegateVector(normal);
  std::copy(normal.begin(), normal.end(), p.Normal);
}

// The normals of the middle row `old` from its neighbours; returns false when
// the surface turns back on itself across the whole row. A step of length 0
// gives a cosine that is not a number, and then the row stands.
bool RowNormals(TGridRow& old, const TGridRow* older, const TGridRow& cur, bool invert) {
  const size_t n = std::min(old.size(), std::min(cur.size(), older ? older->size() : old.size()));
  double sum = 0;
  int64_t count = 0;
  for (size_t s = 0; s < n; ++s) {
    const TAffineVector b = Difference(cur[s], old[s]);
    TAffineVector across = b;
    if (older) {
      const TAffineVector a = Difference(old[s], (*older)[s]);
      sum += VectorAngleCosine(a, b);
      ++count;
      across = VectorAdd(a, b);
    }
    SetNormal(old[s], AlongRow(old, s, n), across, invert);
  }
  return !(count > 0 && sum / count + 1 < kFold);
}

void EmitSurfaceVertex(TEmitter& emitter, const TGridVertex& p) {
  emitter.Normal(p.Normal[0], p.Normal[1], p.Normal[2]);
  emitter.Vertex3(static_cast<float>(p.X), static_cast<float>(p.Y), static_cast<float>(p.Z));
}

}  // namespace

void EmitRowPairStrip(TEmitter& emitter, const TGridRow& rowA, const TGridRow& rowB) {
  const size_t n = std::min(rowA.size(), rowB.size());
  if (n == 0) return;
  emitter.Begin(TPrimitive::TriangleStrip);
  EmitSurfaceVertex(emitter, rowB[0]);
  for (size_t k = 0; k + 1 < n; ++k) {
    EmitSurfaceVertex(emitter, rowA[k]);
    EmitSurfaceVertex(emitter, rowB[k + 1]);
  }
  EmitSurfaceVertex(emitter, rowA[n - 1]);
  emitter.End();
}

void DrawSpaceCurve(const TPlot3D& plot, const TFuncRec& record, TEmitter& emitter) {
  emitter.BeginSpaceStyle(TSpaceStyle::Curve);
  emitter.SetLineWidth(PenSize(record));
  emitter.SetColor(ColorToVector(record.Color, 1));
  emitter.Begin(TPrimitive::LineStrip);
  // Every value goes to GL as it comes: a curve has no distance test in space.
  WalkLattice(record.First1, record.Last1, WalkStep(record.Step1), SpaceCurveWalk, [&](double t) {
    plot.Model.VarCells[1] = t;
    long double x, y, z;
    SpacePoint(record, t, 0, x, y, z);
    emitter.Vertex3(static_cast<double>(x), static_cast<double>(y), static_cast<double>(z));
  });
  emitter.End();
  emitter.EndSpaceStyle();
}

void DrawSurface(const TPlot3D& plot, const TFuncRec& record, TEmitter& emitter) {
  const double step1 = WalkStep(record.Step1), step2 = WalkStep(record.Step2);
  // Room for a row of samples; a second range above its end gives empty rows.
  const double columns = std::floor((record.Last2 - record.First2) / step2) + 3;
  const size_t room = columns > 0 && columns < 1e6 ? static_cast<size_t>(columns) : 0;
  std::array<TGridRow, 3> buffers;
  for (TGridRow& row : buffers) row.reserve(room);

  emitter.BeginSpaceStyle(plot.Options.PointMode ? TSpaceStyle::WireSurface : TSpaceStyle::FilledSurface);
  emitter.SetColor(ColorToVector(record.Color, 1));
  TGridRow *cur = nullptr, *old = nullptr, *older = nullptr;
  int64_t rowCount = 0;
  WalkLattice(record.First1, record.Last1, step1, SurfaceWalk, [&](double u) {
    plot.Model.VarCells[1] = u;
    older = old;
    old = cur;
    cur = &buffers[static_cast<size_t>(rowCount % 3)];
    cur->clear();
    // Floating-point failures are masked: they come back as values that are
    // not finite, and such a sample fails its row.
    bool failed = false;
    WalkLattice(record.First2, record.Last2, step2, SurfaceWalk, [&](double v) {
      plot.Model.VarCells[2] = v;
      long double x, y, z;
      SpacePoint(record, u, v, x, y, z);
      if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) failed = true;
      cur->push_back({static_cast<double>(x), static_cast<double>(y), static_cast<double>(z), {0, 0, 0}});
    });
    if (!failed && old) failed = !RowNormals(*old, older, *cur, plot.InvertLight);
    if (failed) {
      cur = old = nullptr;
      rowCount = 0;
      return;
    }
    if (rowCount > 1) EmitRowPairStrip(emitter, *older, *old);
    ++rowCount;
  });
  if (cur) {
    const size_t n = old ? std::min(cur->size(), old->size()) : cur->size();
    for (size_t s = 0; s < n; ++s) {
      const TAffineVector across = old ? Difference((*cur)[s], (*old)[s]) : TAffineVector{0, 0, 0};
      SetNormal((*cur)[s], AlongRow(*cur, s, n), across, plot.InvertLight);
    }
    if (old) EmitRowPairStrip(emitter, *old, *cur);
  }
  emitter.EndSpaceStyle();
}

void Draw3D(const TPlot3D& plot, TEmitter& emitter) {
  const TFuncModel& model = plot.Model;
  for (int i = 1; i <= model.Count3D; ++i) {
    const TFuncRec& record = model.List3D[i];
    if (!record.Shown || !HasFormulas(record)) continue;
    if (record.FuncType == kSpaceCurve)
      DrawSpaceCurve(plot, record, emitter);
    else if (record.FuncType == kSurface || record.FuncType == kParametricSurface)
      DrawSurface(plot, record, emitter);
  }
}

void Render3D(const TPlot3D& plot) {
  TGLEmitter emitter;
  Draw3D(plot, emitter);
}

TSpaceMarker PlaceMarker3D(const TPlot3D& plot) {
  const TEvalState& eval = plot.Eval;
  const TFuncModel& model = plot.Model;
  TSpaceMarker marker;
  if (!plot.View.EvalPanelOpen || eval.EvalMode != 2 || eval.EvalFuncIdx < 1 || eval.EvalFuncIdx > model.Count3D)
    return marker;
  const TFuncRec& target = model.List3D[eval.EvalFuncIdx];
  if (!HasFormulas(target) || target.FuncType < kSpaceCurve || target.FuncType > kParametricSurface) return marker;
  plot.Model.VarCells[1] = eval.EvalVar1;
  plot.Model.VarCells[2] = eval.EvalVar2;
  long double x, y, z;
  SpacePoint(target, eval.EvalVar1, eval.EvalVar2, x, y, z);
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return marker;
  marker.Visible = true;
  marker.X = static_cast<double>(x), marker.Y = static_cast<double>(y), marker.Z = static_cast<double>(z);
  marker.SearchHit = eval.SearchHit;
  return marker;
}

}  // namespace kx
