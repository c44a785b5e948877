// Layout tables: glyph and caption places, check and radio sizes, the check
// group's arrangement, picture-panel fitting; and what a new control holds.
#include <gtest/gtest.h>

#include <vector>

#include "framework/core/FormResources.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVImagePanel.h"
#include "skin/controls/KVRadioGroup.h"
#include "skin/controls/KVURLLabel.h"

using namespace kx;

TEST(ButtonLayout, GlyphAndCaptionPlaces) {
  const struct {
    TButtonLayout layout;
    bool pressed;
    POINT glyph, caption;
  } cases[] = {
      // W 129, H 40, caption 50 x 16, glyph 16 x 16, spacing 4.
      {blGlyphLeft, false, {29, 12}, {49, 12}},  {blGlyphLeft, true, {30, 13}, {50, 13}},
      {blGlyphRight, false, {83, 12}, {29, 12}}, {blGlyphRight, true, {84, 13}, {30, 13}},
      {blGlyphTop, false, {56, 2}, {39, 22}},    {blGlyphTop, true, {57, 3}, {40, 23}},
      {blGlyphBottom, false, {56, 22}, {39, 2}}, {blGlyphBottom, true, {57, 23}, {40, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.layout) + (c.pressed ? " pressed" : ""));
    const TGlyphPlace p = GlyphLayout(c.layout, 129, 40, SIZE{50, 16}, SIZE{16, 16}, 4, c.pressed);
    EXPECT_EQ(p.Glyph.x, c.glyph.x);
    EXPECT_EQ(p.Glyph.y, c.glyph.y);
    EXPECT_EQ(p.Caption.x, c.caption.x);
    EXPECT_EQ(p.Caption.y, c.caption.y);
    EXPECT_FALSE(p.TwoState);
  }
}

TEST(ButtonLayout, TwoStateGlyphHalves) {
  const struct {
    SIZE glyph;
    bool twoState;
    SIZE cell;
    int glyphX;
  } cases[] = {
      {{32, 16}, true, {16, 16}, 29},  // the left half enabled, the right half disabled
      {{16, 16}, false, {16, 16}, 29},
      {{30, 16}, false, {30, 16}, 22},
      {{0, 0}, true, {0, 0}, 37},  // (an empty glyph is never drawn)
  };
  for (const auto& c : cases) {
    const TGlyphPlace p = GlyphLayout(blGlyphLeft, 129, 40, SIZE{50, 16}, c.glyph, 4, false);
    EXPECT_EQ(p.TwoState, c.twoState) << c.glyph.cx;
    EXPECT_EQ(p.Cell.cx, c.cell.cx) << c.glyph.cx;
    EXPECT_EQ(p.Cell.cy, c.cell.cy) << c.glyph.cx;
    EXPECT_EQ(p.Glyph.x, c.glyphX) << c.glyph.cx;
  }
}

TEST(ButtonLayout, CheckPlacesAndAutoSize) {
  const struct {
    int width, height, pw, ph, font;
    POINT picture;
    RECT caption, focus;
  } places[] = {
      {93, 17, 13, 13, -11, {1, 2}, {17, 2, 93, 17}, {16, 2, 93, 17}},  // DeepBlue check box
      {93, 17, 15, 17, -11, {1, 0}, {19, 2, 93, 17}, {18, 2, 93, 17}},  // MacOS radio button
      {61, 20, 13, 13, -13, {1, 3}, {17, 2, 61, 20}, {16, 2, 61, 20}},
  };
  for (const auto& c : places) {
    const TCheckPlace p = CheckLayout(c.width, c.height, c.pw, c.ph, c.font);
    EXPECT_EQ(p.Picture.x, c.picture.x);
    EXPECT_EQ(p.Picture.y, c.picture.y);
    EXPECT_TRUE(EqualRect(&p.Caption, &c.caption)) << p.Caption.left << " " << p.Caption.top;
    EXPECT_TRUE(EqualRect(&p.Focus, &c.focus));
  }
  const struct {
    int pw, ph, font, text;
    SIZE expected;
  } sizes[] = {
      {13, 13, -11, 40, {61, 17}},  // WinXP check box with a 40-pixel caption
      {15, 17, -11, 40, {63, 21}},  // MacOS: the picture is the taller
      {0, 0, -11, 10, {18, 17}},    // Custom: no picture
  };
  for (const auto& c : sizes) {
    const SIZE s = CheckAutoSize(c.pw, c.ph, c.font, c.text);
    EXPECT_EQ(s.cx, c.expected.cx);
    EXPECT_EQ(s.cy, c.expected.cy);
  }
}

