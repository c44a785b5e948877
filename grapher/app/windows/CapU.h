// The export dialog: a file name and a picture size in pixels; OK saves the
// view as a PNG picture of that size. A size that does not read as a whole
// number, or that the view cannot be rendered at, and an empty name, are told
// to the user and keep the dialog open with what was typed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/windows/Forms.h"

namespace kx {

struct TViewState;
class TCaptureSource;
class TkvEdit;
class TkvButton;

// A picture size field: blanks around, an optional sign and decimal digits
// that fit a 32-bit integer.
bool TryParsePictureSize(std::string_view text, int& value);
// The name with ".png" appended unless it holds ".png" already (anywhere,
// in this case).
std::string PictureFileName(const std::string& name);

class TCapForm : public TForm {
  KX_CLASS(TCapForm, TForm)
 public:
  explicit TCapForm(TComponent* owner);

  // Shows the dialog modally with the name given and the last size chosen;
  // OK saves the view through the source.
  void Execute(const std::string& name, TViewState& view, TCaptureSource& source);

  void btnBrowseClick(TObject* sender);
  void btnOKClick(TObject* sender);
  void btnCancelClick(TObject* sender);

  TkvEdit* edBm_name() const { return edBm_name_; }
  TkvEdit* edBm_w() const { return edBm_w_; }
  TkvEdit* edBm_h() const { return edBm_h_; }
  TkvButton* btnOK() const { return btnOK_; }
  TkvButton* btnCancel() const { return btnCancel_; }
  TkvButton* btnBrowse() const { return btnBrowse_; }

  // A message box owned by the dialog (warning icon, one OK button);
  // replaceable so that tests read it.
  std::function<void(const std::string& text, const std::string& caption)> ShowWarning;
  // Asks for a file to save under, starting from the name given; false when
  // the user cancels. Replaceable for tests.
  std::function<bool(std::string& fileName)> ChooseFile;

 private:
  TkvEdit* edBm_name_;
  TkvEdit* edBm_w_;
  TkvEdit* edBm_h_;
  TkvButton* btnBrowse_;
  TkvButton* btnOK_;
  TkvButton* btnCancel_;
  // The view and viewer of the export under way.
  TViewState* view_ = nullptr;
  TCaptureSource* source_ = nullptr;
};

// The program's one export dialog; nullptr until the program creates it.
extern TCapForm* CapForm;

}  // namespace kx
