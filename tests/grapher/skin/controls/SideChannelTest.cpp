// The side channel on real windows: a new channel, docking, slides stepped
// by hand (the widths after each step), the cursor watch ticked by hand,
// pinning, hovering and clicking, the order of its events, the style step,
// a channel read from a form resource, its end during a slide, and a picture.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVSideChannel.h"
#include "skin/controls/KVThemesControls.h"
#include "SkinStandIn.h"
#include "TestSupport.h"
#include "TextPictures.h"

using namespace kx;

namespace {

// What a channel raised, in order.
struct EventLog {
  std::vector<std::string> events;
  void Watch(TkvSideChannel& c) {
    c.OnPop = TNotifyEvent([this](TObject*) { events.push_back("Pop"); });
    c.OnPush = TNotifyEvent([this](TObject*) { events.push_back("Push"); });
    c.OnCanResize =
        TCanResizeEvent([this](TObject*, int& w, int&, bool&) { events.push_back("CanResize " + std::to_string(w)); });
    c.OnResize = TNotifyEvent([this, &c](TObject*) { events.push_back("Resize " + std::to_string(c.Width())); });
  }
};

SIZE GlyphSize(const TkvSideChannel& c) {
  return SIZE{c.PinButton()->Glyph()->Width(), c.PinButton()->Glyph()->Height()};
}

class SideChannel : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // away from the form
    form_ = skintest::NewStyledForm(TkvUIStyle::Protein, 360, 240);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  // A channel on the form, 100 wide when out; its cursor watch ticks only
  // when a test ticks it.
  TkvSideChannel* NewChannel(int expanded = 100) {
    auto* c = new TkvSideChannel(form_);
    c->SetParent(form_);
    c->SetExpandedWidth(expanded);
    c->SlideTimer()->SetInterval(3600000);
    return c;
  }
  // Steps a slide by hand: the width after each step.
  static void StepByHand(TkvSideChannel& c, std::vector<int>& widths) {
    c.SetSlidePump([&c, &widths] { widths.push_back(c.Width()); });
  }
  void ShowActive() {
    form_->Show();
    SetForegroundWindow(form_->Handle());
    Application->ProcessMessages();
  }
  static void CursorAt(TControl& control, POINT p) {
    const POINT s = control.ClientToScreen(p);
    SetCursorPos(s.x, s.y);
  }
  static void Tick(TkvSideChannel& c) { c.SlideTimer()->OnTimer(c.SlideTimer()); }

  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(SideChannel, ANewChannelIsCollapsed) {
  delete form_;
  form_ = TCustomForm::Create<TForm>(nullptr);
  auto* skin = new skintest::StyledPanel(form_, TkvUIStyle::WinXP, 0x123456);
  skin->SetParent(form_);
  auto* c = new TkvSideChannel(form_);
  EXPECT_EQ(c->Width(), 10);
  EXPECT_EQ(c->SideBarWidth(), 10);
  EXPECT_TRUE(c->Collapsed());
  EXPECT_EQ(c->ExpandedWidth(), 185);  // the panel's own width when made
  EXPECT_EQ(c->TitleStrip()->Caption(), "");
  EXPECT_EQ(c->TitleStrip()->Height(), 16);
  EXPECT_FALSE(c->PinButton()->Visible());
  EXPECT_FALSE(c->PinButton()->Down());
  EXPECT_EQ(GlyphSize(*c).cx, 7);  // not pinned
  EXPECT_EQ(GlyphSize(*c).cy, 9);
  EXPECT_FALSE(c->SlideTimer()->Enabled());
  EXPECT_EQ(c->SlideTimer()->Interval(), 500u);
  EXPECT_EQ(c->BarButton()->Parent(), c->SideBar());
  EXPECT_EQ(c->BarButton()->Left(), 0);
  EXPECT_EQ(c->BarButton()->Top(), 0);
  EXPECT_EQ(c->BarButton()->Width(), 8);
  EXPECT_EQ(c->BarButton()->Height(), 172);
  EXPECT_FALSE(c->BarButton()->TabStop());
  EXPECT_EQ(c->BarButton()->UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(c->BarButton()->PicMouseDownResName(), "SIDECHANNEL_BAR_MOUSEON");
  EXPECT_EQ(c->Align(), TkvSideChannelAlign::kvLeft);
  EXPECT_EQ(c->TControl::Align(), alLeft);
  EXPECT_EQ(c->PopupMode(), kvMouseOn);
  EXPECT_FALSE(c->QuickMove());
  EXPECT_FALSE(c->StayOn());
  EXPECT_EQ(c->Alignment(), taCenter);
  EXPECT_EQ(c->BevelOuter(), bvNone);
  // The skinned form's colour, on the channel and its bar and strip.
  EXPECT_EQ(c->Color(), TColor(0x123456));
  EXPECT_EQ(c->SideBarColor(), TColor(0x123456));
  EXPECT_EQ(c->TitleStrip()->Color(), TColor(0x123456));
  EXPECT_EQ(c->TControl::Caption(), " ");
}

// The channel gets its window when it joins a form that has one, and keeps
// to its edge while it slides.
TEST_F(SideChannel, DocksToTheLeftOrRightEdge) {
  form_->Show();
  for (TkvSideChannelAlign align : {TkvSideChannelAlign::kvLeft, TkvSideChannelAlign::kvRight}) {
    SCOPED_TRACE(align == TkvSideChannelAlign::kvLeft ? "kvLeft" : "kvRight");
    TkvSideChannel* c = NewChannel();
    c->SetAlign(align);
    ASSERT_TRUE(c->HandleAllocated());
    ASSERT_TRUE(c->SideBar()->HandleAllocated());
    ASSERT_TRUE(c->BarButton()->HandleAllocated());
    const int client = form_->ClientWidth();
    auto atEdge = [&] {
      return align == TkvSideChannelAlign::kvLeft ? c->Left() == 0 : c->Left() + c->Width() == client;
    };
    EXPECT_EQ(c->TControl::Align(), align == TkvSideChannelAlign::kvLeft ? alLeft : alRight);
    EXPECT_EQ(c->Width(), 10);
    EXPECT_EQ(c->Height(), form_->ClientHeight());
    EXPECT_TRUE(atEdge());
    std::vector<bool> edges;
    c->SetSlidePump([&] { edges.push_back(atEdge()); });
    c->SlideOut(false);
    EXPECT_EQ(c->Width(), 100);
    EXPECT_TRUE(atEdge());
    EXPECT_EQ(edges, std::vector<bool>(5, true));
    // The parts on screen: the strip over the whole width, the bar below it.
    RECT r{};
    GetWindowRect(c->TitleStrip()->Handle(), &r);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(c->SideBar()->Top(), 16);
    EXPECT_EQ(c->PinButton()->Left(), 80);
    c->SlideIn(true);
    EXPECT_EQ(c->Width(), 10);
    EXPECT_TRUE(atEdge());
    delete c;
  }
}

TEST_F(SideChannel, SlidesOutAndInFifteenPixelsAStep) {
  TkvSideChannel* c = NewChannel(100);
  c->SetCaption("Cong cu");
  EventLog log;
  log.Watch(*c);
  std::vector<int> widths;
  StepByHand(*c, widths);

  c->SlideOut(false);
  EXPECT_EQ(widths, (std::vector<int>{25, 40, 55, 70, 85}));
  EXPECT_EQ(c->Width(), 100);
  EXPECT_TRUE(c->PinButton()->Visible());
  EXPECT_EQ(c->TitleStrip()->Caption(), "Cong cu");
  EXPECT_TRUE(c->SlideTimer()->Enabled());
  EXPECT_FALSE(c->Sliding());
  EXPECT_EQ(log.events.back(), "Pop");
  // The steps are no new expanded width.
  EXPECT_EQ(c->ExpandedWidth(), 100);

  widths.clear();
  log.events.clear();
  c->SlideIn(false);
  EXPECT_EQ(widths, (std::vector<int>{85, 70, 55, 40, 25}));
  EXPECT_EQ(c->Width(), 10);
  EXPECT_FALSE(c->PinButton()->Visible());
  EXPECT_EQ(c->TitleStrip()->Caption(), "");
  EXPECT_FALSE(c->SlideTimer()->Enabled());
  EXPECT_EQ(log.events.back(), "Push");
  EXPECT_EQ(c->ExpandedWidth(), 100);

  // Quick slides take one step and pump nothing.
  widths.clear();
  c->SlideOut(true);
  EXPECT_EQ(c->Width(), 100);
  c->SlideIn(true);
  EXPECT_EQ(c->Width(), 10);
  EXPECT_TRUE(widths.empty());
}

TEST_F(SideChannel, SlideStepsFromOtherWidths) {
  struct Case {
    int expanded, sideBar;
    std::vector<int> out, in;
  } cases[] = {
      {25, 10, {}, {}},  // 10 + 15 is not below 25, 25 - 15 not above 10
      {26, 10, {25}, {11}},
      {70, 20, {35, 50, 65}, {55, 40, 25}},
      {12, 10, {}, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.expanded);
    TkvSideChannel* c = NewChannel(k.expanded);
    c->SetSideBarWidth(k.sideBar);
    EXPECT_EQ(c->Width(), k.sideBar);
    std::vector<int> widths;
    StepByHand(*c, widths);
    c->SlideOut(false);
    EXPECT_EQ(widths, k.out);
    EXPECT_EQ(c->Width(), k.expanded);
    widths.clear();
    c->SlideIn(false);
    EXPECT_EQ(widths, k.in);
    EXPECT_EQ(c->Width(), k.sideBar);
    delete c;
  }
}

TEST_F(SideChannel, TheCursorWatchSlidesInOnceTheCursorLeaves) {
  form_->Show();
  TkvSideChannel* c = NewChannel(100);
  EventLog log;
  log.Watch(*c);
  std::vector<int> widths;
  StepByHand(*c, widths);
  c->SlideOut(true);
  log.events.clear();

  struct Case {
    POINT at;
    int width;
  } cases[] = {
      {{50, 60}, 100},  // inside: stays out
      {{1, 1}, 100},
      {{0, 60}, 10},  // on the edge is not inside
  };
  for (const Case& k : cases) {
    c->SlideOut(true);
    CursorAt(*c, k.at);
    Tick(*c);
    EXPECT_EQ(c->Width(), k.width) << k.at.x << "," << k.at.y;
  }
  CursorAt(*c, POINT{50, 60});
  c->SlideOut(true);
  SetCursorPos(0, 0);
  widths.clear();
  log.events.clear();
  Tick(*c);
  EXPECT_EQ(widths, (std::vector<int>{85, 70, 55, 40, 25}));
  EXPECT_EQ(c->Width(), 10);
  EXPECT_EQ(log.events.back(), "Push");

  // A channel without a parent slides in at the tick.
  c->SetQuickMove(true);
  c->SlideOut(true);
  c->SetParent(nullptr);
  Tick(*c);
  EXPECT_EQ(c->Width(), 10);
  delete c;
}

TEST_F(SideChannel, StayOnPinsTheChannelOpen) {
  form_->Show();
  TkvSideChannel* c = NewChannel(120);
  EventLog log;
  log.Watch(*c);
  std::vector<int> widths;
  StepByHand(*c, widths);

  c->SetStayOn(true);
  EXPECT_EQ(widths.size(), 7u);  // not quick: 25 ... 115
  EXPECT_EQ(c->Width(), 120);
  EXPECT_TRUE(c->StayOn());
  EXPECT_TRUE(c->PinButton()->Down());
  EXPECT_EQ(GlyphSize(*c).cx, 8);  // pinned
  EXPECT_EQ(GlyphSize(*c).cy, 7);
  // No cursor watch: the channel stays out wherever the mouse goes.
  EXPECT_FALSE(c->SlideTimer()->Enabled());

  // Unpinned by the pin: the watch runs again.
  c->PinButton()->Click();
  EXPECT_FALSE(c->StayOn());
  EXPECT_FALSE(c->PinButton()->Down());
  EXPECT_EQ(GlyphSize(*c).cx, 7);
  EXPECT_TRUE(c->SlideTimer()->Enabled());
  c->PinButton()->Click();
  EXPECT_TRUE(c->StayOn());
  EXPECT_FALSE(c->SlideTimer()->Enabled());

  // Unpinned in code: in at once, and nothing left to watch.
  widths.clear();
  log.events.clear();
  c->SetStayOn(false);
  EXPECT_TRUE(widths.empty());
  EXPECT_EQ(c->Width(), 10);
  EXPECT_FALSE(c->PinButton()->Down());
  EXPECT_FALSE(c->SlideTimer()->Enabled());
  EXPECT_EQ(log.events, (std::vector<std::string>{"CanResize 10", "Resize 10", "Push"}));

  // With QuickMove, pinning slides out in one step.
  c->SetQuickMove(true);
  widths.clear();
  c->SetStayOn(true);
  EXPECT_TRUE(widths.empty());
  EXPECT_EQ(c->Width(), 120);
}

TEST_F(SideChannel, HoverOrClickByPopupMode) {
  ShowActive();
  ASSERT_EQ(GetActiveWindow(), form_->Handle());
  TkvSideChannel* c = NewChannel(100);
  c->SetQuickMove(true);
  EventLog log;
  log.Watch(*c);
  auto move = [](TWinControl& over) {
    SendMessageA(over.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 40));
    Application->ProcessMessages();
  };
  auto click = [](TWinControl& on) {
    SendMessageA(on.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 40));
    SendMessageA(on.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 40));
    Application->ProcessMessages();
  };

  // Mouse on: hovering the bar, its button or the strip slides out; a click does nothing.
  click(*c->SideBar());
  EXPECT_EQ(c->Width(), 10);
  for (TWinControl* part : {static_cast<TWinControl*>(c->SideBar()), static_cast<TWinControl*>(c->BarButton()),
                            static_cast<TWinControl*>(c->TitleStrip())}) {
    c->SlideIn(true);
    log.events.clear();
    move(*part);
    EXPECT_EQ(c->Width(), 100) << part->ClassName();
    EXPECT_EQ(log.events.back(), "Pop");
  }
  // Out already: hovering again raises nothing.
  log.events.clear();
  move(*c->SideBar());
  EXPECT_TRUE(log.events.empty());

  // Mouse click: hovering does nothing; each click slides out, out or not.
  c->SlideIn(true);
  c->SetPopupMode(kvMouseClick);
  move(*c->SideBar());
  EXPECT_EQ(c->Width(), 10);
  log.events.clear();
  click(*c->SideBar());
  EXPECT_EQ(c->Width(), 100);
  click(*c->BarButton());
  EXPECT_EQ(log.events, (std::vector<std::string>{"CanResize 100", "Resize 100", "Pop", "Pop"}));
}

