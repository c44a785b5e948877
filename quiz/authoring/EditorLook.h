// The look of the bank editor and its question screens: fonts by face, size
// and weight, and the layout values that come in two sizes.
#pragma once

#include <windows.h>

#include "authoring/mdlMain.h"
#include "runtime/Controls.h"
#include "runtime/Form.h"

namespace tq {

// One font for the whole run; sizes in quarter points (9.75 point is 39).
class LookFont {
 public:
  LookFont(const wchar_t* face, int quarterPoints, bool bold)
      : font_(CreateFontW(-MulDiv(quarterPoints, PixelsFromTwipsY(1440), 72 * 4), 0, 0, 0,
                          bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face)) {}
  ~LookFont() {
    if (font_) DeleteObject(font_);
  }
  LookFont(const LookFont&) = delete;
  LookFont& operator=(const LookFont&) = delete;

  void Apply(const Control& control) const {
    if (font_ && control.Hwnd()) SendMessageW(control.Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  // Every control of a screen.
  void ApplyAll(const Form& form) const {
    if (font_) EnumChildWindows(form.Hwnd(), SetOn, reinterpret_cast<LPARAM>(font_));
  }

 private:
  static BOOL CALLBACK SetOn(HWND wnd, LPARAM font) {
    SendMessageW(wnd, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
  }
  HFONT font_;
};

// One layout value: the 800 x 600 value, then the 1024 x 768 one.
struct Place {
  int small, large;
  int Of(bool smallLayout) const { return smallLayout ? small : large; }
};

// The screens open maximized: the whole work area.
inline void FillWorkArea(Form& form) {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int barHeight = GetMenu(form.Hwnd()) ? GetSystemMetrics(SM_CYMENU) : 0;
  form.Move(work.left * TwipsPerPixelX(), work.top * TwipsPerPixelY(), (work.right - work.left) * TwipsPerPixelX(),
            (work.bottom - work.top - barHeight) * TwipsPerPixelY());
}

}  // namespace tq
