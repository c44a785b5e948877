// The skinned frame on real windows: sizes, the sizing band, maximise and
// restore, the region, activation, the host's procedure and the key hook,
// misuse, the face and closing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Forms.h"
#include "skin/frame/KVForm.h"
#include "skin/look/KVPublic.h"
#include "FormTesting.h"

using namespace kx;
using namespace formtesting;

namespace {

TkvTitleBarButton* ButtonOfType(TkvForm& frame, TkvTitleBarBtnType type) {
  for (int i = 0; i < frame.TitleBarButtons()->Count(); ++i)
    if (frame.TitleBarButtons()->Items(i)->ButtonType() == type) return frame.TitleBarButtons()->Items(i);
  return nullptr;
}

class SkinnedForm : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // away from every title bar
    savedHook_ = Application->OnMessage;
    Application->OnMessage = TMessageEvent();
  }
  void TearDown() override {
    hosts_.clear();
    Application->ProcessMessages();
    Application->OnMessage = savedHook_;
  }
  TForm* NewHost(TFormBorderStyle style, TWindowState state = wsNormal) {
    TForm* host = TCustomForm::Create<TForm>(nullptr);
    host->SetBorderStyle(style);
    host->SetBounds(100, 80, 400, 300);
    host->SetWindowState(state);
    hosts_.emplace_back(host);
    return host;
  }
  // A frame with a skinned client of 400 x 260 (host 402 x 261).
  static TkvForm* NewFrame(TForm* host) {
    auto* frame = new TkvForm(host);
    frame->SetWidth(400);
    frame->SetHeight(260);
    return frame;
  }
  static void Show(TForm* host) {
    host->Show();
    Application->ProcessMessages();
  }

  std::vector<std::unique_ptr<TForm>> hosts_;
  TMessageEvent savedHook_;
};

}  // namespace

TEST_F(SkinnedForm, WidthAndHeightCountTheBorder) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  Show(host);
  frame->SetBorderWidth(1);
  for (int width : {595, 790}) {
    frame->SetWidth(width);
    EXPECT_EQ(host->Width(), width + 2);
    EXPECT_EQ(frame->Width(), width);
    EXPECT_EQ(frame->Left(), 1);
  }
  const struct { int border, host, frame; } cases[] = {{1, 601, 600}, {2, 603, 601}, {3, 604, 601}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.border);
    frame->SetBorderWidth(c.border);
    frame->SetHeight(600);
    EXPECT_EQ(host->Height(), c.host);
    EXPECT_EQ(frame->Height(), c.frame);
    EXPECT_EQ(frame->Top(), 0);
    EXPECT_EQ(frame->Left(), c.border);
    EXPECT_EQ(frame->Width(), host->ClientWidth() - 2 * c.border);
  }
}

TEST_F(SkinnedForm, TheBorderBandSizesOnlyASizeableHost) {
  // The host's client is 402 x 261: five pixels of band on the left and top,
  // four on the right and bottom.
  const struct {
    TFormBorderStyle original;
    bool maximised;
    POINT p;
    LRESULT expected;
  } cases[] = {
      {bsSizeable, false, {0, 100}, HTLEFT},       {bsSizeable, false, {4, 100}, HTLEFT},
      {bsSizeable, false, {5, 100}, HTCLIENT},     {bsSizeable, false, {401, 100}, HTRIGHT},
      {bsSizeable, false, {398, 100}, HTRIGHT},    {bsSizeable, false, {397, 100}, HTCLIENT},
      {bsSizeable, false, {200, 260}, HTBOTTOM},   {bsSizeable, false, {200, 257}, HTBOTTOM},
      {bsSizeable, false, {200, 256}, HTCLIENT},   {bsSizeable, false, {200, 4}, HTTOP},
      {bsSizeable, false, {200, 5}, HTCLIENT},     {bsSizeable, false, {0, 0}, HTTOPLEFT},
      {bsSizeable, false, {401, 0}, HTTOPRIGHT},   {bsSizeable, false, {401, 260}, HTBOTTOMRIGHT},
      {bsSizeable, false, {0, 260}, HTBOTTOMLEFT}, {bsDialog, false, {0, 100}, HTCLIENT},
      {bsDialog, false, {0, 260}, HTCLIENT},       {bsSingle, false, {401, 100}, HTCLIENT},
      {bsSizeable, true, {0, 100}, HTCLIENT},      {bsSizeable, true, {0, 0}, HTCLIENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.original) + (c.maximised ? " maximised " : " ") + std::to_string(c.p.x) + ", " +
                 std::to_string(c.p.y));
    TForm* host = NewHost(c.original);
    TkvForm* frame = NewFrame(host);
    if (c.maximised) host->SetWindowState(wsMaximized);
    Show(host);
    ASSERT_EQ(frame->OriginalBorderStyle(), c.original);
    if (!c.maximised) {
      ASSERT_EQ(host->ClientWidth(), 402);
      ASSERT_EQ(host->ClientHeight(), 261);
    }
    EXPECT_EQ(HitTest(*host, c.p), c.expected);
    hosts_.clear();
  }
}