TEST(ButtonLayout, CheckGroupPlaces) {
  const RECT inner{3, 11, 103, 58};  // a 105 x 60 group with Font.Height -11
  const struct {
    int count, columns;
    std::vector<POINT> expected;
  } cases[] = {
      {3, 1, {{8, 19}, {8, 32}, {8, 45}}},
      {3, 2, {{8, 19}, {8, 38}, {55, 19}}},
      {3, 0, {{8, 19}, {8, 32}, {8, 45}}},  // no division by zero: one column
      {0, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.count) + " in " + std::to_string(c.columns));
    const std::vector<POINT> places = CheckGroupPlaces(105, inner, 8, c.count, c.columns);
    ASSERT_EQ(places.size(), c.expected.size());
    for (size_t i = 0; i < places.size(); ++i) {
      EXPECT_EQ(places[i].x, c.expected[i].x) << i;
      EXPECT_EQ(places[i].y, c.expected[i].y) << i;
    }
  }
}

class Controls : public testing::Test {
 protected:
  void SetUp() override {
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(100, 100, 300, 200);
  }
  void TearDown() override { delete form_; }
  TForm* form_ = nullptr;
};

TEST_F(Controls, ACheckGroupArrangesItsItems) {
  auto* group = new TkvCheckGroup(form_);
  group->SetParent(form_);
  group->SetBounds(0, 0, 105, 60);
  group->Font()->SetHeight(-11);
  group->Items()->Add("A");
  group->Items()->Add("B");
  group->Items()->Add("C");
  const RECT inner = group->InnerRect();
  EXPECT_EQ(inner.left, 3);
  EXPECT_EQ(inner.top, 11);
  EXPECT_EQ(inner.right, 103);
  EXPECT_EQ(inner.bottom, 58);
  const POINT one[] = {{8, 19}, {8, 32}, {8, 45}}, two[] = {{8, 19}, {8, 38}, {55, 19}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(group->ItemControl(i)->Left(), one[i].x);
    EXPECT_EQ(group->ItemControl(i)->Top(), one[i].y);
  }
  group->SetColumns(2);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(group->ItemControl(i)->Left(), two[i].x);
    EXPECT_EQ(group->ItemControl(i)->Top(), two[i].y);
  }
  group->SetColumns(0);  // kept, arranged as one column
  EXPECT_EQ(group->Columns(), 0);
  EXPECT_EQ(group->ItemControl(2)->Top(), 45);
  group->SetColumns(-1);  // refused
  EXPECT_EQ(group->Columns(), 0);
  // The items follow the group's style and Transparent.
  group->SetUIStyle(TkvUIStyle::WinXP);
  EXPECT_EQ(group->ItemControl(0)->UIStyle(), TkvUIStyle::WinXP);
  EXPECT_EQ(group->BorderColor(), 0x686868);
  EXPECT_EQ(group->Font()->Color(), 0xCF4602);
  group->SetTransparent(true);
  EXPECT_TRUE(group->ItemControl(1)->Transparent());
}

