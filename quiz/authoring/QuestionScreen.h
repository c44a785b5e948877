// What the add-question and edit-question screens share: their menu bar
// (format, insertion, tools, automatic preview), the page view, the four
// buttons, the open dialog and the ways the screen is left.
#pragma once

#include <string>
#include <vector>

#include "authoring/EditorLook.h"
#include "authoring/frmAdd.h"
#include "runtime/CommonDialog.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"
#include "runtime/HtmlView.h"

namespace tq {

class QuestionScreen : public Form {
 public:
  QuestionScreen();

  int UniMsgBox(std::wstring_view text, int style);
  // Builds the preview page from the boxes and shows it.
  virtual void Preview() = 0;
  virtual void cmdUpdate_Click() = 0;

  void mnuFor_Click(int index);
  void mnuImage_Click() { InsertFile(false); }
  void mnuMedia_Click() { InsertFile(true); }
  void mnuAuto_Click();
  void mnuCal_Click();
  void mnuKurvex_Click();
  void cmdBack_Click();
  void cmdMainMenu_Click();
  void cmdQuit_Click() { Unload(); }

  bool AutoPreview() const { return autoPreview_; }
  frmAdd::ExitMode Mode() const { return exitMode_; }

  HtmlView DHTML;
  Button cmdUpdate, cmdBack, cmdMainMenu, cmdQuit;
  CommonDialog CDBox;

 protected:
  // The box the format and insertion commands act on.
  virtual TextBox& CommandBox() = 0;
  // Makes the menu bar (call from CreateControls).
  void MakeMenuBar();
  // The buttons' captions, the colour and the font: loading's common part.
  void LoadCommon();
  void ApplyFont() { font_.ApplyAll(*this); }
  // Any change of a box or of the answer.
  void Changed() {
    if (autoPreview_) Preview();
  }
  // Shows a page built from bank tag texts.
  void ShowPreviewPage(const std::wstring& html);
  // Back to the editor (Back and Update).
  void ReturnToEditor();
  void Form_Unload(bool& cancel) override;

 private:
  void InsertFile(bool media);
  void ApplyBoxEdit(TextBox& box, const frmAdd::BoxEdit& edit);

  LookFont font_{L"Verdana", 39, false};
  bool autoPreview_ = false;
  frmAdd::ExitMode exitMode_ = frmAdd::ExitMode::Quit;
};

}  // namespace tq
