// The kind chooser: the first step of adding a function. A kind button sets
// the kind of the model's CurFunc (and, for the space kinds, a smaller
// sampling range) and closes the chooser accepted; closing it chooses nothing.
#pragma once

#include "app/windows/SelFTU_Templates.h"
#include "app/windows/WarningBox.h"
#include "framework/windows/Forms.h"

namespace kx {

class TSelFTypeForm : public TForm {
  KX_CLASS(TSelFTypeForm, TForm)
 public:
  // Built from its form resource, which binds the buttons to the handlers.
  explicit TSelFTypeForm(TComponent* owner);

  void btnFType1Click(TObject* sender);
  void btnFType2Click(TObject* sender);
  void btnFType3Click(TObject* sender);
  void btnFType4Click(TObject* sender);
  void btnFType5Click(TObject* sender);
  void btnFType6Click(TObject* sender);
  void btnFType7Click(TObject* sender);
  void btnFType8Click(TObject* sender);
  void btnHamTNClick(TObject* sender);
  // The shape templates: each asks for its numbers in the template form.
  void btnTronClick(TObject* sender);
  void btnElipClick(TObject* sender);
  void btnHypClick(TObject* sender);
  void btn2on1Click(TObject* sender);
  void btn4Click(TObject* sender);
  void btnCauClick(TObject* sender);
  void btnElipxoitClick(TObject* sender);
  void btnParaboloitClick(TObject* sender);
  void btnHyp1Click(TObject* sender);
  void btnNonClick(TObject* sender);

  // The template form's refusal "Nhap sai so", owned by the chooser.
  TWarningBox WarningBox = ShowWarningBox;

 private:
  void KindClicked(int kind);
  void TemplateClicked(TTemplate t);
};

// The program's one chooser, made at start-up; nullptr until then.
extern TSelFTypeForm* SelFTypeForm;

}  // namespace kx
