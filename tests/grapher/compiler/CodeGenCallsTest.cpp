// Calls of functions with ordinal arguments and results and with arguments on
// the CPU stack, registered the way a caller of the compiler would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "CodeGenSupport.h"
#include "compiler/KLib.h"

using namespace kx;

extern "C" {
void TestTwice();
void TestMix();
void TestNeg64();
void TestToFloat();
void TestStackSub();
void TestStackSubC();
}

namespace {

class CodeGenCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    HasFCMOV = true;
    AddGrapherBuiltins(&compiler_);
    compiler_.SetAutoCompile(false);
    ASSERT_NE(compiler_.AddFunction("twice", "vi32", 4, tcI32, 0, reinterpret_cast<void*>(&TestTwice), false, {}), 0u);
    ASSERT_NE(compiler_.AddFunction("mix", "vi32vi16vu08", 4, tcI32, 0, reinterpret_cast<void*>(&TestMix), false, {}),
              0u);
    ASSERT_NE(compiler_.AddFunction("neg64", "vi64", 4, tcI64, 0, reinterpret_cast<void*>(&TestNeg64), false, {}), 0u);
    ASSERT_NE(compiler_.AddFunction("tofloat", "vi32", 4, tcF80, 0, reinterpret_cast<void*>(&TestToFloat), false, {}),
              0u);
    // Eight extra registers leave the x87 no place for arguments: both go to the CPU stack.
    ASSERT_NE(
        compiler_.AddFunction("stsub", "vf80vf80", 4, tcF80, 8, reinterpret_cast<void*>(&TestStackSub), false, {}), 0u);
    ASSERT_NE(
        compiler_.AddFunction("cdsub", "vf80vf80", 2, tcF80, 0, reinterpret_cast<void*>(&TestStackSubC), false, {}),
        0u);
    compiler_.AddVariable("x", tcF80, &x_);
    compiler_.AddVariable("y", tcF80, &y_);
    compiler_.AddVariable("n", tcI32, &n_);
    compiler_.AddVariable("h", tcI16, &h_);
    compiler_.AddVariable("u", tcU08, &u_);
    compiler_.AddVariable("q", tcI64, &q_);
  }
  // Brackets nested so that each level needs one register more than the one
  // inside it; value receives what the formula gives for the current x and y cells.
  static std::string Nested(int levels, long double& value) {
    std::string deep = "x";
    value = x_;
    for (int i = 0; i < levels; ++i) {
      deep = "(" + deep + "-(" + deep + "+y))";
      value = value - (value + y_);
    }
    return deep;
  }
  long double Run(const std::string& text) {
    compiler_.SetExpression(text);
    compiler_.Compile();
    EXPECT_EQ(compiler_.CompError(), eNone) << text;
    const TEvalResult r = EvaluateChecked(compiler_);
    EXPECT_TRUE(r.RegistersKept) << text;
    EXPECT_TRUE(r.StackClean) << text;
    return r.Value;
  }
  TKCompiler compiler_;
  static inline long double x_ = 0, y_ = 0;
  static inline int32_t n_ = 0;
  static inline int16_t h_ = 0;
  static inline uint8_t u_ = 0;
  static inline int64_t q_ = 0;
};

TEST_F(CodeGenCalls, OrdinalResultsAreComputedAheadAndReadWithFild) {
  n_ = 21;
  x_ = 0.5L;
  EXPECT_EQ(Run("twice(n)+x"), 42.5L);
  // Frame, then the call's own level, then the formula reading the result back.
  const uint32_t rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&TestTwice)) -
                       static_cast<uint32_t>(reinterpret_cast<uintptr_t>(compiler_.Code())) - 14;
  EXPECT_EQ(CodeOf(compiler_), (TBytes()({0x83, 0xEC, 0x04, 0x8B, 0x05})
                                    .Addr(&n_)({0xE8})
                                    .U32(rel)({0x89, 0x04, 0x24, 0xDB, 0x2D})
                                    .Addr(&x_)({0xDB, 0x04, 0x24, 0xDE, 0xC1, 0x83, 0xC4, 0x04, 0xC3})
                                    .Data()))
      << Hex(CodeOf(compiler_));
  EXPECT_EQ(Run("-twice(n)*x"), -21.0L);
  EXPECT_EQ(Run("twice(-n)"), -42.0L);
  EXPECT_EQ(Run("twice(twice(n))"), 84.0L);
}

TEST_F(CodeGenCalls, FrameOfSpillsAndSmallTemporariesIsAlignedAroundItsRemainder) {
  // One spill slot (16 bytes) and two 4-byte results: 20 bytes, so the
  // alignment keeps the 4-byte remainder below the aligned boundary.
  x_ = 1.25L;
  y_ = 0.75L;
  long double v;
  const std::string deep = Nested(8, v);
  compiler_.SetEliminateBrackets(ebStandart);
  compiler_.SetOutOfOrder(ooStandart);
  n_ = 5;
  h_ = 2;
  EXPECT_EQ(Run("twice(n)*" + deep + "+twice(h)"), 10 * v + 4);
  const std::vector<uint8_t> code = CodeOf(compiler_);
  const std::vector<uint8_t> head = {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x04, 0x81, 0xE4, 0xF0,
                                     0xFF, 0xFF, 0xFF, 0x83, 0xC4, 0x04, 0x83, 0xEC, 0x14};
  ASSERT_GT(code.size(), head.size() + 4);
  EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(head.size())), head)
      << Hex(code);
  EXPECT_EQ(std::vector<uint8_t>(code.end() - 4, code.end()), (std::vector<uint8_t>{0x8B, 0xE5, 0x5D, 0xC3}));
}

