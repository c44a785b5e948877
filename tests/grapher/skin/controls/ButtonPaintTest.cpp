// Pixels of buttons, check boxes, radio buttons and group boxes painted into
// memory bitmaps, against the style's own pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"
#include "skin/look/KVPublic.h"

using namespace kx;

namespace {

TColor PixelOf(TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

void Load(TBitmap& b, const std::string& name) { b.LoadFromResourceName(GetModuleHandleA(nullptr), name); }

// The pixels that differ between two paints of the same size.
struct Ink {
  int count = 0;
  RECT box{1 << 20, 1 << 20, -1, -1};
};
Ink Difference(TBitmap& a, TBitmap& b, const RECT& area) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (PixelOf(a, x, y) != PixelOf(b, x, y)) {
        ++ink.count;
        ink.box.left = std::min<LONG>(ink.box.left, x), ink.box.right = std::max<LONG>(ink.box.right, x + 1);
        ink.box.top = std::min<LONG>(ink.box.top, y), ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
      }
  return ink;
}

// The box of the pixels of exactly one colour.
Ink InkOf(TBitmap& b, TColor color, const RECT& area) {
  Ink ink;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (PixelOf(b, x, y) == color) {
        ++ink.count;
        ink.box.left = std::min<LONG>(ink.box.left, x), ink.box.right = std::max<LONG>(ink.box.right, x + 1);
        ink.box.top = std::min<LONG>(ink.box.top, y), ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
      }
  return ink;
}

class ButtonPaint : public testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);  // away from the windows: no hover from the real mouse
    form_ = TCustomForm::Create<TForm>(nullptr);
    form_->SetBounds(100, 100, 360, 260);
    form_->SetColor(0x00FF00);  // a parent colour no skin has
  }
  void TearDown() override {
    delete form_;
    Application->ProcessMessages();
  }
  template <class T>
  T* Add(int left, int top) {
    T* control = new T(form_);
    control->SetParent(form_);
    control->SetLeft(left);
    control->SetTop(top);
    return control;
  }
  TForm* form_ = nullptr;
};

}  // namespace

TEST_F(ButtonPaint, WinXPButtonIsTheSkinNineSliced) {
  auto* button = Add<TkvButton>(10, 10);
  button->SetUIStyle(TkvUIStyle::WinXP);
  button->SetCaption("");
  ASSERT_EQ(button->Width(), 80);
  ASSERT_EQ(button->Height(), 27);
  EXPECT_FALSE(button->Transparent());
  TBitmap shot, expected, skin;
  Load(skin, "WINXP_BUTTON_NORMAL");
  ASSERT_EQ(skin.Width(), 18);
  ASSERT_EQ(skin.Height(), 21);
  button->PaintTo(shot);
  expected.SetSize(80, 27);
  expected.Canvas()->Brush()->SetColor(button->Color());
  expected.Canvas()->FillRect(RECT{0, 0, 80, 27});
  StretchSkinBitmap(skin, *expected.Canvas(), RECT{0, 0, 80, 27}, false);
  EXPECT_EQ(Difference(shot, expected, RECT{0, 0, 80, 27}).count, 0);
  // Unscaled corners: the skin's own corner pixels at the button's corners.
  EXPECT_EQ(PixelOf(shot, 1, 1), PixelOf(skin, 1, 1));
  EXPECT_EQ(PixelOf(shot, 78, 25), PixelOf(skin, 16, 19));
  // Hover and pressed pictures differ from the normal one.
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  TBitmap pressed;
  button->PaintTo(pressed);
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
  EXPECT_GT(Difference(shot, pressed, RECT{0, 0, 80, 27}).count, 100);
}

