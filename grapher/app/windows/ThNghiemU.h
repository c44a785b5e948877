// The experimental-data dialog: a function given by a table of measured
// points, drawn as points, a broken line, the interpolation polynomial or a
// least-squares polynomial. It reads and writes the model's CurFunc.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/windows/WarningBox.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

class TkvStringGrid;
class TkvEdit;
class TkvCheckBox;
class TkvComboBox;
class TkvRadioButton;
class TValueListEditor;

class TTNForm : public TForm {
  KX_CLASS(TTNForm, TForm)
 public:
  // Builds the dialog from its form resource.
  explicit TTNForm(TComponent* owner);

  // Fills the dialog from CurFunc: name, colour, line width, the draw type
  // with its degree, the stored differences or coefficients, and the table.
  void PrepareTNDialog();
  // PrepareTNDialog, then shows the dialog modally: mrOk when it was
  // accepted, mrCancel when it was cancelled or closed.
  TModalResult EditCurFunc();

  // The draw types: each writes CurFunc's DrawType (and degree) at once.
  void rbDRRClick(TObject* sender);
  void rbDGKClick(TObject* sender);
  void rbDTNSClick(TObject* sender);
  void rbHHQClick(TObject* sender);
  void rbTTClick(TObject* sender);
  void rbDTBNClick(TObject* sender);
  void edPTBacChange(TObject* sender);
  // The table's buttons and the trial fit.
  void btnSwapXYClick(TObject* sender);
  void btnSortClick(TObject* sender);
  void btnHSPTClick(TObject* sender);
  // The colour list: entry (index + 1) of the plane palette, inside a
  // two-pixel margin of the item's own background.
  void ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState state);
  void btnOKClick(TObject* sender);
  void btnCancelClick(TObject* sender);

  // The table read into CurFunc's points (none on failure); a cell that is
  // no number shows "Nhap sai gia tri thuc nghiem". An empty table fails
  // without a message.
  bool ReadDataTable();
  // ReadDataTable, then the points and the table's rows sorted by X.
  bool ReadAndSortDataTable();

  // The dialog's message boxes, owned by it.
  TWarningBox WarningBox = ShowWarningBox;

 private:
  // The differences or coefficients of CurFunc in the grid under its title.
  void ShowGrid(const char* title, const std::vector<long double>& values, int firstNumber);
  void SelectDrawType(TkvRadioButton* chosen, int32_t drawType);
  // The linear regression or the polynomial of the degree field.
  void ChooseRegression(TkvRadioButton* chosen, int32_t degree);
  // The degree typed into the degree field.
  int32_t DegreeField() const;
  bool Fit();

  TValueListEditor* table_;
  TkvStringGrid* gridHS_;
  TkvEdit* edFuncName_;
  TkvEdit* edDdn_;
  TkvEdit* edPTBac_;
  TkvComboBox* colorBox_;
  TkvCheckBox* cbNewF_;
  TkvRadioButton* rbDRR_;
  TkvRadioButton* rbDGK_;
  TkvRadioButton* rbDTNS_;
  TkvRadioButton* rbHHQ_;
  TkvRadioButton* rbTT_;
  TkvRadioButton* rbDTBN_;
};

// The program's experimental-data dialog; nullptr until the program entry
// creates it.
extern TTNForm* TNForm;

}  // namespace kx