TEST_F(SkinnedForm, MaximiseFillsTheWorkAreaAndRestoreReturns) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  Show(host);
  const RECT before = WindowRect(*host);
  TkvTitleBarButton* max = ButtonOfType(*frame, kvMax);
  ASSERT_NE(max, nullptr);

  frame->TitleBar()->PerformTitleButton(*max);
  Application->ProcessMessages();
  EXPECT_EQ(host->WindowState(), wsMaximized);
  const RECT area = QueryDesktopWorkArea();
  const RECT maximised = WindowRect(*host);
  EXPECT_EQ(maximised.left, area.left);
  EXPECT_EQ(maximised.top, area.top);
  EXPECT_EQ(maximised.right, area.right);
  EXPECT_EQ(maximised.bottom, area.bottom);
  // The frame follows, inside the border.
  EXPECT_EQ(frame->Width(), area.right - area.left - 2);
  EXPECT_EQ(frame->Height(), area.bottom - area.top - 1);

  frame->TitleBar()->PerformTitleButton(*max);
  Application->ProcessMessages();
  EXPECT_EQ(host->WindowState(), wsNormal);
  const RECT after = WindowRect(*host);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(frame->Width(), 400);
}

TEST_F(SkinnedForm, MaximisedAtCreationEachHostCountsItsOwnSizes) {
  TForm* first = NewHost(bsSizeable, wsMaximized);
  TkvForm* a = NewFrame(first);
  EXPECT_TRUE(a->MaximizedAtCreate());
  const RECT made = a->CreateBounds();
  EXPECT_EQ(made.left, 100);
  EXPECT_EQ(made.right, 500);
  Show(first);
  ASSERT_EQ(first->WindowState(), wsMaximized);
  auto sizeMessage = [](TForm* host) {
    SendMessageA(host->Handle(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(host->ClientWidth(), host->ClientHeight()));
  };
  for (int i = 0; i < 3; ++i) sizeMessage(first);
  EXPECT_EQ(a->MaximizeCount(), 2);
  EXPECT_TRUE(a->MaximizeSeen());

  // From then on a size message puts the maximised host back at the work
  // area's top-left corner.
  const RECT area = QueryDesktopWorkArea();
  SetWindowPos(first->Handle(), nullptr, area.left + 40, area.top + 30, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_EQ(WindowRect(*first).left, area.left + 40);
  sizeMessage(first);
  EXPECT_EQ(WindowRect(*first).left, area.left);
  EXPECT_EQ(WindowRect(*first).top, area.top);
  EXPECT_EQ(first->WindowState(), wsMaximized);

  // Another host made maximised counts its own size messages from 0: its
  // first one leaves it where it is.
  TForm* second = NewHost(bsSizeable, wsMaximized);
  auto* b = new TkvForm(second);
  EXPECT_TRUE(b->MaximizedAtCreate());
  EXPECT_EQ(b->MaximizeCount(), 0);
  EXPECT_FALSE(b->MaximizeSeen());
  second->SetLeft(150);
  sizeMessage(second);
  EXPECT_EQ(b->MaximizeCount(), 1);
  EXPECT_TRUE(b->MaximizeSeen());
  EXPECT_EQ(second->Left(), 150);
  EXPECT_EQ(a->MaximizeCount(), 2);

  // Restored, a host made maximised goes back to where it was made.
  first->SetWindowState(wsNormal);
  Application->ProcessMessages();
  EXPECT_FALSE(a->MaximizedAtCreate());
  const RECT restored = WindowRect(*first);
  EXPECT_EQ(restored.left, made.left);
  EXPECT_EQ(restored.top, made.top);
  EXPECT_EQ(restored.right, made.right);
  EXPECT_EQ(restored.bottom, made.bottom);
  EXPECT_TRUE(b->MaximizedAtCreate());
}

TEST_F(SkinnedForm, TheRegionRoundsOnlyTheTopCorners) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  Show(host);
  auto inside = [&](POINT p) {
    TGdiHandle<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(host->Handle(), region.Get()) == ERROR) return false;
    return PtInRegion(region.Get(), p.x, p.y) != 0;
  };
  // The host is 402 x 261.
  const struct {
    int radius;
    POINT p;
    bool inside;
  } cases[] = {
      {13, {0, 0}, false},  {13, {401, 0}, false},  {13, {200, 0}, true},    {13, {6, 6}, true},
      {13, {0, 260}, true}, {13, {401, 260}, true}, {13, {402, 100}, false}, {0, {0, 0}, true},
      {0, {401, 0}, true},  {0, {401, 260}, true},  {0, {402, 100}, false},  {0, {100, 261}, false},
  };
  for (const auto& c : cases) {
    frame->SetRoundCorner(c.radius);
    EXPECT_EQ(inside(c.p), c.inside) << c.radius << ": " << c.p.x << ", " << c.p.y;
  }
  // The region follows a change of size.
  frame->SetRoundCorner(13);
  frame->SetWidth(500);
  Application->ProcessMessages();
  EXPECT_TRUE(inside(POINT{501, 100}));
  EXPECT_FALSE(inside(POINT{501, 0}));
}

