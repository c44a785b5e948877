// The grapher's model without windows: tables, compilers, store and delete.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "framework/core/Tcvn3.h"

using namespace kx;

namespace {

// The x87 control word for the life of the object.
class ControlWordScope {
 public:
  explicit ControlWordScope(uint16_t word) {
    asm volatile("fnstcw %0" : "=m"(saved_));
    asm volatile("fclex\n\tfldcw %0" : : "m"(word));
  }
  ~ControlWordScope() { asm volatile("fclex\n\tfldcw %0" : : "m"(saved_)); }

 private:
  uint16_t saved_ = 0;
};

// CurFunc of the kind with its formulas and fresh compilers.
void PrepareCurFunc(TFuncModel& model, int32_t kind, std::initializer_list<const char*> formulas) {
  model.CurFunc = TFuncRec();
  model.CurFunc.FuncType = kind;
  int j = 1;
  for (const char* text : formulas) model.CurFunc.Func[j++] = text;
  model.CreateCompilers();
}

// A record stored in its list, compiled.
void StoreCompiled(TFuncModel& model, int32_t kind, std::initializer_list<const char*> formulas,
                   const std::string& name) {
  PrepareCurFunc(model, kind, formulas);
  model.CurFunc.FuncName = name;
  ASSERT_TRUE(model.CompileFuncs()) << model.CompileErrIdx;
  ASSERT_TRUE(model.StoreFunc(model.ListOf(kind), 0, model.CountOf(kind)));
}

long double ValueAt(TFuncModel& model, const TFuncRec& f, int formula, long double v1, long double v2 = 0) {
  model.VarCells[1] = v1;
  model.VarCells[2] = v2;
  return f.Compilers[formula]->Calculate();
}

}  // namespace

TEST(KindTable, RowsOfTheEightFormulaKinds) {
  struct Row {
    const char* caption;
    const char* labels[3];
    const char* letters;
    const char* vars;
    int nVars, nFormulas;
  };
  const Row rows[8] = {
      {"Hàm số hệ tọa độ Đề các", {"f(x) =", "", ""}, "f  ", "x ", 1, 1},
      {"Hàm số hệ tọa độ Đề các", {"f(y) =", "", ""}, "f  ", "y ", 1, 1},
      {"Hàm số hệ tọa độ cực", {"f(p) =", "", ""}, "f  ", "p ", 1, 1},
      {"Hàm số hệ tọa độ cực", {"f(r) =", "", ""}, "f  ", "r ", 1, 1},
      {"Hàm số tham số", {"X(t) =", "Y(t) =", ""}, "XY ", "t ", 1, 2},
      {"Hàm số đường 3 chiều tham số", {"X(t) =", "Y(t) =", "Z(t) ="}, "XYZ", "t ", 1, 3},
      {"Hàm số mặt 3 chiều", {"f(x,y) =", "", ""}, "f  ", "xy", 2, 1},
      {"Hàm số mặt 3 chiều tham số", {"X(u,v) =", "Y(u,v) =", "Z(u,v) ="}, "XYZ", "uv", 2, 3},
  };
  for (int k = 1; k <= 8; ++k) {
    const Row& row = rows[k - 1];
    const TFuncKindInfo& info = KindTable()[k];
    SCOPED_TRACE(k);
    // Stored in TCVN3: one byte per letter, at most 30.
    EXPECT_EQ(Tcvn3ToUtf8(info.Caption), row.caption);
    EXPECT_LE(info.Caption.size(), 30u);
    for (int j = 1; j <= 3; ++j) {
      EXPECT_EQ(info.Labels[j], row.labels[j - 1]);
      EXPECT_EQ(info.FuncLetters[j], row.letters[j - 1]);
    }
    EXPECT_EQ(info.VarNames[1], row.vars[0]);
    EXPECT_EQ(info.VarNames[2], row.vars[1]);
    EXPECT_EQ(info.NVars, row.nVars);
    EXPECT_EQ(info.NFormulas, row.nFormulas);
    EXPECT_EQ(FormulaCount(k), row.nFormulas);
  }
  // "à" of "Hàm" is the TCVN3 byte 0xB5.
  EXPECT_EQ(KindTable()[1].Caption.substr(0, 3), "H\xB5m");
  EXPECT_EQ(FormulaCount(TNKind), 0);
  EXPECT_EQ(FormulaCount(0), 0);
  EXPECT_EQ(FormulaCount(10), 0);
  EXPECT_THROW(KindTable()[9], EListError);
}

