// Self-painted push buttons, check boxes and radio buttons.
//
// TkvCustomButton owns the state machine (hover, pressed), the off-screen
// paint, the click path (focus, the form's ModalResult, then OnClick), the
// keyboard and the auto-repeat timer that lives only while the left button
// is held. TkvButton paints a style's push-button skin (or named resource
// pictures) with an optional glyph; TkvImageButton paints four pictures of
// its own. TkvCustomButtonEx adds a checked state that changes before
// OnClick; TkvCheckBox and TkvRadioButton take their pictures from the
// style table. Writing Checked never fires an event.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Graphics.h"
#include "skin/look/KVThemes.h"

namespace kx {

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
KX_ENUM_NAMES(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")

// ---------------------------------------------------------------------------
// Layout, as pure functions of sizes.

// Where a glyph and the caption beside it go on a W x H button. A glyph
// twice as wide as high holds two states (enabled left, disabled right) and
// counts as square. A pressed button moves both by one pixel.
struct TGlyphPlace {
  POINT Glyph{};
  POINT Caption{};
  SIZE Cell{};  // the size of one glyph image
  bool TwoState = false;
};
TGlyphPlace GlyphLayout(TButtonLayout layout, int width, int height, SIZE text, SIZE glyph, int spacing, bool pressed);

// Where a check box or radio button draws its state picture and caption.
// `pictureWidth` and `pictureHeight` are those of the style's check-box
// picture (a radio button is measured with it too).
struct TCheckPlace {
  POINT Picture{};
  RECT Caption{};  // left- and top-aligned, single line
  RECT Focus{};    // the caption widened by one pixel to the left
};
TCheckPlace CheckLayout(int width, int height, int pictureWidth, int pictureHeight, int fontHeight);
// The client size of an auto-sized check box or radio button.
SIZE CheckAutoSize(int pictureWidth, int pictureHeight, int fontHeight, int textWidth);

// ---------------------------------------------------------------------------

class TkvCustomButton : public TCustomControl {
  KX_CLASS(TkvCustomButton, TCustomControl)
 public:
  explicit TkvCustomButton(TComponent* owner);
  ~TkvCustomButton() override;

  // The button draws its own caption; the framework's text stays empty.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TkvUIStyle style);
  // False for a button that is part of another control (a scroll bar's
  // arrow): clicking it leaves the focus where it is.
  bool TakesFocus() const { return takesFocus_; }
  void SetTakesFocus(bool on) { takesFocus_ = on; }
  bool Default() const { return default_; }
  void SetDefault(bool on);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool on) { cancel_ = on; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }
  int MouseContinuouslyDownInterval() const { return repeatInterval_; }
  void SetMouseContinuouslyDownInterval(int ms) { repeatInterval_ = ms; }
  HINSTANCE ResHandle() const { return resHandle_; }
  // Nil means the program's own module.
  virtual void SetResHandle(HINSTANCE module);
  virtual std::string PicNormalResName() const { return picNormalResName_; }
  virtual void SetPicNormalResName(const std::string& name);
  virtual std::string PicMouseOnResName() const { return picMouseOnResName_; }
  virtual void SetPicMouseOnResName(const std::string& name);
  virtual std::string PicMouseDownResName() const { return picMouseDownResName_; }
  virtual void SetPicMouseDownResName(const std::string& name);
  void SetEnabled(bool enabled) override;

  bool Hover() const { return hover_; }
  bool Pressed() const { return pressed_; }
  bool BoldCaption() const { return boldCaption_; }
  bool PictureTransparent() const { return pictureTransparent_; }
  // Exists only while the left mouse button holds the button down.
  TTimer* RepeatTimer() const { return repeatTimer_.get(); }

  // The whole button as it paints now, into `bitmap` (resized to the button).
  void PaintTo(TBitmap& bitmap);
  // Enter or Escape handed to every control of a form: a Default or Cancel
  // button that is showing and enabled clicks. True when it did.
  bool DialogKey(WORD key);
  // A character matching the caption's accelerator clicks a button that is
  // showing and enabled. True when it did.
  bool DialogChar(char ch);
  void Click() override;
  // The framework's handling, then the action's caption becomes Caption.
  void ActionChange(TBasicAction* action, bool checkDefaults) override;

  TNotifyEvent OnMouseExit;
  TNotifyEvent OnMouseContinuouslyDown;

 protected:
  virtual void AutoSizeToPicture();
  virtual void CaptionChanged() {}
  void FontChanged() override;
  virtual void TransparentChanged();
  virtual void EnabledChanged() {}
  virtual void UIStyleChanged();
  virtual void PaintPicture(TCanvas& canvas, TBitmap& picture);
  virtual void PaintCaption(TCanvas& canvas, const std::string& text);
  virtual void PaintFocus(TCanvas& canvas);
  virtual void GetPicNormal(TBitmap& bitmap);
  virtual void GetPicMouseOn(TBitmap& bitmap);
  virtual void GetPicMouseDown(TBitmap& bitmap);
  virtual void GetPicDisabled(TBitmap& bitmap);
  virtual void LoadStylePictures(TkvUIStyle style) = 0;

  void Paint() override;
  void WndProc(TMessage& m) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyUp(WORD& key, TShiftState shift) override;

  // The base click: focus, ModalResult to the form, OnClick.
  void ButtonClick();
  // Loads a bitmap resource of ResHandle by name; raises when it is missing.
  void LoadResourcePicture(TBitmap& bitmap, const std::string& name) const;
  // Fields written without the setters' side effects.
  std::string picNormalResName_, picMouseDownResName_, picMouseOnResName_;
  bool boldCaption_ = false;
  bool pictureTransparent_ = false;
  bool transparent_ = false;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;

 private:
  // Ends a press that will see no mouse-up or key-up: the picture goes back
  // and the repeat timer stops.
  void EndPress();
  void StopRepeatTimer();

  bool autoSize_ = false;
  std::string caption_;
  bool cancel_ = false;
  bool default_ = false;
  int modalResult_ = 0;
  std::unique_ptr<TTimer> repeatTimer_;
  int repeatInterval_ = 100;
  HINSTANCE resHandle_;
  bool hover_ = false;
  bool pressed_ = false;
  bool takesFocus_ = true;
};

// The push button of the grapher's windows: the style's three skins
// stretched over the button, or named pictures in the Custom style.
class TkvButton : public TkvCustomButton {
  KX_CLASS(TkvButton, TkvCustomButton)
 public:
  explicit TkvButton(TComponent* owner);
  ~TkvButton() override;

