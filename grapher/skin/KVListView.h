// The list view with a thin skinned frame, over a small wrapper of the
// native list-view control. The wrapper makes the native window in report
// view and adds nothing else: no items, columns, images or events of its
// own; code talks to the window through its handle.
#pragma once

#include "framework/windows/Controls.h"

namespace kx {

class TkvListView : public TWinControl {
  KX_CLASS(TkvListView, TWinControl)
 public:
  explicit TkvListView(TComponent* owner);

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  static constexpr int BorderWidth = 2;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  TColor borderColor_ = clBlack;
};

}  // namespace kx
