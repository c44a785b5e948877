// The evaluation panel's controls on its two windows: the component tables
// each window fills once when it is created, and the panel shown now, which
// the evaluation logic (TEvalPanel) reads and writes.
#pragma once

#include <string>

#include "app/model/MainU_EvalPanel.h"
#include "app/model/RangeArray.h"

namespace kx {

class TComponent;
class TForm;
class TLabel;
class TkvEdit;
class TkvGroupBox;
class TkvPageControl;

// One variable: its value edit, its limit edits (from, to), its label and its
// limit group.
struct TEvalVarRow {
  TkvEdit* edEvalVar = nullptr;
  TkvEdit* edTFVarF = nullptr;
  TkvEdit* edTFVarL = nullptr;
  TLabel* lbEvalVar = nullptr;
  TkvGroupBox* gbTFVar = nullptr;
};
struct TEvalVarRows {
  TkvGroupBox* gbEvalVar = nullptr;
  TkvGroupBox* gbTFVar = nullptr;
  TRangeArray<TEvalVarRow, 1, 2> Rows;
};

// One formula: its value, derivative and integral edits and their labels.
struct TEvalFuncRow {
  TkvEdit* edEvalF = nullptr;
  TkvEdit* edEvalDF = nullptr;
  TkvEdit* edTF = nullptr;
  TLabel* lbEvalF = nullptr;
  TLabel* lbEvalDF = nullptr;
  TLabel* lbTF = nullptr;
};
struct TEvalFuncRows {
  TkvGroupBox* gbEvalF = nullptr;
  TkvGroupBox* gbEvalDF = nullptr;
  TkvGroupBox* gbTF = nullptr;
  TRangeArray<TEvalFuncRow, 1, 3> Rows;
};

// Finds the panel's components by name on the window; a missing one raises.
void BindEvalComponents(TComponent& window, TEvalVarRows& vars, TEvalFuncRows& funcs);

// The main window's and the floating window's tables, each bound once.
TEvalVarRows& MainEvalVarRows();
TEvalFuncRows& MainEvalFuncRows();
TEvalVarRows& FloatEvalVarRows();
TEvalFuncRows& FloatEvalFuncRows();

// The panel shown now: a copy of one window's tables, its window and its
// page control.
class TEvalPanelControls : public TEvalPanelView {
 public:
  // Makes the docked panel (floating false) or the floating window's the
  // current one.
  void UseHost(TForm* host, bool floating);
  TForm* EvalHost() const { return host_; }
  TkvPageControl* EvalPageControl() const { return pages_; }
  // The integral page is the active page of the current panel's pages.
  bool IntegralPageActive() const;

  std::string InputText(TEvalInput input) override;
  void SetInputText(TEvalInput input, const std::string& text) override;
  void SetResultText(int row, TEvalColumn column, const std::string& text) override;
  void SetPanelTitle(const std::string& text) override;
  void SetPagesEnabled(bool enabled) override;
  void ApplyLayout(const TEvalLayout& layout) override;
  void RepaintView() override;

 private:
  TkvEdit* Input(TEvalInput input) const;
  // Every variable row and formula row shown.
  void ShowAllEvalRows();
  void Stack();

  TForm* host_ = nullptr;
  bool floating_ = false;
  TkvPageControl* pages_ = nullptr;
  TEvalVarRows vars_;
  TEvalFuncRows funcs_;
};

// The program's one panel and its logic over the program's model and states.
TEvalPanelControls& EvalPanelControls();
TEvalPanel& EvalPanel();

}  // namespace kx
