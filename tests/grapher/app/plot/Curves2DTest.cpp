// Sampling the plane curves into a recording emitter: the walk of the
// variable, strips broken at bad samples and poles, the kinds with shift and
// rotation, the narrowed walk, the kind-9 values and the evaluation marks.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "PlotFixture.h"
#include "app/plot/MainU_Render2D.h"

using namespace kx;

namespace {

using Curves2D = PlotTest;

// Every vertex of the recorded primitives, in order.
std::vector<std::pair<double, double>> AllVertices(const TRecordingEmitter& emitter) {
  std::vector<std::pair<double, double>> all;
  for (const TRecordedPrimitive& p : emitter.Primitives) all.insert(all.end(), p.Vertices.begin(), p.Vertices.end());
  return all;
}

void ExpectColor(const TColorVector& got, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(got[0], r);
  EXPECT_FLOAT_EQ(got[1], g);
  EXPECT_FLOAT_EQ(got[2], b);
  EXPECT_FLOAT_EQ(got[3], a);
}

}  // namespace

TEST_F(Curves2D, TheLastSampleFallsOnTheEnd) {
  const TFuncRec& f = AddRecord(1, {"x"}, 0, 1, 0.3);
  EXPECT_EQ(DrawCurve2D(Plot(), f, emitter), 5);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  EXPECT_EQ(emitter.Primitives[0].Kind, TPrimitive::LineStrip);
  const double want[] = {0, 0.3, 0.6, 0.9, 1};
  const auto vertices = emitter.Primitives[0].Vertices;
  ASSERT_EQ(vertices.size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_NEAR(TOfX(vertices[i].first), want[i], 1e-12);
    EXPECT_NEAR(TOfY(vertices[i].second), want[i], 1e-12);
  }
}

TEST_F(Curves2D, StepsBelowTheSmallestWalkByItAndAlwaysForward) {
  struct Case {
    double first, last, step;
    int64_t samples;
    double gap;  // between neighbouring samples
  };
  const Case cases[] = {
      {0, 1, 0.0001, 1001, 0.001},                      // below the smallest step
      {0, 1, 0, 1001, 0.001},                           // zero: a file may hold one
      {0, 1, -0.3, 5, 0.3},                             // negative: toward larger t all the same
      {0, 1, -0.0001, 1001, 0.001}, {1, 0, 0.3, 1, 0},  // start above end: the start alone
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last << " by " << c.step);
    model.Count2D = 0;
    emitter.Clear();
    const TFuncRec& f = AddRecord(1, {"x"}, c.first, c.last, c.step);
    EXPECT_EQ(DrawCurve2D(Plot(), f, emitter), c.samples);
    const auto vertices = AllVertices(emitter);
    ASSERT_EQ(static_cast<int64_t>(vertices.size()), c.samples);
    EXPECT_NEAR(TOfX(vertices.front().first), c.first, 1e-12);
    // The last step may be shorter: it ends on the end.
    for (size_t i = 1; i + 1 < vertices.size(); ++i)
      ASSERT_NEAR(TOfX(vertices[i].first) - TOfX(vertices[i - 1].first), c.gap, 1e-9) << i;
    if (c.samples > 1) {
      EXPECT_NEAR(TOfX(vertices.back().first), c.last, 1e-12);
    }
  }
}

TEST_F(Curves2D, AStepThatNoLongerChangesTheVariableEndsTheWalk) {
  // At 1e17 a step of 1 is below half a unit in the last place: t stays.
  const TFuncRec& polar = AddRecord(3, {"1"}, 1e17, 2e17, 1);
  EXPECT_EQ(DrawCurve2D(Plot(), polar, emitter), 1);
  const TFuncRec& plane = AddRecord(5, {"sin(t)", "cos(t)"}, -1e17, 1e17, 0.5);
  EXPECT_EQ(DrawCurve2D(Plot(), plane, emitter), 1);
}

TEST_F(Curves2D, TangentBranchesAreSeparateStripsNoneAcrossAPole) {
  const TFuncRec& f = AddRecord(1, {"tan(x)"}, -15, 15, 0.01);
  DrawCurve2D(Plot(), f, emitter, TWalk::Full);
  const auto strips = emitter.Of(TPrimitive::LineStrip);
  // Ten poles lie between -15 and 15: eleven branches.
  EXPECT_EQ(strips.size(), 11u);
  for (const TRecordedPrimitive& strip : strips) {
    ASSERT_GE(strip.Vertices.size(), 2u);
    for (size_t i = 1; i < strip.Vertices.size(); ++i) {
      const double a = TOfX(strip.Vertices[i - 1].first), b = TOfX(strip.Vertices[i].first);
      const double poleIndex = std::floor((a - std::numbers::pi / 2) / std::numbers::pi);
      const double pole = std::numbers::pi / 2 + (poleIndex + 1) * std::numbers::pi;
      ASSERT_FALSE(a < pole && pole < b) << "strip across the pole " << pole << " between " << a << " and " << b;
    }
  }
}

