// Standard controls: label, button, edit, memo, list box, check-list box and
// combo box. Events that code relies on (an edit's change on a write by code)
// are raised by this code, not left to what the native control sends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/windows/Controls.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/core/Lists.h"

namespace kx {

enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odComboBoxEdit };
KX_ENUM_NAMES(TOwnerDrawStateFlag, "odSelected", "odGrayed", "odDisabled", "odChecked", "odFocused", "odDefault",
              "odComboBoxEdit")
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = TEvent<TWinControl*, int, RECT, TOwnerDrawState>;
// The height of the item at an index, for lists whose items differ in height.
using TMeasureItemEvent = TEvent<TWinControl*, int, int&>;

class TLabel : public TGraphicControl {
  KX_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* owner);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
  }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) {
    autoSize_ = on;
    AdjustBounds();
  }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
  }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on) {
    wordWrap_ = on;
    AdjustBounds();
  }
  void Loaded() override;

 protected:
  void WndProc(TMessage& m) override;
  void Paint() override;

 private:
  void AdjustBounds();
  TAlignment alignment_ = taLeftJustify;
  bool autoSize_ = true;
  bool transparent_ = false;
  bool wordWrap_ = false;
};

class TButton : public TWinControl {
  KX_CLASS(TButton, TWinControl)
 public:
  explicit TButton(TComponent* owner);
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  // Copies the modal result to the form, then raises OnClick.
  void Click() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& m) override;

 private:
  int modalResult_ = 0;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
KX_ENUM_NAMES(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

class TCustomEdit : public TWinControl {
  KX_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* owner);
  // Native styles (StdCtrlsStyles.cpp); a change remakes the window.
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool on);
  // #0 for none; published as a one-character text.
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c);
  // Kept for form resources only: the window keeps the height it is given.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool on) { autoSelect_ = on; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) { autoSize_ = on; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  int SelStart() const;
  void SetSelStart(int v);
  int SelLength() const;
  void SetSelLength(int v);
  std::string SelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  // Writing the text raises OnChange when it differs, as typing does.
  void SetText(const std::string& text) override;

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  virtual void Change();
  // The style bits of CharCase, HideSelection, OEMConvert and PasswordChar.
  DWORD EditStyle() const;

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  TEditCharCase charCase_ = ecNormal;
  bool hideSelection_ = true;
  bool oemConvert_ = false;
  char passwordChar_ = '\0';
  bool autoSelect_ = true;
  bool autoSize_ = true;
  bool settingText_ = false;
  int selStart_ = 0, selLength_ = 0;  // kept while there is no window
};

class TEdit : public TCustomEdit {
  KX_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
KX_ENUM_NAMES(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

class TMemo : public TCustomEdit {
  KX_CLASS(TMemo, TCustomEdit)
 public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;
  // The text as lines; changes go to the memo at once.
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* lines) { lines_->Assign(lines); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool on);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  std::unique_ptr<TStrings> lines_;
  TAlignment alignment_ = taLeftJustify;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
KX_ENUM_NAMES(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")

class TCustomListBox : public TWinControl {
  KX_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  int Count() const { return items_->Count(); }
  int ItemIndex() const;
  void SetItemIndex(int index);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool on);
  // Native styles (StdCtrlsStyles.cpp); a change remakes the window.
  int Columns() const { return columns_; }
  void SetColumns(int v);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool on);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool on);
  bool IntegralHeight() const { return integralHeight_; }
  void SetIntegralHeight(bool on);
  // Tab stops in dialog units; 0 for the native default.
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int v);
  TCanvas* Canvas() const { return canvas_.get(); }
  RECT ItemRect(int index) const;
  int ItemAtPos(POINT p, bool existing) const;
  void Clear() { items_->Clear(); }
  virtual void DeleteSelected();

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  // Paints one item; the default fills and writes the text unless OnDrawItem does it.
  virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);
  virtual void ItemsChanged();
  // Refills the native list, selecting `keep`.
  void FillNative(int keep);
  DWORD ListStyle() const;
  // Column width and tab stops, once the window exists.
  void ApplyListMetrics();

 private:
  std::unique_ptr<TStringList> items_;
  int columns_ = 0;
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  bool integralHeight_ = false;
  int tabWidth_ = 0;
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 16;
  bool sorted_ = false;
  int itemIndex_ = -1;  // kept while there is no window
  std::unique_ptr<TCanvas> canvas_;
};

class TListBox : public TCustomListBox {
  KX_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

// A list box with a check box in front of every item. Writing a check mark
// raises nothing; a click on the box toggles it and raises OnClickCheck.
class TCheckListBox : public TCustomListBox {
  KX_CLASS(TCheckListBox, TCustomListBox)
 public:
  explicit TCheckListBox(TComponent* owner);
  bool Checked(int index) const;
  void SetChecked(int index, bool on);
  void DeleteSelected() override;
  // Flat check boxes, or the sunken 3D ones.
  bool Flat() const { return flat_; }
  void SetFlat(bool on) {
    flat_ = on;
    Invalidate();
  }

  TNotifyEvent OnClickCheck;

 protected:
  void WndProc(TMessage& m) override;
  void DrawItem(int index, RECT rect, TOwnerDrawState state) override;
  void ItemsChanged() override;
  virtual void ClickCheck() { OnClickCheck(this); }

 private:
  void ToggleAt(int index);
  static constexpr int kCheckWidth = 16;
  bool flat_ = true;
  std::vector<bool> checked_;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
KX_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable")

class TComboBox : public TWinControl {
  KX_CLASS(TComboBox, TWinControl)
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  int ItemIndex() const;
  void SetItemIndex(int index);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int v) { dropDownCount_ = v; }
  // Native styles (StdCtrlsStyles.cpp).
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  // Keeps the items in alphabetical order.
  bool Sorted() const { return sorted_; }
  void SetSorted(bool on);
  TCanvas* Canvas() const { return canvas_.get(); }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  virtual void DrawItem(int index, RECT rect, TOwnerDrawState state);
  virtual void Change() { OnChange(this); }
  virtual void Select();
  virtual void DropDown() { OnDropDown(this); }
  virtual void CloseUp() { OnCloseUp(this); }

 private:
  // Refills the native list, selecting `keep`.
  void FillNative(int keep);
  std::unique_ptr<TStringList> items_;
  TComboBoxStyle style_ = csDropDown;
  int itemHeight_ = 16;
  int dropDownCount_ = 8;
  TEditCharCase charCase_ = ecNormal;
  int maxLength_ = 0;
  bool sorted_ = false;
  int itemIndex_ = -1;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace kx
