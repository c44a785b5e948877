// The bitmap title bar: layout and pixels, the mouse (with the real cursor),
// the sizing band, the window region, misuse, and the owner lookups.
#include <gtest/gtest.h>

#include <windowsx.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/frame/KVTitleBar.h"
#include "skin/look/KVPublic.h"
#include "TestSupport.h"

using namespace kx;

namespace {

// A panel that plays the skinned form for the bar and the lookups.
class FramePanel : public TPanel, public TkvTitleBarFrame, public TkvSkinnedForm {
 public:
  FramePanel(TComponent* owner, TFormBorderStyle original, TkvUIStyle style = TkvUIStyle::DeepBlue,
             TColor color = 0x123456)
      : TPanel(owner), original_(original), style_(style), color_(color) {
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
  }
  TFormBorderStyle OriginalBorderStyle() const override { return original_; }
  TkvUIStyle SkinStyle() const override { return style_; }
  TColor SkinColor() const override { return color_; }

 private:
  TFormBorderStyle original_;
  TkvUIStyle style_;
  TColor color_;
};

// Errors reported instead of shown in a box, for one test.
class CollectErrors {
 public:
  CollectErrors() {
    old_ = SetSkinErrorSink([this](const std::string& text) { texts.push_back(text); });
  }
  ~CollectErrors() { SetSkinErrorSink(old_); }
  std::vector<std::string> texts;

 private:
  TSkinErrorSink old_;
};

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

bool Bright(TColor c) { return (c & 0xFF) > 0xC0 && ((c >> 8) & 0xFF) > 0xC0 && ((c >> 16) & 0xFF) > 0xC0; }

// The box around the caption's bright pixels between columns x0 and x1.
RECT CaptionBox(TBitmap& b, int x0, int x1) {
  RECT box{x1, b.Height(), -1, -1};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = x0; x < x1; ++x)
      if (Bright(PixelOf(b, x, y))) {
        box.left = std::min<LONG>(box.left, x), box.right = std::max<LONG>(box.right, x + 1);
        box.top = std::min<LONG>(box.top, y), box.bottom = std::max<LONG>(box.bottom, y + 1);
      }
  return box;
}

class TitleBar : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // far from the bars, which sit further in
    NewForm();
  }
  void NewForm() {
    delete form_;
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBorderStyle(bsNone);
    form_->SetBounds(200, 150, 377, 200);
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  // A bar on a frame panel that fills the form.
  TkvTitleBar* MakeBar(TFormBorderStyle original, TkvUIStyle style) {
    frame_ = new FramePanel(form_, original, style);
    frame_->SetParent(form_);
    frame_->SetAlign(alClient);
    auto* bar = new TkvTitleBar(form_);
    bar->SetParent(frame_);
    bar->SetUIStyle(style);
    return bar;
  }
  // Keeps only the buttons of these types, in this order.
  static void KeepButtons(TkvTitleBar& bar, std::initializer_list<TkvTitleBarBtnType> types) {
    bar.Buttons()->Clear();
    for (TkvTitleBarBtnType type : types) bar.Buttons()->Add()->SetButtonType(type);
    for (int i = 0; i < bar.Buttons()->Count(); ++i) bar.Buttons()->Items(i)->SetUIStyle(bar.UIStyle());
  }
  POINT ScreenOf(TkvTitleBar& bar, POINT p) { return bar.ClientToScreen(p); }

  TForm* form_ = nullptr;
  FramePanel* frame_ = nullptr;
};

}  // namespace