TEST_F(SkinnedForm, DeactivationGreysTheCaption) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  frame->SetCaption("WWWW");
  Show(host);
  ASSERT_TRUE(frame->TitleBar()->FormActive());
  TBitmap active;
  frame->TitleBar()->PaintTo(active);

  TForm* other = NewHost(bsSizeable);
  other->SetLeft(600);
  NewFrame(other);
  Show(other);
  EXPECT_FALSE(frame->TitleBar()->FormActive());
  TBitmap inactive;
  frame->TitleBar()->PaintTo(inactive);
  int grey = 0;
  const TColor inactiveColor = ColorToRGB(clInactiveCaption) & 0xFFFFFF;
  for (int y = 0; y < active.Height(); ++y)
    for (int x = 20; x < 120; ++x)
      if (PixelOf(active, x, y) == 0xFFFFFF) grey += PixelOf(inactive, x, y) == inactiveColor;
  EXPECT_GT(grey, 10);

  Show(host);
  EXPECT_TRUE(frame->TitleBar()->FormActive());
}

TEST_F(SkinnedForm, TheKeyHookIsInstalledOnceAndRemovedOnlyByItsFrame) {
  TForm* host1 = NewHost(bsSizeable);
  TForm* host2 = NewHost(bsSizeable);
  auto* first = new TkvForm(host1);
  EXPECT_TRUE(first->HookInstalled());
  ASSERT_TRUE(Application->OnMessage);
  auto* second = new TkvForm(host2);
  EXPECT_FALSE(second->HookInstalled());
  delete second;
  EXPECT_TRUE(Application->OnMessage);

  // Every key passes on.
  MSG key{host1->Handle(), WM_KEYDOWN, 'S', 0, 0, {}};
  bool handled = false;
  Application->OnMessage(key, handled);
  EXPECT_FALSE(handled);

  delete first;
  EXPECT_FALSE(Application->OnMessage);

  // The program's own hook stays when the frame goes.
  auto* third = new TkvForm(host1);
  ASSERT_TRUE(third->HookInstalled());
  int programHook = 0;
  Application->OnMessage = TMessageEvent([&](MSG&, bool&) { ++programHook; });
  auto* fourth = new TkvForm(host2);
  EXPECT_FALSE(fourth->HookInstalled());
  delete third;
  ASSERT_TRUE(Application->OnMessage);
  Application->OnMessage(key, handled);
  EXPECT_EQ(programHook, 1);

  // A frame whose hook was taken away leaves another frame's hook alone.
  delete fourth;
  Application->OnMessage = TMessageEvent();
  auto* fifth = new TkvForm(host1);
  ASSERT_TRUE(fifth->HookInstalled());
  Application->OnMessage = TMessageEvent();
  auto* sixth = new TkvForm(host2);
  ASSERT_TRUE(sixth->HookInstalled());
  delete fifth;
  EXPECT_TRUE(Application->OnMessage);
  delete sixth;
  EXPECT_FALSE(Application->OnMessage);
}

