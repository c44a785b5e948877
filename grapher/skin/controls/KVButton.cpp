#include "skin/controls/KVButton.h"

#include <algorithm>

#include "framework/windows/ActnList.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

namespace {

int ResHandleOf(const TkvCustomButton& b) {
  // The program's own module is stored as 0: the value of one run means
  // nothing to the next.
  return b.ResHandle() == GetModuleHandleA(nullptr) ? 0 : static_cast<int>(reinterpret_cast<intptr_t>(b.ResHandle()));
}

void SetResHandleOf(TkvCustomButton& b, int module) {
  b.SetResHandle(reinterpret_cast<HINSTANCE>(static_cast<intptr_t>(module)));
}

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

KX_PUBLISH(TkvCustomButton) {
  p.Property("UIStyle", &TkvCustomButton::UIStyle, &TkvCustomButton::SetUIStyle);
  p.Property("Caption", &TkvCustomButton::Caption, &TkvCustomButton::SetCaption);
  p.Property("AutoSize", &TkvCustomButton::AutoSize, &TkvCustomButton::SetAutoSize).Default(false);
  p.Property("TabStop", &TkvCustomButton::TabStop, &TkvCustomButton::SetTabStop).Default(true);
}

KX_PUBLISH(TkvButton) {
  p.Property("Cancel", &TkvButton::Cancel, &TkvButton::SetCancel).Default(false);
  p.Property("Default", &TkvButton::Default, &TkvButton::SetDefault).Default(false);
  p.Property("Transparent", &TkvButton::Transparent, &TkvButton::SetTransparent);
  p.Property("ModalResult", &TkvButton::ModalResult, &TkvButton::SetModalResult).Default(0);
  p.Property("Action", &TkvButton::Action, &TkvButton::SetAction);
  p.Property("Glyph", &TkvButton::Glyph, &TkvButton::SetGlyph);
  p.Property("Layout", &TkvButton::Layout, &TkvButton::SetLayout).Default(blGlyphLeft);
  p.Property("Spacing", &TkvButton::Spacing, &TkvButton::SetSpacing).Default(4);
  p.Property("ResHandle", &ResHandleOf, &SetResHandleOf).Default(0);
  // A name turns the button to the Custom style when it is read: only a
  // Custom button has names of its own to write.
  const auto custom = [](const TkvButton& b) { return b.UIStyle() == TkvUIStyle::Custom; };
  p.Property("PicNormalResName", &TkvButton::PicNormalResName, &TkvButton::SetPicNormalResName).StoredWhen(custom);
  p.Property("PicMouseDownResName", &TkvButton::PicMouseDownResName, &TkvButton::SetPicMouseDownResName)
      .StoredWhen(custom);
  p.Property("PicMouseOnResName", &TkvButton::PicMouseOnResName, &TkvButton::SetPicMouseOnResName).StoredWhen(custom);
  p.Property("MouseContinuouslyDownInterval", &TkvButton::MouseContinuouslyDownInterval,
             &TkvButton::SetMouseContinuouslyDownInterval)
      .Default(100);
  p.Field("OnMouseExit", static_cast<TNotifyEvent TkvButton::*>(&TkvButton::OnMouseExit));
  p.Field("OnMouseContinuouslyDown", static_cast<TNotifyEvent TkvButton::*>(&TkvButton::OnMouseContinuouslyDown));
}

KX_PUBLISH(TkvImageButton) {
  p.Property("PicNormal", &TkvImageButton::PicNormal, &TkvImageButton::SetPicNormal);
  p.Property("PicMouseOn", &TkvImageButton::PicMouseOn, &TkvImageButton::SetPicMouseOn);
  p.Property("PicMouseDown", &TkvImageButton::PicMouseDown, &TkvImageButton::SetPicMouseDown);
  p.Property("PicDisabled", &TkvImageButton::PicDisabled, &TkvImageButton::SetPicDisabled);
  p.Property("Stretch", &TkvImageButton::Stretch, &TkvImageButton::SetStretch).Default(false);
  p.Property("Action", &TkvImageButton::Action, &TkvImageButton::SetAction);
  p.Property("Cancel", &TkvImageButton::Cancel, &TkvImageButton::SetCancel).Default(false);
  p.Property("Default", &TkvImageButton::Default, &TkvImageButton::SetDefault).Default(false);
  p.Property("MouseContinuouslyDownInterval", &TkvImageButton::MouseContinuouslyDownInterval,
             &TkvImageButton::SetMouseContinuouslyDownInterval)
      .Default(100);
  p.Property("Transparent", &TkvImageButton::Transparent, &TkvImageButton::SetTransparent);
  p.Property("ModalResult", &TkvImageButton::ModalResult, &TkvImageButton::SetModalResult).Default(0);
  p.Field("OnMouseExit", static_cast<TNotifyEvent TkvImageButton::*>(&TkvImageButton::OnMouseExit));
  p.Field("OnMouseContinuouslyDown",
          static_cast<TNotifyEvent TkvImageButton::*>(&TkvImageButton::OnMouseContinuouslyDown));
}

// ---------------------------------------------------------------------------
// Glyph layout

TGlyphPlace GlyphLayout(TButtonLayout layout, int width, int height, SIZE text, SIZE glyph, int spacing, bool pressed) {
  TGlyphPlace place;
  int gw = glyph.cx;
  const int gh = glyph.cy;
  place.TwoState = gw == 2 * gh;
  if (place.TwoState) gw = gh;
  place.Cell = SIZE{gw, gh};
  const int tw = text.cx, th = text.cy, w = width, h = height, sp = spacing;
  POINT& g = place.Glyph;
  POINT& c = place.Caption;
  switch (layout) {
    case blGlyphLeft:
      g = POINT{(w - (tw + gw + sp)) / 2, (h - gh) / 2};
      c = POINT{g.x + gw + sp, (h - th) / 2};
      break;
    case blGlyphRight:
      g = POINT{(w + tw + sp - gw) / 2, (h - gh) / 2};
      c = POINT{g.x - tw - sp, (h - th) / 2};
      break;
    case blGlyphTop:
      g = POINT{(w - gw) / 2, (h - (th + gh + sp)) / 2};
      c = POINT{(w - tw) / 2, g.y + gh + sp};
      break;
    case blGlyphBottom:
      g = POINT{(w - gw) / 2, (h + th + sp - gh) / 2};
      c = POINT{(w - tw) / 2, g.y - th - sp};
      break;
  }
  if (pressed) {
    ++g.x, ++g.y;
    ++c.x, ++c.y;
  }
  return place;
}

// ---------------------------------------------------------------------------
// TkvCustomButton

TkvCustomButton::TkvCustomButton(TComponent* owner) : TCustomControl(owner), resHandle_(GetModuleHandleA(nullptr)) {
  // No children; a quick second click is a second click, not a double click.
  controlStyle_ = controlStyle_ - TControlStyle{csAcceptsControls, csDoubleClicks, csSetCaption};
  SetTabStop(true);
  InstallButtonKeyRouting();
}

TkvCustomButton::~TkvCustomButton() { StopRepeatTimer(); }

void TkvCustomButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  CaptionChanged();
  Invalidate();
}

