// The main window's evaluation panel: opening it docked at the right edge
// or in the floating window, closing and floating it, and the events of its
// input edits and pages. The evaluation itself is TEvalPanel's.
#include <algorithm>

#include "app/windows/EvalFU.h"
#include "app/windows/MainU.h"
#include "app/windows/MainU_EvalPanel.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/frame/KVForm.h"

namespace kx {

namespace {
// The docked panel widens the window's skinned frame by this much.
constexpr int DockedPanelWiden = 191;
}  // namespace

void TMainForm::btnEvalMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  evalRightButton_ = button == mbRight;
}

void TMainForm::btnEvalMouseUp(TObject*, TMouseButton button, TShiftState, int, int) {
  evalRightButton_ = button == mbRight;
  // A left click reaches btnEvalClick as the button's click.
  if (evalRightButton_) btnEvalClick(this);
}

void TMainForm::btnEvalClick(TObject*) {
  TViewState& view = ViewState();
  if (!view.EvalPanelOpen) {
    if (!evalRightButton_ || !EvalForm) {
      EvalPanelControls().UseHost(this, false);
      ShowDockedPanel(true);
      view.EvalPanelOpen = true;
      // Cleared before the resize: a panel last floated must not leave the
      // viewer sized as if the docked panel were away.
      view.EvalPanelFloating = false;
      frame_->SetWidth(std::min(frame_->Width() + DockedPanelWiden, Screen->Width()));
      FormResize(this);
    } else {
      EvalPanelControls().UseHost(EvalForm, true);
      view.EvalPanelOpen = view.EvalPanelFloating = true;
      EvalForm->Show();
    }
  }
  if (view.EvalPanelFloating && EvalForm && EvalForm->Visible()) EvalForm->SetFocus();
  EvalPanel().SelectTarget(funcList_->ItemIndex());
  EvalPanel().SetupEvalPanel();
}

void TMainForm::UndockEvalPanel() {
  ShowDockedPanel(false);
  frame_->SetWidth(frame_->Width() - DockedPanelWiden);
}

void TMainForm::btnEvalOffClick(TObject*) {
  TViewState& view = ViewState();
  if (!view.EvalPanelOpen) return;
  EvalPanel().ResetInputs();
  view.EvalPanelOpen = false;
  UndockEvalPanel();
  FormResize(this);
}

void TMainForm::btnEvalFormClick(TObject*) {
  if (!EvalForm) return;
  TViewState& view = ViewState();
  EvalPanelControls().UseHost(EvalForm, true);
  view.EvalPanelOpen = false;
  UndockEvalPanel();
  FormResize(this);
  view.EvalPanelOpen = view.EvalPanelFloating = true;
  EvalForm->Show();
  EvalPanel().SetupEvalPanel();
}

void TMainForm::edEvalVar1Change(TObject*) { EvalPanel().InputChanged(); }

void TMainForm::pgEvalTabActive(TObject*, int) {
  // The shading follows the integral page.
  RepaintView();
  RepaintView();
}

bool TMainForm::EvalIntegralPageActive() const {
  return ViewState().EvalPanelOpen && EvalPanelControls().IntegralPageActive();
}

void TMainForm::FuncEdited() {
  if (ViewState().EvalPanelOpen) EvalPanel().EvaluateAll(false, true);
}

void TMainForm::FuncDeleted() {
  funcList_->DeleteSelected();
  EvalPanel().SetupEvalPanel();
  RepaintView();
}

}  // namespace kx
