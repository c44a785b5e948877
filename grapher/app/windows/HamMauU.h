// The shape templates' parameter form: up to five labelled number fields, two
// radio buttons for the templates that come in two types, and the pictures of
// the shapes' equations. A template sets the captions, shows its rows and its
// picture, and reads the fields when the form closes with OK.
#pragma once

#include <string>
#include <vector>

#include "app/model/RangeArray.h"
#include "app/windows/SelFTU_Templates.h"
#include "framework/windows/Forms.h"

namespace kx {

class TLabel;
class TImage;
class TkvEdit;
class TkvForm;
class TkvButton;
class TkvRadioButton;

// Rows of parameter fields, and pictures of equations, on the form.
constexpr int TemplateRowCount = 5;
constexpr int TemplatePictureCount = 13;

class TfrmHamMau : public TForm {
  KX_CLASS(TfrmHamMau, TForm)
 public:
  explicit TfrmHamMau(TComponent* owner);

  // Hides the radio buttons, rows 3 to 5 and every picture; rows 1 and 2
  // stay. Each template starts from here and shows what it needs.
  void ResetTemplateForm();
  // Sets the form up for a template: from the reset, its caption, labels,
  // rows, radio buttons (first checked) and type-1 picture, the rows placed
  // below the picture and the buttons below the rows. The fields keep what
  // was last typed into them.
  void PrepareTemplate(const TTemplateInfo& info);
  // The texts of the template's rows, in order.
  std::vector<std::string> FieldTexts(const TTemplateInfo& info) const;

  // Both radio buttons' click: the two-type template shown last switches its
  // picture.
  void raF1Click(TObject* sender);

  TkvForm* kvForm1() const { return kvForm1_; }
  TLabel* lb(int row) const { return labels_[row]; }
  TkvEdit* ed(int row) const { return edits_[row]; }
  TImage* Image(int number) const { return images_[number]; }
  TkvRadioButton* raF1() const { return raF1_; }
  TkvRadioButton* raF2() const { return raF2_; }
  TkvButton* btnOK() const { return btnOK_; }
  TkvButton* btnCancel() const { return btnCancel_; }

 private:
  TkvForm* kvForm1_;
  TRangeArray<TLabel*, 1, TemplateRowCount> labels_;
  TRangeArray<TkvEdit*, 1, TemplateRowCount> edits_;
  TRangeArray<TImage*, 1, TemplatePictureCount> images_;
  TkvRadioButton* raF1_;
  TkvRadioButton* raF2_;
  TkvButton* btnOK_;
  TkvButton* btnCancel_;
};

// The program's one template form; nullptr until the program creates it.
extern TfrmHamMau* frmHamMau;

// What a click on either radio button does; a two-type template sets it
// before it shows the form (the radio buttons are hidden for the others, so a
// stale procedure is never called). Nothing until the first such template.
using TTemplateKindChanged = void (*)();
extern TTemplateKindChanged TemplateKindChanged;

// The picture of the type checked now, for the three two-type templates.
void HyperbolaKindChanged();
void ParaboloidKindChanged();
void HyperboloidKindChanged();

}  // namespace kx
