// The multi-line edit with a thin skinned frame and, optionally, skinned
// scroll bars laid over the edges of its native ones.
#pragma once

#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVLinkedBars.h"

namespace kx {

class TkvMemo : public TMemo {
  KX_CLASS(TkvMemo, TMemo)
 public:
  explicit TkvMemo(TComponent* owner);

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // Without them, Return and Tab reach OnKeyPress but never the text.
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool on) { wantReturns_ = on; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool on) { wantTabs_ = on; }
  // Linking a bar gives the memo a native bar in that direction (and
  // unlinking takes it away); the skinned bar mirrors it.
  TkvScrollBar* VScrollBar() const { return bars_.Bar(true); }
  void SetVScrollBar(TkvScrollBar* bar);
  TkvScrollBar* HScrollBar() const { return bars_.Bar(false); }
  void SetHScrollBar(TkvScrollBar* bar);
  static constexpr int BorderWidth = 2;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  void LinkBar(bool vertical, TkvScrollBar* bar);
  TkvLinkedBars bars_{*this, true};
  TColor borderColor_ = clBlack;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
};

}  // namespace kx
