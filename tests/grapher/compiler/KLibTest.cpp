// Built-in library: registration, values of every built-in both folded while
// compiling and called directly, and the register contract of every body.
#include <gtest/gtest.h>

#include <cmath>
#include <cpuid.h>
#include <cstring>

#include "Emulation.h"
#include "compiler/ExecMemory.h"
#include "FrontTestSupport.h"
#include "compiler/KLib.h"
#include "CallHarness.h"

using namespace kx;

namespace {

const long double Pi = 3.14159265358979323846264338327950288L;
const long double Inf = INFINITY;
const long double NaN = NAN;

// Runs one body through the harness: a routine directly, inline code with a RET.
THarnessCall CallBody(const TFunction& f, const std::vector<long double>& args, bool raiseFirst = false,
                      uint32_t fill = 0) {
  TExecBlock code(f.Code.size() + 1);
  if (!f.Code.empty()) std::memcpy(code.Data(), f.Code.data(), f.Code.size());
  code.Data()[f.Code.size()] = 0xC3;
  THarnessCall call{};
  call.Routine = f.Address != nullptr ? f.Address : code.Data();
  call.ArgCount = static_cast<uint32_t>(args.size());
  std::copy(args.begin(), args.end(), call.Args);
  call.RaiseFirst = raiseFirst;
  call.Fill = fill;
  KHarnessCall(&call);
  return call;
}

bool SameValue(long double got, long double expected, long double tolerance) {
  if (std::isnan(expected)) return std::isnan(got);
  if (std::isinf(expected) || tolerance == 0) return got == expected && std::signbit(got) == std::signbit(expected);
  return std::fabs(got - expected) <= tolerance * std::max(1.0L, std::fabs(expected));
}

struct ValueCase {
  const char* text;  // folds to the value
  std::vector<long double> args;
  long double expected;
  long double tolerance;  // relative; 0 = exact, sign of zero included
};

const long double Close = 1e-18L;

const ValueCase ValueCases[] = {
    {"min(3,5)", {3, 5}, 3, 0},
    {"min(5,3)", {5, 3}, 3, 0},
    {"max(3,5)", {3, 5}, 5, 0},
    {"max(5,3)", {5, 3}, 5, 0},
    {"min(sqrt(-1),1)", {NaN, 1}, 1, 0},  // unordered: the second argument
    {"min(1,sqrt(-1))", {1, NaN}, NaN, 0},
    {"max(sqrt(-1),1)", {NaN, 1}, NaN, 0},  // unordered: the first argument
    {"max(1,sqrt(-1))", {1, NaN}, 1, 0},
    {"sin(0.5)", {0.5L}, 0.479425538604203000273287935215571388L, Close},
    {"sin(1e19)", {1e19L}, NaN, 0},  // beyond the reach of fsin
    {"sin(-1e19)", {-1e19L}, NaN, 0},
    {"cos(0.5)", {0.5L}, 0.877582561890372716116281582603829651L, Close},
    {"cos(1e19)", {1e19L}, NaN, 0},
    {"tan(0.5)", {0.5L}, 0.546302489843790513255179465780285383L, Close},
    {"tan(1e19)", {1e19L}, NaN, 0},
    {"cotan(0.78539816339744830962)", {0.78539816339744830962L}, 1, Close},
    {"cotan(1e19)", {1e19L}, NaN, 0},
    {"exp(1)", {1}, 2.71828182845904523536028747135266250L, Close},
    {"exp(0)", {0}, 1, 0},
    {"exp(-1)", {-1}, 0.367879441171442321595523770161460867L, Close},
    {"exp(1/0)", {Inf}, Inf, 0},
    {"exp(-1/0)", {-Inf}, 0, 0},
    {"exp(sqrt(-1))", {NaN}, NaN, 0},
    {"exp(20000)", {20000}, Inf, 0},
    {"exp(-20000)", {-20000}, 0, 0},
    {"sqr(3)", {3}, 9, 0},
    {"sqr(-1.5)", {-1.5L}, 2.25L, 0},
    {"sqrt(2)", {2}, 1.41421356237309504880168872420969808L, Close},
    {"sqrt(-1)", {-1}, NaN, 0},
    {"ln(1)", {1}, 0, 0},
    {"ln(2)", {2}, 0.693147180559945309417232121458176568L, Close},
    {"ln(0)", {0}, -Inf, 0},
    {"ln(-1)", {-1}, NaN, 0},
    {"abs(-2.5)", {-2.5L}, 2.5L, 0},
    {"abs(3)", {3}, 3, 0},
    {"arcsin(1)", {1}, Pi / 2, Close},
    {"arcsin(0.5)", {0.5L}, Pi / 6, Close},
    {"arcsin(-1)", {-1}, -Pi / 2, Close},
    {"arcsin(2)", {2}, NaN, 0},
    {"arccos(-1)", {-1}, Pi, Close},
    {"arccos(1)", {1}, 0, 0},
    {"arccos(0.5)", {0.5L}, Pi / 3, Close},
    {"arccos(0)", {0}, Pi / 2, Close},
    {"arctan(1)", {1}, Pi / 4, Close},
    {"arctan(-1)", {-1}, -Pi / 4, Close},
    {"arccotan(1)", {1}, Pi / 4, Close},
    {"arccotan(-1)", {-1}, 3 * Pi / 4, Close},
    {"power(0,2)", {0, 2}, 0, 0},
    {"power(0,0)", {0, 0}, 1, 0},
    {"power(2,-2)", {2, -2}, 0.25L, 0},
    {"power(-2,3)", {-2, 3}, -8, 0},
    {"power(2,10)", {2, 10}, 1024, 0},
    {"power(10,-3)", {10, -3}, 0.001L, Close},
    {"power(2,0.5)", {2, 0.5L}, 1.41421356237309504880168872420969808L, Close},
    {"power(-8,1/3)", {-8, 1 / 3.0L}, NaN, 0},
    {"power(2,3e9)", {2, 3e9L}, Inf, 0},
    {"power(0,-1)", {0, -1}, Inf, 0},
    {"power(0,-0.5)", {0, -0.5L}, Inf, 0},
    {"power(-1,2147483648)", {-1, 2147483648.0L}, 1, 0},
    {"power(-2,3e9)", {-2, 3e9L}, Inf, 0},                   // even exponent
    {"power(-2,3000000001)", {-2, 3000000001.0L}, -Inf, 0},  // odd exponent: the sign of x
    {"power(-1,4294967297)", {-1, 4294967297.0L}, -1, Close},
    {"power(-3,2147483647)", {-3, 2147483647.0L}, -Inf, 0},
    {"power(-0,-3)", {-0.0L, -3}, -Inf, 0},  // a negative zero keeps its sign on both paths
    {"power(-0,-3000000001)", {-0.0L, -3000000001.0L}, -Inf, 0},
    {"power(-0,-3000000000)", {-0.0L, -3000000000.0L}, Inf, 0},
    {"Int(-2.5)", {-2.5L}, -2, 0},
    {"Trunc(2.7)", {2.7L}, 2, 0},
    {"Floor(-1.5)", {-1.5L}, -1, 0},  // truncates toward zero
    {"Int(1e30)", {1e30L}, 1e30L, 0},
    {"Frac(-2.5)", {-2.5L}, -0.5L, 0},
    {"Frac(2.75)", {2.75L}, 0.75L, 0},
    {"Round(2.5)", {2.5L}, 2, 0},
    {"Round(3.5)", {3.5L}, 4, 0},
    {"Round(-2.5)", {-2.5L}, -2, 0},
    {"Log10(1000)", {1000}, 3, Close},
    {"Log2(8)", {8}, 3, 0},
    {"LogN(2,8)", {2, 8}, 3, Close},
    {"LogN(10,100)", {10, 100}, 2, Close},
};

std::string FunctionName(const char* text) {
  return std::string(text, static_cast<const char*>(std::strchr(text, '(')));
}

// Values of fsin, fcos and fptan are checked less closely in the emulated machine.
long double Tolerance(const ValueCase& c) {
  const std::string name = FunctionName(c.text);
  const bool trig = name == "sin" || name == "cos" || name == "tan" || name == "cotan";
  return trig && c.tolerance != 0 ? testsupport::TrigTolerance(c.tolerance) : c.tolerance;
}

class BuiltinValues : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    saved_ = HasFCMOV;
    HasFCMOV = GetParam();
    front_ = std::make_unique<TTestFront>();
  }
  void TearDown() override { HasFCMOV = saved_; }
  bool saved_ = false;
  std::unique_ptr<TTestFront> front_;
};

