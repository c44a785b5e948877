// Check boxes and radio buttons: the checked state, its pictures and the
// picture-and-caption layout.
#include <algorithm>
#include <map>

#include "skin/controls/KVButton.h"
#include "skin/controls/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvCustomButtonEx) {
  p.Property("Checked", &TkvCustomButtonEx::Checked, &TkvCustomButtonEx::SetChecked).Default(false);
  p.Property("Transparent", &TkvCustomButtonEx::Transparent, &TkvCustomButtonEx::SetTransparent);
}

KX_PUBLISH(TkvCheckBox) {}

KX_PUBLISH(TkvRadioButton) {
  p.Property("GroupIndex", &TkvRadioButton::GroupIndex, &TkvRadioButton::SetGroupIndex).Default(0);
}

namespace {

struct ButtonModule {
  ButtonModule() {
    RegisterClasses({&TkvButton::StaticClass(), &TkvImageButton::StaticClass(), &TkvCheckBox::StaticClass(),
                     &TkvRadioButton::StaticClass()});
  }
} buttonModule;

// The size of a picture of the program's own resources; every check box of a
// window asks for the same few, at every paint.
SIZE ResourcePictureSize(const std::string& name) {
  static std::map<std::string, SIZE> sizes;
  if (name.empty()) return SIZE{0, 0};
  auto it = sizes.find(name);
  if (it != sizes.end()) return it->second;
  TBitmap picture;
  try {
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), name);
  } catch (const std::exception&) {
    return SIZE{0, 0};
  }
  return sizes[name] = SIZE{picture.Width(), picture.Height()};
}

}  // namespace

// ---------------------------------------------------------------------------
// Layout

TCheckPlace CheckLayout(int width, int height, int pictureWidth, int pictureHeight, int fontHeight) {
  TCheckPlace place;
  place.Picture = POINT{1, (height - pictureHeight) / 2};
  const int textHeight = std::abs(fontHeight) + 2;
  const int y = (height - textHeight) / 2;
  place.Caption = RECT{pictureWidth + 4, y, width, height};
  place.Focus = RECT{pictureWidth + 3, y, width, height};
  return place;
}

SIZE CheckAutoSize(int pictureWidth, int pictureHeight, int fontHeight, int textWidth) {
  return SIZE{pictureWidth + 8 + textWidth, std::max(std::abs(fontHeight) + 2, pictureHeight) + 4};
}

// ---------------------------------------------------------------------------
// TkvCustomButtonEx

TkvCustomButtonEx::TkvCustomButtonEx(TComponent* owner) : TkvCustomButton(owner) {
  SetParentColor(true);
  // The pictures come when the concrete class applies the style.
  uiStyle_ = FormSkinStyle(owner);
  SetWidth(93);
}

void TkvCustomButtonEx::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  CheckedChanged();
  Invalidate();
}

void TkvCustomButtonEx::Click() {
  if (CanFocus() && Enabled() && HandleAllocated()) SetFocus();
  Toggle();
  ButtonClick();
}

void TkvCustomButtonEx::SizeToText() {
  if (!AutoSize() || sizing_) return;
  sizing_ = true;
  TBitmap measure;
  measure.SetSize(1, 1);
  measure.Canvas()->Font()->Assign(Font());
  const SIZE size =
      CheckAutoSize(PictureWidth(), PictureHeight(), Font()->Height(), measure.Canvas()->TextWidth(Caption()));
  SetClientHeight(size.cy);
  SetClientWidth(size.cx);
  sizing_ = false;
}

void TkvCustomButtonEx::AutoSizeToPicture() { SizeToText(); }

void TkvCustomButtonEx::CaptionChanged() { SizeToText(); }

void TkvCustomButtonEx::FontChanged() {
  TkvCustomButton::FontChanged();
  SizeToText();
}

void TkvCustomButtonEx::Resize() {
  TkvCustomButton::Resize();
  SizeToText();
}

void TkvCustomButtonEx::PaintPicture(TCanvas& canvas, TBitmap& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) return;
  const TCheckPlace place = CheckLayout(Width(), ClientHeight(), PictureWidth(), PictureHeight(), Font()->Height());
  TImageList list(nullptr, picture.Width(), picture.Height());
  list.SetMasked(pictureTransparent_);
  list.AddMasked(&picture, picture.Canvas()->Pixel(0, 0));
  // A disabled state has pictures of its own: never greyed.
  list.Draw(canvas, place.Picture.x, place.Picture.y, 0, true);
}

