// The colour box: the list for each style, pretty names, the selection and
// the custom colour, the swatches, and a picture of the open list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/windows/Dialogs.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVColorBox.h"
#include "SkinStandIn.h"
#include "TestSupport.h"

using namespace kx;

namespace {

std::vector<std::string> Texts(const std::vector<TColorListItem>& items) {
  std::vector<std::string> texts;
  for (const auto& i : items) texts.push_back(i.Text);
  return texts;
}

bool HasColor(const std::vector<TColorListItem>& items, TColor color) {
  for (const auto& i : items)
    if (i.Color == color) return true;
  return false;
}

// A colour dialog that answers as told.
class ScriptedColorBox : public TkvColorBox {
 public:
  using TkvColorBox::TkvColorBox;
  bool ChooseCustomColor() override {
    ++asked;
    if (!answer) return false;
    Items()->PutObject(0, reinterpret_cast<TObject*>(static_cast<intptr_t>(picked)));
    return true;
  }
  using TkvColorBox::DrawItem;
  bool answer = true;
  TColor picked = 0x123456;
  int asked = 0;
};

}  // namespace

TEST(ColorList, NamesAndRanges) {
  const std::vector<TColorName> names = FrameworkNamedColors();
  ASSERT_EQ(names.size(), 52u);
  struct Case {
    TColorBoxStyle style;
    size_t count;
    std::string first, last;
  } cases[] = {
      {TColorBoxStyle{cbStandardColors}, 16, "clBlack", "clWhite"},
      {TColorBoxStyle{cbStandardColors, cbPrettyNames}, 16, "Black", "White"},
      {TColorBoxStyle{cbExtendedColors, cbPrettyNames}, 4, "Money Green", "Med Gray"},
      {TColorBoxStyle{cbStandardColors, cbIncludeNone}, 16, "clBlack", "clWhite"},
      {TColorBoxStyle{cbStandardColors, cbCustomColor}, 17, "Custom...", "clWhite"},
      {TColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors}, 50, "clBlack", ""},
      {TColorBoxStyle{cbStandardColors, cbExtendedColors, cbSystemColors, cbIncludeNone, cbIncludeDefault}, 52,
       "clBlack", ""},
      {TColorBoxStyle{cbIncludeNone}, 0, "", ""},
  };
  for (const Case& c : cases) {
    const auto items = BuildColorList(names, c.style, clRed);
    ASSERT_EQ(items.size(), c.count) << c.style.Bits();
    if (!c.first.empty()) {
      EXPECT_EQ(items.front().Text, c.first) << c.style.Bits();
    }
    if (!c.last.empty()) {
      EXPECT_EQ(items.back().Text, c.last) << c.style.Bits();
    }
  }
  const auto extended = BuildColorList(names, TColorBoxStyle{cbExtendedColors, cbPrettyNames}, 0);
  EXPECT_EQ(Texts(extended), (std::vector<std::string>{"Money Green", "Sky Blue", "Cream", "Med Gray"}));
  // The none colour lies in the system range, which goes after it.
  EXPECT_FALSE(HasColor(BuildColorList(names, TColorBoxStyle{cbStandardColors, cbIncludeNone}, 0), clNone));
  EXPECT_TRUE(HasColor(BuildColorList(names, TColorBoxStyle{cbSystemColors, cbIncludeNone}, 0), clNone));
  EXPECT_FALSE(HasColor(BuildColorList(names, TColorBoxStyle{cbSystemColors}, 0), clDefault));
  EXPECT_EQ(BuildColorList(names, TColorBoxStyle{cbCustomColor}, clRed)[0].Color, clRed);
}

TEST(ColorList, PrettyNames) {
  struct Case {
    const char* name;
    const char* pretty;
  } cases[] = {{"clBlack", "Black"},
               {"clMoneyGreen", "Money Green"},
               {"cl3DDkShadow", "3 D Dk Shadow"},
               {"clBtnFace", "Btn Face"},
               {"Cl", "Cl"},
               {"clGradientActiveCaption", "Gradient Active Caption"},
               {"xlRed", "xl Red"}};
  for (const Case& c : cases) EXPECT_EQ(PrettyColorName(c.name), c.pretty) << c.name;
}

TEST(ColorList, SwatchFrames) {
  struct Case {
    TColor color;
    bool selected;
    TColor frame;
  } cases[] = {{clYellow, false, clBlack}, {clYellow, true, clBlack},  {clNavy, false, clNavy},
               {clNavy, true, clWhite},    {0xC1C0C0, false, clBlack}, {0xC0C0C0, false, 0xC0C0C0},
               {clWindow, false, clBlack}};  // a system colour by its current value (white)
  for (const Case& c : cases) EXPECT_EQ(SwatchFrameColor(c.color, c.selected), c.frame) << std::hex << c.color;
}