TEST_F(ButtonPaint, MacOSButtonIsTransparentAndFocusIsABoldCaption) {
  form_->Show();
  Application->ProcessMessages();
  auto* mac = Add<TkvButton>(10, 10);
  mac->SetUIStyle(TkvUIStyle::MacOS);
  EXPECT_TRUE(mac->Transparent());
  mac->SetCaption("MMMM");
  auto* xp = Add<TkvButton>(10, 50);
  xp->SetUIStyle(TkvUIStyle::WinXP);
  xp->SetCaption("MMMM");
  Application->ProcessMessages();

  TBitmap plain, focused, noCaption;
  mac->PaintTo(plain);
  // The parent shows through where the skin is keyed out.
  TBitmap skin;
  Load(skin, "MACOS_BUTTON_NORMAL");
  ASSERT_EQ(PixelOf(skin, 0, 0), static_cast<TColor>(clFuchsia));
  EXPECT_EQ(PixelOf(plain, 0, 0), 0x00FF00u);
  mac->SetFocus();
  mac->PaintTo(focused);
  EXPECT_FALSE(mac->BoldCaption());  // cleared by the caption paint
  mac->SetCaption("");
  mac->PaintTo(noCaption);
  const RECT all{0, 0, 80, 27};
  const Ink normalInk = Difference(plain, noCaption, all);
  const Ink boldInk = Difference(focused, noCaption, all);
  EXPECT_GT(normalInk.count, 20);
  EXPECT_GT(boldInk.count, normalInk.count + 10);
  // No dotted rectangle in MacOS: away from the caption nothing changes.
  EXPECT_EQ(Difference(plain, focused, RECT{0, 0, 80, 5}).count, 0);

  // WinXP draws the dotted focus rectangle instead.
  TBitmap xpPlain, xpFocused;
  xp->PaintTo(xpPlain);
  xp->SetFocus();
  xp->PaintTo(xpFocused);
  EXPECT_GT(Difference(xpPlain, xpFocused, RECT{0, 2, 80, 3}).count, 10);
}

TEST_F(ButtonPaint, DisabledCaptionIsWhiteThenGrey) {
  auto* button = Add<TkvButton>(10, 10);
  // Custom without pictures: a blank face, so only the caption is white or grey.
  button->SetPicNormalResName("");
  button->SetPicMouseOnResName("");
  button->SetPicMouseDownResName("");
  ASSERT_EQ(button->UIStyle(), TkvUIStyle::Custom);
  button->SetAutoSize(false);
  button->SetBounds(10, 10, 80, 27);
  button->SetColor(0x000040);
  button->SetCaption("Huy");
  button->SetEnabled(false);
  TBitmap shot;
  button->PaintTo(shot);
  const RECT all{0, 0, 80, 27};
  const Ink white = InkOf(shot, clWhite, all), grey = InkOf(shot, clGray, all);
  ASSERT_GT(white.count, 5);
  ASSERT_GT(grey.count, 5);
  EXPECT_EQ(white.box.left, grey.box.left + 1);
  EXPECT_EQ(white.box.top, grey.box.top + 1);
  EXPECT_EQ(white.box.right, grey.box.right + 1);
  EXPECT_EQ(white.box.bottom, grey.box.bottom + 1);
  // Enabled: neither colour.
  button->SetEnabled(true);
  button->PaintTo(shot);
  EXPECT_EQ(InkOf(shot, clGray, all).count, 0);
}

TEST_F(ButtonPaint, TwoStateGlyphShowsItsRightHalfWhileDisabled) {
  auto* button = Add<TkvButton>(10, 10);
  button->SetUIStyle(TkvUIStyle::WinXP);
  button->SetCaption("");
  TBitmap glyph;
  glyph.SetSize(32, 16);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);  // the key colour at (0, 0)
  glyph.Canvas()->FillRect(RECT{0, 0, 32, 16});
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(RECT{2, 2, 14, 14});
  glyph.Canvas()->Brush()->SetColor(clBlue);
  glyph.Canvas()->FillRect(RECT{18, 2, 30, 14});
  button->SetGlyph(&glyph);
  const TGlyphPlace place = GlyphLayout(blGlyphLeft, 80, 27, SIZE{0, 0}, SIZE{32, 16}, 4, false);
  ASSERT_TRUE(place.TwoState);
  const int cx = place.Glyph.x + 8, cy = place.Glyph.y + 8;
  TBitmap shot;
  button->PaintTo(shot);
  EXPECT_EQ(PixelOf(shot, cx, cy), static_cast<TColor>(clRed));
  button->SetEnabled(false);
  button->PaintTo(shot);
  EXPECT_EQ(PixelOf(shot, cx, cy), static_cast<TColor>(clBlue));
  // Keyed on its corner colour: no fuchsia reaches the button.
  EXPECT_EQ(InkOf(shot, clFuchsia, RECT{0, 0, 80, 27}).count, 0);
}

