// What every bordered control shares: the native border is removed, a band
// of a few pixels is kept round the client area, and after every paint the
// control draws its frame over that band. The edit, the memo, the list
// boxes and the list and tree views use the helpers.
#pragma once

#include <windows.h>

#include <algorithm>

#include "framework/windows/Controls.h"

namespace kx {

namespace kvborder {

// The window is made without the native sunken edge.
void RemoveNativeBorder(TCreateParams& params);
// The band is asked for while the window is made, before this framework
// hooks it: ask the window to measure its frame again.
void RemeasureFrame(TWinControl& control);
// For WM_NCCALCSIZE, WM_NCPAINT, WM_PAINT and WM_ERASEBKGND: runs the
// inherited handling, then takes the band out of the client area or draws
// the frame. Returns false (and does nothing) for any other message.
template <class Inherited, class Frame>
bool HandleMessage(TMessage& m, int band, Inherited inherited, Frame frame) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      inherited();
      RECT& client = *reinterpret_cast<RECT*>(m.LParam);
      client.left += band;
      client.top += band;
      client.right = std::max(client.left, client.right - band);
      client.bottom = std::max(client.top, client.bottom - band);
      return true;
    }
    case WM_NCPAINT:
    case WM_PAINT:
    case WM_ERASEBKGND:
      inherited();
      frame();
      return true;
    default:
      return false;
  }
}

}  // namespace kvborder

}  // namespace kx