TEST_F(SideChannel, HoveringAFormThatIsNotActiveDoesNothing) {
  form_->Show();
  TForm* other = skintest::NewStyledForm(TkvUIStyle::DeepBlue, 100, 100);
  other->Show();
  SetForegroundWindow(other->Handle());
  Application->ProcessMessages();
  ASSERT_NE(GetActiveWindow(), form_->Handle());
  TkvSideChannel* c = NewChannel(100);
  c->SetQuickMove(true);
  SendMessageA(c->SideBar()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 40));
  Application->ProcessMessages();
  EXPECT_EQ(c->Width(), 10);
  delete other;
}

TEST_F(SideChannel, ResizesOfTheOpenChannel) {
  TkvSideChannel* c = NewChannel(100);
  EventLog log;
  log.Watch(*c);
  c->SlideOut(true);
  EXPECT_EQ(log.events, (std::vector<std::string>{"CanResize 100", "Resize 100", "Pop"}));

  // Below 50 is refused, after OnCanResize had its say.
  log.events.clear();
  c->SetWidth(40);
  EXPECT_EQ(c->Width(), 100);
  EXPECT_EQ(log.events, (std::vector<std::string>{"CanResize 40"}));
  // Anything else becomes the expanded width.
  log.events.clear();
  c->SetWidth(200);
  EXPECT_EQ(c->Width(), 200);
  EXPECT_EQ(c->ExpandedWidth(), 200);
  EXPECT_EQ(log.events, (std::vector<std::string>{"CanResize 200", "Resize 200"}));
  // A handler that refuses has the last word.
  c->OnCanResize = TCanResizeEvent([](TObject*, int&, int&, bool& ok) { ok = false; });
  c->SetWidth(150);
  EXPECT_EQ(c->Width(), 200);
  c->OnCanResize = TCanResizeEvent();
  c->SlideIn(true);
  // Collapsed, a narrow width is no refusal; wider than the bar, it is the
  // width to slide out to.
  c->SetWidth(30);
  EXPECT_EQ(c->Width(), 30);
  EXPECT_EQ(c->ExpandedWidth(), 30);
  c->SlideIn(true);

  // Writing Width at run time shows at the next slide out.
  c->SetExpandedWidth(150);
  EXPECT_EQ(c->Width(), 10);
  c->SlideOut(true);
  EXPECT_EQ(c->Width(), 150);
  // Writing SideBarWidth folds the channel at once.
  c->SetSideBarWidth(14);
  EXPECT_EQ(c->Width(), 14);
  EXPECT_EQ(c->ExpandedWidth(), 150);
}