TEST_F(TitleBar, DeepBlueDialogBar) {
  TkvTitleBar* bar = MakeBar(bsDialog, TkvUIStyle::DeepBlue);
  KeepButtons(*bar, {kvControlBox, kvClose});
  bar->SetCaption("Nhap ham so");
  form_->Show();
  Application->ProcessMessages();
  ASSERT_EQ(bar->Width(), 377);
  ASSERT_EQ(bar->Height(), 32);

  const TkvTitleBarLayout layout = bar->Layout(377);
  ASSERT_EQ(layout.Buttons.size(), 1u);
  EXPECT_EQ(layout.Buttons[0].Index, 1);
  EXPECT_EQ(layout.Buttons[0].Rect.left, 358);
  EXPECT_EQ(layout.Buttons[0].Rect.top, 2);
  EXPECT_EQ(layout.ControlBox, 0);
  EXPECT_EQ(layout.ControlBoxRect.left, 0);
  EXPECT_EQ(layout.CaptionLeft, 24);

  TBitmap shot;
  bar->PaintTo(shot);
  TBitmap close, box;
  close.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLEBTN_CLOSE_NORMAL");
  box.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLEBTN_CTLBOX_NORMAL");
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 19; ++x) {
      ASSERT_EQ(PixelOf(shot, 358 + x, 2 + y), PixelOf(close, x, y)) << x << ", " << y;
      ASSERT_EQ(PixelOf(shot, x, 2 + y), PixelOf(box, x, y)) << x << ", " << y;
    }
  // The caption at (24, 4): its glyphs start there and within the 19 rows of its font.
  const RECT caption = CaptionBox(shot, 20, 358);
  EXPECT_GE(caption.left, 24);
  EXPECT_LE(caption.left, 26);
  EXPECT_GE(caption.top, 4);
  EXPECT_LE(caption.bottom, 4 + 16);
  // The left section from x = 0, the right one against the right edge.
  TBitmap left, right;
  left.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLE_LEFT");
  right.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLE_RIGHT");
  EXPECT_EQ(PixelOf(shot, 30, 30), PixelOf(left, 30, 30));
  EXPECT_EQ(PixelOf(shot, 377 - 97 + 5, 30), PixelOf(right, 5, 30));
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_titlebar_deepblue.png");
}

TEST_F(TitleBar, ProteinMainBarWithTheIcon) {
  form_->SetWidth(600);  // before the bar gives the form its region
  TkvTitleBar* bar = MakeBar(bsSizeable, TkvUIStyle::Protein);
  bar->SetDrawAppIcon(true);
  bar->SetCaption("Plotvane v2.21");
  form_->Show();
  Application->ProcessMessages();
  ASSERT_EQ(bar->Height(), 23);
  EXPECT_EQ(bar->Layout(600).CaptionLeft, 21);
  EXPECT_EQ(bar->Layout(600).Buttons.size(), 3u);

  TBitmap shot, left;
  bar->PaintTo(shot);
  left.LoadFromResourceName(GetModuleHandleA(nullptr), "PROTEIN_TITLE_LEFT");
  // The icon covers (3, 2) .. (19, 18); left of the caption the rest is the section.
  int changed = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 21; ++x) {
      const bool inIcon = x >= 3 && x < 19 && y >= 2 && y < 18;
      if (PixelOf(shot, x, y) != PixelOf(left, x, y)) {
        EXPECT_TRUE(inIcon) << x << ", " << y;
        ++changed;
      }
    }
  EXPECT_GT(changed, 40);
  // The caption from x = 21, centred in the 23 rows.
  const RECT caption = CaptionBox(shot, 21, bar->Layout(600).CaptionRight);
  EXPECT_GE(caption.left, 21);
  EXPECT_LE(caption.left, 23);
  EXPECT_LE(std::abs((caption.top + caption.bottom) - 23), 3) << caption.top << " " << caption.bottom;
  bar->Repaint();
  testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_titlebar_protein.png");
}

TEST_F(TitleBar, ALongCaptionShowsTwoCharactersAndDots) {
  TkvTitleBar* bar = MakeBar(bsDialog, TkvUIStyle::DeepBlue);
  KeepButtons(*bar, {kvControlBox, kvClose});
  form_->SetWidth(120);
  bar->SetCaption("Tham so cua ham so mau");
  form_->Show();
  Application->ProcessMessages();
  TBitmap shot;
  bar->PaintTo(shot);
  TBitmap measure;
  measure.SetSize(10, 10);
  measure.Canvas()->Font()->Assign(bar->Font());
  const int expected = measure.Canvas()->TextWidth("Th...");
  const RECT caption = CaptionBox(shot, 24, bar->Layout(120).CaptionRight);
  EXPECT_NEAR(caption.right - caption.left, expected, 3);

  // A caption that fits is shown whole.
  bar->SetCaption("Tham");
  bar->PaintTo(shot);
  const RECT whole = CaptionBox(shot, 24, bar->Layout(120).CaptionRight);
  EXPECT_NEAR(whole.right - whole.left, measure.Canvas()->TextWidth("Tham"), 3);
}

