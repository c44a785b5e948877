// Helpers for tests of the quiz tool's screens: answering the dialog boxes a
// handler opens, and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace screentest {

// While it lives, answers the next dialog box that this thread shows
// (message box, colour dialog) by its button `id`, once `inspect` has looked
// at the box. Runs inside the box's own modal loop, through a thread timer.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(int id, std::function<void(HWND)> inspect = {});
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;
  int Answered() const { return answered_; }
  // The box's title and text as shown.
  const std::wstring& Title() const { return title_; }
  const std::wstring& Text() const { return text_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  bool TryAnswer();

  int id_;
  std::function<void(HWND)> inspect_;
  UINT_PTR timer_ = 0;
  int answered_ = 0;
  std::wstring title_;
  std::wstring text_;
};

// The text of a box's static window that holds its message.
std::wstring MessageText(HWND box);
HWND MessageTextWindow(HWND box);

// Presses a key in a window as the keyboard would, with Ctrl and Shift held
// as asked, and lets the message loop handle it.
void PressKey(HWND wnd, WORD key, bool ctrl, bool shift = false);

// Saves what the screen shows of a window as screenshots\<name>.png beside the tests.
void SaveScreenshot(HWND wnd, const std::string& name);

}  // namespace screentest
