// The space functions drawn into a recording emitter: surface strips and
// their normals, the gaps a pole leaves, the space curve's samples, ranges
// that are inverted or stall, and where the marker sphere goes.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>

#include "PlotFixture.h"
#include "app/plot/MainU_Render3D.h"

using namespace kx;

namespace {

class Render3DTest : public PlotTest {
 protected:
  // A space record: yellow, three pixels wide, its second variable ranging
  // from first2 to last2 by step2.
  TFuncRec& AddSpace(int32_t kind, std::initializer_list<const char*> formulas, double first1, double last1,
                     double step1, double first2 = 0, double last2 = 0, double step2 = 1) {
    TFuncRec& f = AddRecord(kind, formulas, first1, last1, step1);
    f.LineWidth = 3;
    f.Color = 0x00FFFF;
    f.First2 = first2, f.Last2 = last2, f.Step2 = step2;
    return f;
  }
  TPlot3D Plot3D(bool invertLight = false) { return TPlot3D{model, view, options, eval, invertLight}; }
};

void ExpectNormal(const std::array<float, 3>& n, float x, float y, float z) {
  EXPECT_NEAR(n[0], x, 1e-5);
  EXPECT_NEAR(n[1], y, 1e-5);
  EXPECT_NEAR(n[2], z, 1e-5);
}

}  // namespace

