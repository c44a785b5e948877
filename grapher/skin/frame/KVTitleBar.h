// The bitmap title bar that a skinned form puts at the top of its window in
// place of the system caption: sections (left, right and one stretched
// middle picture), buttons (close, maximise, minimise, help, control box,
// custom), the caption and optionally the program's icon. It follows the
// mouse for hover and pressed pictures, moves the window when dragged,
// maximises on a double click, hands its top band to the form for sizing and
// gives the form a window region with rounded top corners.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/core/Collections.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Graphics.h"
#include "framework/windows/Menus.h"
#include "skin/look/KVThemes.h"

namespace kx {

// Scoped: the side channel's alignment has enumerators of the same names, and
// a file may include both. Form resources name them without the scope.
enum class TkvTitleBarAlign { kvLeft, kvRight, kvClient };
KX_ENUM_NAMES(TkvTitleBarAlign, "kvLeft", "kvRight", "kvClient")

enum TkvTitleBarBtnType { kvMax, kvMin, kvClose, kvHelp, kvControlBox, kvCustom };
KX_ENUM_NAMES(TkvTitleBarBtnType, "kvMax", "kvMin", "kvClose", "kvHelp", "kvControlBox", "kvCustom")

// (the title bar, the button's index in Buttons)
using TkvTitleBarButtonClickEvent = TEvent<TObject*, int>;

class TkvTitleBar;

// What the title bar asks of the skinned form it sits on.
class TkvTitleBarFrame {
 public:
  // The host form's border style before the skinned form removed it.
  virtual TFormBorderStyle OriginalBorderStyle() const = 0;

 protected:
  ~TkvTitleBarFrame() = default;
};

class TkvTitleBarSection : public TCollectionItem {
  KX_CLASS(TkvTitleBarSection, TCollectionItem)
 public:
  explicit TkvTitleBarSection(TCollection* collection);
  ~TkvTitleBarSection() override;
  void Assign(TPersistent* source) override;

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  int Width() const { return width_; }
  void SetWidth(int width);
  TkvTitleBarAlign Align() const { return align_; }
  // A second kvClient section is refused with an error message.
  void SetAlign(TkvTitleBarAlign align);
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture);
  // Always true on the kvClient section.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);

 private:
  void Changed();
  TkvTitleBar* Bar() const;

  bool autoSize_ = false;
  int width_ = 10;
  TkvTitleBarAlign align_ = TkvTitleBarAlign::kvLeft;
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
};

class TkvTitleBarButton : public TCollectionItem {
  KX_CLASS(TkvTitleBarButton, TCollectionItem)
 public:
  explicit TkvTitleBarButton(TCollection* collection);
  ~TkvTitleBarButton() override;
  void Assign(TPersistent* source) override;

  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Reloads the style's pictures (no repaint).
  void SetUIStyle(TkvUIStyle style);
  TkvTitleBarBtnType ButtonType() const { return buttonType_; }
  // A second kvControlBox button is refused with an error message.
  void SetButtonType(TkvTitleBarBtnType type);
  // Drawn without the colour of each picture's bottom-left pixel.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  int Top() const { return top_; }
  void SetTop(int top);
  TPopupMenu* ControlBoxMenu() const { return controlBoxMenu_; }
  void SetControlBoxMenu(TPopupMenu* menu);
  bool Visible() const { return visible_; }
  void SetVisible(bool on);
  TPicture* PicNormal() const { return pictures_[0].get(); }
  TPicture* PicMouseOn() const { return pictures_[1].get(); }
  TPicture* PicMouseDown() const { return pictures_[2].get(); }
  void SetPicNormal(TPicture* picture) { SetPictureOf(0, picture); }
  void SetPicMouseOn(TPicture* picture) { SetPictureOf(1, picture); }
  void SetPicMouseDown(TPicture* picture) { SetPictureOf(2, picture); }

  // The style's pictures, Transparent and Top for the button's type.
  void LoadStylePictures();
  // A maximise button shows the restore pictures while its form is maximised.
  void UpdateMaxRestorePictures();

 private:
  friend class TkvTitleBar;
  void SetPictureOf(int index, TPicture* picture);
  void LoadPictures(int firstEntry);
  void Changed();
  TkvTitleBar* Bar() const;

  TkvUIStyle uiStyle_ = TkvUIStyle::DeepBlue;
  TkvTitleBarBtnType buttonType_ = kvCustom;
  bool transparent_ = false;
  int top_ = 2;
  TPopupMenu* controlBoxMenu_ = nullptr;
  bool visible_ = true;
  std::unique_ptr<TPicture> pictures_[3];
};

// The bar's collections repaint it after every change of their items.
class TkvTitleBarSections : public TCollection {
  KX_CLASS(TkvTitleBarSections, TCollection)
 public:
  explicit TkvTitleBarSections(TkvTitleBar* bar);
  TkvTitleBarSection* Add() { return static_cast<TkvTitleBarSection*>(TCollection::Add()); }
  TkvTitleBarSection* Items(int index) const { return ItemAs<TkvTitleBarSection>(index); }
  TkvTitleBar* Bar() const { return bar_; }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TkvTitleBar* bar_;
};