TEST_F(CodeGenCalls, OrdinalArgumentsGoToEaxEdxEcxWidenedByTheirSigns) {
  n_ = 7;
  h_ = -3;
  u_ = 250;
  EXPECT_EQ(Run("mix(n,h,u)"), 700.0L - 30 + 250);
  EXPECT_EQ(Run("mix(-n,-2,5)"), -700.0L - 20 + 5);
  EXPECT_EQ(Run("tofloat(h)*x"), static_cast<long double>(h_) * x_);
}

TEST_F(CodeGenCalls, WideArgumentsAndResultsUseTwoHalves) {
  q_ = -5000000000LL;
  EXPECT_EQ(Run("neg64(q)"), 5000000000.0L);
  n_ = 7;
  EXPECT_EQ(Run("neg64(n)+q"), -7.0L - 5000000000.0L);
  n_ = -9;
  EXPECT_EQ(Run("neg64(-n)"), -9.0L);
  // Constants are stored into the argument slot as two immediate halves.
  EXPECT_EQ(Run("neg64(5000000000)"), -5000000000.0L);
  const std::vector<uint8_t> code = CodeOf(compiler_);
  const TBytes stores =
      TBytes()({0xC7, 0x04, 0x24}).U32(static_cast<uint32_t>(5000000000LL))({0xC7, 0x44, 0x24, 0x04}).U32(1);
  EXPECT_NE(std::search(code.begin(), code.end(), stores.Data().begin(), stores.Data().end()), code.end()) << Hex(code);
}

TEST_F(CodeGenCalls, StackArgumentsAndSpillsAroundThem) {
  x_ = 10;
  y_ = 3;
  EXPECT_EQ(Run("stsub(x,y)"), 7.0L);
  EXPECT_EQ(Run("cdsub(x,y)"), 7.0L);
  EXPECT_EQ(Run("x*y+stsub(y*x,x-y)"), 30.0L + 23);
  // The second call needs all eight registers: the first result is spilled while
  // the arguments are reserved on the CPU stack, so its slot lies above them.
  EXPECT_EQ(Run("stsub(x,y)*stsub(y*x,x-y)"), 7.0L * 23);
  EXPECT_EQ(Run("cdsub(x,y)*stsub(y*x,x-y)"), 7.0L * 23);

  // An argument on the CPU stack that itself spills: the spill slots lie above
  // the reserved argument bytes.
  long double v;
  const std::string deep = Nested(10, v);
  compiler_.SetEliminateBrackets(ebStandart);
  compiler_.SetOutOfOrder(ooStandart);
  for (bool align : {false, true}) {
    compiler_.SetAlignMode(align);
    EXPECT_EQ(Run("stsub(x," + deep + ")"), x_ - v);
    EXPECT_EQ(Run("cdsub(x," + deep + ")"), x_ - v);
  }
  EXPECT_EQ(Run("x/y-cdsub(x+y,stsub(x,y*y))*x"), x_ / y_ - (13 - 1) * 10);
}

TEST_F(CodeGenCalls, ArgumentNeedingSevenRegistersIsNotSpilled) {
  // power(A, 2) with A a balanced sum of eight power() calls, inside a formula
  // that keeps values of its own in registers.
  x_ = 1.5L;
  y_ = -0.5L;
  const std::string a = "power(x,2)+power(y,2)+power(x,2)+power(y,2)+power(x,2)+power(y,2)+power(x,2)+power(y,2)";
  const long double av = 4 * (x_ * x_ + y_ * y_);
  EXPECT_EQ(Run("power(" + a + ",2)"), av * av);
  EXPECT_EQ(Run("x-y*(x+y*(x-power(" + a + ",2)))"), x_ - y_ * (x_ + y_ * (x_ - av * av)));
}

TEST_F(CodeGenCalls, HoistedArgumentsReachTheirOwnRegisters) {
  // Arguments so large that the planner computes them ahead into temporaries.
  x_ = 1.25L;
  y_ = 0.75L;
  long double v;
  const std::string deep = Nested(9, v);
  for (const char* f : {"LogN", "power"}) {
    for (int order = 0; order < 2; ++order) {
      const std::string a = order ? "abs(" + deep + ")+2" : "x+1";
      const std::string b = order ? "x+1" : "abs(" + deep + ")+2";
      const long double av = order ? std::fabs(v) + 2 : x_ + 1;
      const long double bv = order ? x_ + 1 : std::fabs(v) + 2;
      const long double want = std::string(f) == "LogN" ? log2l(bv) / log2l(av) : powl(av, bv);
      compiler_.SetEliminateBrackets(ebStandart);
      compiler_.SetOutOfOrder(ooStandart);
      EXPECT_NEAR(static_cast<double>(Run(std::string(f) + "(" + a + "," + b + ")")), static_cast<double>(want),
                  1e-12 * std::fabs(static_cast<double>(want)))
          << f << order;
    }
  }
}

}  // namespace