TEST_P(BuiltinValues, FoldedWhileCompiling) {
  for (const ValueCase& c : ValueCases) {
    const long double value = front_->Folded(c.text);
    EXPECT_TRUE(SameValue(value, c.expected, Tolerance(c)))
        << c.text << " = " << ShowValue(value) << ", expected " << ShowValue(c.expected);
    EXPECT_EQ(front_->CompError(), eNone) << c.text;
  }
}

TEST_P(BuiltinValues, CalledDirectlyKeepingTheContract) {
  for (const ValueCase& c : ValueCases) {
    TFunction f;
    ASSERT_TRUE(front_->GetFunction(front_->FindFunction(FunctionName(c.text)), f)) << c.text;
    // Every register the body does not promise to use holds a value of the caller.
    const uint32_t fill = 8 - static_cast<uint32_t>(c.args.size()) - f.ExtraRegs;
    const THarnessCall call = CallBody(f, c.args, false, fill);
    EXPECT_TRUE(SameValue(call.Result, c.expected, Tolerance(c)))
        << c.text << " = " << ShowValue(call.Result) << ", expected " << ShowValue(c.expected);
    EXPECT_EQ(call.Depth, fill + 1) << c.text;
    EXPECT_TRUE(call.FillKept) << c.text;
    EXPECT_EQ(call.ExitStatus & X87StackFault, 0u) << c.text << ": x87 stack fault";
    EXPECT_NE(call.ResultClass, X87Empty) << c.text;
    EXPECT_TRUE(call.RegsKept) << c.text;
    EXPECT_TRUE(call.EspKept) << c.text;
  }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutFCMOV, BuiltinValues, ::testing::Bool());

