// Function and variable tables, signature language, limits and option bytes.
#include <gtest/gtest.h>

#include "compiler/KCompilerBase.h"
#include "compiler/KLib.h"

using namespace kx;

namespace {

uint32_t AddSimple(TCtrlBlck& c, const std::string& name, const std::string& signature = "vf80") {
  return c.AddFunction(name, signature, 4, tcF80, 0, nullptr, true, {0xD9, 0xE1});
}

TEST(Tables, SignatureTexts) {
  struct Case {
    const char* signature;
    bool accepted;
  } cases[] = {
      {"", true},         {"vf80", true},  {"rf80", true},  {"vi08vu08vi16vu16vi32vu32vi64vf32vf64vf80", true},
      {"vf80vf8", false}, {"VF80", false}, {"vF80", false}, {"xf80", false},
      {"vf81", false},    {"v f8", false}, {"vi8 ", false}, {"rf80vf80r", false},
  };
  for (const Case& c : cases) {
    TCtrlBlck table;
    EXPECT_EQ(AddSimple(table, "f", c.signature) != 0, c.accepted) << c.signature;
    EXPECT_EQ(table.FunctionCount(), c.accepted ? 1 : 0) << c.signature;
  }
  TCtrlBlck table;
  ASSERT_EQ(AddSimple(table, "g", "vi64rf32"), 1u);
  TFunction f;
  ASSERT_TRUE(table.GetFunction(1, f));
  ASSERT_EQ(f.Params.size(), 2u);
  EXPECT_EQ(f.Params[0].TypeCode, tcI64);
  EXPECT_EQ(f.Params[0].ByRef, 0);
  EXPECT_EQ(f.Params[1].TypeCode, tcF32);
  EXPECT_EQ(f.Params[1].ByRef, 1);
}

TEST(Tables, NamesAreCaseInsensitiveAndUnique) {
  TCtrlBlck c;
  long double cell = 0;
  EXPECT_EQ(AddSimple(c, "Sin"), 1u);
  TFunction f;
  ASSERT_TRUE(c.GetFunction(1, f));
  EXPECT_EQ(f.Name, "sin");
  EXPECT_EQ(c.FindFunction("SIN"), 1u);
  EXPECT_EQ(AddSimple(c, "sin"), 0u);
  EXPECT_EQ(c.AddVariable("SIN", tcF80, &cell), 0u);  // clashes with the function
  EXPECT_EQ(c.AddVariable("X", tcF80, &cell), 1u);
  EXPECT_EQ(AddSimple(c, "x"), 0u);  // clashes with the variable
  EXPECT_EQ(c.AddVariable("x", tcF80, &cell), 0u);
  EXPECT_EQ(c.FindVariable("x"), 1u);
  EXPECT_EQ(c.FunctionCount(), 1);
  EXPECT_EQ(c.VariableCount(), 1);
}

TEST(Tables, Identifiers) {
  for (const char* name : {"a", "_", "_x1", "abc_9", "Z"}) EXPECT_TRUE(IsIdentifier(name)) << name;
  for (const char* name : {"", "1a", "a b", "a-b", "é", "a.b"}) EXPECT_FALSE(IsIdentifier(name)) << name;
  TCtrlBlck c;
  EXPECT_EQ(AddSimple(c, "1abc"), 0u);
  EXPECT_EQ(AddSimple(c, ""), 0u);
  // A variable name is not checked when added, but no lookup can find it.
  long double cell = 0;
  EXPECT_EQ(c.AddVariable("x y", tcF80, &cell), 1u);
  EXPECT_EQ(c.FindVariable("x y"), 0u);
  EXPECT_EQ(c.AddVariable("", tcF80, &cell), 0u);
}

TEST(Tables, Limits) {
  TCtrlBlck c;
  for (int i = 0; i < MaxFunctions; ++i) ASSERT_EQ(AddSimple(c, "f" + std::to_string(i)), static_cast<uint32_t>(i + 1));
  EXPECT_EQ(AddSimple(c, "one_more"), 0u);
  EXPECT_EQ(c.FindFunction("f49"), 50u);

  long double cells[11] = {};
  for (int i = 0; i < MaxVariables; ++i)
    ASSERT_EQ(c.AddVariable("v" + std::to_string(i), tcF80, &cells[i]), static_cast<uint32_t>(i + 1));
  EXPECT_EQ(c.AddVariable("v10", tcF80, &cells[10]), 0u);
  EXPECT_EQ(c.VariableCount(), MaxVariables);

  TFunction f;
  TVariable v;
  EXPECT_FALSE(c.GetFunction(0, f));
  EXPECT_FALSE(c.GetFunction(51, f));
  EXPECT_FALSE(c.GetVariable(0, v));
  EXPECT_FALSE(c.GetVariable(11, v));
}

TEST(Tables, RefusesBadTypeCodesAndConventions) {
  TCtrlBlck c;
  long double cell = 0;
  EXPECT_EQ(c.AddVariable("x", 10, &cell), 0u);
  EXPECT_EQ(c.AddVariable("x", 255, &cell), 0u);
  EXPECT_EQ(c.AddVariable("x", tcF80, &cell), 1u);
  EXPECT_EQ(c.AddFunction("f", "vf80", 5, tcF80, 0, nullptr, true, {}), 0u);
  EXPECT_EQ(c.AddFunction("f", "vf80", 4, 10, 0, nullptr, true, {}), 0u);
  EXPECT_EQ(c.FunctionCount(), 0);
  for (uint8_t conv = 0; conv <= 4; ++conv)
    EXPECT_NE(c.AddFunction("g" + std::to_string(conv), "vf80", conv, tcI32, 0, nullptr, false, {}), 0u);
}

TEST(Tables, ReservedCompilerId) {
  TCtrlBlck c;
  long double cell = 0;
  EXPECT_EQ(AddSimple(c, "kcompilerid"), 0u);
  EXPECT_EQ(c.AddVariable("KCompilerId", tcF80, &cell), 0u);
  EXPECT_EQ(c.FindVariable("kcompilerid"), KCompilerIdVar);
  EXPECT_EQ(c.FindVariable("KCOMPILERID"), KCompilerIdVar);
  TVariable v;
  ASSERT_TRUE(c.GetVariable(KCompilerIdVar, v));
  EXPECT_EQ(v.Name, "kcompilerid");
  EXPECT_EQ(v.VarType, tcI32);
  EXPECT_EQ(*static_cast<const int32_t*>(v.Address), 1);
  EXPECT_EQ(c.VariableCount(), 0);
}

TEST(Tables, ExtraRegistersAreClamped) {
  TCtrlBlck c;
  c.AddFunction("many", "vf80", 4, tcF80, 12, nullptr, true, {});
  c.AddFunction("none", "vf80", 4, tcF80, -1, nullptr, true, {});
  TFunction f;
  ASSERT_TRUE(c.GetFunction(1, f));
  EXPECT_EQ(f.ExtraRegs, 8);
  ASSERT_TRUE(c.GetFunction(2, f));
  EXPECT_EQ(f.ExtraRegs, 0);
}

TEST(Tables, FpuNeed) {
  TCtrlBlck c;
  AddPi(&c, "pi");
  AddPower(&c, "power");
  AddSin(&c, "sin");
  c.AddFunction("ord", "vi32", 4, tcI32, 0, nullptr, false, {});
  c.AddFunction("mixed", "vf80vi32vf64", 4, tcF80, 1, nullptr, false, {});
  c.AddFunction("cdecl", "vf80vf80", 2, tcF80, 0, nullptr, false, {});
  c.AddFunction("wide", "vf80vf80vf80vf80vf80vf80vf80vf80vf80", 4, tcF80, 2, nullptr, false, {});
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("pi")), 1);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("power")), 4);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("sin")), 1);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("ord")), 0);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("mixed")), 3);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("cdecl")), 1);
  EXPECT_EQ(c.FunctionFPUNeed(c.FindFunction("wide")), 8);
  EXPECT_EQ(c.FunctionFPUNeed(99), 2147483647);
}

