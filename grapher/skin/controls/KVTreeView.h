// The tree view with a thin skinned frame: the framework's tree view with
// its native border taken away, a band of two pixels kept round the client
// area and, after every paint, a frame in BorderColor drawn over the band.
// A form resource may give the native border back (BorderStyle bsSingle) and
// set the band's width.
#pragma once

#include "framework/windows/Forms.h"
#include "framework/windows/ListViews.h"

namespace kx {

class TkvTreeView : public TCustomTreeView {
  KX_CLASS(TkvTreeView, TCustomTreeView)
 public:
  explicit TkvTreeView(TComponent* owner);

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // bsNone (the skin's thin frame alone) or bsSingle (the native edge too).
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  TColor borderColor_ = clBlack;
  TFormBorderStyle borderStyle_ = bsNone;
  int borderWidth_ = 2;
};

}  // namespace kx
