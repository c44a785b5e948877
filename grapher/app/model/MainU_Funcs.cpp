#include "app/model/MainU_Funcs.h"

#include <utility>

#include "compiler/KLib.h"

namespace kx {

TFuncRec TFuncRec::CopyForEdit() const {
  TFuncRec copy;
  copy.FuncType = FuncType;
  copy.FuncName = FuncName;
  copy.Shown = Shown;
  copy.LineWidth = LineWidth;
  copy.Color = Color;
  copy.First1 = First1, copy.Last1 = Last1, copy.Step1 = Step1;
  copy.First2 = First2, copy.Last2 = Last2, copy.Step2 = Step2;
  copy.RelX = RelX, copy.RelY = RelY, copy.Rotate = Rotate;
  copy.TNPoints = TNPoints;
  copy.DrawType = DrawType;
  copy.BacPT = BacPT;
  copy.HeSo = HeSo;
  copy.TyHieu = TyHieu;
  copy.Func = Func;
  return copy;
}

void TFuncRec::ClearTNData() {
  // swap with empty vectors: clear() would keep the memory.
  std::vector<TTNPoint>().swap(TNPoints);
  std::vector<long double>().swap(HeSo);
  std::vector<long double>().swap(TyHieu);
  DrawType = 0;
  BacPT = 0;
}

void TFuncRec::DestroyCompilers() {
  for (TFormulaCompiler& compiler : Compilers) compiler.reset();
}

void CreateTemplateCompiler(std::unique_ptr<TKCompiler>& compiler) {
  compiler = std::make_unique<TKCompiler>(nullptr);
  compiler->SetAutoCompile(false);
  AddGrapherBuiltins(compiler.get());
}

TFuncModel::TFuncModel() { CreateTemplateCompiler(TemplateCompiler); }

void TFuncModel::SetCurrentList(bool twoD) {
  CurList = twoD ? &List2D : &List3D;
  CurCount = twoD ? &Count2D : &Count3D;
}

TFuncRec* TFuncModel::CurEntry(int itemIndex) {
  const int i = itemIndex + 1;
  return i >= 1 && i <= *CurCount ? &(*CurList)[i] : nullptr;
}

void TFuncModel::CreateCompilers() {
  // A kind with fewer formulas must not keep the compilers of another.
  CurFunc.DestroyCompilers();
  const int32_t kind = CurFunc.FuncType;
  for (int j = 1; j <= FormulaCount(kind); ++j) {
    auto compiler = std::make_unique<TKCompiler>(TemplateCompiler.get());
    compiler->SetAutoCompile(false);
    compiler->SetFunctions(TemplateCompiler->Functions());
    const TFuncKindInfo& info = KindTable()[kind];
    for (int v = 1; v <= info.NVars; ++v) compiler->AddVariable(std::string(1, info.VarNames[v]), tcF80, &VarCells[v]);
    CurFunc.Compilers[j] = std::move(compiler);
  }
}

bool TFuncModel::CompileFuncs() {
  for (int j = 1; j <= FormulaCount(CurFunc.FuncType); ++j) {
    TKCompiler* compiler = CurFunc.Compilers[j].get();
    Assert(compiler != nullptr, "Formula compiled without its compiler", "MainU_Funcs", __LINE__);
    compiler->SetExpression(CurFunc.Func[j]);
    compiler->Compile();
    // eDomain leaves code, but a constant that cannot be computed is still a wrong formula.
    if (compiler->CompError() != eNone) {
      CompileErrMsg = CompileErrorMessages()[compiler->CompError()];
      CompileErrIdx = j;
      return false;
    }
  }
  return true;
}

bool TFuncModel::StoreFunc(TFuncList& list, int index, int32_t& count) {
  if (index == 0) {
    if (count >= MaxFuncs) return false;
    index = ++count;
  } else if (index < 1 || index > count) {
    return false;
  }
  list[index].DestroyCompilers();
  list[index] = std::move(CurFunc);
  CurFunc = list[index].CopyForEdit();
  return true;
}

bool TFuncModel::DeleteFunc(TFuncList& list, int index, int32_t& count) {
  if (index < 1 || index > count) return false;
  for (int i = index; i < count; ++i) list[i] = std::move(list[i + 1]);
  list[count] = TFuncRec();
  --count;
  return true;
}

TFuncModel& FuncModel() {
  static TFuncModel model;
  return model;
}

}  // namespace kx