  TBitmap* Glyph() const { return glyph_.get(); }
  void SetGlyph(TBitmap* glyph);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  int Spacing() const { return spacing_; }
  void SetSpacing(int spacing);
  POINT CaptionPos() const { return captionPos_; }

  // Only a Custom button names its pictures; writing a name makes it Custom.
  std::string PicNormalResName() const override;
  void SetPicNormalResName(const std::string& name) override;
  std::string PicMouseOnResName() const override;
  void SetPicMouseOnResName(const std::string& name) override;
  std::string PicMouseDownResName() const override;
  void SetPicMouseDownResName(const std::string& name) override;
  // Besides the caption, an empty Glyph takes the action's picture from its
  // action list's images.
  void ActionChange(TBasicAction* action, bool checkDefaults) override;

 protected:
  void UIStyleChanged() override;
  void PaintPicture(TCanvas& canvas, TBitmap& picture) override;
  void PaintCaption(TCanvas& canvas, const std::string& text) override;
  void PaintFocus(TCanvas& canvas) override;
  void LoadStylePictures(TkvUIStyle style) override;

 private:
  std::unique_ptr<TBitmap> glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  POINT captionPos_{};
  int spacing_ = 4;
};

// A button with four pictures of its own (the scroll bar's line buttons).
class TkvImageButton : public TkvCustomButton {
  KX_CLASS(TkvImageButton, TkvCustomButton)
 public:
  explicit TkvImageButton(TComponent* owner);
  ~TkvImageButton() override;

