#include "framework/windows/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/windows/Forms.h"

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
// TLabel

KX_PUBLISH(TLabel) {
  p.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
  p.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  p.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  p.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 65, 17);
  SetParentColor(true);
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_TEXTCHANGED || m.Msg == CM_FONTCHANGED) AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  const std::string text = Caption().empty() ? std::string(" ") : Caption();
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TLabel::Paint() {
  TCanvas& c = *Canvas();
  RECT r = ClientRect();
  if (!transparent_) {
    c.Brush()->SetColor(Color());
    c.FillRect(r);
  }
  c.Font()->Assign(Font());
  c.Brush()->SetStyle(bsClear);
  const std::string text = Caption();
  const UINT align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (!Enabled()) c.Font()->SetColor(clGrayText);
  c.TextRect(r, text, align | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : 0));
}

// ---------------------------------------------------------------------------
// TButton

KX_PUBLISH(TButton) { p.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult); }

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  // Clicks come from the native button (mouse and keyboard alike).
  controlStyle_ = controlStyle_ - TControlStyle{csClickEvents, csDoubleClicks};
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "BUTTON";
  params.Style |= BS_PUSHBUTTON;
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TCustomEdit

KX_PUBLISH(TCustomEdit) {
  p.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
  p.Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
  p.Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
  p.Field("OnChange", &TCustomEdit::OnChange);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = "EDIT";
  params.Style |= ES_AUTOHSCROLL;
  if (readOnly_) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& params) {
  // The native edit announces its initial text; that is no change.
  settingText_ = true;
  TWinControl::CreateWindowHandle(params);
  settingText_ = false;
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    SendMessageA(Handle(), EM_SETSEL, selStart_, selStart_ + selLength_);
  }
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = std::max(v, 0);
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool on) {
  readOnly_ = on;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, on, 0);
}

int TCustomEdit::SelStart() const {
  if (!HandleAllocated()) return selStart_;
  DWORD start = 0, end = 0;
  SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int v) {
  selStart_ = v;
  selLength_ = 0;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, v, v);
}

int TCustomEdit::SelLength() const {
  if (!HandleAllocated()) return selLength_;
  DWORD start = 0, end = 0;
  SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int v) {
  const int start = SelStart();
  selLength_ = v;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, start, start + v);
}

std::string TCustomEdit::SelText() const {
  const std::string text = Text();
  const size_t start = std::min<size_t>(SelStart(), text.size());
  return text.substr(start, static_cast<size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& text) {
  HandleNeeded();
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  // The native notification is not sent for every kind of edit: raise the
  // change here, once.
  settingText_ = true;
  try {
    TWinControl::SetText(text);
  } catch (...) {
    settingText_ = false;
    throw;
  }
  settingText_ = false;
  Change();
}

void TCustomEdit::Change() { OnChange(this); }

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE && !settingText_) Change();
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------
// TMemo

namespace {

// The lines of a memo, read from and written to its text.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TMemo& memo) : memo_(memo) {}

  int Count() const override { return static_cast<int>(Split().size()); }
  std::string Get(int index) const override {
    const auto lines = Split();
    if (index < 0 || index >= static_cast<int>(lines.size()))
      throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    return lines[static_cast<size_t>(index)];
  }
  void Put(int index, const std::string& s) override {
    auto lines = Split();
    Check(index, lines.size());
    lines[static_cast<size_t>(index)] = s;
    Join(lines);
  }
  void Insert(int index, const std::string& s) override {
    auto lines = Split();
    if (index < 0 || index > static_cast<int>(lines.size()))
      throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    lines.insert(lines.begin() + index, s);
    Join(lines);
  }
  void Delete(int index) override {
    auto lines = Split();
    Check(index, lines.size());
    lines.erase(lines.begin() + index);
    Join(lines);
  }
  void Clear() override { memo_.SetText(""); }

 private:
  static void Check(int index, size_t count) {
    if (index < 0 || index >= static_cast<int>(count))
      throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  std::vector<std::string> Split() const {
    std::vector<std::string> lines;
    const std::string text = memo_.Text();
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find_first_of("\r\n", start);
      if (end == std::string::npos) end = text.size();
      lines.push_back(text.substr(start, end - start));
      if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
      start = end + 1;
    }
    return lines;
  }
  void Join(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (i) text += "\r\n";
      text += lines[i];
    }
    memo_.SetText(text);
  }
  TMemo& memo_;
};

}  // namespace

KX_PUBLISH(TEdit) {}

KX_PUBLISH(TMemo) {
  p.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  p.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars);
  p.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style &= ~ES_AUTOHSCROLL;
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!wordWrap_) params.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
}

void TMemo::SetScrollBars(TScrollStyle v) {
  if (v == scrollBars_) return;
  scrollBars_ = v;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool on) {
  if (on == wordWrap_) return;
  wordWrap_ = on;
  RecreateWnd();
}

// ---------------------------------------------------------------------------
// TCustomListBox

KX_PUBLISH(TCustomListBox) {
  p.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
  p.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex);
  p.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  p.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted);
  p.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle);
  p.Field("OnDrawItem", &TCustomListBox::OnDrawItem);
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
  params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | LBS_HASSTRINGS;
  if (style_ == lbOwnerDrawFixed) params.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) params.Style |= LBS_OWNERDRAWVARIABLE;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
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
  return static_cast<int>(SendMessageA(const_cast<TCustomListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETCURSEL, index, 0);
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
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      m.Result = TRUE;
      return;
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

KX_PUBLISH(TCheckListBox) { p.Field("OnClickCheck", &TCheckListBox::OnClickCheck); }

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
  DrawFrameControl(
      dc, &check, DFC_BUTTON,
      DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
  rect.left += kCheckWidth;
  if (Checked(index)) state.Include(odChecked);
  TCustomListBox::DrawItem(index, rect, state);
}

// ---------------------------------------------------------------------------
// TComboBox

KX_PUBLISH(TComboBox) {
  p.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  p.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
  p.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  p.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  p.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
  p.Property("Text", &TComboBox::Text, &TComboBox::SetText);
  p.Field("OnChange", &TComboBox::OnChange);
  p.Field("OnCloseUp", &TComboBox::OnCloseUp);
  p.Field("OnDrawItem", &TComboBox::OnDrawItem);
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
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(itemHeight_);
      m.Result = TRUE;
      return;
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
