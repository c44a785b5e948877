// The group box's Enabled cascade, the link label through its opener seam,
// and screenshots of whole skinned windows: a Protein window with WinXP
// buttons and a DeepBlue dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/controls/KVRadioGroup.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/controls/KVURLLabel.h"
#include "skin/frame/KVForm.h"
#include "TestSupport.h"

using namespace kx;

namespace {

class Window : public testing::Test {
 protected:
  void SetUp() override { savedHook_ = Application->OnMessage; }
  void TearDown() override {
    delete form_;
    Application->OnMessage = savedHook_;
    Application->ProcessMessages();
  }
  // A form taken over by its skinned frame, first among its components, so
  // that every control created afterwards takes the frame's style.
  TkvForm* MakeWindow(TkvUIStyle style, const std::string& caption, int width, int height) {
    SetCursorPos(0, 0);
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBorderStyle(bsDialog);
    form_->SetLeft(120);
    form_->SetTop(80);
    auto* frame = new TkvForm(form_);
    frame->SetUIStyle(style);
    frame->SetCaption(caption);
    frame->SetWidth(width);
    frame->SetHeight(height);
    return frame;
  }
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height) {
    T* control = new T(form_);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }
  template <class T>
  T* AddCaptioned(TWinControl* parent, const std::string& caption, int left, int top, int width, int height) {
    T* control = Add<T>(parent, left, top, width, height);
    control->SetCaption(caption);
    return control;
  }
  testsupport::Picture Shoot(const std::string& file) {
    form_->Show();
    Application->ProcessMessages();
    form_->Repaint();
    Application->ProcessMessages();
    testsupport::Picture shot = testsupport::CaptureWindow(form_->Handle());
    EXPECT_TRUE(testsupport::SavePng(shot, file));
    return shot;
  }
  TForm* form_ = nullptr;
  TMessageEvent savedHook_;
};

// Addresses handed to the shell, recorded instead of opened.
class RecordLinks {
 public:
  RecordLinks() {
    old_ = SetLinkOpener([this](const std::wstring& address) { opened.push_back(address); });
  }
  ~RecordLinks() { SetLinkOpener(old_); }
  std::vector<std::wstring> opened;

 private:
  TLinkOpener old_;
};

}  // namespace

TEST_F(Window, GroupBoxEnabledCascadesToItsChildren) {
  TkvForm* frame = MakeWindow(TkvUIStyle::DeepBlue, "Tham so", 300, 220);
  auto* group = Add<TkvGroupBox>(frame, 10, 40, 270, 160);
  group->SetCaption("Khoang");
  auto* button = AddCaptioned<TkvButton>(group, "Dong y", 10, 20, 80, 27);
  auto* edit = Add<TEdit>(group, 10, 60, 100, 21);
  auto* radio = AddCaptioned<TkvRadioButton>(group, "Tu dong", 10, 90, 93, 17);
  auto* check = AddCaptioned<TkvCheckBox>(group, "Luoi", 10, 110, 93, 17);
  auto* panel = Add<TPanel>(group, 150, 20, 100, 60);
  auto* inner = AddCaptioned<TkvButton>(panel, "Trong", 5, 5, 80, 27);
  edit->SetEnabled(false);  // disabled on its own

  group->SetEnabled(false);
  for (TControl* c : std::vector<TControl*>{group, button, edit, radio, check, panel}) EXPECT_FALSE(c->Enabled());
  EXPECT_TRUE(inner->Enabled());  // only the group's own children
  EXPECT_EQ(check->PicNormalResName(), "DEEPBLUE_CHECKBOX_DISABLE_UNCHECK");
  Shoot("skin_groupbox_disabled.png");

  group->SetEnabled(true);
  for (TControl* c : std::vector<TControl*>{group, button, edit, radio, check, panel}) EXPECT_TRUE(c->Enabled());
  EXPECT_EQ(check->PicNormalResName(), "DEEPBLUE_CHECKBOX_UNCHECK");
  // A group that is already enabled still passes the value on.
  edit->SetEnabled(false);
  group->SetEnabled(true);
  EXPECT_TRUE(edit->Enabled());
}