TEST_F(Render3DTest, ASurfaceOf31By31SamplesIs30StripsOf31Pairs) {
  AddSpace(7, {"x+y"}, -15, 15, 1, -15, 15, 1);
  Draw3D(Plot3D(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 30u);
  EXPECT_EQ(emitter.Styles, 1);
  const float n = 1 / std::sqrt(3.0f);
  for (size_t k = 0; k < 30; ++k) {
    const TRecordedPrimitive& strip = emitter.Primitives[k];
    SCOPED_TRACE(k);
    EXPECT_EQ(strip.Kind, TPrimitive::TriangleStrip);
    EXPECT_EQ(strip.Style, TSpaceStyle::FilledSurface);
    EXPECT_EQ(strip.Color, ColorToVector(0x00FFFF, 1));
    ASSERT_EQ(strip.Vertices3.size(), 62u);
    // Row k + 1 at the first column, then row k and row k + 1 in turn.
    const double u = -15.0 + double(k);
    EXPECT_EQ(strip.Vertices3[0], (std::array<double, 3>{u + 1, -15, u + 1 - 15}));
    EXPECT_EQ(strip.Vertices3[1], (std::array<double, 3>{u, -15, u - 15}));
    EXPECT_EQ(strip.Vertices3[2], (std::array<double, 3>{u + 1, -14, u + 1 - 14}));
    EXPECT_EQ(strip.Vertices3[61], (std::array<double, 3>{u, 15, u + 15}));
    // A plane: every normal, at the edges too, is the same.
    for (const auto& normal : strip.Normals) ExpectNormal(normal, n, n, -n);
  }
}

TEST_F(Render3DTest, InvertedLightFlipsTheNormalsAndPointModeDrawsWires) {
  AddSpace(7, {"x+y"}, 0, 2, 1, 0, 2, 1);
  options.PointMode = true;
  Draw3D(Plot3D(true), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 2u);
  const float n = 1 / std::sqrt(3.0f);
  for (const TRecordedPrimitive& strip : emitter.Primitives) {
    EXPECT_EQ(strip.Style, TSpaceStyle::WireSurface);
    for (const auto& normal : strip.Normals) ExpectNormal(normal, -n, -n, n);
  }
}

TEST_F(Render3DTest, APoleLeavesAGapInsteadOfAWall) {
  AddSpace(7, {"tan(x)"}, 1.4, 1.805, 0.01, 0, 1, 0.5);
  Draw3D(Plot3D(), emitter);
  const double pole = std::numbers::pi / 2;
  int below = 0, above = 0;
  double lastBelow = -1, firstAbove = 9;
  for (const TRecordedPrimitive& strip : emitter.Primitives) {
    double lo = 9, hi = -1;
    for (const auto& v : strip.Vertices3) lo = std::min(lo, v[0]), hi = std::max(hi, v[0]);
    ASSERT_FALSE(lo < pole && hi > pole) << "a strip joins " << lo << " and " << hi;
    if (hi < pole) ++below, lastBelow = std::max(lastBelow, hi);
    if (lo > pole) ++above, firstAbove = std::min(firstAbove, lo);
  }
  EXPECT_EQ(below, 16);  // 1.40..1.56
  EXPECT_EQ(above, 22);  // 1.59..1.80, 1.805
  EXPECT_NEAR(lastBelow, 1.56, 1e-6);  // vertices go to GL in single precision
  EXPECT_NEAR(firstAbove, 1.59, 1e-6);
}

TEST_F(Render3DTest, ASampleWithoutAValueDropsItsRow) {
  // ln(x) has no value at 0 and below: the rows from -1 to 0 fail, and with
  // them the strip that would join row 0 to row 1.
  AddSpace(7, {"ln(x)+y"}, -1, 3, 1, 0, 1, 1);
  Draw3D(Plot3D(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 2u);
  EXPECT_EQ(emitter.Primitives[0].Vertices3[1][0], 1);
  EXPECT_EQ(emitter.Primitives[1].Vertices3[0][0], 3);
}

TEST_F(Render3DTest, TheSpaceCurveStopsBeforeItsEnd) {
  AddSpace(6, {"t", "2*t", "3*t"}, 0, 1, 0.3);
  Draw3D(Plot3D(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  const TRecordedPrimitive& curve = emitter.Primitives[0];
  EXPECT_EQ(curve.Kind, TPrimitive::LineStrip);
  EXPECT_EQ(curve.Style, TSpaceStyle::Curve);
  EXPECT_EQ(curve.LineWidth, 3);
  const double want[] = {0, 0.3, 0.6, 0.9};
  ASSERT_EQ(curve.Vertices3.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(curve.Vertices3[i][0], want[i], 1e-12);
    EXPECT_NEAR(curve.Vertices3[i][2], 3 * want[i], 1e-12);
  }
}

TEST_F(Render3DTest, InvertedAndStallingRangesEnd) {
  const struct {
    const char* what;
    int32_t kind;
    double first1, last1, step1, first2, last2, step2;
    size_t primitives, vertices;  // of the whole drawing
  } cases[] = {
      {"curve, start above end", 6, 1, 0, 0.3, 0, 0, 1, 1, 0},
      {"curve, negative step", 6, 0, 1, -0.25, 0, 0, 1, 1, 5},
      {"curve, step lost in the start", 6, 1e17, 2e17, 1, 0, 0, 1, 1, 1},
      {"surface, one row", 7, 0, 0, 1, 0, 3, 1, 0, 0},
      {"surface, first range inverted", 7, 3, 0, 1, 0, 3, 1, 0, 0},
      {"surface, second range inverted", 7, 0, 3, 1, 3, 0, 1, 0, 0},
      {"surface, second range stalls", 7, 0, 2, 1, 1e17, 2e17, 1, 2, 4},
      {"surface, first range stalls", 7, 1e17, 2e17, 1, 0, 3, 1, 0, 0},
      {"surface, zero steps", 7, 0, 0.002, 0, 0, 0.002, 0, 2, 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    model.Count3D = 0;
    emitter.Clear();
    const char* x = c.kind == 6 ? "t" : "x*y";
    if (c.kind == 6)
      AddSpace(6, {x, x, x}, c.first1, c.last1, c.step1);
    else
      AddSpace(7, {x}, c.first1, c.last1, c.step1, c.first2, c.last2, c.step2);
    Draw3D(Plot3D(), emitter);
    EXPECT_EQ(emitter.Primitives.size(), c.primitives);
    size_t vertices = 0;
    for (const TRecordedPrimitive& p : emitter.Primitives) vertices += p.Vertices3.size();
    EXPECT_EQ(vertices, c.vertices);
  }
}

TEST_F(Render3DTest, HiddenRecordsAreNotDrawn) {
  AddSpace(7, {"x"}, 0, 2, 1, 0, 2, 1).Shown = false;
  AddSpace(6, {"t", "t", "t"}, 0, 1, 0.5);
  Draw3D(Plot3D(), emitter);
  ASSERT_EQ(emitter.Primitives.size(), 1u);
  EXPECT_EQ(emitter.Primitives[0].Kind, TPrimitive::LineStrip);
}

TEST_F(Render3DTest, TheMarkerSitsOnTheTargetWhileThePanelIsOpen) {
  AddSpace(7, {"x*y"}, 0, 1, 1, 0, 1, 1);
  AddSpace(8, {"u+1", "v+1", "u*v"}, 0, 1, 1, 0, 1, 1);
  AddSpace(6, {"t", "-t", "ln(t)"}, 0, 1, 1);
  view.EvalPanelOpen = true;
  eval.EvalMode = 2, eval.EvalFuncIdx = 1, eval.EvalVar1 = 2, eval.EvalVar2 = 3;
  TSpaceMarker m = PlaceMarker3D(Plot3D());
  EXPECT_TRUE(m.Visible);
  EXPECT_EQ((std::array<double, 3>{m.X, m.Y, m.Z}), (std::array<double, 3>{2, 3, 6}));
  EXPECT_FALSE(m.SearchHit);

  eval.EvalFuncIdx = 2, eval.SearchHit = true;
  m = PlaceMarker3D(Plot3D());
  EXPECT_TRUE(m.Visible);
  EXPECT_EQ((std::array<double, 3>{m.X, m.Y, m.Z}), (std::array<double, 3>{3, 4, 6}));
  EXPECT_TRUE(m.SearchHit);

  eval.EvalFuncIdx = 3, eval.EvalVar1 = -1;  // ln(-1): no value
  EXPECT_FALSE(PlaceMarker3D(Plot3D()).Visible);
  eval.EvalVar1 = 1;
  EXPECT_TRUE(PlaceMarker3D(Plot3D()).Visible);

  for (auto hide : {+[](TViewState& v, TEvalState&) { v.EvalPanelOpen = false; },
                    +[](TViewState&, TEvalState& e) { e.EvalMode = 1; },
                    +[](TViewState&, TEvalState& e) { e.EvalFuncIdx = 4; },
                    +[](TViewState&, TEvalState& e) { e.EvalFuncIdx = 0; }}) {
    TViewState v = view;
    TEvalState e = eval;
    hide(v, e);
    EXPECT_FALSE(PlaceMarker3D(TPlot3D{model, v, options, e, false}).Visible);
  }
}
