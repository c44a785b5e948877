// Two skinned children in an MDI frame (the program's main form): which one
// is active and how their captions show it, maximising and restoring (the
// contents move up under the hidden title bar and back), the children's
// border and sizing band, and the hit test of a skinned MDI frame.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/frame/KVForm.h"
#include "skin/look/KVPublic.h"
#include "FormTesting.h"
#include "TestSupport.h"

using namespace kx;
using namespace formtesting;

namespace {

struct Child {
  TForm* Host = nullptr;
  TkvForm* Frame = nullptr;
  TEdit* Field = nullptr;
};

class MdiForms : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetCursorPos(0, 0);
    mainFrame_ = Application->CreateForm<TForm>();
    mainFrame_->SetFormStyle(fsMDIForm);
    mainFrame_->SetCaption("Kurvex MDI");
    mainFrame_->SetBounds(20, 20, 760, 540);
    mainFrame_->Show();
    Application->ProcessMessages();
  }
  void SetUp() override {
    a_ = NewChild("Do thi A", 10, 10);
    b_ = NewChild("Do thi B", 180, 120);
    Application->ProcessMessages();
  }
  void TearDown() override {
    delete b_.Host;
    delete a_.Host;
    Application->ProcessMessages();
  }
  static Child NewChild(const std::string& caption, int left, int top) {
    Child c;
    c.Host = TCustomForm::Create<TForm>(nullptr);
    c.Host->SetFormStyle(fsMDIChild);
    c.Host->SetBounds(left, top, 320, 220);
    c.Frame = new TkvForm(c.Host);
    c.Frame->SetCaption(caption);
    c.Frame->SetBorderWidth(1);
    c.Field = new TEdit(c.Host);
    c.Field->SetParent(c.Frame);
    c.Field->SetBounds(10, 50, 120, 22);
    c.Host->Show();
    Application->ProcessMessages();
    return c;
  }
  static void Activate(const Child& c) {
    SendMessageA(mainFrame_->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(c.Host->Handle()), 0);
    Application->ProcessMessages();
  }
  static void Shoot(const char* name) {
    RedrawWindow(mainFrame_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
    testsupport::SavePng(testsupport::CaptureWindow(mainFrame_->Handle()), name);
  }

  static inline TForm* mainFrame_ = nullptr;  // the application owns it
  Child a_, b_;
};

}  // namespace

