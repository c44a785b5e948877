// The add-question screen's window: five boxes, the key's option buttons,
// the preview and the shared question-screen commands.
#pragma once

#include <string>

#include "authoring/QuestionScreen.h"

namespace frmAdd {

class Screen : public tq::QuestionScreen {
 public:
  Screen();

  void GiaoDien();
  void Preview() override;
  void cmdUpdate_Click() override;
  void txtCauHoi_GotFocus(int index) { focused_ = index; }
  void optDapAn_Click(int index);

  int FocusedBox() const { return focused_; }
  const std::wstring& ChosenAnswer() const { return chosen_; }

  tq::ControlGroup<tq::TextBox> txtCauHoi{5};
  tq::ControlGroup<tq::OptionButton> optDapAn{4};

 protected:
  tq::TextBox& CommandBox() override { return txtCauHoi[static_cast<size_t>(focused_)]; }
  void CreateControls() override;
  void Form_Load() override;

 private:
  std::array<std::wstring, 5> ConvertedTexts() const;

  int focused_ = 0;  // kept from one opening to the next
  std::wstring chosen_;
};

Screen& Get();

}  // namespace frmAdd
