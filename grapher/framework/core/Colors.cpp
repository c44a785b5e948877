#include "framework/core/Colors.h"

#include "framework/core/SysUtils.h"

namespace kx {
namespace {

constexpr TColorName kNames[NamedColorCount] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuText, "clMenuText"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

bool ParseNumber(std::string_view text, int base, int64_t& value) {
  if (text.empty() || text.size() > 10) return false;
  value = 0;
  for (char ch : text) {
    int digit;
    if (ch >= '0' && ch <= '9')
      digit = ch - '0';
    else if (base == 16 && ch >= 'a' && ch <= 'f')
      digit = ch - 'a' + 10;
    else if (base == 16 && ch >= 'A' && ch <= 'F')
      digit = ch - 'A' + 10;
    else
      return false;
    value = value * base + digit;
  }
  return true;
}

}  // namespace

const TColorName* NamedColors() { return kNames; }

bool IdentToColor(std::string_view ident, TColor& color) {
  for (const TColorName& n : kNames) {
    if (SameText(ident, n.Name)) {
      color = n.Value;
      return true;
    }
  }
  return false;
}

std::string ColorToIdent(TColor color) {
  for (const TColorName& n : kNames)
    if (n.Value == color) return n.Name;
  return {};
}

bool StringToColor(std::string_view text, TColor& color) {
  if (IdentToColor(text, color)) return true;
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  int64_t value = 0;
  const bool ok =
      !text.empty() && text.front() == '$' ? ParseNumber(text.substr(1), 16, value) : ParseNumber(text, 10, value);
  if (!ok) return false;
  if (negative) value = -value;
  if (value < INT32_MIN || value > UINT32_MAX) return false;
  color = static_cast<TColor>(static_cast<uint32_t>(value));
  return true;
}

}  // namespace kx
