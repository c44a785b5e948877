#include "skin/frame/KVTitleBar.h"

#include <windowsx.h>

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvTitleBar) {
  p.Property("AutoSize", &TkvTitleBar::AutoSize, &TkvTitleBar::SetAutoSize).Default(false);
  p.Property("UIStyle", &TkvTitleBar::UIStyle, &TkvTitleBar::SetUIStyle);
  p.Property("Sections", &TkvTitleBar::Sections, &TkvTitleBar::SetSections);
  p.Property("Buttons", &TkvTitleBar::Buttons, &TkvTitleBar::SetButtons);
  p.Property("ButtonInterval", &TkvTitleBar::ButtonInterval, &TkvTitleBar::SetButtonInterval).Default(0);
  p.Property("FormActive", &TkvTitleBar::FormActive, &TkvTitleBar::SetFormActive).Default(true);
  p.Property("LeftBtnXOffset", &TkvTitleBar::LeftBtnXOffset, &TkvTitleBar::SetLeftBtnXOffset).Default(0);
  p.Property("RightBtnXOffset", &TkvTitleBar::RightBtnXOffset, &TkvTitleBar::SetRightBtnXOffset).Default(0);
  p.Property("DrawAppIcon", &TkvTitleBar::DrawAppIcon, &TkvTitleBar::SetDrawAppIcon).Default(false);
  p.Property("RoundCorner", &TkvTitleBar::RoundCorner, &TkvTitleBar::SetRoundCorner);
  p.Field("OnCustomBtnsClick", &TkvTitleBar::OnCustomBtnsClick);
  p.Field("OnHelpBtnClick", &TkvTitleBar::OnHelpBtnClick);
}

namespace {

struct TitleBarModule {
  TitleBarModule() {
    RegisterClasses(
        {&TkvTitleBar::StaticClass(), &TkvTitleBarSection::StaticClass(), &TkvTitleBarButton::StaticClass()});
  }
} titleBarModule;

}  // namespace

TkvTitleBar::TkvTitleBar(TComponent* owner) : TCustomPanel(owner) {
  controlStyle_ = controlStyle_ - TControlStyle{csAcceptsControls, csSetCaption};
  sections_ = std::make_unique<TkvTitleBarSections>(this);
  buttons_ = std::make_unique<TkvTitleBarButtons>(this);
  for (TkvTitleBarBtnType type : {kvControlBox, kvClose, kvMax, kvMin}) buttons_->Add()->SetButtonType(type);
  SetAlign(alTop);
  SetParentFont(false);
  Font()->SetColor(clWhite);
  Font()->SetName("Tahoma");
  Font()->SetStyle(TFontStyles{fsBold});
  SetUIStyle(FormSkinStyle(owner));
}

TkvTitleBar::~TkvTitleBar() {
  buttons_.reset();
  sections_.reset();
}

TCustomForm* TkvTitleBar::Form() const { return GetParentForm(this); }

TkvTitleBarFrame* TkvTitleBar::Frame() const { return dynamic_cast<TkvTitleBarFrame*>(Parent()); }

bool TkvTitleBar::FormMaximized() const {
  const TCustomForm* form = Form();
  return form && form->WindowState() == wsMaximized;
}

// ---------------------------------------------------------------------------
// Properties

void TkvTitleBar::SetAutoSize(bool on) {
  autoSize_ = on;
  if (sections_->Count() == 0)
    autoSize_ = false;
  else
    SetHeight(sections_->Items(0)->Picture()->Height());
}

void TkvTitleBar::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  sections_->Clear();
  if (style == TkvUIStyle::Custom) {
    Invalidate();
    return;
  }
  auto addSection = [&](int entry) {
    TkvTitleBarSection* section = sections_->Add();
    section->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), ThemeResourceName(style, entry));
    return section;
  };
  addSection(45)->SetAutoSize(true);
  TkvTitleBarSection* right = addSection(47);
  right->SetAutoSize(true);
  right->SetAlign(TkvTitleBarAlign::kvRight);
  addSection(46)->SetAlign(TkvTitleBarAlign::kvClient);
  leftBtnXOffset_ = ThemeInteger(style, 67);
  rightBtnXOffset_ = ThemeInteger(style, 68);
  if (TCustomForm* form = Form()) form->Constraints()->SetMinWidth(ThemeInteger(style, 6));
  roundCorner_ = ThemeInteger(style, 7);
  UpdateFormRegion();
  for (int i = 0; i < buttons_->Count(); ++i) buttons_->Items(i)->SetUIStyle(style);
  SetAutoSize(true);
  Invalidate();
}

