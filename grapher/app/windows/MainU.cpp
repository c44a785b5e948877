#include "app/windows/MainU.h"

#include <windows.h>

#include "app/model/MainU_View.h"
#include "app/windows/MainU_EvalPanel.h"
#include "framework/core/FormResources.h"
#include "scene/GLObjects.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVCheckListBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVPageControl.h"
#include "skin/controls/KVPopupMenu.h"
#include "skin/controls/KVRadioGroup.h"
#include "skin/frame/KVForm.h"

namespace kx {

TMainForm* MainForm = nullptr;

namespace {

// The evaluation panel's controls on this window: shown only while the
// panel is docked here.
constexpr const char* kDockedPanel[] = {"pgEval", "btnEvalOff", "btnEvalForm", "lbEvalFunc"};
// The window's width while the panel is closed.
constexpr int ClosedPanelWidth = 619;

}  // namespace

std::string ScreenFontPath() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + "kurvex.fon";
}

KX_PUBLISH(TMainForm) {
  p.Handler("FormCreate", &TMainForm::FormCreate);
  p.Handler("FormResize", &TMainForm::FormResize);
  p.Handler("FormDestroy", &TMainForm::FormDestroy);
  p.Handler("Btn2DClick", &TMainForm::Btn2DClick);
  p.Handler("Btn3DClick", &TMainForm::Btn3DClick);
  p.Handler("BtnAddFuncClick", &TMainForm::BtnAddFuncClick);
  p.Handler("BtnEditFuncClick", &TMainForm::BtnEditFuncClick);
  p.Handler("BtnDelFuncClick", &TMainForm::BtnDelFuncClick);
  p.Handler("FuncListBoxClickCheck", &TMainForm::FuncListBoxClickCheck);
  p.Handler("FuncListBoxDrawItem", &TMainForm::FuncListBoxDrawItem);
  p.Handler("btnAboutClick", &TMainForm::btnAboutClick);
  p.Handler("btnSaveClick", &TMainForm::btnSaveClick);
  p.Handler("btnLoadClick", &TMainForm::btnLoadClick);
  p.Handler("FormPaint", &TMainForm::FormPaint);
  p.Handler("btnUpClick", &TMainForm::btnUpClick);
  p.Handler("btnDownClick", &TMainForm::btnDownClick);
  p.Handler("btnLeftClick", &TMainForm::btnLeftClick);
  p.Handler("btnRightClick", &TMainForm::btnRightClick);
  p.Handler("btnZoomInClick", &TMainForm::btnZoomInClick);
  p.Handler("BtnZoomOutClick", &TMainForm::BtnZoomOutClick);
  p.Handler("GLStageViewer1MouseDown", &TMainForm::GLStageViewer1MouseDown);
  p.Handler("GLStageViewer1MouseMove", &TMainForm::GLStageViewer1MouseMove);
  p.Handler("GLStageViewer1MouseUp", &TMainForm::GLStageViewer1MouseUp);
  p.Handler("GLStageViewer1DblClick", &TMainForm::GLStageViewer1DblClick);
  p.Handler("cbShowNumClick", &TMainForm::cbShowNumClick);
  p.Handler("cbShowLineClick", &TMainForm::cbShowLineClick);
  p.Handler("cbShowGridClick", &TMainForm::cbShowGridClick);
  p.Handler("cbBkGroundClick", &TMainForm::cbBkGroundClick);
  p.Handler("raKDuongClick", &TMainForm::raKDuongClick);
  p.Handler("btnCaptureClick", &TMainForm::btnCaptureClick);
  p.Handler("btnCaptureMouseDown", &TMainForm::btnCaptureMouseDown);
  p.Handler("btnCaptureMouseUp", &TMainForm::btnCaptureMouseUp);
  p.Handler("btnEvalClick", &TMainForm::btnEvalClick);
  p.Handler("btnEvalMouseDown", &TMainForm::btnEvalMouseDown);
  p.Handler("btnEvalMouseUp", &TMainForm::btnEvalMouseUp);
  p.Handler("btnEvalOffClick", &TMainForm::btnEvalOffClick);
  p.Handler("btnEvalFormClick", &TMainForm::btnEvalFormClick);
  p.Handler("edEvalVar1Change", &TMainForm::edEvalVar1Change);
  p.Handler("pgEvalTabActive", &TMainForm::pgEvalTabActive);
  p.Handler("btnEvalZClick", &TMainForm::btnEvalZClick);
  p.Handler("btnEvalMinClick", &TMainForm::btnEvalMinClick);
  p.Handler("btnEvalMaxClick", &TMainForm::btnEvalMaxClick);
  p.Handler("Ham11Click", &TMainForm::Ham11Click);
  p.Handler("Ham21Click", &TMainForm::Ham21Click);
  p.Handler("Ham31Click", &TMainForm::Ham31Click);
  p.Handler("GLStageViewer1Click", &TMainForm::GLStageViewer1Click);
  p.Handler("FormCloseQuery", &TMainForm::FormCloseQuery);
}

