// The skinned tool bar: flat, self-drawn buttons. A hot, pressed or checked
// button is a rectangle in the style's colours with its image and caption
// centred; a hot drop-down button gets a small arrow. The bar takes a style
// colour or, in the MacOS style, shows its parent through.
#pragma once

#include "framework/windows/ToolBars.h"
#include "skin/look/KVThemes.h"

namespace kx {

class TkvToolBar : public TToolBar {
  KX_CLASS(TkvToolBar, TToolBar)
 public:
  explicit TkvToolBar(TComponent* owner);

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Stores any style; for one other than Custom the button colours (80-82),
  // the bar's colour (83), transparency for MacOS and no edges.
  void SetUIStyle(TkvUIStyle style);
  TColor ButtonColor() const { return buttonColor_; }
  void SetButtonColor(TColor color);
  TColor ButtonBorderColor() const { return buttonBorderColor_; }
  void SetButtonBorderColor(TColor color);
  TColor ButtonDownColor() const { return buttonDownColor_; }
  void SetButtonDownColor(TColor color);

  // The skinned look of one button on the canvas; leaves defaultDraw true
  // for a button that is neither hot, pressed nor checked.
  void DrawSkinnedButton(TCanvas& canvas, TToolButton& button, TCustomDrawState state, bool& defaultDraw);

 private:
  void DrawBar(TToolBar* bar, RECT rect, bool& defaultDraw);
  void DrawButton(TToolBar* bar, TToolButton* button, TCustomDrawState state, bool& defaultDraw);
  void DrawFace(TCanvas& canvas, TToolButton& button, TImageList* images, bool down);

  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  TColor buttonColor_ = 0;
  TColor buttonBorderColor_ = 0;
  TColor buttonDownColor_ = 0;
};

}  // namespace kx
