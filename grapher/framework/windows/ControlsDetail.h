// State shared by the control modules: which control holds the mouse
// capture and which one the mouse is over.
#pragma once

#include <windows.h>

namespace kx {

class TControl;

namespace controls_detail {

extern TControl* g_captureControl;  // control holding the mouse capture
extern TControl* g_mouseControl;    // control under the mouse

// Moves "under the mouse" to `control`, with leave and enter notifications.
void SetMouseControl(TControl* control);

inline bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }

}  // namespace controls_detail
}  // namespace kx
