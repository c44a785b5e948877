// A self-drawn tool bar with tool buttons, and the speed button: as much of
// both as the skinned controls use. The bar lays its buttons out in rows,
// follows the mouse for the hot and pressed states and lets a handler draw
// the bar and each button instead of the default look.
#pragma once

#include <memory>

#include "framework/windows/Controls.h"
#include "framework/windows/Graphics.h"
#include "framework/windows/Menus.h"

namespace kx {

class TToolBar;

// Drawing states of a tool button; the set's bit values are those of the
// platform's custom-draw states (selected 1, checked 8, hot 64).
enum TCustomDrawStateFlag {
  cdsSelected,
  cdsGrayed,
  cdsDisabled,
  cdsChecked,
  cdsFocused,
  cdsDefault,
  cdsHot,
  cdsMarked,
  cdsIndeterminate
};
KX_ENUM_NAMES(TCustomDrawStateFlag, "cdsSelected", "cdsGrayed", "cdsDisabled", "cdsChecked", "cdsFocused", "cdsDefault",
              "cdsHot", "cdsMarked", "cdsIndeterminate")
using TCustomDrawState = TSet<TCustomDrawStateFlag>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
KX_ENUM_NAMES(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")

enum TEdgeStyle { esNone, esRaised, esLowered };
KX_ENUM_NAMES(TEdgeStyle, "esNone", "esRaised", "esLowered")

class TToolButton;
// (the bar, the bar's client rectangle, draw the default look)
using TToolBarCustomDrawEvent = TEvent<TToolBar*, RECT, bool&>;
// (the bar, the button, its state, draw the default look)
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

class TToolButton : public TGraphicControl {
  KX_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* owner);

  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  // Checked (a check button that is down).
  bool Down() const { return down_; }
  void SetDown(bool down);
  // Grouped buttons of a bar belong together (stored for the bar's owner).
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool on) { grouped_ = on; }
  // While the bar shows captions, the button is as wide as its caption
  // (or its image) and a margin on either side.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  // A button bound to a menu item takes the item's caption and enabled
  // state; a click drops the item's sub-items below the button, or runs an
  // item that has none. Cleared when the item is freed.
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* item);
  // Drops the bound item's sub-items below the button and runs the one
  // chosen; the button is drawn selected while they are shown.
  void DropMenu();
  bool MenuDropped() const { return menuDropped_; }
  bool Hot() const { return hot_; }
  bool Pressed() const { return pressed_; }
  // The state the bar draws the button in.
  TCustomDrawState DrawState() const;
  TToolBar* ToolBar() const;

  // A bar lays out the buttons it receives.
  void SetParent(TWinControl* parent) override;
  void Click() override;

 protected:
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  void Changed();
  int imageIndex_ = -1;
  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  bool hot_ = false;
  bool pressed_ = false;
  bool grouped_ = false;
  bool autoSize_ = false;
  bool menuDropped_ = false;
  TMenuItem* menuItem_ = nullptr;
};

class TToolBar : public TCustomControl {
  KX_CLASS(TToolBar, TCustomControl)
 public:
  explicit TToolBar(TComponent* owner);

  int ButtonCount() const;
  TToolButton* Buttons(int index) const;
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int height);
  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  // A transparent bar leaves its background to a custom-draw handler.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  TEdgeStyle EdgeInner() const { return edgeInner_; }
  void SetEdgeInner(TEdgeStyle edge);
  TEdgeStyle EdgeOuter() const { return edgeOuter_; }
  void SetEdgeOuter(TEdgeStyle edge);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  TImageList* HotImages() const { return hotImages_; }
  void SetHotImages(TImageList* images);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool on);

  // Puts the buttons in rows, left to right, wrapping at the bar's width.
  void ArrangeButtons();
  // Draws the bar and its buttons into the canvas (the bar's own paint).
  void PaintBar(TCanvas& canvas);

  TToolBarCustomDrawEvent OnCustomDraw;
  TToolBarCustomDrawButtonEvent OnCustomDrawButton;

 protected:
  void Paint() override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Resize() override;
  // The bar's button width, or an AutoSize button's caption (measured on
  // `measure`) with a margin on either side.
  int ButtonWidthOf(const TToolButton& button, TCanvas& measure) const;
  // The look of a button no handler drew (a disabled caption is grey).
  virtual void DrawButtonDefault(TCanvas& canvas, TToolButton& button, TCustomDrawState state);

 private:
  int buttonWidth_ = 23;
  int buttonHeight_ = 22;
  bool flat_ = false;
  bool transparent_ = false;
  TEdgeStyle edgeInner_ = esRaised;
  TEdgeStyle edgeOuter_ = esLowered;
  TImageList* images_ = nullptr;
  TImageList* hotImages_ = nullptr;
  bool showCaptions_ = false;
  bool arranging_ = false;
};

// A graphic push button with a glyph. Buttons of one GroupIndex (not 0) in
// one parent stay down one at a time; AllowAllUp lets the down one come up.
class TSpeedButton : public TGraphicControl {
  KX_CLASS(TSpeedButton, TGraphicControl)
 public:
  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  bool Flat() const { return flat_; }
  void SetFlat(bool on);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index) { groupIndex_ = index; }
  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool on) { allowAllUp_ = on; }
  bool Down() const { return down_; }
  // Only a grouped button stays down; the others of its group come up.
  void SetDown(bool down);
  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph);

  // Toggles the down state of a grouped button, then raises OnClick.
  void Click() override;

 protected:
  void Paint() override;

 private:
  bool flat_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool down_ = false;
  std::unique_ptr<TBitmap> glyph_;
};

}  // namespace kx
