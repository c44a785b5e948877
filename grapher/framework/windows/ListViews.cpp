#include "framework/windows/ListViews.h"

#include <commctrl.h>

#include <utility>

namespace kx {

KX_PUBLISH(TListColumn) {
  p.Property("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
  p.Property("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
}

KX_PUBLISH(TListItem) {
  p.Property("Caption", &TListItem::Caption, &TListItem::SetCaption);
  p.Property("ImageIndex", &TListItem::ImageIndex, &TListItem::SetImageIndex).Default(-1);
  p.Property("SubItems", &TListItem::SubItems, &TListItem::SetSubItems);
}

KX_PUBLISH(TViewCollection) {}

KX_PUBLISH(TCustomListView) {}

KX_PUBLISH(TTreeNode) {
  p.Property("Text", &TTreeNode::Text, &TTreeNode::SetText);
  p.Property("ImageIndex", &TTreeNode::ImageIndex, &TTreeNode::SetImageIndex).Default(-1);
  p.Property("SelectedIndex", &TTreeNode::SelectedIndex, &TTreeNode::SetSelectedIndex).Default(-1);
  p.Property("Expanded", &TTreeNode::Expanded, &TTreeNode::SetExpanded).Default(false);
  p.Property("Nodes", &TTreeNode::Nodes, &TTreeNode::SetNodes);
}

KX_PUBLISH(TCustomTreeView) {}

KX_PUBLISH(TListView) { PublishListView(p); }

KX_PUBLISH(TTreeView) { PublishTreeView(p); }

// ---------------------------------------------------------------------------
// Items of the views

TViewCollection::TViewCollection(TPersistent* owner, TItemFactory factory, std::function<void()> changed)
    : TCollection(owner, std::move(factory)), changed_(std::move(changed)) {}

void TViewCollection::Update(TCollectionItem*) {
  if (changed_) changed_();
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed(false);
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  Changed(false);
}

void TListColumn::Assign(TPersistent* source) {
  if (auto* c = dynamic_cast<TListColumn*>(source)) {
    caption_ = c->caption_;
    width_ = c->width_;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

TListItem::TListItem(TCollection* collection)
    : TCollectionItem(collection), subItems_(std::make_unique<TStringList>()) {
  subItems_->OnChange = TNotifyEvent([this](TObject*) { Changed(false); });
}

TListItem::~TListItem() { subItems_->OnChange = TNotifyEvent(); }

void TListItem::SetCaption(const std::string& caption) {
  caption_ = caption;
  Changed(false);
}

void TListItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed(false);
}

void TListItem::Assign(TPersistent* source) {
  if (auto* i = dynamic_cast<TListItem*>(source)) {
    caption_ = i->caption_;
    imageIndex_ = i->imageIndex_;
    subItems_->Assign(i->subItems_.get());
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

// ---------------------------------------------------------------------------
// TCustomListView

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner),
      columns_(std::make_unique<TViewCollection>(this, TCollection::ItemsOf<TListColumn>(), [this] { Fill(); })),
      items_(std::make_unique<TViewCollection>(this, TCollection::ItemsOf<TListItem>(), [this] { Fill(); })) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
}

TCustomListView::~TCustomListView() {
  columns_->Detach();
  items_->Detach();
  SetLargeImages(nullptr);
  SetSmallImages(nullptr);
}

void TCustomListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  params.WinClassName = WC_LISTVIEWA;
  static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  params.Style |= WS_TABSTOP | LVS_SHAREIMAGELISTS | kViews[viewStyle_] | ListStyle();
  if (!readOnly_) params.Style |= LVS_EDITLABELS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
  const int wanted = itemIndex_;  // the window made anew shows the selection kept
  TWinControl::CreateWnd();
  ApplyExtendedStyle();
  ApplyImages();
  Fill();
  if (wanted >= 0) SetItemIndex(wanted);
}

void TCustomListView::Loaded() {
  TWinControl::Loaded();
  Fill();  // what the resource listed
}

void TCustomListView::ApplyExtendedStyle() {
  if (!HandleAllocated()) return;
  const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_TRACKSELECT;
  const DWORD bits = (rowSelect_ ? LVS_EX_FULLROWSELECT : 0) | (gridLines_ ? LVS_EX_GRIDLINES : 0) |
                     (checkboxes_ ? LVS_EX_CHECKBOXES : 0) | (hotTrack_ ? LVS_EX_TRACKSELECT : 0);
  SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, bits);
}

void TCustomListView::ApplyImages() {
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(largeImages_ ? largeImages_->Handle() : nullptr));
  SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(smallImages_ ? smallImages_->Handle() : nullptr));
}

