// The evaluation panel's numbers without a window: values, derivatives,
// partials, Simpson's integrals, the floating-point check of a step, the
// number forms and the layout of each kind.
#include <cmath>
#include <limits>
#include <string>

#include "EvalFixture.h"
#include "app/model/MainU_Eval.h"
#include "app/model/MainU_EvalLayout.h"
#include "app/model/Tcvn3Text.h"

namespace kx {
namespace {

constexpr long double kInf = std::numeric_limits<long double>::infinity();
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();

TEST_F(EvalTest, SquareAtThreeShowsNineSixAndNine) {
  Target(1, {"x*x"});
  eval.EvalVar1 = 3, eval.IntegralFrom = 0, eval.IntegralTo = 3;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_EQ(FormatEvalValue(eval.EvalF[1]), "9");
  EXPECT_EQ(FormatEvalValue(eval.EvalDF[1]), "6");
  EXPECT_EQ(FormatEvalValue(eval.EvalInt[1]), "9");
}

TEST_F(EvalTest, DerivativeIsTheCentralDifferenceWithTheGivenStep) {
  Target(1, {"x*x*x"});
  eval.EvalVar1 = 1;
  // ((1 - 0.125) + (3.375 - 1)) / 1
  EvaluateValues2D(model, eval, 0.5L);
  EXPECT_EQ(eval.EvalDF[1], 3.25L);
  EXPECT_EQ(eval.EvalF[1], 1.0L);
}

TEST_F(EvalTest, PlaneParametricGivesBothComponents) {
  Target(5, {"cos(t)", "t*t"});
  eval.EvalVar1 = 1, eval.IntegralFrom = 0, eval.IntegralTo = 2;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_NEAR(eval.EvalF[1], std::cos(1.0), 1e-15);
  EXPECT_NEAR(eval.EvalDF[1], -std::sin(1.0), 1e-8);
  EXPECT_NEAR(eval.EvalDF[2], 2, 1e-8);
  EXPECT_NEAR(eval.EvalInt[1], std::sin(2.0), 1e-9);
  EXPECT_NEAR(eval.EvalInt[2], 8.0 / 3, 1e-12);
}

TEST_F(EvalTest, SurfacePartialsAndDoubleIntegral) {
  Target(7, {"x*x*y"});
  eval.EvalVar1 = 1, eval.EvalVar2 = 2;
  eval.IntegralFrom = 0, eval.IntegralTo = 1, eval.IntegralFrom2 = 0, eval.IntegralTo2 = 2;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_NEAR(eval.EvalF[1], 2, 1e-15);
  EXPECT_NEAR(eval.EvalPartial[1].ByVar1, 4, 1e-8);  // 2xy
  EXPECT_NEAR(eval.EvalPartial[1].ByVar2, 1, 1e-8);  // x^2
  EXPECT_EQ(eval.EvalDF[1], eval.EvalPartial[1].ByVar1);
  EXPECT_EQ(eval.EvalDF[2], eval.EvalPartial[1].ByVar2);
  EXPECT_NEAR(eval.EvalInt[1], 2.0 / 3, 1e-12);  // x^3/3 * y^2/2 over the rectangle
}

TEST_F(EvalTest, ParametricSurfaceShowsTheSumOfItsPartials) {
  Target(8, {"u*v", "u+v*v", "sin(u)*v"});
  eval.EvalVar1 = 0.5, eval.EvalVar2 = 2;
  eval.IntegralFrom = 0, eval.IntegralTo = 1, eval.IntegralFrom2 = 0, eval.IntegralTo2 = 1;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  const struct {
    long double byU, byV;
  } expected[] = {{2, 0.5}, {1, 4}, {2 * std::cos(0.5L), std::sin(0.5L)}};
  for (int j = 1; j <= 3; ++j) {
    EXPECT_NEAR(eval.EvalPartial[j].ByVar1, expected[j - 1].byU, 1e-8) << j;
    EXPECT_NEAR(eval.EvalPartial[j].ByVar2, expected[j - 1].byV, 1e-8) << j;
    EXPECT_EQ(eval.EvalDF[j], eval.EvalPartial[j].ByVar1 + eval.EvalPartial[j].ByVar2) << j;
  }
  EXPECT_NEAR(eval.EvalInt[1], 0.25, 1e-12);
  EXPECT_NEAR(eval.EvalInt[2], 0.5 + 1.0 / 3, 1e-12);
  EXPECT_NEAR(eval.EvalInt[3], (1 - std::cos(1.0)) / 2, 1e-9);
}

TEST_F(EvalTest, SpaceCurveGivesThreeValuesDerivativesAndIntegrals) {
  Target(6, {"t", "t*t", "1"});
  eval.EvalVar1 = 2, eval.IntegralFrom = 1, eval.IntegralTo = 3;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  const long double values[] = {2, 4, 1}, derivatives[] = {1, 4, 0}, integrals[] = {4, 26.0L / 3, 2};
  for (int j = 1; j <= 3; ++j) {
    EXPECT_NEAR(eval.EvalF[j], values[j - 1], 1e-15) << j;
    EXPECT_NEAR(eval.EvalDF[j], derivatives[j - 1], 1e-8) << j;
    EXPECT_NEAR(eval.EvalInt[j], integrals[j - 1], 1e-12) << j;
  }
}

TEST_F(EvalTest, ReversedLimitsGiveTheNegatedIntegral) {
  TFuncRec& f = Target(1, {"x*x"});
  EXPECT_NEAR(SimpsonIntegral1D(100, model, f, false, 3, 0, 1), -9, 1e-15);
}

TEST_F(EvalTest, AnInteriorSampleThatIsNoDoubleMakesTheIntegralInfinite) {
  // e^(1000 x) is finite in 80 bits but beyond a 64-bit float inside [0, 1];
  // sqrt is not a number left of 0.
  TFuncRec& big = Target(1, {"exp(1000*x)"});
  EXPECT_EQ(SimpsonIntegral1D(100, model, big, false, 0, 1, 1), kInf);
  TFuncRec& root = Target(1, {"sqrt(x)"});
  EXPECT_EQ(SimpsonIntegral1D(100, model, root, false, -1, 1, 1), kInf);
  TFuncRec& surface = Target(7, {"exp(1000*x*y)"});
  EXPECT_EQ(SimpsonIntegral2D(10, model, surface, 1, 0, 1, 0, 1), kInf);
}

TEST_F(EvalTest, TheEndSamplesAreNotTested) {
  // Only f(b) = e^709.8 is beyond a 64-bit float; the interior stays below.
  TFuncRec& f = Target(1, {"exp(1000*x)"});
  const long double result = SimpsonIntegral1D(100, model, f, false, 0, 0.7098, 1);
  EXPECT_TRUE(std::isfinite(result));
  EXPECT_GT(result, 1e305L);
}

TEST_F(EvalTest, AFloatingPointErrorFailsTheStep) {
  // Every exception is masked: only the status word tells.
  const struct {
    const char* formula;
    long double x;
    bool good;
  } cases[] = {{"x*x", 3, true}, {"1/x", 0, false}, {"ln(x)", -1, false}, {"exp(x)", 20000, false},
               {"sqrt(x)", 4, true}};
  for (const auto& c : cases) {
    Target(1, {c.formula});
    eval.EvalVar1 = c.x;
    EXPECT_EQ(EvaluateStep(model, eval, false), c.good) << c.formula;
  }
  // The flags are cleared again for whatever runs next.
  uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status));
  EXPECT_EQ(status & 0x3F, 0);
}

