// Native styles of the edit, memo, list and combo boxes that form resources
// set: each is a style bit or a message of the native control, so a change
// remakes the window or sends the message to it.
#include "framework/windows/StdCtrls.h"

namespace kx {

namespace {

void Remake(TWinControl& control) {
  if (control.HandleAllocated()) control.RecreateWnd();
}

}  // namespace

DWORD TCustomEdit::EditStyle() const {
  DWORD style = 0;
  if (charCase_ == ecUpperCase) style |= ES_UPPERCASE;
  if (charCase_ == ecLowerCase) style |= ES_LOWERCASE;
  if (!hideSelection_) style |= ES_NOHIDESEL;
  if (oemConvert_) style |= ES_OEMCONVERT;
  if (passwordChar_ != '\0') style |= ES_PASSWORD;
  return style;
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
  if (v == charCase_) return;
  charCase_ = v;
  Remake(*this);
}

void TCustomEdit::SetHideSelection(bool on) {
  if (on == hideSelection_) return;
  hideSelection_ = on;
  Remake(*this);
}

void TCustomEdit::SetOEMConvert(bool on) {
  if (on == oemConvert_) return;
  oemConvert_ = on;
  Remake(*this);
}

void TCustomEdit::SetPasswordChar(char c) {
  if (c == passwordChar_) return;
  passwordChar_ = c;
  if (!HandleAllocated()) return;
  // The window was made with or without ES_PASSWORD: only the character
  // changes in place.
  SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
  Invalidate();
}

void TMemo::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Remake(*this);
}

DWORD TCustomListBox::ListStyle() const {
  DWORD style = 0;
  if (!integralHeight_) style |= LBS_NOINTEGRALHEIGHT;
  if (columns_ > 0) style |= LBS_MULTICOLUMN;
  if (multiSelect_) style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (tabWidth_ > 0) style |= LBS_USETABSTOPS;
  return style;
}

void TCustomListBox::ApplyListMetrics() {
  if (!HandleAllocated()) return;
  if (columns_ > 0) SendMessageA(Handle(), LB_SETCOLUMNWIDTH, WPARAM(std::max(1, Width() / columns_)), 0);
  if (tabWidth_ > 0) {
    UINT stops = UINT(tabWidth_);
    SendMessageA(Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stops));
  }
}

void TCustomListBox::SetColumns(int v) {
  v = std::max(0, v);
  if (v == columns_) return;
  columns_ = v;
  Remake(*this);
}

void TCustomListBox::SetMultiSelect(bool on) {
  if (on == multiSelect_) return;
  multiSelect_ = on;
  Remake(*this);
}

void TCustomListBox::SetExtendedSelect(bool on) {
  if (on == extendedSelect_) return;
  extendedSelect_ = on;
  Remake(*this);
}

void TCustomListBox::SetIntegralHeight(bool on) {
  if (on == integralHeight_) return;
  integralHeight_ = on;
  Remake(*this);
}

void TCustomListBox::SetTabWidth(int v) {
  v = std::max(0, v);
  if (v == tabWidth_) return;
  tabWidth_ = v;
  Remake(*this);
}

void TComboBox::SetCharCase(TEditCharCase v) {
  if (v == charCase_) return;
  charCase_ = v;
  Remake(*this);
}

void TComboBox::SetMaxLength(int v) {
  maxLength_ = std::max(0, v);
  if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TComboBox::SetSorted(bool on) {
  if (on == sorted_) return;
  sorted_ = on;
  items_->SetSorted(on);
}

}  // namespace kx
