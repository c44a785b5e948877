// Helpers of the dialog-window tests: real clicks and keys sent to controls,
// a script that drives modal windows, and the component table of a form.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/KVForm.h"
#include "skin/KVTitleBar.h"

namespace dialogtesting {

// A left click in the middle of a windowed control, as the mouse gives it.
inline void Click(kx::TWinControl& control) {
  HWND wnd = control.Handle();
  RECT r{};
  GetClientRect(wnd, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  SendMessageA(wnd, WM_MOUSEMOVE, 0, at);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(wnd, WM_LBUTTONUP, 0, at);
}

// Characters typed into the focused control of a windowed control: key down,
// character, key up, as the keyboard gives them.
inline void Type(kx::TWinControl& control, const std::string& text) {
  HWND wnd = control.Handle();
  for (char c : text) {
    const SHORT key = VkKeyScanA(c);
    const WPARAM vk = c == '\r' ? VK_RETURN : LOBYTE(key);
    SendMessageA(wnd, WM_KEYDOWN, vk, 1);
    SendMessageA(wnd, WM_CHAR, static_cast<unsigned char>(c), 1);
    SendMessageA(wnd, WM_KEYUP, vk, 0xC0000001);
  }
}

// The window a modal loop now serves: shown, modal, and not disabled by a
// modal window above it.
inline bool IsInnermostModal(kx::TCustomForm& form) {
  return form.Modal() && form.HandleAllocated() && IsWindowVisible(form.Handle()) && IsWindowEnabled(form.Handle());
}

// Runs steps one per timer tick, each once its form is the innermost modal
// window; a step may open another modal window, whose loop goes on with the
// next steps. A script that cannot go on for many ticks fails and closes
// every modal window it waits for.
class ModalScript {
 public:
  ModalScript& Then(kx::TCustomForm& form, std::function<void()> action) {
    steps_.push_back({&form, std::move(action)});
    return *this;
  }

  // Runs `body`, which shows the first window modally, while the steps run.
  void Run(const std::function<void()>& body) {
    kx::TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = kx::TNotifyEvent([this](kx::TObject*) { Tick(); });
    body();
    timer.SetEnabled(false);
    EXPECT_EQ(next_, steps_.size()) << "steps left when the window closed";
  }
  // Shows `form` modally while the steps run; returns its modal result.
  kx::TModalResult Run(kx::TCustomForm& form) {
    kx::TModalResult result = kx::mrNone;
    Run([&] { result = form.ShowModal(); });
    return result;
  }

 private:
  struct Step {
    kx::TCustomForm* form;
    std::function<void()> action;
  };

  void Tick() {
    if (next_ >= steps_.size()) {
      if (++idle_ > kStuckTicks) Abort("the window stays open after the last step");
      return;
    }
    Step& step = steps_[next_];
    if (!IsInnermostModal(*step.form)) {
      if (++idle_ > kStuckTicks) Abort("step " + std::to_string(next_) + " waits for its window");
      return;
    }
    idle_ = 0;
    ++next_;  // before the action: it may run a nested modal loop that ticks again
    step.action();
  }

  void Abort(const std::string& why) {
    ADD_FAILURE() << why;
    next_ = steps_.size();
    idle_ = 0;
    for (int i = 0; i < kx::Screen->FormCount(); ++i)
      if (kx::Screen->Forms(i)->Modal()) kx::Screen->Forms(i)->SetModalResult(kx::mrAbort);
  }

  static constexpr int kStuckTicks = 1500;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int idle_ = 0;
};

// A left click on a button of a skinned title bar, with the mouse there.
inline void ClickTitleButton(kx::TkvForm& frame, int index) {
  kx::TkvTitleBar& bar = *frame.TitleBar();
  const kx::TkvTitleBarLayout layout = bar.Layout(bar.Width());
  for (const auto& place : layout.Buttons) {
    if (place.Index != index) continue;
    const POINT at{(place.Rect.left + place.Rect.right) / 2, (place.Rect.top + place.Rect.bottom) / 2};
    const POINT screen = bar.ClientToScreen(at);
    SetCursorPos(screen.x, screen.y);
    SendMessageA(bar.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(bar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(bar.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SetCursorPos(0, 0);
    return;
  }
  ADD_FAILURE() << "no title-bar button " << index;
}

// One row of a form's component table.
struct Component {
  std::string name, className, parent;
  int left, top, width, height;
  std::string text;  // UTF-8: caption or text; empty when not checked
  std::string hint;  // UTF-8
};

}  // namespace dialogtesting
