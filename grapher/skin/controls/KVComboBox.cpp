#include "skin/controls/KVComboBox.h"

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvCustomComboBox) {
  p.Property("UIStyle", &TkvCustomComboBox::UIStyle, &TkvCustomComboBox::SetUIStyle);
  p.Color("BorderColor", &TkvCustomComboBox::BorderColor, &TkvCustomComboBox::SetBorderColor);
  p.Color("ArrowColor", &TkvCustomComboBox::ArrowColor, &TkvCustomComboBox::SetArrowColor);
  p.Color("ButtonColor", &TkvCustomComboBox::ButtonColor, &TkvCustomComboBox::SetButtonColor);
}

KX_PUBLISH(TkvComboBox) {}

namespace {

struct ComboBoxModule {
  ComboBoxModule() { RegisterClasses({&TkvComboBox::StaticClass()}); }
} comboBoxModule;

void FilledTriangle(TCanvas& canvas, TColor color, int x, int y) {
  canvas.Brush()->SetColor(color);
  canvas.Pen()->SetColor(color);
  canvas.Polygon({{x, y}, {x + 6, y}, {x + 3, y + 3}});
}

}  // namespace

void PaintComboButton(TCanvas& canvas, const RECT& button, TkvUIStyle style, TColor buttonColor, TColor arrowColor,
                      bool enabled) {
  if (style == TkvUIStyle::MacOS) {
    TBitmap picture;
    picture.LoadFromResourceName(GetModuleHandleA(nullptr), "MACOS_COMBOBOX_BUTTON");
    canvas.StretchDraw(button, &picture);
  } else {
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(buttonColor);
    canvas.FillRect(button);
  }
  const int x = button.left + (button.right - button.left) / 2 - 4;
  const int y = (button.bottom - button.top) / 2;
  canvas.Brush()->SetStyle(bsSolid);
  if (enabled) {
    FilledTriangle(canvas, arrowColor, x, y);
  } else {
    FilledTriangle(canvas, clWhite, x + 1, y + 1);
    FilledTriangle(canvas, 0x808080, x, y);
  }
}

TkvCustomComboBox::TkvCustomComboBox(TComponent* owner) : TComboBox(owner) {
  controlStyle_.Include(csOpaque);
  SetUIStyle(FormSkinStyle(owner));
}

void TkvCustomComboBox::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  buttonColor_ = ThemeColor(style, 74);
  arrowColor_ = ThemeColor(style, 8);
  borderColor_ = ThemeColor(style, 8);
  Repaint();
}

void TkvCustomComboBox::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvCustomComboBox::SetButtonColor(TColor color) {
  buttonColor_ = color;
  Repaint();
}

void TkvCustomComboBox::SetArrowColor(TColor color) {
  arrowColor_ = color;
  Repaint();
}

void TkvCustomComboBox::SetEnabled(bool enabled) {
  TComboBox::SetEnabled(enabled);
  Repaint();
}

void TkvCustomComboBox::DrawSkin() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(wnd, &info)) {
    HDC dc = GetDC(wnd);
    TCanvas canvas;
    {
      TCanvasOnDC on(canvas, dc);
      PaintComboButton(canvas, info.rcButton, uiStyle_, buttonColor_, arrowColor_, Enabled());
    }
    ReleaseDC(wnd, dc);
  }
  FrameControlWindow(*this, borderColor_, Color());
}

void TkvCustomComboBox::CreateWindowHandle(const TCreateParams& params) {
  TComboBox::CreateWindowHandle(params);
  // The owner-drawn item height asked for before the window existed (a form
  // resource sets it first): the native box measured its items without it.
  if (HandleAllocated() && Style() >= csOwnerDrawFixed) SetItemHeight(ItemHeight());
}

void TkvCustomComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      TComboBox::WndProc(m);
      DrawSkin();
      return;
    case WM_ERASEBKGND:
      TComboBox::WndProc(m);
      if (HandleAllocated()) FrameControlWindow(*this, borderColor_, Color());
      return;
    default:
      TComboBox::WndProc(m);
  }
}

void TkvCustomComboBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  if (index < 0 || index >= Items()->Count()) {
    Canvas()->FillRect(rect);
    return;
  }
  TComboBox::DrawItem(index, rect, state);
}

}  // namespace kx
