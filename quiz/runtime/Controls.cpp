#include "runtime/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "runtime/App.h"
#include "runtime/Form.h"

namespace tq {

namespace {

// Reads a whole number from the start of a text; what follows is ignored.
int LeadingInt(const std::wstring& text, int fallback) {
  size_t k = 0;
  while (k < text.size() && text[k] == L' ') ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == L'-' || text[k] == L'+')) negative = text[k++] == L'-';
  if (k >= text.size() || text[k] < L'0' || text[k] > L'9') return fallback;
  long long value = 0;
  for (; k < text.size() && text[k] >= L'0' && text[k] <= L'9'; ++k) {
    value = std::min<long long>(value * 10 + (text[k] - L'0'), 1ll << 40);
  }
  value = negative ? -value : value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

Control::~Control() {
  if (form_) form_->Forget(this);
  if (wnd_) DestroyWindow(wnd_);
  if (brush_) DeleteObject(brush_);
}

void Control::Make(Form& form, const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle, int left,
                   int top, int width, int height) {
  static bool commonControls = [] {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    return InitCommonControlsEx(&init) != 0;
  }();
  (void)commonControls;
  if (wnd_) throw std::logic_error("control made twice on one load");
  form_ = &form;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  customBack_ = false;
  wnd_ = CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, PixelsFromTwipsX(left),
                         PixelsFromTwipsY(top), PixelsFromTwipsX(width), PixelsFromTwipsY(height), form.Hwnd(),
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(form.NextControlId())), App::Get().Instance(),
                         nullptr);
  if (!wnd_) throw std::runtime_error("cannot make a control");
  SendMessageW(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
  form.Attach(this);
}

void Control::Detach() {
  wnd_ = nullptr;
  form_ = nullptr;
  if (brush_) DeleteObject(brush_);
  brush_ = nullptr;
  customBack_ = false;
  Detached();
}

void Control::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (wnd_) {
    MoveWindow(wnd_, PixelsFromTwipsX(left), PixelsFromTwipsY(top), PixelsFromTwipsX(width), PixelsFromTwipsY(height),
               TRUE);
  }
}

