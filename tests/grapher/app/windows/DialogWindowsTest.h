// Helpers of the dialog-window tests: real clicks and keys sent to controls,
// a script that drives modal windows, and the component table of a form.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/windows/FInU.h"
#include "app/windows/HamMauU.h"
#include "app/windows/ParaU.h"
#include "app/windows/SelFTU.h"
#include "framework/core/Tcvn3.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Controls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/frame/KVForm.h"
#include "skin/frame/KVTitleBar.h"
#include "TestSupport.h"

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
    // A step that pumps messages itself (a screenshot) sees ticks of its own
    // window: they wait until the step is over. A step that opened a modal
    // window goes on with the next steps inside that window's loop.
    if (!busy_.empty() && IsInnermostModal(*busy_.back())) return;
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
    ++next_;
    busy_.push_back(step.form);
    step.action();
    busy_.pop_back();
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
  std::vector<kx::TCustomForm*> busy_;
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

// Texts read by name: an edit's text, otherwise the caption; TCVN3 to UTF-8.
inline std::string TextOf(kx::TComponent& c) {
  const char* prop = c.ClassType().FindProperty("Text") ? "Text" : "Caption";
  return kx::Tcvn3ToUtf8(std::get<std::string>(kx::GetPropValue(c, prop)));
}

// Checks each row's class, parent, place, size, text and hint.
inline void ExpectComponents(kx::TComponent& form, const std::vector<Component>& table) {
  for (const Component& row : table) {
    SCOPED_TRACE(row.name);
    auto* control = dynamic_cast<kx::TControl*>(form.FindComponent(row.name));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->ClassName(), row.className);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), row.parent);
    EXPECT_EQ(control->Left(), row.left);
    EXPECT_EQ(control->Top(), row.top);
    if (row.width >= 0) {
      EXPECT_EQ(control->Width(), row.width);
    }
    if (row.height >= 0) {
      EXPECT_EQ(control->Height(), row.height);
    }
    if (!row.text.empty()) {
      EXPECT_EQ(TextOf(*control), row.text);
    }
    if (!row.hint.empty()) {
      EXPECT_EQ(kx::Tcvn3ToUtf8(control->Hint()), row.hint);
      EXPECT_TRUE(control->ShowHint());
    }
  }
}

// The screen font and the form classes, then the program's three dialogs,
// once for the whole test program, as the program's start-up makes them.
inline void MakeDialogs() {
  static const bool fontAdded = AddFontResourceA(testsupport::ProgramPath("kurvex.fon").c_str()) > 0;
  ASSERT_TRUE(fontAdded);
  kx::RegisterControlClasses();
  // As the main window sets it: hints show TCVN3 texts.
  kx::Screen->HintFont()->SetName("Kurvexsans");
  if (!kx::SelFTypeForm) kx::SelFTypeForm = kx::TCustomForm::Create<kx::TSelFTypeForm>(nullptr);
  if (!kx::FInForm) kx::FInForm = kx::TCustomForm::Create<kx::TFInForm>(nullptr);
  if (!kx::ParaForm) kx::ParaForm = kx::TCustomForm::Create<kx::TParaForm>(nullptr);
  if (!kx::frmHamMau) kx::frmHamMau = kx::TCustomForm::Create<kx::TfrmHamMau>(nullptr);
}

// A window's picture as the screen shows it, saved for a look.
inline void SaveScreenshot(kx::TCustomForm& form, const std::string& file) {
  kx::Application->ProcessMessages();
  kx::Application->CancelHint();
  kx::Application->ProcessMessages();
  form.Repaint();
  testsupport::SavePng(testsupport::CaptureWindow(form.Handle()), file);
}

// How many pixels of a label on screen differ from its caption drawn, as a
// label draws it, on its background in the face `face` at the label's size;
// only the first `width` columns when a control covers the rest.
inline int LabelPixelsUnlike(kx::TCustomForm& form, kx::TLabel& label, const std::string& face, int width = 0) {
  kx::Application->ProcessMessages();
  const testsupport::Picture shot = testsupport::CaptureWindow(form.Handle());
  RECT window{};
  GetWindowRect(form.Handle(), &window);
  const POINT at = label.Parent()->ClientToScreen(POINT{label.Left(), label.Top()});
  const int w = label.Width(), h = label.Height();
  kx::TBitmap drawn;
  drawn.SetSize(w, h);
  kx::TCanvas& c = *drawn.Canvas();
  c.Brush()->SetColor(label.Color());
  c.FillRect(RECT{0, 0, w, h});
  c.Font()->Assign(label.Font());
  c.Font()->SetName(face);
  c.Brush()->SetStyle(kx::bsClear);
  RECT r{0, 0, w, h};
  c.TextRect(r, label.Caption(), DT_LEFT | DT_NOPREFIX);
  int unlike = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < (width > 0 ? width : w); ++x) {
      const kx::TColor p = kx::ColorToRGB(c.Pixel(x, y));
      const unsigned onScreen = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
      if (shot.At(at.x - window.left + x, at.y - window.top + y) != onScreen) ++unlike;
    }
  return unlike;
}

}  // namespace dialogtesting
