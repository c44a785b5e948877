// Dialog keys and accelerators for the skinned buttons. The framework hands
// its forms only Tab; Enter, Escape and Alt+letter reach the Default, Cancel
// and accelerator buttons through this message hook before the focused
// control sees them.
#include <functional>

#include "skin/controls/KVButton.h"

namespace kx {

namespace {

bool RouteTo(TWinControl& root, const std::function<bool(TkvCustomButton&)>& take) {
  for (int i = 0; i < root.ControlCount(); ++i) {
    TControl* control = root.Controls(i);
    if (auto* button = dynamic_cast<TkvCustomButton*>(control); button && take(*button)) return true;
    if (auto* inner = dynamic_cast<TWinControl*>(control); inner && RouteTo(*inner, take)) return true;
  }
  return false;
}

// The framework control of a window or of the nearest child window above it;
// a top-level window of another kind (a message box) has none.
TWinControl* ControlOfWindow(HWND wnd) {
  for (HWND w = wnd; w; w = (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
    if (TWinControl* control = TWinControl::FindControl(w)) return control;
  return nullptr;
}

// True when the message was a dialog key or character that a button took.
bool RouteMessage(const MSG& msg) {
  const bool key = msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
  const bool ch = msg.message == WM_SYSCHAR || msg.message == WM_CHAR;
  if (!key && !ch) return false;
  TWinControl* focused = ControlOfWindow(msg.hwnd);
  TCustomForm* form = focused ? GetParentForm(focused) : nullptr;
  if (!form) return false;
  if (key) {
    // A control that takes Enter or Escape itself (a memo) keeps it.
    MSG copy = msg;
    const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    return RouteDialogKey(*form, static_cast<WORD>(msg.wParam));
  }
  // Plain letters are accelerators only while a button has the focus: an
  // edit takes them as text.
  if (msg.message == WM_CHAR && !dynamic_cast<TkvCustomButton*>(focused)) return false;
  return RouteDialogChar(*form, static_cast<char>(msg.wParam));
}

LRESULT CALLBACK ButtonKeyHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE) {
    MSG& msg = *reinterpret_cast<MSG*>(lp);
    GuardWindowsCallback([&msg] {
      if (RouteMessage(msg)) msg.message = WM_NULL;
    });
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

class TButtonKeyHook {
 public:
  TButtonKeyHook() : hook_(SetWindowsHookExA(WH_GETMESSAGE, &ButtonKeyHook, nullptr, GetCurrentThreadId())) {}
  ~TButtonKeyHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  TButtonKeyHook(const TButtonKeyHook&) = delete;
  TButtonKeyHook& operator=(const TButtonKeyHook&) = delete;

 private:
  HHOOK hook_;
};

}  // namespace

void InstallButtonKeyRouting() { static TButtonKeyHook hook; }

bool RouteDialogKey(TWinControl& root, WORD key) {
  return RouteTo(root, [key](TkvCustomButton& b) { return b.DialogKey(key); });
}

bool RouteDialogChar(TWinControl& root, char ch) {
  return RouteTo(root, [ch](TkvCustomButton& b) { return b.DialogChar(ch); });
}

}  // namespace kx
