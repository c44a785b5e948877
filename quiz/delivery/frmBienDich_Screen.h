// The compile screen's window: the bank's path and attached files, the two
// output groups in their frame, and the commands; CompileState does the work.
#pragma once

#include <string>
#include <vector>

#include "delivery/ScreenLook.h"
#include "delivery/frmBienDich.h"
#include "runtime/CommonDialog.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace frmBienDich {

class Screen : public tq::Form, public CompileView {
 public:
  Screen();

  CompileState& State() { return state_; }

  // CompileView
  int UniMsgBox(std::wstring_view text, int style) override;
  std::wstring ShowOpen(std::wstring_view filter) override;
  std::wstring ShowSave(std::wstring_view filter) override;
  std::wstring ShowFolder() override;
  void DaDocFile(const std::wstring& path, const std::vector<std::wstring>& names) override;
  void SetOutPath(int index, const std::wstring& path) override;

  void GiaoDien();
  void optKieu_Click(int index);
  void cmdPath_Click();
  void cmdChange_Click(int index);
  void cmdDoIt_Click();
  void cmdBack_Click();
  // The boxes as the compile command reads them.
  CompileInput Input() const;

  tq::TextBox txtPath;
  tq::Button cmdPath;
  tq::Label Nhan;
  tq::ListBox lstDS;
  tq::Frame UniFrame1;
  tq::ControlGroup<tq::OptionButton> optKieu{2};
  tq::CheckBox ckHTML;
  tq::ControlGroup<tq::TextBox> txtOutPath{2};
  tq::Label UniLabel2;
  tq::TextBox txtName;
  tq::ControlGroup<tq::Button> cmdChange{2};
  tq::Button cmdDoIt, cmdBack;
  tq::CommonDialog CDBox;

 protected:
  void CreateControls() override;
  void Form_Load() override;

 private:
  CompileState state_;
  tq::ScreenFont font_;
};

Screen& Get();

}  // namespace frmBienDich
