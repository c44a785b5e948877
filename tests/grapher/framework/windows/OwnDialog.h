// Finds a dialog box of this process by its title, from a helper thread,
// while the test's own thread runs the dialog.
#pragma once

#include <windows.h>

#include <string>

namespace owndialog {

struct Search {
  const std::string* title;
  HWND found;
};

inline BOOL CALLBACK Match(HWND wnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  char cls[16] = {}, text[256] = {};
  GetClassNameA(wnd, cls, sizeof cls);
  if (pid != GetCurrentProcessId() || std::string(cls) != "#32770" || !IsWindowVisible(wnd)) return TRUE;
  GetWindowTextA(wnd, text, sizeof text);
  if (*s->title != text) return TRUE;
  s->found = wnd;
  return FALSE;
}

}  // namespace owndialog

inline HWND WaitForOwnDialog(const std::string& title, DWORD timeoutMs) {
  owndialog::Search search{&title, nullptr};
  for (DWORD waited = 0; waited < timeoutMs && !search.found; waited += 25) {
    EnumWindows(&owndialog::Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(25);
  }
  return search.found;
}
