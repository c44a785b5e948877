// The shape templates without their windows: what each writes into the
// record from the parameters typed, every generated formula text, the
// single-precision number form, and what a refused attempt leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/windows/SelFTU_Templates.h"

using namespace kx;

namespace {

struct Ranges {
  double First1, Last1, Step1, First2, Last2, Step2;
};

constexpr double TwoPi = 6.283185307179586;
const Ranges kPlane = {0, TwoPi, 0.02, -15, 15, 0.01};
const Ranges kGraph = {-15, 15, 0.01, -15, 15, 0.01};
const Ranges kSphere = {-1.5707953267948966, 1.5707953267948966, 0.1, 0, TwoPi, 0.1};
const Ranges kBowl = {0, 3, 0.1, 0, TwoPi, 0.1};

// The record as the Add command hands it to the chooser, formulas left from
// an earlier function.
TFuncRec AddDefaults() {
  TFuncRec f;
  f.FuncType = 1;
  f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
  f.First2 = -15, f.Last2 = 15, f.Step2 = 0.01;
  f.Func[1] = "old1", f.Func[2] = "old2", f.Func[3] = "old3";
  return f;
}

}  // namespace

TEST(Templates, EveryTemplateWritesItsKindRangesShiftAndFormulas) {
  struct Case {
    const char* name;
    TTemplate t;
    bool type1;
    std::vector<std::string> fields;
    int32_t kind;
    Ranges ranges;
    double relX, relY;
    std::vector<std::string> formulas;  // Func[1..3]
  } cases[] = {
      {"circle", TTemplate::Circle, true, {"1", "-2", "3"}, 5, kPlane, 1, -2, {"3*Cos(t)", "3*Sin(t)", "old3"}},
      {"ellipse", TTemplate::Ellipse, true, {"0.5", "2", "4", "2.5"}, 5, kPlane, 0.5, 2,
       {"4*Cos(t)", "2.5*Sin(t)", "old3"}},
      {"hyperbola 1", TTemplate::Hyperbola, true, {"-1", "1.25", "2", "3"}, 5, kPlane, -1, 1.25,
       {"2/Cos(t)", "3*Sin(t)/Cos(t)", "old3"}},
      {"hyperbola 2", TTemplate::Hyperbola, false, {"0", "0", "2", "3"}, 5, kPlane, 0, 0,
       {"2*Sin(t)/Cos(t)", "3/Cos(t)", "old3"}},
      {"quadratic over linear", TTemplate::QuadraticOverLinear, true, {"1", "-2", "3", "4", "-5"}, 1, kGraph, 0, 0,
       {"(1*x*x+-2*x+3)/(4*x+-5)", "old2", "old3"}},
      {"degree 4", TTemplate::Degree4, true, {"1", "-2", "0", "0.5", "7"}, 1, kGraph, 0, 0,
       {"1*x*x*x*x+-2*x*x*x+0*x*x+0.5*x+7", "old2", "old3"}},
      {"sphere", TTemplate::Sphere, true, {"1", "2", "-3", "4"}, 8, kSphere, 0, 0,
       {"4*Cos(v)*Cos(u)+1", "4*Sin(v)*Cos(u)+2", "4*Sin(u)+-3"}},
      {"ellipsoid", TTemplate::Ellipsoid, true, {"1", "2", "3"}, 8, kSphere, 0, 0,
       {"1*Cos(v)*Cos(u)", "2*Sin(v)*Cos(u)", "3*Sin(u)"}},
      {"paraboloid elliptic", TTemplate::Paraboloid, true, {"2", "0.5"}, 8, kBowl, 0, 0,
       {"sqrt(2*u*2)*Cos(v)", "sqrt(2*u*0.5)*Sin(v)", "u"}},
      {"paraboloid hyperbolic", TTemplate::Paraboloid, false, {"2", "0.5"}, 8, {-5, 5, 0.1, -5, 5, 0.1}, 0, 0,
       {"u", "v", "-Sqr(v)/(2*0.5)+sqr(u)/(2*2)"}},
      {"hyperboloid one sheet", TTemplate::Hyperboloid, true, {"1", "2", "3"}, 8, {-1, 1, 0.1, 0, TwoPi, 0.1}, 0, 0,
       {"1*Cos(v)/Cos(u)", "2*Sin(v)/Cos(u)", "3*Sin(u)/Cos(u)"}},
      {"hyperboloid two sheets", TTemplate::Hyperboloid, false, {"1", "2", "3"}, 8,
       {0, 3.141592653589793, 0.1, 0, TwoPi, 0.1}, 0, 0,
       {"1*Cos(v)*Sin(u)/Cos(u)", "2*Sin(v)*Sin(u)/Cos(u)", "3/Cos(u)"}},
      {"cone", TTemplate::Cone, true, {"1", "2", "3"}, 8, kBowl, 0, 0,
       {"(1*Abs(u)/3)*Cos(v)", "(2*Abs(u)/3)*Sin(v)", "u"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFuncRec f = AddDefaults();
    ASSERT_TRUE(ApplyTemplate(f, c.t, c.type1, c.fields));
    EXPECT_EQ(f.FuncType, c.kind);
    EXPECT_EQ(f.First1, c.ranges.First1);
    EXPECT_EQ(f.Last1, c.ranges.Last1);
    EXPECT_EQ(f.Step1, c.ranges.Step1);
    EXPECT_EQ(f.First2, c.ranges.First2);
    EXPECT_EQ(f.Last2, c.ranges.Last2);
    EXPECT_EQ(f.Step2, c.ranges.Step2);
    EXPECT_EQ(f.RelX, c.relX);
    EXPECT_EQ(f.RelY, c.relY);
    EXPECT_EQ(f.Rotate, 0);
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(f.Func[j], c.formulas[j - 1]) << j;
  }
}

TEST(Templates, ParametersEnterAsSinglesInTheTwelveDigitForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"2.5", "2.5"}, {"0.1", "0.10000000149"}, {"1.7", "1.70000004768"}, {"0.00001", "9.99999974738E-06"},
      {"-2", "-2"},   {"1e12", "999999995904"},  {"3", "3"},
  };
  for (const auto& [typed, shown] : cases) {
    TFuncRec f = AddDefaults();
    ASSERT_TRUE(ApplyTemplate(f, TTemplate::Circle, true, {"0", "0", typed})) << typed;
    EXPECT_EQ(f.Func[1], std::string(shown) + "*Cos(t)") << typed;
  }
  // The centre of a plane conic goes into the shift at 64 bits.
  TFuncRec f = AddDefaults();
  ASSERT_TRUE(ApplyTemplate(f, TTemplate::Ellipse, true, {"0.1", "1.7", "0.1", "1"}));
  EXPECT_EQ(f.RelX, 0.1);
  EXPECT_EQ(f.RelY, 1.7);
  EXPECT_EQ(f.Func[1], "0.10000000149*Cos(t)");
  // A sphere's centre is a single inside the formulas.
  ASSERT_TRUE(ApplyTemplate(f, TTemplate::Sphere, true, {"0.1", "0", "0", "1"}));
  EXPECT_EQ(f.Func[1], "1*Cos(v)*Cos(u)+0.10000000149");
}

