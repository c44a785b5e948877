// The skinned combo box: the native combo box with a flat look. After every
// native paint it fills the drop-down button with a style colour (a picture
// in the MacOS style), draws a small triangle arrow and frames the window in
// BorderColor. Base of the colour and font boxes.
#pragma once

#include "framework/windows/StdCtrls.h"
#include "skin/look/KVThemes.h"

namespace kx {

class TkvCustomComboBox : public TComboBox {
  KX_CLASS(TkvCustomComboBox, TComboBox)
 public:
  explicit TkvCustomComboBox(TComponent* owner);

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Stores any style, Custom too, and takes the button (74), arrow (8) and
  // border (8) colours from the table: all black for Custom.
  void SetUIStyle(TkvUIStyle style);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor color);
  TColor ButtonColor() const { return buttonColor_; }
  void SetButtonColor(TColor color);
  TColor ArrowColor() const { return arrowColor_; }
  void SetArrowColor(TColor color);
  // The arrow turns grey when disabled.
  void SetEnabled(bool enabled) override;

  // Paints the button and the frame over what the native control drew.
  void DrawSkin();

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  // An index outside the list (-1 for an empty list) gets only the background.
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;

 private:
  TColor borderColor_ = 0;
  TColor buttonColor_ = 0;
  TColor arrowColor_ = 0;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
};

class TkvComboBox : public TkvCustomComboBox {
  KX_CLASS(TkvComboBox, TkvCustomComboBox)
 public:
  explicit TkvComboBox(TComponent* owner) : TkvCustomComboBox(owner) {}
};

// The drop-down button over `button` (client coordinates of the combo box):
// filled with buttonColor, or the MacOS picture stretched over it, and the
// arrow, whose top row lies at half the button's height measured from the
// client top. A disabled arrow is grey over a white one a pixel lower right.
void PaintComboButton(TCanvas& canvas, const RECT& button, TkvUIStyle style, TColor buttonColor, TColor arrowColor,
                      bool enabled);

}  // namespace kx