namespace {
// The window and the skinned classes its form resource names: naming them
// here links their modules into every program that has this window.
struct MainFormModule {
  MainFormModule() {
    RegisterClasses({&TMainForm::StaticClass(), &TkvForm::StaticClass(), &TkvButton::StaticClass(),
                     &TkvCheckBox::StaticClass(), &TkvRadioButton::StaticClass(), &TkvGroupBox::StaticClass(),
                     &TkvRadioGroup::StaticClass(), &TkvCheckListBox::StaticClass(), &TkvEdit::StaticClass(),
                     &TkvPageControl::StaticClass(), &TkvTabSheet::StaticClass(), &TkvPopupMenu::StaticClass()});
  }
} mainFormModule;
}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  driver_ = std::make_unique<TFuncDriver>(FuncModel(), ViewState(), *this, *this);
  ReadFormResource(*this);
}

TMainForm::~TMainForm() = default;

template <class T>
T* TMainForm::Control(const char* name) const {
  return As<T>(FindComponent(name));
}

void TMainForm::FindControls() {
  frame_ = TkvForm::FindOn(this);
  viewer_ = Control<TGLStageViewer>("GLStageViewer1");
  funcList_ = Control<TkvCheckListBox>("FuncListBox");
  cbShowNum_ = Control<TkvCheckBox>("cbShowNum");
  cbBkGround_ = Control<TkvCheckBox>("cbBkGround");
  cbShowLine_ = Control<TkvCheckBox>("cbShowLine");
  cbShowGrid_ = Control<TkvCheckBox>("cbShowGrid");
  raKDuong_ = Control<TkvRadioButton>("raKDuong");
  raKDiem_ = Control<TkvRadioButton>("raKDiem");
}

void TMainForm::FormCreate(TObject*) {
  FindControls();
  MakeViewTools();
  MakeFileDialogs();
  // Hints are TCVN3 like every text of the window, and stay until the mouse
  // leaves their control.
  Screen->HintFont()->SetName("Kurvexsans");
  Screen->HintFont()->SetHeight(14);
  Screen->HintFont()->SetCharset(ANSI_CHARSET);
  Application->SetHintHidePause(2147483647);

  TViewState& view = ViewState();
  if (!view.EvalPanelOpen) {
    ShowDockedPanel(false);
    SetWidth(ClosedPanelWidth);
  }
  view.OffsetX = 0, view.OffsetY = 0;
  view.SizeView(ClientWidth(), ClientHeight());
  viewer_->SetBounds(viewer_->Left(), viewer_->Top(), view.ViewW, view.ViewH);
  // The marker shows only while the evaluation panel has a target.
  Control<TGLBaseSceneObject>("spDot")->SetVisible(false);
  // The model, with the template compiler, comes with the window, on the plane list.
  FuncModel().SetCurrentList(true);
  BindEvalComponents(*this, MainEvalVarRows(), MainEvalFuncRows());
  EvalPanelControls().UseHost(this, false);
}

void TMainForm::ShowDockedPanel(bool shown) {
  for (const char* name : kDockedPanel) Control<TControl>(name)->SetVisible(shown);
}

void TMainForm::FormResize(TObject*) {
  // The form resource sizes the window before the controls are looked up.
  if (!viewer_) return;
  TViewState& view = ViewState();
  view.SizeView(ClientWidth(), ClientHeight());
  for (const TPlacement& place : MainLayout(ClientWidth(), ClientHeight())) {
    TControl* control = Control<TControl>(place.Control.c_str());
    if (place.Edge == TPlacement::Left)
      control->SetLeft(place.Value);
    else
      control->SetTop(place.Value);
  }
  viewer_->SetBounds(viewer_->Left(), viewer_->Top(), view.ViewW, view.ViewH);
  RepaintView();
}

void TMainForm::FormDestroy(TObject*) { RemoveFontResourceA(ScreenFontPath().c_str()); }

const TDisplayOptions& TMainForm::DisplayOptions() {
  options_.ShowNum = cbShowNum_->Checked();
  options_.BkGround = cbBkGround_->Checked();
  options_.ShowLine = cbShowLine_->Checked();
  options_.ShowGrid = cbShowGrid_->Checked();
  options_.PointMode = raKDiem_->Checked();
  return options_;
}

void TMainForm::RepaintView() {
  if (viewer_) viewer_->Invalidate();
}

}  // namespace kx