TEST_F(SideChannel, CaptionAlignmentFontAndColours) {
  TkvSideChannel* c = NewChannel(100);
  // Folded, the strip stays empty; out, it shows the title, new ones too.
  c->SetCaption("Cong cu");
  EXPECT_EQ(c->Caption(), "Cong cu");
  EXPECT_EQ(c->TitleStrip()->Caption(), "");
  c->SlideOut(true);
  EXPECT_EQ(c->TitleStrip()->Caption(), "Cong cu");
  c->SetCaption("Ghi chu");
  EXPECT_EQ(c->TitleStrip()->Caption(), "Ghi chu");
  c->SlideIn(true);
  EXPECT_EQ(c->TitleStrip()->Caption(), "");
  c->SetAlignment(taLeftJustify);
  EXPECT_EQ(c->TitleStrip()->Alignment(), taLeftJustify);
  EXPECT_EQ(c->Alignment(), taLeftJustify);
  c->Font()->SetName("Arial");
  c->Font()->SetSize(13);
  EXPECT_EQ(c->TitleStrip()->Font()->Name(), "Arial");
  EXPECT_EQ(c->TitleStrip()->Font()->Size(), 13);
  c->SetSideBarColor(0x00A0B0);
  EXPECT_EQ(c->SideBar()->Color(), TColor(0x00A0B0));
  EXPECT_EQ(c->TitleStrip()->Color(), TColor(0x00A0B0));
  EXPECT_EQ(c->SideBarColor(), TColor(0x00A0B0));
}

