// Frames of the test road's screens. A frame paints only its edge and caption,
// and a screen clips its controls out of what it paints itself: without help
// nothing would ever repaint a frame's inside (a moved button, a closed
// message box would stay there). A frame the screen paints through has its
// inside painted by the screen.
#pragma once

#include <windows.h>

#include "runtime/Controls.h"

namespace tq {

inline void PaintThrough(Frame& frame) {
  const LONG style = GetWindowLongW(frame.Hwnd(), GWL_EXSTYLE);
  SetWindowLongW(frame.Hwnd(), GWL_EXSTYLE, style | WS_EX_TRANSPARENT);
}

}  // namespace tq