TEST(KindTable, PlaneAndSpaceKinds) {
  for (int k = 1; k <= 9; ++k) EXPECT_EQ(IsKind2D(k), k <= 5 || k == 9) << k;
}

TEST(CompileErrorMessages, TextOfEveryErrorInTcvn3) {
  const char* texts[] = {"Công thức hàm đúng",
                         "Lỗi khi tính toán biểu thức hằng",
                         "Nhập số sai kiểu",
                         "Gọi hàm thiếu tham số",
                         "Gọi hàm sai",
                         "Thiếu dấu ')'",
                         "Tên hàm hoặc tên biến không xác định",
                         "Hằng số vượt quá khoảng cho phép",
                         "Kiểu không tương thích",
                         "Gọi hàm với thông số không hợp lệ",
                         "Gọi hàm với số tham số không phù hợp"};
  for (int e = eNone; e <= eParameter; ++e) EXPECT_EQ(Tcvn3ToUtf8(CompileErrorMessages()[e]), texts[e]) << e;
}

TEST(Tcvn3Text, RefusesACharacterTcvn3CannotHold) {
  EXPECT_EQ(Tcvn3Text("Đổi mầu nền"), "\xA7\xE6i m\xC7u n\xD2n");
  EXPECT_THROW(Tcvn3Text("Ω"), EConvertError);
}

TEST(Palettes, DefaultColourOfEachRecordOfAList) {
  EXPECT_EQ(DefaultColor(1, 0), 0xFF0000);
  EXPECT_EQ(DefaultColor(9, 2), 0xD08410);
  EXPECT_EQ(DefaultColor(6, 0), 0xD08410);
  EXPECT_EQ(DefaultColor(8, 7), 0xFF0000);
  // Ten colours: the eleventh to twentieth records take them again in order.
  for (int count = 10; count < MaxFuncs; ++count) {
    EXPECT_EQ(DefaultColor(5, count), ColorTable2D[count - 9]) << count;
    EXPECT_EQ(DefaultColor(7, count), ColorTable3D[count - 9]) << count;
  }
}

TEST(TemplateCompiler, HoldsTheBuiltInsAndOwnsNothingAtFirst) {
  std::unique_ptr<TKCompiler> compiler;
  CreateTemplateCompiler(compiler);
  ASSERT_TRUE(compiler);
  EXPECT_EQ(compiler->Owner(), nullptr);
  EXPECT_FALSE(compiler->AutoCompile());
  EXPECT_EQ(compiler->FunctionCount(), 25);
  EXPECT_EQ(compiler->ComponentCount(), 0);
  for (const char* name : {"min", "sin", "arccotan", "power", "Int", "Trunc", "Floor", "LogN", "Pi"})
    EXPECT_NE(compiler->FindFunction(name), 0u) << name;
}

TEST(FuncModel, StartsEmptyOnThePlaneList) {
  TFuncModel model;
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(model.Count3D, 0);
  EXPECT_EQ(model.CurList, &model.List2D);
  EXPECT_EQ(model.CurCount, &model.Count2D);
  model.SetCurrentList(false);
  EXPECT_EQ(model.CurList, &model.List3D);
  EXPECT_EQ(model.CurCount, &model.Count3D);
}

TEST(FuncModel, CompilersShareTheBuiltInsAndBindTheKindsVariables) {
  TFuncModel model;
  PrepareCurFunc(model, 8, {"u*v", "u-v", "u+v+1"});
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 3);
  for (int j = 1; j <= 3; ++j) {
    TKCompiler* c = model.CurFunc.Compilers[j].get();
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Owner(), model.TemplateCompiler.get());
    EXPECT_FALSE(c->AutoCompile());
    EXPECT_EQ(c->Functions(), model.TemplateCompiler->Functions());  // shared, not copied
    EXPECT_EQ(c->VariableCount(), 2);
  }
  ASSERT_TRUE(model.CompileFuncs());
  EXPECT_EQ(ValueAt(model, model.CurFunc, 1, 3, 4), 12);
  EXPECT_EQ(ValueAt(model, model.CurFunc, 2, 3, 4), -1);
  EXPECT_EQ(ValueAt(model, model.CurFunc, 3, 3, 4), 8);

  // A plane curve binds t only.
  PrepareCurFunc(model, 5, {"t*2", "t"});
  EXPECT_EQ(model.CurFunc.Compilers[3], nullptr);
  EXPECT_EQ(model.CurFunc.Compilers[1]->VariableCount(), 1);
  EXPECT_NE(model.CurFunc.Compilers[1]->FindVariable("t"), 0u);
  // The eight-kind record's compilers went with it.
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 2);
}