TEST_F(SideChannel, TheStyleStepSetsBothColours) {
  struct Case {
    TkvUIStyle style;
    TColor colour;
  } cases[] = {{TkvUIStyle::WinXP, 0xDEEBEF}, {TkvUIStyle::Protein, 0xFBFBFB}, {TkvUIStyle::Custom, 0}};
  for (const Case& k : cases) {
    TkvSideChannel* c = NewChannel();
    c->SetColor(0x111111);
    c->SetSideBarColor(0x222222);
    ApplyStyleToControls(*form_, k.style);
    EXPECT_EQ(c->Color(), k.colour);
    EXPECT_EQ(c->SideBarColor(), k.colour);
    EXPECT_EQ(c->TitleStrip()->Color(), k.colour);
    delete c;
  }
}

namespace {

class TChannelForm : public TForm {
  KX_CLASS(TChannelForm, TForm)
 public:
  using TForm::TForm;
  void SidePop(TObject*) { ++pops; }
  int pops = 0;
};

KX_PUBLISH(TChannelForm) { p.Handler("SidePop", &TChannelForm::SidePop); }

}  // namespace

TEST_F(SideChannel, ReadFromAFormResource) {
  RegisterControlClasses();
  RegisterClasses({&TChannelForm::StaticClass()});
  auto* form = TCustomForm::Create<TChannelForm>(nullptr);
  form->HandleNeeded();
  ReadComponentText(*form, R"(object ChannelForm: TChannelForm
  Width = 300
  Height = 200
  object Side: TkvSideChannel
    Width = 140
    SideBarWidth = 12
    Caption = 'Cong cu'
    Align = kvRight
    PopupMode = kvMouseClick
    QuickMove = True
    SideBarColor = clWhite
    OnPop = SidePop
  end
end
)",
                    "channel");
  auto* c = dynamic_cast<TkvSideChannel*>(form->FindComponent("Side"));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->ExpandedWidth(), 140);
  EXPECT_EQ(c->Width(), 12);
  EXPECT_EQ(c->Caption(), "Cong cu");
  EXPECT_EQ(c->TitleStrip()->Caption(), "");
  EXPECT_EQ(c->Align(), TkvSideChannelAlign::kvRight);
  EXPECT_EQ(c->PopupMode(), kvMouseClick);
  EXPECT_TRUE(c->QuickMove());
  EXPECT_EQ(c->SideBarColor(), clWhite);
  EXPECT_EQ(c->Left() + c->Width(), form->ClientWidth());
  c->BarButton()->Click();
  Application->ProcessMessages();
  EXPECT_EQ(c->Width(), 140);
  EXPECT_EQ(c->TitleStrip()->Caption(), "Cong cu");
  EXPECT_EQ(form->pops, 1);
  delete form;
}

