#include "app/windows/HamMauU.h"

#include "app/model/Tcvn3Text.h"
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

void TfrmHamMau::PrepareTemplate(const TTemplateInfo& info) {
  ResetTemplateForm();
  kvForm1_->SetCaption(info.Caption);
  const int rows = static_cast<int>(info.Labels.size());
  for (int i = 1; i <= rows; ++i) {
    labels_[i]->SetCaption(Tcvn3Text(info.Labels[i - 1]));
    labels_[i]->Show();
    edits_[i]->Show();
  }
  // Every template starts at type 1, shown or not.
  raF1_->SetChecked(true);
  if (info.Type2Picture) {
    raF1_->SetCaption(Tcvn3Text(info.Type1Caption));
    raF2_->SetCaption(Tcvn3Text(info.Type2Caption));
    raF1_->Show();
    raF2_->Show();
  }
  TImage* picture = images_[info.Picture];
  picture->Show();

  int top = picture->Top() + info.LabelOffset;
  for (int i = 1; i <= rows; ++i, top += 32) {
    labels_[i]->SetTop(top);
    edits_[i]->SetTop(top);
  }
  const int buttonsTop = labels_[rows]->Top() + 40;
  btnOK_->SetTop(buttonsTop);
  btnCancel_->SetTop(buttonsTop);
  SetClientHeight(buttonsTop + 50);
}

std::vector<std::string> TfrmHamMau::FieldTexts(const TTemplateInfo& info) const {
  std::vector<std::string> texts;
  for (int i = 1; i <= static_cast<int>(info.Labels.size()); ++i) texts.push_back(edits_[i]->Text());
  return texts;
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
