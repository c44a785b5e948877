#include "framework/windows/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

namespace kx {

KX_PUBLISH(TUpDown) {
  p.Property("AlignButton", &TUpDown::AlignButton, &TUpDown::SetAlignButton);
  p.Property("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
  p.Property("Increment", &TUpDown::Increment, &TUpDown::SetIncrement);
  p.Property("Max", &TUpDown::Max, &TUpDown::SetMax);
  p.Property("Min", &TUpDown::Min, &TUpDown::SetMin);
  p.Property("Position", &TUpDown::Position, &TUpDown::SetPosition);
  p.Property("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap);
  p.Field("OnChanging", &TUpDown::OnChanging);
  p.Field("OnClick", &TUpDown::OnClick);
}

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = controlStyle_ - TControlStyle{csClickEvents, csDoubleClicks};
  SetBounds(0, 0, 15, 25);
}

void TUpDown::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = UPDOWN_CLASSA;
  params.Style |= UDS_ARROWKEYS | UDS_NOTHOUSANDS;
  if (wrap_) params.Style |= UDS_WRAP;
}

void TUpDown::CreateWindowHandle(const TCreateParams& params) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&icc) != 0;
  }();
  (void)registered;
  TWinControl::CreateWindowHandle(params);
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageA(Handle(), UDM_SETPOS32, 0, position_);
}

void TUpDown::SetMin(int v) {
  min_ = v;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

void TUpDown::SetMax(int v) {
  max_ = v;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
}

int TUpDown::Position() const { return position_; }

void TUpDown::SetPosition(int v) {
  if (!IsLoading()) v = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
  position_ = v;
  if (HandleAllocated()) SendMessageA(Handle(), UDM_SETPOS32, 0, v);
  UpdateAssociate();
}

void TUpDown::SetAssociate(TWinControl* control) {
  if (associate_) associate_->RemoveFreeNotification(this);
  associate_ = control;
  if (control) control->FreeNotification(this);
  UpdateAssociate();
}

void TUpDown::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == associate_) associate_ = nullptr;
}

void TUpDown::Loaded() {
  TWinControl::Loaded();
  SetPosition(position_);
}

void TUpDown::UpdateAssociate() {
  if (associate_ && !IsLoading()) associate_->SetText(std::to_string(position_));
}

void TUpDown::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == UDN_DELTAPOS) {
    auto* change = reinterpret_cast<NMUPDOWN*>(m.LParam);
    OnChanging(this);
    int next = position_ + (change->iDelta > 0 ? increment_ : -increment_);
    if (next > max_) next = wrap_ ? min_ : max_;
    if (next < min_) next = wrap_ ? max_ : min_;
    const bool up = change->iDelta > 0;
    // The framework keeps the position; the native control follows it.
    m.Result = 1;
    SetPosition(next);
    OnClick(this, up ? btNext : btPrev);
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace kx