TEST(Tables, StackBytes) {
  struct Case {
    const char* signature;
    uint8_t conv;
    int extraRegs;
    int bytes;
  } cases[] = {
      {"vf80vf80", 4, 2, 0},
      {"vf80vf80vf80vf80vf80vf80vf80vf80vf80", 4, 0, 12},  // the ninth float has no x87 place
      {"vf32vf64vf80", 4, 7, 20},                          // one x87 place: f64 8 + f80 12
      {"vi32vi32vi32vi32", 4, 0, 4},                       // three registers, then 4 bytes
      {"vi64vi32", 4, 0, 8},                               // an i64 always goes on the stack
      {"ri64", 0, 0, 0},                                   // by reference: a register
      {"vi08vf80", 0, 0, 12},                              // convention 0: no x87 places
      {"vi32vf64vi64", 1, 0, 20},                          // conventions 1..3: all on the stack
      {"vu16rf80", 2, 0, 8},
  };
  for (const Case& k : cases) {
    TCtrlBlck c;
    ASSERT_NE(c.AddFunction("f", k.signature, k.conv, tcF80, k.extraRegs, nullptr, false, {}), 0u);
    TFunction f;
    c.GetFunction(1, f);
    EXPECT_EQ(c.FunctionStackBytes(f), k.bytes) << k.signature << " conv " << int(k.conv);
  }
}

