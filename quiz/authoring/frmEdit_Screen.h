// The edit-question screen's window.
#pragma once

#include <array>
#include <string>

#include "authoring/QuestionScreen.h"

namespace frmEdit {

class Screen : public tq::QuestionScreen {
 public:
  Screen();

  void NapDuLieu(const std::array<std::wstring, 5>& texts, const std::wstring& key, int field,
                 const std::wstring& folder);
  void Preview() override;
  void cmdUpdate_Click() override;

  int Field() const { return field_; }

  tq::TextBox txtEdit;

 protected:
  tq::TextBox& CommandBox() override { return txtEdit; }
  void CreateControls() override;
  void Form_Load() override;

 private:
  std::array<std::wstring, 5> texts_;
  std::wstring key_;
  std::wstring folder_;
  int field_ = 0;
};

Screen& Get();

}  // namespace frmEdit