TEST_F(Controls, WhatANewControlHolds) {
  TkvCheckBox check(form_);
  EXPECT_EQ(check.UIStyle(), TkvUIStyle::DeepBlue);  // no skinned form
  EXPECT_EQ(check.Width(), 93);
  EXPECT_EQ(check.Height(), 17);
  EXPECT_EQ(check.Caption(), "kvCheckBox");
  EXPECT_TRUE(check.ParentColor());
  EXPECT_FALSE(check.PictureTransparent());
  TkvRadioButton radio(form_);
  EXPECT_EQ(radio.Caption(), "kvRadioButton");
  EXPECT_TRUE(radio.PictureTransparent());
  radio.SetTransparent(false);
  EXPECT_TRUE(radio.PictureTransparent());  // masked whatever Transparent says
  TkvButton button(nullptr);
  EXPECT_EQ(button.UIStyle(), TkvUIStyle::DeepBlue);
  EXPECT_EQ(button.Width(), 80);
  EXPECT_EQ(button.Height(), 27);
  EXPECT_EQ(button.Spacing(), 4);
  EXPECT_EQ(button.MouseContinuouslyDownInterval(), 100);
  EXPECT_TRUE(button.TabStop());
  EXPECT_TRUE(button.Text().empty());
}

TEST_F(Controls, ButtonPictureNames) {
  TkvButton button(form_);
  button.SetUIStyle(TkvUIStyle::WinXP);
  EXPECT_EQ(button.PicNormalResName(), "");  // only a Custom button tells its names
  button.SetPicNormalResName("DEEPBLUE_BUTTON_NORMAL");
  EXPECT_EQ(button.UIStyle(), TkvUIStyle::Custom);
  EXPECT_EQ(button.PicNormalResName(), "DEEPBLUE_BUTTON_NORMAL");
  EXPECT_FALSE(button.Transparent());
  // An auto-sized Custom button takes its picture's size.
  button.SetAutoSize(true);
  EXPECT_EQ(button.Width(), 74);
  EXPECT_EQ(button.Height(), 21);
  // The style table's names for the other styles.
  button.SetUIStyle(TkvUIStyle::BlueGlass);
  EXPECT_TRUE(button.Transparent());
  button.SetUIStyle(TkvUIStyle::Custom);
  EXPECT_EQ(button.PicMouseOnResName(), "BLUEGLASS_BUTTON_MOUSEON");
}

TEST_F(Controls, AnAutoSizedCheckBoxFitsPictureAndText) {
  auto* check = new TkvCheckBox(form_);
  check->SetParent(form_);
  check->SetUIStyle(TkvUIStyle::WinXP);
  check->Font()->SetHeight(-11);
  check->SetCaption("Luoi");
  check->SetAutoSize(true);
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(check->Font());
  const int text = measure.Canvas()->TextWidth("Luoi");
  EXPECT_EQ(check->ClientWidth(), 13 + 8 + text);
  EXPECT_EQ(check->ClientHeight(), 17);
  // A longer caption widens it; a resize by hand snaps back.
  check->SetCaption("Luoi toa do");
  EXPECT_EQ(check->ClientWidth(), 21 + measure.Canvas()->TextWidth("Luoi toa do"));
  check->SetWidth(200);
  EXPECT_EQ(check->ClientWidth(), 21 + measure.Canvas()->TextWidth("Luoi toa do"));
}

TEST_F(Controls, APicturePanelFitsItsPictureByItsAlign) {
  TPicture picture;
  picture.Bitmap()->SetSize(40, 30);
  const struct {
    TAlign align;
    int width, height;
  } cases[] = {{alNone, 40, 30}, {alTop, 300, 30}, {alLeft, 40, 200}, {alClient, 300, 200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.align));
    auto* panel = new TkvImagePanel(form_);
    panel->SetBounds(0, 0, 300, 200);
    panel->SetAlign(c.align);
    panel->SetAutoSize(true);
    panel->SetPicture(&picture);
    EXPECT_EQ(panel->Width(), c.width);
    EXPECT_EQ(panel->Height(), c.height);
    delete panel;
  }
}

namespace {

class TButtonsForm : public TForm {
  KX_CLASS(TButtonsForm, TForm)
 public:
  explicit TButtonsForm(TComponent* owner) : TForm(owner) {}
  void BtnClick(TObject*) { ++clicks; }
  int clicks = 0;
};

}  // namespace

