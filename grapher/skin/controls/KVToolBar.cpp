#include "skin/controls/KVToolBar.h"

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvToolBar) {
  p.Property("UIStyle", &TkvToolBar::UIStyle, &TkvToolBar::SetUIStyle);
  p.Color("ButtonColor", &TkvToolBar::ButtonColor, &TkvToolBar::SetButtonColor);
  p.Color("ButtonBorderColor", &TkvToolBar::ButtonBorderColor, &TkvToolBar::SetButtonBorderColor);
  p.Color("ButtonDownColor", &TkvToolBar::ButtonDownColor, &TkvToolBar::SetButtonDownColor);
}

namespace {
struct ToolBarModule {
  ToolBarModule() { RegisterClasses({&TkvToolBar::StaticClass(), &TToolButton::StaticClass()}); }
} toolBarModule;

void FilledTriangle(TCanvas& canvas, POINT a, POINT b, POINT c) { canvas.Polygon({a, b, c}); }
}  // namespace

TkvToolBar::TkvToolBar(TComponent* owner) : TToolBar(owner) {
  if (!ComponentState().Contains(csDesigning))
    OnCustomDrawButton =
        TToolBarCustomDrawButtonEvent([this](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                             bool& defaultDraw) { DrawButton(bar, button, state, defaultDraw); });
  OnCustomDraw =
      TToolBarCustomDrawEvent([this](TToolBar* bar, RECT rect, bool& defaultDraw) { DrawBar(bar, rect, defaultDraw); });
  SetFlat(true);
  SetTransparent(false);
  SetUIStyle(FormSkinStyle(owner));
}

void TkvToolBar::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  if (style == TkvUIStyle::Custom) return;
  buttonBorderColor_ = ThemeColor(style, 80);
  buttonColor_ = ThemeColor(style, 81);
  buttonDownColor_ = ThemeColor(style, 82);
  SetColor(ThemeColor(style, 83));
  SetTransparent(style == TkvUIStyle::MacOS);
  SetEdgeInner(esNone);
  SetEdgeOuter(esNone);
  Repaint();
}

void TkvToolBar::SetButtonColor(TColor color) {
  buttonColor_ = color;
  Repaint();
}

void TkvToolBar::SetButtonBorderColor(TColor color) {
  buttonBorderColor_ = color;
  Repaint();
}

void TkvToolBar::SetButtonDownColor(TColor color) {
  buttonDownColor_ = color;
  Repaint();
}

void TkvToolBar::DrawBar(TToolBar*, RECT, bool&) {
  if (Transparent()) PaintParentBackground(*Canvas(), *this);
}

void TkvToolBar::DrawButton(TToolBar*, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
  DrawSkinnedButton(*Canvas(), *button, state, defaultDraw);
}

// Every vertical place counts from the button's own top, so a button in a
// lower row draws where it stands.
void TkvToolBar::DrawFace(TCanvas& canvas, TToolButton& button, TImageList* images, bool down) {
  const RECT r = button.BoundsRect();
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(down ? buttonDownColor_ : buttonColor_);
  canvas.Pen()->SetColor(buttonBorderColor_);
  canvas.Rectangle(r);
  const std::string caption = button.Caption();
  const int captionX = r.left + (r.right - r.left - canvas.TextWidth(caption)) / 2;
  canvas.Brush()->SetStyle(bsClear);
  if (images) {
    const int x = r.left + (r.right - r.left - images->Width()) / 2 - (down ? 0 : 1);
    images->Draw(canvas, x, r.top + (down ? 3 : 2), button.ImageIndex(), true);
    if (ShowCaptions()) canvas.TextOut(captionX, r.top + images->Height() + 4, caption);
  } else if (ShowCaptions()) {
    canvas.TextOut(captionX, r.top + (down ? 5 : 4), caption);
  }
  canvas.Brush()->SetStyle(bsSolid);
}

void TkvToolBar::DrawSkinnedButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state, bool& defaultDraw) {
  const bool hot = state.Contains(cdsHot);
  if (!hot && !state.Contains(cdsSelected) && !state.Contains(cdsChecked)) return;
  TImageList* images = HotImages() ? HotImages() : Images();
  DrawFace(canvas, button, images, hot && state.Contains(cdsSelected));
  if (hot && button.Style() == tbsDropDown) {
    const RECT r = button.BoundsRect();
    canvas.Brush()->SetColor(clBlack);
    canvas.Pen()->SetColor(clBlack);
    const int y = r.top + (r.bottom - r.top) / 2;
    int x = r.right - 9;
    FilledTriangle(canvas, {x, y}, {x + 4, y}, {x + 2, y + 2});
    x = r.right - 8;
    FilledTriangle(canvas, {x, y}, {x + 2, y}, {x + 1, y + 1});
    canvas.MoveTo(r.right - 14, r.top);
    canvas.LineTo(r.right - 14, r.bottom);
  }
  defaultDraw = false;
}

}  // namespace kx