TEST_F(Curves2D, KindsTwoToFiveWithShiftAndRotation) {
  struct Case {
    int32_t kind;
    std::vector<const char*> formulas;
    double relX, relY, rotate;
    // The plot point before rotation and shift.
    long double (*x)(long double), (*y)(long double);
  };
  const Case cases[] = {
      {2, {"y*y"}, 1, 2, 0, [](long double t) { return t * t; }, [](long double t) { return t; }},
      {2, {"y*y"}, -1, 0.5, 0.7, [](long double t) { return t * t; }, [](long double t) { return t; }},
      {3,
       {"2+p"},
       0.5,
       -1,
       std::numbers::pi / 2,
       [](long double t) { return std::cos(t) * (2 + t); },
       [](long double t) { return std::sin(t) * (2 + t); }},
      {4,
       {"0.5*r"},
       -2,
       1,
       0,
       [](long double t) { return std::cos(0.5L * t) * t; },
       [](long double t) { return std::sin(0.5L * t) * t; }},
      {5, {"t-1", "t*t"}, 1.5, -0.5, -0.3, [](long double t) { return t - 1; }, [](long double t) { return t * t; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << c.kind << " rotated by " << c.rotate);
    emitter.Clear();
    model.Count2D = 0;
    TFuncRec& f = c.formulas.size() == 1 ? AddRecord(c.kind, {c.formulas[0]}, 0, 2, 0.25)
                                         : AddRecord(c.kind, {c.formulas[0], c.formulas[1]}, 0, 2, 0.25);
    f.RelX = c.relX, f.RelY = c.relY, f.Rotate = c.rotate;
    DrawCurve2D(Plot(), f, emitter);
    const auto vertices = AllVertices(emitter);
    ASSERT_EQ(vertices.size(), 9u);
    for (size_t i = 0; i < vertices.size(); ++i) {
      const long double t = 0.25L * i;
      const long double x = c.x(t), y = c.y(t);
      const long double cs = std::cos(static_cast<long double>(c.rotate)),
                        sn = std::sin(static_cast<long double>(c.rotate));
      const long double rx = x * cs - y * sn + c.relX, ry = x * sn + y * cs + c.relY;
      EXPECT_NEAR(vertices[i].first, static_cast<double>(rx * 20 + 300), 1e-6) << i;
      EXPECT_NEAR(vertices[i].second, static_cast<double>(200 - ry * 20), 1e-6) << i;
    }
  }
}

TEST_F(Curves2D, TheNarrowedWalkDrawsWhatTheFullWalkDraws) {
  struct Case {
    const char* what;
    int32_t offsetX, offsetY;
    double scale;
  };
  const Case views[] = {
      {"start view", 0, 0, 20}, {"panned", 137, -61, 20}, {"zoomed out", -40, 25, 2}, {"zoomed in", 3000, -2000, 304}};
  for (const Case& v : views) {
    SCOPED_TRACE(v.what);
    view.OffsetX = v.offsetX, view.OffsetY = v.offsetY;
    view.ScaleX = view.ScaleY = v.scale;
    model.Count2D = 0;
    std::vector<const TFuncRec*> records;
    records.push_back(&AddRecord(1, {"sin(x)*x"}, -4000, 4000, 0.01));
    TFuncRec& shifted = AddRecord(1, {"1/x"}, -300, 250, 0.003);
    shifted.RelX = 7.5, shifted.RelY = -3;
    records.push_back(&shifted);
    records.push_back(&AddRecord(2, {"y*y/10-5"}, -2500, 2500, 0.02));
    TFuncRec& data = AddData({{-500, 1}, {-100, 3}, {0, -2}, {700, 4}}, 3);
    data.BacPT = 2;
    data.HeSo = {0.5L, -0.25L, 0.001L};
    records.push_back(&data);
    int64_t allFull = 0, allNarrowed = 0;
    for (const TFuncRec* f : records) {
      TRecordingEmitter full, narrowed;
      const int64_t fullSamples = DrawCurve2D(Plot(), *f, full, TWalk::Full);
      const int64_t narrowedSamples = DrawCurve2D(Plot(), *f, narrowed, TWalk::Narrowed);
      SCOPED_TRACE(testing::Message() << "kind " << f->FuncType << ": " << fullSamples << " samples, narrowed "
                                      << narrowedSamples);
      EXPECT_LE(narrowedSamples, fullSamples);
      allFull += fullSamples, allNarrowed += narrowedSamples;
      ASSERT_EQ(narrowed.Primitives.size(), full.Primitives.size());
      for (size_t i = 0; i < full.Primitives.size(); ++i)
        ASSERT_EQ(narrowed.Primitives[i].Vertices, full.Primitives[i].Vertices) << "primitive " << i;
    }
    EXPECT_LT(allNarrowed, allFull);
  }
}

TEST_F(Curves2D, AWideDataRangeSamplesOnlyWhatTheViewCanShow) {
  // Data over 1.5e5 .. 3e6 walked by 0.05 would take 57 million samples a
  // paint; the view shows 30 units of it.
  TFuncRec& data = AddData({{150000, 0}, {150010, 1}, {3000000, 2}}, 3);
  data.BacPT = 1;
  data.HeSo = {-15000, 0.1L};  // y = x / 10 - 15000: 0 at 150000
  view.OffsetX = -150010 * 20;
  const int64_t fullWalk = static_cast<int64_t>((3000000.0 - 150000.0) / 0.05) + 1;
  const int64_t samples = DrawCurve2D(Plot(), data, emitter);
  std::printf("kind-9 data over 1.5e5..3e6 by 0.05: %lld samples a paint, %lld without narrowing\n",
              static_cast<long long>(samples), static_cast<long long>(fullWalk));
  EXPECT_LT(samples, 2000);
  const auto vertices = AllVertices(emitter);
  ASSERT_FALSE(vertices.empty());
  for (const auto& [x, y] : vertices) EXPECT_NEAR(TOfY(y), TOfX(x) / 10 - 15000, 1e-6);
  // From the first data point, 10 units left of the view's centre, to the
  // margin right of the view.
  EXPECT_NEAR(vertices.front().first, 100, 1e-6);
  EXPECT_GE(vertices.back().first, view.ViewW + SampleMargin - 1);
}

TEST_F(Curves2D, PenSizesBelowOneAreDrawnAsOne) {
  for (int32_t width : {0, -3, 1, 4}) {
    emitter.Clear();
    model.Count2D = 0;
    TFuncRec& f = AddRecord(1, {"x"}, 0, 1, 0.5);
    f.LineWidth = width;
    DrawCurve2D(Plot(), f, emitter);
    ASSERT_EQ(emitter.Primitives.size(), 1u);
    EXPECT_EQ(emitter.Primitives[0].LineWidth, width < 1 ? 1.0f : width);
    EXPECT_EQ(emitter.Primitives[0].PointSize, width < 1 ? 1.0f : width);
  }
}

TEST_F(Curves2D, PointModeDrawsPointLists) {
  options.PointMode = true;
  const TFuncRec& f = AddRecord(1, {"1/x"}, -1, 1, 0.5);
  DrawCurve2D(Plot(), f, emitter);
  // 1/0 is infinite: two runs, each a point list.
  ASSERT_EQ(emitter.Primitives.size(), 2u);
  for (const TRecordedPrimitive& p : emitter.Primitives) EXPECT_EQ(p.Kind, TPrimitive::Points);
  EXPECT_EQ(AllVertices(emitter).size(), 4u);
}

TEST(TNValueAt, ByDrawType) {
  TFuncRec f;
  f.FuncType = TNKind;
  f.TNPoints = {{1, 2}, {2, 5}, {2, 7}, {4, 1}};
  f.DrawType = 0;
  EXPECT_EQ(TNValueAt(f, 1), 2);
  EXPECT_EQ(TNValueAt(f, 2), 7);  // the last point at that abscissa
  EXPECT_TRUE(std::isnan(TNValueAt(f, 1.5L)));

  f.TNPoints = {{0, 0}, {1, 2}, {3, 3}};
  f.DrawType = 1;
  EXPECT_EQ(TNValueAt(f, 0.5L), 1);
  EXPECT_EQ(TNValueAt(f, 1), 2);
  EXPECT_EQ(TNValueAt(f, 2), 2.5L);
  EXPECT_EQ(TNValueAt(f, -1), -2);  // the first segment extended
  EXPECT_EQ(TNValueAt(f, 5), 4);    // the last segment extended

  // Newton's form over the last points against 2x^3 - x + 1.
  auto p = [](long double x) { return 2 * x * x * x - x + 1; };
  const long double xs[] = {-1, 0, 1.5L, 2, 3};
  const int n = 5;
  f.TNPoints.clear();
  for (long double x : xs) f.TNPoints.push_back({x, p(x)});
  // Divided differences of order k over the last k + 1 points.
  std::vector<long double> column(std::begin(xs), std::end(xs));
  for (int i = 0; i < n; ++i) column[i] = p(xs[i]);
  f.TyHieu.clear();
  for (int k = 1; k < n; ++k) {
    for (int i = n - 1; i >= k; --i) column[i] = (column[i] - column[i - 1]) / (xs[i] - xs[i - k]);
    f.TyHieu.push_back(column[n - 1]);
  }
  f.DrawType = 2;
  for (long double t : {-2.0L, -1.0L, 0.25L, 1.5L, 2.75L, 10.0L}) EXPECT_NEAR(TNValueAt(f, t), p(t), 1e-9L) << t;

  f.DrawType = 3;
  f.BacPT = 3;
  f.HeSo = {1, -1, 0, 2};  // constant term first
  for (long double t : {-2.0L, 0.0L, 0.5L, 3.0L}) EXPECT_EQ(TNValueAt(f, t), p(t)) << t;
}

TEST(TNValueAt, NotANumberWithoutTheDataItNeeds) {
  struct Case {
    const char* what;
    std::vector<TTNPoint> points;
    int32_t drawType, bacPT;
    std::vector<long double> heSo, tyHieu;
    long double t;
  };
  const Case cases[] = {
      {"no points, as points", {}, 0, 0, {}, {}, 0},
      {"no points, broken line", {}, 1, 0, {}, {}, 0},
      {"no points, interpolation", {}, 2, 0, {}, {}, 0},
      {"differences shorter than the points", {{0, 1}, {1, 2}, {2, 5}}, 2, 0, {}, {1}, 1},
      {"no coefficients", {{0, 1}}, 3, 2, {}, {}, 1},
      {"coefficients shorter than the degree", {{0, 1}}, 3, 2, {1, 2}, {}, 1},
      {"negative degree", {{0, 1}}, 3, -1, {1, 2}, {}, 1},
      {"draw type 4", {{0, 1}, {1, 2}}, 4, 1, {1, 2}, {1}, 0},
      {"draw type -1", {{0, 1}, {1, 2}}, -1, 1, {1, 2}, {1}, 0},
      {"one point as a line, elsewhere", {{0, 1}}, 1, 0, {}, {}, 0.5L},
  };
  for (const Case& c : cases) {
    TFuncRec f;
    f.FuncType = TNKind;
    f.TNPoints = c.points;
    f.DrawType = c.drawType;
    f.BacPT = c.bacPT;
    f.HeSo = c.heSo;
    f.TyHieu = c.tyHieu;
    EXPECT_TRUE(std::isnan(TNValueAt(f, c.t))) << c.what;
  }
  // Through one point the broken line is the point, the polynomial its value.
  TFuncRec one;
  one.TNPoints = {{3, 4}};
  one.DrawType = 1;
  EXPECT_EQ(TNValueAt(one, 3), 4);
  one.DrawType = 2;
  EXPECT_EQ(TNValueAt(one, 7), 4);
}

TEST_F(Curves2D, TheMarkerSitsOnTheTargetAtThePanelsValue) {
  AddRecord(1, {"x*x"}, -15, 15, 0.01);
  view.EvalPanelOpen = true;
  eval.EvalMode = 1;
  eval.EvalFuncIdx = 1;
  eval.EvalVar1 = 2;
  DrawEvalMarks(Plot(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  const TRecordedPrimitive& marker = emitter.Primitives[0];
  EXPECT_EQ(marker.Kind, TPrimitive::Quads);
  ExpectColor(marker.Color, 1, 0, 1, 0.7f);  // fuchsia, translucent
  const std::vector<std::pair<double, double>> diamond = {{335, 120}, {340, 115}, {345, 120}, {340, 125}};
  EXPECT_EQ(marker.Vertices, diamond);

  emitter.Clear();
  eval.SearchHit = true;
  DrawEvalMarks(Plot(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  ExpectColor(emitter.Primitives[0].Color, 1, 0, 0, 1);  // a search result: red

  // No marker without an open panel, for the space list, or off the list.
  for (auto change :
       {+[](TViewState&v, TEvalState&) { v.EvalPanelOpen = false; }, +[](TViewState&, TEvalState&e) { e.EvalMode = 2; },
        +[](TViewState&, TEvalState&e) { e.EvalFuncIdx = 2; }, +[](TViewState&, TEvalState&e) { e.EvalFuncIdx = 0; }}) {
    TViewState v = view;
    TEvalState e = eval;
    change(v, e);
    emitter.Clear();
    DrawEvalMarks(TPlot2D{model, v, options, e, true}, emitter);
    EXPECT_TRUE(emitter.Primitives.empty());
  }
}

TEST_F(Curves2D, TheIntegralIsShadedBetweenCurveAndAxis) {
  TFuncRec& f = AddRecord(1, {"x*x"}, -15, 15, 0.25);
  f.RelY = 1;  // the foot lies on the shifted axis
  view.EvalPanelOpen = true;
  eval.EvalMode = 1, eval.EvalFuncIdx = 1, eval.EvalVar1 = 100;  // the marker off the view
  eval.IntegralFrom = 1, eval.IntegralTo = 0;                    // swapped
  DrawEvalMarks(Plot(false), emitter);
  EXPECT_TRUE(emitter.Primitives.empty()) << "shaded although the integral page is not shown";
  DrawEvalMarks(Plot(true), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  const TRecordedPrimitive& area = emitter.Primitives[0];
  EXPECT_EQ(area.Kind, TPrimitive::TriangleStrip);
  ExpectColor(area.Color, 1, 0, 0, 0.6f);
  ASSERT_EQ(area.Vertices.size(), 10u);  // 0, 0.25 .. 1: a foot and a point each
  for (size_t i = 0; i < 5; ++i) {
    const double t = 0.25 * i;
    EXPECT_NEAR(area.Vertices[2 * i].first, 300 + t * 20, 1e-9);
    EXPECT_NEAR(area.Vertices[2 * i].second, 200 - 20, 1e-9);
    EXPECT_NEAR(area.Vertices[2 * i + 1].second, 200 - (t * t + 1) * 20, 1e-9);
  }

  // A polar sector: a fan from the pole.
  emitter.Clear();
  model.Count2D = 0;
  TFuncRec& polar = AddRecord(3, {"2"}, 0, 6.3, 0.5);
  polar.RelX = 1;
  eval.IntegralFrom = 0, eval.IntegralTo = std::numbers::pi / 2;
  DrawEvalMarks(Plot(true), emitter);
  const auto fans = emitter.Of(TPrimitive::TriangleFan);
  ASSERT_EQ(fans.size(), 1u);
  EXPECT_EQ(fans[0].Vertices.front(), (std::pair<double, double>{320, 200}));
  EXPECT_EQ(fans[0].Vertices.size(), 1u + 5u);  // 0, 0.5, 1, 1.5, pi/2

  // Kinds 4 and 5 have no shading.
  emitter.Clear();
  model.Count2D = 0;
  AddRecord(5, {"t", "t"}, 0, 1, 0.5);
  eval.EvalVar1 = 100;
  DrawEvalMarks(Plot(true), emitter);
  EXPECT_TRUE(emitter.Primitives.empty());
}

TEST_F(Curves2D, DataWithoutPointsHasNoMarkerNorShading) {
  AddData({}, 2);
  view.EvalPanelOpen = true;
  eval.EvalMode = 1, eval.EvalFuncIdx = 1, eval.IntegralFrom = -1, eval.IntegralTo = 1;
  EXPECT_EQ(DrawEvalMarks(Plot(true), emitter), 0);
  EXPECT_TRUE(emitter.Primitives.empty());
  EXPECT_EQ(Draw2D(Plot(true), emitter), 0);  // and the frame skips the record
  // Points only: the marker shows on a data abscissa, and nowhere else.
  model.Count2D = 0;
  AddData({{0, 1}, {1, 3}}, 0);
  eval.EvalVar1 = 0;
  emitter.Clear();
  DrawEvalMarks(Plot(), emitter);
  ASSERT_EQ(emitter.Of(TPrimitive::Quads).size(), 1u);
  EXPECT_EQ(emitter.Primitives[0].Vertices[0], (std::pair<double, double>{300 - 5, 200 - 20}));
  emitter.Clear();
  eval.EvalVar1 = 0.5L;
  DrawEvalMarks(Plot(), emitter);
  EXPECT_TRUE(emitter.Primitives.empty());
  emitter.Clear();
  // A broken line: marker and shading.
  model.List2D[1].DrawType = 1;
  eval.EvalVar1 = 0.5L;
  DrawEvalMarks(Plot(true), emitter);
  EXPECT_EQ(emitter.Of(TPrimitive::Quads).size(), 1u);
  EXPECT_EQ(emitter.Of(TPrimitive::TriangleStrip).size(), 1u);
}
