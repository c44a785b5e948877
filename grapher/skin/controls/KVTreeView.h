// The tree view with a thin skinned frame: the framework's tree view with
// its native border taken away, a band of two pixels kept round the client
// area and, after every paint, a frame in BorderColor drawn over the band.
#pragma once

#include "framework/windows/ListViews.h"

namespace kx {

class TkvTreeView : public TCustomTreeView {
  KX_CLASS(TkvTreeView, TCustomTreeView)
 public:
  explicit TkvTreeView(TComponent* owner);

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