class ColorBox : public testing::Test {
 protected:
  void SetUp() override { form_ = skintest::NewStyledForm(TkvUIStyle::DeepBlue, 300, 420); }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  ScriptedColorBox* NewBox(TColorBoxStyle style) {
    auto* box = new ScriptedColorBox(form_);
    box->SetParent(form_);
    box->SetBounds(20, 20, 180, 22);
    box->SetColorStyle(style);
    box->HandleNeeded();
    return box;
  }
  TForm* form_ = nullptr;
};

TEST_F(ColorBox, PopulatesWhenItsWindowIsMade) {
  auto* box = new TkvColorBox(form_);
  EXPECT_EQ(box->Items()->Count(), 0);
  EXPECT_EQ(box->Selected(), clBlack);
  box->SetParent(form_);  // the form has its window: the box gets one
  EXPECT_EQ(box->Items()->Count(), 50);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Selected(), clBlack);
  EXPECT_EQ(box->Style(), csOwnerDrawFixed);
}

TEST_F(ColorBox, EnabledOnlyWithAColourRange) {
  ScriptedColorBox* box = NewBox(TColorBoxStyle{cbIncludeNone});
  EXPECT_FALSE(box->Enabled());
  box->SetColorStyle(TColorBoxStyle{cbCustomColor});
  EXPECT_TRUE(box->Enabled());
  EXPECT_EQ(box->ItemIndex(), 0);
}

TEST_F(ColorBox, SelectedAndTheCustomColour) {
  ScriptedColorBox* box = NewBox(TColorBoxStyle{cbStandardColors, cbCustomColor});
  box->SetSelected(clNavy);
  EXPECT_EQ(box->ItemIndex(), 5);  // after "Custom..."
  box->SetSelected(0x445566);
  EXPECT_EQ(box->ItemIndex(), 0);
  EXPECT_EQ(box->Items()->Get(0), "Custom...");
  EXPECT_EQ(box->Selected(), 0x445566);
  // Rebuilt, the list keeps the custom colour and the selection.
  box->SetColorStyle(TColorBoxStyle{cbStandardColors, cbCustomColor, cbPrettyNames});
  EXPECT_EQ(box->ItemColor(0), 0x445566);
  EXPECT_EQ(box->Selected(), 0x445566);

  ScriptedColorBox* plain = NewBox(TColorBoxStyle{cbStandardColors});
  plain->SetSelected(0x445566);
  EXPECT_EQ(plain->ItemIndex(), -1);
  EXPECT_EQ(plain->Selected(), NoColorSelected);
}

TEST_F(ColorBox, ChoosingTheCustomEntryFromTheList) {
  ScriptedColorBox* box = NewBox(TColorBoxStyle{cbStandardColors, cbCustomColor});
  int selects = 0;
  box->OnSelect = TNotifyEvent([&](TObject*) { ++selects; });
  box->SetItemIndex(0);
  auto chooseFromList = [&] {
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), 0);
    box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  };
  box->answer = false;
  chooseFromList();
  EXPECT_EQ(box->asked, 1);
  EXPECT_EQ(selects, 0);  // cancelled: no selection event
  box->answer = true;
  chooseFromList();
  EXPECT_EQ(box->asked, 2);
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(box->ItemColor(0), 0x123456);
  // A key after the list closed makes it a keyboard selection: nothing asked.
  box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_CLOSEUP), 0);
  box->Perform(WM_KEYDOWN, VK_DOWN, 0);
  box->SetItemIndex(0);
  box->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(box->asked, 2);
}

TEST_F(ColorBox, ItemsDrawnWithSwatches) {
  ScriptedColorBox* box = NewBox(TColorBoxStyle{cbStandardColors, cbPrettyNames});
  TBitmap target;
  target.SetSize(120, 18);
  {
    TCanvasOnDC on(*box->Canvas(), target.Canvas()->Handle());
    box->Canvas()->Brush()->SetColor(clWhite);
    box->DrawItem(4, RECT{0, 0, 120, 18}, TOwnerDrawState{});  // navy
  }
  EXPECT_EQ(target.Canvas()->Pixel(8, 8) & 0xFFFFFF, clNavy);  // inside the swatch
  EXPECT_EQ(target.Canvas()->Pixel(1, 1) & 0xFFFFFF, clNavy);  // its frame
  EXPECT_EQ(target.Canvas()->Pixel(0, 0) & 0xFFFFFF, clWhite);
  {
    TCanvasOnDC on(*box->Canvas(), target.Canvas()->Handle());
    box->Canvas()->Brush()->SetColor(clHighlight);
    box->DrawItem(11, RECT{0, 0, 120, 18}, TOwnerDrawState{odSelected});  // yellow
  }
  EXPECT_EQ(target.Canvas()->Pixel(8, 8) & 0xFFFFFF, clYellow);
  EXPECT_EQ(target.Canvas()->Pixel(1, 1) & 0xFFFFFF, clBlack);
}

