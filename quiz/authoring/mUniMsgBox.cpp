#include "authoring/mUniMsgBox.h"

#include "runtime/App.h"

namespace mUniMsgBox {

namespace {

// The hook and font of the box being opened; boxes are modal, so one at a
// time, but a box opened from a handler inside another box nests.
struct BoxState {
  HHOOK hook = nullptr;
  HFONT font = nullptr;
};
thread_local BoxState* opening = nullptr;
unsigned hookCalls = 0;

LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wp, LPARAM lp) {
  ++hookCalls;
  BoxState* state = opening;
  const LRESULT result = CallNextHookEx(state ? state->hook : nullptr, code, wp, lp);
  if (code != HCBT_ACTIVATE || !state || !state->hook) return result;
  try {
    HWND box = reinterpret_cast<HWND>(wp);
    state->font = CreateFontW(13, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
    // With an icon the first static window is the icon and the second the text.
    HWND first = FindWindowExW(box, nullptr, L"Static", nullptr);
    HWND second = first ? FindWindowExW(box, first, L"Static", nullptr) : nullptr;
    if (HWND text = second ? second : first) {
      SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), TRUE);
    }
  } catch (...) {
    tq::App::Get().HandleException();
  }
  UnhookWindowsHookEx(state->hook);
  state->hook = nullptr;
  return result;
}

}  // namespace

unsigned HookCalls() { return hookCalls; }

int UnicodeMsgBox(const std::wstring& text, UINT style, const std::wstring& title, HWND owner) {
  BoxState state;
  BoxState* outer = opening;
  opening = &state;
  state.hook = SetWindowsHookExW(WH_CBT, MsgBoxHookProc, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, text.c_str(), title.c_str(), style);
  if (state.hook) UnhookWindowsHookEx(state.hook);
  if (state.font) DeleteObject(state.font);
  opening = outer;
  return answer;
}

}  // namespace mUniMsgBox