TEST_F(TitleBar, TheInactiveCaption) {
  TkvTitleBar* bar = MakeBar(bsDialog, TkvUIStyle::DeepBlue);
  bar->SetCaption("WWWW");
  form_->Show();
  Application->ProcessMessages();
  TBitmap active, inactive;
  bar->PaintTo(active);
  bar->SetFormActive(false);
  bar->PaintTo(inactive);
  const RECT caption = CaptionBox(active, 20, 300);
  ASSERT_GT(caption.right, caption.left);
  int grey = 0;
  const TColor inactiveColor = ColorToRGB(clInactiveCaption) & 0xFFFFFF;
  for (int y = caption.top; y < caption.bottom; ++y)
    for (int x = caption.left; x < caption.right; ++x)
      if (PixelOf(active, x, y) == 0xFFFFFF) grey += PixelOf(inactive, x, y) == inactiveColor;
  EXPECT_GT(grey, 10);
}

TEST_F(TitleBar, SectionsLeftRightAndClient) {
  TkvTitleBar* bar = MakeBar(bsDialog, TkvUIStyle::DeepBlue);
  KeepButtons(*bar, {});
  form_->SetWidth(150);  // narrower than the two 97-pixel ends
  form_->Show();
  Application->ProcessMessages();
  TBitmap shot, left, client;
  bar->PaintTo(shot);
  left.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLE_LEFT");
  client.LoadFromResourceName(GetModuleHandleA(nullptr), "DEEPBLUE_TITLE_CLIENT");
  // The right section finds no room: the left one, then the client picture.
  for (int x : {0, 50, 96}) EXPECT_EQ(PixelOf(shot, x, 30), PixelOf(left, x, 30)) << x;
  EXPECT_EQ(PixelOf(shot, 120, 30), PixelOf(client, 0, 30));
}

TEST_F(TitleBar, StyleSetsHeightOffsetsAndButtons) {
  const struct {
    TkvUIStyle style;
    int height, left, right, top;
    bool transparent;
  } cases[] = {
      {TkvUIStyle::MacOS, 23, 3, -2, 4, false},    {TkvUIStyle::WinXP, 29, 2, -2, 5, false},
      {TkvUIStyle::DeepBlue, 32, 0, 0, 2, false},  {TkvUIStyle::Protein, 23, 0, 0, 2, true},
      {TkvUIStyle::BlueGlass, 33, 4, -3, 6, true},
  };
  TkvTitleBar* bar = MakeBar(bsSizeable, TkvUIStyle::DeepBlue);
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    bar->SetUIStyle(c.style);
    EXPECT_EQ(bar->Height(), c.height);
    EXPECT_EQ(bar->LeftBtnXOffset(), c.left);
    EXPECT_EQ(bar->RightBtnXOffset(), c.right);
    EXPECT_EQ(bar->Sections()->Count(), 3);
    EXPECT_EQ(form_->Constraints()->MinWidth(), ThemeInteger(c.style, 6));
    EXPECT_EQ(bar->RoundCorner(), ThemeInteger(c.style, 7));
    for (int i = 0; i < bar->Buttons()->Count(); ++i) {
      EXPECT_EQ(bar->Buttons()->Items(i)->Top(), c.top);
      EXPECT_EQ(bar->Buttons()->Items(i)->Transparent(), c.transparent);
      EXPECT_FALSE(bar->Buttons()->Items(i)->PicMouseDown()->Graphic()->Empty());
    }
  }
  bar->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(bar->Sections()->Count(), 0);
  // The defaults of a new bar: control box, close, maximise, minimise.
  TkvTitleBar fresh(nullptr);
  ASSERT_EQ(fresh.Buttons()->Count(), 4);
  const TkvTitleBarBtnType order[] = {kvControlBox, kvClose, kvMax, kvMin};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fresh.Buttons()->Items(i)->ButtonType(), order[i]);
  EXPECT_EQ(fresh.UIStyle(), TkvUIStyle::DeepBlue);
}

