// The test screen's window: the controls of TestSession's display, its page
// view, the countdown timer and the message box.
#pragma once

#include <string>
#include <vector>

#include "delivery/frmLamTN.h"
#include "delivery/ScreenLook.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"
#include "runtime/HtmlView.h"

namespace frmLamTN {

class Screen : public tq::Form, public TestView {
 public:
  Screen();

  TestSession& Session() { return session_; }
  // The candidate labels; shown when the screen loads, and at once when it is loaded.
  void SetCandidate(const std::wstring& name, const std::wstring& className, const std::wstring& number);

  // TestView
  int UniMsgBox(std::wstring_view text, int style) override;
  void SetTimer(bool on) override;
  bool ShowPage(const std::wstring& html) override;

  void GiaoDien();
  void txtCauSo_Change();
  void cmdChon_Click(int index);
  void cbo_Click(tq::ComboBox& list);
  void cmdNavigate_Click(bool next);
  void cmdLamXong_Click();
  void tmrTime_Timer();
  void cmdTab_Click(int index);
  void cmdBack_Click();

  tq::HtmlView DHTML;
  tq::Label lblTime;
  tq::Frame Khung;
  tq::ControlGroup<tq::Button> cmdChon{4};
  tq::Button cmdLamXong, cmdBack, cmdTruoc, cmdSau;
  tq::TextBox txtCauSo;
  tq::Label lblSoCau;
  tq::ControlGroup<tq::Button> cmdTab{3};
  tq::ControlGroup<tq::Frame> Frame{3};
  tq::Label lblTenTS, lblLop, lblMaSo;
  tq::ControlGroup<tq::Label> lblNhan{2};
  tq::ComboBox cbo1, cbo2;
  tq::Picture imgTrue, imgFalse;
  tq::Label lblDapAn;
  tq::Button cmdCal, cmdGragh;
  tq::Timer tmrTime;

 protected:
  void CreateControls() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  // The folder the test's pages belong to, with its trailing separator.
  std::wstring PageFolder() const;
  // Copies the session's display to the controls.
  void Sync();
  void SyncList(tq::ComboBox& list, const std::vector<int>& numbers, std::vector<int>& shown);
  // Shows one panel with its contents; the marks only as the display says.
  void ShowPanel(int index);

  TestSession session_;
  tq::ScreenFont font_;
  std::wstring candidate_[3];
  int panel_ = 0;
  bool syncing_ = false;
  std::vector<int> shown1_, shown2_;
};

Screen& Get();

}  // namespace frmLamTN
