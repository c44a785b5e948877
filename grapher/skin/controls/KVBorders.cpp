#include "skin/controls/KVBorders.h"

#include <commctrl.h>

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

namespace kvborder {

void RemoveNativeBorder(TCreateParams& params) {
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void RemeasureFrame(TWinControl& control) {
  if (!control.HandleAllocated()) return;
  SetWindowPos(control.Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvborder

// ---------------------------------------------------------------------------
// TkvFramedNative

TkvFramedNative::TkvFramedNative(TComponent* owner, DWORD commonClasses, const char* className, DWORD style)
    : TWinControl(owner), commonClasses_(commonClasses), className_(className), style_(style) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvFramedNative::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvFramedNative::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  INITCOMMONCONTROLSEX classes{sizeof classes, commonClasses_};
  InitCommonControlsEx(&classes);
  params.WinClassName = className_;
  params.Style |= style_;
  kvborder::RemoveNativeBorder(params);
}

void TkvFramedNative::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvFramedNative::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TWinControl::WndProc(m); }, [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TWinControl::WndProc(m);
}

}  // namespace kx