TEST_F(ButtonPaint, CheckAndRadioPictureAndCaptionPlaces) {
  const struct {
    const char* name;
    bool radio;
    TkvUIStyle style;
    const char* picture;
    POINT at;
    int captionLeft;
  } cases[] = {
      {"DeepBlue check box", false, TkvUIStyle::DeepBlue, "DEEPBLUE_CHECKBOX_UNCHECK", {1, 2}, 17},
      {"MacOS radio button", true, TkvUIStyle::MacOS, "MACOS_RADIOBUTTON_UNCHECK", {1, 0}, 19},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TkvCheckBox* box = c.radio ? Add<TkvRadioButton>(10, 10) : Add<TkvCheckBox>(10, 10);
    box->SetUIStyle(c.style);
    box->SetTransparent(false);
    box->SetColor(0x00FF00);
    box->Font()->SetHeight(-11);
    ASSERT_EQ(box->Height(), 17);
    TBitmap shot, blank, picture;
    Load(picture, c.picture);
    box->PaintTo(shot);
    // The picture at its place; a radio button's keyed corner shows the face.
    const TColor key = PixelOf(picture, 0, 0);
    int compared = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x) {
        if (c.radio && PixelOf(picture, x, y) == key) continue;
        ASSERT_EQ(PixelOf(shot, c.at.x + x, c.at.y + y), PixelOf(picture, x, y)) << x << ", " << y;
        ++compared;
      }
    EXPECT_GT(compared, 50);
    const TCheckPlace place = CheckLayout(box->Width(), 17, box->PictureWidth(), box->PictureHeight(), -11);
    EXPECT_EQ(place.Caption.left, c.captionLeft);
    EXPECT_EQ(place.Picture.x, c.at.x);
    EXPECT_EQ(place.Picture.y, (17 - box->PictureHeight()) / 2);
    // The caption's ink starts at its rectangle.
    box->SetCaption("Hien");
    box->PaintTo(shot);
    box->SetCaption("");
    box->PaintTo(blank);
    const Ink ink = Difference(shot, blank, RECT{0, 0, box->Width(), 17});
    ASSERT_GT(ink.count, 10);
    EXPECT_GE(ink.box.left, c.captionLeft);
    EXPECT_LE(ink.box.left, c.captionLeft + 2);
    EXPECT_GE(ink.box.top, place.Caption.top);
  }
}

TEST_F(ButtonPaint, DisabledCheckedWinXPCheckBox) {
  auto* box = Add<TkvCheckBox>(10, 10);
  box->SetUIStyle(TkvUIStyle::WinXP);
  box->SetChecked(true);
  box->SetEnabled(false);
  EXPECT_EQ(box->PicNormalResName(), "WINXP_CHECKBOX_DISABLE_CHECK");
  box->SetEnabled(true);
  EXPECT_EQ(box->PicNormalResName(), "WINXP_CHECKBOX_NORMAL_CHECK");
  EXPECT_EQ(box->PicMouseOnResName(), "WINXP_CHECKBOX_MOUSEON_CHECK");
  box->SetChecked(false);
  EXPECT_EQ(box->PicMouseDownResName(), "WINXP_CHECKBOX_MOUSEDOWN_UNCHECK");
  box->SetChecked(true);
  box->SetEnabled(false);
  box->SetCaption("Ve luoi");
  TBitmap shot, picture;
  Load(picture, "WINXP_CHECKBOX_DISABLE_CHECK");
  box->PaintTo(shot);
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(PixelOf(shot, 1 + x, 2 + y), PixelOf(picture, x, y)) << x << ", " << y;
  EXPECT_GT(InkOf(shot, clGray, RECT{17, 0, box->Width(), 17}).count, 5);
}

