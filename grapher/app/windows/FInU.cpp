#include "app/windows/FInU.h"

#include "app/model/MainU_Funcs.h"
#include "app/windows/ParaU.h"
#include "framework/core/FormResources.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Dialogs.h"
#include "framework/windows/ExtCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVMemo.h"
#include "skin/controls/KVScrollBar.h"
#include "skin/frame/KVForm.h"

namespace kx {

TFInForm* FInForm = nullptr;

KX_PUBLISH(TFInForm) {
  p.Handler("FormCreate", &TFInForm::FormCreate);
  p.Handler("btnOKClick", &TFInForm::btnOKClick);
  p.Handler("btnCancelClick", &TFInForm::btnCancelClick);
  p.Handler("btnOtherClick", &TFInForm::btnOtherClick);
  p.Handler("kvButton1Click", &TFInForm::kvButton1Click);
  p.Handler("ColorBoxDrawItem", &TFInForm::ColorBoxDrawItem);
  p.Handler("meFInput1Change", &TFInForm::meFInput1Change);
  p.Handler("meFInput2Change", &TFInForm::meFInput2Change);
  p.Handler("meFinput3Change", &TFInForm::meFinput3Change);
  p.Handler("meFInput1KeyDown", &TFInForm::meFInput1KeyDown);
  p.Handler("meFInput2KeyDown", &TFInForm::meFInput2KeyDown);
  p.Handler("meFinput3KeyDown", &TFInForm::meFinput3KeyDown);
  p.Handler("meFInput1KeyPress", &TFInForm::meFInput1KeyPress);
  p.Handler("meFInput2KeyPress", &TFInForm::meFInput2KeyPress);
  p.Handler("meFinput3KeyPress", &TFInForm::meFinput3KeyPress);
}

// The dialog as its logic sees it.
class TFInForm::TWindow : public TFuncDialogWindow {
 public:
  explicit TWindow(TFInForm& form) : form_(form) {}

  std::string NameText() const override { return form_.edFuncName_->Text(); }
  std::string FormulaText(int row) const override { return Memo(row).Text(); }
  int FormulaCaret(int row) const override { return Memo(row).SelStart(); }
  std::string LineWidthText() const override { return form_.edDdn_->Text(); }
  int ColorItem() const override { return form_.colorBox_->ItemIndex(); }
  bool NewFuncChecked() const override { return form_.cbNewF_->Checked(); }

  void ShowRecord(const TFuncDialogLayout& layout, const TFuncRec& f, int colorItem) override {
    form_.ShowRecord(layout, f, colorItem);
  }
  void SetFormWidth(int width, int helpHeight) override { form_.SetFormWidth(width, helpHeight); }
  void FocusFormula(int row) override { Memo(row).SetFocus(); }
  void SelectInFormula(int row, int start, int length) override {
    TkvMemo& memo = Memo(row);
    memo.SetFocus();
    memo.SetSelStart(start);
    memo.SetSelLength(length);
  }
  void ShowStatus(const std::string& left, const std::string& right) override {
    form_.stlb1_->SetCaption(left);
    form_.stlb1_->SetHint(left);
    form_.stlb2_->SetCaption(right);
    form_.stlb2_->SetHint(right);
  }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    form_.WarningBox(&form_, text, caption);
  }
  void Close(TModalResult result) override { form_.SetModalResult(result); }

 private:
  TkvMemo& Memo(int row) const { return *form_.rows_.Rows[row].Memo; }
  TFInForm& form_;
};

// The extra-parameter dialog as the parameter loop sees it; its message box
// belongs to this dialog.
class TFInForm::TParaProxy : public TParaWindow {
 public:
  explicit TParaProxy(TFInForm& form) : form_(form) {}

  std::string FieldText(TParaField field) const override { return ParaForm->FieldText(field); }
  void SetFieldText(TParaField field, const std::string& text) override { ParaForm->SetFieldText(field, text); }
  void SetVarHeading(int column, const std::string& caption) override { ParaForm->SetVarHeading(column, caption); }
  void EnableShiftGroup(bool enabled) override { ParaForm->EnableShiftGroup(enabled); }
  void EnableSecondColumn(bool enabled) override { ParaForm->EnableSecondColumn(enabled); }
  TModalResult ShowModal() override { return ParaForm->ShowModal(); }
  void ShowWarning(const std::string& text, const std::string& caption) override {
    form_.WarningBox(&form_, text, caption);
  }

