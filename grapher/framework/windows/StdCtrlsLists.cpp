// The native list controls: list box, check-list box and combo box, with
// their owner drawing.
#include "framework/windows/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>

namespace kx {
namespace {

// Owner drawing of one list or combo item: `canvas` draws on the item's
// context, with the control's font and the colours of the item's state.
template <class Draw>
void DrawOwnerItem(const TControl& control, TCanvas& canvas, const DRAWITEMSTRUCT& dis, Draw draw) {
  TOwnerDrawState state;
  if (dis.itemState & ODS_SELECTED) state.Include(odSelected);
  if (dis.itemState & ODS_FOCUS) state.Include(odFocused);
  if (dis.itemState & ODS_DISABLED) state.Include(odDisabled);
  if (dis.itemState & ODS_COMBOBOXEDIT) state.Include(odComboBoxEdit);
  TSavedDC saved(dis.hDC);
  TCanvasOnDC drawOn(canvas, dis.hDC);
  canvas.Font()->Assign(control.Font());
  canvas.Brush()->SetStyle(bsSolid);
  if (state.Contains(odSelected)) {
    canvas.Brush()->SetColor(clHighlight);
    canvas.Font()->SetColor(clHighlightText);
  } else {
    canvas.Brush()->SetColor(control.Color());
  }
  draw(state);
}

// The look of an item nobody draws: its text on the state's colours.
void DrawItemText(TCanvas& canvas, const RECT& rect, const TStrings& items, int index) {
  canvas.FillRect(rect);
  if (index >= 0 && index < items.Count()) canvas.TextOut(rect.left + 2, rect.top, items.Get(index));
}

}  // namespace

// ---------------------------------------------------------------------------
// TCustomListBox

KX_PUBLISH(TCustomListBox) {
  p.Property("Columns", &TCustomListBox::Columns, &TCustomListBox::SetColumns).Default(0);
  p.Property("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect).Default(true);
  p.Property("IntegralHeight", &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight).Default(false);
  p.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
  p.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex);
  p.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  p.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted);
  p.Property("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect).Default(false);
  p.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle);
  p.Property("TabWidth", &TCustomListBox::TabWidth, &TCustomListBox::SetTabWidth).Default(0);
  p.Field("OnDrawItem", &TCustomListBox::OnDrawItem);
  p.Field("OnMeasureItem", &TCustomListBox::OnMeasureItem);
}

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()), canvas_(std::make_unique<TCanvas>()) {
  // OnClick comes from the selection notification.
  controlStyle_ = controlStyle_ - TControlStyle{csClickEvents};
  items_->OnChange = TNotifyEvent([this](TObject*) { ItemsChanged(); });
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "LISTBOX";
  params.Style |= LBS_NOTIFY | WS_VSCROLL | LBS_HASSTRINGS | ListStyle();
  if (style_ == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) params.Style |= LBS_OWNERDRAWVARIABLE;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  ApplyListMetrics();
  if (HandleAllocated()) FillNative(itemIndex_);
}

void TCustomListBox::FillNative(int keep) {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  SendMessageA(wnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(wnd, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_->Count(); ++i)
    SendMessageA(wnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_->Get(i).c_str()));
  if (style_ == lbOwnerDrawFixed) SendMessageA(wnd, LB_SETITEMHEIGHT, 0, itemHeight_);
  SendMessageA(wnd, LB_SETCURSEL, keep < items_->Count() ? keep : -1, 0);
  SendMessageA(wnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd, nullptr, TRUE);
}

