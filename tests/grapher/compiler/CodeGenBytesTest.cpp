// Byte-exact code of small formulas, the constant pool, the frame, the options
// and the trees the rewriting produces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <variant>

#include "CodeGenSupport.h"
#include "Emulation.h"
#include "compiler/KLib.h"

using namespace kx;

namespace {

struct TCells {
  long double x = 0, y = 0, z = 0, a = 0, b = 0, c = 0, d = 0;
  double f64 = 0;
  float f32 = 0;
  int32_t i32 = 0;
};

class CodeGen : public ::testing::Test {
 protected:
  void SetUp() override {
    HasFCMOV = true;
    AddGrapherBuiltins(&compiler_);
    compiler_.SetAutoCompile(false);
    compiler_.AddVariable("x", tcF80, &cells_.x);
    compiler_.AddVariable("y", tcF80, &cells_.y);
    compiler_.AddVariable("z", tcF80, &cells_.z);
    compiler_.AddVariable("a", tcF80, &cells_.a);
    compiler_.AddVariable("b", tcF80, &cells_.b);
    compiler_.AddVariable("c", tcF80, &cells_.c);
    compiler_.AddVariable("d", tcF80, &cells_.d);
  }
  std::vector<uint8_t> Compile(const std::string& text) {
    compiler_.SetExpression(text);
    compiler_.Compile();
    EXPECT_EQ(compiler_.CompError(), eNone) << text.substr(0, 80);
    return CodeOf(compiler_);
  }
  long double Eval() {
    const TEvalResult r = EvaluateChecked(compiler_);
    EXPECT_TRUE(r.RegistersKept);
    EXPECT_TRUE(r.StackClean);
    return r.Value;
  }
  static inline TCells cells_;
  TKCompiler compiler_;
};

constexpr uint8_t FldM80 = 0xDB, FldM80Abs = 0x2D;

TEST_F(CodeGen, SingleVariableIsOneLoadAndReturn) {
  EXPECT_EQ(Compile("x"), (TBytes()({FldM80, FldM80Abs}).Addr(&cells_.x)({0xC3}).Data()));
  cells_.x = 2.5L;
  EXPECT_EQ(Eval(), 2.5L);
}

TEST_F(CodeGen, SquareReusesTheLoadedRegister) {
  EXPECT_EQ(Compile("x*x"), (TBytes()({0xDB, 0x2D}).Addr(&cells_.x)({0xD9, 0xC0, 0xDE, 0xC9, 0xC3}).Data()));
  cells_.x = 3;
  EXPECT_EQ(Eval(), 9.0L);
}

TEST_F(CodeGen, SubtractionPopsIntoTheFirstOperand) {
  EXPECT_EQ(Compile("x-y"),
            (TBytes()({0xDB, 0x2D}).Addr(&cells_.x)({0xDB, 0x2D}).Addr(&cells_.y)({0xDE, 0xE9, 0xC3}).Data()));
  cells_.x = 10;
  cells_.y = 4;
  EXPECT_EQ(Eval(), 6.0L);
}

TEST_F(CodeGen, LargerRightOperandIsComputedFirstAndSubtractedReversed) {
  // Waiting operations are emitted at the end; the product's operands are found by their place.
  EXPECT_EQ(Compile("x-y*z"), (TBytes()({0xDB, 0x2D})
                                   .Addr(&cells_.y)({0xDB, 0x2D})
                                   .Addr(&cells_.z)({0xDB, 0x2D})
                                   .Addr(&cells_.x)({0xD9, 0xC9, 0xDE, 0xCA, 0xDE, 0xE1, 0xC3})
                                   .Data()));
  cells_.x = 10;
  cells_.y = 2;
  cells_.z = 3;
  EXPECT_EQ(Eval(), 4.0L);

  compiler_.SetBackOperation(false);
  EXPECT_EQ(Compile("x-y*z"), (TBytes()({0xDB, 0x2D})
                                   .Addr(&cells_.y)({0xDB, 0x2D})
                                   .Addr(&cells_.z)({0xDE, 0xC9, 0xDB, 0x2D})
                                   .Addr(&cells_.x)({0xDE, 0xE1, 0xC3})
                                   .Data()));
  EXPECT_EQ(Eval(), 4.0L);
}

TEST_F(CodeGen, NegatedSumBecomesNegateAndReversedSubtraction) {
  EXPECT_EQ(
      Compile("-(a+b)"),
      (TBytes()({0xDB, 0x2D}).Addr(&cells_.b)({0xDB, 0x2D}).Addr(&cells_.a)({0xD9, 0xE0, 0xDE, 0xE1, 0xC3}).Data()));
  cells_.a = 1;
  cells_.b = 2;
  EXPECT_EQ(Eval(), -3.0L);
}

TEST_F(CodeGen, NegatedDifferenceInKeptBracketsIsComputedAsItsReverse) {
  compiler_.SetEliminateBrackets(ebStandart);
  cells_.x = 2;
  cells_.y = -3;
  Compile("-(-x+y)");
  EXPECT_EQ(Eval(), 5.0L);
  Compile("sin(-(-x+y))*1");
  EXPECT_PRED_FORMAT2(testsupport::TrigEq, Eval(), sinl(5));
}

TEST_F(CodeGen, VeryLongAndDeepFormulasCompile) {
  // Chains and bracket levels each cost a level of recursion.
  cells_.x = 2;
  cells_.y = -3;
  compiler_.SetOutOfOrder(ooStandart);
  std::string chain = "x";
  for (int i = 0; i < 30000; ++i) chain += i % 2 ? "+x" : "-y";
  Compile(chain);
  EXPECT_EQ(Eval(), 2 + 15000 * (2 + 3.0L));
  compiler_.SetOutOfOrder(ooSoft);
  const std::string nest = std::string(5000, '(') + "x" + [] {
    std::string tail;
    for (int i = 0; i < 5000; ++i) tail += "+y)";
    return tail;
  }();
  Compile(nest);
  EXPECT_EQ(Eval(), 2 - 3 * 5000.0L);
}

TEST_F(CodeGen, PiIsInlineWithoutArguments) {
  EXPECT_EQ(Compile("Pi"), (TBytes()({0xD9, 0xEB, 0xC3}).Data()));
  EXPECT_EQ(Eval(), 3.14159265358979323846264338327950288L);
}

TEST_F(CodeGen, InlineFunctionsNeedNoCall) {
  TFunction sinF, cosF;
  ASSERT_TRUE(compiler_.GetFunction(compiler_.FindFunction("sin"), sinF));
  ASSERT_TRUE(compiler_.GetFunction(compiler_.FindFunction("cos"), cosF));
  ASSERT_EQ(sinF.Address, nullptr);
  TBytes expected;
  expected({0xDB, 0x2D}).Addr(&cells_.x).Append(sinF.Code);
  expected({0xDB, 0x2D}).Addr(&cells_.x).Append(cosF.Code);
  expected({0xDE, 0xC1, 0xC3});
  EXPECT_EQ(Compile("sin(x)+cos(x)"), expected.Data());
  cells_.x = 0.5L;
  EXPECT_NEAR(static_cast<double>(Eval()), std::sin(0.5) + std::cos(0.5), 1e-15);
}

TEST_F(CodeGen, RoutineCallWithSmallConstantFromThePool) {
  const std::vector<uint8_t> code = Compile("power(x,2)");
  ASSERT_EQ(compiler_.PoolSize(), 4u);
  float two;
  std::memcpy(&two, compiler_.PoolData(), 4);
  EXPECT_EQ(two, 2.0f);
  ASSERT_EQ(code.size(), 6u + 6u + 5u + 1u);
  const uint32_t next = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(compiler_.Code())) + 17;
  const uint32_t rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&FpuPower)) - next;
  EXPECT_EQ(code, (TBytes()({0xDB, 0x2D})
                       .Addr(&cells_.x)({0xD9, 0x05})
                       .Addr(compiler_.PoolData())({0xE8})
                       .U32(rel)({0xC3})
                       .Data()));
  cells_.x = -3;
  EXPECT_EQ(Eval(), 9.0L);
}