TEST(Templates, ARefusedAttemptLeavesWhatItWrote) {
  // A field that does not read stops the reading: the kind and the centre
  // read before it are written, nothing else.
  struct Case {
    const char* name;
    TTemplate t;
    std::vector<std::string> fields;
    int32_t kind;
    double relX;
  } cases[] = {
      {"comma", TTemplate::Circle, {"1", "2", "2,5"}, 5, 1},
      {"empty", TTemplate::Ellipse, {"3", "", "1", "1"}, 5, 3},
      {"letters", TTemplate::Sphere, {"1", "x", "1", "1"}, 8, 0},
      {"first field", TTemplate::Cone, {"a", "1", "1"}, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFuncRec f = AddDefaults();
    EXPECT_FALSE(ApplyTemplate(f, c.t, true, c.fields));
    EXPECT_EQ(f.FuncType, c.kind);
    EXPECT_EQ(f.RelX, c.relX);
    EXPECT_EQ(f.First1, -15);
    EXPECT_EQ(f.Func[1], "old1");
  }

  // The paraboloid's signs are checked after its ranges and formulas are written.
  for (const auto& pq : std::vector<std::vector<std::string>>{{"0", "1"}, {"1", "-1"}, {"-2", "-3"}}) {
    TFuncRec f = AddDefaults();
    EXPECT_FALSE(ApplyTemplate(f, TTemplate::Paraboloid, true, pq)) << pq[0] << " " << pq[1];
    EXPECT_EQ(f.FuncType, 8);
    EXPECT_EQ(f.Last1, 3);
    EXPECT_EQ(f.Func[3], "u");
  }
  // No other parameter is checked: a zero radius and a zero denominator pass.
  TFuncRec f = AddDefaults();
  EXPECT_TRUE(ApplyTemplate(f, TTemplate::Circle, true, {"0", "0", "0"}));
  EXPECT_TRUE(ApplyTemplate(f, TTemplate::QuadraticOverLinear, true, {"1", "1", "1", "0", "0"}));
  EXPECT_EQ(f.Func[1], "(1*x*x+1*x+1)/(0*x+0)");
}

TEST(Templates, TheFormOfEachTemplate) {
  struct Case {
    TTemplate t;
    const char* caption;
    size_t rows;
    int picture, type2Picture, offset;
  } cases[] = {
      {TTemplate::Circle, "Ve duong tron", 3, 1, 0, 60},
      {TTemplate::Ellipse, "Ve hinh Elip", 4, 2, 0, 100},
      {TTemplate::Hyperbola, "Ve duong Hyperbol (2 loai)", 4, 3, 12, 100},
      {TTemplate::QuadraticOverLinear, "Ve ham bac 2/bac 1", 5, 4, 0, 100},
      {TTemplate::Degree4, "Ve ham da thuc bac 4 (hoac nho hon)", 5, 5, 0, 60},
      {TTemplate::Sphere, "Ve mat cau", 4, 6, 0, 60},
      {TTemplate::Ellipsoid, "Ve mat Elipxoit", 3, 7, 0, 100},
      {TTemplate::Paraboloid, "Ve mat Paraboloit (2 loai)", 2, 8, 11, 105},
      {TTemplate::Hyperboloid, "Ve mat Hyperboloit (2 loai)", 3, 9, 10, 100},
      {TTemplate::Cone, "Ve mat Non", 3, 13, 0, 100},
  };
  for (const Case& c : cases) {
    const TTemplateInfo& info = TemplateInfo(c.t);
    SCOPED_TRACE(c.caption);
    EXPECT_STREQ(info.Caption, c.caption);
    EXPECT_EQ(info.Labels.size(), c.rows);
    EXPECT_EQ(info.Picture, c.picture);
    EXPECT_EQ(info.Type2Picture, c.type2Picture);
    EXPECT_EQ(info.LabelOffset, c.offset);
    EXPECT_EQ(info.Type1Caption != nullptr, c.type2Picture != 0);
  }
  EXPECT_STREQ(TemplateInfo(TTemplate::Circle).Labels[2], "Bán kính   r =");
  EXPECT_STREQ(TemplateInfo(TTemplate::Ellipse).Labels[0], "X tâm         u =");
  EXPECT_STREQ(TemplateInfo(TTemplate::Sphere).Labels[0], "X tâm   a =");
  EXPECT_STREQ(TemplateInfo(TTemplate::Hyperboloid).Type2Caption, "Hyperboloit 2 tầng");
}