TEST_F(MdiForms, ChildrenLiveInTheFramesClientAndKeepTheirBorder) {
  ASSERT_NE(mainFrame_->ClientHandle(), nullptr);
  EXPECT_EQ(GetParent(a_.Host->Handle()), mainFrame_->ClientHandle());
  EXPECT_EQ(mainFrame_->MDIChildren().size(), 2u);
  // The frame takes only the caption away.
  EXPECT_EQ(a_.Host->BorderStyle(), bsSizeable);
  const LONG_PTR style = GetWindowLongPtrA(a_.Host->Handle(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  // The frame's panel inside the child's border.
  const int cw = a_.Host->ClientWidth(), ch = a_.Host->ClientHeight();
  EXPECT_EQ(a_.Frame->Left(), 1);
  EXPECT_EQ(a_.Frame->Top(), 0);
  EXPECT_EQ(a_.Frame->Width(), cw - 2 * (1 + 1) - 1);
  EXPECT_EQ(a_.Frame->Height(), ch - 1 - 0 - 3);
  // The sizing band of a child that was sizeable.
  EXPECT_EQ(HitTest(*a_.Host, POINT{0, 100}), HTLEFT);
  EXPECT_EQ(HitTest(*a_.Host, POINT{cw - 1, ch - 1}), HTBOTTOMRIGHT);
  EXPECT_EQ(HitTest(*a_.Host, POINT{2, ch - 2}), HTBOTTOMLEFT);
}

TEST_F(MdiForms, TheActiveChildAndItsCaption) {
  EXPECT_EQ(mainFrame_->ActiveMDIChild(), b_.Host);
  EXPECT_TRUE(IsFormActive(b_.Host));
  EXPECT_FALSE(IsFormActive(a_.Host));
  EXPECT_TRUE(b_.Frame->TitleBar()->FormActive());
  EXPECT_FALSE(a_.Frame->TitleBar()->FormActive());
  Shoot("skin_mdi_b_active.png");

  Activate(a_);
  EXPECT_EQ(mainFrame_->ActiveMDIChild(), a_.Host);
  EXPECT_TRUE(IsFormActive(a_.Host));
  EXPECT_FALSE(IsFormActive(b_.Host));
  EXPECT_TRUE(a_.Frame->TitleBar()->FormActive());
  EXPECT_FALSE(b_.Frame->TitleBar()->FormActive());
  Shoot("skin_mdi_a_active.png");
  // The grey caption of the inactive child is the title bar's own drawing.
  TBitmap bar;
  b_.Frame->TitleBar()->PaintTo(bar);
  bool grey = false;
  const TColor inactive = TColor(ColorToRGB(clInactiveCaption));
  for (int x = 24; x < 120 && !grey; ++x)
    for (int y = 0; y < bar.Height() && !grey; ++y) grey = (bar.Canvas()->Pixel(x, y) & 0xFFFFFF) == inactive;
  EXPECT_TRUE(grey);
}

TEST_F(MdiForms, MaximisingMovesTheContentsUpUnderTheHiddenTitleBar) {
  const int bar = a_.Frame->TitleBar()->Height();
  ASSERT_EQ(bar, 32);
  Activate(a_);
  a_.Host->SetWindowState(wsMaximized);
  Application->ProcessMessages();
  EXPECT_EQ(a_.Host->WindowState(), wsMaximized);
  EXPECT_FALSE(a_.Frame->TitleBarVisible());
  EXPECT_TRUE(a_.Frame->ContentsScrolledUp());
  EXPECT_EQ(a_.Frame->Top(), 1);
  EXPECT_EQ(a_.Field->Top(), 50 - bar);
  // A maximised child answers no sizing band.
  EXPECT_NE(HitTest(*a_.Host, POINT{0, 100}), HTLEFT);
  Shoot("skin_mdi_a_maximised.png");

  // Another child activated takes the maximised state over: its contents
  // move up, the first one's come back.
  Activate(b_);
  EXPECT_EQ(b_.Host->WindowState(), wsMaximized);
  EXPECT_EQ(a_.Host->WindowState(), wsNormal);
  EXPECT_EQ(b_.Field->Top(), 50 - bar);
  EXPECT_EQ(a_.Field->Top(), 50);
  EXPECT_TRUE(a_.Frame->TitleBarVisible());
  EXPECT_FALSE(b_.Frame->TitleBarVisible());

  b_.Host->SetWindowState(wsNormal);
  Application->ProcessMessages();
  EXPECT_EQ(b_.Host->WindowState(), wsNormal);
  EXPECT_TRUE(b_.Frame->TitleBarVisible());
  EXPECT_FALSE(b_.Frame->ContentsScrolledUp());
  EXPECT_EQ(b_.Field->Top(), 50);
  EXPECT_EQ(b_.Frame->Top(), 0);
  Shoot("skin_mdi_b_restored.png");
}

// A skinned MDI frame (not the main form here): its own client points let
// the mouse through, its border strips still size it, and its title bar
// stays a title bar.
TEST_F(MdiForms, HitTestsOfASkinnedFrame) {
  std::unique_ptr<TForm> host(TCustomForm::Create<TForm>(nullptr));
  host->SetFormStyle(fsMDIForm);
  host->SetBounds(300, 60, 400, 300);
  auto* frame = new TkvForm(host.get());
  frame->SetBorderWidth(1);
  frame->SetCaption("Skinned frame");
  host->Show();
  Application->ProcessMessages();
  ASSERT_NE(host->ClientHandle(), nullptr);
  EXPECT_EQ(host->BorderStyle(), bsSizeable);
  EXPECT_EQ(HitTest(*host, POINT{200, 150}), HTTRANSPARENT);
  EXPECT_EQ(HitTest(*host, POINT{0, 150}), HTLEFT);
  EXPECT_EQ(HitTest(*host, POINT{host->ClientWidth() - 1, 150}), HTRIGHT);
  TkvTitleBar& bar = *frame->TitleBar();
  auto barHit = [&](POINT p) {
    const POINT s = bar.ClientToScreen(p);
    return SendMessageA(bar.Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y));
  };
  EXPECT_EQ(barHit(POINT{150, 15}), HTCLIENT);  // draggable: not passed through
  EXPECT_EQ(barHit(POINT{150, 2}), HTTOP);
  host->SetWindowState(wsMaximized);
  Application->ProcessMessages();
  EXPECT_EQ(HitTest(*host, POINT{0, 150}), HTCLIENT);  // maximised: no band, nothing let through
}

// A skinned MDI frame fills the host with its panel; the children show and
// take clicks over that panel, below the frame's title bar.
TEST_F(MdiForms, TheChildrenShowOverTheSkinnedFramesPanel) {
  auto* frame = new TkvForm(mainFrame_);
  frame->SetBorderWidth(1);
  frame->SetCaption("Skinned MDI frame");
  auto* panel = new TPanel(mainFrame_);
  panel->SetParent(frame);
  panel->SetColor(clGreen);
  frame->SetFormPanel(panel);
  Application->ProcessMessages();
  ASSERT_EQ(mainFrame_->MDIClientArea(), panel);

  // The client covers the panel exactly, below the title bar.
  RECT client, area;
  GetWindowRect(mainFrame_->ClientHandle(), &client);
  GetWindowRect(panel->Handle(), &area);
  EXPECT_TRUE(EqualRect(&client, &area)) << client.left << "," << client.top << " " << area.left << "," << area.top;
  RECT bar;
  GetWindowRect(frame->TitleBar()->Handle(), &bar);
  EXPECT_GE(client.top, bar.bottom);
  // What lies under a child's middle is the child, not the panel.
  for (const Child* c : {&a_, &b_}) {
    RECT r;
    GetWindowRect(c->Field->Handle(), &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    HWND under = WindowFromPoint(middle);
    EXPECT_TRUE(under == c->Field->Handle() || IsChild(c->Host->Handle(), under)) << c->Host->Caption();
  }
  Shoot("skin_mdi_skinned_frame.png");

  // Without its panel the frame's own area below its bars holds the client.
  frame->SetFormPanel(nullptr);
  delete panel;
  Application->ProcessMessages();
  EXPECT_EQ(mainFrame_->MDIClientArea(), frame);
  GetWindowRect(mainFrame_->ClientHandle(), &client);
  EXPECT_EQ(client.top, bar.bottom);
  delete frame;
  Application->ProcessMessages();
  EXPECT_EQ(mainFrame_->MDIClientArea(), nullptr);
}