TEST_F(CodeGen, ArgumentsComputedOutOfOrderReachTheirRegisters) {
  // The second argument needs more registers and is computed first.
  Compile("LogN(x,y*z+a)");
  cells_.x = 2;
  cells_.y = 4;
  cells_.z = 4;
  cells_.a = 16;
  EXPECT_EQ(Eval(), 5.0L);
  Compile("power(x-y,y*z+a*b)");
  cells_.x = 3;
  cells_.y = 1;
  cells_.z = 1;
  cells_.a = 1;
  cells_.b = 2;
  EXPECT_EQ(Eval(), 8.0L);
}

TEST_F(CodeGen, ConstantsAreSharedAndAlignedInThePool) {
  Compile("0.5+0.5*x");
  EXPECT_EQ(compiler_.PoolSize(), 4u);

  // 0.1 takes an aligned 16-byte slot; 0.5 uses its last four bytes.
  Compile("0.1*x+0.5*y");
  ASSERT_EQ(compiler_.PoolSize(), 28u);
  const uint8_t* pool = compiler_.PoolData();
  size_t start = 0;
  while ((reinterpret_cast<uintptr_t>(pool) + start) % 16 != 0) ++start;
  long double tenth = 0;
  std::memcpy(&tenth, pool + start, 10);
  float half;
  std::memcpy(&half, pool + start + 12, 4);
  EXPECT_EQ(tenth, 0.1L);
  EXPECT_EQ(half, 0.5f);

  // A 64-bit constant alone starts on an 8-byte boundary.
  Compile("16777217*x");
  ASSERT_EQ(compiler_.PoolSize(), 12u);
  size_t at = 0;
  while ((reinterpret_cast<uintptr_t>(compiler_.PoolData()) + at) % 8 != 0) ++at;
  double wide;
  std::memcpy(&wide, compiler_.PoolData() + at, 8);
  EXPECT_EQ(wide, 16777217.0);
  // x needs a register, the constant none: x goes first.
  EXPECT_EQ(CodeOf(compiler_), (TBytes()({0xDB, 0x2D})
                                    .Addr(&cells_.x)({0xDD, 0x05})
                                    .Addr(compiler_.PoolData() + at)({0xDE, 0xC9, 0xC3})
                                    .Data()));

  compiler_.SetAlignMode(false);
  Compile("0.1*x+0.5*y");
  EXPECT_EQ(compiler_.PoolSize(), 16u);
  std::memcpy(&tenth, compiler_.PoolData(), 10);
  std::memcpy(&half, compiler_.PoolData() + 12, 4);
  EXPECT_EQ(tenth, 0.1L);
  EXPECT_EQ(half, 0.5f);
  cells_.x = 10;
  cells_.y = 2;
  EXPECT_NEAR(static_cast<double>(Eval()), 2.0, 1e-18);
}

