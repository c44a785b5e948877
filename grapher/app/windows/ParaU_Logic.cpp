#include "app/windows/ParaU_Logic.h"

#include <cmath>

#include "app/model/Tcvn3Text.h"
#include "app/windows/ParaU_Numbers.h"

namespace kx {

namespace {

bool IsSurface(int32_t kind) { return kind == 7 || kind == 8; }

std::string VarHeading(int32_t kind, int column) {
  static const std::string word = Tcvn3Text("Biến ");
  const char letter = kind >= 1 && kind <= 8 ? KindTable()[kind].VarNames[column] : ' ';
  return word + letter;
}

// Reads one field; false (and the record unchanged) for a text that is no number.
bool Read(TParaWindow& window, TParaField field, double& target) {
  double value = 0;
  if (!TryParseParaNumber(window.FieldText(field), value)) return false;
  target = value;
  return true;
}

// Reads a step; a refused one leaves the record's step as it was, since a
// zero step kept after a Cancel would make the drawing endless.
bool ReadStep(TParaWindow& window, TParaField field, double& target, bool& ok) {
  double value = 0;
  if (!TryParseParaNumber(window.FieldText(field), value)) return false;
  if (std::fabs(value) <= MinParaStep)
    ok = false;
  else
    target = value;
  return true;
}

}  // namespace

void LoadParaForm(const TFuncRec& f, TParaWindow& window) {
  const int32_t kind = f.FuncType;
  window.SetFieldText(TParaField::First1, ParaNumberText(f.First1));
  window.SetFieldText(TParaField::Last1, ParaNumberText(f.Last1));
  window.SetFieldText(TParaField::Step1, ParaNumberText(f.Step1));
  window.SetVarHeading(1, VarHeading(kind, 1));
  if (IsSurface(kind)) {
    window.EnableShiftGroup(false);
    window.EnableSecondColumn(true);
    window.SetFieldText(TParaField::First2, ParaNumberText(f.First2));
    window.SetFieldText(TParaField::Last2, ParaNumberText(f.Last2));
    window.SetFieldText(TParaField::Step2, ParaNumberText(f.Step2));
    window.SetVarHeading(2, VarHeading(kind, 2));
  } else {
    window.EnableShiftGroup(true);
    window.SetFieldText(TParaField::RelX, ParaNumberText(f.RelX));
    window.SetFieldText(TParaField::RelY, ParaNumberText(f.RelY));
    window.SetFieldText(TParaField::Rotate, ParaNumberText(f.Rotate));
    window.EnableSecondColumn(false);
  }
}

bool ReadParaForm(TParaWindow& window, TFuncRec& f) {
  bool ok = true;
  if (!Read(window, TParaField::First1, f.First1) || !Read(window, TParaField::Last1, f.Last1) ||
      !ReadStep(window, TParaField::Step1, f.Step1, ok))
    return false;
  if (IsSurface(f.FuncType)) {
    if (!Read(window, TParaField::First2, f.First2) || !Read(window, TParaField::Last2, f.Last2) ||
        !ReadStep(window, TParaField::Step2, f.Step2, ok))
      return false;
  } else {
    if (!Read(window, TParaField::RelX, f.RelX) || !Read(window, TParaField::RelY, f.RelY) ||
        !Read(window, TParaField::Rotate, f.Rotate))
      return false;
  }
  return ok;
}

bool RunParaDialog(TFuncRec& f, TParaWindow& window) {
  LoadParaForm(f, window);
  for (;;) {
    const TModalResult result = window.ShowModal();
    if (result == mrCancel || result == mrAbort) return false;
    if (ReadParaForm(window, f)) return true;
    window.ShowWarning("Nhap sai so", "Error");
  }
}

}  // namespace kx
