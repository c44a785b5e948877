// Check groups and radio groups: a group box whose list of item captions
// shows as check boxes or radio buttons, arranged in columns.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/Lists.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVGroupBox.h"

namespace kx {

// Where the items of a check group go: `inner` is the group's inner
// rectangle. Items fill the first column from the top, then the next. A
// column count below 1 arranges as one column.
std::vector<POINT> CheckGroupPlaces(int width, RECT inner, int topMargin, int count, int columns);

class TkvCheckGroup : public TkvCustomGroupBox {
  KX_CLASS(TkvCheckGroup, TkvCustomGroupBox)
 public:
  explicit TkvCheckGroup(TComponent* owner);
  ~TkvCheckGroup() override;

  // Every change of the list makes, frees or renames the item controls.
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items) { items_->Assign(items); }
  int ItemCount() const { return static_cast<int>(itemControls_.size()); }
  TkvCheckBox* ItemControl(int index) const { return itemControls_.at(index); }
  // Negative values are refused; 0 is kept but arranged as 1.
  int Columns() const { return columns_; }
  void SetColumns(int columns);
  int TopMargin() const { return topMargin_; }
  void SetTopMargin(int margin);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TkvUIStyle style);
  TColor FontColor() const { return Font()->Color(); }
  void SetFontColor(TColor color) { Font()->SetColor(color); }
  void ApplyUIStyle(TkvUIStyle style) override;
  void ArrangeItems();

  // Fired for a click on any item (after its state changed) and on the
  // group's own area.
  TNotifyEvent OnClick;

 protected:
  virtual void ItemClick() {}
  virtual TkvCheckBox* CreateItem();
  void DoSetTransparent(bool on) override;
  void FontChanged() override;
  void Resize() override;

 private:
  void SynchroniseItems();
  void RelayClick();

  std::unique_ptr<TStringList> items_;
  std::vector<TkvCheckBox*> itemControls_;
  int columns_ = 1;
  TkvUIStyle uiStyle_;
  int topMargin_ = 8;
};

class TkvRadioGroup : public TkvCheckGroup {
  KX_CLASS(TkvRadioGroup, TkvCheckGroup)
 public:
  explicit TkvRadioGroup(TComponent* owner) : TkvCheckGroup(owner) {}
  // The first checked item, -1 for none. Writing checks one item (the
  // others uncheck) or, with -1, none; other values are ignored. No event.
  int ItemIndex() const;
  void SetItemIndex(int index);

 protected:
  TkvCheckBox* CreateItem() override;
};

}  // namespace kx