void TkvTitleBar::SetButtonInterval(int pixels) {
  buttonInterval_ = pixels;
  Invalidate();
}

void TkvTitleBar::SetFormActive(bool active) {
  formActive_ = active;
  Invalidate();
}

void TkvTitleBar::SetLeftBtnXOffset(int x) {
  leftBtnXOffset_ = x;
  Invalidate();
}

void TkvTitleBar::SetRightBtnXOffset(int x) {
  rightBtnXOffset_ = x;
  Invalidate();
}

void TkvTitleBar::SetDrawAppIcon(bool on) {
  drawAppIcon_ = on;
  Invalidate();
}

void TkvTitleBar::SetRoundCorner(int radius) {
  roundCorner_ = radius;
  UpdateFormRegion();
}

// ---------------------------------------------------------------------------
// Layout and paint

TkvTitleBarLayout TkvTitleBar::Layout(int width) const {
  TkvTitleBarLayout layout;
  int xr = width + 1 + rightBtnXOffset_;
  for (int i = 0; i < buttons_->Count(); ++i) {
    const TkvTitleBarButton& b = *buttons_->Items(i);
    if (!b.Visible()) continue;
    if (b.ButtonType() == kvControlBox) {
      layout.ControlBox = i;
      continue;
    }
    const int w = b.PicNormal()->Width(), h = b.PicNormal()->Height();
    xr -= w + 1 + buttonInterval_;
    layout.Buttons.push_back({i, RECT{xr, b.Top(), xr + w, b.Top() + h}});
  }
  layout.CaptionRight = xr;
  int xl = leftBtnXOffset_;
  if (layout.ControlBox >= 0) {
    const TkvTitleBarButton& b = *buttons_->Items(layout.ControlBox);
    const int w = b.PicNormal()->Width(), h = b.PicNormal()->Height();
    layout.ControlBoxRect = RECT{xl, b.Top(), xl + w, b.Top() + h};
    xl += drawAppIcon_ ? 21 : w + 5;
  }
  layout.CaptionLeft = xl == 0 ? 6 : xl;
  return layout;
}

POINT TkvTitleBar::CursorInBar() const {
  POINT p{};
  GetCursorPos(&p);
  return ScreenToClient(p);
}

void TkvTitleBar::UpdateHover() {
  const POINT cursor = CursorInBar();
  const TkvTitleBarLayout layout = Layout(Width());
  hoverIndex_ = -1;
  for (const auto& place : layout.Buttons)
    if (IsPointInRect(cursor, place.Rect)) hoverIndex_ = place.Index;
  if (layout.ControlBox >= 0 && IsPointInRect(cursor, layout.ControlBoxRect)) hoverIndex_ = layout.ControlBox;
}

void TkvTitleBar::RepaintNow() {
  UpdateHover();
  Repaint();
}

void TkvTitleBar::PaintTo(TBitmap& bmp) {
  bmp.SetSize(Width(), Height());
  bmp.Canvas()->Brush()->SetStyle(bsClear);
  bmp.Canvas()->Font()->Assign(Font());
  DrawSections(bmp);
  DrawButtonsAndCaption(bmp);
}

void TkvTitleBar::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp;
  PaintTo(bmp);
  Canvas()->Draw(0, 0, &bmp);
}

void TkvTitleBar::DrawSections(TBitmap& bmp) {
  TCanvas& c = *bmp.Canvas();
  const int h = bmp.Height();
  auto draw = [&](TkvTitleBarSection& s, const RECT& r) {
    TGraphic* graphic = s.Picture()->Graphic();
    if (!graphic || graphic->Empty()) return;
    if (s.Stretch())
      c.StretchDraw(r, graphic);
    else
      c.CopyRect(r, s.Picture()->Bitmap()->Canvas(), RECT{0, 0, r.right - r.left, h});
  };
  int left = -1, right = bmp.Width() + 1;
  TkvTitleBarSection* client = nullptr;
  for (int i = 0; i < sections_->Count(); ++i) {
    TkvTitleBarSection& s = *sections_->Items(i);
    switch (s.Align()) {
      case TkvTitleBarAlign::kvLeft:
        draw(s, RECT{left + 1, 0, left + 1 + s.Width(), h});
        left += s.Width();
        break;
      case TkvTitleBarAlign::kvRight:
        if (bmp.Width() - left < s.Width()) break;  // the left sections leave no room
        draw(s, RECT{right - 1 - s.Width(), 0, right - 1, h});
        right -= s.Width();
        break;
      case TkvTitleBarAlign::kvClient:
        client = &s;
        break;
    }
  }
  if (client && client->Picture()->Graphic())
    c.StretchDraw(RECT{left + 1, 0, right - 1, h}, client->Picture()->Graphic());
}

