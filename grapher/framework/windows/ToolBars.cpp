#include "framework/windows/ToolBars.h"

#include <algorithm>

#include "framework/windows/Forms.h"

namespace kx {

namespace {

// Captions show "&" prefixes as underlined accelerators, as menus do.
constexpr UINT kCaptionFormat = DT_SINGLELINE | DT_LEFT | DT_TOP;

int CaptionWidth(TCanvas& canvas, const std::string& caption) {
  if (caption.empty()) return 0;
  RECT r{0, 0, 0, 0};
  canvas.TextRect(r, caption, kCaptionFormat | DT_CALCRECT);
  return r.right - r.left;
}

}  // namespace

KX_PUBLISH(TToolButton) {
  p.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).Default(-1);
  p.Property("Style", &TToolButton::Style, &TToolButton::SetStyle).Default(tbsButton);
  p.Property("Down", &TToolButton::Down, &TToolButton::SetDown).Default(false);
  p.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).Default(false);
  p.Property("AutoSize", &TToolButton::AutoSize, &TToolButton::SetAutoSize).Default(false);
  p.Property("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
}

KX_PUBLISH(TToolBar) {
  p.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).Default(23);
  p.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).Default(22);
  p.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat).Default(false);
  p.Property("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent).Default(false);
  p.Property("EdgeInner", &TToolBar::EdgeInner, &TToolBar::SetEdgeInner).Default(esRaised);
  p.Property("EdgeOuter", &TToolBar::EdgeOuter, &TToolBar::SetEdgeOuter).Default(esLowered);
  p.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
  p.Property("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages);
  p.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).Default(false);
  p.Field("OnCustomDraw", &TToolBar::OnCustomDraw);
  p.Field("OnCustomDrawButton", &TToolBar::OnCustomDrawButton);
}

KX_PUBLISH(TSpeedButton) {
  p.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  p.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  p.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  p.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  p.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
}

// ---------------------------------------------------------------------------
// TToolButton

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* parent) {
  TToolBar* old = ToolBar();
  TGraphicControl::SetParent(parent);
  if (old) old->ArrangeButtons();
  Changed();
}

void TToolButton::Changed() {
  if (TToolBar* bar = ToolBar()) {
    bar->ArrangeButtons();
    bar->Invalidate();
  }
}

void TToolButton::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  style_ = style;
  Changed();
}

void TToolButton::SetDown(bool down) {
  down_ = down;
  Changed();
}

void TToolButton::SetAutoSize(bool on) {
  autoSize_ = on;
  Changed();
}

void TToolButton::SetMenuItem(TMenuItem* item) {
  if (menuItem_) menuItem_->RemoveFreeNotification(this);
  menuItem_ = item;
  if (!item) return;
  item->FreeNotification(this);
  SetCaption(item->Caption());
  SetEnabled(item->Enabled());
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == menuItem_) menuItem_ = nullptr;
}

void TToolButton::DropMenu() {
  if (!menuItem_ || menuDropped_ || !Parent()) return;
  const POINT at = Parent()->ClientToScreen(POINT{Left(), Top() + Height()});
  TCustomForm* form = GetParentForm(this);
  menuDropped_ = true;
  Changed();
  TMenuItem* chosen = menuItem_->TrackSubItems(at.x, at.y, form ? form->Handle() : nullptr);
  menuDropped_ = false;
  // The menu kept the mouse: the pointer may have left meanwhile.
  hot_ = false;
  Changed();
  // Last: the chosen command may free this button (and its bar).
  if (chosen) chosen->Click();
}

TCustomDrawState TToolButton::DrawState() const {
  TCustomDrawState state;
  if (hot_) state.Include(cdsHot);
  if ((pressed_ && hot_) || menuDropped_) state.Include(cdsSelected);
  if (down_) state.Include(cdsChecked);
  if (!Enabled()) state.Include(cdsDisabled);
  return state;
}

void TToolButton::Click() {
  if (style_ == tbsCheck) SetDown(!down_);
  TGraphicControl::Click();
  if (!menuItem_) return;
  if (menuItem_->Count() > 0)
    DropMenu();
  else
    menuItem_->Click();
}

void TToolButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER:
      hot_ = true;
      Changed();
      break;
    case CM_MOUSELEAVE:
      hot_ = false;
      Changed();
      break;
    case CM_TEXTCHANGED:
      if (autoSize_) Changed();
      break;
    default:
      break;
  }
  TGraphicControl::WndProc(m);
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    pressed_ = true;
    Changed();
  }
  TGraphicControl::MouseDown(button, shift, x, y);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    pressed_ = false;
    Changed();
  }
  TGraphicControl::MouseUp(button, shift, x, y);
}

// ---------------------------------------------------------------------------
// TToolBar

TToolBar::TToolBar(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
}

int TToolBar::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i) count += dynamic_cast<TToolButton*>(Controls(i)) != nullptr;
  return count;
}

TToolButton* TToolBar::Buttons(int index) const {
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && index-- == 0) return b;
  return nullptr;
}

void TToolBar::SetButtonWidth(int width) {
  buttonWidth_ = width;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int height) {
  buttonHeight_ = height;
  ArrangeButtons();
}

void TToolBar::SetFlat(bool on) {
  flat_ = on;
  Invalidate();
}

void TToolBar::SetTransparent(bool on) {
  transparent_ = on;
  Invalidate();
}

void TToolBar::SetEdgeInner(TEdgeStyle edge) {
  edgeInner_ = edge;
  Invalidate();
}

