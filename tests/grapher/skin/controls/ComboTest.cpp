// The skinned combo box: colours by style and from a form resource, the
// button and arrow as the screen shows them after the native paint, and
// owner-drawn items.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVComboBox.h"
#include "SkinStandIn.h"

using namespace kx;

namespace {

TColor ScreenPixel(TWinControl& control, int x, int y) {
  HDC dc = GetDC(control.Handle());
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(control.Handle(), dc);
  return c;
}

RECT ButtonRect(TWinControl& combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  EXPECT_TRUE(GetComboBoxInfo(combo.Handle(), &info));
  return info.rcButton;
}

class ComboBox : public testing::Test {
 protected:
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  TkvComboBox* MakeCombo(TkvUIStyle formStyle) {
    form_ = skintest::NewStyledForm(formStyle);
    auto* combo = new TkvComboBox(form_);
    combo->SetParent(form_);
    combo->SetBounds(20, 40, 160, 21);
    return combo;
  }
  void ShowNow() {
    form_->Show();
    Application->ProcessMessages();
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Application->ProcessMessages();
  }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(ComboBox, TakesTheColoursOfItsFormsStyle) {
  struct Case {
    TkvUIStyle style;
  } cases[] = {{TkvUIStyle::MacOS}, {TkvUIStyle::WinXP}, {TkvUIStyle::DeepBlue}, {TkvUIStyle::Protein}};
  for (const Case& c : cases) {
    TkvComboBox* combo = MakeCombo(c.style);
    EXPECT_EQ(combo->UIStyle(), c.style);
    EXPECT_EQ(combo->ButtonColor(), ThemeColor(c.style, 74));
    EXPECT_EQ(combo->ArrowColor(), ThemeColor(c.style, 8));
    EXPECT_EQ(combo->BorderColor(), ThemeColor(c.style, 8));
    delete form_;
    form_ = nullptr;
  }
}

TEST_F(ComboBox, CustomIsAllBlackOnTheScreen) {
  TkvComboBox* combo = MakeCombo(TkvUIStyle::DeepBlue);
  combo->SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(combo->UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(combo->ButtonColor(), 0);
  EXPECT_EQ(combo->ArrowColor(), 0);
  EXPECT_EQ(combo->BorderColor(), 0);
  ShowNow();
  const RECT b = ButtonRect(*combo);
  // The button's fill, and the window's outer ring (client 0,0 lies inside
  // the native frame, so look at the window's own corner).
  EXPECT_EQ(ScreenPixel(*combo, b.left + 1, b.top + 1), 0u);
  HDC dc = GetWindowDC(combo->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 0), 0u);
  ReleaseDC(combo->Handle(), dc);
}

TEST_F(ComboBox, DisabledArrowIsGreyOverWhiteAfterTheNativePaint) {
  TkvComboBox* combo = MakeCombo(TkvUIStyle::DeepBlue);
  combo->SetButtonColor(0x203040);
  ShowNow();
  const RECT b = ButtonRect(*combo);
  const int x = b.left + (b.right - b.left) / 2 - 4;
  const int y = (b.bottom - b.top) / 2;
  EXPECT_EQ(ScreenPixel(*combo, x + 3, y + 1), ThemeColor(TkvUIStyle::DeepBlue, 8));

  combo->SetEnabled(false);
  RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Application->ProcessMessages();
  EXPECT_EQ(ScreenPixel(*combo, x, y), 0x808080u);
  EXPECT_EQ(ScreenPixel(*combo, x + 3, y + 1), 0x808080u);
  EXPECT_EQ(ScreenPixel(*combo, x + 7, y + 1), 0xFFFFFFu);
  EXPECT_EQ(ScreenPixel(*combo, x + 4, y + 4), 0xFFFFFFu);
  // The button's own colour around the arrow.
  EXPECT_EQ(ScreenPixel(*combo, x - 2, y), 0x203040u);
}

TEST_F(ComboBox, MacOSButtonIsItsPictureStretched) {
  TBitmap shot;
  shot.SetSize(17, 21);
  PaintComboButton(*shot.Canvas(), RECT{0, 0, 17, 21}, TkvUIStyle::MacOS, clRed, clBlue, true);
  TBitmap picture;
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_COMBOBOX_BUTTON");
  // No red anywhere: the picture covers the button; the arrow is blue.
  int red = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 17; ++x) red += (shot.Canvas()->Pixel(x, y) & 0xFFFFFF) == clRed;
  EXPECT_EQ(red, 0);
  EXPECT_EQ(shot.Canvas()->Pixel(0, 0) & 0xFFFFFF, picture.Canvas()->Pixel(0, 0) & 0xFFFFFF);
  EXPECT_EQ(shot.Canvas()->Pixel(17 / 2 - 4 + 3, 21 / 2) & 0xFFFFFF, clBlue);
}

namespace {

// The grapher's colour chooser: an owner-drawn list of its palette.
class TColorChooserForm : public TForm {
  KX_CLASS(TColorChooserForm, TForm)
 public:
  using TForm::TForm;
  void ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState state) {
    drawn.push_back({index, rect.bottom - rect.top, state.Contains(odComboBoxEdit)});
    auto* combo = static_cast<TkvComboBox*>(control);
    combo->Canvas()->Brush()->SetColor(RGB(index * 20, 0, 0));
    combo->Canvas()->FillRect(rect);
  }
  struct Drawn {
    int index;
    int height;
    bool editField;  // the closed box's own field, sized by the platform
  };
  std::vector<Drawn> drawn;
};

KX_PUBLISH(TColorChooserForm) { p.Handler("ColorBoxDrawItem", &TColorChooserForm::ColorBoxDrawItem); }

const char kChooserText[] = R"(object ColorChooser: TColorChooserForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  object ColorBox: TkvComboBox
    Left = 16
    Top = 16
    Width = 120
    Height = 24
    Style = csOwnerDrawFixed
    ItemHeight = 18
    Items.Strings = ('0' '1' '2' '3' '4' '5' '6' '7' '8' '9')
    ItemIndex = 3
    OnDrawItem = ColorBoxDrawItem
    UIStyle = DeepBlue
    BorderColor = 13665296
    ArrowColor = clBlue
    ButtonColor = clSkyBlue
  end
end
)";

}  // namespace

