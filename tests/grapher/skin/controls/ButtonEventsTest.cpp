// The order of a button's events for each gesture, the repeat timer driven by
// hand, dialog keys and accelerators through the message hook, presses that
// end without a mouse-up, and the check state that OnClick sees.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVRadioGroup.h"

using namespace kx;

namespace {

enum Step {
  LeftDown,
  LeftUp,
  LeftDoubleClick,  // the second press of a quick double click
  RightDown,
  RightUp,
  MoveIn,
  MoveOut,
  NotRepeating,  // the repeat timer is gone
  LeftUpOutside,
  Tick,  // one tick of the repeat timer, by hand
  FocusButton,
  SpaceDown,
  SpaceUp,
  EnterKey,      // posted to the focused window and pumped, as typed
  CtrlEnterKey,  // the same with Ctrl held
  EscapeKey,
  AltL,         // the accelerator "&L", posted to the focused window
  CaptureLost,  // another window takes the mouse capture
  Disable,
  Hide,
};

// Keys in the thread's keyboard state for the length of a step.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256];
};

class ButtonEvents : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // away from the windows: no hover from the real mouse
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(100, 100, 300, 200);
    other_ = new TEdit(form_);
    other_->SetParent(form_);
    other_->SetBounds(10, 120, 100, 21);
    button_ = new TkvButton(form_);
    button_->SetParent(form_);
    button_->SetBounds(20, 20, 80, 27);
    button_->SetCaption("&Luu");
    button_->SetModalResult(mrCancel);
    button_->OnMouseDown = TMouseEvent(
        [this](TObject*, TMouseButton b, TShiftState, int, int) { log_.push_back(b == mbLeft ? "down L" : "down R"); });
    button_->OnMouseUp = TMouseEvent(
        [this](TObject*, TMouseButton b, TShiftState, int, int) { log_.push_back(b == mbLeft ? "up L" : "up R"); });
    button_->OnClick = TNotifyEvent([this](TObject*) {
      log_.push_back(std::string("click") + (button_->Focused() ? " focused" : "") +
                     " modal=" + std::to_string(form_->ModalResult()));
    });
    button_->OnEnter = TNotifyEvent([this](TObject*) { log_.push_back("focus"); });
    button_->OnMouseContinuouslyDown = TNotifyEvent([this](TObject*) { log_.push_back("repeat"); });
    form_->Show();
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }

  void Mouse(UINT msg, WPARAM keys, int x, int y) { SendMessageA(button_->Handle(), msg, keys, MAKELPARAM(x, y)); }
  void Typed(UINT msg, WPARAM key) {
    PostMessageA(GetFocus(), msg, key, 1);
    Application->ProcessMessages();
  }
  void Run(Step step) {
    switch (step) {
      case LeftDown:
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
        break;
      case LeftUp:
        Mouse(WM_LBUTTONUP, 0, 10, 10);
        break;
      case LeftDoubleClick:
        Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, 10, 10);
        break;
      case RightDown:
        Mouse(WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);
        break;
      case RightUp:
        Mouse(WM_RBUTTONUP, 0, 10, 10);
        break;
      case MoveIn:
        Mouse(WM_MOUSEMOVE, 0, 10, 10);
        break;
      case NotRepeating:
        EXPECT_EQ(button_->RepeatTimer(), nullptr);
        break;
      case MoveOut:
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, 120, 10);
        EXPECT_FALSE(button_->Pressed());
        EXPECT_FALSE(button_->Hover());
        break;
      case LeftUpOutside:
        Mouse(WM_LBUTTONUP, 0, 120, 10);
        break;
      case Tick:
        ASSERT_NE(button_->RepeatTimer(), nullptr);
        button_->RepeatTimer()->SetEnabled(false);  // only the test ticks
        button_->RepeatTimer()->OnTimer(button_->RepeatTimer());
        break;
      case FocusButton:
        button_->SetFocus();
        break;
      case SpaceDown:
        SendMessageA(button_->Handle(), WM_KEYDOWN, VK_SPACE, 1);
        break;
      case SpaceUp:
        SendMessageA(button_->Handle(), WM_KEYUP, VK_SPACE, 1);
        break;
      case EnterKey:
        Typed(WM_KEYDOWN, VK_RETURN);
        Typed(WM_KEYUP, VK_RETURN);
        break;
      case CtrlEnterKey: {
        HeldKeys ctrl{VK_CONTROL};
        Typed(WM_KEYDOWN, VK_RETURN);
        Typed(WM_KEYUP, VK_RETURN);
        break;
      }
      case EscapeKey:
        Typed(WM_KEYDOWN, VK_ESCAPE);
        Typed(WM_KEYUP, VK_ESCAPE);
        break;
      case AltL:
        Typed(WM_SYSCHAR, 'l');
        break;
      case CaptureLost:
        SetCapture(other_->Handle());
        ReleaseCapture();
        break;
      case Disable:
        button_->SetEnabled(false);
        break;
      case Hide:
        button_->SetVisible(false);
        break;
    }
  }

  TForm* form_ = nullptr;
  TEdit* other_ = nullptr;
  TkvButton* button_ = nullptr;
  std::vector<std::string> log_;
};

}  // namespace

