// The extra-parameter dialog: start, end and step of the function's one or
// two variables, and the shift and rotation of its axes. The formula dialog
// opens it and runs its loop (RunParaDialog) on the model's CurFunc.
#pragma once

#include <string>

#include "app/model/RangeArray.h"
#include "app/windows/ParaU_Logic.h"
#include "framework/windows/Forms.h"

namespace kx {

class TkvEdit;
class TkvGroupBox;
class TLabel;

class TParaForm : public TForm {
  KX_CLASS(TParaForm, TForm)
 public:
  // Built from its form resource, which binds the buttons to the handlers.
  explicit TParaForm(TComponent* owner);

  std::string FieldText(TParaField field) const;
  void SetFieldText(TParaField field, const std::string& text);
  // The heading of the first (1) or second (2) variable's column.
  void SetVarHeading(int column, const std::string& caption);
  // The shift and rotation group, with every control in it.
  void EnableShiftGroup(bool enabled);
  // The second variable's three fields and its heading.
  void EnableSecondColumn(bool enabled);

  void kvtempbtnOKClick(TObject* sender);
  void kvtempbtnCancelClick(TObject* sender);

 private:
  TkvEdit* Field(TParaField field) const;

  TRangeArray<TkvEdit*, 0, 8> fields_{};
  TLabel* lbBien1_ = nullptr;
  TLabel* lbBien2_ = nullptr;
  TkvGroupBox* gbRelOrd_ = nullptr;
};

// The program's one extra-parameter dialog, made at start-up; nullptr until then.
extern TParaForm* ParaForm;

}  // namespace kx