void TToolBar::SetEdgeOuter(TEdgeStyle edge) {
  edgeOuter_ = edge;
  Invalidate();
}

void TToolBar::SetImages(TImageList* images) {
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_) images_->FreeNotification(this);
  Invalidate();
}

void TToolBar::SetHotImages(TImageList* images) {
  if (hotImages_) hotImages_->RemoveFreeNotification(this);
  hotImages_ = images;
  if (hotImages_) hotImages_->FreeNotification(this);
  Invalidate();
}

void TToolBar::SetShowCaptions(bool on) {
  showCaptions_ = on;
  ArrangeButtons();
  Invalidate();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TCustomControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == hotImages_) hotImages_ = nullptr;
}

int TToolBar::ButtonWidthOf(const TToolButton& button, TCanvas& measure) const {
  if (button.Style() == tbsSeparator || button.Style() == tbsDivider) return 8;
  if (!button.AutoSize() || !showCaptions_) return buttonWidth_;
  constexpr int kMargin = 7;
  int content = CaptionWidth(measure, button.Caption());
  if (images_ && button.ImageIndex() >= 0) content = std::max(content, images_->Width());
  return content + 2 * kMargin;
}

void TToolBar::ArrangeButtons() {
  if (arranging_) return;
  arranging_ = true;
  // Captions are measured in the bar's font, which they are drawn in.
  TBitmap scratch;
  scratch.SetSize(1, 1);
  scratch.Canvas()->Font()->Assign(Font());
  int x = 0, y = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (!button || !button->Visible()) continue;
    const int w = ButtonWidthOf(*button, *scratch.Canvas());
    if (x > 0 && x + w > ClientWidth()) {
      x = 0;
      y += buttonHeight_;
    }
    if (button->Left() != x || button->Top() != y || button->Width() != w || button->Height() != buttonHeight_)
      button->SetBounds(x, y, w, buttonHeight_);
    x += w;
  }
  arranging_ = false;
}

void TToolBar::Resize() {
  ArrangeButtons();
  TCustomControl::Resize();
}

void TToolBar::WndProc(TMessage& m) {
  // A transparent bar does not erase: its handler paints the background.
  if (m.Msg == WM_ERASEBKGND && transparent_) {
    m.Result = 1;
    return;
  }
  TCustomControl::WndProc(m);
  if (m.Msg == CM_FONTCHANGED) ArrangeButtons();  // captions measure anew
}

void TToolBar::Paint() { PaintBar(*Canvas()); }

void TToolBar::PaintBar(TCanvas& canvas) {
  const RECT client = ClientRect();
  if (!transparent_) {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
  }
  bool defaultDraw = true;
  OnCustomDraw(this, client, defaultDraw);
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton& button = *Buttons(i);
    if (!button.Visible()) continue;
    const TCustomDrawState state = button.DrawState();
    defaultDraw = true;
    OnCustomDrawButton(this, &button, state, defaultDraw);
    if (defaultDraw) DrawButtonDefault(canvas, button, state);
  }
}

void TToolBar::DrawButtonDefault(TCanvas& canvas, TToolButton& button, TCustomDrawState state) {
  RECT r = button.BoundsRect();
  HDC dc = canvas.Handle();
  if (button.Style() == tbsSeparator || button.Style() == tbsDivider) {
    RECT line{r.left + 3, r.top + 2, r.left + 5, r.bottom - 2};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    return;
  }
  if (state.Contains(cdsSelected) || state.Contains(cdsChecked))
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  else if (state.Contains(cdsHot) || !flat_)
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
  TImageList* images = state.Contains(cdsHot) && hotImages_ ? hotImages_ : images_;
  int textTop = r.top + 4;
  if (images && button.ImageIndex() >= 0) {
    images->Draw(canvas, r.left + (r.right - r.left - images->Width()) / 2, r.top + 2, button.ImageIndex(),
                 button.Enabled());
    textTop = r.top + images->Height() + 4;
  }
  if (showCaptions_) {
    const TColor color = canvas.Font()->Color();
    if (state.Contains(cdsDisabled)) canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    RECT text{r.left + (r.right - r.left - CaptionWidth(canvas, button.Caption())) / 2, textTop, r.right, r.bottom};
    canvas.TextRect(text, button.Caption(), kCaptionFormat);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Font()->SetColor(color);
  }
}

// ---------------------------------------------------------------------------
// TSpeedButton

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
  SetParentColor(true);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool on) {
  flat_ = on;
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* glyph) {
  glyph_->Assign(glyph);
  glyph_->SetTransparent(true);
  Invalidate();
}

void TSpeedButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  down_ = down;
  if (down_ && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
      auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
      if (other && other != this && other->groupIndex_ == groupIndex_) other->SetDown(false);
    }
  Invalidate();
}

void TSpeedButton::Click() {
  if (groupIndex_ != 0) {
    if (!down_)
      SetDown(true);
    else if (allowAllUp_)
      SetDown(false);
  }
  TGraphicControl::Click();
}

void TSpeedButton::Paint() {
  TCanvas& canvas = *Canvas();
  RECT r = ClientRect();
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(r);
  if (down_)
    DrawEdge(canvas.Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
  else if (!flat_)
    DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_RECT);
  if (glyph_->Empty()) return;
  const int shift = down_ ? 1 : 0;
  canvas.Draw((r.right - glyph_->Width()) / 2 + shift, (r.bottom - glyph_->Height()) / 2 + shift, glyph_.get());
}

}  // namespace kx