void TkvTitleBar::DrawButtonsAndCaption(TBitmap& bmp) {
  TCanvas& c = *bmp.Canvas();
  UpdateHover();
  const TkvTitleBarLayout layout = Layout(bmp.Width());
  auto drawButton = [&](int index, int x) {
    TkvTitleBarButton& b = *buttons_->Items(index);
    TPicture* picture = index != hoverIndex_ ? b.PicNormal() : pressed_ ? b.PicMouseDown() : b.PicMouseOn();
    // A state without a picture of its own shows the normal one.
    if (!picture->Graphic() || picture->Graphic()->Empty()) picture = b.PicNormal();
    auto* bitmap = dynamic_cast<TBitmap*>(picture->Graphic());
    if (!bitmap || bitmap->Empty()) return;
    TBitmap scratch;
    scratch.Assign(bitmap);
    scratch.SetTransparentMode(tmAuto);
    scratch.SetTransparent(b.Transparent());
    c.Draw(x, b.Top(), &scratch);
  };
  for (const auto& place : layout.Buttons) drawButton(place.Index, place.Rect.left);
  if (layout.ControlBox >= 0) {
    if (drawAppIcon_) {
      const int size = 16;
      auto icon = static_cast<HICON>(
          LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      if (icon) {
        DrawIconEx(c.Handle(), layout.ControlBoxRect.left + 3, layout.ControlBoxRect.top, icon, size, size, 0, nullptr,
                   DI_NORMAL);
        DestroyIcon(icon);
      }
    } else {
      drawButton(layout.ControlBox, layout.ControlBoxRect.left);
    }
  }

  const TColor color = !formActive_                    ? ColorToRGB(clInactiveCaption)
                       : uiStyle_ == TkvUIStyle::MacOS ? clBlack
                                                       : Font()->Color();
  c.Font()->Assign(Font());
  c.Font()->SetColor(color);
  c.Brush()->SetStyle(bsClear);
  std::string text = Caption();
  if (c.TextWidth(text) > layout.CaptionRight - layout.CaptionLeft) text = text.substr(0, 2) + "...";
  const int y = uiStyle_ == TkvUIStyle::DeepBlue ? 4 : (bmp.Height() - c.TextHeight(text)) / 2;
  c.TextOut(layout.CaptionLeft, y, text);
}

// ---------------------------------------------------------------------------
// Mouse and messages

void TkvTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  pressed_ = true;
  RepaintNow();
  TCustomForm* form = Form();
  if (hoverIndex_ == -1 && form && form->WindowState() != wsMaximized) {
    // The platform moves the window with the mouse until the button comes up.
    SetMouseCapture(false);
    SendMessageA(form->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    pressed_ = false;
  }
}

void TkvTitleBar::MouseMove(TShiftState shift, int x, int y) {
  TCustomPanel::MouseMove(shift, x, y);
  RepaintNow();
}

void TkvTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseUp(button, shift, x, y);
  if (button != mbLeft) return;
  UpdateHover();
  if (const int index = hoverIndex_; index >= 0) {
    TkvTitleBarButton& b = *buttons_->Items(index);
    const TkvTitleBarBtnType type = b.ButtonType();
    PerformTitleButton(b);
    // The handler may free the form, and this bar with it: then the message
    // stops here.
    TFreedWatch watch(*this);
    if (OnCustomBtnsClick && type == kvCustom)
      OnCustomBtnsClick(this, index);
    else if (OnHelpBtnClick && type == kvHelp)
      OnHelpBtnClick(this, index);
    if (watch.freed) return;
  }
  pressed_ = false;
  RepaintNow();
}