TEST_F(EvalTest, SearchesUseTheFinerStep) {
  Target(1, {"x*x*x"});
  eval.EvalVar1 = 1;
  eval.SearchRunning = true;
  ASSERT_TRUE(EvaluateStep(model, eval, false));
  const long double fine = eval.EvalDF[1];
  EvaluateValues2D(model, eval, SearchEvalStep);
  EXPECT_EQ(eval.EvalDF[1], fine);
  EvaluateValues2D(model, eval, EvalStep);
  EXPECT_NE(eval.EvalDF[1], fine);
}

TEST_F(EvalTest, DataRecordsByDrawType) {
  DataTarget({{0, 0}, {2, 4}, {3, 3}}, 1);
  eval.EvalVar1 = 1, eval.IntegralFrom = 0, eval.IntegralTo = 2;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_NEAR(eval.EvalF[1], 2, 1e-15);
  EXPECT_NEAR(eval.EvalDF[1], 2, 1e-8);
  EXPECT_NEAR(eval.EvalInt[1], 4, 1e-12);

  // Drawn as points: a value only on a data abscissa, no derivative or integral.
  DataTarget({{0, 0}, {2, 4}}, 0);
  eval.EvalVar1 = 2;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_EQ(eval.EvalF[1], 4);
  EXPECT_TRUE(std::isnan(eval.EvalDF[1]));
  EXPECT_TRUE(std::isnan(eval.EvalInt[1]));
  eval.EvalVar1 = 1;
  ASSERT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_EQ(FormatEvalValue(eval.EvalF[1]), Tcvn3Text("Không xác định"));
}

TEST_F(EvalTest, ADataRecordWithoutPointsIsNotANumberEverywhere) {
  // A fitted polynomial left in a hand-edited file must not give values
  // for a record with no points.
  TFuncRec& f = DataTarget({}, 3);
  f.BacPT = 1;
  f.HeSo = {1, 2};
  for (int drawType : {0, 1, 2, 3}) {
    f.DrawType = drawType;
    eval.EvalF[1] = eval.EvalDF[1] = eval.EvalInt[1] = 7;
    eval.EvalVar1 = 1, eval.IntegralFrom = 0, eval.IntegralTo = 1;
    ASSERT_TRUE(EvaluateStep(model, eval, true)) << drawType;
    EXPECT_TRUE(std::isnan(eval.EvalF[1])) << drawType;
    EXPECT_TRUE(std::isnan(eval.EvalDF[1])) << drawType;
    EXPECT_TRUE(std::isnan(eval.EvalInt[1])) << drawType;
  }
}

