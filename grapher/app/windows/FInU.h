// The formula dialog: the name, formulas, line width and colour of a function
// of kinds 1 to 8, checked and compiled before it closes accepted; its
// "Thông số khác..." button opens the extra-parameter dialog. The decisions
// are TFuncDialogLogic's; this window shows them.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/windows/FInU_Logic.h"
#include "app/windows/FInU_Rows.h"
#include "app/windows/WarningBox.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

class TBevel;
class TImage;
class TUpDown;
class TkvButton;
class TkvCheckBox;
class TkvComboBox;
class TkvEdit;
class TkvForm;
class TkvMemo;
class TkvScrollBar;

class TFInForm : public TForm {
  KX_CLASS(TFInForm, TForm)
 public:
  // Built from its form resource, which binds the events to the handlers
  // and runs FormCreate.
  explicit TFInForm(TComponent* owner);
  ~TFInForm() override;

  // Lays the dialog out for the model's CurFunc (kinds 1 to 8) and fills it
  // from CurFunc, then shows it modally. mrOk: CurFunc holds the accepted
  // values and its compilers the compiled formulas.
  TModalResult EditCurFunc();
  // The layout and filling alone.
  void PrepareFuncDialog();
  // The help panel is open; it stays as the user left it between openings.
  bool HelpPanelShown() const { return logic_->HelpPanelShown(); }

  // The message boxes of this dialog and of its extra-parameter dialog.
  // Tests put a recorder here instead of a real box.
  TWarningBox WarningBox = ShowWarningBox;

  void FormCreate(TObject* sender);
  void btnOKClick(TObject* sender);
  void btnCancelClick(TObject* sender);
  void btnOtherClick(TObject* sender);
  void kvButton1Click(TObject* sender);
  void ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState state);
  void meFInput1Change(TObject* sender);
  void meFInput2Change(TObject* sender);
  void meFinput3Change(TObject* sender);
  void meFInput1KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void meFInput2KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void meFinput3KeyDown(TObject* sender, WORD& key, TShiftState shift);
  void meFInput1KeyPress(TObject* sender, char& key);
  void meFInput2KeyPress(TObject* sender, char& key);
  void meFinput3KeyPress(TObject* sender, char& key);

 private:
  class TWindow;
  class TParaProxy;
  friend class TWindow;

  void ShowRecord(const TFuncDialogLayout& layout, const TFuncRec& f, int colorItem);
  void SetFormWidth(int width, int helpHeight);
  void HelpRequested(int row);
  void KeyPressed(int row, char& key);

  TComponentRows<TImage, TLabel, TBevel, TkvMemo, TkvScrollBar> rows_;
  TkvForm* kvForm1_ = nullptr;
  TLabel* lbFuncType_ = nullptr;
  TBevel* bv0_ = nullptr;
  TLabel* lbFuncName_ = nullptr;
  TkvEdit* edFuncName_ = nullptr;
  TLabel* lbDdn_ = nullptr;
  TkvEdit* edDdn_ = nullptr;
  TUpDown* upDown1_ = nullptr;
  TLabel* lbClb_ = nullptr;
  TkvComboBox* colorBox_ = nullptr;
  TkvCheckBox* cbNewF_ = nullptr;
  TkvButton* btnOther_ = nullptr;
  TkvButton* btnOK_ = nullptr;
  TkvButton* btnCancel_ = nullptr;
  TkvMemo* mmHelp_ = nullptr;
  TkvScrollBar* scrbarHelp_ = nullptr;
  TBevel* stbv1_ = nullptr;
  TBevel* stbv2_ = nullptr;
  TLabel* stlb1_ = nullptr;
  TLabel* stlb2_ = nullptr;
  std::unique_ptr<TWindow> window_;
  std::unique_ptr<TParaProxy> para_;
  std::unique_ptr<TFuncDialogLogic> logic_;
  // Filling the formulas raises their change events: no live help then, the
  // status line keeps what it showed.
  bool preparing_ = false;
};

// The program's one formula dialog, made at start-up; nullptr until then.
extern TFInForm* FInForm;

}  // namespace kx