TEST_F(Window, LinkLabelOpensOnlyWebAndMailAddresses) {
  TkvForm* frame = MakeWindow(TkvUIStyle::DeepBlue, "Gioi thieu", 300, 160);
  auto* label = new TkvURLLabel(form_);
  label->SetParent(frame);
  label->SetLeft(20);
  label->SetTop(60);
  label->SetCaption("Trang chu");
  int clicks = 0;
  label->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  form_->Show();
  Application->ProcessMessages();
  auto click = [&] {
    // Through the parent, as the mouse would.
    const POINT p{label->Left() + 3, label->Top() + 3};
    SendMessageA(frame->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(frame->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  };
  const struct {
    const char* url;
    const wchar_t* opened;  // nullptr: refused
  } cases[] = {
      {"   ", nullptr},
      {"", nullptr},
      {"http://plotvane.edu.vn", L"http://plotvane.edu.vn"},
      {"https://plotvane.edu.vn/tai-ve", L"https://plotvane.edu.vn/tai-ve"},
      {"mailto:hotro@plotvane.edu.vn", L"mailto:hotro@plotvane.edu.vn"},
      {"  HTTP://PLOTVANE.EDU.VN  ", L"HTTP://PLOTVANE.EDU.VN"},
      {"C:\\Windows\\system32\\calc.exe", nullptr},
      {"calc", nullptr},
      {"file:///C:/boot.ini", nullptr},
      {"cmd /c del *.*", nullptr},
      {"\\\\server\\share\\run.bat", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    RecordLinks links;
    clicks = 0;
    label->SetURL(c.url);
    click();
    EXPECT_EQ(clicks, 1);  // OnClick always, after the shell
    if (c.opened) {
      ASSERT_EQ(links.opened.size(), 1u);
      EXPECT_EQ(links.opened[0], c.opened);
    } else {
      EXPECT_TRUE(links.opened.empty());
    }
  }
  // The address goes over as a wide string from the ANSI code page.
  if (GetACP() == 1252) {
    RecordLinks links;
    label->SetURL("http://plotvane.edu.vn/\xE9");
    click();
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], L"http://plotvane.edu.vn/\u00e9");
  }
}

TEST_F(Window, LinkLabelHoverColours) {
  TkvForm* frame = MakeWindow(TkvUIStyle::DeepBlue, "Gioi thieu", 300, 160);
  auto* label = new TkvURLLabel(form_);
  label->SetParent(frame);
  EXPECT_EQ(label->Font()->Color(), static_cast<TColor>(clBlue));
  EXPECT_TRUE(label->Font()->Style().Contains(fsUnderline));
  EXPECT_TRUE(label->AutoSize());
  label->Perform(CM_MOUSEENTER);
  EXPECT_EQ(label->Font()->Color(), static_cast<TColor>(clRed));
  label->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(label->Font()->Color(), static_cast<TColor>(clBlue));
  label->SetFontHoverColor(0x008000);
  label->SetFontLinkColor(0x800000);
  EXPECT_EQ(label->Font()->Color(), 0x800000);
  label->Perform(CM_MOUSEENTER);
  EXPECT_EQ(label->Font()->Color(), 0x008000);
  label->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(label->Font()->Color(), 0x800000);
}

TEST_F(Window, ProteinWindowWithWinXPButtons) {
  TkvForm* frame = MakeWindow(TkvUIStyle::Protein, "Plotvane v2.21", 420, 300);
  auto* options = Add<TkvGroupBox>(frame, 12, 36, 190, 110);
  EXPECT_EQ(options->BorderColor(), ThemeColor(TkvUIStyle::Protein, 8));
  options->SetCaption("Tuy chon");
  const char* checks[] = {"Ve luoi", "Hien so", "Truc toa do"};
  for (int i = 0; i < 3; ++i) {
    auto* check = AddCaptioned<TkvCheckBox>(options, checks[i], 10, 22 + 26 * i, 150, 17);
    EXPECT_EQ(check->UIStyle(), TkvUIStyle::Protein);
    check->SetUIStyle(TkvUIStyle::WinXP);
    check->SetChecked(i != 1);
  }
  auto* styleGroup = Add<TkvRadioGroup>(frame, 214, 36, 190, 110);
  styleGroup->SetCaption("Kieu ve");
  styleGroup->SetUIStyle(TkvUIStyle::WinXP);
  styleGroup->Items()->Add("Duong lien");
  styleGroup->Items()->Add("Diem roi");
  styleGroup->Items()->Add("Ca hai");
  styleGroup->SetItemIndex(0);
  const char* buttons[] = {"Them", "Sua", "Xoa", "Luu"};
  for (int i = 0; i < 4; ++i) {
    auto* button = AddCaptioned<TkvButton>(frame, buttons[i], 12 + 98 * i, 170, 80, 27);
    EXPECT_EQ(button->UIStyle(), TkvUIStyle::Protein);
    button->SetUIStyle(TkvUIStyle::WinXP);
    button->SetEnabled(i != 2);
  }
  auto* custom = AddCaptioned<TkvButton>(frame, "Mo", 12, 220, 80, 27);
  custom->SetUIStyle(TkvUIStyle::Custom);
  // A style passed over the window leaves the Custom button alone.
  ApplyStyleToControls(*frame, TkvUIStyle::WinXP);
  EXPECT_EQ(custom->UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(styleGroup->ItemControl(1)->UIStyle(), TkvUIStyle::WinXP);
  custom->SetVisible(false);
  Shoot("skin_buttons_protein.png");
}

TEST_F(Window, DeepBlueDialog) {
  TkvForm* frame = MakeWindow(TkvUIStyle::DeepBlue, "Tham so ham so", 360, 260);
  auto* range = Add<TkvGroupBox>(frame, 12, 42, 336, 90);
  range->SetCaption("Khoang bien");
  auto* edit1 = Add<TEdit>(range, 60, 24, 90, 21);
  edit1->SetText("-15");
  auto* edit2 = Add<TEdit>(range, 230, 24, 90, 21);
  edit2->SetText("15");
  auto* automatic = AddCaptioned<TkvRadioButton>(range, "Tu dong", 12, 58, 120, 17);
  auto* manual = AddCaptioned<TkvRadioButton>(range, "Tu chon", 180, 58, 120, 17);
  manual->SetChecked(true);
  automatic->SetChecked(true);
  EXPECT_FALSE(manual->Checked());
  auto* empty = Add<TkvGroupBox>(frame, 12, 140, 336, 50);
  empty->SetCaption("");
  auto* check = AddCaptioned<TkvCheckBox>(empty, "Luon o tren", 12, 18, 150, 17);
  check->SetChecked(true);
  auto* ok = AddCaptioned<TkvButton>(frame, "Dong y", 170, 210, 80, 27);
  ok->SetDefault(true);
  auto* cancel = AddCaptioned<TkvButton>(frame, "Huy", 262, 210, 80, 27);
  cancel->SetCancel(true);
  EXPECT_EQ(ok->UIStyle(), TkvUIStyle::DeepBlue);
  const testsupport::Picture plain = Shoot("skin_buttons_deepblue.png");
  // The focused button shows its dotted cue two pixels inside its edge, and
  // nothing else of the button changes.
  ok->SetFocus();
  const testsupport::Picture focused = Shoot("skin_buttons_deepblue_focus.png");
  ASSERT_EQ(focused.pixels.size(), plain.pixels.size());
  const POINT at = testsupport::InCapture(form_->Handle(), ok->ClientToScreen(POINT{0, 0}));
  const RECT cue{at.x + 2, at.y + 2, at.x + ok->Width() - 2, at.y + ok->Height() - 2};
  int onCue = 0, elsewhere = 0;
  for (int y = at.y; y < at.y + ok->Height(); ++y)
    for (int x = at.x; x < at.x + ok->Width(); ++x) {
      if (plain.At(x, y) == focused.At(x, y)) continue;
      const bool onEdge = (x == cue.left || x == cue.right - 1) && y >= cue.top && y < cue.bottom;
      const bool onTopOrBottom = (y == cue.top || y == cue.bottom - 1) && x >= cue.left && x < cue.right;
      ++(onEdge || onTopOrBottom ? onCue : elsewhere);
    }
  EXPECT_GT(onCue, ok->Width() / 2);  // dotted: every other pixel of a side
  EXPECT_EQ(elsewhere, 0);
}