void TCustomListView::Fill() {
  if (!HandleAllocated() || IsLoading()) return;
  const int keep = ItemIndex();
  filling_ = true;
  const HWND wnd = Handle();
  SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(wnd, LVM_DELETEALLITEMS, 0, 0);
  while (SendMessageA(wnd, LVM_DELETECOLUMN, 0, 0)) {
  }
  for (int i = 0; i < columns_->Count(); ++i) {
    const TListColumn& c = *columns_->ItemAs<TListColumn>(i);
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = const_cast<char*>(c.Caption().c_str());
    col.cx = c.Width();
    col.iSubItem = i;
    SendMessageA(wnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
  for (int i = 0; i < items_->Count(); ++i) {
    TListItem& item = *Item(i);
    LVITEMA row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = i;
    row.pszText = const_cast<char*>(item.Caption().c_str());
    row.iImage = item.ImageIndex();
    row.lParam = reinterpret_cast<LPARAM>(&item);
    SendMessageA(wnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row));
    for (int k = 0; k < item.SubItems()->Count(); ++k) {
      const std::string text = item.SubItems()->Strings(k);
      LVITEMA sub{};
      sub.iSubItem = k + 1;
      sub.pszText = const_cast<char*>(text.c_str());
      SendMessageA(wnd, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
    }
  }
  if (keep >= 0 && keep < items_->Count()) SetItemIndex(keep);
  SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd, nullptr, TRUE);
  filling_ = false;
}

void TCustomListView::SetViewStyle(TViewStyle style) {
  if (style == viewStyle_) return;
  viewStyle_ = style;
  RecreateWnd();
}

void TCustomListView::SetRowSelect(bool on) {
  rowSelect_ = on;
  ApplyExtendedStyle();
}

void TCustomListView::SetGridLines(bool on) {
  gridLines_ = on;
  ApplyExtendedStyle();
}

void TCustomListView::SetReadOnly(bool on) {
  if (on == readOnly_) return;
  readOnly_ = on;
  RecreateWnd();
}

void TCustomListView::SetLargeImages(TImageList* images) {
  if (images == largeImages_) return;
  if (largeImages_) largeImages_->RemoveFreeNotification(this);
  largeImages_ = images;
  if (images) images->FreeNotification(this);
  ApplyImages();
}

void TCustomListView::SetSmallImages(TImageList* images) {
  if (images == smallImages_) return;
  if (smallImages_) smallImages_->RemoveFreeNotification(this);
  smallImages_ = images;
  if (images) images->FreeNotification(this);
  ApplyImages();
}

void TCustomListView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == largeImages_) SetLargeImages(nullptr);
  if (component == smallImages_) SetSmallImages(nullptr);
}

int TCustomListView::ItemIndex() const {
  auto* self = const_cast<TCustomListView*>(this);
  if (!self->HandleAllocated()) return itemIndex_;
  return int(SendMessageA(self->Handle(), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int index) {
  itemIndex_ = index;
  if (!HandleAllocated()) return;
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
  if (index < 0 || index >= items_->Count()) return;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  SendMessageA(Handle(), LVM_ENSUREVISIBLE, index, FALSE);
}

TListItem* TCustomListView::Selected() const {
  const int index = ItemIndex();
  return index >= 0 && index < items_->Count() ? Item(index) : nullptr;
}

void TCustomListView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    switch (header->code) {
      case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(m.LParam);
        const bool was = change->uOldState & LVIS_SELECTED, now = change->uNewState & LVIS_SELECTED;
        if (was != now) itemIndex_ = ItemIndex();
        if (!filling_ && (change->uChanged & LVIF_STATE) && was != now && change->iItem >= 0 &&
            change->iItem < items_->Count())
          OnSelectItem(this, Item(change->iItem), now);
        return;
      }
      case LVN_COLUMNCLICK: {
        const auto* click = reinterpret_cast<const NMLISTVIEW*>(m.LParam);
        if (click->iSubItem >= 0 && click->iSubItem < columns_->Count())
          OnColumnClick(this, columns_->ItemAs<TListColumn>(click->iSubItem));
        return;
      }
      case NM_CLICK:
        Click();
        return;
      case NM_DBLCLK:
        DblClick();
        return;
      default:
        break;
    }
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TTreeNode

TTreeNode::TTreeNode(TCollection* collection)
    : TCollectionItem(collection),
      nodes_(std::make_unique<TViewCollection>(this, TCollection::ItemsOf<TTreeNode>(), [this] { Changed(false); })) {}

TTreeNode::~TTreeNode() { nodes_->Detach(); }

void TTreeNode::SetText(const std::string& text) {
  text_ = text;
  Changed(false);
}

void TTreeNode::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed(false);
}

void TTreeNode::SetSelectedIndex(int index) {
  selectedIndex_ = index;
  Changed(false);
}

void TTreeNode::SetExpanded(bool on) {
  if (on == expanded_) return;
  expanded_ = on;
  Changed(false);
}

TTreeNode* TTreeNode::ParentNode() const {
  return Collection() ? dynamic_cast<TTreeNode*>(Collection()->GetOwner()) : nullptr;
}

int TTreeNode::Level() const {
  int level = 0;
  for (const TTreeNode* up = ParentNode(); up; up = up->ParentNode()) ++level;
  return level;
}

