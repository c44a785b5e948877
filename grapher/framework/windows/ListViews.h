// The list view and the tree view over the system's common controls. The
// framework keeps the columns, items and nodes as collections (so a form
// resource can list them) and fills the native window from them whenever
// the window is made or they change; selections and expansions the user
// makes come back as events.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/core/Collections.h"
#include "framework/core/Lists.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Graphics.h"

namespace kx {

class TCustomListView;

class TListColumn : public TCollectionItem {
  KX_CLASS(TListColumn, TCollectionItem)
 public:
  explicit TListColumn(TCollection* collection);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int Width() const { return width_; }
  void SetWidth(int width);
  void Assign(TPersistent* source) override;

 private:
  std::string caption_;
  int width_ = 50;
};

class TListItem : public TCollectionItem {
  KX_CLASS(TListItem, TCollectionItem)
 public:
  explicit TListItem(TCollection* collection);
  ~TListItem() override;
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // The texts of the report view's further columns.
  TStrings* SubItems() const { return subItems_.get(); }
  void SetSubItems(TStrings* lines) { subItems_->Assign(lines); }
  void Assign(TPersistent* source) override;

 private:
  std::string caption_;
  int imageIndex_ = -1;
  std::unique_ptr<TStringList> subItems_;
};

// A view's collection (or a node's): any change is passed on, at the top
// to the view, which fills its window anew.
class TViewCollection : public TCollection {
  KX_CLASS(TViewCollection, TCollection)
 public:
  TViewCollection(TPersistent* owner, TItemFactory factory, std::function<void()> changed);
  void Update(TCollectionItem* item) override;
  // Its holder is going: changes are no longer passed on.
  void Detach() { changed_ = nullptr; }

 private:
  std::function<void()> changed_;
};

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
KX_ENUM_NAMES(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")

using TLVSelectItemEvent = TEvent<TObject*, TListItem*, bool>;
using TLVColumnClickEvent = TEvent<TObject*, TListColumn*>;

class TCustomListView : public TWinControl {
  KX_CLASS(TCustomListView, TWinControl)
 public:
  explicit TCustomListView(TComponent* owner);
  ~TCustomListView() override;

  TViewCollection* Columns() const { return columns_.get(); }
  void SetColumns(TViewCollection* columns) { columns_->Assign(columns); }
  TViewCollection* Items() const { return items_.get(); }
  void SetItems(TViewCollection* items) { items_->Assign(items); }
  TListItem* Item(int index) const { return items_->ItemAs<TListItem>(index); }
  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool on);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool on);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  TImageList* LargeImages() const { return largeImages_; }
  void SetLargeImages(TImageList* images);
  TImageList* SmallImages() const { return smallImages_; }
  void SetSmallImages(TImageList* images);
  // Native styles (ListViewsStyles.cpp).
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool on);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool on);
  // The selected item's index, -1 for none; writing selects (and shows) it.
  int ItemIndex() const;
  void SetItemIndex(int index);
  TListItem* Selected() const;

  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;

  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Fill();
  void ApplyImages();
  void ApplyExtendedStyle();
  DWORD ListStyle() const;
  std::unique_ptr<TViewCollection> columns_;
  std::unique_ptr<TViewCollection> items_;
  TViewStyle viewStyle_ = vsIcon;
  bool rowSelect_ = false;
  bool gridLines_ = false;
  bool readOnly_ = false;
  bool checkboxes_ = false;
  bool hotTrack_ = false;
  bool hideSelection_ = true;
  bool multiSelect_ = false;
  bool showColumnHeaders_ = true;
  bool filling_ = false;  // selection changes while filling are no user's
  int itemIndex_ = -1;    // kept while there is no window
  TImageList* largeImages_ = nullptr;
  TImageList* smallImages_ = nullptr;
};

class TTreeNode : public TCollectionItem {
  KX_CLASS(TTreeNode, TCollectionItem)
 public:
  explicit TTreeNode(TCollection* collection);
  ~TTreeNode() override;
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  int SelectedIndex() const { return selectedIndex_; }
  void SetSelectedIndex(int index);
  // Shown open; follows the user's expanding and collapsing.
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool on);
  TViewCollection* Nodes() const { return nodes_.get(); }
  void SetNodes(TViewCollection* nodes) { nodes_->Assign(nodes); }
  TTreeNode* Node(int index) const { return nodes_->ItemAs<TTreeNode>(index); }
  // The node above, or nullptr at the top.
  TTreeNode* ParentNode() const;
  int Level() const;
  void Assign(TPersistent* source) override;

 private:
  friend class TCustomTreeView;
  std::string text_;
  int imageIndex_ = -1;
  int selectedIndex_ = -1;
  bool expanded_ = false;
  std::unique_ptr<TViewCollection> nodes_;
  void* handle_ = nullptr;  // the native item while the window shows it
};

using TTVChangedEvent = TEvent<TObject*, TTreeNode*>;