TEST(Tables, BuiltinsNeedNoStack) {
  TCtrlBlck c;
  AddMin(&c, "min");
  AddMax(&c, "max");
  AddExp(&c, "exp");
  AddPower(&c, "power");
  AddLogN(&c, "logn");
  AddPi(&c, "pi");
  AddArcSin(&c, "arcsin");
  AddFrac(&c, "frac");
  for (int id = 1; id <= c.FunctionCount(); ++id) {
    TFunction f;
    ASSERT_TRUE(c.GetFunction(id, f));
    EXPECT_EQ(c.FunctionStackBytes(f), 0) << f.Name;
  }
}

TEST(Tables, SharedTableIsCopiedOnChange) {
  TCtrlBlck owner, borrower;
  AddSimple(owner, "f");
  borrower.SetFunctions(owner.Functions());
  EXPECT_EQ(borrower.Functions(), owner.Functions());
  EXPECT_EQ(borrower.FindFunction("f"), 1u);

  AddSimple(borrower, "g");
  EXPECT_EQ(borrower.FunctionCount(), 2);
  EXPECT_EQ(owner.FunctionCount(), 1);
  EXPECT_EQ(owner.FindFunction("g"), 0u);

  TCtrlBlck third;
  third.SetFunctions(owner.Functions());
  third.ClearFunctions();
  EXPECT_EQ(third.FunctionCount(), 0);
  EXPECT_EQ(owner.FunctionCount(), 1);

  // The table outlives the compiler it came from.
  auto lender = std::make_unique<TCtrlBlck>();
  AddSimple(*lender, "h");
  third.SetFunctions(lender->Functions());
  lender.reset();
  EXPECT_EQ(third.FindFunction("h"), 1u);
}

TEST(Tables, ClearVariables) {
  TCtrlBlck c;
  long double cell = 0;
  c.AddVariable("x", tcF80, &cell);
  c.ClearVariables();
  EXPECT_EQ(c.VariableCount(), 0);
  EXPECT_EQ(c.FindVariable("x"), 0u);
  EXPECT_EQ(c.AddVariable("x", tcF80, &cell), 1u);
}

TEST(Tables, Options) {
  TCtrlBlck c;
  EXPECT_EQ(c.TrigMode(), tmNothing);
  EXPECT_TRUE(c.ParallelExecution());
  EXPECT_EQ(c.EliminateBrackets(), ebSoft);
  EXPECT_EQ(c.OutOfOrder(), ooSoft);
  EXPECT_TRUE(c.AlignMode());
  EXPECT_TRUE(c.BackOperation());
  EXPECT_TRUE(c.SmartLoad());

  c.SetEliminateBrackets(static_cast<TEliminateBrackets>(3));
  EXPECT_EQ(c.EliminateBrackets(), ebSoft);
  c.SetEliminateBrackets(ebStandart);
  EXPECT_EQ(c.EliminateBrackets(), ebStandart);
  c.SetOutOfOrder(static_cast<TOutOfOrder>(7));
  EXPECT_EQ(c.OutOfOrder(), ooSoft);
  c.SetTrigMode(tmRuntime);
  EXPECT_EQ(c.TrigMode(), tmRuntime);
  c.SetTrigMode(static_cast<TTrigMode>(3));
  EXPECT_EQ(c.TrigMode(), tmRuntime);
}

TEST(Component, OptionsArePublished) {
  TSimpler compiler;
  EXPECT_EQ(compiler.ClassType().Name, "TSimpler");
  EXPECT_TRUE(compiler.InheritsFrom(TCtrlBlck::StaticClass()));
  kx::SetPropValue(compiler, "EliminateBrackets", int64_t(ebStandart));
  EXPECT_EQ(compiler.EliminateBrackets(), ebStandart);
  kx::SetPropValue(compiler, "SmartLoad", int64_t(0));
  EXPECT_FALSE(compiler.SmartLoad());
  EXPECT_EQ(std::get<int64_t>(kx::GetPropValue(compiler, "OutOfOrder")), ooSoft);
  for (const char* name : {"TrigMode", "ParallelExecution", "AlignMode", "BackOperation"})
    EXPECT_EQ(std::get<int64_t>(kx::GetPropValue(compiler, name)), 1) << name;
}

}  // namespace