void TTreeNode::Assign(TPersistent* source) {
  if (auto* n = dynamic_cast<TTreeNode*>(source)) {
    text_ = n->text_;
    imageIndex_ = n->imageIndex_;
    selectedIndex_ = n->selectedIndex_;
    expanded_ = n->expanded_;
    nodes_->Assign(n->nodes_.get());
    Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

// ---------------------------------------------------------------------------
// TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TViewCollection>(this, TCollection::ItemsOf<TTreeNode>(), [this] { Fill(); })) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
  items_->Detach();
  SetImages(nullptr);
}

void TCustomTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  params.WinClassName = WC_TREEVIEWA;
  params.Style |= WS_TABSTOP | TreeStyle();
  if (showLines_) params.Style |= TVS_HASLINES;
  if (showButtons_) params.Style |= TVS_HASBUTTONS;
  if (showRoot_) params.Style |= TVS_LINESATROOT;
  if (!readOnly_) params.Style |= TVS_EDITLABELS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  if (indent_ > 0) SendMessageA(Handle(), TVM_SETINDENT, WPARAM(indent_), 0);
  ApplyImages();
  Fill();
}

void TCustomTreeView::Loaded() {
  TWinControl::Loaded();
  Fill();  // what the resource listed
}

void TCustomTreeView::ApplyImages() {
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL,
               reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
}

void TCustomTreeView::Fill() {
  if (!HandleAllocated() || IsLoading()) return;
  filling_ = true;
  const HWND wnd = Handle();
  SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(wnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  bool selectedFound = false;
  Insert(*items_, TVI_ROOT, selectedFound);
  // The selected node may have gone with its branch.
  if (!selectedFound) selected_ = nullptr;
  if (selected_) SendMessageA(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(selected_->handle_));
  SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd, nullptr, TRUE);
  filling_ = false;
}

void TCustomTreeView::Insert(TCollection& nodes, void* parent, bool& selectedFound) {
  for (int i = 0; i < nodes.Count(); ++i) {
    TTreeNode& node = *nodes.ItemAs<TTreeNode>(i);
    TVINSERTSTRUCTA insert{};
    insert.hParent = static_cast<HTREEITEM>(parent);
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(node.Text().c_str());
    insert.item.iImage = node.ImageIndex();
    insert.item.iSelectedImage = node.SelectedIndex();
    insert.item.lParam = reinterpret_cast<LPARAM>(&node);
    node.handle_ =
        reinterpret_cast<void*>(SendMessageA(Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (&node == selected_) selectedFound = true;
    Insert(*node.Nodes(), node.handle_, selectedFound);
    if (node.Expanded()) SendMessageA(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node.handle_));
  }
}

TTreeNode* TCustomTreeView::NodeOf(void* item) const {
  if (!item) return nullptr;
  TVITEMA query{};
  query.mask = TVIF_PARAM;
  query.hItem = static_cast<HTREEITEM>(item);
  auto* self = const_cast<TCustomTreeView*>(this);
  if (!SendMessageA(self->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query))) return nullptr;
  return reinterpret_cast<TTreeNode*>(query.lParam);
}

void TCustomTreeView::StyleChanged() { RecreateWnd(); }

void TCustomTreeView::SetShowLines(bool on) {
  showLines_ = on;
  StyleChanged();
}

void TCustomTreeView::SetShowButtons(bool on) {
  showButtons_ = on;
  StyleChanged();
}

void TCustomTreeView::SetShowRoot(bool on) {
  showRoot_ = on;
  StyleChanged();
}

void TCustomTreeView::SetReadOnly(bool on) {
  readOnly_ = on;
  StyleChanged();
}

void TCustomTreeView::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images) images->FreeNotification(this);
  ApplyImages();
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  selected_ = node;
  if (HandleAllocated())
    SendMessageA(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node ? node->handle_ : nullptr));
}

void TCustomTreeView::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == images_) SetImages(nullptr);
}

void TCustomTreeView::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    switch (header->code) {
      case TVN_SELCHANGEDA:
      case TVN_SELCHANGEDW: {
        const auto* change = reinterpret_cast<const NMTREEVIEWA*>(m.LParam);
        if (filling_) return;
        selected_ = NodeOf(change->itemNew.hItem);
        OnChange(this, selected_);
        return;
      }
      case TVN_ITEMEXPANDEDA:
      case TVN_ITEMEXPANDEDW: {
        const auto* change = reinterpret_cast<const NMTREEVIEWA*>(m.LParam);
        TTreeNode* node = NodeOf(change->itemNew.hItem);
        if (!node || filling_) return;
        const bool open = change->action == TVE_EXPAND;
        node->expanded_ = open;  // the window shows it already: no filling anew
        if (open)
          OnExpanded(this, node);
        else
          OnCollapsed(this, node);
        return;
      }
      case NM_CLICK:
        Click();
        return;
      case NM_DBLCLK:
        DblClick();
        return;
      default:
        break;
    }
  }
  TWinControl::WndProc(m);
}

}  // namespace kx