TEST(Builtins, PiIsNotFoldedButRuns) {
  TTestFront front;
  TFunction f;
  ASSERT_TRUE(front.GetFunction(front.FindFunction("pi"), f));
  EXPECT_FALSE(f.Foldable);
  const THarnessCall call = CallBody(f, {});
  EXPECT_EQ(call.Result, Pi);
  EXPECT_EQ(call.Depth, 1u);
}

TEST(Builtins, RoundingFollowsTheCallersMode) {
  TTestFront front;
  TFunction f;
  ASSERT_TRUE(front.GetFunction(front.FindFunction("round"), f));
  TControlWord down(0x077F);  // round toward minus infinity
  EXPECT_EQ(CallBody(f, {2.5L}).Result, 2);
  EXPECT_EQ(CallBody(f, {-2.5L}).Result, -3);
}

TEST(Builtins, TruncationSurvivesAStickyFlag) {
  // An earlier masked event (0/0) leaves the invalid-operation flag set; the
  // truncation must not unmask it, or the next frndint would trap.
  TTestFront front;
  for (const char* name : {"int", "frac"}) {
    TFunction f;
    ASSERT_TRUE(front.GetFunction(front.FindFunction(name), f));
    const THarnessCall call = CallBody(f, {-2.75L}, true);
    EXPECT_EQ(call.Result, std::string(name) == "int" ? -2 : -0.75L) << name;
    EXPECT_EQ(call.ExitStatus & 1, 1u) << "the caller's flag stays for the caller";
  }
}

TEST(Builtins, TruncationRestoresTheControlWord) {
  TTestFront front;
  TFunction f;
  ASSERT_TRUE(front.GetFunction(front.FindFunction("trunc"), f));
  TControlWord nearest(0x133F);
  CallBody(f, {1.5L});
  uint16_t word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  EXPECT_EQ(word | 0x40, 0x137F);  // bit 6 always reads as 1
}

TEST(Builtins, TrigonometryJustBelowTheLimit) {
  TTestFront front;
  for (const char* name : {"sin", "cos", "tan", "cotan"}) {
    TFunction f;
    ASSERT_TRUE(front.GetFunction(front.FindFunction(name), f));
    const THarnessCall call = CallBody(f, {9.2e18L});
    EXPECT_TRUE(std::isfinite(call.Result)) << name;
    EXPECT_LE(std::fabs(call.Result), std::string(name) == "sin" || std::string(name) == "cos" ? 1 : 1e30) << name;
    EXPECT_EQ(call.Depth, 1u) << name;
    EXPECT_EQ(front.Folded(std::string(name) + "(9.2e18)"), call.Result) << name;
  }
}

