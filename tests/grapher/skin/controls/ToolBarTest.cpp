// The skinned tool bar: colours by style, and its buttons drawn in
// synthetic states on a memory canvas, in the first row and below it.
#include <gtest/gtest.h>

#include "framework/windows/Forms.h"
#include "skin/controls/KVToolBar.h"
#include "SkinStandIn.h"

using namespace kx;

namespace {

class ToolBar : public testing::Test {
 protected:
  void SetUp() override { form_ = skintest::NewStyledForm(TkvUIStyle::DeepBlue); }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  // A bar two buttons wide holding three: the third stands in the second row.
  TkvToolBar* NewBar() {
    auto* bar = new TkvToolBar(form_);
    bar->SetParent(form_);
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 50, 60);
    for (int i = 0; i < 3; ++i) {
      auto* b = new TToolButton(form_);
      b->SetParent(bar);
      b->SetCaption("B");
    }
    bar->SetButtonColor(0x00C000);
    bar->SetButtonDownColor(0x0000C0);
    bar->SetButtonBorderColor(0xC00000);
    return bar;
  }
  // Draws the button on a white memory canvas of the bar's size.
  static bool Draw(TkvToolBar& bar, TToolButton& button, TCustomDrawState state, TBitmap& target) {
    target.SetSize(bar.Width(), bar.Height());
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, bar.Width(), bar.Height()});
    bool defaultDraw = true;
    bar.DrawSkinnedButton(*target.Canvas(), button, state, defaultDraw);
    return defaultDraw;
  }
  static TColor At(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(ToolBar, ColoursAndTransparencyByStyle) {
  struct Case {
    TkvUIStyle style;
    bool transparent;
  } cases[] = {{TkvUIStyle::MacOS, true}, {TkvUIStyle::WinXP, false}, {TkvUIStyle::Protein, false}};
  for (const Case& c : cases) {
    delete form_;
    form_ = skintest::NewStyledForm(c.style);
    auto* bar = new TkvToolBar(form_);
    EXPECT_EQ(bar->Transparent(), c.transparent);
    EXPECT_TRUE(bar->Flat());
    EXPECT_EQ(bar->EdgeInner(), esNone);
    EXPECT_EQ(bar->ButtonBorderColor(), ThemeColor(c.style, 80));
    EXPECT_EQ(bar->ButtonColor(), ThemeColor(c.style, 81));
    EXPECT_EQ(bar->ButtonDownColor(), ThemeColor(c.style, 82));
    EXPECT_EQ(bar->Color(), ThemeColor(c.style, 83));
  }
}

TEST_F(ToolBar, ButtonsInSyntheticStates) {
  TkvToolBar* bar = NewBar();
  TToolButton& first = *bar->Buttons(0);
  ASSERT_EQ(first.Top(), 0);
  struct Case {
    TCustomDrawState state;
    bool defaultDraw;
    TColor fill;
  } cases[] = {
      {TCustomDrawState{cdsHot, cdsSelected}, false, 0x0000C0}, {TCustomDrawState{cdsHot}, false, 0x00C000},
      {TCustomDrawState{cdsChecked}, false, 0x00C000},          {TCustomDrawState{cdsSelected}, false, 0x00C000},
      {TCustomDrawState{cdsHot, cdsChecked}, false, 0x00C000},  {TCustomDrawState{}, true, clWhite},
  };
  TBitmap target;
  for (const Case& c : cases) {
    EXPECT_EQ(Draw(*bar, first, c.state, target), c.defaultDraw) << c.state.Bits();
    EXPECT_EQ(At(target, 3, 18), c.fill) << c.state.Bits();
    if (!c.defaultDraw) {
      EXPECT_EQ(At(target, 0, 0), 0xC00000u) << c.state.Bits();  // the border
    }
  }
}

TEST_F(ToolBar, DropDownArrowOnlyWhileHotAndInItsOwnRow) {
  TkvToolBar* bar = NewBar();
  TToolButton& third = *bar->Buttons(2);
  ASSERT_EQ(third.Top(), 22);  // the second row
  ASSERT_EQ(third.Left(), 0);
  third.SetStyle(tbsDropDown);
  const RECT r = third.BoundsRect();
  const int arrowY = r.top + (r.bottom - r.top) / 2;
  TBitmap target;
  Draw(*bar, third, TCustomDrawState{cdsHot}, target);
  EXPECT_EQ(At(target, r.right - 7, arrowY), 0u);
  EXPECT_EQ(At(target, r.right - 14, r.top + 3), 0u);  // the separator line
  // Nothing in the first row, where a button measured from the bar's top would draw.
  for (int y = 0; y < 22; ++y) EXPECT_EQ(At(target, r.right - 7, y), clWhite) << y;

  Draw(*bar, third, TCustomDrawState{cdsChecked}, target);
  EXPECT_EQ(At(target, r.right - 7, arrowY), 0x00C000u);
}

TEST_F(ToolBar, ImageOfALowerButtonSitsOnThatButton) {
  TkvToolBar* bar = NewBar();
  TImageList images(nullptr, 16, 16);
  TBitmap red;
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(RECT{0, 0, 16, 16});
  images.Add(&red, nullptr);
  bar->SetImages(&images);
  TToolButton& third = *bar->Buttons(2);
  third.SetImageIndex(0);
  TBitmap target;
  Draw(*bar, third, TCustomDrawState{cdsHot}, target);
  // x = (23 - 16) / 2 - 1 = 2, y = the button's top + 2.
  EXPECT_EQ(At(target, 2, 22 + 2), clRed);
  EXPECT_EQ(At(target, 17, 22 + 17), clRed);
  EXPECT_EQ(At(target, 8, 2), clWhite);
  Draw(*bar, third, TCustomDrawState{cdsHot, cdsSelected}, target);
  EXPECT_EQ(At(target, 3, 22 + 3), clRed);  // one further right and down
  EXPECT_EQ(At(target, 2, 22 + 10), 0x0000C0u);
  bar->SetImages(nullptr);
}
