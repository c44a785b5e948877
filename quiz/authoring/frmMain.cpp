#include "authoring/frmMain.h"

#include "authoring/frmEditTN.h"
#include "authoring/frmOption.h"
#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmTTTN.h"
#include "runtime/App.h"

namespace frmMain {

HtmlHelpProc HtmlHelpEntry() {
  static HtmlHelpProc entry = [] {
    // From the system folder only: the program's own folder, searched first
    // for a bare name, may hold anything a package or a download left there.
    HMODULE viewer = tq::App::LoadSystemLibrary(L"hhctrl.ocx");
    return viewer ? reinterpret_cast<HtmlHelpProc>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpW")))
                  : nullptr;
  }();
  return entry;
}

Screen& Get() {
  static Screen screen;
  return screen;
}

Screen::Screen() : tq::Form(L"Tessaro", 6000, 5640) {}

void Screen::CreateControls() {
  tq::Button* buttons[] = {&cmdLamTN, &cmdSuaTN, &cmdBienDich, &cmdOption, &cmdHelp, &cmdQuit};
  int top = 360;
  for (tq::Button* button : buttons) {
    button->Create(*this, L"", 600, top, 4680, 600);
    top += 780;
  }
  cmdLamTN.OnClick = [this] { cmdLamTN_Click(); };
  cmdSuaTN.OnClick = [this] { cmdSuaTN_Click(); };
  cmdBienDich.OnClick = [this] { cmdBienDich_Click(); };
  cmdOption.OnClick = [this] { cmdOption_Click(); };
  cmdHelp.OnClick = [this] { cmdHelp_Click(); };
  cmdQuit.OnClick = [this] { cmdQuit_Click(); };
}

void Screen::GiaoDien() {
  cmdLamTN.SetCaption(L"Làm bài tập trắc nghiệm");
  cmdSuaTN.SetCaption(L"Tạo và sửa bài tập trắc nghiệm");
  cmdBienDich.SetCaption(L"Biên dịch bài tập trắc nghiệm");
  cmdOption.SetCaption(L"Thiết lập chương trình");
  cmdHelp.SetCaption(L"Hướng dẫn sử dụng chương trình");
  cmdQuit.SetCaption(L"Thoát chương trình");
}

void Screen::Form_Load() {
  GiaoDien();
  leaveQuietly_ = false;
}

void Screen::Form_Unload(bool& cancel) {
  if (!leaveQuietly_ && UniMsgBox(L"Bạn muốn thoát chương trình ?", mUniMsgBox::YesNo) == mUniMsgBox::AnswerNo) {
    cancel = true;
  }
}

void Screen::Tat() {
  leaveQuietly_ = true;
  Unload();
}

int Screen::UniMsgBox(const std::wstring& text, UINT style) {
  return mUniMsgBox::UnicodeMsgBox(text, style, L"Tessaro", Hwnd());
}

void Screen::cmdLamTN_Click() {
  Tat();
  frmTTTN::Show();
}

void Screen::cmdSuaTN_Click() {
  Tat();
  frmEditTN::Show();
}

void Screen::cmdBienDich_Click() {
  Tat();
  frmBienDich::Show();
}

void Screen::cmdOption_Click() {
  Tat();
  frmOption::Show();
}

void Screen::cmdHelp_Click() {
  // Without the file there is nothing to show; the viewer is not asked, so
  // that it cannot open a window of its own to say so.
  const std::wstring help = mdlMain::ProgramFolder() + L"\\Tessaro.chm";
  if (!mdlMain::FileExists(help)) return;
  if (HtmlHelpProc entry = HtmlHelpEntry()) entry(Hwnd(), help.c_str(), 0, 0);
}

void Screen::cmdQuit_Click() { Unload(); }

}  // namespace frmMain