TEST(FuncModel, NewCompilersReplaceAllThatCurFuncHeld) {
  TFuncModel model;
  PrepareCurFunc(model, 6, {"t", "t", "t"});
  model.CurFunc.FuncType = 1;
  model.CreateCompilers();
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 1);
  EXPECT_EQ(model.CurFunc.Compilers[2], nullptr);
  EXPECT_EQ(model.CurFunc.Compilers[3], nullptr);
  model.CurFunc.FuncType = TNKind;
  model.CreateCompilers();
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 0);
}

TEST(FuncModel, ListItemsOutsideTheCurrentListHaveNoEntry) {
  TFuncModel model;
  StoreCompiled(model, 1, {"x"}, "a");
  StoreCompiled(model, 1, {"x"}, "b");
  ASSERT_NE(model.CurEntry(1), nullptr);
  EXPECT_EQ(model.CurEntry(1)->FuncName, "b");
  EXPECT_EQ(model.CurEntry(0), &model.List2D[1]);
  for (int itemIndex : {-1, 2, 19, 20, 1000}) EXPECT_EQ(model.CurEntry(itemIndex), nullptr) << itemIndex;
  model.SetCurrentList(false);
  EXPECT_EQ(model.CurEntry(0), nullptr);
}

TEST(FuncModel, FloorTruncatesTowardZero) {
  TFuncModel model;
  PrepareCurFunc(model, 1, {"Floor(x)"});
  ASSERT_TRUE(model.CompileFuncs());
  EXPECT_EQ(ValueAt(model, model.CurFunc, 1, -1.5L), -1);
  EXPECT_EQ(ValueAt(model, model.CurFunc, 1, 1.5L), 1);
}

TEST(FuncModel, ErrorInTheSecondOfThreeFormulasStopsThere) {
  TFuncModel model;
  PrepareCurFunc(model, 6, {"t*t", "2*(t+1", "t"});
  EXPECT_FALSE(model.CompileFuncs());
  EXPECT_EQ(model.CompileErrIdx, 2);
  const TError error = model.CurFunc.Compilers[2]->CompError();
  EXPECT_NE(error, eNone);
  EXPECT_EQ(model.CompileErrMsg, CompileErrorMessages()[error]);
  EXPECT_EQ(model.CurFunc.Compilers[1]->CompError(), eNone);
  // The third was not even given its text: still a new compiler's lone return.
  const TKCompiler& third = *model.CurFunc.Compilers[3];
  EXPECT_EQ(third.Expression(), "");
  EXPECT_EQ(third.CompError(), eValExpected);
  EXPECT_EQ(third.CodeSize(), 1u);
}

TEST(FuncModel, UnknownNameGivesItsText) {
  TFuncModel model;
  PrepareCurFunc(model, 1, {"ceil(x)"});
  EXPECT_FALSE(model.CompileFuncs());
  EXPECT_EQ(model.CompileErrIdx, 1);
  EXPECT_EQ(Tcvn3ToUtf8(model.CompileErrMsg), "Tên hàm hoặc tên biến không xác định");
}

TEST(FuncModel, ConstantThatCannotBeComputedFailsTheCompile) {
  TFuncModel model;
  PrepareCurFunc(model, 1, {"x+sqrt(-1)"});
  bool ok;
  {
    ControlWordScope trapping(0x1332);  // invalid operation, zero divide and overflow trap
    ok = model.CompileFuncs();
  }
  EXPECT_EQ(model.CurFunc.Compilers[1]->CompError(), eDomain);
  EXPECT_FALSE(ok);
  EXPECT_EQ(Tcvn3ToUtf8(model.CompileErrMsg), "Lỗi khi tính toán biểu thức hằng");
}