TEST_F(TitleBar, PressAndReleaseWithTheRealCursor) {
  TkvTitleBar* bar = MakeBar(bsSizeable, TkvUIStyle::DeepBlue);
  KeepButtons(*bar, {kvHelp, kvHelp});
  std::vector<int> clicks;
  bar->OnHelpBtnClick = TkvTitleBarButtonClickEvent([&](TObject*, int index) { clicks.push_back(index); });
  int drags = 0;
  TWndMethod old = form_->WindowProc;
  form_->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_NCLBUTTONDOWN && m.WParam == HTCAPTION) {
      ++drags;  // swallowed: the move loop never starts
      return;
    }
    old(m);
  };
  form_->Show();
  Application->ProcessMessages();
  const TkvTitleBarLayout layout = bar->Layout(bar->Width());
  auto centre = [&](int i) {
    const RECT& r = layout.Buttons[i].Rect;
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  };
  const POINT off{150, 10};
  auto at = [&](POINT p, UINT msg) {
    const POINT s = ScreenOf(*bar, p);
    SetCursorPos(s.x, s.y);
    SendMessageA(bar->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(p.x, p.y));
  };
  const struct {
    POINT press, release;
    std::vector<int> performed;
    int drags;
  } cases[] = {
      {centre(0), off, {}, 0},
      {centre(0), centre(0), {0}, 0},
      {centre(0), centre(1), {1}, 0},
      {off, off, {}, 1},
  };
  for (const auto& c : cases) {
    clicks.clear();
    drags = 0;
    at(c.press, WM_LBUTTONDOWN);
    at(c.release, WM_LBUTTONUP);
    EXPECT_EQ(clicks, c.performed) << c.press.x << " -> " << c.release.x;
    EXPECT_EQ(drags, c.drags) << c.press.x << " -> " << c.release.x;
    EXPECT_FALSE(bar->Pressed());
  }
  // No drag while maximised.
  form_->SetWindowState(wsMaximized);
  Application->ProcessMessages();
  drags = 0;
  at(off, WM_LBUTTONDOWN);
  at(off, WM_LBUTTONUP);
  EXPECT_EQ(drags, 0);
  form_->WindowProc = old;
}

TEST_F(TitleBar, DoubleClickMaximisesThroughAHiddenMaxButton) {
  TkvTitleBar* bar = MakeBar(bsSizeable, TkvUIStyle::DeepBlue);
  TWndMethod old = form_->WindowProc;
  form_->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_NCLBUTTONDOWN) return;  // no move loop
    old(m);
  };
  form_->Show();
  Application->ProcessMessages();
  const POINT p{150, 10};
  auto doubleClick = [&] {
    const POINT s = ScreenOf(*bar, p);
    SetCursorPos(s.x, s.y);
    SendMessageA(bar->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Application->ProcessMessages();
  };
  KeepButtons(*bar, {kvClose, kvMin});
  doubleClick();
  EXPECT_EQ(form_->WindowState(), wsNormal);

  KeepButtons(*bar, {kvClose, kvMax});
  bar->Buttons()->Items(1)->SetVisible(false);
  doubleClick();
  EXPECT_EQ(form_->WindowState(), wsMaximized);
  const RECT area = QueryDesktopWorkArea();
  EXPECT_EQ(form_->Left(), area.left);
  EXPECT_EQ(form_->Top(), area.top);
  EXPECT_EQ(form_->Constraints()->MaxWidth(), area.right - area.left);
  doubleClick();
  EXPECT_EQ(form_->WindowState(), wsNormal);
  form_->WindowProc = old;
}

TEST_F(TitleBar, TheTopBandSizesOnlyASizeableForm) {
  const struct {
    TFormBorderStyle original;
    bool maximised;
    POINT p;
    LRESULT expected;
  } cases[] = {
      {bsSizeable, false, {2, 2}, HTTOPLEFT},    {bsSizeable, false, {100, 4}, HTTOP},
      {bsSizeable, false, {374, 1}, HTTOPRIGHT}, {bsSizeable, false, {372, 1}, HTTOP},
      {bsSizeable, false, {100, 5}, HTCLIENT},   {bsSizeable, false, {4, 10}, HTCLIENT},
      {bsDialog, false, {2, 2}, HTCLIENT},       {bsSingle, false, {100, 1}, HTCLIENT},
      {bsSizeable, true, {100, 1}, HTCLIENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.x) + ", " + std::to_string(c.p.y));
    NewForm();
    TkvTitleBar* bar = MakeBar(c.original, TkvUIStyle::DeepBlue);
    form_->SetWindowState(c.maximised ? wsMaximized : wsNormal);
    form_->Show();
    Application->ProcessMessages();
    const POINT s = ScreenOf(*bar, c.p);
    EXPECT_EQ(SendMessageA(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y)), c.expected);
  }
}