TEST_F(CodeGen, NegativeZeroKeepsItsOwnPoolEntry) {
  compiler_.SetAlignMode(false);
  Compile("1/max(x,-0)-1/max(x,0)");
  EXPECT_EQ(compiler_.PoolSize(), 12u);  // 1, -0 and +0
  cells_.x = -1;
  const long double r = Eval();
  EXPECT_TRUE(std::isinf(r) && r < 0);
}

TEST_F(CodeGen, NewAndFailedCompilersReturnNaNWithoutRunning) {
  TKCompiler fresh;
  EXPECT_EQ(fresh.CompError(), eValExpected);
  EXPECT_EQ(CodeOf(fresh), std::vector<uint8_t>{0xC3});
  EXPECT_TRUE(std::isnan(fresh.Calculate()));

  compiler_.SetExpression("foo(2)");
  compiler_.Compile();
  EXPECT_EQ(compiler_.CompError(), eUnknown);
  EXPECT_EQ(CodeOf(compiler_), std::vector<uint8_t>{0xC3});
  EXPECT_TRUE(std::isnan(compiler_.Calculate()));
}

TEST_F(CodeGen, CalculateReturnsTheResultByDirectCall) {
  Compile("x*y+z");
  cells_.x = 1.5L;
  cells_.y = 4;
  cells_.z = 0.25L;
  EXPECT_EQ(compiler_.Calculate(), 6.25L);
}

TEST_F(CodeGen, AutoCompileCompilesOnSetExpression) {
  compiler_.SetAutoCompile(true);
  compiler_.SetExpression("x+1");
  EXPECT_EQ(compiler_.CompError(), eNone);
  cells_.x = 2;
  EXPECT_EQ(compiler_.Calculate(), 3.0L);
  compiler_.SetAutoCompile(false);
  compiler_.SetExpression("x+2");
  EXPECT_EQ(compiler_.Calculate(), 3.0L);
}

// A complete binary tree of depth 8 over x, y, z needs nine registers.
std::string FullTree(int depth, int& leaf) {
  if (depth == 0) return std::string(1, "xyz"[leaf++ % 3]);
  const char* ops = "+-*";
  const std::string l = FullTree(depth - 1, leaf);
  const std::string r = FullTree(depth - 1, leaf);
  return "(" + l + ops[depth % 3] + r + ")";
}

