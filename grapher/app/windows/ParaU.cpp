#include "app/windows/ParaU.h"

#include "app/windows/FInU_Rows.h"
#include "framework/core/FormResources.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGroupBox.h"

namespace kx {

TParaForm* ParaForm = nullptr;

KX_PUBLISH(TParaForm) {
  p.Handler("kvtempbtnOKClick", &TParaForm::kvtempbtnOKClick);
  p.Handler("kvtempbtnCancelClick", &TParaForm::kvtempbtnCancelClick);
}

namespace {

// The edit of each field, in the order of TParaField.
constexpr const char* FieldNames[] = {"edFirst", "edLast", "edStep", "edFirst2", "edLast2",
                                      "edStep2", "edXo",   "edYo",   "edRotate"};

}  // namespace

TParaForm::TParaForm(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  for (int i = 0; i <= 8; ++i) fields_[i] = FindComponentAs<TkvEdit>(*this, FieldNames[i]);
  lbBien1_ = FindComponentAs<TLabel>(*this, "lbBien1");
  lbBien2_ = FindComponentAs<TLabel>(*this, "lbBien2");
  gbRelOrd_ = FindComponentAs<TkvGroupBox>(*this, "gbRelOrd");
}

TkvEdit* TParaForm::Field(TParaField field) const { return fields_[static_cast<int>(field)]; }

std::string TParaForm::FieldText(TParaField field) const { return Field(field)->Text(); }

void TParaForm::SetFieldText(TParaField field, const std::string& text) { Field(field)->SetText(text); }

void TParaForm::SetVarHeading(int column, const std::string& caption) {
  (column == 1 ? lbBien1_ : lbBien2_)->SetCaption(caption);
}

void TParaForm::EnableShiftGroup(bool enabled) { gbRelOrd_->SetEnabled(enabled); }

void TParaForm::EnableSecondColumn(bool enabled) {
  for (TParaField field : {TParaField::First2, TParaField::Last2, TParaField::Step2}) Field(field)->SetEnabled(enabled);
  lbBien2_->SetEnabled(enabled);
}

void TParaForm::kvtempbtnOKClick(TObject*) { SetModalResult(mrOk); }

void TParaForm::kvtempbtnCancelClick(TObject*) { SetModalResult(mrCancel); }

}  // namespace kx
