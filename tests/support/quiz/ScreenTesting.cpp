#include "ScreenTesting.h"

#include <vector>

#include "TestSupport.h"
#include "runtime/App.h"

namespace screentest {

namespace {

DialogAnswerer* current = nullptr;

BOOL CALLBACK MatchDialog(HWND wnd, LPARAM param) {
  wchar_t cls[16];
  if (IsWindowVisible(wnd) && GetClassNameW(wnd, cls, 16) && std::wstring(cls) == L"#32770") {
    *reinterpret_cast<HWND*>(param) = wnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadDialog() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::wstring TextOf(HWND wnd) {
  wchar_t text[1024] = {};
  GetWindowTextW(wnd, text, 1024);
  return text;
}

}  // namespace

HWND MessageTextWindow(HWND box) {
  HWND first = FindWindowExW(box, nullptr, L"Static", nullptr);
  HWND second = first ? FindWindowExW(box, first, L"Static", nullptr) : nullptr;
  return second ? second : first;
}

std::wstring MessageText(HWND box) { return TextOf(MessageTextWindow(box)); }

DialogAnswerer::DialogAnswerer(int id, std::function<void(HWND)> inspect) : id_(id), inspect_(std::move(inspect)) {
  current = this;
  timer_ = SetTimer(nullptr, 0, 50, OnTimer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  if (current == this) current = nullptr;
}

void CALLBACK DialogAnswerer::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (current && !current->answered_) current->TryAnswer();
}

bool DialogAnswerer::TryAnswer() {
  HWND box = FindThreadDialog();
  if (!box) return false;
  ++answered_;
  title_ = TextOf(box);
  text_ = MessageText(box);
  if (inspect_) inspect_(box);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id_, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id_)));
  return true;
}

void PressKey(HWND wnd, WORD key, bool ctrl, bool shift) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = ctrl ? 0x80 : 0;
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  PostMessageW(wnd, WM_KEYDOWN, key, 1);
  tq::App::Get().DoEvents();
  keys[VK_CONTROL] = 0;
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
}

void SaveScreenshot(HWND wnd, const std::string& name) {
  CreateDirectoryA("screenshots", nullptr);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  testsupport::SavePng(testsupport::CaptureWindow(wnd), "screenshots\\" + name + ".png");
}

}  // namespace screentest
