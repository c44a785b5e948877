// The look of the test road's screens: their Verdana, and frames that the
// screen paints through.
#pragma once

#include <windows.h>

#include "authoring/EditorLook.h"
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
class ScreenFont : public LookFont {
 public:
  ScreenFont() : LookFont(L"Verdana", 32, false) {}
  // Every control of the screen takes it.
  void Apply(const Form& form) const { ApplyAll(form); }
};

}  // namespace tq
