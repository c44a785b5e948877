// The test set-up screen's window: the candidate fields, the path row, the
// time and question frames, and the commands; SetupState does the work.
#pragma once

#include <string>

#include "delivery/frmTTTN.h"
#include "runtime/CommonDialog.h"
#include "delivery/ScreenLook.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace frmTTTN {

class Screen : public tq::Form, public SetupView {
 public:
  Screen();

  SetupState& State() { return state_; }

  // SetupView
  int UniMsgBox(std::wstring_view text, int style) override;
  std::wstring ShowOpen(std::wstring_view filter) override;
  void DaMoFile(const std::wstring& path, int bankCount) override;

  void GiaoDien();
  void NapDuongDan(const std::wstring& path);
  void cmdPath_Click();
  void cmdLamBai_Click();
  void cmdBack_Click();
  void cmdQuit_Click();
  void ckNoTime_Click();
  void ckRandom_Click();
  void TinhTrungBinh();
  // The boxes as the start command and the average read them.
  SetupInput Input() const;

  tq::ControlGroup<tq::Label> Nhan{7};
  tq::TextBox txtTen, txtLop, txtSBD, txtPath;
  tq::Button cmdPath;
  tq::ControlGroup<tq::Frame> Khung{2};
  tq::UpDown txtTime;
  tq::CheckBox ckNoTime, ckRandom;
  tq::TextBox txtTu, txtDen, txtSoCau;
  tq::Label lblTrungBinh;
  tq::Button cmdLamBai, cmdBack, cmdQuit;
  tq::CommonDialog CDBox;

 protected:
  void CreateControls() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  // The frames and the start button, shown once a bank is open.
  void ShowFrames(bool shown);

  SetupState state_;
  tq::ScreenFont font_;
};

Screen& Get();

}  // namespace frmTTTN
