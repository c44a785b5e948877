// The formula dialog apart from its window: preparing it for the record being
// added or edited, the OK and Enter decisions, the live help, the help panel
// and the extra parameters. The dialog owns no model data: it reads and
// writes the model's CurFunc and the last compile error. The window
// implements TFuncDialogWindow and forwards its events here; tests use a fake.
#pragma once

#include <string>

#include "app/model/MainU_Funcs.h"
#include "app/windows/FInU_Layout.h"
#include "framework/windows/Forms.h"

namespace kx {

class TParaWindow;

class TFuncDialogWindow {
 public:
  virtual ~TFuncDialogWindow() = default;

  // Fields the user edits. Rows are the formulas 1 to 3.
  virtual std::string NameText() const = 0;
  virtual std::string FormulaText(int row) const = 0;
  virtual int FormulaCaret(int row) const = 0;  // 0-based
  virtual std::string LineWidthText() const = 0;
  virtual int ColorItem() const = 0;
  virtual bool NewFuncChecked() const = 0;

  // Lays the dialog out and fills it: kind caption, formula labels, name,
  // formulas, line width and colour item; the "new function" box unchecked.
  virtual void ShowRecord(const TFuncDialogLayout& layout, const TFuncRec& f, int colorItem) = 0;
  // Widens or narrows the dialog; the help panel takes the given height.
  virtual void SetFormWidth(int width, int helpHeight) = 0;
  virtual void FocusFormula(int row) = 0;
  // Focuses the formula and selects the characters given (0-based).
  virtual void SelectInFormula(int row, int start, int length) = 0;
  // The two parts of the status line; each part's hint is its text.
  virtual void ShowStatus(const std::string& left, const std::string& right) = 0;
  // A message box owned by the dialog: warning icon, one OK button.
  virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
  // Ends the modal showing with this result.
  virtual void Close(TModalResult result) = 0;
};

class TFuncDialogLogic {
 public:
  TFuncDialogLogic(TFuncModel& model, TFuncDialogWindow& window, TParaWindow& paraWindow)
      : model_(model), window_(window), paraWindow_(paraWindow) {}

  // Lays the dialog out for CurFunc's kind (1 to 8) and fills it from CurFunc.
  // The status line keeps its last text.
  void PrepareFuncDialog(const TFuncDialogSizes& sizes);

  // OK: writes name, formulas, line width and colour into CurFunc, then
  // checks every word and compiles. A failure shows in the status line and the
  // dialog stays open with everything typed; so does a "new function" OK
  // while the kind's list is full. Otherwise the dialog closes accepted.
  void OkClicked();
  void CancelClicked();
  // A key typed in a formula: Enter moves to the next formula shown, and in
  // the last acts as OK. True when the key was Enter.
  bool FormulaKeyPressed(int row, char key);
  // A formula changed, was clicked or entered, or a key was released in it:
  // the status line shows the help for the word at the caret.
  void FormulaHelpRequested(int row);
  // The "?" button: the help panel opens or closes.
  void HelpClicked();
  // The extra-parameter dialog, on CurFunc.
  void OtherClicked();

  // The help panel is open. It stays as the user left it when the dialog is
  // closed and opened again.
  bool HelpPanelShown() const { return helpPanelShown_; }

  // Checks formulas 1 to NFormulas in order, setting CompileErrIdx to the one
  // being checked; at the first failure sets CompileErrMsg, selects the word
  // and returns false.
  bool CheckAllFormulas();
  // The failing formula's letter after the error heading, and CompileErrMsg.
  void ShowFormulaError();

 private:
  int32_t Kind() const { return model_.CurFunc.FuncType; }

  TFuncModel& model_;
  TFuncDialogWindow& window_;
  TParaWindow& paraWindow_;
  bool helpPanelShown_ = false;
  int clientHeight_ = 0;
};

}  // namespace kx