TEST_F(ColorBox, PictureOfTheOpenList) {
  ScriptedColorBox* box = NewBox(TColorBoxStyle{cbStandardColors, cbExtendedColors, cbPrettyNames});
  box->SetItemHeight(18);
  box->SetDropDownCount(16);
  box->SetSelected(clTeal);
  form_->Show();
  Application->ProcessMessages();
  SendMessageA(box->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Application->ProcessMessages();
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Application->ProcessMessages();
  EXPECT_TRUE(testsupport::SavePng(testsupport::CaptureWindow(form_->Handle()), "skin_colorbox_deepblue.png"));
  SendMessageA(box->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
}

// The colour chooser's first custom box offers the custom colour of the
// last opening; what the user picks becomes the item's colour; a cancelled
// chooser changes nothing.
TEST_F(ColorBox, TheCustomColourLineIsKeptAcrossOpenings) {
  auto* box = new TkvColorBox(form_);
  box->SetParent(form_);
  box->SetColorStyle(TColorBoxStyle{cbStandardColors, cbCustomColor});
  struct Opening {
    COLORREF offered, firstBox, others;
  };
  std::vector<Opening> seen;
  COLORREF answer = RGB(0x12, 0x34, 0x56);
  bool confirm = true;
  TChooseColorRunner old = SetChooseColorRunner([&](CHOOSECOLORA& request) {
    seen.push_back(Opening{request.rgbResult, request.lpCustColors[0], request.lpCustColors[1]});
    request.rgbResult = answer;
    return confirm;
  });
  const bool first = box->ChooseCustomColor();
  answer = RGB(0xAB, 0xCD, 0xEF);
  const bool second = box->ChooseCustomColor();
  confirm = false;
  const bool third = box->ChooseCustomColor();
  SetChooseColorRunner(old);
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
  EXPECT_FALSE(third);
  ASSERT_EQ(seen.size(), 3u);
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF firstAnswer = RGB(0x12, 0x34, 0x56), secondAnswer = RGB(0xAB, 0xCD, 0xEF);
  EXPECT_EQ(seen[0].offered, 0u);  // the custom item starts black
  EXPECT_EQ(seen[0].firstBox, 0u);
  EXPECT_EQ(seen[1].offered, firstAnswer);
  EXPECT_EQ(seen[1].firstBox, firstAnswer);
  EXPECT_EQ(seen[2].firstBox, secondAnswer);
  for (const Opening& o : seen) EXPECT_EQ(o.others, white);
  EXPECT_EQ(box->ItemColor(0), TColor(secondAnswer));
}

// The dialog reads its boxes from CustomColors and writes them all back.
TEST(ColorDialog, CustomColorsGoInAndComeBack) {
  TColorDialog dialog(nullptr);
  dialog.CustomColors()->SetText("ColorA=0000FF\r\nColorC=00ff00\r\nColorD=nonsense");
  std::vector<COLORREF> offered;
  TChooseColorRunner old = SetChooseColorRunner([&](CHOOSECOLORA& request) {
    offered.assign(request.lpCustColors, request.lpCustColors + 16);
    request.lpCustColors[15] = RGB(1, 2, 3);  // the user fills the last box
    return false;
  });
  EXPECT_FALSE(dialog.Execute());
  SetChooseColorRunner(old);
  ASSERT_EQ(offered.size(), 16u);
  EXPECT_EQ(offered[0], 0x0000FFu);
  EXPECT_EQ(offered[1], RGB(255, 255, 255));
  EXPECT_EQ(offered[2], 0x00FF00u);
  EXPECT_EQ(offered[3], RGB(255, 255, 255));
  TStrings& lines = *dialog.CustomColors();
  ASSERT_EQ(lines.Count(), 16);
  EXPECT_EQ(lines.Strings(0), "ColorA=0000FF");
  EXPECT_EQ(lines.Strings(1), "ColorB=FFFFFF");
  EXPECT_EQ(lines.Strings(15), "ColorP=030201");
}