void TkvCustomButtonEx::PaintCaption(TCanvas& canvas, const std::string& text) {
  const TCheckPlace place = CheckLayout(Width(), ClientHeight(), PictureWidth(), PictureHeight(), Font()->Height());
  canvas.Font()->Assign(Font());
  if (!Enabled()) canvas.Font()->SetColor(clGray);
  canvas.Brush()->SetStyle(bsClear);
  captionRect_ = place.Caption;
  RECT r = captionRect_;
  canvas.TextRect(r, text, DT_SINGLELINE);
}

void TkvCustomButtonEx::PaintFocus(TCanvas& canvas) {
  const TCheckPlace place = CheckLayout(Width(), ClientHeight(), PictureWidth(), PictureHeight(), Font()->Height());
  canvas.Brush()->SetStyle(bsSolid);
  DrawFocusRect(canvas.Handle(), &place.Focus);
}

// ---------------------------------------------------------------------------
// TkvCheckBox

TkvCheckBox::TkvCheckBox(TComponent* owner) : TkvCustomButtonEx(owner) {
  pictureTransparent_ = false;
  SetCaption("kvCheckBox");
  SetHeight(17);
  SetUIStyle(uiStyle_);
}

int TkvCheckBox::PictureWidth() const { return ResourcePictureSize(ThemeResourceName(uiStyle_, 30)).cx; }
int TkvCheckBox::PictureHeight() const { return ResourcePictureSize(ThemeResourceName(uiStyle_, 30)).cy; }

// A check box's picture is always drawn opaque, whatever Transparent says.
void TkvCheckBox::TransparentChanged() {
  pictureTransparent_ = false;
  Invalidate();
}

void TkvCheckBox::EnabledChanged() { LoadStylePictures(uiStyle_); }

void TkvCheckBox::UIStyleChanged() {
  LoadStylePictures(uiStyle_);
  switch (uiStyle_) {
    case TkvUIStyle::MacOS:
    case TkvUIStyle::Protein:
      SetTransparent(true);
      break;
    case TkvUIStyle::WinXP:
    case TkvUIStyle::DeepBlue:
    case TkvUIStyle::BlueGlass:
      SetTransparent(false);
      break;
    case TkvUIStyle::Custom:
      break;
  }
}

void TkvCheckBox::LoadStatePictures(TkvUIStyle style, int firstEntry) {
  SetResHandle(nullptr);
  const int first = firstEntry + (Checked() ? 0 : 1);
  SetPicNormalResName(ThemeResourceName(style, Enabled() ? first + 2 : first));
  SetPicMouseOnResName(ThemeResourceName(style, first + 4));
  SetPicMouseDownResName(ThemeResourceName(style, first + 6));
}

void TkvCheckBox::LoadStylePictures(TkvUIStyle style) { LoadStatePictures(style, 27); }

void TkvCheckBox::Toggle() {
  SetChecked(!Checked());
  Toggled();
}

void TkvCheckBox::CheckedChanged() { LoadStylePictures(uiStyle_); }

// ---------------------------------------------------------------------------
// TkvRadioButton

TkvRadioButton::TkvRadioButton(TComponent* owner) : TkvCheckBox(owner) {
  pictureTransparent_ = true;
  SetCaption("kvRadioButton");
  SetHeight(17);
  SetUIStyle(uiStyle_);
}

// A radio button's picture is always keyed on its top-left pixel.
void TkvRadioButton::TransparentChanged() {
  pictureTransparent_ = true;
  Invalidate();
}

void TkvRadioButton::LoadStylePictures(TkvUIStyle style) {
  LoadStatePictures(style, 35);
  Invalidate();
}

void TkvRadioButton::Toggle() {
  if (!Checked()) SetChecked(true);  // a checked radio button stays checked
}

void TkvRadioButton::CheckedChanged() {
  if (Checked()) UncheckGroup();
  TkvCheckBox::CheckedChanged();
}

void TkvRadioButton::UncheckGroup() {
  TWinControl* parent = Parent();
  if (!parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TkvRadioButton*>(parent->Controls(i));
    if (other && other != this && other->GroupIndex() == groupIndex_) other->SetChecked(false);
  }
}

}  // namespace kx