void Control::SetVisible(bool visible) {
  if (wnd_) ShowWindow(wnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const { return wnd_ && (GetWindowLongW(wnd_, GWL_STYLE) & WS_VISIBLE); }

void Control::SetEnabled(bool enabled) {
  if (wnd_) EnableWindow(wnd_, enabled);
}

bool Control::Enabled() const { return wnd_ && IsWindowEnabled(wnd_); }

void Control::SetFocus() {
  if (wnd_) ::SetFocus(wnd_);
}

void Control::SetBackColor(COLORREF color) {
  backColor_ = color;
  customBack_ = true;
  if (brush_) DeleteObject(brush_);
  brush_ = CreateSolidBrush(color);
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
}

HBRUSH Control::ColorFor(HDC dc) {
  if (!customBack_) return nullptr;
  SetBkColor(dc, backColor_);
  return brush_;
}

std::wstring Control::WindowText() const {
  if (!wnd_) return {};
  const int length = GetWindowTextLengthW(wnd_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(wnd_, text.data(), length + 1)));
  return text;
}

void Control::SetWindowTextRaw(const std::wstring& text) {
  if (wnd_) SetWindowTextW(wnd_, text.c_str());
}

// Button

void Button::Create(Form& form, const std::wstring& caption, int left, int top, int width, int height) {
  Make(form, L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, 0, left, top, width, height);
}

void Button::Click() {
  if (OnClick) OnClick();
}

void Button::Command(int code) {
  if (code == BN_CLICKED) Click();
}

// Label

void Label::Create(Form& form, const std::wstring& caption, int left, int top, int width, int height) {
  Make(form, L"STATIC", caption, SS_LEFT | SS_NOTIFY, 0, left, top, width, height);
}

void Label::Command(int code) {
  if (code == STN_CLICKED && OnClick) OnClick();
}

// CheckBox

void CheckBox::Create(Form& form, const std::wstring& caption, int left, int top, int width, int height) {
  Make(form, L"BUTTON", caption, BS_AUTOCHECKBOX | WS_TABSTOP, 0, left, top, width, height);
}

int CheckBox::Value() const { return wnd_ && SendMessageW(wnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void CheckBox::SetValue(int value) {
  if (wnd_) SendMessageW(wnd_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::Command(int code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

// OptionButton

void OptionButton::Create(Form& form, const std::wstring& caption, bool firstOfGroup, int left, int top, int width,
                          int height) {
  Make(form, L"BUTTON", caption, BS_AUTORADIOBUTTON | WS_TABSTOP | (firstOfGroup ? WS_GROUP : 0), 0, left, top, width,
       height);
}

bool OptionButton::Value() const { return wnd_ && SendMessageW(wnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void OptionButton::SetValue(bool value) {
  if (wnd_) SendMessageW(wnd_, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::Command(int code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}

// Frame

void Frame::Create(Form& form, const std::wstring& caption, int left, int top, int width, int height) {
  Make(form, L"BUTTON", caption, BS_GROUPBOX, 0, left, top, width, height);
}

// TextBox

void TextBox::Create(Form& form, bool multiLine, int left, int top, int width, int height) {
  const DWORD style = multiLine ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL : ES_AUTOHSCROLL;
  Make(form, L"EDIT", L"", style | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top, width, height);
  SendMessageW(wnd_, EM_SETLIMITTEXT, 0, 0);
}

void TextBox::SetText(const std::wstring& text) {
  setting_ = true;
  SetWindowTextRaw(text);
  setting_ = false;
  if (OnChange) OnChange();
}

int TextBox::SelStart() const {
  DWORD start = 0;
  if (wnd_) SendMessageW(wnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TextBox::SelLength() const {
  DWORD start = 0, end = 0;
  if (wnd_) SendMessageW(wnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

std::wstring TextBox::SelText() const {
  const std::wstring text = Text();
  const size_t start = std::min<size_t>(static_cast<size_t>(SelStart()), text.size());
  return text.substr(start, static_cast<size_t>(SelLength()));
}

void TextBox::Select(int start, int length) {
  if (wnd_) SendMessageW(wnd_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

void TextBox::SetReadOnly(bool readOnly) {
  if (wnd_) SendMessageW(wnd_, EM_SETREADONLY, readOnly, 0);
}

void TextBox::TakeTab() {
  if (wnd_) SetWindowSubclass(wnd_, TabProc, 1, 0);
}

LRESULT CALLBACK TextBox::TabProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  const bool plainTab = wp == VK_TAB && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
  switch (msg) {
    case WM_GETDLGCODE:
      // The screen's key navigation leaves a plain Tab to the box.
      if (lp && reinterpret_cast<MSG*>(lp)->wParam == VK_TAB && GetKeyState(VK_SHIFT) >= 0) {
        return DefSubclassProc(wnd, msg, wp, lp) | DLGC_WANTTAB;
      }
      break;
    case WM_KEYDOWN:
      if (plainTab) {
        SendMessageW(wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\t"));
        return 0;
      }
      break;
    case WM_CHAR:
      if (wp == L'\t') return 0;  // typed on the key's press already
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(wnd, TabProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(wnd, msg, wp, lp);
}

void TextBox::Command(int code) {
  if (code == EN_CHANGE && !setting_ && OnChange) OnChange();
  if (code == EN_SETFOCUS && OnGotFocus) OnGotFocus();
}

// ListControl

LRESULT ListControl::Send(UINT msg, WPARAM wp, LPARAM lp) const { return wnd_ ? SendMessageW(wnd_, msg, wp, lp) : -1; }

void ListControl::AddItem(const std::wstring& text) { Send(messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str())); }

void ListControl::RemoveItem(int index) { Send(messages_.remove, static_cast<WPARAM>(index)); }

void ListControl::Clear() { Send(messages_.reset); }

int ListControl::ListCount() const { return wnd_ ? static_cast<int>(Send(messages_.count)) : 0; }

std::wstring ListControl::List(int index) const {
  if (index < 0 || index >= ListCount()) return {};
  const LRESULT length = Send(messages_.textLength, static_cast<WPARAM>(index));
  if (length < 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  Send(messages_.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

int ListControl::ListIndex() const { return static_cast<int>(Send(messages_.getSelection)); }

void ListControl::SetListIndex(int index) { Send(messages_.setSelection, static_cast<WPARAM>(index)); }

void ListControl::Command(int code) {
  if (static_cast<UINT>(code) == messages_.selectionChanged && OnClick) OnClick();
}

ListBox::ListBox()
    : ListControl({LB_ADDSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_GETCURSEL,
                   LB_SETCURSEL, LBN_SELCHANGE}) {}

void ListBox::Create(Form& form, int left, int top, int width, int height) {
  Make(form, L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top,
       width, height);
}

ComboBox::ComboBox()
    : ListControl({CB_ADDSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT,
                   CB_GETCURSEL, CB_SETCURSEL, CBN_SELCHANGE}) {}

void ComboBox::Create(Form& form, int left, int top, int width, int height) {
  // The window's height includes the dropped list.
  Make(form, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, left, top, width, height * 6);
}

// UpDown

void UpDown::Create(Form& form, int left, int top, int width, int height, int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  Make(form, L"EDIT", std::to_wstring(minimum), ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, left, top,
       width, height);
  arrows_ =
      CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                      0, 0, 0, 0, form.Hwnd(), nullptr, App::Get().Instance(), nullptr);
  SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(wnd_), 0);
  SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
  SendMessageW(arrows_, UDM_SETPOS32, 0, minimum);
}

int UpDown::Value() const {
  return std::clamp(LeadingInt(WindowText(), minimum_), minimum_, std::max(minimum_, maximum_));
}

void UpDown::SetValue(int value) {
  value = std::clamp(value, minimum_, std::max(minimum_, maximum_));
  if (arrows_) SendMessageW(arrows_, UDM_SETPOS32, 0, value);
  SetWindowTextRaw(std::to_wstring(value));
}

void UpDown::Command(int code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

void UpDown::Detached() { arrows_ = nullptr; }

// Picture

Picture::~Picture() {
  if (bitmap_) DeleteObject(bitmap_);
}

void Picture::Create(Form& form, int left, int top, int width, int height) {
  Make(form, L"STATIC", L"", SS_OWNERDRAW | SS_NOTIFY, 0, left, top, width, height);
}

void Picture::SetPicture(HBITMAP bitmap) {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = bitmap;
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
}

void Picture::Command(int code) {
  if (code == STN_CLICKED && OnClick) OnClick();
}

void Picture::DrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& box = item.rcItem;
  HBRUSH brush = CreateSolidBrush(BackColor());
  FillRect(item.hDC, &box, brush);
  DeleteObject(brush);
  if (!bitmap_) return;
  BITMAP info{};
  GetObjectW(bitmap_, sizeof info, &info);
  HDC source = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(source, bitmap_);
  SetStretchBltMode(item.hDC, HALFTONE);
  StretchBlt(item.hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

// Timer

Timer::~Timer() {
  if (form_) {
    if (enabled_ && form_->Hwnd()) KillTimer(form_->Hwnd(), reinterpret_cast<UINT_PTR>(this));
    form_->Forget(this);
  }
}

void Timer::Create(Form& form, UINT intervalMs) {
  form_ = &form;
  interval_ = intervalMs;
  enabled_ = false;
  form.Attach(this);
}

void Timer::SetEnabled(bool enabled) {
  if (!form_ || !form_->Hwnd()) {
    enabled_ = false;
    return;
  }
  const UINT_PTR id = reinterpret_cast<UINT_PTR>(this);
  if (enabled && !enabled_) SetTimer(form_->Hwnd(), id, interval_, nullptr);
  if (!enabled && enabled_) KillTimer(form_->Hwnd(), id);
  enabled_ = enabled;
}

void Timer::Tick() {
  if (enabled_ && OnTimer) OnTimer();
}

void Timer::Detach() {
  SetEnabled(false);
  form_ = nullptr;
}

}  // namespace tq