void TCustomListBox::ItemsChanged() {
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  FillNative(ItemIndex());
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  HWND wnd = const_cast<TCustomListBox*>(this)->Handle();
  // A list that selects several items knows the focused one instead.
  if (multiSelect_)
    return SendMessageA(wnd, LB_GETCOUNT, 0, 0) > 0 ? int(SendMessageA(wnd, LB_GETCARETINDEX, 0, 0)) : -1;
  return static_cast<int>(SendMessageA(wnd, LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (!HandleAllocated()) return;
  if (multiSelect_)
    SendMessageA(Handle(), LB_SETCARETINDEX, index, FALSE);
  else
    SendMessageA(Handle(), LB_SETCURSEL, index, 0);
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

void TCustomListBox::SetItemHeight(int height) {
  if (height <= 0 || height == itemHeight_) return;
  itemHeight_ = height;
  if (HandleAllocated()) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    Invalidate();
  }
}

void TCustomListBox::SetSorted(bool on) {
  sorted_ = on;
  items_->SetSorted(on);
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (HandleAllocated())
    SendMessageA(const_cast<TCustomListBox*>(this)->Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) const {
  if (!HandleAllocated()) return -1;
  const LRESULT hit =
      SendMessageA(const_cast<TCustomListBox*>(this)->Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  if (HIWORD(hit)) return existing ? -1 : items_->Count();
  return LOWORD(hit);
}

void TCustomListBox::DeleteSelected() {
  const int index = ItemIndex();
  if (index >= 0) items_->Delete(index);
}

void TCustomListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(*canvas_, rect, *items_, index);
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == LBN_SELCHANGE) Click();
      if (HIWORD(m.WParam) == LBN_DBLCLK) DblClick();
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int height = itemHeight_;
      if (style_ == lbOwnerDrawVariable) OnMeasureItem(this, static_cast<int>(mis->itemID), height);
      mis->itemHeight = static_cast<UINT>(height);
      m.Result = TRUE;
      return;
    }
    case CN_DRAWITEM: {
      const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      DrawOwnerItem(*this, *canvas_, dis, [&](TOwnerDrawState state) {
        if (dis.itemID != static_cast<UINT>(-1)) DrawItem(static_cast<int>(dis.itemID), dis.rcItem, state);
        if (state.Contains(odFocused) && (dis.itemAction & ODA_FOCUS) == 0) DrawFocusRect(dis.hDC, &dis.rcItem);
      });
      m.Result = TRUE;
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

// ---------------------------------------------------------------------------
// TCheckListBox

KX_PUBLISH(TListBox) {}

KX_PUBLISH(TCheckListBox) {
  p.Property("Flat", &TCheckListBox::Flat, &TCheckListBox::SetFlat).Default(true);
  p.Field("OnClickCheck", &TCheckListBox::OnClickCheck);
}

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) { SetStyle(lbOwnerDrawFixed); }

bool TCheckListBox::Checked(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return static_cast<size_t>(index) < checked_.size() && checked_[static_cast<size_t>(index)];
}

void TCheckListBox::SetChecked(int index, bool on) {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  checked_.resize(static_cast<size_t>(Count()), false);
  if (checked_[static_cast<size_t>(index)] == on) return;
  checked_[static_cast<size_t>(index)] = on;
  if (HandleAllocated()) {
    RECT r = ItemRect(index);
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TCheckListBox::ItemsChanged() {
  checked_.resize(static_cast<size_t>(Count()), false);
  TCustomListBox::ItemsChanged();
}

void TCheckListBox::DeleteSelected() {
  const int index = ItemIndex();
  if (index < 0) return;
  if (static_cast<size_t>(index) < checked_.size()) checked_.erase(checked_.begin() + index);
  Items()->Delete(index);
}

void TCheckListBox::ToggleAt(int index) {
  SetChecked(index, !Checked(index));
  ClickCheck();
}

void TCheckListBox::WndProc(TMessage& m) {
  if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) && Enabled()) {
    const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const int index = ItemAtPos(p, true);
    TCustomListBox::WndProc(m);
    if (index >= 0 && p.x < ItemRect(index).left + kCheckWidth) ToggleAt(index);
    return;
  }
  if (m.Msg == WM_CHAR && m.WParam == ' ' && ItemIndex() >= 0) {
    ToggleAt(ItemIndex());
    return;
  }
  TCustomListBox::WndProc(m);
}

void TCheckListBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  RECT box{rect.left, rect.top, rect.left + kCheckWidth, rect.bottom};
  const int size = std::min<int>(13, rect.bottom - rect.top);
  RECT check{box.left + (kCheckWidth - size) / 2, box.top + (box.bottom - box.top - size) / 2, 0, 0};
  check.right = check.left + size;
  check.bottom = check.top + size;
  HDC dc = Canvas()->Handle();
  FillRect(dc, &box, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  DrawFrameControl(dc, &check, DFC_BUTTON,
                   DFCS_BUTTONCHECK | (flat_ ? DFCS_FLAT : 0) | (Checked(index) ? DFCS_CHECKED : 0) |
                       (Enabled() ? 0 : DFCS_INACTIVE));
  rect.left += kCheckWidth;
  if (Checked(index)) state.Include(odChecked);
  TCustomListBox::DrawItem(index, rect, state);
}

// ---------------------------------------------------------------------------
// TComboBox

KX_PUBLISH(TComboBox) {
  p.Property("CharCase", &TComboBox::CharCase, &TComboBox::SetCharCase).Default(ecNormal);
  p.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  p.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
  p.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  p.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  p.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength).Default(0);
  p.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted).Default(false);
  p.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
  p.Property("Text", &TComboBox::Text, &TComboBox::SetText);
  p.Field("OnChange", &TComboBox::OnChange);
  p.Field("OnCloseUp", &TComboBox::OnCloseUp);
  p.Field("OnDrawItem", &TComboBox::OnDrawItem);
  p.Field("OnMeasureItem", &TComboBox::OnMeasureItem);
  p.Field("OnDropDown", &TComboBox::OnDropDown);
  p.Field("OnSelect", &TComboBox::OnSelect);
}

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()), canvas_(std::make_unique<TCanvas>()) {
  controlStyle_ = controlStyle_ - TControlStyle{csClickEvents};
  items_->OnChange = TNotifyEvent([this](TObject*) { FillNative(ItemIndex()); });
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() = default;

void TComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "COMBOBOX";
  params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
  if (charCase_ == ecUpperCase) params.Style |= CBS_UPPERCASE;
  if (charCase_ == ecLowerCase) params.Style |= CBS_LOWERCASE;
  switch (style_) {
    case csDropDown:
      params.Style |= CBS_DROPDOWN;
      break;
    case csSimple:
      params.Style |= CBS_SIMPLE;
      break;
    case csDropDownList:
      params.Style |= CBS_DROPDOWNLIST;
      break;
    case csOwnerDrawFixed:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
      break;
    case csOwnerDrawVariable:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
      break;
  }
  // The height of a drop-down combo box includes its open list.
  params.Height = Height() + itemHeight_ * dropDownCount_ + 4;
}