TEST_F(ButtonPaint, GroupBoxFrame) {
  auto* group = Add<TkvGroupBox>(5, 5);
  group->SetBounds(5, 5, 175, 121);
  group->Font()->SetHeight(-13);
  group->SetColor(clWhite);
  group->SetBorderColor(clBlack);
  group->Font()->SetColor(clBlue);
  group->SetCaption("Khoang gia tri");
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(group->Font());
  const int gapEnd = measure.Canvas()->TextWidth(group->Caption()) + 6;
  TBitmap shot;
  group->PaintTo(shot);
  auto isLine = [&](int x, int y) { return PixelOf(shot, x, y) == static_cast<TColor>(clBlack); };
  // The top line at y = 7: left stub, gap for the caption, then to the right.
  EXPECT_TRUE(isLine(0, 7));
  EXPECT_TRUE(isLine(2, 7));
  EXPECT_FALSE(isLine(gapEnd, 7));
  EXPECT_TRUE(isLine(gapEnd + 1, 7));
  EXPECT_TRUE(isLine(174, 7));
  EXPECT_FALSE(isLine(100, 6));
  for (int y = 7; y <= 120; ++y) {
    EXPECT_TRUE(isLine(0, y)) << y;
    EXPECT_TRUE(isLine(174, y)) << y;
  }
  for (int x = 0; x <= 174; ++x) EXPECT_TRUE(isLine(x, 120)) << x;
  EXPECT_FALSE(isLine(1, 118));
  // The caption from (5, 0).
  const Ink caption = InkOf(shot, clBlue, RECT{0, 0, 175, 20});
  ASSERT_GT(caption.count, 20);
  EXPECT_GE(caption.box.left, 5);
  EXPECT_LE(caption.box.left, 7);
  EXPECT_LE(caption.box.right, gapEnd);

  // Without a caption the frame is closed.
  group->SetCaption("");
  group->PaintTo(shot);
  for (int x = 0; x <= 174; ++x) EXPECT_TRUE(isLine(x, 7)) << x;
  // Disabled: a grey caption.
  group->SetCaption("Khoang gia tri");
  group->SetEnabled(false);
  group->PaintTo(shot);
  EXPECT_GT(InkOf(shot, clGray, RECT{0, 0, 175, 20}).count, 20);
}

TEST_F(ButtonPaint, ImageButtonShowsItsOnlyPictureInEveryState) {
  auto* button = Add<TkvImageButton>(10, 10);
  button->SetBounds(10, 10, 16, 16);
  TPicture picture;
  picture.Bitmap()->SetSize(16, 16);
  picture.Bitmap()->Canvas()->Brush()->SetColor(clRed);
  picture.Bitmap()->Canvas()->FillRect(RECT{0, 0, 16, 16});
  picture.Bitmap()->Canvas()->Brush()->SetColor(clBlue);
  picture.Bitmap()->Canvas()->FillRect(RECT{4, 4, 12, 12});
  button->SetPicNormal(&picture);
  TBitmap normal, pressed, disabled;
  button->PaintTo(normal);
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  button->PaintTo(pressed);
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  button->SetEnabled(false);
  button->PaintTo(disabled);
  EXPECT_EQ(PixelOf(normal, 8, 8), static_cast<TColor>(clBlue));
  EXPECT_EQ(Difference(normal, pressed, RECT{0, 0, 16, 16}).count, 0);
  EXPECT_EQ(Difference(normal, disabled, RECT{0, 0, 16, 16}).count, 0);
}
