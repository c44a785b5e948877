// The main window's root and extremum searches: the panel's buttons, the
// component menus of functions with several formulas, the hourglass, the
// click that stops a search and the close that waits for it.
#include <windows.h>

#include "app/model/MainU_Eval.h"
#include "app/windows/MainU.h"
#include "app/windows/MainU_EvalPanel.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVPageControl.h"
#include "skin/controls/KVPopupMenu.h"

namespace kx {

namespace {

// The system's hourglass cursor (IDC_WAIT).
constexpr TCursor HourglassCursor = 32514;

}  // namespace

bool TMainForm::SearchHost::Evaluate(bool shown) { return EvalPanel().EvaluateAll(false, shown); }

void TMainForm::SearchHost::RepaintView() {
  // At once: the root search lets no message through, yet the marker travels.
  if (form_.viewer_) form_.viewer_->Repaint();
}

void TMainForm::SearchHost::ProcessMessages() { Application->ProcessMessages(); }

void TMainForm::SearchHost::SetHourglass(bool busy) { Screen->SetCursor(busy ? HourglassCursor : crDefault); }

void TMainForm::SearchHost::ShowSearchMessage(const std::string& text) {
  TForm* host = EvalPanelControls().EvalHost();
  HWND owner = host && host->HandleAllocated() ? host->Handle() : nullptr;
  MessageBoxA(owner, text.c_str(), "Thong bao loi", MB_OK | MB_ICONWARNING);
}

void TMainForm::SearchHost::SearchEnded() {
  if (!form_.closeAfterSearch_) return;
  form_.closeAfterSearch_ = false;
  PostMessageA(form_.Handle(), WM_CLOSE, 0, 0);
}

TSearch TMainForm::Search() { return TSearch(FuncModel(), EvalState(), *searchHost_); }

void TMainForm::UseSearchHost(TSearchHost* host) { searchHost_ = host ? host : &ownSearchHost_; }

void TMainForm::GLStageViewer1Click(TObject*) {
  if (EvalState().SearchRunning) EvalState().StopSearch = true;
}

void TMainForm::FormCloseQuery(TObject*, bool& canClose) {
  // The search calls the compilers that closing frees: it ends first.
  if (!StopSearchInstead(EvalState())) return;
  closeAfterSearch_ = true;
  canClose = false;
}

const TFuncRec* TMainForm::SearchTarget() {
  // A click on a search button while a search runs stops it.
  if (StopSearchInstead(EvalState())) return nullptr;
  if (!EvalPanel().CheckEvalTarget()) return nullptr;
  return EvalTarget(FuncModel(), EvalState());
}

void TMainForm::PointComponentMenus(THandler first, THandler second, THandler third) {
  const bool twoD = EvalState().EvalMode == 1;
  const char* const names[] = {twoD ? "Ham12" : "Ham11", twoD ? "Ham22" : "Ham21", "Ham31"};
  const THandler handlers[] = {first, second, third};
  for (int i = 0; i < (twoD ? 2 : 3); ++i) As<TMenuItem>(FindComponent(names[i]))->OnClick = MakeEvent(this, handlers[i]);
}

void TMainForm::PopupComponentMenu(const char* buttonName) {
  TForm* host = EvalPanelControls().EvalHost();
  TkvPageControl* pages = EvalPanelControls().EvalPageControl();
  TControl* button = host ? As<TControl>(host->FindComponent(buttonName)) : nullptr;
  if (!button || !pages) return;
  auto* menu = As<TkvPopupMenu>(FindComponent(EvalState().EvalMode == 1 ? "mnChonHam2" : "mnChonHam"));
  menu->Popup(host->Left() + pages->Left() + button->Left() + 1,
              host->Top() + pages->Top() + button->Top() + button->Height() + 22);
}

void TMainForm::btnEvalZClick(TObject*) {
  const TFuncRec* target = SearchTarget();
  if (!target) return;
  PointComponentMenus(&TMainForm::Ham12Click, &TMainForm::Ham22Click, &TMainForm::Ham32Click);
  if (target->FuncType != TNKind && FormulaCount(target->FuncType) > 1) return PopupComponentMenu("btnEvalZ");
  EvalState().SearchComponent = 1;
  // Points and a broken line have no root search.
  if (target->FuncType == TNKind && target->DrawType <= 1) return;
  Search().FindRoot();
}

void TMainForm::StartExtremumSearch(bool findMin) {
  const TFuncRec* target = SearchTarget();
  if (!target) return;
  PointComponentMenus(&TMainForm::Ham11Click, &TMainForm::Ham21Click, &TMainForm::Ham31Click);
  if (target->FuncType != TNKind && FormulaCount(target->FuncType) > 1) {
    EvalState().SearchFindMin = findMin;
    return PopupComponentMenu(findMin ? "btnEvalMin" : "btnEvalMax");
  }
  EvalState().SearchComponent = 1;
  if (target->FuncType == TNKind && target->DrawType <= 1)
    Search().PointExtremum(findMin);
  else
    Search().FindExtremum(findMin);
}

void TMainForm::btnEvalMinClick(TObject*) { StartExtremumSearch(true); }
void TMainForm::btnEvalMaxClick(TObject*) { StartExtremumSearch(false); }

void TMainForm::RunComponentSearch(int component, bool root) {
  if (StopSearchInstead(EvalState())) return;
  EvalState().SearchComponent = component;
  if (root)
    Search().FindRoot();
  else
    Search().FindExtremum(EvalState().SearchFindMin);
}

void TMainForm::Ham11Click(TObject*) { RunComponentSearch(1, false); }
void TMainForm::Ham21Click(TObject*) { RunComponentSearch(2, false); }
void TMainForm::Ham31Click(TObject*) { RunComponentSearch(3, false); }
void TMainForm::Ham12Click(TObject*) { RunComponentSearch(1, true); }
void TMainForm::Ham22Click(TObject*) { RunComponentSearch(2, true); }
void TMainForm::Ham32Click(TObject*) { RunComponentSearch(3, true); }

}  // namespace kx
