// The look of the test road's screens: their Verdana, and frames that the
// screen paints through.
#pragma once

#include <windows.h>

#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace tq {

// A frame paints only its edge and caption, and a screen clips its controls
// out of what it paints itself: without help nothing would ever repaint a
// frame's inside (a moved button, a closed message box would stay there). A
// frame the screen paints through has its inside painted by the screen.
inline void PaintThrough(Frame& frame) {
  const LONG style = GetWindowLongW(frame.Hwnd(), GWL_EXSTYLE);
  SetWindowLongW(frame.Hwnd(), GWL_EXSTYLE, style | WS_EX_TRANSPARENT);
}

// Gives the screen the outer size for a client area of the given twips,
// centred on the screen.
inline void SizeForClient(Form& form, int width, int height) {
  RECT outer{0, 0, PixelsFromTwipsX(width), PixelsFromTwipsY(height)};
  AdjustWindowRectEx(&outer, GetWindowLongW(form.Hwnd(), GWL_STYLE), FALSE, GetWindowLongW(form.Hwnd(), GWL_EXSTYLE));
  const int outerWidth = (outer.right - outer.left) * TwipsPerPixelX();
  const int outerHeight = (outer.bottom - outer.top) * TwipsPerPixelY();
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX();
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
  form.Move((screenWidth - outerWidth) / 2, (screenHeight - outerHeight) / 2, outerWidth, outerHeight);
}

// The screens' font, Verdana of 8 points, for the whole run.
class ScreenFont {
 public:
  ScreenFont()
      : font_(CreateFontW(-MulDiv(8, PixelsFromTwipsY(1440), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                          L"Verdana")) {}
  ~ScreenFont() {
    if (font_) DeleteObject(font_);
  }
  ScreenFont(const ScreenFont&) = delete;
  ScreenFont& operator=(const ScreenFont&) = delete;

  // Every control of the screen takes it.
  void Apply(const Form& form) const {
    if (font_) EnumChildWindows(form.Hwnd(), SetOn, reinterpret_cast<LPARAM>(font_));
  }

 private:
  static BOOL CALLBACK SetOn(HWND wnd, LPARAM font) {
    SendMessageW(wnd, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
  }

  HFONT font_;
};

}  // namespace tq
