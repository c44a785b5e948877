// The skinned frame's menu bar: a flat tool bar under the title bar whose
// buttons stand for the top-level items of the frame's menu, drawn in the
// menu's style and font.
#include <utility>

#include "skin/controls/KVMenu.h"
#include "skin/frame/KVForm.h"

namespace kx {

void TkvForm::SetMenuBarColor(TColor color) {
  menuBarColor_ = color;
  if (menuBar_) menuBar_->SetColor(color);
}

void TkvForm::SetMenuBarHeight(int pixels) {
  menuBarHeight_ = pixels;
  if (!menuBar_) return;
  menuBar_->SetHeight(pixels);
  menuBar_->SetButtonHeight(pixels);
}

void TkvForm::CreateMenuBar() {
  if (menuBar_) return;
  menuBar_ = new TToolBar(this);
  menuBar_->SetParent(this);
  menuBar_->SetFlat(true);
  menuBar_->SetEdgeInner(esNone);
  menuBar_->SetEdgeOuter(esNone);
  menuBar_->SetShowCaptions(true);
  menuBar_->SetHeight(menuBarHeight_);
  menuBar_->SetButtonHeight(menuBarHeight_);
  menuBar_->SetColor(menuBarColor_);
  menuBar_->OnCustomDrawButton = TToolBarCustomDrawButtonEvent(
      [this](TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
        DrawMenuBarButton(*bar->Canvas(), *button, state, defaultDraw);
      });
  menuBar_->OnCustomDraw =
      TToolBarCustomDrawEvent([this](TToolBar* bar, RECT rect, bool&) { DrawMenuBarBackground(*bar->Canvas(), rect); });
  // The title bar stays at the top, the menu bar under it.
  if (titleBar_) titleBar_->SetTop(0);
}

void TkvForm::DestroyMenuBar() {
  delete std::exchange(menuBar_, nullptr);
  if (menu_) SetMenu(nullptr);
}

void TkvForm::RebuildMenuBar() {
  if (!menuBar_) return;
  if (!menu_) {
    DestroyMenuBar();
    return;
  }
  while (menuBar_->ButtonCount() > 0) delete menuBar_->Buttons(menuBar_->ButtonCount() - 1);
  // The buttons are measured in the font they are drawn in.
  ApplyMenuFontToBar();
  const TMenuItem& items = *menu_->Items();
  for (int i = 0; i < items.Count(); ++i) {
    auto* button = new TToolButton(this);
    button->SetParent(menuBar_);
    button->SetGrouped(true);
    button->SetMenuItem(items.Items(i));
    button->SetAutoSize(true);
  }
}

void TkvForm::RefreshMenuBarButtons() {
  if (!menuBar_) return;
  for (int i = 0; i < menuBar_->ButtonCount(); ++i) {
    TToolButton& button = *menuBar_->Buttons(i);
    if (const TMenuItem* item = button.MenuItem()) {
      button.SetCaption(item->Caption());
      button.SetEnabled(item->Enabled());
    }
  }
}

void TkvForm::ApplyMenuFontToBar() {
  if (!menuBar_ || !menu_) return;
  if (auto* menu = dynamic_cast<TkvMenuLook*>(menu_)) {
    TFont& font = *menuBar_->Font();
    if (menu->UseSystemFont()) {
      UseSystemMenuFont(font);
    } else {
      font.SetName(menu->FontName());
      font.SetSize(menu->FontSize());
      font.SetCharset(menu->FontCharset());
    }
  }
  menuBar_->Invalidate();
}

TkvUIStyle TkvForm::MenuBarStyle() const {
  if (auto* menu = dynamic_cast<TkvMenuLook*>(menu_)) return menu->UIStyle();
  return uiStyle_;
}

void TkvForm::TakeMenuFont(TFont& font) const {
  auto* menu = dynamic_cast<TkvMenuLook*>(menu_);
  if (!menu) return;
  if (menu->UseSystemFont()) {
    UseSystemMenuFont(font);
    return;
  }
  font.SetName(menu->FontName());
  font.SetSize(menu->FontSize());
  font.SetCharset(menu->FontCharset());
  font.SetColor(menu->FontColor());
}

void TkvForm::DrawMenuBarBackground(TCanvas& canvas, const RECT& rect) {
  if (MenuBarStyle() != TkvUIStyle::MacOS) return;
  TBitmap picture;
  picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_BAR");
  canvas.StretchDraw(rect, &picture);
}

void TkvForm::DrawMenuBarButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state, bool& defaultDraw) {
  const TkvUIStyle style = MenuBarStyle();
  TakeMenuFont(*canvas.Font());
  const bool selected = state.Contains(cdsSelected);
  if (!selected && !state.Contains(cdsHot)) return;
  defaultDraw = false;
  const unsigned kCaption = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  RECT r = button.BoundsRect();
  if (style == TkvUIStyle::MacOS) {
    TBitmap face, picture;
    face.SetSize(r.right - r.left, r.bottom - r.top);
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_MENU_SELECT");
    RECT area{0, 0, face.Width(), face.Height()};
    face.Canvas()->StretchDraw(area, &picture);
    face.Canvas()->Brush()->SetStyle(bsClear);
    face.Canvas()->Font()->Assign(canvas.Font());
    face.Canvas()->Font()->SetColor(ThemeColor(style, 13));
    face.Canvas()->TextRect(area, button.Caption(), kCaption);
    canvas.Draw(r.left, r.top, &face);
    return;
  }
  if (selected) r.right -= 2;
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(ThemeColor(style, 12));
  canvas.FillRect(r);
  canvas.Brush()->SetColor(ThemeColor(style, 11));
  canvas.FrameRect(r);
  if (selected) r.left += 2;
  r.top += 2;
  canvas.Brush()->SetStyle(bsClear);
  canvas.Font()->SetColor(ThemeColor(style, 13));
  canvas.TextRect(r, button.Caption(), kCaption);
  canvas.Brush()->SetStyle(bsSolid);
}

}  // namespace kx