void TkvCustomButton::SetAutoSize(bool on) {
  autoSize_ = on;
  AutoSizeToPicture();
  Invalidate();
}

void TkvCustomButton::SetTransparent(bool on) {
  transparent_ = on;
  TransparentChanged();
  Invalidate();
}

void TkvCustomButton::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  LoadStylePictures(style);
  UIStyleChanged();
  Invalidate();
}

void TkvCustomButton::SetDefault(bool on) {
  default_ = on;
  // The form looks again for the button Enter clicks.
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm(this))
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TkvCustomButton::SetResHandle(HINSTANCE module) { resHandle_ = module ? module : GetModuleHandleA(nullptr); }

void TkvCustomButton::SetPicNormalResName(const std::string& name) {
  picNormalResName_ = name;
  AutoSizeToPicture();
  Invalidate();
}

void TkvCustomButton::SetPicMouseOnResName(const std::string& name) {
  picMouseOnResName_ = name;
  Invalidate();
}

void TkvCustomButton::SetPicMouseDownResName(const std::string& name) {
  picMouseDownResName_ = name;
  Invalidate();
}

void TkvCustomButton::SetEnabled(bool enabled) {
  TCustomControl::SetEnabled(enabled);
  if (!enabled) EndPress();
  EnabledChanged();
  Invalidate();
}

