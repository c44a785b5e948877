#include "app/windows/ThNghiemU.h"

#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "framework/core/FormResources.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVGrid.h"

namespace kx {

TTNForm* TNForm = nullptr;

KX_PUBLISH(TTNForm) {
  p.Handler("ColorBoxDrawItem", &TTNForm::ColorBoxDrawItem);
  p.Handler("btnOKClick", &TTNForm::btnOKClick);
  p.Handler("btnCancelClick", &TTNForm::btnCancelClick);
}

TTNForm::TTNForm(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  gridHS_ = As<TkvStringGrid>(FindComponent("gridHS"));
}

TModalResult TTNForm::EditCurFunc() {
  // The coefficient grid's row titles: a form resource holds no cell texts.
  gridHS_->SetCells(0, 0, Tcvn3Text("Hệ số thứ"));
  gridHS_->SetCells(0, 1, Tcvn3Text("Giá trị"));
  return ShowModal();
}

void TTNForm::ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState) {
  TCanvas& canvas = *As<TComboBox>(control)->Canvas();
  canvas.FillRect(rect);
  if (index < 0 || index + 1 > ColorTable2D.High) return;
  InflateRect(&rect, -2, -2);
  canvas.Brush()->SetColor(ColorTable2D[index + 1]);
  canvas.FillRect(rect);
}

void TTNForm::btnOKClick(TObject*) { SetModalResult(mrOk); }

void TTNForm::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

}  // namespace kx
