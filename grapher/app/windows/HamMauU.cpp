#include "app/windows/HamMauU.h"

#include "app/windows/FInU_Rows.h"
#include "framework/core/FormResources.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"
#include "skin/frame/KVForm.h"

namespace kx {

TfrmHamMau* frmHamMau = nullptr;
TTemplateKindChanged TemplateKindChanged = nullptr;

KX_PUBLISH(TfrmHamMau) { p.Handler("raF1Click", &TfrmHamMau::raF1Click); }

TfrmHamMau::TfrmHamMau(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  kvForm1_ = FindComponentAs<TkvForm>(*this, "kvForm1");
  for (int i = 1; i <= TemplateRowCount; ++i) {
    labels_[i] = FindComponentAs<TLabel>(*this, "lb" + std::to_string(i));
    edits_[i] = FindComponentAs<TkvEdit>(*this, "ed" + std::to_string(i));
  }
  for (int i = 1; i <= TemplatePictureCount; ++i) images_[i] = FindComponentAs<TImage>(*this, ImageName(i));
  raF1_ = FindComponentAs<TkvRadioButton>(*this, "raF1");
  raF2_ = FindComponentAs<TkvRadioButton>(*this, "raF2");
  btnOK_ = FindComponentAs<TkvButton>(*this, "btnOK");
  btnCancel_ = FindComponentAs<TkvButton>(*this, "btnCancel");
}

void TfrmHamMau::ResetTemplateForm() {
  raF1_->Hide();
  raF2_->Hide();
  for (int i = 3; i <= TemplateRowCount; ++i) {
    labels_[i]->Hide();
    edits_[i]->Hide();
  }
  for (TImage* image : images_) image->Hide();
}

void TfrmHamMau::raF1Click(TObject*) {
  if (TemplateKindChanged) TemplateKindChanged();
}

namespace {

// Type 1 shows the first picture, type 2 the second.
void ShowPictureOfType(int type1Picture, int type2Picture) {
  if (!frmHamMau) return;
  frmHamMau->Image(type1Picture)->SetVisible(frmHamMau->raF1()->Checked());
  frmHamMau->Image(type2Picture)->SetVisible(frmHamMau->raF2()->Checked());
}

}  // namespace

void HyperbolaKindChanged() { ShowPictureOfType(3, 12); }
void ParaboloidKindChanged() { ShowPictureOfType(8, 11); }
void HyperboloidKindChanged() { ShowPictureOfType(9, 10); }

}  // namespace kx
