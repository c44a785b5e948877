// The experimental-data dialog: a function given by a table of measured
// points, drawn as points, a broken line, the interpolation polynomial or a
// least-squares polynomial.
#pragma once

#include <windows.h>

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

class TkvStringGrid;

class TTNForm : public TForm {
  KX_CLASS(TTNForm, TForm)
 public:
  // Builds the dialog from its form resource.
  explicit TTNForm(TComponent* owner);

  // Shows the dialog modally for the model's CurFunc; mrOk when it was
  // accepted, mrCancel when it was cancelled or closed.
  TModalResult EditCurFunc();

  // The colour list: entry (index + 1) of the plane palette, inside a
  // two-pixel margin of the item's own background.
  void ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState state);
  void btnOKClick(TObject* sender);
  void btnCancelClick(TObject* sender);

 private:
  TkvStringGrid* gridHS_ = nullptr;
};

// The program's experimental-data dialog; nullptr until the program entry
// creates it.
extern TTNForm* TNForm;

}  // namespace kx