TEST_F(ButtonEvents, GesturesAndTheirEvents) {
  struct Gesture {
    const char* name;
    bool isDefault, isCancel;
    std::vector<Step> steps;
    std::vector<std::string> expected;
  };
  const std::vector<Gesture> gestures = {
      {"left click", false, false, {LeftDown, LeftUp}, {"down L", "focus", "click focused modal=2", "up L"}},
      {"right click", false, false, {RightDown, RightUp}, {"down R", "up R"}},
      {"quick double click",
       false,
       false,
       {LeftDown, LeftUp, LeftDoubleClick, LeftUp},
       {"down L", "focus", "click focused modal=2", "up L", "down L", "click focused modal=2", "up L"}},
      {"drag out and release", false, false, {LeftDown, MoveOut, LeftUpOutside}, {"down L", "up L"}},
      {"hold, drag out and release",
       false,
       false,
       {MoveIn, LeftDown, Tick, MoveOut, NotRepeating, LeftUpOutside},
       {"down L", "repeat", "up L"}},
      {"hold for 350 ms",
       false,
       false,
       {LeftDown, Tick, Tick, Tick, LeftUp},
       {"down L", "repeat", "repeat", "repeat", "focus", "click focused modal=2", "up L"}},
      {"space", false, false, {FocusButton, SpaceDown, SpaceUp}, {"focus", "click focused modal=2"}},
      {"enter on the focused default button", true, false, {FocusButton, EnterKey}, {"focus", "click focused modal=2"}},
      {"ctrl+enter on the focused default button", true, false, {FocusButton, CtrlEnterKey}, {"focus"}},
      {"enter on an edit of a form with a default button", true, false, {EnterKey}, {"focus", "click focused modal=2"}},
      {"ctrl+enter on that edit", true, false, {CtrlEnterKey}, {}},
      {"escape on the cancel button", false, true, {EscapeKey}, {"focus", "click focused modal=2"}},
      {"escape without a cancel button", true, false, {EscapeKey}, {}},
      {"accelerator", false, false, {AltL}, {"focus", "click focused modal=2"}},
      {"accelerator of a hidden button", false, false, {Hide, AltL}, {}},
      {"capture lost mid-press", false, false, {LeftDown, CaptureLost, LeftUp}, {"down L", "up L"}},
  };
  for (const Gesture& g : gestures) {
    SCOPED_TRACE(g.name);
    button_->SetVisible(true);
    button_->SetEnabled(true);
    button_->SetDefault(g.isDefault);
    button_->SetCancel(g.isCancel);
    other_->SetFocus();
    form_->SetModalResult(-1);
    log_.clear();
    for (Step step : g.steps) Run(step);
    EXPECT_EQ(log_, g.expected);
    EXPECT_FALSE(button_->Pressed());
    EXPECT_EQ(button_->RepeatTimer(), nullptr);
  }
}

TEST_F(ButtonEvents, APressEndsWhenTheButtonIsDisabledOrHidden) {
  for (Step end : {Disable, Hide, CaptureLost}) {
    SCOPED_TRACE(static_cast<int>(end));
    button_->SetVisible(true);
    button_->SetEnabled(true);
    log_.clear();
    Run(LeftDown);
    ASSERT_TRUE(button_->Pressed());
    ASSERT_NE(button_->RepeatTimer(), nullptr);
    Run(end);
    EXPECT_FALSE(button_->Pressed());
    EXPECT_EQ(button_->RepeatTimer(), nullptr);
    EXPECT_NE(GetCapture(), button_->Handle());
    // A release that still comes clicks nothing.
    button_->SetVisible(true);
    button_->SetEnabled(true);
    Run(LeftUp);
    EXPECT_EQ(log_, (std::vector<std::string>{"down L", "up L"}));
  }
}

