#include "app/model/MainU_EvalPanel.h"

#include "app/model/DecimalText.h"
#include "app/model/MainU_Eval.h"
#include "app/model/Tcvn3Text.h"

namespace kx {

namespace {

// Where each input's value lives in the state; the point is 80-bit, the
// limits 64-bit.
struct TInputSlot {
  long double* Point = nullptr;
  double* Limit = nullptr;
};

TInputSlot Slot(TEvalState& eval, TEvalInput input) {
  switch (input) {
    case TEvalInput::Var1:
      return {&eval.EvalVar1, nullptr};
    case TEvalInput::Var2:
      return {&eval.EvalVar2, nullptr};
    case TEvalInput::From1:
      return {nullptr, &eval.IntegralFrom};
    case TEvalInput::To1:
      return {nullptr, &eval.IntegralTo};
    case TEvalInput::From2:
      return {nullptr, &eval.IntegralFrom2};
    case TEvalInput::To2:
      break;
  }
  return {nullptr, &eval.IntegralTo2};
}

constexpr TEvalColumn kColumns[] = {TEvalColumn::Value, TEvalColumn::Derivative, TEvalColumn::Integral};

}  // namespace

bool TEvalPanel::CheckEvalTarget() {
  if (EvalTarget(model_, eval_)) {
    panel_.SetPagesEnabled(true);
    return true;
  }
  eval_.EvalMode = 0;
  eval_.EvalFuncIdx = -1;
  panel_.SetPanelTitle(view_.EvalPanelFloating ? "Chua chon ham so" : Tcvn3Text("Chưa chọn hàm số"));
  panel_.SetPagesEnabled(false);
  return false;
}

bool TEvalPanel::ReadEvalInputs() {
  for (TEvalInput input : EvalInputs) {
    long double value;
    if (!TryParseFieldNumber(panel_.InputText(input), value)) return false;
    const TInputSlot slot = Slot(eval_, input);
    if (slot.Point)
      *slot.Point = value;
    else
      *slot.Limit = static_cast<double>(value);
  }
  return true;
}

bool TEvalPanel::EvaluateAll(bool readInputs, bool full) {
  if (!CheckEvalTarget()) return false;
  bool good = !readInputs || ReadEvalInputs();
  if (good) {
    // The results of a failed step are not shown, so they are computed on a
    // copy and kept only when the step succeeds.
    TEvalState attempt = eval_;
    good = EvaluateStep(model_, attempt, full);
    if (good) eval_ = attempt;
  }
  if (!good) {
    for (int row = 1; row <= 3; ++row)
      for (TEvalColumn column : kColumns) panel_.SetResultText(row, column, "???");
    return false;
  }
  if (full) WriteEvalPanel(!readInputs, true);
  return true;
}

void TEvalPanel::WriteEvalPanel(bool inputs, bool results) {
  if (!CheckEvalTarget()) return;
  if (inputs) {
    // Each write may re-evaluate through the edit's change event: the values
    // are taken first.
    const TEvalState values = eval_;
    panel_.SetInputText(TEvalInput::Var1, FormatEvalValue(values.EvalVar1));
    panel_.SetInputText(TEvalInput::From1, FormatEvalValue(values.IntegralFrom));
    panel_.SetInputText(TEvalInput::To1, FormatEvalValue(values.IntegralTo));
    panel_.SetInputText(TEvalInput::Var2, FormatEvalValue(values.EvalVar2));
    panel_.SetInputText(TEvalInput::From2, FormatEvalValue(values.IntegralFrom2));
    panel_.SetInputText(TEvalInput::To2, FormatEvalValue(values.IntegralTo2));
  }
  if (results) {
    for (int row = 1; row <= 3; ++row) {
      panel_.SetResultText(row, TEvalColumn::Value, FormatEvalValue(eval_.EvalF[row]));
      panel_.SetResultText(row, TEvalColumn::Derivative, FormatEvalValue(eval_.EvalDF[row]));
      panel_.SetResultText(row, TEvalColumn::Integral, FormatEvalValue(eval_.EvalInt[row]));
    }
  }
}

void TEvalPanel::SetupEvalPanel() {
  if (!CheckEvalTarget()) return;
  WriteEvalPanel(true, false);
  const TFuncRec* target = EvalTarget(model_, eval_);
  if (!target) return;  // the writes above may have re-evaluated into no target
  panel_.ApplyLayout(EvalLayout(target->FuncType));
  panel_.SetPanelTitle(target->FuncName);
  EvaluateAll(true, true);
  panel_.RepaintView();
  panel_.RepaintView();
}

void TEvalPanel::SelectTarget(int itemIndex) {
  const int32_t count = view_.Is2DMode ? model_.Count2D : model_.Count3D;
  if (itemIndex < 0 || itemIndex + 1 > count) return;
  eval_.EvalMode = view_.Is2DMode ? 1 : 2;
  eval_.EvalFuncIdx = itemIndex + 1;
}

void TEvalPanel::InputChanged() {
  if (!eval_.SearchRunning) EvaluateAll(true, true);
  eval_.SearchHit = false;
  const bool ownMode = (eval_.EvalMode == 1) == view_.Is2DMode;
  if (!ownMode || !EvalTarget(model_, eval_)) return;
  panel_.RepaintView();
  if (!view_.Is2DMode) panel_.RepaintView();
}

void TEvalPanel::ResetInputs() {
  eval_.EvalVar1 = eval_.EvalVar2 = 0;
  eval_.IntegralFrom = eval_.IntegralTo = eval_.IntegralFrom2 = eval_.IntegralTo2 = 0;
  eval_.SearchHit = false;
}

}  // namespace kx