TEST_F(ComboBox, GraphersChooserTakesItsOwnColoursAfterTheStyle) {
  RegisterControlClasses();
  RegisterClasses({&TColorChooserForm::StaticClass()});
  auto* chooser = TCustomForm::Create<TColorChooserForm>(nullptr);
  form_ = chooser;
  ReadComponentText(*chooser, kChooserText, "chooser");
  auto* combo = dynamic_cast<TkvComboBox*>(chooser->FindComponent("ColorBox"));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(combo->BorderColor(), 13665296);
  EXPECT_EQ(combo->ArrowColor(), clBlue);
  EXPECT_EQ(combo->ButtonColor(), clSkyBlue);
  EXPECT_EQ(combo->ItemIndex(), 3);

  // The closed box shows item 3 drawn by the handler; the open list draws
  // every item, each 18 pixels high.
  chooser->Show();
  Application->ProcessMessages();
  UpdateWindow(combo->Handle());
  ASSERT_FALSE(chooser->drawn.empty());
  bool sawSelected = false;
  for (const auto& d : chooser->drawn) sawSelected |= d.index == 3;
  EXPECT_TRUE(sawSelected);
  chooser->drawn.clear();
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Application->ProcessMessages();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  GetComboBoxInfo(combo->Handle(), &info);
  UpdateWindow(info.hwndList);
  Application->ProcessMessages();
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  std::vector<bool> seen(10, false);
  for (const auto& d : chooser->drawn) {
    ASSERT_GE(d.index, 0);
    ASSERT_LT(d.index, 10);
    if (d.editField) continue;
    seen[d.index] = true;
    EXPECT_EQ(d.height, 18) << d.index;
  }
  // The list shows eight at a time, from wherever it scrolled to.
  EXPECT_GE(std::count(seen.begin(), seen.end(), true), 7);
}

TEST_F(ComboBox, DrawRequestOutsideTheListPaintsOnlyTheBackground) {
  TkvComboBox* combo = MakeCombo(TkvUIStyle::DeepBlue);
  combo->SetStyle(csOwnerDrawFixed);
  int calls = 0;
  combo->OnDrawItem = TDrawItemEvent([&](TWinControl*, int, RECT, TOwnerDrawState) { ++calls; });
  combo->HandleNeeded();
  TBitmap target;
  target.SetSize(40, 18);
  target.Canvas()->Brush()->SetColor(clRed);
  target.Canvas()->FillRect(RECT{0, 0, 40, 18});
  for (int index : {-1, 0, 5}) {  // the list is empty: none of these exists
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = static_cast<UINT>(index);
    dis.hDC = target.Canvas()->Handle();
    dis.rcItem = RECT{0, 0, 40, 18};
    combo->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(target.Canvas()->Pixel(20, 9) & 0xFFFFFF, ColorToRGB(combo->Color()));

  combo->Items()->Add("one");
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_COMBOBOX;
  dis.itemID = 0;
  dis.hDC = target.Canvas()->Handle();
  dis.rcItem = RECT{0, 0, 40, 18};
  combo->Perform(CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  EXPECT_EQ(calls, 1);
}