TEST_F(ButtonEvents, AnAcceleratorOnAHiddenPanelClicksNothing) {
  auto* page = new TPanel(form_);
  page->SetParent(form_);
  auto* hidden = new TkvButton(form_);
  hidden->SetParent(page);
  hidden->SetCaption("&Xoa");
  int clicks = 0;
  hidden->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  page->SetVisible(false);
  other_->SetFocus();
  PostMessageA(other_->Handle(), WM_SYSCHAR, 'x', 1);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 0);
  page->SetVisible(true);
  PostMessageA(other_->Handle(), WM_SYSCHAR, 'x', 1);
  Application->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  // Disabled: nothing either.
  hidden->SetEnabled(false);
  EXPECT_FALSE(RouteDialogChar(*form_, 'x'));
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonEvents, AModalResultOfZeroReachesTheFormBeforeOnClick) {
  button_->SetModalResult(0);
  form_->SetModalResult(mrOk);
  Run(LeftDown);
  Run(LeftUp);
  EXPECT_EQ(log_, (std::vector<std::string>{"down L", "focus", "click focused modal=0", "up L"}));
  // A handler that sets the result itself has the last word.
  button_->OnClick = TNotifyEvent([this](TObject*) { form_->SetModalResult(mrOk); });
  Run(LeftDown);
  Run(LeftUp);
  EXPECT_EQ(form_->ModalResult(), mrOk);
}

TEST_F(ButtonEvents, OnClickSeesTheNewCheckState) {
  auto* check = new TkvCheckBox(form_);
  check->SetParent(form_);
  auto* radio = new TkvRadioButton(form_);
  radio->SetParent(form_);
  radio->SetTop(40);
  std::vector<std::string> seen;
  check->OnClick = TNotifyEvent([&](TObject*) { seen.push_back(check->Checked() ? "check on" : "check off"); });
  radio->OnClick = TNotifyEvent([&](TObject*) { seen.push_back(radio->Checked() ? "radio on" : "radio off"); });
  auto click = [](TControl* c) {
    HWND w = static_cast<TWinControl*>(c)->Handle();
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  click(check);
  click(check);
  click(radio);
  click(radio);  // a checked radio button stays checked and still clicks
  // Space pressed and released on the focused check box: one toggle, one click.
  check->SetFocus();
  SendMessageA(check->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  SendMessageA(check->Handle(), WM_KEYUP, VK_SPACE, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"check on", "check off", "radio on", "radio on", "check on"}));
  EXPECT_EQ(form_->ModalResult(), 0);  // a check box's click sets the form's result to 0
}

TEST_F(ButtonEvents, CheckedWritesAreSilent) {
  auto* group = new TkvGroupBox(form_);
  group->SetParent(form_);
  std::vector<TkvRadioButton*> radios;
  int clicks = 0;
  for (int i = 0; i < 4; ++i) {
    auto* r = new TkvRadioButton(form_);
    r->SetParent(group);
    r->SetTop(10 + 20 * i);
    r->SetGroupIndex(i == 3 ? 1 : 0);
    r->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    radios.push_back(r);
  }
  auto* outside = new TkvRadioButton(form_);
  outside->SetParent(form_);
  outside->SetChecked(true);
  radios[3]->SetChecked(true);
  radios[0]->SetChecked(true);
  radios[2]->SetChecked(true);
  EXPECT_FALSE(radios[0]->Checked());
  EXPECT_FALSE(radios[1]->Checked());
  EXPECT_TRUE(radios[2]->Checked());
  EXPECT_TRUE(radios[3]->Checked());  // another group index
  EXPECT_TRUE(outside->Checked());    // another parent
  auto* check = new TkvCheckBox(form_);
  check->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  check->SetChecked(true);
  check->SetChecked(true);
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonEvents, RadioGroupItemIndexFiresNothing) {
  auto* group = new TkvRadioGroup(form_);
  group->SetParent(form_);
  int clicks = 0;
  group->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  group->Items()->Add("Mot");
  group->Items()->Add("Hai");
  group->Items()->Add("Ba");
  ASSERT_EQ(group->ItemCount(), 3);
  EXPECT_EQ(group->ItemIndex(), -1);
  group->SetItemIndex(1);
  EXPECT_EQ(group->ItemIndex(), 1);
  group->SetItemIndex(2);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_FALSE(group->ItemControl(1)->Checked());
  group->SetItemIndex(5);
  EXPECT_EQ(group->ItemIndex(), 2);
  group->SetItemIndex(-1);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(clicks, 0);
  // A click on an item relays to the group, after the item is checked.
  group->OnClick = TNotifyEvent([&](TObject*) {
    ++clicks;
    EXPECT_EQ(group->ItemIndex(), 0);
  });
  HWND item = group->ItemControl(0)->Handle();
  SendMessageA(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageA(item, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(clicks, 1);
  // Removing an item frees the last control and renames the rest in order.
  group->Items()->Delete(0);
  ASSERT_EQ(group->ItemCount(), 2);
  EXPECT_EQ(group->ItemControl(0)->Caption(), "Hai");
  EXPECT_EQ(group->ItemControl(1)->Caption(), "Ba");
}