TEST(TitleBarRegion, OnlyTheTopCornersAreRounded) {
  const struct {
    int radius;
    POINT p;
    bool inside;
  } cases[] = {
      {13, {0, 0}, false}, {13, {199, 0}, false},  {13, {100, 0}, true}, {13, {0, 99}, true},  {13, {199, 99}, true},
      {13, {6, 6}, true},  {13, {200, 50}, false}, {0, {0, 0}, true},    {0, {199, 99}, true}, {0, {200, 99}, false},
  };
  for (const auto& c : cases) {
    HRGN region = RoundCornerRegion(200, 100, c.radius);
    EXPECT_EQ(PtInRegion(region, c.p.x, c.p.y) != 0, c.inside) << c.radius << ": " << c.p.x << ", " << c.p.y;
    DeleteObject(region);
  }
}

TEST_F(TitleBar, OnlyOneClientSectionAndOneControlBox) {
  TkvTitleBar* bar = MakeBar(bsDialog, TkvUIStyle::DeepBlue);
  CollectErrors errors;
  TkvTitleBarSection* client = bar->Sections()->Items(2);
  ASSERT_EQ(client->Align(), TkvTitleBarAlign::kvClient);
  client->SetAlign(TkvTitleBarAlign::kvClient);  // the same value: nothing to refuse
  EXPECT_TRUE(errors.texts.empty());
  bar->Sections()->Items(0)->SetAlign(TkvTitleBarAlign::kvClient);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_EQ(errors.texts[0], "Sorry, only one section's Align property can be \"kvClient\"");
  EXPECT_EQ(bar->Sections()->Items(0)->Align(), TkvTitleBarAlign::kvLeft);
  client->SetStretch(false);
  EXPECT_TRUE(client->Stretch());

  errors.texts.clear();
  TkvTitleBarButton* box = bar->Buttons()->Items(0);
  box->SetButtonType(kvControlBox);
  EXPECT_TRUE(errors.texts.empty());
  bar->Buttons()->Items(1)->SetButtonType(kvControlBox);
  ASSERT_EQ(errors.texts.size(), 1u);
  EXPECT_EQ(errors.texts[0], "Sorry, only one button's ButtonType property can be \"kvControlBox\"");
  EXPECT_EQ(bar->Buttons()->Items(1)->ButtonType(), kvClose);

  // Copying a whole collection replaces the items, so it meets no refusal.
  TkvTitleBar other(nullptr);
  other.SetButtons(bar->Buttons());
  other.SetSections(bar->Sections());
  EXPECT_TRUE(errors.texts.size() == 1u);
  EXPECT_EQ(other.Buttons()->Items(0)->ButtonType(), kvControlBox);
  EXPECT_EQ(other.Sections()->Items(2)->Align(), TkvTitleBarAlign::kvClient);
}

TEST(OwnerLookups, FallbacksAndTheFirstSkinnedForm) {
  TForm* form = TCustomForm::Create<TForm>(nullptr);
  TComponent plain(nullptr);
  EXPECT_EQ(FormSkinStyle(nullptr), TkvUIStyle::DeepBlue);
  EXPECT_EQ(FormSkinColor(nullptr), clBtnFace);
  EXPECT_EQ(FormSkinBorderColor(nullptr), 0);
  EXPECT_EQ(FormSkinStyle(&plain), TkvUIStyle::DeepBlue);
  EXPECT_EQ(FormSkinColor(&plain), clBtnFace);
  EXPECT_EQ(FormSkinStyle(form), TkvUIStyle::DeepBlue);
  EXPECT_EQ(FormSkinColor(form), clBtnFace);
  EXPECT_EQ(FormSkinBorderColor(form), 0);

  (new TPanel(form))->SetParent(form);
  auto* first = new FramePanel(form, bsSizeable, TkvUIStyle::WinXP, 0x0000FF);
  first->SetParent(form);
  auto* second = new FramePanel(form, bsSizeable, TkvUIStyle::Protein, 0x00FF00);
  second->SetParent(form);
  EXPECT_EQ(FormSkinStyle(form), TkvUIStyle::WinXP);
  EXPECT_EQ(FormSkinColor(form), 0x0000FF);
  EXPECT_EQ(FormSkinBorderColor(form), 0x686868);

  // A new bar starts with the style of the skinned form of its owner.
  auto* bar = new TkvTitleBar(form);
  EXPECT_EQ(bar->UIStyle(), TkvUIStyle::WinXP);
  EXPECT_EQ(bar->Height(), 29);
  delete form;
}