class TCustomTreeView : public TWinControl {
  KX_CLASS(TCustomTreeView, TWinControl)
 public:
  explicit TCustomTreeView(TComponent* owner);
  ~TCustomTreeView() override;

  // The top-level nodes; each holds its own Nodes.
  TViewCollection* Items() const { return items_.get(); }
  void SetItems(TViewCollection* items) { items_->Assign(items); }
  TTreeNode* Node(int index) const { return items_->ItemAs<TTreeNode>(index); }
  bool ShowLines() const { return showLines_; }
  void SetShowLines(bool on);
  bool ShowButtons() const { return showButtons_; }
  void SetShowButtons(bool on);
  bool ShowRoot() const { return showRoot_; }
  void SetShowRoot(bool on);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool on);
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);
  TTreeNode* Selected() const { return selected_; }
  void SetSelected(TTreeNode* node);
  // Native styles (ListViewsStyles.cpp).
  bool AutoExpand() const { return autoExpand_; }
  void SetAutoExpand(bool on);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool on);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool on);
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool on);
  bool ToolTips() const { return toolTips_; }
  void SetToolTips(bool on);
  // Pixels each level is indented by; 0 for the native default.
  int Indent() const { return indent_; }
  void SetIndent(int pixels);
  TTVChangedEvent OnChange;
  TTVChangedEvent OnExpanded;
  TTVChangedEvent OnCollapsed;

  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Fill();
  void Insert(TCollection& nodes, void* parent, bool& selectedFound);
  TTreeNode* NodeOf(void* item) const;
  void ApplyImages();
  void StyleChanged();
  DWORD TreeStyle() const;
  std::unique_ptr<TViewCollection> items_;
  bool autoExpand_ = false;
  bool hideSelection_ = true;
  bool hotTrack_ = false;
  bool rowSelect_ = false;
  bool toolTips_ = true;
  int indent_ = 0;
  bool showLines_ = true;
  bool showButtons_ = true;
  bool showRoot_ = true;
  bool readOnly_ = false;
  bool filling_ = false;
  TTreeNode* selected_ = nullptr;
  TImageList* images_ = nullptr;
};

// What list and tree views publish, for the framework's own classes and for
// the skinned ones built on the same bases.
template <class C>
void PublishListView(TPublisher<C>& p) {
  p.Property("Columns", &C::Columns, &C::SetColumns);
  p.Property("GridLines", &C::GridLines, &C::SetGridLines).Default(false);
  p.Property("Items", &C::Items, &C::SetItems);
  p.Property("LargeImages", &C::LargeImages, &C::SetLargeImages);
  p.Property("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
  p.Property("RowSelect", &C::RowSelect, &C::SetRowSelect).Default(false);
  p.Property("SmallImages", &C::SmallImages, &C::SetSmallImages);
  p.Property("ViewStyle", &C::ViewStyle, &C::SetViewStyle).Default(vsIcon);
  p.Property("Checkboxes", &C::Checkboxes, &C::SetCheckboxes).Default(false);
  p.Property("HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
  p.Property("HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
  p.Property("MultiSelect", &C::MultiSelect, &C::SetMultiSelect).Default(false);
  p.Property("ShowColumnHeaders", &C::ShowColumnHeaders, &C::SetShowColumnHeaders).Default(true);
  p.Field("OnColumnClick", static_cast<TLVColumnClickEvent C::*>(&C::OnColumnClick));
  p.Field("OnSelectItem", static_cast<TLVSelectItemEvent C::*>(&C::OnSelectItem));
}

template <class C>
void PublishTreeView(TPublisher<C>& p) {
  p.Property("Images", &C::Images, &C::SetImages);
  p.Property("Items", &C::Items, &C::SetItems);
  p.Property("ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
  p.Property("ShowButtons", &C::ShowButtons, &C::SetShowButtons).Default(true);
  p.Property("ShowLines", &C::ShowLines, &C::SetShowLines).Default(true);
  p.Property("ShowRoot", &C::ShowRoot, &C::SetShowRoot).Default(true);
  p.Property("AutoExpand", &C::AutoExpand, &C::SetAutoExpand).Default(false);
  p.Property("HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
  p.Property("HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
  p.Property("Indent", &C::Indent, &C::SetIndent).Default(0);
  p.Property("RowSelect", &C::RowSelect, &C::SetRowSelect).Default(false);
  p.Property("ToolTips", &C::ToolTips, &C::SetToolTips).Default(true);
  p.Field("OnChange", static_cast<TTVChangedEvent C::*>(&C::OnChange));
  p.Field("OnCollapsed", static_cast<TTVChangedEvent C::*>(&C::OnCollapsed));
  p.Field("OnExpanded", static_cast<TTVChangedEvent C::*>(&C::OnExpanded));
}

class TListView : public TCustomListView {
  KX_CLASS(TListView, TCustomListView)
 public:
  using TCustomListView::TCustomListView;
};

class TTreeView : public TCustomTreeView {
  KX_CLASS(TTreeView, TCustomTreeView)
 public:
  using TCustomTreeView::TCustomTreeView;
};

}  // namespace kx