void TkvCustomButton::AutoSizeToPicture() {
  if (!autoSize_ || picNormalResName_.empty()) return;
  TBitmap picture;
  try {
    LoadResourcePicture(picture, picNormalResName_);
  } catch (const std::exception&) {
    return;  // a name without a picture leaves the size alone
  }
  SetHeight(picture.Height());
  SetWidth(picture.Width());
}

void TkvCustomButton::FontChanged() {
  TCustomControl::FontChanged();
  Canvas()->Font()->Assign(Font());
  Invalidate();
}

void TkvCustomButton::TransparentChanged() {
  pictureTransparent_ = transparent_;
  Invalidate();
}

void TkvCustomButton::UIStyleChanged() {
  if (uiStyle_ == TkvUIStyle::Custom) SetAutoSize(true);
}

void TkvCustomButton::LoadResourcePicture(TBitmap& bitmap, const std::string& name) const {
  bitmap.LoadFromResourceName(resHandle_, name);
}

void TkvCustomButton::GetPicNormal(TBitmap& bitmap) { LoadResourcePicture(bitmap, picNormalResName_); }
void TkvCustomButton::GetPicMouseOn(TBitmap& bitmap) { LoadResourcePicture(bitmap, picMouseOnResName_); }
void TkvCustomButton::GetPicMouseDown(TBitmap& bitmap) { LoadResourcePicture(bitmap, picMouseDownResName_); }
void TkvCustomButton::GetPicDisabled(TBitmap& bitmap) { LoadResourcePicture(bitmap, picNormalResName_); }

// ---------------------------------------------------------------------------
// Paint

void TkvCustomButton::PaintTo(TBitmap& b) {
  TBitmap picture;
  try {
    if (!Enabled())
      GetPicDisabled(picture);
    else if (pressed_)
      GetPicMouseDown(picture);
    else if (!hover_)
      GetPicNormal(picture);
    else
      GetPicMouseOn(picture);
  } catch (const std::exception&) {
    // A missing or unnamed picture: paint goes on with a blank one.
    picture.SetSize(74, 21);
    picture.Canvas()->Brush()->SetColor(Color());
    picture.Canvas()->FillRect(RECT{0, 0, 74, 21});
  }
  picture.SetTransparent(pictureTransparent_);
  b.SetSize(Width(), Height());
  TCanvas& c = *b.Canvas();
  const RECT client = ClientRect();
  if (transparent_) {
    PaintParentBackground(c, *this);
  } else {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(client);
  }
  PaintPicture(c, picture);
  if (Focused() && TabStop()) PaintFocus(c);
  c.Font()->Assign(Font());
  Canvas()->Font()->Assign(Font());
  if (!IsBlank(caption_)) PaintCaption(c, caption_);
}

void TkvCustomButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap b;
  PaintTo(b);
  Canvas()->Draw(0, 0, &b);
}

void TkvCustomButton::PaintPicture(TCanvas& canvas, TBitmap& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) return;
  TImageList list(nullptr, picture.Width(), picture.Height());
  list.SetMasked(pictureTransparent_);
  list.AddMasked(&picture, picture.Canvas()->Pixel(0, 0));
  // The image list greys the picture of a disabled button.
  list.Draw(canvas, 0, 0, 0, Enabled());
}