// The slides let messages through; whatever frees the channel meanwhile, the
// slide stops there and touches nothing of it.
TEST_F(SideChannel, FreedDuringASlide) {
  struct Case {
    const char* name;
    int freeAtStep;
    bool freeForm;  // else the channel alone
    bool pin;       // slide out through StayOn, else in through the watch
  } cases[] = {
      {"channel, sliding in", 2, false, false},
      {"form, sliding in", 1, true, false},
      {"channel, pinning", 3, false, true},
      {"form, pinning", 2, true, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    if (!form_) form_ = skintest::NewStyledForm(TkvUIStyle::Protein, 360, 240);
    TkvSideChannel* c = NewChannel(100);
    EventLog log;
    log.Watch(*c);
    if (!k.pin) c->SlideOut(true);
    log.events.clear();
    int steps = 0;
    c->SetSlidePump([&] {
      if (++steps != k.freeAtStep) return;
      if (k.freeForm) {
        delete form_;
        form_ = nullptr;
      } else {
        delete c;
      }
    });
    if (k.pin)
      c->SetStayOn(true);
    else
      Tick(*c);
    EXPECT_EQ(steps, k.freeAtStep);
    // It ended on the step's resize: no Pop, no Push.
    EXPECT_EQ(log.events.back().rfind("Resize", 0), 0u) << log.events.back();
    // The style panel alone is left.
    if (form_) {
      EXPECT_EQ(form_->ControlCount(), 1);
    }
  }
}

// A click slides out once the click is done; the form released in the
// middle is freed by the messages the slide lets through, and the slide
// ends there.
TEST_F(SideChannel, FormReleasedDuringAClickedSlide) {
  ShowActive();
  TkvSideChannel* c = NewChannel(100);
  c->SetPopupMode(kvMouseClick);
  bool destroyed = false, popped = false, released = false;
  form_->OnDestroy = TNotifyEvent([&](TObject*) { destroyed = true; });
  c->OnPop = TNotifyEvent([&](TObject*) { popped = true; });
  c->OnResize = TNotifyEvent([&](TObject*) {
    if (released) return;
    released = true;
    form_->Release();
  });
  SendMessageA(c->SideBar()->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 40));
  SendMessageA(c->SideBar()->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 40));
  EXPECT_FALSE(released);  // nothing slid yet
  Application->ProcessMessages();
  EXPECT_TRUE(released);
  EXPECT_TRUE(destroyed);
  EXPECT_FALSE(popped);
  form_ = nullptr;
}