TEST_F(SkinnedForm, TheHostProcedureSurvivesRecreationAndGoesWithTheFrame) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  Show(host);
  EXPECT_EQ(HitTest(*host, POINT{0, 100}), HTLEFT);
  host->RecreateWnd();
  Application->ProcessMessages();
  EXPECT_EQ(HitTest(*host, POINT{0, 100}), HTLEFT);
  EXPECT_EQ(GetWindowLongA(host->Handle(), GWL_STYLE) & WS_CAPTION, 0);

  // Something chains onto the host's procedure after the frame, then the
  // frame goes: the chain goes on without it.
  int seen = 0;
  TWndMethod framed = host->WindowProc;
  host->WindowProc = [&seen, framed](TMessage& m) {
    if (m.Msg == WM_NCHITTEST) ++seen;
    framed(m);
  };
  delete frame;
  EXPECT_EQ(HitTest(*host, POINT{0, 100}), HTCLIENT);
  EXPECT_EQ(seen, 1);
  host->SetWidth(300);  // a size message no frame answers
  Application->ProcessMessages();
  EXPECT_EQ(host->Width(), 300);

  // Nothing chained: the frame puts the host's own procedure back.
  TForm* plain = NewHost(bsSizeable);
  TkvForm* second = NewFrame(plain);
  Show(plain);
  EXPECT_EQ(HitTest(*plain, POINT{0, 100}), HTLEFT);
  delete second;
  EXPECT_EQ(HitTest(*plain, POINT{0, 100}), HTCLIENT);
  plain->SetWidth(320);
  Application->ProcessMessages();
  EXPECT_EQ(plain->Width(), 320);
}

TEST_F(SkinnedForm, ASecondFrameRaisesAndLeavesTheHostAsItWas) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  frame->SetUIStyle(TkvUIStyle::Protein);
  frame->SetCaption("Frame");
  Show(host);
  const RECT bounds = WindowRect(*host);
  const TSizeConstraints* limits = host->Constraints();
  const int minWidth = limits->MinWidth(), minHeight = limits->MinHeight();
  const int maxWidth = limits->MaxWidth(), maxHeight = limits->MaxHeight();
  const int controls = host->ControlCount(), components = host->ComponentCount();
  const LONG style = GetWindowLongA(host->Handle(), GWL_STYLE);

  try {
    new TkvForm(host);
    FAIL() << "a second frame was made";
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), "Sorry, You can create only one TkvForm component in one form!");
  }
  Application->ProcessMessages();
  const RECT now = WindowRect(*host);
  EXPECT_EQ(now.left, bounds.left);
  EXPECT_EQ(now.top, bounds.top);
  EXPECT_EQ(now.right, bounds.right);
  EXPECT_EQ(now.bottom, bounds.bottom);
  EXPECT_EQ(limits->MinWidth(), minWidth);
  EXPECT_EQ(limits->MinHeight(), minHeight);
  EXPECT_EQ(limits->MaxWidth(), maxWidth);
  EXPECT_EQ(limits->MaxHeight(), maxHeight);
  EXPECT_EQ(host->ControlCount(), controls);
  EXPECT_EQ(host->ComponentCount(), components);
  EXPECT_EQ(GetWindowLongA(host->Handle(), GWL_STYLE), style);
  EXPECT_EQ(host->Caption(), "Frame");
  EXPECT_EQ(TkvForm::FindOn(host), frame);
  EXPECT_EQ(frame->UIStyle(), TkvUIStyle::Protein);
  EXPECT_EQ(HitTest(*host, POINT{0, 100}), HTLEFT);
}

