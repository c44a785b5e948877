#include "app/windows/FInU_Logic.h"

#include "app/windows/FInU_Check.h"
#include "app/windows/FInU_Tables.h"
#include "app/windows/ParaU_Logic.h"
#include "framework/core/SysUtils.h"

namespace kx {

namespace {

constexpr char EnterKey = '\r';
// Formula texts and names are short strings.
constexpr size_t MaxText = 255;

}  // namespace

void TFuncDialogLogic::PrepareFuncDialog(const TFuncDialogSizes& sizes) {
  const TFuncDialogLayout layout = FuncDialogLayout(Kind(), sizes, model_.IsNewFunc, helpPanelShown_);
  clientHeight_ = layout.ClientHeight;
  window_.ShowRecord(layout, model_.CurFunc, ColorItemIndex(Kind(), model_.CurFunc.Color));
}

void TFuncDialogLogic::OkClicked() {
  TFuncRec& f = model_.CurFunc;
  const int32_t kind = Kind();
  // Written before anything is checked: a refused attempt, and a Cancel after
  // it, leave them in the record.
  f.FuncName = window_.NameText().substr(0, MaxText);
  for (int i = 1; i <= FormulaCount(kind); ++i) f.Func[i] = window_.FormulaText(i).substr(0, MaxText);
  int lineWidth = 0;
  if (TryStrToInt(window_.LineWidthText(), lineWidth)) f.LineWidth = lineWidth;
  const int colorItem = window_.ColorItem();
  if (colorItem >= 0 && colorItem < 10) f.Color = ColorOfItem(kind, colorItem);

  if (!CheckAllFormulas() || !model_.CompileFuncs()) {
    ShowFormulaError();
    return;
  }
  const bool saveAsNew = !model_.IsNewFunc && window_.NewFuncChecked();
  if (saveAsNew && model_.CountOf(kind) >= MaxFuncs) {
    // Appending would find no room once the dialog had closed, and what the
    // user typed would be lost; unchecking the box lets the edit replace its entry.
    window_.ShowWarning("Chuong trinh chi cho phep toi da 20 ham so", "Thong bao");
    return;
  }
  model_.SaveAsNew = saveAsNew;
  window_.Close(mrOk);
}

void TFuncDialogLogic::CancelClicked() { window_.Close(mrCancel); }

bool TFuncDialogLogic::FormulaKeyPressed(int row, char key) {
  if (key != EnterKey) return false;
  if (row < FormulaCount(Kind()))
    window_.FocusFormula(row + 1);
  else
    OkClicked();
  return true;
}

void TFuncDialogLogic::FormulaHelpRequested(int row) {
  const TFormulaHelp help = IdentifierHelp(window_.FormulaText(row), window_.FormulaCaret(row));
  window_.ShowStatus(help.Syntax, help.Description);
}

void TFuncDialogLogic::HelpClicked() {
  helpPanelShown_ = !helpPanelShown_;
  if (helpPanelShown_)
    window_.SetFormWidth(FuncDialogWideWidth, HelpPanelHeight(clientHeight_));
  else
    window_.SetFormWidth(FuncDialogNarrowWidth, 0);
}

void TFuncDialogLogic::OtherClicked() { RunParaDialog(model_.CurFunc, paraWindow_); }

bool TFuncDialogLogic::CheckAllFormulas() {
  for (int i = 1; i <= FormulaCount(Kind()); ++i) {
    model_.CompileErrIdx = i;
    const TIdentifierCheck check = CheckFormulaIdentifiers(model_.CurFunc.Func[i], Kind());
    if (!check.Passed) {
      model_.CompileErrMsg = check.Message;
      window_.SelectInFormula(i, check.SelStart, check.SelLength);
      return false;
    }
  }
  return true;
}

void TFuncDialogLogic::ShowFormulaError() {
  const int32_t kind = Kind();
  const int formula = model_.CompileErrIdx;
  const char letter =
      kind >= 1 && kind <= 8 && formula >= 1 && formula <= 3 ? KindTable()[kind].FuncLetters[formula] : ' ';
  window_.ShowStatus(FormulaErrorHeading() + letter, model_.CompileErrMsg);
}

}  // namespace kx
