#include "skin/controls/KVLinkedBars.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

namespace {

// SB_THUMBPOSITION carries a position in 16 bits.
constexpr int kLargestThumbPosition = 0xFFFF;

}  // namespace

TkvLinkedBars::TkvLinkedBars(TWinControl& control, bool memo) : control_(control), memo_(memo) {}

bool TkvLinkedBars::Link(bool vertical, TkvScrollBar* bar) {
  TkvScrollBar*& linked = vertical ? vBar_ : hBar_;
  if (bar == linked) return false;
  if (linked) {
    linked->SetOnChange(TNotifyEvent());
    linked->SetLineButton(0);
    linked->SetMax(100);
    linked->SetEnabled(true);
    linked->RemoveFreeNotification(&control_);
  }
  linked = bar;
  if (!bar) return true;
  bar->FreeNotification(&control_);
  bar->SetOrientation(vertical ? kvVertical : kvHorizontal);
  bar->SetOnChange(TNotifyEvent([this, vertical](TObject*) {
    if (!syncing_) ScrollNative(vertical);
  }));
  bar->BringToFront();
  return true;
}

void TkvLinkedBars::Forget(TComponent* component) {
  if (component == vBar_) vBar_ = nullptr;
  if (component == hBar_) hBar_ = nullptr;
}

void TkvLinkedBars::Place() {
  const int L = control_.Left(), T = control_.Top(), W = control_.Width(), H = control_.Height();
  if (memo_) {
    if (hBar_) {
      const int width = W - 1 - (vBar_ ? vBar_->Width() : 0);
      hBar_->SetBounds(L + 1, T + H - hBar_->Height() - 2, width, hBar_->Height());
    }
    if (vBar_) {
      const int height = H - 1 - (hBar_ ? hBar_->Height() : 0);
      vBar_->SetBounds(L + W - vBar_->Width() - 2, T + 1, vBar_->Width(), height);
    }
  } else if (vBar_) {
    vBar_->SetBounds(L + W - vBar_->Width() - 2, T + 1, vBar_->Width(), H - 2);
  }
  Sync();
}

void TkvLinkedBars::Sync() {
  if (!control_.HandleAllocated() || control_.IsDestroying()) return;
  syncing_ = true;
  try {
    if (hBar_) SyncBar(*hBar_, false);
    if (vBar_) SyncBar(*vBar_, true);
  } catch (...) {
    syncing_ = false;
    throw;
  }
  syncing_ = false;
}

void TkvLinkedBars::SyncBar(TkvScrollBar& bar, bool vertical) {
  HWND wnd = control_.Handle();
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  const bool known = GetScrollBarInfo(wnd, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_ALL;
  if (!GetScrollInfo(wnd, vertical ? SB_VERT : SB_HORZ, &range)) range = SCROLLINFO{};
  // The state word of the whole bar says whether it is hidden or has
  // nothing to scroll. Without it, the window style tells whether the bar
  // is shown and the range whether it can scroll.
  bool off;
  if (known) {
    off = (info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) != 0;
  } else {
    const bool shown = (GetWindowLongPtrA(wnd, GWL_STYLE) & (vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
    const int page = static_cast<int>(std::max<UINT>(range.nPage, 1));
    off = !shown || range.nMax - range.nMin + 1 <= page;
  }
  if (off) {
    bar.SetLineButton(0);
    bar.SetEnabled(false);
    if (memo_)
      SetScrollThumbVisible(bar, false);
    else
      bar.SetVisible(false);
  } else {
    bar.SetLineButton(known ? std::abs(info.xyThumbBottom - info.xyThumbTop) : 0);
    bar.SetEnabled(true);
    if (memo_)
      SetScrollThumbVisible(bar, true);
    else
      bar.SetVisible(true);
  }
  bar.SetMax(range.nMax - static_cast<int>(range.nPage) + 1);
  bar.SetMin(range.nMin);
  bar.SetPosition(range.nPos);
}

void TkvLinkedBars::ScrollNative(bool vertical) {
  TkvScrollBar* bar = Bar(vertical);
  if (!bar || !control_.HandleAllocated()) return;
  HWND wnd = control_.Handle();
  const int position = bar->Position();
  if (position <= kLargestThumbPosition || !vertical) {
    const int sent = std::clamp(position, 0, kLargestThumbPosition);
    SendMessageA(wnd, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, sent), 0);
  } else if (memo_) {
    // Beyond 16 bits: messages that take the whole position.
    const LRESULT first = SendMessageA(wnd, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageA(wnd, EM_LINESCROLL, 0, position - first);
    Sync();
  } else {
    SendMessageA(wnd, LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
    Sync();
  }
  control_.Invalidate();
}

void TkvLinkedBars::AfterMessage(const TMessage& m) {
  if (!vBar_ && !hBar_) return;
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      mouseDown_ = true;
      Sync();
      return;
    case WM_LBUTTONUP:
      mouseDown_ = false;
      return;
    case WM_MOUSEMOVE:
      if (mouseDown_) Sync();
      return;
    case WM_MOVE:
    case WM_SIZE:
      Place();
      return;
    case CM_ENABLEDCHANGED:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_VSCROLL:
    case WM_HSCROLL:
      Sync();
      return;
    default:
      break;
  }
  if (memo_) {
    // Typed text changes the range too, after the key went down.
    switch (m.Msg) {
      case WM_CUT:
      case WM_PASTE:
      case WM_CLEAR:
      case WM_UNDO:
      case WM_SETTEXT:
      case WM_CHAR:
        Sync();
        return;
      default:
        return;
    }
  }
  switch (m.Msg) {
    // The framework fills the native list with redrawing off; the list
    // measures its scroll bar when redrawing is switched on again.
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_SETCOUNT:
    case LB_RESETCONTENT:
    case WM_DELETEITEM:
    case WM_SETREDRAW:
      Sync();
      return;
    default:
      return;
  }
}

}  // namespace kx