long double FullTreeValue(int depth, int& leaf, long double x, long double y, long double z) {
  if (depth == 0) {
    const int i = leaf++ % 3;
    return i == 0 ? x : i == 1 ? y : z;
  }
  const long double l = FullTreeValue(depth - 1, leaf, x, y, z);
  const long double r = FullTreeValue(depth - 1, leaf, x, y, z);
  return depth % 3 == 0 ? l + r : depth % 3 == 1 ? l - r : l * r;
}

TEST_F(CodeGen, SpillFrameIsAlignedAndReleased) {
  int leaf = 0;
  const std::string text = FullTree(8, leaf);
  compiler_.SetOutOfOrder(ooStandart);
  compiler_.SetEliminateBrackets(ebStandart);
  cells_.x = 0.5L;
  cells_.y = -0.75L;
  cells_.z = 1.25L;
  leaf = 0;
  const long double expected = FullTreeValue(8, leaf, cells_.x, cells_.y, cells_.z);

  std::vector<uint8_t> code = Compile(text);
  // push ebp; mov ebp, esp; and esp, -16; sub esp, 16 ... mov esp, ebp; pop ebp; ret
  const std::vector<uint8_t> head = {0x55, 0x8B, 0xEC, 0x81, 0xE4, 0xF0, 0xFF, 0xFF, 0xFF, 0x83, 0xEC, 0x10};
  ASSERT_GE(code.size(), head.size() + 4);
  EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + 12), head) << Hex(code);
  EXPECT_EQ(std::vector<uint8_t>(code.end() - 4, code.end()), (std::vector<uint8_t>{0x8B, 0xE5, 0x5D, 0xC3}));
  EXPECT_EQ(Eval(), expected);
  // The oldest value goes to spill slot 0 (fstp m80 [esp]) and comes back from it (fld m80 [esp]).
  auto count = [](const std::vector<uint8_t>& c, std::vector<uint8_t> what) {
    size_t n = 0;
    for (auto it = c.begin(); (it = std::search(it, c.end(), what.begin(), what.end())) != c.end(); ++it) ++n;
    return n;
  };
  EXPECT_EQ(count(code, {0xDB, 0x3C, 0x24}), 1u) << Hex(code);
  EXPECT_EQ(count(code, {0xDB, 0x2C, 0x24}), 1u) << Hex(code);

  compiler_.SetAlignMode(false);
  code = Compile(text);
  EXPECT_EQ(std::vector<uint8_t>(code.begin(), code.begin() + 3), (std::vector<uint8_t>{0x83, 0xEC, 0x0C}));
  EXPECT_EQ(std::vector<uint8_t>(code.end() - 4, code.end()), (std::vector<uint8_t>{0x83, 0xC4, 0x0C, 0xC3}));
  EXPECT_EQ(Eval(), expected);
  EXPECT_EQ(count(code, {0xDB, 0x3C, 0x24}), 1u) << Hex(code);
  EXPECT_EQ(count(code, {0xDB, 0x2C, 0x24}), 1u) << Hex(code);
}

TEST_F(CodeGen, OperandBecomesMemoryOperandWhenAllRegistersAreTaken) {
  // In a complete tree of depth 8 the last leaf meets seven held results and
  // its sibling: it is read straight from memory (fsub m64 / fmul m64).
  alignas(8) static double w = 0;
  compiler_.AddVariable("w", tcF64, &w);
  int leaf = 0;
  std::string text = FullTree(8, leaf);
  text[text.find_last_of("xyz")] = 'w';
  compiler_.SetOutOfOrder(ooStandart);
  compiler_.SetEliminateBrackets(ebStandart);
  compiler_.SetBackOperation(false);
  cells_.x = 0.5L;
  cells_.y = -0.75L;
  cells_.z = 1.25L;
  w = 0.5;  // the value of the leaf it replaces (x)
  const std::vector<uint8_t> code = Compile(text);
  const TBytes memOperand = TBytes().Addr(&w);
  size_t uses = 0;
  for (size_t i = 2; i + 4 <= code.size(); ++i)
    if (code[i - 2] == 0xDC && std::equal(memOperand.Data().begin(), memOperand.Data().end(), code.begin() + i)) ++uses;
  EXPECT_EQ(uses, 1u) << Hex(code);
  leaf = 0;
  EXPECT_EQ(Eval(), FullTreeValue(8, leaf, cells_.x, cells_.y, cells_.z));
}