 private:
  TFInForm& form_;
};

TFInForm::TFInForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

TFInForm::~TFInForm() = default;

void TFInForm::FormCreate(TObject*) {
  rows_.Fill(*this);
  kvForm1_ = FindComponentAs<TkvForm>(*this, "kvForm1");
  lbFuncType_ = FindComponentAs<TLabel>(*this, "lbFuncType");
  bv0_ = FindComponentAs<TBevel>(*this, "bv0");
  lbFuncName_ = FindComponentAs<TLabel>(*this, "lbFuncName");
  edFuncName_ = FindComponentAs<TkvEdit>(*this, "edFuncName");
  lbDdn_ = FindComponentAs<TLabel>(*this, "lbDdn");
  edDdn_ = FindComponentAs<TkvEdit>(*this, "edDdn");
  upDown1_ = FindComponentAs<TUpDown>(*this, "UpDown1");
  lbClb_ = FindComponentAs<TLabel>(*this, "lbClb");
  colorBox_ = FindComponentAs<TkvComboBox>(*this, "ColorBox");
  cbNewF_ = FindComponentAs<TkvCheckBox>(*this, "cbNewF");
  btnOther_ = FindComponentAs<TkvButton>(*this, "btnOther");
  btnOK_ = FindComponentAs<TkvButton>(*this, "btnOK");
  btnCancel_ = FindComponentAs<TkvButton>(*this, "btnCancel");
  mmHelp_ = FindComponentAs<TkvMemo>(*this, "mmHelp");
  scrbarHelp_ = FindComponentAs<TkvScrollBar>(*this, "scrbarHelp");
  stbv1_ = FindComponentAs<TBevel>(*this, "Stbv1");
  stbv2_ = FindComponentAs<TBevel>(*this, "Stbv2");
  stlb1_ = FindComponentAs<TLabel>(*this, "Stlb1");
  stlb2_ = FindComponentAs<TLabel>(*this, "Stlb2");
  window_ = std::make_unique<TWindow>(*this);
  para_ = std::make_unique<TParaProxy>(*this);
  logic_ = std::make_unique<TFuncDialogLogic>(FuncModel(), *window_, *para_);
}

TModalResult TFInForm::EditCurFunc() {
  PrepareFuncDialog();
  // Every opening starts with the keys in the first formula, whichever
  // control had them when the dialog last closed.
  SetActiveControl(rows_.Rows[1].Memo);
  return ShowModal();
}

void TFInForm::PrepareFuncDialog() {
  const int32_t kind = FuncModel().CurFunc.FuncType;
  // The caption goes first: the layout centres it, at the width it draws.
  lbFuncType_->SetCaption(KindTable()[kind].Caption);
  const TImage& image = *rows_.Images[kind];
  TFuncDialogSizes sizes;
  sizes.ImageTop = image.Top();
  sizes.ImageWidth = image.Width();
  sizes.ImageHeight = image.Height();
  sizes.CaptionWidth = lbFuncType_->Width();
  sizes.NameEditHeight = edFuncName_->Height();
  sizes.MemoHeight = rows_.Rows[1].Memo->Height();
  preparing_ = true;
  try {
    logic_->PrepareFuncDialog(sizes);
  } catch (...) {
    preparing_ = false;
    throw;
  }
  preparing_ = false;
}