TEST(Registration, Fields) {
  const struct {
    bool (*add)(TCtrlBlck*, const std::string&);
    const char* name;
    size_t params;
    int extraRegs;
    bool routine;
    bool foldable;
  } cases[] = {
      {AddSin, "sin", 1, 0, false, true},
      {AddCos, "cos", 1, 0, false, true},
      {AddExp, "exp", 1, 2, true, true},
      {AddSqr, "sqr", 1, 0, false, true},
      {AddSqrt, "sqrt", 1, 0, false, true},
      {AddLn, "ln", 1, 1, false, true},
      {AddAbs, "abs", 1, 0, false, true},
      {AddTan, "tan", 1, 1, false, true},
      {AddCotan, "cotan", 1, 1, false, true},
      {AddArcSin, "arcsin", 1, 2, true, true},
      {AddArcCos, "arccos", 1, 2, true, true},
      {AddArcTan, "arctan", 1, 1, false, true},
      {AddArcCotan, "arccotan", 1, 1, false, true},
      {AddPower, "power", 2, 2, true, true},
      {AddTrunc, "Int", 1, 0, true, true},
      {AddFrac, "Frac", 1, 1, true, true},
      {AddRound, "Round", 1, 0, false, true},
      {AddLog10, "Log10", 1, 1, false, true},
      {AddLog2, "Log2", 1, 1, false, true},
      {AddLogN, "LogN", 2, 1, true, true},
      {AddPi, "Pi", 0, 0, false, false},
  };
  for (const auto& c : cases) {
    TCtrlBlck table;
    EXPECT_FALSE(c.add(nullptr, c.name));
    ASSERT_TRUE(c.add(&table, c.name)) << c.name;
    EXPECT_FALSE(c.add(&table, c.name)) << c.name << " twice";
    EXPECT_EQ(table.FunctionCount(), 1);
    TFunction f;
    ASSERT_TRUE(table.GetFunction(table.FindFunction(c.name), f));
    EXPECT_EQ(f.Name, LowerName(c.name));
    EXPECT_EQ(f.Params.size(), c.params) << c.name;
    for (const TVarDefItem& p : f.Params) {
      EXPECT_EQ(p.TypeCode, tcF80);
      EXPECT_EQ(p.ByRef, 0);
    }
    EXPECT_EQ(f.CallConv, 4);
    EXPECT_EQ(f.ResultType, tcF80);
    EXPECT_EQ(f.ExtraRegs, c.extraRegs) << c.name;
    EXPECT_EQ(f.Address != nullptr, c.routine) << c.name;
    EXPECT_EQ(f.Code.empty(), c.routine) << c.name;
    EXPECT_EQ(f.Foldable, c.foldable) << c.name;
  }
}

TEST(Registration, InlineBodies) {
  const struct {
    bool (*add)(TCtrlBlck*, const std::string&);
    TAByte start;  // the body, or how it begins where an out-of-range check follows
    bool whole;
  } cases[] = {
      {AddSin, {0xD9, 0xFE}, false},
      {AddCos, {0xD9, 0xFF}, false},
      {AddTan, {0xD9, 0xF2}, false},
      {AddCotan, {0xD9, 0xFB}, false},
      {AddSqr, {0xD8, 0xC8}, true},
      {AddSqrt, {0xD9, 0xFA}, true},
      {AddLn, {0xD9, 0xED, 0xD9, 0xC9, 0xD9, 0xF1}, true},
      {AddAbs, {0xD9, 0xE1}, true},
      {AddArcTan, {0xD9, 0xE8, 0xD9, 0xF3}, true},
      {AddArcCotan, {0xD9, 0xE8, 0xD9, 0xC9, 0xD9, 0xF3}, true},
      {AddRound, {0xD9, 0xFC}, true},
      {AddLog10, {0xD9, 0xEC, 0xD9, 0xC9, 0xD9, 0xF1}, true},
      {AddLog2, {0xD9, 0xE8, 0xD9, 0xC9, 0xD9, 0xF1}, true},
      {AddPi, {0xD9, 0xEB}, true},
  };
  for (const auto& c : cases) {
    TCtrlBlck table;
    c.add(&table, "f");
    TFunction f;
    ASSERT_TRUE(table.GetFunction(1, f));
    if (c.whole)
      EXPECT_EQ(f.Code, c.start);
    else
      EXPECT_EQ(TAByte(f.Code.begin(), f.Code.begin() + 2), c.start);
  }
}

