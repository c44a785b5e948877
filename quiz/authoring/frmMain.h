// The main menu: the hub from which the test, bank, compile and options
// screens open, and to which their main-menu commands return.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace frmMain {

class Screen : public tq::Form {
 public:
  Screen();

  void GiaoDien();
  // Closes the menu without the quit question.
  void Tat();
  int UniMsgBox(const std::wstring& text, UINT style);

  void cmdLamTN_Click();
  void cmdSuaTN_Click();
  void cmdBienDich_Click();
  void cmdOption_Click();
  void cmdHelp_Click();
  void cmdQuit_Click();

  tq::Button cmdLamTN, cmdSuaTN, cmdBienDich, cmdOption, cmdHelp, cmdQuit;

 protected:
  void CreateControls() override;
  void Form_Load() override;
  void Form_Unload(bool& cancel) override;

 private:
  bool leaveQuietly_ = false;
};

Screen& Get();
inline void Show() { Get().Show(); }

// HtmlHelpW of the system's help viewer, looked up when first needed; null
// when the system has none.
using HtmlHelpProc = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
HtmlHelpProc HtmlHelpEntry();

}  // namespace frmMain
