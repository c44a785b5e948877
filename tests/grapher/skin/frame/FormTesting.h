// Helpers of the skinned frame's tests.
#pragma once

#include <windows.h>

#include "framework/windows/Controls.h"
#include "framework/windows/Graphics.h"
#include "TextPictures.h"

namespace formtesting {

inline kx::TColor PixelOf(kx::TBitmap& b, int x, int y) { return b.Canvas()->Pixel(x, y) & 0xFFFFFF; }

using testsupport::OnScreen;

inline RECT WindowRect(kx::TWinControl& control) {
  RECT r{};
  GetWindowRect(control.Handle(), &r);
  return r;
}

// What the host's window answers for a point of its client area.
inline LRESULT HitTest(kx::TWinControl& host, POINT client) {
  const POINT s = host.ClientToScreen(client);
  return SendMessageA(host.Handle(), WM_NCHITTEST, 0, MAKELPARAM(s.x, s.y));
}

}  // namespace formtesting