TEST_F(SkinnedForm, TheCaptionIsAlsoTheWindowText) {
  TForm* host = NewHost(bsSizeable);
  host->SetCaption("Thong bao");
  TkvForm* frame = NewFrame(host);
  EXPECT_EQ(frame->Caption(), "Thong bao");
  Show(host);
  frame->SetCaption("Chua chon ham so");
  char text[64] = {};
  GetWindowTextA(host->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "Chua chon ham so");
  EXPECT_EQ(frame->TitleBar()->Caption(), "Chua chon ham so");
  EXPECT_EQ(frame->Caption(), "Chua chon ham so");
  EXPECT_EQ(frame->Text(), " ");  // the panel's own text is not shown
}

TEST_F(SkinnedForm, WithoutTheTitleBarTheFrameStartsBelowTheBorder) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  frame->SetBorderWidth(3);
  Show(host);
  ASSERT_TRUE(frame->TitleBarVisible());
  EXPECT_EQ(frame->Top(), 0);
  frame->SetTitleBarVisible(false);
  EXPECT_FALSE(frame->TitleBar()->Visible());
  EXPECT_EQ(frame->Top(), 3);
  EXPECT_EQ(frame->Left(), 3);
  EXPECT_EQ(frame->Height(), host->ClientHeight() - 6);
  frame->SetTitleBarVisible(true);
  EXPECT_TRUE(frame->TitleBar()->Visible());
  EXPECT_EQ(frame->TitleBar()->Top(), 0);
  EXPECT_EQ(frame->Top(), 0);
  EXPECT_EQ(frame->Height(), host->ClientHeight() - 3);
}

TEST_F(SkinnedForm, PatternOrFillBehindTheControls) {
  const struct {
    TkvUIStyle style;
    const char* pattern;  // nullptr: filled with Color
  } cases[] = {
      {TkvUIStyle::Protein, "PROTEIN_FORM_BACKGROUND"},
      {TkvUIStyle::MacOS, "MACOS_FORM_BACKGROUND"},
      {TkvUIStyle::DeepBlue, nullptr},
      {TkvUIStyle::WinXP, nullptr},
  };
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    frame->SetUIStyle(c.style);
    frame->SetColor(0x3366CC);  // the pattern shows whatever the colour
    TBitmap face;
    frame->PaintTo(face);
    ASSERT_EQ(face.Width(), frame->Width());
    if (!c.pattern) {
      for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelOf(face, 100 + x, 100 + y), 0x3366CC);
      continue;
    }
    TBitmap tile;
    tile.LoadFromResourceName(GetModuleHandleA(nullptr), c.pattern);
    ASSERT_EQ(tile.Width(), 8);
    bool plain = true;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) plain = plain && PixelOf(tile, x, y) == PixelOf(tile, 0, 0);
    ASSERT_FALSE(plain) << "a pattern of one colour proves nothing";
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_EQ(PixelOf(face, x, y), PixelOf(tile, x % 8, y % 8)) << x << ", " << y;
  }
}