void TFInForm::ShowRecord(const TFuncDialogLayout& l, const TFuncRec& f, int colorItem) {
  const TFuncKindInfo& info = KindTable()[f.FuncType];
  for (TImage* image : rows_.Images) image->Hide();
  for (auto& row : rows_.Rows) {
    row.Label->Hide();
    row.Bevel->Hide();
    row.Memo->Hide();
    row.ScrollBar->Hide();
  }
  cbNewF_->SetChecked(false);
  cbNewF_->SetVisible(l.NewFuncShown);

  lbFuncType_->SetCaption(info.Caption);
  lbFuncType_->SetBounds(l.CaptionLeft, l.CaptionTop, lbFuncType_->Width(), lbFuncType_->Height());
  TImage& image = *rows_.Images[f.FuncType];
  image.SetLeft(l.ImageLeft);
  image.Show();
  bv0_->SetBounds(l.FrameLeft, bv0_->Top(), l.FrameWidth, l.FrameHeight);

  for (TControl* c :
       std::initializer_list<TControl*>{lbFuncName_, edFuncName_, lbDdn_, edDdn_, upDown1_, cbNewF_, lbClb_, colorBox_})
    c->SetTop(l.NameTop);
  for (TControl* c : std::initializer_list<TControl*>{lbDdn_, edDdn_, upDown1_}) c->SetVisible(l.LineWidthShown);
  upDown1_->SetPosition(f.LineWidth);
  edDdn_->SetText(std::to_string(f.LineWidth));
  colorBox_->SetItemIndex(colorItem);
  edFuncName_->SetText(f.FuncName);

  for (int i = 1; i <= l.Rows; ++i) {
    auto& row = rows_.Rows[i];
    row.Label->SetCaption(info.Labels[i]);
    row.Label->SetTop(l.RowTops[i].Label);
    row.Bevel->SetTop(l.RowTops[i].Bevel);
    row.Memo->SetTop(l.RowTops[i].Memo);
    row.Memo->SetText(f.Func[i]);
    // The memo's scroll bar lies over its right edge and moves with it.
    row.ScrollBar->SetTop(l.RowTops[i].Memo + 1);
    row.Label->Show();
    row.Bevel->Show();
    row.Memo->Show();
    row.ScrollBar->Show();
  }
  for (TControl* c : std::initializer_list<TControl*>{btnOther_, btnOK_, btnCancel_}) c->SetTop(l.ButtonsTop);
  stbv1_->SetTop(l.StatusTop);
  stbv2_->SetTop(l.StatusTop);
  stlb1_->SetTop(l.StatusLabelTop);
  stlb2_->SetTop(l.StatusLabelTop);
  SetClientHeight(l.ClientHeight);
  SetFormWidth(l.FormWidth, l.HelpHeight);
}

void TFInForm::SetFormWidth(int width, int helpHeight) {
  kvForm1_->SetWidth(width);
  if (helpHeight > 0) {
    mmHelp_->SetHeight(helpHeight);
    scrbarHelp_->SetHeight(helpHeight);
  }
}

void TFInForm::HelpRequested(int row) {
  if (!preparing_) logic_->FormulaHelpRequested(row);
}

void TFInForm::KeyPressed(int row, char& key) {
  if (logic_->FormulaKeyPressed(row, key)) key = 0;
}

void TFInForm::btnOKClick(TObject*) { logic_->OkClicked(); }
void TFInForm::btnCancelClick(TObject*) { logic_->CancelClicked(); }
void TFInForm::kvButton1Click(TObject*) { logic_->HelpClicked(); }

void TFInForm::btnOtherClick(TObject*) {
  if (ParaForm) logic_->OtherClicked();
}

void TFInForm::ColorBoxDrawItem(TWinControl*, int index, RECT rect, TOwnerDrawState) {
  if (index < 0 || index >= 10) return;
  TCanvas& canvas = *colorBox_->Canvas();
  // The list's own selection or window colour behind a swatch of the kind's palette.
  canvas.FillRect(rect);
  InflateRect(&rect, -2, -2);
  canvas.Brush()->SetColor(ColorOfItem(FuncModel().CurFunc.FuncType, index));
  canvas.FillRect(rect);
}

void TFInForm::meFInput1Change(TObject*) { HelpRequested(1); }
void TFInForm::meFInput2Change(TObject*) { HelpRequested(2); }
void TFInForm::meFinput3Change(TObject*) { HelpRequested(3); }
void TFInForm::meFInput1KeyDown(TObject*, WORD&, TShiftState) { HelpRequested(1); }
void TFInForm::meFInput2KeyDown(TObject*, WORD&, TShiftState) { HelpRequested(2); }
void TFInForm::meFinput3KeyDown(TObject*, WORD&, TShiftState) { HelpRequested(3); }
void TFInForm::meFInput1KeyPress(TObject*, char& key) { KeyPressed(1, key); }
void TFInForm::meFInput2KeyPress(TObject*, char& key) { KeyPressed(2, key); }
void TFInForm::meFinput3KeyPress(TObject*, char& key) { KeyPressed(3, key); }

}  // namespace kx
