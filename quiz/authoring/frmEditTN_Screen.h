// The bank editor's window: the controls of the editor's display, its page
// view, dialogs, menu bar and message box.
#pragma once

#include <string>

#include "authoring/EditorLook.h"
#include "authoring/frmEditTN.h"
#include "runtime/CommonDialog.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"
#include "runtime/HtmlView.h"

namespace frmEditTN {

class Screen : public tq::Form, public EditorView {
 public:
  Screen();

  Editor& Logic() { return editor_; }
  void GiaoDien();
  // Runs a handler of the editor and copies its display to the controls.
  template <class F>
  void Run(F&& handler) {
    handler();
    Sync();
  }

  // EditorView
  int UniMsgBox(std::wstring_view text, int style) override;
  bool ShowPage(const std::wstring& html) override;
  std::wstring ShowOpen(std::wstring_view filter) override { return ChooseFile(filter, false); }
  std::wstring ShowSave(std::wstring_view filter) override { return ChooseFile(filter, true); }
  void OpenAdd() override;
  void OpenEdit(const QuestionRecord& record, int field, const std::wstring& folder) override;
  void CloseEditor() override { Unload(); }

  tq::Button cmdTruoc, cmdSau;
  tq::TextBox txtCauSo;
  tq::Label lblSoCau, Nhan;
  tq::ControlGroup<tq::Button> cmdDapAn{4};
  tq::HtmlView DHTML;
  tq::CommonDialog CDBox;

 protected:
  void CreateControls() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  void Sync();
  std::wstring ChooseFile(std::wstring_view filter, bool save);

  Editor editor_;
  tq::LookFont bold_{L"Verdana", 39, true};
  tq::LookFont keys_{L"Verdana", 45, true};
  tq::LookFont title_{L"Verdana", 48, true};
  tq::LookFont small_{L"MS Sans Serif", 33, false};
  bool syncing_ = false;
};

Screen& Get();

}  // namespace frmEditTN