void TComboBox::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  if (HandleAllocated() && maxLength_ > 0) SendMessageA(Handle(), CB_LIMITTEXT, WPARAM(maxLength_), 0);
  if (HandleAllocated()) FillNative(itemIndex_);
}

void TComboBox::FillNative(int keep) {
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  SendMessageA(wnd, CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_->Count(); ++i)
    SendMessageA(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_->Get(i).c_str()));
  SendMessageA(wnd, CB_SETCURSEL, keep < items_->Count() ? keep : -1, 0);
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageA(const_cast<TComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_) return;
  style_ = style;
  RecreateWnd();
}

void TComboBox::SetItemHeight(int height) {
  if (height <= 0) return;
  itemHeight_ = height;
  if (HandleAllocated()) {
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  }
}

void TComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TComboBox::DrawItem(int index, RECT rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(*canvas_, rect, *items_, index);
}

void TComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
          itemIndex_ = ItemIndex();
          Click();
          Select();
          break;
        case CBN_EDITCHANGE:
          Change();
          break;
        case CBN_DROPDOWN:
          DropDown();
          break;
        case CBN_CLOSEUP:
          CloseUp();
          break;
        default:
          break;
      }
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int height = itemHeight_;
      // The edit part (-1) keeps the common height.
      if (style_ == csOwnerDrawVariable && mis->itemID != UINT(-1))
        OnMeasureItem(this, static_cast<int>(mis->itemID), height);
      mis->itemHeight = static_cast<UINT>(height);
      m.Result = TRUE;
      return;
    }
    case CN_DRAWITEM: {
      const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      DrawOwnerItem(*this, *canvas_, dis,
                    [&](TOwnerDrawState state) { DrawItem(static_cast<int>(dis.itemID), dis.rcItem, state); });
      m.Result = TRUE;
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

}  // namespace kx