void TkvCustomButton::PaintCaption(TCanvas& canvas, const std::string& text) {
  canvas.Brush()->SetStyle(bsClear);
  RECT r = ClientRect();
  canvas.Font()->Assign(Font());
  if (boldCaption_) canvas.Font()->SetStyle(canvas.Font()->Style() + TFontStyles{fsBold});
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (!Enabled()) {
    RECT shadow{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    canvas.Font()->SetColor(clWhite);
    canvas.TextRect(shadow, text, format);
    canvas.Font()->SetColor(clGray);
  } else if (pressed_) {
    OffsetRect(&r, 1, 1);
  }
  canvas.TextRect(r, text, format);
  boldCaption_ = false;
}

void TkvCustomButton::PaintFocus(TCanvas& canvas) {
  canvas.Brush()->SetStyle(bsSolid);
  const RECT r{2, 2, ClientWidth() - 2, ClientHeight() - 2};
  DrawFocusRect(canvas.Handle(), &r);
}

// ---------------------------------------------------------------------------
// Click, mouse and keyboard

void TkvCustomButton::ButtonClick() {
  if (takesFocus_ && CanFocus() && Enabled() && HandleAllocated()) SetFocus();
  // Before OnClick, so a handler that sets the form's result has the last word.
  if (Parent())
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TkvCustomButton::Click() { ButtonClick(); }

void TkvCustomButton::ActionChange(TBasicAction* action, bool checkDefaults) {
  TCustomControl::ActionChange(action, checkDefaults);
  SetCaption(TControl::Caption());
}

void TkvCustomButton::StopRepeatTimer() {
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
  repeatTimer_.reset();
}

void TkvCustomButton::EndPress() {
  StopRepeatTimer();
  // The framework forgets the capture and the pending click; the window
  // gives up the capture only when it still holds it.
  if (MouseCapture()) Perform(WM_CANCELMODE);
  clicked_ = false;
  if (!pressed_) return;
  pressed_ = false;
  Invalidate();
}

void TkvCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    pressed_ = true;
    if (!repeatTimer_) {
      repeatTimer_ = std::make_unique<TTimer>(nullptr);
      repeatTimer_->SetInterval(static_cast<unsigned>(std::max(repeatInterval_, 0)));
      repeatTimer_->OnTimer = TNotifyEvent([this](TObject*) { OnMouseContinuouslyDown(this); });
      repeatTimer_->SetEnabled(true);
    }
    Invalidate();
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TkvCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    StopRepeatTimer();
    pressed_ = false;
    Invalidate();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TkvCustomButton::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (x < 0 || x > Width() || y < 0 || y > Height()) {
    // Out of the button the picture is normal; the timer runs until release.
    hover_ = false;
    pressed_ = false;
    Invalidate();
  }
}

void TkvCustomButton::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  // Ctrl+Enter and Alt+Space are no presses of a button.
  if ((key == VK_SPACE || key == VK_RETURN) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt) && Focused() &&
      Enabled()) {
    pressed_ = true;
    Invalidate();
  }
}

void TkvCustomButton::KeyUp(WORD& key, TShiftState shift) {
  TCustomControl::KeyUp(key, shift);
  if ((key == VK_SPACE || key == VK_RETURN) && Focused() && Enabled() && pressed_) {
    pressed_ = false;
    Invalidate();
    Click();
  }
}

bool TkvCustomButton::DialogKey(WORD key) {
  if (!((key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_))) return false;
  const TShiftState shift = KeyboardState();
  if (shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt) || !CanFocus()) return false;
  Click();
  return true;
}

bool TkvCustomButton::DialogChar(char ch) {
  // Only a button one can see and use: not one on a hidden page or panel.
  if (!IsAccel(static_cast<unsigned char>(ch), caption_) || !CanFocus() || !Showing()) return false;
  if (HandleAllocated()) SetFocus();
  Click();
  return true;
}

void TkvCustomButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // the paint covers every pixel
      return;
    case CM_MOUSEENTER:
      if (!ComponentState().Contains(csDesigning)) {
        hover_ = true;
        Invalidate();
        OnMouseEnter(this);
      }
      return;
    case CM_MOUSELEAVE:
      TCustomControl::WndProc(m);
      hover_ = false;
      pressed_ = false;
      StopRepeatTimer();
      Invalidate();
      OnMouseExit(this);
      return;
    case CM_DIALOGKEY:
      if (DialogKey(static_cast<WORD>(m.WParam))) {
        m.Result = 1;
        return;
      }
      break;
    case CM_VISIBLECHANGED:
      TCustomControl::WndProc(m);
      if (!Visible()) EndPress();
      return;
    case WM_CAPTURECHANGED:
      // Capture taken by another window while the framework still counts it
      // ours: no mouse-up will come.
      if (MouseCapture() && reinterpret_cast<HWND>(m.LParam) != Handle()) EndPress();
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
      TCustomControl::WndProc(m);
      Invalidate();  // the focus cue follows
      return;
    default:
      break;
  }
  TCustomControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TkvButton

TkvButton::TkvButton(TComponent* owner) : TkvCustomButton(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 80, 27);
  SetUIStyle(FormSkinStyle(owner));
}

TkvButton::~TkvButton() = default;

void TkvButton::SetGlyph(TBitmap* glyph) {
  glyph_->Assign(glyph);
  Invalidate();
}

void TkvButton::ActionChange(TBasicAction* action, bool checkDefaults) {
  TkvCustomButton::ActionChange(action, checkDefaults);
  auto* a = dynamic_cast<TCustomAction*>(action);
  if (!a || !glyph_->Empty() || !a->ActionList()) return;
  TImageList* images = a->ActionList()->Images();
  if (!images || a->ImageIndex() < 0 || a->ImageIndex() >= images->Count()) return;
  images->GetBitmap(a->ImageIndex(), *glyph_);
  Invalidate();
}

void TkvButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TkvButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

std::string TkvButton::PicNormalResName() const {
  return uiStyle_ == TkvUIStyle::Custom ? picNormalResName_ : std::string();
}
std::string TkvButton::PicMouseOnResName() const {
  return uiStyle_ == TkvUIStyle::Custom ? picMouseOnResName_ : std::string();
}
std::string TkvButton::PicMouseDownResName() const {
  return uiStyle_ == TkvUIStyle::Custom ? picMouseDownResName_ : std::string();
}

void TkvButton::SetPicNormalResName(const std::string& name) {
  SetUIStyle(TkvUIStyle::Custom);
  TkvCustomButton::SetPicNormalResName(name);
}
void TkvButton::SetPicMouseOnResName(const std::string& name) {
  SetUIStyle(TkvUIStyle::Custom);
  TkvCustomButton::SetPicMouseOnResName(name);
}
void TkvButton::SetPicMouseDownResName(const std::string& name) {
  SetUIStyle(TkvUIStyle::Custom);
  TkvCustomButton::SetPicMouseDownResName(name);
}

void TkvButton::LoadStylePictures(TkvUIStyle style) {
  if (style == TkvUIStyle::Custom) return;
  SetResHandle(nullptr);
  picNormalResName_ = ThemeResourceName(style, 24);
  picMouseOnResName_ = ThemeResourceName(style, 25);
  picMouseDownResName_ = ThemeResourceName(style, 26);
}

void TkvButton::UIStyleChanged() { SetTransparent(uiStyle_ == TkvUIStyle::MacOS || uiStyle_ == TkvUIStyle::BlueGlass); }

void TkvButton::PaintFocus(TCanvas& canvas) {
  if (uiStyle_ == TkvUIStyle::MacOS || uiStyle_ == TkvUIStyle::BlueGlass)
    boldCaption_ = true;
  else
    TkvCustomButton::PaintFocus(canvas);
}