TEST_F(CodeGen, OptionsChangeTheCode) {
  struct TCase {
    const char* Text;
    void (*Set)(TKCompiler&, bool);
  };
  const TCase cases[] = {
      {"x*y*z+a*b", [](TKCompiler& k, bool on) { k.SetParallelExecution(on); }},
      {"a+b+c+d", [](TKCompiler& k, bool on) { k.SetOutOfOrder(on ? ooSoft : ooStandart); }},
      {"x/(y*z)",
       [](TKCompiler& k, bool on) {
         k.SetEliminateBrackets(on ? ebSoft : ebStandart);
         k.SetOutOfOrder(on ? ooStandart : ooSoft);
       }},
      {"x-y*z", [](TKCompiler& k, bool on) { k.SetBackOperation(on); }},
      // Without its bracket the difference is one chain, a-b-c.
      {"a-(b+c)", [](TKCompiler& k, bool on) { k.SetEliminateBrackets(on ? ebSoft : ebStandart); }},
  };
  cells_.x = 3;
  cells_.y = 5;
  cells_.z = 7;
  cells_.a = 11;
  cells_.b = 13;
  cells_.c = 17;
  cells_.d = 19;
  compiler_.SetOutOfOrder(ooStandart);
  for (const TCase& c : cases) {
    c.Set(compiler_, true);
    const std::vector<uint8_t> on = Compile(c.Text);
    const long double vOn = Eval();
    c.Set(compiler_, false);
    const std::vector<uint8_t> off = Compile(c.Text);
    const long double vOff = Eval();
    EXPECT_NE(on, off) << c.Text;
    EXPECT_NEAR(static_cast<double>(vOn), static_cast<double>(vOff), 1e-15) << c.Text;
    c.Set(compiler_, true);
  }
  // The trigonometric mode is only stored.
  const std::vector<uint8_t> before = Compile("sin(x)");
  compiler_.SetTrigMode(tmRuntime);
  EXPECT_EQ(Compile("sin(x)"), before);
}

TEST_F(CodeGen, SmartLoadReadsAlignedDoublesFromMemory) {
  alignas(8) static double cell = 0;
  compiler_.AddVariable("w", tcF64, &cell);
  cell = 1.5;
  EXPECT_EQ(Compile("w*w"), (TBytes()({0xDD, 0x05}).Addr(&cell)({0xDD, 0x05}).Addr(&cell)({0xDE, 0xC9, 0xC3}).Data()));
  EXPECT_EQ(Eval(), 2.25L);
  compiler_.SetSmartLoad(false);
  EXPECT_EQ(Compile("w*w"), (TBytes()({0xDD, 0x05}).Addr(&cell)({0xD9, 0xC0, 0xDE, 0xC9, 0xC3}).Data()));
  EXPECT_EQ(Eval(), 2.25L);
}

TEST_F(CodeGen, NegatedLoadIsNotReused) {
  // The register holding -x keeps no name, so the second x is read from memory again.
  const std::vector<uint8_t> code = Compile("max(-x,x)");
  cells_.x = 2;
  EXPECT_EQ(Eval(), 2.0L);
  size_t loadsOfX = 0;
  const TBytes load = TBytes()({0xDB, 0x2D}).Addr(&cells_.x);
  for (size_t i = 0; i + 6 <= code.size(); ++i)
    if (std::equal(load.Data().begin(), load.Data().end(), code.begin() + static_cast<std::ptrdiff_t>(i))) ++loadsOfX;
  EXPECT_EQ(loadsOfX, 2u) << Hex(code);
}

TEST_F(CodeGen, IntegerAndNarrowVariablesAreWidenedByTheFpu) {
  compiler_.ClearVariables();
  compiler_.AddVariable("x", tcF80, &cells_.x);
  static int32_t i32 = 0;
  static int16_t i16 = 0;
  static uint8_t u8 = 0;
  static uint32_t u32 = 0;
  compiler_.AddVariable("n", tcI32, &i32);
  compiler_.AddVariable("h", tcI16, &i16);
  compiler_.AddVariable("u", tcU08, &u8);
  compiler_.AddVariable("w", tcU32, &u32);
  i32 = -7;
  i16 = -300;
  u8 = 200;
  u32 = 4000000000u;
  EXPECT_EQ(Compile("n"), (TBytes()({0xDB, 0x05}).Addr(&i32)({0xC3}).Data()));
  EXPECT_EQ(Eval(), -7.0L);
  Compile("n+h*x+u-w");
  cells_.x = 2;
  EXPECT_EQ(Eval(), -7.0L - 600 + 200 - 4000000000.0L);
}

