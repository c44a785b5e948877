// The options screen: the candidate's name, class and number, the screens'
// background colour and the window layout, kept in "config.xml".
#pragma once

#include "runtime/CommonDialog.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace frmOption {

class Screen : public tq::Form {
 public:
  Screen();

  void GiaoDien();
  void cmdOK_Click();
  void cmdCancel_Click();
  void lblColor_Click();

  tq::ControlGroup<tq::Label> Nhan{5};
  tq::TextBox txtUser, txtLop, txtMaso;
  tq::Label lblColor;
  tq::ComboBox cboPG;
  tq::Button cmdOK, cmdCancel;
  tq::CommonDialog CDBox;

 protected:
  void CreateControls() override;
  void Form_Load() override;
};

Screen& Get();
inline void Show() { Get().Show(); }

}  // namespace frmOption
