// The common open, save and colour dialogs, and the message box.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/core/Lists.h"
#include "framework/windows/Controls.h"

namespace kx {

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofPathMustExist,
  ofFileMustExist,
  ofEnableSizing
};
KX_ENUM_NAMES(TOpenOption, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofPathMustExist",
              "ofFileMustExist", "ofEnableSizing")
using TOpenOptions = TSet<TOpenOption>;

// "Function List (*.fls)|*.fls" -> the system's list of NUL-separated pairs
// ending in two NULs.
std::string FilterToSystemForm(const std::string& filter);

class TOpenDialog : public TComponent {
  KX_CLASS(TOpenDialog, TComponent)
 public:
  explicit TOpenDialog(TComponent* owner);

  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& v) { fileName_ = v; }
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& v) { filter_ = v; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int v) { filterIndex_ = v; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& v) { initialDir_ = v; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& v) { title_ = v; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions v) { options_ = v; }

  // Shows the dialog; true with FileName set when the user chose a file.
  virtual bool Execute();

 protected:
  bool Run(bool save);

 private:
  std::string defaultExt_, fileName_, filter_, initialDir_, title_;
  int filterIndex_ = 1;
  TOpenOptions options_{ofHideReadOnly, ofEnableSizing};
};

// An open dialog for the pictures the framework reads (BMP, JPEG, ICO).
class TOpenPictureDialog : public TOpenDialog {
  KX_CLASS(TOpenPictureDialog, TOpenDialog)
 public:
  explicit TOpenPictureDialog(TComponent* owner);
};

class TSaveDialog : public TOpenDialog {
  KX_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  bool Execute() override;
};

// The system's colour chooser. CustomColors holds its sixteen custom
// colours as lines "ColorA=" to "ColorP=" with hexadecimal 0x00BBGGRR
// values: they fill the chooser's boxes (a box without a line is white)
// and take what the user left in them when it closes.
class TColorDialog : public TComponent {
  KX_CLASS(TColorDialog, TComponent)
 public:
  explicit TColorDialog(TComponent* owner);
  ~TColorDialog() override;
  TColor Color() const { return color_; }
  void SetColor(TColor v) { color_ = v; }
  TStrings* CustomColors() const { return customColors_.get(); }
  void SetCustomColors(TStrings* lines) { customColors_->Assign(lines); }
  bool Execute();

 private:
  TColor color_ = clBlack;
  std::unique_ptr<TStringList> customColors_;
};

// Runs the system's colour chooser on a filled-in request; tests put a
// stand-in of their own in its place. Returns the one it replaces.
using TChooseColorRunner = std::function<bool(CHOOSECOLORA& request)>;
TChooseColorRunner SetChooseColorRunner(TChooseColorRunner runner);

// A message box owned by the form of `owner` (the active window when nil);
// returns the button chosen (IDOK...).
int ShowMessageBox(TControl* owner, const std::string& text, const std::string& caption, unsigned flags);

// A modal box asking for one line of text under `prompt`; the edited text
// on OK, `defaultText` on Cancel or close.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& defaultText);
// The text on OK; false on Cancel or close, `value` unchanged.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace kx