void TkvTitleBar::DblClick() {
  TCustomPanel::DblClick();
  UpdateHover();
  if (hoverIndex_ != -1) return;
  for (int i = 0; i < buttons_->Count(); ++i)
    if (buttons_->Items(i)->ButtonType() == kvMax) {
      PerformTitleButton(*buttons_->Items(i));
      return;
    }
}

void TkvTitleBar::PerformTitleButton(TkvTitleBarButton& button) {
  TCustomForm* form = Form();
  if (!form) return;
  const RECT area = QueryDesktopWorkArea();
  form->Constraints()->SetMaxHeight(area.bottom - area.top);
  form->Constraints()->SetMaxWidth(area.right - area.left);
  switch (button.ButtonType()) {
    case kvMax:
      if (form->WindowState() == wsMaximized) {
        form->SetWindowState(wsNormal);
      } else {
        form->SetWindowState(wsMaximized);
        if (Frame()) {
          form->SetLeft(area.left);
          form->SetTop(area.top);
        }
      }
      if (button.UIStyle() == TkvUIStyle::WinXP) button.UpdateMaxRestorePictures();
      UpdateFormRegion();
      break;
    case kvMin:
      if (Application && form == Application->MainForm())
        SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      else
        ShowWindow(form->Handle(), SW_SHOWMINIMIZED);
      break;
    case kvClose:
      form->Close();  // a form freed by closing goes through a posted message
      break;
    case kvControlBox:
      if (TPopupMenu* menu = button.ControlBoxMenu()) {
        const POINT p = ClientToScreen(POINT{0, Height()});
        menu->Popup(p.x, p.y);
      }
      break;
    case kvHelp:
    case kvCustom:
      break;  // their events follow the release
  }
}

void TkvTitleBar::HitTest(TMessage& m) {
  TkvTitleBarFrame* frame = Frame();
  TCustomForm* form = Form();
  if (!form || form->WindowState() == wsMaximized || !frame || frame->OriginalBorderStyle() != bsSizeable) return;
  const POINT p = ScreenToClient(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  if (p.y >= 5) return;
  m.Result = p.x < 5 ? HTTOPLEFT : p.x > form->ClientWidth() - 5 ? HTTOPRIGHT : HTTOP;
}

void TkvTitleBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // the paint covers every pixel
      return;
    case WM_NCHITTEST:
      TCustomPanel::WndProc(m);
      HitTest(m);
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
      // The form's own window sizes it from the bar's top band.
      if (TCustomForm* form = Form()) {
        m.Result = SendMessageA(form->Handle(), m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
      TCustomPanel::WndProc(m);
      Invalidate();
      return;
    case CM_MOUSELEAVE:
      TCustomPanel::WndProc(m);
      RepaintNow();
      return;
    default:
      break;
  }
  TCustomPanel::WndProc(m);
}

void TkvTitleBar::Notification(TComponent* component, TOperation operation) {
  TCustomPanel::Notification(component, operation);
  if (operation != opRemove || !buttons_) return;
  for (int i = 0; i < buttons_->Count(); ++i)
    if (buttons_->Items(i)->controlBoxMenu_ == component) buttons_->Items(i)->controlBoxMenu_ = nullptr;
}

// ---------------------------------------------------------------------------
// Window region

void TkvTitleBar::UpdateFormRegion() {
  if (Frame()) ApplyRoundCornerRegion(*this, roundCorner_);
}

HRGN RoundCornerRegion(int clientWidth, int clientHeight, int radius) {
  HRGN region = CreateRoundRectRgn(0, 0, clientWidth + 1, clientHeight + 1, radius, radius);
  const int d = 2 * radius;
  for (const RECT& square : {RECT{0, clientHeight - d, d, clientHeight},
                             RECT{clientWidth - d, clientHeight - d, clientWidth, clientHeight}}) {
    TGdiHandle<HRGN> corner(CreateRectRgnIndirect(&square));
    CombineRgn(region, region, corner.Get(), RGN_OR);
  }
  return region;
}

void ApplyRoundCornerRegion(TkvTitleBar& bar, int radius) {
  TCustomForm* form = GetParentForm(&bar);
  if (!form || !form->HandleAllocated()) return;
  SetWindowRgn(form->Handle(), RoundCornerRegion(form->ClientWidth(), form->ClientHeight(), radius), TRUE);
}

}  // namespace kx