TEST(CodeGenComponent, OwnerFreesTheCompilerAndPropertiesArePublished) {
  kx::TComponent owner(nullptr);
  auto* k = new TKCompiler(&owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(std::get<int64_t>(kx::GetPropValue(*k, "CompError")), eValExpected);
  kx::SetPropValue(*k, "AutoCompile", int64_t{0});
  EXPECT_FALSE(k->AutoCompile());
  long double x = 4;
  k->AddVariable("x", tcF80, &x);
  k->SetExpression("x*x");
  EXPECT_EQ(std::get<int64_t>(kx::GetPropValue(*k, "CompError")), eValExpected);
  k->Compile();
  EXPECT_EQ(std::get<int64_t>(kx::GetPropValue(*k, "CompError")), eNone);
  EXPECT_EQ(k->Calculate(), 16.0L);
  EXPECT_THROW(kx::SetPropValue(*k, "CompError", int64_t{0}), std::exception);
}

// Trees after rewriting: the shapes code generation relies on.
TEST(CodeGenTrees, RewritingShapes) {
  struct TCase {
    const char* Text;
    TOutOfOrder Order;
    const char* Tree;
  };
  const TCase cases[] = {
      {"a+b+c+d", ooSoft, "((a+b)+(c+d))"},
      {"a+b+c+d", ooStandart, "(((a+b)+c)+d)"},
      {"a+b-c+d", ooSoft, "((a+b)-(c-d))"},
      {"x/a/b", ooSoft, "(x/(a*b))"},
      {"-x*y", ooSoft, "-(x*y)"},
      {"(-a)+b", ooSoft, "(b-a)"},
      {"-(a-b)", ooSoft, "(b-a)"},
      {"a+b+c+d+x+y+z+a", ooSoft, "(((a+b)+(c+d))+((x+y)+(z+a)))"},
      {"7", ooSoft, "7"},
  };
  struct TKeptCase {
    const char* Text;
    const char* Tree;
  };
  // With brackets kept, a negated sum whose first term is negated becomes a
  // difference; it must not keep the sign of its own.
  const TKeptCase kept[] = {
      {"-(-x+y)", "(x-y)"},
      {"-(x+-y)", "(y-x)"},
      {"-(-x-y)", "(y+x)"},
      {"-(x-y)", "(y-x)"},
  };
  for (const TKeptCase& c : kept) {
    TProbeCompiler k;
    long double cells[2] = {2, -3};
    k.AddVariable("x", tcF80, &cells[0]);
    k.AddVariable("y", tcF80, &cells[1]);
    k.SetEliminateBrackets(ebStandart);
    k.Prepare(c.Text);
    ASSERT_EQ(k.CompError(), eNone) << c.Text;
    EXPECT_EQ(k.Render(0), c.Tree) << c.Text;
    k.Release();
  }
  for (const TCase& c : cases) {
    TProbeCompiler k;
    long double cells[7] = {};
    const char* names[] = {"a", "b", "c", "d", "x", "y", "z"};
    for (int i = 0; i < 7; ++i) k.AddVariable(names[i], tcF80, &cells[i]);
    k.SetOutOfOrder(c.Order);
    k.Prepare(c.Text);
    ASSERT_EQ(k.CompError(), eNone) << c.Text;
    EXPECT_EQ(k.Render(0), c.Tree) << c.Text;
    k.Release();
  }
}

TEST(CodeGenTrees, SingleConstantNeedsOneRegister) {
  TProbeCompiler k;
  k.Prepare("7");
  EXPECT_EQ(k.Root(0)->Need, 1);
  k.Release();
}

TEST(CodeGenTrees, FoldedCallsAndCallNodes) {
  TProbeCompiler k;
  AddGrapherBuiltins(&k);
  long double x = 0;
  k.AddVariable("x", tcF80, &x);
  k.Prepare("sin(0.5)*x");
  EXPECT_EQ(k.TreeCount(), 1u);
  k.Release();
  k.Prepare("sin(x)");
  EXPECT_EQ(k.Render(0), "sin(#1)");
  EXPECT_EQ(k.Render(1), "x");
  k.Release();
}

}  // namespace