// The picture to look at: a Protein form with a pinned channel out on the
// left and a folded one on the right.
TEST_F(SideChannel, Screenshot) {
  delete form_;
  form_ = skintest::NewStyledForm(TkvUIStyle::Protein, 380, 240);
  TkvSideChannel* left = NewChannel(150);
  left->SetCaption("Cong cu");
  auto* button = new TkvButton(form_);
  button->SetParent(left);
  button->SetBounds(24, 30, 110, 24);
  button->SetCaption("Ve do thi");
  left->SetQuickMove(true);
  left->SetStayOn(true);
  TkvSideChannel* right = NewChannel(120);
  right->SetAlign(TkvSideChannelAlign::kvRight);
  right->SetCaption("Ghi chu");
  ApplyStyleToControls(*form_, TkvUIStyle::Protein);
  form_->Show();
  Application->ProcessMessages();
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
  const testsupport::Picture shot = testsupport::CaptureWindow(form_->Handle());
  EXPECT_TRUE(testsupport::SavePng(shot, "skin_sidechannel.png"));
  EXPECT_EQ(left->Width(), 150);
  EXPECT_EQ(right->Width(), 10);
  // The pinned channel shows the button on it, the folded one only its bar
  // with the bar button's picture, each as the button paints itself.
  for (TkvButton* shown : {button, right->BarButton()}) {
    SCOPED_TRACE(shown->Caption());
    TBitmap painted;
    shown->PaintTo(painted);
    const POINT at = testsupport::InCapture(form_->Handle(), shown->ClientToScreen(POINT{0, 0}));
    EXPECT_EQ(testsupport::DifferingPixels(shot, at, painted), 0);
  }
}