TEST_F(SkinnedForm, ClosingFreesTheHostThroughAPostedMessage) {
  // Not kept by the fixture: closing frees it.
  TForm* host = TCustomForm::Create<TForm>(nullptr);
  host->SetBorderStyle(bsDialog);
  host->SetBounds(120, 90, 400, 300);
  TkvForm* frame = NewFrame(host);
  bool destroyed = false;
  host->OnDestroy = [&](TObject*) { destroyed = true; };
  host->OnClose = TCloseEvent([](TObject*, TCloseAction& action) { action = caFree; });
  Show(host);

  TkvTitleBar* bar = frame->TitleBar();
  const TkvTitleBarLayout layout = bar->Layout(bar->Width());
  ASSERT_FALSE(layout.Buttons.empty());
  ASSERT_EQ(bar->Buttons()->Items(layout.Buttons[0].Index)->ButtonType(), kvClose);
  const RECT& r = layout.Buttons[0].Rect;
  const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const POINT s = bar->ClientToScreen(p);
  SetCursorPos(s.x, s.y);
  SendMessageA(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  // The bar finished its mouse-up on a live window.
  EXPECT_FALSE(destroyed);
  EXPECT_FALSE(bar->Pressed());
  Application->ProcessMessages();
  EXPECT_TRUE(destroyed);
  SetCursorPos(0, 0);
}

namespace {

// A main menu that keeps the link to the frame that shows it.
class LinkedMenu : public TMainMenu, public TkvMenuBarLink {
 public:
  explicit LinkedMenu(TComponent* owner) : TMainMenu(owner) {}
  void SetMenuBarForm(TkvForm* form) override { linked = form; }
  TkvForm* linked = nullptr;
};

}  // namespace

TEST_F(SkinnedForm, MenuIsAReferenceThatTheMenuLearnsOf) {
  TForm* host = NewHost(bsSizeable);
  TkvForm* frame = NewFrame(host);
  EXPECT_EQ(frame->Menu(), nullptr);
  EXPECT_EQ(frame->MenuBarHeight(), 22);
  EXPECT_EQ(frame->MenuBarColor(), frame->Color());

  // A menu made on the host hands itself to the host's frame.
  auto* menu = new LinkedMenu(host);
  TkvForm::FindOn(host)->SetMenu(menu);
  EXPECT_EQ(frame->Menu(), menu);
  EXPECT_EQ(menu->linked, frame);
  frame->SetMenu(nullptr);
  EXPECT_EQ(menu->linked, nullptr);

  frame->SetMenu(menu);
  delete menu;
  EXPECT_EQ(frame->Menu(), nullptr);

  auto* plain = new TMainMenu(host);
  frame->SetMenu(plain);
  EXPECT_EQ(frame->Menu(), plain);

  // The frame goes first: the menu forgets it.
  auto* kept = new LinkedMenu(nullptr);
  frame->SetMenu(kept);
  delete frame;
  EXPECT_EQ(kept->linked, nullptr);
  delete kept;
}

TEST_F(SkinnedForm, OnAnOwnerThatIsNoFormItStaysAPanel) {
  TForm* host = NewHost(bsSizeable);
  auto* container = new TPanel(host);
  container->SetParent(host);
  const int hostWidth = host->Width();
  auto* panel = new TkvForm(container);
  panel->SetParent(container);
  EXPECT_EQ(panel->Host(), nullptr);
  EXPECT_EQ(panel->TitleBar(), nullptr);
  EXPECT_FALSE(panel->HookInstalled());
  EXPECT_FALSE(Application->OnMessage);
  panel->SetWidth(150);
  EXPECT_EQ(panel->Width(), 150);
  EXPECT_EQ(host->Width(), hostWidth);
  EXPECT_EQ(host->BorderStyle(), bsSizeable);
  panel->SetCaption("Panel");
  EXPECT_EQ(panel->Caption(), "Panel");
  EXPECT_EQ(TkvForm::FindOn(host), nullptr);
}