TEST(FuncModel, KindNineHasNoFormulasToCompile) {
  TFuncModel model;
  model.CurFunc.FuncType = TNKind;
  model.CreateCompilers();
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 0);
  EXPECT_TRUE(model.CompileFuncs());
}

TEST(StoreFunc, AppendsUpToTwentyAndRefusesTheTwentyFirst) {
  TFuncModel model;
  for (int i = 1; i <= MaxFuncs; ++i) StoreCompiled(model, 1, {"x"}, "f" + std::to_string(i));
  EXPECT_EQ(model.Count2D, MaxFuncs);
  EXPECT_EQ(model.List2D[MaxFuncs].FuncName, "f20");
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), MaxFuncs);

  PrepareCurFunc(model, 1, {"x+1"});
  model.CurFunc.FuncName = "f21";
  ASSERT_TRUE(model.CompileFuncs());
  EXPECT_FALSE(model.StoreFunc(model.List2D, 0, model.Count2D));
  EXPECT_EQ(model.Count2D, MaxFuncs);
  EXPECT_EQ(model.List2D[MaxFuncs].FuncName, "f20");
  // CurFunc still owns what it held; nothing of it went into the list.
  EXPECT_NE(model.CurFunc.Compilers[1], nullptr);
}

TEST(StoreFunc, MovesTheCompilersAndLeavesCurFuncACopyWithoutThem) {
  TFuncModel model;
  PrepareCurFunc(model, 1, {"x*3"});
  model.CurFunc.FuncName = "Ham so 2D 1";
  model.CurFunc.Color = 0xFF0000;
  ASSERT_TRUE(model.CompileFuncs());
  TKCompiler* compiler = model.CurFunc.Compilers[1].get();
  ASSERT_TRUE(model.StoreFunc(model.List2D, 0, model.Count2D));
  EXPECT_EQ(model.Count2D, 1);
  EXPECT_EQ(model.List2D[1].Compilers[1].get(), compiler);
  EXPECT_EQ(model.CurFunc.Compilers[1], nullptr);
  EXPECT_EQ(model.CurFunc.FuncName, "Ham so 2D 1");
  EXPECT_EQ(model.CurFunc.Func[1], "x*3");
  EXPECT_EQ(ValueAt(model, model.List2D[1], 1, 2), 6);
}

TEST(StoreFunc, ReplacingDestroysTheOldCompilers) {
  TFuncModel model;
  StoreCompiled(model, 6, {"t", "t*2", "t*3"}, "old");
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 3);
  PrepareCurFunc(model, 6, {"t+1", "t+2", "t+3"});
  ASSERT_TRUE(model.CompileFuncs());
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 6);
  ASSERT_TRUE(model.StoreFunc(model.List3D, 1, model.Count3D));
  EXPECT_EQ(model.Count3D, 1);
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 3);
  EXPECT_EQ(ValueAt(model, model.List3D[1], 3, 1), 4);
  // Replacing an entry beyond the count is refused.
  PrepareCurFunc(model, 6, {"t", "t", "t"});
  EXPECT_FALSE(model.StoreFunc(model.List3D, 2, model.Count3D));
  EXPECT_FALSE(model.StoreFunc(model.List3D, -1, model.Count3D));
  EXPECT_EQ(model.Count3D, 1);
}

TEST(DeleteFunc, FirstOfThreeMovesTheOthersDown) {
  TFuncModel model;
  StoreCompiled(model, 1, {"x+1"}, "a");
  StoreCompiled(model, 1, {"x+2"}, "b");
  StoreCompiled(model, 1, {"x+3"}, "c");
  ASSERT_TRUE(model.DeleteFunc(model.List2D, 1, model.Count2D));
  EXPECT_EQ(model.Count2D, 2);
  EXPECT_EQ(model.List2D[1].FuncName, "b");
  EXPECT_EQ(model.List2D[2].FuncName, "c");
  EXPECT_EQ(ValueAt(model, model.List2D[1], 1, 0), 2);
  EXPECT_EQ(ValueAt(model, model.List2D[2], 1, 0), 3);
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 2);
  // The freed slot holds nothing the others own.
  EXPECT_EQ(model.List2D[3].Compilers[1], nullptr);

  EXPECT_FALSE(model.DeleteFunc(model.List2D, 0, model.Count2D));
  EXPECT_FALSE(model.DeleteFunc(model.List2D, 3, model.Count2D));
  ASSERT_TRUE(model.DeleteFunc(model.List2D, 2, model.Count2D));
  EXPECT_EQ(model.Count2D, 1);
  EXPECT_EQ(model.List2D[1].FuncName, "b");
  EXPECT_EQ(model.TemplateCompiler->ComponentCount(), 1);
}

