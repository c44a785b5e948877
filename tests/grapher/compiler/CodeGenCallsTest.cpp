// Calls of functions with ordinal arguments and results and with arguments on
// the CPU stack, registered the way a caller of the compiler would.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "CodeGenSupport.h"
#include "compiler/KLib.h"

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
    RegisterBuiltins(K);
    K.SetAutoCompile(false);
    ASSERT_NE(K.AddFunction("twice", "vi32", 4, tcI32, 0, reinterpret_cast<void*>(&TestTwice), false, {}), 0u);
    ASSERT_NE(K.AddFunction("mix", "vi32vi16vu08", 4, tcI32, 0, reinterpret_cast<void*>(&TestMix), false, {}), 0u);
    ASSERT_NE(K.AddFunction("neg64", "vi64", 4, tcI64, 0, reinterpret_cast<void*>(&TestNeg64), false, {}), 0u);
    ASSERT_NE(K.AddFunction("tofloat", "vi32", 4, tcF80, 0, reinterpret_cast<void*>(&TestToFloat), false, {}), 0u);
    // Eight extra registers leave the x87 no place for arguments: both go to the CPU stack.
    ASSERT_NE(K.AddFunction("stsub", "vf80vf80", 4, tcF80, 8, reinterpret_cast<void*>(&TestStackSub), false, {}), 0u);
    ASSERT_NE(K.AddFunction("cdsub", "vf80vf80", 2, tcF80, 0, reinterpret_cast<void*>(&TestStackSubC), false, {}), 0u);
    K.AddVariable("x", tcF80, &X);
    K.AddVariable("y", tcF80, &Y);
    K.AddVariable("n", tcI32, &N);
    K.AddVariable("h", tcI16, &H);
    K.AddVariable("u", tcU08, &U);
    K.AddVariable("q", tcI64, &Q);
  }
  // Brackets nested so that each level needs one register more than the one
  // inside it; value receives what the formula gives for the current X and Y.
  static std::string Nested(int levels, long double& value) {
    std::string deep = "x";
    value = X;
    for (int i = 0; i < levels; ++i) {
      deep = "(" + deep + "-(" + deep + "+y))";
      value = value - (value + Y);
    }
    return deep;
  }
  long double Run(const std::string& text) {
    K.SetExpression(text);
    K.Compile();
    EXPECT_EQ(K.CompError(), eNone) << text;
    const TEvalResult r = EvaluateChecked(K);
    EXPECT_TRUE(r.RegistersKept) << text;
    EXPECT_TRUE(r.StackClean) << text;
    return r.Value;
  }
  TKCompiler K;
  static inline long double X = 0, Y = 0;
  static inline int32_t N = 0;
  static inline int16_t H = 0;
  static inline uint8_t U = 0;
  static inline int64_t Q = 0;
};

TEST_F(CodeGenCalls, OrdinalResultsAreComputedAheadAndReadWithFild) {
  N = 21;
  X = 0.5L;
  EXPECT_EQ(Run("twice(n)+x"), 42.5L);
  // Frame, then the call's own level, then the formula reading the result back.
  const uint32_t rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&TestTwice)) -
                       static_cast<uint32_t>(reinterpret_cast<uintptr_t>(K.Code())) - 14;
  EXPECT_EQ(CodeOf(K), (TBytes()({0x83, 0xEC, 0x04, 0x8B, 0x05})
                            .Addr(&N)({0xE8})
                            .U32(rel)({0x89, 0x04, 0x24, 0xDB, 0x2D})
                            .Addr(&X)({0xDB, 0x04, 0x24, 0xDE, 0xC1, 0x83, 0xC4, 0x04, 0xC3})
                            .Data))
      << Hex(CodeOf(K));
  EXPECT_EQ(Run("-twice(n)*x"), -21.0L);
  EXPECT_EQ(Run("twice(-n)"), -42.0L);
  EXPECT_EQ(Run("twice(twice(n))"), 84.0L);
}

TEST_F(CodeGenCalls, FrameOfSpillsAndSmallTemporariesIsAlignedAroundItsRemainder) {
  // One spill slot (16 bytes) and two 4-byte results: 20 bytes, so the
  // alignment keeps the 4-byte remainder below the aligned boundary.
  X = 1.25L;
  Y = 0.75L;
  long double v;
  const std::string deep = Nested(8, v);
  K.SetEliminateBrackets(ebStandart);
  K.SetOutOfOrder(ooStandart);
  N = 5;
  H = 2;
  EXPECT_EQ(Run("twice(n)*" + deep + "+twice(h)"), 10 * v + 4);
  const std::vector<uint8_t> code = CodeOf(K);
  const std::vector<uint8_t> head = {0x55, 0x8B, 0xEC, 0x83, 0xEC, 0x04, 0x81, 0xE4, 0xF0,
                                     0xFF, 0xFF, 0xFF, 0x83, 0xC4, 0x04, 0x83, 0xEC, 0x14};
  ASSERT_GT(code.size(), head.size() + 4);
  EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(head.size())), head)
      << Hex(code);
  EXPECT_EQ(std::vector<uint8_t>(code.end() - 4, code.end()), (std::vector<uint8_t>{0x8B, 0xE5, 0x5D, 0xC3}));
}

