// The evaluation panel's logic without its windows: the target check, the
// evaluation from the panel's input edits to its result edits, and the set-up
// for the target's kind. The panel shown now (docked in the main window or
// in the floating window) is reached through TEvalPanelView.
#pragma once

#include <string>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_EvalLayout.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/MainU_View.h"

namespace kx {

// The six input edits, in the order they are read.
enum class TEvalInput { Var1, Var2, From1, To1, From2, To2 };
constexpr TEvalInput EvalInputs[] = {TEvalInput::Var1,  TEvalInput::Var2, TEvalInput::From1,
                                     TEvalInput::To1,   TEvalInput::From2, TEvalInput::To2};
// The three result columns of a formula's row.
enum class TEvalColumn { Value, Derivative, Integral };

// The controls of the panel shown now. Texts are TCVN3.
class TEvalPanelView {
 public:
  virtual ~TEvalPanelView() = default;
  virtual std::string InputText(TEvalInput input) = 0;
  // Writing an input raises its change event as typing does.
  virtual void SetInputText(TEvalInput input, const std::string& text) = 0;
  virtual void SetResultText(int row, TEvalColumn column, const std::string& text) = 0;
  // The floating window's title, or the docked panel's title label.
  virtual void SetPanelTitle(const std::string& text) = 0;
  virtual void SetPagesEnabled(bool enabled) = 0;
  // Every row shown, then the target's rows, labels and group heights, and
  // the groups stacked by their heights.
  virtual void ApplyLayout(const TEvalLayout& layout) = 0;
  virtual void RepaintView() = 0;
};

class TEvalPanel {
 public:
  TEvalPanel(TFuncModel& model, TViewState& view, TEvalState& eval, TEvalPanelView& panel)
      : model_(model), view_(view), eval_(eval), panel_(panel) {}

  // True when EvalMode and EvalFuncIdx name an entry (the pages are enabled
  // again); otherwise the target is dropped, the title says none is chosen
  // and the pages are disabled.
  bool CheckEvalTarget();
  // Parses the six inputs into the state (hidden ones too) in their order;
  // false at the first that does not convert, the ones before it kept.
  bool ReadEvalInputs();
  // Evaluates the target, reading the inputs first when asked; full adds the
  // integrals and writes the panel (and the inputs, when not read). On bad
  // input or a floating-point error every result shows "???" and the
  // results keep their previous values. False then, or without a target.
  bool EvaluateAll(bool readInputs, bool full);
  void WriteEvalPanel(bool inputs, bool results);
  // Prepares the panel for the target's kind and evaluates.
  void SetupEvalPanel();
  // The target from the list box: item (0-based) of the current mode's list;
  // no valid selection keeps the previous target.
  void SelectTarget(int itemIndex);
  // An input edit changed: evaluates unless a search runs, drops the search
  // result mark, and repaints when the target belongs to the view's mode.
  void InputChanged();
  // Closing the docked panel: the point and the limits go back to 0.
  void ResetInputs();

 private:
  TFuncModel& model_;
  TViewState& view_;
  TEvalState& eval_;
  TEvalPanelView& panel_;
};

}  // namespace kx
