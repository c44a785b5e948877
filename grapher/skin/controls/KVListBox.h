// The list box with a thin skinned frame.
#pragma once

#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVLinkedBars.h"

namespace kx {

class TkvListBox : public TCustomListBox {
  KX_CLASS(TkvListBox, TCustomListBox)
 public:
  explicit TkvListBox(TComponent* owner);

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // A skinned bar laid over the native vertical bar, which it mirrors.
  TkvScrollBar* VScrollBar() const { return bars_.Bar(true); }
  void SetVScrollBar(TkvScrollBar* bar);
  static constexpr int BorderWidth = 2;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  TColor borderColor_ = clBlack;
  TkvLinkedBars bars_{*this, false};
};

namespace kvlist {

// An owner-draw request for a row outside the list (the empty list's
// focus row, -1): only the background is drawn, in the list's colour.
// Returns false for a row of the list, which the caller draws.
bool DrawRowOutsideList(const TCustomListBox& list, const TMessage& m);

}  // namespace kvlist

}  // namespace kx
