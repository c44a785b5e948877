// Parser: text -> coded operand string and constant stack, error codes,
// constant folding, typed arguments and folding faults.
#include <gtest/gtest.h>

#include <cmath>

#include "Emulation.h"
#include "FrontTestSupport.h"

using namespace kx;

namespace {

struct CodedCase {
  const char* text;
  const char* coded;
};

TEST(Parser, CodedStrings) {
  const CodedCase cases[] = {
      {"x", "x"},
      {"x+1+2", "{3}+x"},
      {"1-x", "{1}-x"},
      {"1+2", "{3}"},
      {"2*3*x", "{6}*x"},
      {"-x*1", "-x"},
      {"2*x", "{2}*x"},
      {"x/2", "{0.5}*x"},
      {"2/x", "{2}/x"},
      {"x/(y*z)", "x/y/z"},
      {"x*(y/z)", "x*y/z"},
      {"x/(y/z)", "x/y*z"},
      {"x/(2*y)", "{0.5}*x/y"},
      {"2*(3*x)", "{6}*x"},
      {"x/(y*(a/b+c))", "x/y/(a/b+c)"},
      {"a-(b+c)", "a-b-c"},
      {"a-(b*(c+d)+e)", "a-b*(c+d)-e"},
      {"a-(-b+c)", "a+b-c"},
      {"x-(1+y)", "{-1}+x-y"},
      {"(-a)+b", "-a+b"},
      {"-(x)", "-x"},
      {"-(-x)", "x"},
      {"x--y", "x+y"},
      {"x+-y", "x-y"},
      {"--x", "x"},
      {"+x", "x"},
      {"2*(x+1)", "{2}*({1}+x)"},
      {"x*(1+x)*3", "{3}*x*({1}+x)"},
      {"a*b-c/d", "a*b-c/d"},
      {"(x)", "x"},
      {"((x+y))", "x+y"},
      {"2*(-x)", "{-2}*x"},
      {"0", "{0}"},
      {"0*x", "{0}*x"},
      {"x-x", "x-x"},
      {"X+Y", "x+y"},
      {"  x + 1  ", "{1}+x"},
      {"x\t*\ny", "x*y"},
      {"kcompilerid", "kcompilerid"},
      {"1e5", "{100000}"},
      {"1.5E3", "{1500}"},
      {"007.50", "{7.5}"},
      {"1.", "{1}"},
      {"sin(0)", "{0}"},
      {"sin(x)", "sin(x)"},
      {"SIN(X)", "sin(x)"},
      {"Pi", "pi"},
      {"Pi()", "pi"},
      {"2*Pi", "{2}*pi"},
      {"max(x,1)", "max(x,{1})"},
      {"max(x+1,y)", "max({1}+x,y)"},
      {"min(1,2)", "{1}"},
      {"power(2,10)", "{1024}"},
      {"sin(x)*sin(0)", "{0}*sin(x)"},
      {"power(x,2)*3", "{3}*power(x,{2})"},
      {"sin(cos(x))", "sin(cos(x))"},
  };
  for (const CodedCase& c : cases) {
    TTestFront front;
    EXPECT_EQ(front.Coded(c.text), c.coded) << c.text;
    EXPECT_EQ(front.CompError(), eNone) << c.text;
  }
}

TEST(Parser, BracketsKeptWithoutElimination) {
  const CodedCase cases[] = {
      {"x/(y*z)", "x/(y*z)"},
      {"a-(b+c)", "a-(b+c)"},
      {"x*(-y)", "-x*y"},  // a negated product loses its bracket in every mode
      {"2*(3*x)", "{2}*({3}*x)"},
  };
  for (const CodedCase& c : cases) {
    TTestFront front;
    front.SetEliminateBrackets(ebStandart);
    EXPECT_EQ(front.Coded(c.text), c.coded) << c.text;
  }
}

TEST(Parser, FoldedCallsAreExact) {
  TTestFront front;
  EXPECT_PRED_FORMAT2(testsupport::TrigEq, front.Folded("sin(0.5)"), std::sin(0.5L));
  EXPECT_PRED_FORMAT2(testsupport::TrigEq, front.Folded("sin(cos(0))"), std::sin(1.0L));
  EXPECT_EQ(front.Coded("sin(x)*sin(0.5)"), "{" + ShowValue(std::sin(0.5L)) + "}*sin(x)");
}

TEST(Parser, ConstantWidths) {
  const struct {
    const char* text;
    std::vector<int> widths;
  } cases[] = {
      {"0.5", {4}}, {"16777217", {8}}, {"0.1", {10}}, {"x*0.1+0.5", {4, 10}}, {"x+16777217*y", {8}},
  };
  for (const auto& c : cases) {
    TTestFront front;
    front.Parse(c.text);
    EXPECT_EQ(front.ConstWidths(), c.widths) << c.text;
  }
}

TEST(Parser, ErrorCodes) {
  const struct {
    const char* text;
    TError error;
  } cases[] = {
      {"", eValExpected},
      {"   ", eValExpected},
      {"\t\r\n", eValExpected},
      {"sin x", eValExpected},
      {"2 3", eOpExpected},
      {"x y", eOpExpected},
      {"x(2)", eOpExpected},
      {"foo(2)", eUnknown},
      {"foo", eUnknown},
      {"x+foo*2", eUnknown},
      {"(x+1", eEdge},
      {"sin(x", eEdge},
      {"((x)", eEdge},
      {"x)", eOpExpected},
      {"(x))", eOpExpected},
      {"min(1)", eParameter},
      {"min(1,2,3)", eParameter},
      {"Pi(3)", eParameter},
      {"sin(x,y)", eParameter},
      {"sin()", eValExpected},
      {"min(,1)", eValExpected},
      {"1e-5", eNumFormat},
      {".5", eValExpected},
      {"1.2.3", eNumFormat},
      {"1..2", eNumFormat},
      {"1e", eNumFormat},
      {"1e5.5", eNumFormat},
      {"1e5000", eNumFormat},
      {"2x", eOpExpected},
      {"2*-x", eValExpected},
      {"x/-2", eValExpected},
      {"x^2", eOpExpected},
      {"x+", eValExpected},
      {"x*", eValExpected},
      {"*x", eValExpected},
      {"()", eValExpected},
      {"$", eValExpected},
      {"x,y", eOpExpected},
      {"x+()", eValExpected},
  };
  for (const auto& c : cases) {
    TTestFront front;
    front.Parse(c.text);
    EXPECT_EQ(front.CompError(), c.error) << '"' << c.text << '"';
    EXPECT_TRUE(front.HasError()) << c.text;
  }
}

TEST(Parser, NumbersAtTheLimits) {
  TTestFront front;
  const long double big = front.Folded("1.18e4932");
  EXPECT_TRUE(std::isfinite(big));
  EXPECT_GT(big, 1e4931L);
  front.Parse("1.19e4932");  // beyond the 80-bit range
  EXPECT_EQ(front.CompError(), eNumFormat);
  EXPECT_EQ(front.Folded("123456789012345678901234567890"), 123456789012345678901234567890.0L);
  EXPECT_EQ(front.Folded("0.1"), 0.1L);
  EXPECT_EQ(front.Folded("3.14159265358979323846264338327950288"), 3.14159265358979323846264338327950288L);
  EXPECT_EQ(front.Folded("0.000000000000000000000000000000000000000000001"), 1e-45L);
}

// Functions with ordinal, by-reference and ordinal-result parameters.
class TypedArgs : public ::testing::Test {
 protected:
  void SetUp() override {
    // push eax; fild dword [esp]; pop eax: an ordinal argument in EAX as the result
    const TAByte fromEax = {0x50, 0xDB, 0x04, 0x24, 0x58};
    // sub esp,4; fistp dword [esp]; pop eax: a float argument rounded into EAX
    const TAByte toEax = {0x83, 0xEC, 0x04, 0xDB, 0x1C, 0x24, 0x58};
    front_.AddFunction("ifn", "vi08", 4, tcF80, 0, nullptr, true, fromEax);
    front_.AddFunction("inf8", "vi08", 4, tcF80, 0, nullptr, false, fromEax);
    front_.AddFunction("ordres", "vf80", 4, tcI32, 0, nullptr, true, toEax);
    front_.AddFunction("byref", "rf80", 4, tcF80, 0, nullptr, false, {});
    front_.AddVariable("n", tcI32, &n_);
  }
  TTestFront front_;
  int32_t n_ = 0;
};

TEST_F(TypedArgs, CodedArguments) {
  const CodedCase cases[] = {
      {"ifn(5)", "{5}"},
      {"ifn(-3)", "{-3}"},
      {"ifn(--5)", "{5}"},
      {"ifn(-128)", "{-128}"},
      {"inf8(5)", "inf8([0:5])"},
      {"inf8(+-7)", "inf8([0:-7])"},
      {"inf8(n)", "inf8(n)"},
      {"inf8(-n)", "inf8(-n)"},
      {"inf8(kcompilerid)", "inf8(kcompilerid)"},
      {"inf8(ordres(7))", "inf8([0:7])"},
      {"inf8(-ordres(7))", "inf8([0:-7])"},
      {"inf8(-ordres(128))", "inf8([0:-128])"},
      {"inf8(-ordres(-127))", "inf8([0:127])"},
      {"inf8(ordres(2.5))", "inf8([0:2])"},
      {"inf8(ordres(x))", "inf8(ordres(x))"},
      {"inf8(-ordres(x))", "inf8(-ordres(x))"},
      {"ordres(2.6)", "{3}"},
      {"byref(x)", "byref(x)"},
      {"byref(X)", "byref(X)"},
      {"x+byref(y)*2", "x+{2}*byref(y)"},
  };
  for (const CodedCase& c : cases) {
    EXPECT_EQ(front_.Coded(c.text), c.coded) << c.text;
    EXPECT_EQ(front_.CompError(), eNone) << c.text;
  }
}

TEST_F(TypedArgs, ArgumentErrors) {
  const struct {
    const char* text;
    TError error;
  } cases[] = {
      {"ifn(128)", eOutOfRange},
      {"ifn(-129)", eOutOfRange},
      {"ifn(99999999999999999999)", eOutOfRange},
      {"ifn(x)", eType},
      {"ifn(1.5)", eType},
      {"ifn(2a)", eType},
      {"ifn(n+1)", eType},
      {"ifn(sin(1))", eType},
      {"ifn(ordres(1)+1)", eType},
      {"ifn(zz)", eUnknown},
      {"ifn((1))", eUnknown},
      {"ifn()", eValExpected},
      {"ifn(-)", eValExpected},
      {"inf8(ordres(300))", eOutOfRange},
      {"inf8(ordres(-129))", eOutOfRange},
      {"inf8(-ordres(-128))", eOutOfRange},
      {"byref(n)", eVarParameter},
      {"byref(x+1)", eVarParameter},
      {"byref(1)", eVarParameter},
      {"byref(zz)", eVarParameter},
      {"byref(sin)", eVarParameter},
  };
  for (const auto& c : cases) {
    front_.Parse(c.text);
    EXPECT_EQ(front_.CompError(), c.error) << c.text;
  }
}

// Constant calls get their arguments where the calling convention puts them.
TEST(ConstantCalls, ArgumentPlaces) {
  TTestFront front;
  const char* const signature = "vi32vi64vf80vi16vu08";  // EAX, CPU stack, x87, EDX, ECX
  const struct {
    const char* name;
    TAByte code;
    long double expected;
  } picks[] = {
      {"pick_eax", {0xDD, 0xD8, 0x50, 0xDB, 0x04, 0x24, 0x58}, -5},
      {"pick_stack", {0xDD, 0xD8, 0xDF, 0x2C, 0x24}, 123456789012.0L},
      {"pick_x87", {}, 2.5L},
      {"pick_edx", {0xDD, 0xD8, 0x52, 0xDB, 0x04, 0x24, 0x5A}, -300},
      {"pick_ecx", {0xDD, 0xD8, 0x51, 0xDB, 0x04, 0x24, 0x59}, 200},
  };
  for (const auto& p : picks) {
    ASSERT_NE(front.AddFunction(p.name, signature, 4, tcF80, 0, nullptr, true, p.code), 0u);
    EXPECT_EQ(front.Folded(std::string(p.name) + "(-5,123456789012,2.5,-300,200)"), p.expected) << p.name;
    EXPECT_EQ(front.CompError(), eNone) << p.name;
  }
}

TEST(ConstantCalls, FloatsNarrowedOntoTheStack) {
  // Convention 1 fills the argument block from the high end down, convention 3
  // from the low end up; either way 32- and 64-bit slots saturate to infinity
  // and flush to zero.
  TTestFront front;
  const struct {
    const char* name;
    uint8_t conv;
    TAByte code;
  } picks[] = {
      {"first1", 1, {0xD9, 0x44, 0x24, 0x08}},   // fld dword [esp+8]
      {"second1", 1, {0xDD, 0x04, 0x24}},        // fld qword [esp]
      {"first3", 3, {0xD9, 0x04, 0x24}},         // fld dword [esp]
      {"second3", 3, {0xDD, 0x44, 0x24, 0x04}},  // fld qword [esp+4]
  };
  for (const auto& p : picks)
    ASSERT_NE(front.AddFunction(p.name, "vf32vf64", p.conv, tcF80, 0, nullptr, true, p.code), 0u);
  for (const char* suffix : {"1", "3"}) {
    const std::string first = std::string("first") + suffix, second = std::string("second") + suffix;
    EXPECT_EQ(front.Folded(first + "(0.5,2)"), 0.5L);
    EXPECT_EQ(front.Folded(second + "(0.5,2)"), 2);
    EXPECT_EQ(front.Folded(first + "(1e300,1)"), INFINITY);
    EXPECT_EQ(front.Folded(first + "(0.00000000000000000000000000000000000000001,1)"), 0);  // below the normal range
    EXPECT_EQ(front.Folded(second + "(1,1e4000)"), INFINITY);
    EXPECT_EQ(front.Folded(first + "(0.1,1)"), 0.1f);
    EXPECT_EQ(front.CompError(), eNone);
  }
}

TEST(ConstantCalls, OrdinalResultsAreWidenedByType) {
  TTestFront front;
  const TAByte minusOne = {0xDD, 0xD8, 0x31, 0xC0, 0x48, 0x99};  // fstp st(0); xor eax,eax; dec eax; cdq
  const struct {
    uint8_t type;
    long double expected;
  } cases[] = {
      {tcI08, -1}, {tcU08, 255}, {tcI16, -1}, {tcU16, 65535}, {tcI32, -1}, {tcU32, 4294967295.0L}, {tcI64, -1},
  };
  for (const auto& c : cases) {
    const std::string name = "r" + std::to_string(c.type);
    ASSERT_NE(front.AddFunction(name, "vf80", 4, c.type, 0, nullptr, true, minusOne), 0u);
    EXPECT_EQ(front.Folded(name + "(0)"), c.expected) << name;
  }
}

TEST(OrdinalRanges, EveryType) {
  const char* const names[] = {"i08", "u08", "i16", "u16", "i32", "u32", "i64"};
  const struct {
    const char* lowest;
    const char* highest;
    const char* below;
    const char* above;
  } ranges[] = {
      {"-128", "127", "-129", "128"},
      {"-0", "255", "-1", "256"},
      {"-32768", "32767", "-32769", "32768"},
      {"0", "65535", "-1", "65536"},
      {"-2147483648", "2147483647", "-2147483649", "2147483648"},
      {"0", "4294967295", "-1", "4294967296"},
      {"-9223372036854775808", "9223372036854775807", "-9223372036854775809", "9223372036854775808"},
  };
  for (uint8_t type = 0; type < 7; ++type) {
    TTestFront front;
    ASSERT_NE(front.AddFunction("f", std::string("v") + names[type], 4, tcF80, 0, nullptr, false, {}), 0u);
    const auto coded = [&](const char* arg) { return front.Coded(std::string("f(") + arg + ")"); };
    const std::string prefix = "f([" + std::to_string(type) + ":";
    EXPECT_EQ(coded(ranges[type].lowest),
              prefix + (std::string(ranges[type].lowest) == "-0" ? "0" : ranges[type].lowest) + "])")
        << names[type];
    EXPECT_EQ(coded(ranges[type].highest), prefix + ranges[type].highest + "])") << names[type];
    coded(ranges[type].below);
    EXPECT_EQ(front.CompError(), eOutOfRange) << names[type] << " " << ranges[type].below;
    coded(ranges[type].above);
    EXPECT_EQ(front.CompError(), eOutOfRange) << names[type] << " " << ranges[type].above;
  }
}

TEST(FoldingFaults, MaskedControlWordFoldsToSpecialValues) {
  TTestFront front;
  EXPECT_EQ(front.Coded("1/0"), "{inf}");
  EXPECT_EQ(front.CompError(), eNone);
  EXPECT_EQ(front.Coded("sqrt(-1)"), "{nan}");
  EXPECT_EQ(front.CompError(), eNone);
}

TEST(FoldingFaults, UnmaskedControlWordGivesDomain) {
  const struct {
    const char* text;
    const char* coded;
  } cases[] = {
      {"1/0", "{0}"},            // product folding
      {"1e3000*1e3000", "{0}"},  // product folding, overflow
      {"1e4932+1e4932", "{0}"},  // sum folding
      {"-1e4932-1e4932", "{0}"},
      {"x*(1/0)", "{0}"},
      {"sqrt(-1)", "{0}"},  // constant call: its value becomes 0
      {"x+sqrt(-1)", "x"},
      {"x*ln(0)", "{0}*x"},
  };
  for (const auto& c : cases) {
    TTestFront front;
    uint16_t after = 0, status = 0xFFFF;
    {
      TControlWord unmasked(0x1332);  // invalid operation, zero divide and overflow trap
      EXPECT_EQ(front.Coded(c.text), c.coded) << c.text;
      asm volatile("fnstcw %0\n\tfnstsw %1" : "=m"(after), "=m"(status));
    }
    EXPECT_EQ(front.CompError(), eDomain) << c.text;
    EXPECT_FALSE(front.HasError()) << c.text;
    EXPECT_EQ(after | 0x40, 0x1372) << c.text;  // bit 6 always reads as 1
    EXPECT_EQ(status & 0x3F, 0) << c.text;
  }
}

TEST(FoldingFaults, MaskedFlagsOfTheCallerDoNotCount) {
  TTestFront front;
  TControlWord precisionTraps(0x133F & ~0x20);  // only the precision exception unmasked
  front.Parse("1/3");                           // inexact
  EXPECT_EQ(front.CompError(), eDomain);
  front.Parse("1/0");  // zero divide is masked here
  EXPECT_EQ(front.CompError(), eNone);
}

TEST(FoldingFaults, LaterSyntaxErrorWins) {
  TTestFront front;
  TControlWord unmasked(0x1332);
  front.Parse("sqrt(-1)+foo");
  EXPECT_EQ(front.CompError(), eUnknown);
}

}  // namespace