void TkvButton::PaintPicture(TCanvas& canvas, TBitmap& picture) {
  canvas.Font()->Assign(Font());
  if (uiStyle_ == TkvUIStyle::Custom)
    TkvCustomButton::PaintPicture(canvas, picture);
  else
    StretchSkinBitmap(picture, canvas, ClientRect(), pictureTransparent_);
  if (glyph_->Empty()) return;
  const TGlyphPlace place = GlyphLayout(layout_, Width(), Height(), canvas.TextExtent(Caption()),
                                        SIZE{glyph_->Width(), glyph_->Height()}, spacing_, Pressed());
  captionPos_ = place.Caption;
  if (Pressed() && !Enabled()) captionPos_ = POINT{captionPos_.x - 1, captionPos_.y - 1};
  TImageList list(nullptr, place.Cell.cx, place.Cell.cy);
  list.AddMasked(glyph_.get(), glyph_->Canvas()->Pixel(0, 0));
  if (place.TwoState)
    list.Draw(canvas, place.Glyph.x, place.Glyph.y, Enabled() ? 0 : 1, true);
  else
    list.Draw(canvas, place.Glyph.x, place.Glyph.y, 0, Enabled());
}

void TkvButton::PaintCaption(TCanvas& canvas, const std::string& text) {
  if (glyph_->Empty()) {
    TkvCustomButton::PaintCaption(canvas, text);
    return;
  }
  // Beside a glyph the caption has no bold focus cue.
  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->Assign(Font());
  const int w = Width(), h = Height();
  const POINT at = captionPos_;
  if (!Enabled()) {
    RECT shadow{at.x + 1, at.y + 1, w, h};
    canvas.Font()->SetColor(clWhite);
    canvas.TextRect(shadow, text, DT_SINGLELINE);
    canvas.Font()->SetColor(clGray);
  }
  RECT r{at.x, at.y, w, h};
  canvas.TextRect(r, text, DT_SINGLELINE);
}

// ---------------------------------------------------------------------------
// TkvImageButton

TkvImageButton::TkvImageButton(TComponent* owner) : TkvCustomButton(owner) {
  for (auto& picture : pictures_) picture = std::make_unique<TPicture>();
}

TkvImageButton::~TkvImageButton() = default;

void TkvImageButton::SetPictureOf(int index, TPicture* picture) {
  pictures_[index]->Assign(picture);
  AutoSizeToPicture();
  Invalidate();
}

void TkvImageButton::SetStretch(bool on) {
  stretch_ = on;
  Invalidate();
}

void TkvImageButton::AutoSizeToPicture() {
  if (!Parent() || !AutoSize() || !pictures_[0]->Graphic() || pictures_[0]->Graphic()->Empty()) return;
  SetHeight(pictures_[0]->Height());
  SetWidth(pictures_[0]->Width());
}

void TkvImageButton::CopyPicture(int index, TBitmap& bitmap) {
  auto holds = [](const TPicture& p) { return p.Graphic() && !p.Graphic()->Empty(); };
  TPicture& source = holds(*pictures_[index]) ? *pictures_[index] : *pictures_[0];
  if (holds(source)) bitmap.Assign(source.Bitmap());
}

void TkvImageButton::GetPicNormal(TBitmap& bitmap) { CopyPicture(0, bitmap); }
void TkvImageButton::GetPicMouseOn(TBitmap& bitmap) { CopyPicture(1, bitmap); }
void TkvImageButton::GetPicMouseDown(TBitmap& bitmap) { CopyPicture(2, bitmap); }
void TkvImageButton::GetPicDisabled(TBitmap& bitmap) { CopyPicture(3, bitmap); }

void TkvImageButton::PaintPicture(TCanvas& canvas, TBitmap& picture) {
  if (picture.Width() == 0 || picture.Height() == 0) return;
  picture.SetTransparentColor(picture.Canvas()->Pixel(0, 0));
  if (stretch_)
    canvas.StretchDraw(RECT{0, 0, Width(), Height()}, &picture);
  else
    canvas.Draw(0, 0, &picture);
}

}  // namespace kx