TEST_F(EvalTest, NoTargetNoValues) {
  Target(1, {"x"});
  eval.EvalFuncIdx = 2;
  eval.EvalF[1] = 7;
  EXPECT_EQ(EvalTarget(model, eval), nullptr);
  EXPECT_TRUE(EvaluateStep(model, eval, true));
  EXPECT_EQ(eval.EvalF[1], 7);
}

TEST(FormatEvalValue, Table) {
  const struct {
    long double value;
    const char* text;
  } cases[] = {
      {9, "9"},
      {-2.5L, "-2.5"},
      {0, "0"},
      {1e-7L, "0"},
      {-1e-7L, "0"},
      {1.0L / 3, "0.33333"},
      {-2.0L / 3, "-0.66667"},
      {0.000123456789L, "0.000123"},
      {2e10L, "2E10"},
      {-2e10L, "-2E10"},
      {123456.1234567891L, "1.2346E5"},
      {12345678.123456789L, "12345678.123456789"},
      {123.5L, "123.5"},
      {1e20L, "1E20"},
      {1.5e-7L, "0"},
      {0.0001234L, "0.0001234"},
      {6.000000000000001L, "6"},
      {-kInf, "-INF"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatEvalValue(c.value), c.text) << static_cast<double>(c.value);
  EXPECT_EQ(FormatEvalValue(kInf), Tcvn3Text("Vô cùng"));
  EXPECT_EQ(FormatEvalValue(kNaN), Tcvn3Text("Không xác định"));
}

TEST(EvalLayout, EveryKind) {
  const struct {
    int32_t kind;
    int varRows, valueRows, derivRows;
    int value, deriv, integral, var, limit;
    const char* var1;
    const char* derivLabel2;
    bool partials;
  } cases[] = {
      {1, 1, 1, 1, 55, 55, 55, 55, 116, "x", "f'", false}, {2, 1, 1, 1, 55, 55, 55, 55, 116, "y", "f'", false},
      {3, 1, 1, 1, 55, 55, 55, 55, 116, "p", "f'", false}, {4, 1, 1, 1, 55, 55, 55, 55, 116, "r", "f'", false},
      {5, 1, 2, 2, 87, 87, 87, 55, 116, "t", "Y'", false}, {6, 1, 3, 3, 121, 121, 121, 55, 116, "t", "Y'", false},
      {7, 2, 1, 2, 55, 87, 55, 89, 215, "x", "f'y", true}, {8, 2, 3, 3, 121, 121, 121, 89, 215, "u", "Y'", false},
      {9, 1, 1, 1, 55, 55, 55, 55, 116, "x", "f'", false},
  };
  for (const auto& c : cases) {
    const TEvalLayout layout = EvalLayout(c.kind);
    EXPECT_EQ(layout.VarRows, c.varRows) << c.kind;
    EXPECT_EQ(layout.ValueRows, c.valueRows) << c.kind;
    EXPECT_EQ(layout.IntRows, c.valueRows) << c.kind;
    EXPECT_EQ(layout.DerivRows, c.derivRows) << c.kind;
    EXPECT_EQ(layout.ValueHeight, c.value) << c.kind;
    EXPECT_EQ(layout.DerivHeight, c.deriv) << c.kind;
    EXPECT_EQ(layout.IntHeight, c.integral) << c.kind;
    EXPECT_EQ(layout.VarHeight, c.var) << c.kind;
    EXPECT_EQ(layout.LimitHeight, c.limit) << c.kind;
    EXPECT_EQ(layout.VarLabels[1], c.var1) << c.kind;
    EXPECT_EQ(layout.LimitCaptions[1], Tcvn3Text("Biến ") + c.var1) << c.kind;
    EXPECT_EQ(layout.DerivLabels[c.kind == 1 || c.kind > 8 || c.kind < 5 ? 1 : 2], c.derivLabel2) << c.kind;
    EXPECT_EQ(layout.DerivCaption, Tcvn3Text(c.partials ? "Giá trị đạo hàm riêng" : "Giá trị đạo hàm")) << c.kind;
  }
  EXPECT_EQ(EvalLayout(7).DerivLabels[1], "f'x");
  EXPECT_EQ(EvalLayout(8).VarLabels[2], "v");
  EXPECT_EQ(EvalLayout(8).IntLabels[3], "IZ");
  EXPECT_EQ(EvalLayout(5).ValueLabels[1], "X");
}

}  // namespace
}  // namespace kx