TEST_F(CodeGenCalls, OrdinalArgumentsGoToEaxEdxEcxWidenedByTheirSigns) {
  N = 7;
  H = -3;
  U = 250;
  EXPECT_EQ(Run("mix(n,h,u)"), 700.0L - 30 + 250);
  EXPECT_EQ(Run("mix(-n,-2,5)"), -700.0L - 20 + 5);
  EXPECT_EQ(Run("tofloat(h)*x"), static_cast<long double>(H) * X);
}

TEST_F(CodeGenCalls, WideArgumentsAndResultsUseTwoHalves) {
  Q = -5000000000LL;
  EXPECT_EQ(Run("neg64(q)"), 5000000000.0L);
  N = 7;
  EXPECT_EQ(Run("neg64(n)+q"), -7.0L - 5000000000.0L);
  N = -9;
  EXPECT_EQ(Run("neg64(-n)"), -9.0L);
  // Constants are stored into the argument slot as two immediate halves.
  EXPECT_EQ(Run("neg64(5000000000)"), -5000000000.0L);
  const std::vector<uint8_t> code = CodeOf(K);
  const TBytes stores =
      TBytes()({0xC7, 0x04, 0x24}).U32(static_cast<uint32_t>(5000000000LL))({0xC7, 0x44, 0x24, 0x04}).U32(1);
  EXPECT_NE(std::search(code.begin(), code.end(), stores.Data.begin(), stores.Data.end()), code.end()) << Hex(code);
}

TEST_F(CodeGenCalls, StackArgumentsAndSpillsAroundThem) {
  X = 10;
  Y = 3;
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
  K.SetEliminateBrackets(ebStandart);
  K.SetOutOfOrder(ooStandart);
  for (bool align : {false, true}) {
    K.SetAlignMode(align);
    EXPECT_EQ(Run("stsub(x," + deep + ")"), X - v);
    EXPECT_EQ(Run("cdsub(x," + deep + ")"), X - v);
  }
  EXPECT_EQ(Run("x/y-cdsub(x+y,stsub(x,y*y))*x"), X / Y - (13 - 1) * 10);
}

TEST_F(CodeGenCalls, ArgumentNeedingSevenRegistersIsNotSpilled) {
  // power(A, 2) with A a balanced sum of eight power() calls, inside a formula
  // that keeps values of its own in registers.
  X = 1.5L;
  Y = -0.5L;
  const std::string a = "power(x,2)+power(y,2)+power(x,2)+power(y,2)+power(x,2)+power(y,2)+power(x,2)+power(y,2)";
  const long double av = 4 * (X * X + Y * Y);
  EXPECT_EQ(Run("power(" + a + ",2)"), av * av);
  EXPECT_EQ(Run("x-y*(x+y*(x-power(" + a + ",2)))"), X - Y * (X + Y * (X - av * av)));
}

TEST_F(CodeGenCalls, HoistedArgumentsReachTheirOwnRegisters) {
  // Arguments so large that the planner computes them ahead into temporaries.
  X = 1.25L;
  Y = 0.75L;
  long double v;
  const std::string deep = Nested(9, v);
  for (const char* f : {"LogN", "power"}) {
    for (int order = 0; order < 2; ++order) {
      const std::string a = order ? "abs(" + deep + ")+2" : "x+1";
      const std::string b = order ? "x+1" : "abs(" + deep + ")+2";
      const long double av = order ? std::fabs(v) + 2 : X + 1;
      const long double bv = order ? X + 1 : std::fabs(v) + 2;
      const long double want = std::string(f) == "LogN" ? log2l(bv) / log2l(av) : powl(av, bv);
      K.SetEliminateBrackets(ebStandart);
      K.SetOutOfOrder(ooStandart);
      EXPECT_NEAR(static_cast<double>(Run(std::string(f) + "(" + a + "," + b + ")")), static_cast<double>(want),
                  1e-12 * std::fabs(static_cast<double>(want)))
          << f << order;
    }
  }
}

}  // namespace