TEST(DeleteFunc, ReleasesTheDataOfAnExperimentalRecord) {
  TFuncModel model;
  model.CurFunc.FuncType = TNKind;
  model.CurFunc.TNPoints = {{0, 1}, {1, 3}};
  model.CurFunc.TyHieu = {2};
  ASSERT_TRUE(model.StoreFunc(model.List2D, 0, model.Count2D));
  ASSERT_TRUE(model.DeleteFunc(model.List2D, 1, model.Count2D));
  EXPECT_EQ(model.Count2D, 0);
  EXPECT_EQ(model.List2D[1].TNCount(), 0);
  EXPECT_TRUE(model.List2D[1].TyHieu.empty());
}

TEST(FuncRec, CopyForEditSharesNothing) {
  TFuncModel model;
  PrepareCurFunc(model, 1, {"x"});
  TFuncRec& f = model.CurFunc;
  f.FuncName = "n";
  f.Shown = true;
  f.LineWidth = 3;
  f.Color = 0x123456;
  f.First1 = -1, f.Last1 = 2, f.Step1 = 0.5, f.First2 = -3, f.Last2 = 4, f.Step2 = 0.25;
  f.RelX = 1.5, f.RelY = -2.5, f.Rotate = 0.75;
  f.TNPoints = {{1, 2}, {3, 4}};
  f.DrawType = 3;
  f.BacPT = 1;
  f.HeSo = {1, 2};
  f.TyHieu = {5};
  const TFuncRec copy = f.CopyForEdit();
  EXPECT_EQ(copy.FuncType, 1);
  EXPECT_EQ(copy.FuncName, "n");
  EXPECT_TRUE(copy.Shown);
  EXPECT_EQ(copy.LineWidth, 3);
  EXPECT_EQ(copy.Color, 0x123456);
  EXPECT_EQ(copy.First1, -1);
  EXPECT_EQ(copy.Last1, 2);
  EXPECT_EQ(copy.Step1, 0.5);
  EXPECT_EQ(copy.First2, -3);
  EXPECT_EQ(copy.Last2, 4);
  EXPECT_EQ(copy.Step2, 0.25);
  EXPECT_EQ(copy.RelX, 1.5);
  EXPECT_EQ(copy.RelY, -2.5);
  EXPECT_EQ(copy.Rotate, 0.75);
  EXPECT_EQ(copy.Func[1], "x");
  EXPECT_EQ(copy.DrawType, 3);
  EXPECT_EQ(copy.BacPT, 1);
  ASSERT_EQ(copy.TNCount(), 2);
  EXPECT_EQ(copy.TNPoints[1].Y, 4);
  EXPECT_NE(copy.TNPoints.data(), f.TNPoints.data());
  EXPECT_NE(copy.HeSo.data(), f.HeSo.data());
  EXPECT_NE(copy.TyHieu.data(), f.TyHieu.data());
  EXPECT_EQ(copy.HeSo, f.HeSo);
  EXPECT_EQ(copy.TyHieu, f.TyHieu);
  EXPECT_EQ(copy.Compilers[1], nullptr);
}

TEST(FuncRec, ClearTNDataEmptiesTheKindNineFields) {
  TFuncRec f;
  f.TNPoints = {{1, 2}};
  f.DrawType = 2;
  f.BacPT = 4;
  f.HeSo = {1};
  f.TyHieu = {1};
  f.ClearTNData();
  EXPECT_EQ(f.TNCount(), 0);
  EXPECT_EQ(f.DrawType, 0);
  EXPECT_EQ(f.BacPT, 0);
  EXPECT_TRUE(f.HeSo.empty());
  EXPECT_TRUE(f.TyHieu.empty());
}

TEST(FuncModel, OneModelForTheProgram) {
  EXPECT_EQ(&FuncModel(), &FuncModel());
  EXPECT_EQ(FuncModel().TemplateCompiler->FunctionCount(), 25);
}
