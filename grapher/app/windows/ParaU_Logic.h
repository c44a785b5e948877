// The extra-parameter dialog apart from its window: filling the fields from
// the record being added or edited, reading them back, and the loop that shows
// the dialog again until every field it reads is a number and no step is too
// small, or the user cancels. The window implements TParaWindow; tests use a
// fake.
#pragma once

#include <cstdint>
#include <string>

#include "app/model/MainU_Funcs.h"
#include "framework/windows/Forms.h"

namespace kx {

// The dialog's edit fields, one per record field.
enum class TParaField { First1, Last1, Step1, First2, Last2, Step2, RelX, RelY, Rotate };

class TParaWindow {
 public:
  virtual ~TParaWindow() = default;
  virtual std::string FieldText(TParaField field) const = 0;
  virtual void SetFieldText(TParaField field, const std::string& text) = 0;
  // The heading of the first (1) or second (2) variable's column.
  virtual void SetVarHeading(int column, const std::string& caption) = 0;
  // The shift and rotation group, with every control in it.
  virtual void EnableShiftGroup(bool enabled) = 0;
  // The second variable's three fields and its heading.
  virtual void EnableSecondColumn(bool enabled) = 0;
  // Shows the dialog modally with the texts it holds.
  virtual TModalResult ShowModal() = 0;
  // A message box owned by the formula dialog: warning icon, one OK button.
  virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
};

// A step this small would make a drawing loop practically endless.
constexpr double MinParaStep = 1e-12;

// Fills the fields from the record for its kind: surfaces (kinds 7 and 8) use
// both columns and have no shift or rotation; the other kinds use the first
// column, shift and rotation. The fields of the part switched off keep their
// texts.
void LoadParaForm(const TFuncRec& f, TParaWindow& window);

// Reads the fields of the record's kind into it, in the order of the dialog.
// A text that is no number stops the reading there: the fields read before it
// keep their new values. A step of at most MinParaStep in size is refused and
// keeps the record's step, and the reading goes on. True when every field was
// read and no step was refused.
bool ReadParaForm(TParaWindow& window, TFuncRec& f);

// The dialog loop of the formula dialog's "more parameters" button: fills the
// dialog, shows it, and while what it read is refused tells the user and
// shows it again with the user's texts. True when the values were accepted;
// a Cancel keeps whatever earlier attempts read into the record.
bool RunParaDialog(TFuncRec& f, TParaWindow& window);

}  // namespace kx
