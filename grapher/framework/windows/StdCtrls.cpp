#include "framework/windows/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/windows/Forms.h"

namespace kx {

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
  p.Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect).Default(true);
  p.Property("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize).Default(true);
  p.Property("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
  p.Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection).Default(true);
  p.Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
  p.Property("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert).Default(false);
  p.Property(
       "PasswordChar", [](const TCustomEdit& e) { return e.PasswordChar() ? std::string(1, e.PasswordChar()) : ""; },
       [](TCustomEdit& e, const std::string& c) { e.SetPasswordChar(c.empty() ? '\0' : c[0]); })
      .StoredWhen([](const TCustomEdit& e) { return e.PasswordChar() != '\0'; });
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
  params.Style |= ES_AUTOHSCROLL | EditStyle();
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
  p.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment).Default(taLeftJustify);
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
  if (alignment_ == taRightJustify) params.Style |= ES_RIGHT;
  if (alignment_ == taCenter) params.Style |= ES_CENTER;
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

}  // namespace kx
