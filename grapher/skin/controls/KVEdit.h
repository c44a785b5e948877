// The one-line edit with a thin skinned frame (KVBorders.h).
#pragma once

#include <windows.h>

#include "framework/windows/StdCtrls.h"

namespace kx {

class TkvEdit : public TCustomEdit {
  KX_CLASS(TkvEdit, TCustomEdit)
 public:
  explicit TkvEdit(TComponent* owner);

  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  // The band round the client area: 2 pixels.
  static constexpr int BorderWidth = 2;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  TColor borderColor_ = clBlack;
};

}  // namespace kx