TEST(Registration, MinAndMaxFollowTheProbe) {
  const bool saved = HasFCMOV;
  for (bool fcmov : {true, false}) {
    HasFCMOV = fcmov;
    TCtrlBlck table;
    EXPECT_FALSE(AddMin(nullptr, "min"));
    EXPECT_FALSE(AddMax(nullptr, "max"));
    ASSERT_TRUE(AddMin(&table, "min"));
    ASSERT_TRUE(AddMax(&table, "max"));
    EXPECT_FALSE(AddMin(&table, "MIN"));  // already in the table
    EXPECT_FALSE(AddMax(&table, "min"));
    EXPECT_EQ(table.FunctionCount(), 2);
    TFunction min, max;
    table.GetFunction(1, min);
    table.GetFunction(2, max);
    if (fcmov) {
      EXPECT_EQ(min.Code, (TAByte{0xDB, 0xF1, 0xDB, 0xD1, 0xDD, 0xD9}));
      EXPECT_EQ(max.Code, (TAByte{0xDB, 0xF1, 0xDA, 0xC1, 0xDD, 0xD9}));
      EXPECT_EQ(min.Address, nullptr);
    } else {
      EXPECT_EQ(min.Address, reinterpret_cast<void*>(FpuMin));
      EXPECT_EQ(max.Address, reinterpret_cast<void*>(FpuMax));
      EXPECT_TRUE(min.Code.empty());
    }
    EXPECT_EQ(min.ExtraRegs, 0);
    EXPECT_EQ(min.Params.size(), 2u);
  }
  HasFCMOV = saved;
}

TEST(Registration, ProbeReadsTheProcessor) {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  ASSERT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
  const bool fpuAndCmov = (edx & 0x8001) == 0x8001;
  EXPECT_EQ(KProbeFCMOV(), fpuAndCmov ? 1 : 0);
  EXPECT_EQ(HasFCMOV, fpuAndCmov);
}

TEST(Registration, GrapherBuiltinsInTheirOrder) {
  // Their bodies are checked by name in BuiltinValues.
  const std::string expected =
      "min max sin cos exp sqr sqrt ln abs tan cotan arcsin arccos arctan arccotan power int trunc floor frac "
      "round log10 log2 logn pi";
  EXPECT_FALSE(AddGrapherBuiltins(nullptr));
  TCtrlBlck table;
  ASSERT_TRUE(AddGrapherBuiltins(&table));
  std::string names;
  for (int id = 1; id <= table.FunctionCount(); ++id) {
    TFunction f;
    ASSERT_TRUE(table.GetFunction(id, f));
    names += (id > 1 ? " " : "") + f.Name;
  }
  EXPECT_EQ(names, expected);

  // Names already taken are refused; the others still go in.
  EXPECT_FALSE(AddGrapherBuiltins(&table));
  EXPECT_EQ(table.FunctionCount(), 25);
  long double cell = 0;
  TCtrlBlck clash;
  ASSERT_NE(clash.AddVariable("Sin", tcF80, &cell), 0u);
  EXPECT_FALSE(AddGrapherBuiltins(&clash));
  EXPECT_EQ(clash.FunctionCount(), 24);
  EXPECT_EQ(clash.FindFunction("sin"), 0u);
  EXPECT_NE(clash.FindFunction("cos"), 0u);
}

TEST(Registration, GrapherNamesInAnyCase) {
  TTestFront front;
  EXPECT_EQ(front.FunctionCount(), 25);
  for (const char* name : {"INT", "trunc", "FLOOR", "frac", "ROUND", "log10", "LOG2", "logn", "PI", "Sin"})
    EXPECT_NE(front.FindFunction(name), 0u) << name;
}

TEST(ExecMemory, BlocksRunAndMove) {
  TExecBlock block(16);
  const uint8_t returns42[] = {0xB8, 0x2A, 0x00, 0x00, 0x00, 0xC3};  // mov eax,42; ret
  std::memcpy(block.Data(), returns42, sizeof returns42);
  TExecBlock moved = std::move(block);
  EXPECT_EQ(block.Data(), nullptr);
  EXPECT_EQ(block.Size(), 0u);
  EXPECT_EQ(moved.Size(), 16u);
  EXPECT_EQ(reinterpret_cast<int (*)()>(moved.Data())(), 42);

  void* raw = KExecAlloc(0);
  EXPECT_NE(raw, nullptr);
  KExecFree(raw);
  KExecFree(nullptr);
}

}  // namespace
