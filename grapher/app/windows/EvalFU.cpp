#include "app/windows/EvalFU.h"

#include <windows.h>

#include "app/model/MainU_View.h"
#include "app/windows/MainU.h"
#include "app/windows/MainU_EvalPanel.h"
#include "framework/core/FormResources.h"
#include "skin/controls/KVButton.h"

namespace kx {

TEvalForm* EvalForm = nullptr;

KX_PUBLISH(TEvalForm) {
  p.Handler("FormCreate", &TEvalForm::FormCreate);
  p.Handler("FormClose", &TEvalForm::FormClose);
  p.Handler("cbOnTopClick", &TEvalForm::cbOnTopClick);
  p.Handler("edEvalVar1Change", &TEvalForm::edEvalVar1Change);
  p.Handler("pgEvalTabActive", &TEvalForm::pgEvalTabActive);
  p.Handler("btnEvalMaxClick", &TEvalForm::btnEvalMaxClick);
  p.Handler("btnEvalMinClick", &TEvalForm::btnEvalMinClick);
  p.Handler("btnEvalZClick", &TEvalForm::btnEvalZClick);
  p.Handler("Ham11Click", &TEvalForm::Ham11Click);
  p.Handler("Ham21Click", &TEvalForm::Ham21Click);
  p.Handler("Ham31Click", &TEvalForm::Ham31Click);
}

TEvalForm::TEvalForm(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  cbOnTop_ = As<TkvCheckBox>(FindComponent("cbOnTop"));
}

void TEvalForm::FormCreate(TObject*) { BindEvalComponents(*this, FloatEvalVarRows(), FloatEvalFuncRows()); }

void TEvalForm::FormClose(TObject*, TCloseAction&) { ViewState().EvalPanelOpen = false; }

void TEvalForm::cbOnTopClick(TObject*) {
  const bool onTop = cbOnTop_->Checked();
  HWND wnd = Handle();
  // Under Wine a window asked to leave the topmost band stays in it while it
  // lies right above its owner (the application window): the owner is let go
  // for the move and given back after it.
  const LONG_PTR owner = onTop ? 0 : SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, 0);
  SetWindowPos(wnd, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (owner) SetWindowLongPtrA(wnd, GWLP_HWNDPARENT, owner);
}

void TEvalForm::edEvalVar1Change(TObject* sender) {
  if (MainForm) MainForm->edEvalVar1Change(sender);
}

void TEvalForm::pgEvalTabActive(TObject* sender, int index) {
  if (MainForm) MainForm->pgEvalTabActive(sender, index);
}

// The forwarders below call the main window's handler of the same name.
#define KX_FORWARD_CLICK(name) \
  void TEvalForm::name(TObject* sender) { \
    if (MainForm) MainForm->name(sender); \
  }
KX_FORWARD_CLICK(btnEvalMaxClick)
KX_FORWARD_CLICK(btnEvalMinClick)
KX_FORWARD_CLICK(btnEvalZClick)
KX_FORWARD_CLICK(Ham11Click)
KX_FORWARD_CLICK(Ham21Click)
KX_FORWARD_CLICK(Ham31Click)
#undef KX_FORWARD_CLICK

}  // namespace kx
