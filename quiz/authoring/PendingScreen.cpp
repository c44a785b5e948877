#include "authoring/PendingScreen.h"

#include "authoring/frmMain.h"
#include "authoring/mdlMain.h"

PendingScreen::PendingScreen(std::wstring title) : tq::Form(std::move(title), 7200, 3000) {}

void PendingScreen::SetDetail(const std::wstring& detail) {
  detail_ = detail;
  lblDetail.SetCaption(detail);
}

void PendingScreen::CreateControls() {
  lblTitle.Create(*this, Caption(), 240, 240, 6600, 300);
  lblDetail.Create(*this, detail_, 240, 600, 6600, 900);
  cmdMenu.Create(*this, L"Menu chính", 4800, 1800, 1920, 480);
  cmdMenu.OnClick = [this] {
    if (Unload()) frmMain::Show();
  };
}

void PendingScreen::Form_Load() { SetBackColor(mdlMain::ProgramOptions.backColor); }
