#include "app/windows/MainU_EvalPanel.h"

#include <algorithm>
#include <string>

#include "app/model/MainU_View.h"
#include "app/windows/MainU.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVPageControl.h"
#include "skin/frame/KVForm.h"

namespace kx {

namespace {

template <class T>
T* Find(TComponent& window, const std::string& name) {
  T* component = As<T>(window.FindComponent(name));
  if (!component) throw EComponentError("The evaluation panel has no " + name);
  return component;
}

// Space between stacked groups, and below the last group to the buttons.
constexpr int GroupGap = 7;
constexpr int DockedButtonGap = 15;
constexpr int FloatButtonGap = 10;
constexpr int RootButtonBelow = 50;

}  // namespace

void BindEvalComponents(TComponent& window, TEvalVarRows& vars, TEvalFuncRows& funcs) {
  vars.gbEvalVar = Find<TkvGroupBox>(window, "gbEvalVar");
  vars.gbTFVar = Find<TkvGroupBox>(window, "gbTFVar");
  for (int v = 1; v <= 2; ++v) {
    const std::string n = std::to_string(v);
    TEvalVarRow& row = vars.Rows[v];
    row.edEvalVar = Find<TkvEdit>(window, "edEvalVar" + n);
    row.edTFVarF = Find<TkvEdit>(window, "edTFVar" + n + "F");
    row.edTFVarL = Find<TkvEdit>(window, "edTFVar" + n + "L");
    row.lbEvalVar = Find<TLabel>(window, "lbEvalVar" + n);
    row.gbTFVar = Find<TkvGroupBox>(window, "gbTFVar" + n);
  }
  funcs.gbEvalF = Find<TkvGroupBox>(window, "gbEvalF");
  funcs.gbEvalDF = Find<TkvGroupBox>(window, "gbEvalDF");
  funcs.gbTF = Find<TkvGroupBox>(window, "gbTF");
  for (int j = 1; j <= 3; ++j) {
    const std::string n = std::to_string(j);
    TEvalFuncRow& row = funcs.Rows[j];
    row.edEvalF = Find<TkvEdit>(window, "edEvalF" + n);
    row.edEvalDF = Find<TkvEdit>(window, "edEvalDF" + n);
    row.edTF = Find<TkvEdit>(window, "edTF" + n);
    row.lbEvalF = Find<TLabel>(window, "lbEvalF" + n);
    row.lbEvalDF = Find<TLabel>(window, "lbEvalDF" + n);
    row.lbTF = Find<TLabel>(window, "lbTF" + n);
  }
}

TEvalVarRows& MainEvalVarRows() {
  static TEvalVarRows rows;
  return rows;
}
TEvalFuncRows& MainEvalFuncRows() {
  static TEvalFuncRows rows;
  return rows;
}
TEvalVarRows& FloatEvalVarRows() {
  static TEvalVarRows rows;
  return rows;
}
TEvalFuncRows& FloatEvalFuncRows() {
  static TEvalFuncRows rows;
  return rows;
}

void TEvalPanelControls::UseHost(TForm* host, bool floating) {
  host_ = host;
  floating_ = floating;
  vars_ = floating ? FloatEvalVarRows() : MainEvalVarRows();
  funcs_ = floating ? FloatEvalFuncRows() : MainEvalFuncRows();
  pages_ = Find<TkvPageControl>(*host, "pgEval");
}

bool TEvalPanelControls::IntegralPageActive() const {
  return pages_ && pages_->PageCount() > 1 && pages_->ActivePage() == pages_->Pages(1);
}

TkvEdit* TEvalPanelControls::Input(TEvalInput input) const {
  switch (input) {
    case TEvalInput::Var1:
      return vars_.Rows[1].edEvalVar;
    case TEvalInput::Var2:
      return vars_.Rows[2].edEvalVar;
    case TEvalInput::From1:
      return vars_.Rows[1].edTFVarF;
    case TEvalInput::To1:
      return vars_.Rows[1].edTFVarL;
    case TEvalInput::From2:
      return vars_.Rows[2].edTFVarF;
    case TEvalInput::To2:
      break;
  }
  return vars_.Rows[2].edTFVarL;
}

std::string TEvalPanelControls::InputText(TEvalInput input) {
  TkvEdit* edit = Input(input);
  return edit ? edit->Text() : std::string();
}

void TEvalPanelControls::SetInputText(TEvalInput input, const std::string& text) {
  if (TkvEdit* edit = Input(input)) edit->SetText(text);
}

void TEvalPanelControls::SetResultText(int row, TEvalColumn column, const std::string& text) {
  const TEvalFuncRow& r = funcs_.Rows[row];
  TkvEdit* edit = column == TEvalColumn::Value ? r.edEvalF : column == TEvalColumn::Derivative ? r.edEvalDF : r.edTF;
  if (edit) edit->SetText(text);
}

void TEvalPanelControls::SetPanelTitle(const std::string& text) {
  if (!host_) return;
  if (floating_) {
    host_->SetCaption(text);
    if (TkvForm* frame = TkvForm::FindOn(host_)) frame->SetCaption(text);
  } else {
    Find<TLabel>(*host_, "lbEvalFunc")->SetCaption(text);
  }
}

void TEvalPanelControls::SetPagesEnabled(bool enabled) {
  if (pages_ && pages_->Enabled() != enabled) pages_->SetEnabled(enabled);
}

void TEvalPanelControls::ShowAllEvalRows() {
  for (const TEvalVarRow& row : vars_.Rows) {
    row.edEvalVar->SetVisible(true);
    row.lbEvalVar->SetVisible(true);
    row.gbTFVar->SetVisible(true);
  }
  for (const TEvalFuncRow& row : funcs_.Rows)
    for (TControl* control : {static_cast<TControl*>(row.edEvalF), static_cast<TControl*>(row.edEvalDF),
                              static_cast<TControl*>(row.edTF), static_cast<TControl*>(row.lbEvalF),
                              static_cast<TControl*>(row.lbEvalDF), static_cast<TControl*>(row.lbTF)})
      control->SetVisible(true);
}

void TEvalPanelControls::ApplyLayout(const TEvalLayout& layout) {
  if (!host_) return;
  ShowAllEvalRows();
  for (int v = 1; v <= 2; ++v) {
    const TEvalVarRow& row = vars_.Rows[v];
    row.lbEvalVar->SetCaption(layout.VarLabels[v]);
    row.gbTFVar->SetCaption(layout.LimitCaptions[v]);
    const bool shown = v <= layout.VarRows;
    row.lbEvalVar->SetVisible(shown);
    row.edEvalVar->SetVisible(shown);
    row.gbTFVar->SetVisible(shown);
  }
  for (int j = 1; j <= 3; ++j) {
    const TEvalFuncRow& row = funcs_.Rows[j];
    row.lbEvalF->SetCaption(layout.ValueLabels[j]);
    row.lbEvalDF->SetCaption(layout.DerivLabels[j]);
    row.lbTF->SetCaption(layout.IntLabels[j]);
    row.lbEvalF->SetVisible(j <= layout.ValueRows);
    row.edEvalF->SetVisible(j <= layout.ValueRows);
    row.lbEvalDF->SetVisible(j <= layout.DerivRows);
    row.edEvalDF->SetVisible(j <= layout.DerivRows);
    row.lbTF->SetVisible(j <= layout.IntRows);
    row.edTF->SetVisible(j <= layout.IntRows);
  }
  // A plane target's derivatives are never partial.
  funcs_.gbEvalDF->SetCaption(layout.DerivCaption);
  funcs_.gbEvalF->SetHeight(layout.ValueHeight);
  funcs_.gbEvalDF->SetHeight(layout.DerivHeight);
  funcs_.gbTF->SetHeight(layout.IntHeight);
  vars_.gbEvalVar->SetHeight(layout.VarHeight);
  vars_.gbTFVar->SetHeight(layout.LimitHeight);
  Stack();
}

void TEvalPanelControls::Stack() {
  TControl* max = Find<TkvButton>(*host_, "btnEvalMax");
  TControl* min = Find<TkvButton>(*host_, "btnEvalMin");
  TControl* root = Find<TkvButton>(*host_, "btnEvalZ");
  auto bottom = [](const TControl* c) { return c->Top() + c->Height(); };
  TkvGroupBox *var = vars_.gbEvalVar, *value = funcs_.gbEvalF, *deriv = funcs_.gbEvalDF;
  if (!floating_) {
    value->SetTop(bottom(var) + GroupGap);
    deriv->SetTop(bottom(value) + GroupGap);
    max->SetTop(bottom(deriv) + DockedButtonGap);
    funcs_.gbTF->SetTop(bottom(vars_.gbTFVar) + GroupGap);
  } else {
    deriv->SetTop(bottom(value) + GroupGap);
    max->SetTop(bottom(var) + FloatButtonGap);
  }
  min->SetTop(max->Top());
  root->SetTop(max->Top() + RootButtonBelow);
  if (!floating_) return;
  const int pageHeight =
      33 + std::max({bottom(deriv), root->Top() + 40, std::max(vars_.gbTFVar->Height(), funcs_.gbTF->Height()) + 6});
  pages_->SetHeight(pageHeight);
  if (TkvForm* frame = TkvForm::FindOn(host_)) frame->SetHeight(pageHeight + 28);
}

void TEvalPanelControls::RepaintView() {
  if (MainForm) MainForm->RepaintView();
}

TEvalPanelControls& EvalPanelControls() {
  static TEvalPanelControls controls;
  return controls;
}

TEvalPanel& EvalPanel() {
  static TEvalPanel panel(FuncModel(), ViewState(), EvalState(), EvalPanelControls());
  return panel;
}

}  // namespace kx
