// Reading order and 3D look with their inheritance from the parent, the
// constrained-resize, context-popup and mouse-wheel events, and the child
// controls a form-resource writer stores inside their parent.
#include "framework/windows/Controls.h"

#include <algorithm>

namespace kx {

void TControl::SetBiDiMode(TBiDiMode mode) {
  parentBiDiMode_ = false;
  if (mode == biDiMode_) return;
  biDiMode_ = mode;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool on) {
  if (on == parentBiDiMode_) return;
  parentBiDiMode_ = on;
  if (on && parent_) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::SetCtl3D(bool on) {
  parentCtl3D_ = false;
  if (on == ctl3D_) return;
  ctl3D_ = on;
  Perform(CM_CTL3DCHANGED);
}

void TControl::SetParentCtl3D(bool on) {
  if (on == parentCtl3D_) return;
  parentCtl3D_ = on;
  if (on && parent_) Perform(CM_PARENTCTL3DCHANGED);
}

void TControl::InheritMode(UINT msg) {
  if (!parent_) return;
  if (msg == CM_PARENTBIDIMODECHANGED && parentBiDiMode_) {
    SetBiDiMode(parent_->BiDiMode());
    parentBiDiMode_ = true;
  } else if (msg == CM_PARENTCTL3DCHANGED && parentCtl3D_) {
    SetCtl3D(parent_->Ctl3D());
    parentCtl3D_ = true;
  }
}

void TControl::ModeChanged(UINT) { Invalidate(); }

namespace {

// The extended window styles of a reading order.
DWORD BiDiExStyle(TBiDiMode mode) {
  switch (mode) {
    case bdRightToLeft:
      return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
    case bdRightToLeftNoAlign:
      return WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    case bdRightToLeftReadingOnly:
      return WS_EX_RTLREADING;
    default:
      return 0;
  }
}

}  // namespace

DWORD TWinControl::ModeExStyle() const { return BiDiExStyle(BiDiMode()); }

void TWinControl::ModeChanged(UINT msg) {
  if (msg == CM_BIDIMODECHANGED && wnd_) {
    constexpr DWORD kBiDiBits = WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT;
    const LONG_PTR exStyle = GetWindowLongPtrA(wnd_, GWL_EXSTYLE);
    SetWindowLongPtrA(wnd_, GWL_EXSTYLE, (exStyle & ~LONG_PTR(kBiDiBits)) | LONG_PTR(ModeExStyle()));
  }
  NotifyControls(msg == CM_BIDIMODECHANGED ? CM_PARENTBIDIMODECHANGED : CM_PARENTCTL3DCHANGED);
  TControl::ModeChanged(msg);
}

void TControl::ConstrainedResize(int& width, int& height) {
  int minWidth = constraints_->MinWidth(), minHeight = constraints_->MinHeight();
  int maxWidth = constraints_->MaxWidth(), maxHeight = constraints_->MaxHeight();
  OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
  if (maxWidth > 0) width = std::min(width, maxWidth);
  if (maxHeight > 0) height = std::min(height, maxHeight);
  width = std::max(width, minWidth);
  height = std::max(height, minHeight);
}

bool TControl::DoContextPopup(POINT mousePos) {
  bool handled = false;
  OnContextPopup(this, mousePos, handled);
  return handled;
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
  bool handled = false;
  OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  if (handled) return true;
  if (wheelDelta < 0)
    OnMouseWheelDown(this, shift, mousePos, handled);
  else if (wheelDelta > 0)
    OnMouseWheelUp(this, shift, mousePos, handled);
  return handled;
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  // The root's own components without a parent come first (menus, lists,
  // timers), as the reader creates them in stream order.
  TComponent::GetChildren(proc, root);
  for (TControl* c : std::vector<TControl*>(controls_))
    if (c->Owner() == root) proc(c);
}

}  // namespace kx