KX_PUBLISH(TButtonsForm) { p.Handler("BtnClick", &TButtonsForm::BtnClick); }

TEST(FormLoader, ReadsTheControlsByTheirPublishedNames) {
  const char* text = R"(object ButtonsForm: TButtonsForm
  Width = 400
  Height = 300
  object btnOk: TkvButton
    Left = 10
    Top = 10
    OnClick = BtnClick
    UIStyle = WinXP
    Caption = 'Dong y'
    ModalResult = 1
    Default = True
    Spacing = 6
    Layout = blGlyphTop
  end
  object btnPic: TkvButton
    UIStyle = Custom
    PicNormalResName = 'WINXP_BUTTON_NORMAL'
  end
  object cbOnTop: TkvCheckBox
    OnClick = BtnClick
    Checked = True
    Caption = 'Luon o tren'
    UIStyle = Protein
    Transparent = False
  end
  object gbHHQ: TkvGroupBox
    OnClick = BtnClick
    Caption = 'Khoang'
    BorderColor = clRed
    object rbAuto: TkvRadioButton
      OnClick = BtnClick
      GroupIndex = 1
      Checked = True
    end
  end
  object gbCachve: TkvRadioGroup
    Caption = 'Cach ve'
    Columns = 2
    Items.Strings = ('Duong' 'Diem')
  end
  object lbWeb: TkvURLLabel
    Caption = 'Trang chu'
    URL = 'http://plotvane.edu.vn'
  end
  object pnSlider: TkvImagePanel
    DrawStyle = kvTile
  end
end
)";
  auto* form = TCustomForm::Create<TButtonsForm>(nullptr);
  ReadComponentText(*form, text, "buttons");
  auto* ok = dynamic_cast<TkvButton*>(form->FindComponent("btnOk"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->Caption(), "Dong y");
  EXPECT_EQ(ok->UIStyle(), TkvUIStyle::WinXP);
  EXPECT_EQ(ok->ModalResult(), 1);
  EXPECT_TRUE(ok->Default());
  EXPECT_EQ(ok->Spacing(), 6);
  EXPECT_EQ(ok->Layout(), blGlyphTop);
  auto* pic = dynamic_cast<TkvButton*>(form->FindComponent("btnPic"));
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->PicNormalResName(), "WINXP_BUTTON_NORMAL");
  auto* check = dynamic_cast<TkvCheckBox*>(form->FindComponent("cbOnTop"));
  ASSERT_NE(check, nullptr);
  EXPECT_TRUE(check->Checked());
  EXPECT_FALSE(check->Transparent());  // streamed after UIStyle: it wins
  EXPECT_EQ(check->PicNormalResName(), "PROTEIN_CHECKBOX_CHECK");
  auto* group = dynamic_cast<TkvGroupBox*>(form->FindComponent("gbHHQ"));
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->Caption(), "Khoang");
  EXPECT_EQ(group->BorderColor(), static_cast<TColor>(clRed));
  auto* radio = dynamic_cast<TkvRadioButton*>(form->FindComponent("rbAuto"));
  ASSERT_NE(radio, nullptr);
  EXPECT_EQ(radio->Parent(), group);
  EXPECT_EQ(radio->GroupIndex(), 1);
  auto* radios = dynamic_cast<TkvRadioGroup*>(form->FindComponent("gbCachve"));
  ASSERT_NE(radios, nullptr);
  EXPECT_EQ(radios->ItemCount(), 2);
  EXPECT_EQ(radios->Columns(), 2);
  auto* link = dynamic_cast<TkvURLLabel*>(form->FindComponent("lbWeb"));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->URL(), "http://plotvane.edu.vn");
  auto* slider = dynamic_cast<TkvImagePanel*>(form->FindComponent("pnSlider"));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->DrawStyle(), kvTile);
  // Nothing fired while the form loaded.
  EXPECT_EQ(form->clicks, 0);
  // Only a Custom button tells its picture names (so only it stores them).
  EXPECT_EQ(ok->PicNormalResName(), "");
  delete form;
}