  TPicture* PicNormal() const { return pictures_[0].get(); }
  TPicture* PicMouseOn() const { return pictures_[1].get(); }
  TPicture* PicMouseDown() const { return pictures_[2].get(); }
  TPicture* PicDisabled() const { return pictures_[3].get(); }
  void SetPicNormal(TPicture* picture) { SetPictureOf(0, picture); }
  void SetPicMouseOn(TPicture* picture) { SetPictureOf(1, picture); }
  void SetPicMouseDown(TPicture* picture) { SetPictureOf(2, picture); }
  void SetPicDisabled(TPicture* picture) { SetPictureOf(3, picture); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);

 protected:
  void AutoSizeToPicture() override;
  void PaintPicture(TCanvas& canvas, TBitmap& picture) override;
  void GetPicNormal(TBitmap& bitmap) override;
  void GetPicMouseOn(TBitmap& bitmap) override;
  void GetPicMouseDown(TBitmap& bitmap) override;
  void GetPicDisabled(TBitmap& bitmap) override;
  void LoadStylePictures(TkvUIStyle) override {}

 private:
  void SetPictureOf(int index, TPicture* picture);
  // Its own picture when it holds one, PicNormal otherwise.
  void CopyPicture(int index, TBitmap& bitmap);
  std::unique_ptr<TPicture> pictures_[4];
  bool stretch_ = false;
};

// A button with a checked state and a small state picture at its left.
class TkvCustomButtonEx : public TkvCustomButton {
  KX_CLASS(TkvCustomButtonEx, TkvCustomButton)
 public:
  explicit TkvCustomButtonEx(TComponent* owner);

  bool Checked() const { return checked_; }
  // Stores a different value, then CheckedChanged and a repaint; no event.
  void SetChecked(bool checked);
  RECT CaptionRect() const { return captionRect_; }
  void Click() override;

  virtual int PictureWidth() const = 0;
  virtual int PictureHeight() const = 0;

 protected:
  virtual void Toggle() {}
  virtual void CheckedChanged() {}
  void AutoSizeToPicture() override;
  void CaptionChanged() override;
  void FontChanged() override;
  void PaintPicture(TCanvas& canvas, TBitmap& picture) override;
  void PaintCaption(TCanvas& canvas, const std::string& text) override;
  void PaintFocus(TCanvas& canvas) override;
  void Resize() override;

  // Picture and caption fitted: the client size from CheckAutoSize.
  void SizeToText();

 private:
  bool checked_ = false;
  RECT captionRect_{};
  bool sizing_ = false;
};

class TkvCheckBox : public TkvCustomButtonEx {
  KX_CLASS(TkvCheckBox, TkvCustomButtonEx)
 public:
  explicit TkvCheckBox(TComponent* owner);
  int PictureWidth() const override;
  int PictureHeight() const override;

 protected:
  virtual void Toggled() {}
  void TransparentChanged() override;
  void EnabledChanged() override;
  void UIStyleChanged() override;
  void LoadStylePictures(TkvUIStyle style) override;
  void Toggle() override;
  void CheckedChanged() override;
  // The style's pictures for the state: entries first + 2 (enabled normal)
  // or first (disabled), first + 4 (mouse over), first + 6 (pressed), one
  // higher when unchecked.
  void LoadStatePictures(TkvUIStyle style, int firstEntry);
};

class TkvRadioButton : public TkvCheckBox {
  KX_CLASS(TkvRadioButton, TkvCheckBox)
 public:
  explicit TkvRadioButton(TComponent* owner);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int index) { groupIndex_ = index; }

 protected:
  void TransparentChanged() override;
  void LoadStylePictures(TkvUIStyle style) override;
  void Toggle() override;
  void CheckedChanged() override;

 private:
  // Unchecks the other radio buttons of the same GroupIndex in the parent.
  void UncheckGroup();
  int groupIndex_ = 0;
};

// Hands Enter and Escape (as dialog keys) and Alt+letter (as dialog
// characters) of the calling thread's messages to the skinned buttons of the
// focused window's form before the focused control sees them. Installed with
// the first skinned button; lasts for the process.
void InstallButtonKeyRouting();
// The same routing as a call: the first button under `root` (at any depth,
// in child order) that takes the key or character. True when one did.
bool RouteDialogKey(TWinControl& root, WORD key);
bool RouteDialogChar(TWinControl& root, char ch);

}  // namespace kx
