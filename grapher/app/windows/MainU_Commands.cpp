// The main window's function list, its buttons and the mode switch: the
// handlers hand the work to the driver, which asks back through the window's
// dialogs and view.
#include <windows.h>

#include "app/model/EvalFU_State.h"
#include "app/windows/AboutU.h"
#include "app/windows/FInU.h"
#include "app/windows/MainU.h"
#include "app/windows/OrdCfg.h"
#include "app/windows/SelFTU.h"
#include "app/windows/ThNghiemU.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"

namespace kx {

void TMainForm::UseDialogs(TFuncDialogs* dialogs) {
  fileMessages_ = dialogs ? dialogs : this;
  driver_ = std::make_unique<TFuncDriver>(FuncModel(), ViewState(), *fileMessages_, *this);
}

void TMainForm::Btn2DClick(TObject*) { driver_->SwitchTo2D(); }
void TMainForm::Btn3DClick(TObject*) { driver_->SwitchTo3D(); }
// A running search calls the compilers that Add, Edit, Delete and Load may
// free: while it runs, these commands only stop it.
void TMainForm::BtnAddFuncClick(TObject*) {
  if (!StopSearchInstead(EvalState())) driver_->AddClicked();
}
void TMainForm::BtnEditFuncClick(TObject*) {
  if (!StopSearchInstead(EvalState())) driver_->EditClicked(funcList_->ItemIndex());
}
void TMainForm::BtnDelFuncClick(TObject*) {
  if (!StopSearchInstead(EvalState())) driver_->DeleteClicked(funcList_->ItemIndex());
}

void TMainForm::FuncListBoxClickCheck(TObject*) {
  const int index = funcList_->ItemIndex();
  if (index < 0 || index >= funcList_->Items()->Count()) return;
  driver_->CheckClicked(index, funcList_->Checked(index));
}

void TMainForm::FuncListBoxDrawItem(TWinControl*, int index, RECT rect, TOwnerDrawState) {
  // The list box may ask for an item the list no longer holds.
  const TFuncRec* entry = FuncModel().CurEntry(index);
  if (!entry || index >= funcList_->Items()->Count()) return;
  TCanvas& canvas = *funcList_->Canvas();
  canvas.Brush()->SetStyle(bsSolid);
  canvas.FillRect(rect);
  canvas.Font()->SetColor(entry->Color);
  canvas.TextOut(rect.left + 2, rect.top, funcList_->Items()->Get(index));
}

void TMainForm::btnAboutClick(TObject*) {
  if (AboutForm) AboutForm->ShowModal();
}

TModalResult TMainForm::ShowKindChooser() { return SelFTypeForm ? SelFTypeForm->ShowModal() : mrCancel; }
TModalResult TMainForm::ShowFuncDialog() { return FInForm ? FInForm->EditCurFunc() : mrCancel; }
TModalResult TMainForm::ShowTNDialog() { return TNForm ? TNForm->EditCurFunc() : mrCancel; }

void TMainForm::ShowWarning(const std::string& text, const std::string& caption) {
  MessageBoxA(HandleAllocated() ? Handle() : nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}

void TMainForm::ShowModeOptions(const TModeOptions& options) {
  raKDuong_->SetCaption(options.raKDuong);
  raKDiem_->SetCaption(options.raKDiem);
  cbShowLine_->SetCaption(options.cbShowLine);
  cbBkGround_->SetCaption(options.cbBkGround);
  cbShowNum_->SetEnabled(options.ShowNumEnabled);
}

void TMainForm::ShowSpaceObjects() {
  if (OrdConfig && OrdConfig->Visible()) OrdConfig->Hide();
  ShowGrids(cbShowGrid_->Checked());
  ShowAxisArrows(cbShowLine_->Checked());
}

void TMainForm::FillFuncList(const std::vector<TFuncListItem>& items) {
  funcList_->Items()->Clear();
  for (size_t i = 0; i < items.size(); ++i) {
    funcList_->Items()->Add(items[i].Text);
    funcList_->SetChecked(static_cast<int>(i), items[i].Checked);
  }
}

}  // namespace kx