class TkvTitleBarButtons : public TCollection {
  KX_CLASS(TkvTitleBarButtons, TCollection)
 public:
  explicit TkvTitleBarButtons(TkvTitleBar* bar);
  TkvTitleBarButton* Add() { return static_cast<TkvTitleBarButton*>(TCollection::Add()); }
  TkvTitleBarButton* Items(int index) const { return ItemAs<TkvTitleBarButton>(index); }
  TkvTitleBar* Bar() const { return bar_; }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TkvTitleBar* bar_;
};

// Where the buttons and the caption of a bar go.
struct TkvTitleBarLayout {
  struct Place {
    int Index;  // in Buttons
    RECT Rect;
  };
  std::vector<Place> Buttons;  // the visible buttons but the control box, right to left
  int ControlBox = -1;         // index of the visible control-box button, or -1
  RECT ControlBoxRect{};
  int CaptionLeft = 0;   // Xl: the caption starts here
  int CaptionRight = 0;  // Xr: the leftmost right-hand button starts here
};

class TkvTitleBar : public TCustomPanel {
  KX_CLASS(TkvTitleBar, TCustomPanel)
 public:
  explicit TkvTitleBar(TComponent* owner);
  ~TkvTitleBar() override;

  bool AutoSize() const { return autoSize_; }
  // Height := the first section's picture height; without sections the flag
  // stays off.
  void SetAutoSize(bool on);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  // Sections, offsets, round corner, the buttons' pictures and the height
  // from the style table; Custom leaves the bar without sections.
  void SetUIStyle(TkvUIStyle style);
  TkvTitleBarSections* Sections() const { return sections_.get(); }
  void SetSections(TkvTitleBarSections* sections) { sections_->Assign(sections); }
  TkvTitleBarButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(TkvTitleBarButtons* buttons) { buttons_->Assign(buttons); }
  int ButtonInterval() const { return buttonInterval_; }
  void SetButtonInterval(int pixels);
  bool FormActive() const { return formActive_; }
  // An inactive form's caption takes the inactive-caption colour.
  void SetFormActive(bool active);
  int LeftBtnXOffset() const { return leftBtnXOffset_; }
  void SetLeftBtnXOffset(int x);
  int RightBtnXOffset() const { return rightBtnXOffset_; }
  void SetRightBtnXOffset(int x);
  bool DrawAppIcon() const { return drawAppIcon_; }
  void SetDrawAppIcon(bool on);
  int RoundCorner() const { return roundCorner_; }
  void SetRoundCorner(int radius);

  bool Pressed() const { return pressed_; }
  int HoverIndex() const { return hoverIndex_; }

  // Draws the whole bar into `bmp`, sized to the bar: sections, buttons,
  // icon and caption, with the cursor's hover.
  void PaintTo(TBitmap& bmp);
  // Where the buttons and the caption go on a bar `width` pixels wide.
  TkvTitleBarLayout Layout(int width) const;
  // The button's action on the bar's form: maximise or restore, minimise,
  // close, or the control-box menu.
  void PerformTitleButton(TkvTitleBarButton& button);
  // Gives the form its window region: rounded top corners of RoundCorner.
  void UpdateFormRegion();

  TkvTitleBarButtonClickEvent OnCustomBtnsClick;
  TkvTitleBarButtonClickEvent OnHelpBtnClick;

 protected:
  void Paint() override;
  virtual void DrawSections(TBitmap& bmp);
  virtual void DrawButtonsAndCaption(TBitmap& bmp);
  void WndProc(TMessage& m) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void DblClick() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TkvTitleBarButton;
  TCustomForm* Form() const;
  TkvTitleBarFrame* Frame() const;
  bool FormMaximized() const;
  POINT CursorInBar() const;
  // HoverIndex from the cursor's place, as a paint finds it.
  void UpdateHover();
  void RepaintNow();
  void HitTest(TMessage& m);

  bool autoSize_ = false;
  TkvUIStyle uiStyle_ = TkvUIStyle::DeepBlue;
  std::unique_ptr<TkvTitleBarSections> sections_;
  std::unique_ptr<TkvTitleBarButtons> buttons_;
  int buttonInterval_ = 0;
  bool formActive_ = true;
  int leftBtnXOffset_ = 0;
  int rightBtnXOffset_ = 0;
  bool drawAppIcon_ = false;
  int roundCorner_ = 0;
  bool pressed_ = false;
  int hoverIndex_ = -1;
};

// The rounded-top region of a form's client size (CW x CH): the bottom
// corners stay square. Radius 0 gives the plain rectangle.
HRGN RoundCornerRegion(int clientWidth, int clientHeight, int radius);
// Gives the bar's form that region; the window owns it from then on.
void ApplyRoundCornerRegion(TkvTitleBar& bar, int radius);

}  // namespace kx
