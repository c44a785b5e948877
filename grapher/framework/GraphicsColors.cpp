#include "GraphicsColors.h"

#include "SysUtils.h"

#include <windows.h>

namespace kx {
namespace {

struct NamedColor {
  TColor value;
  const char* name;
};

const NamedColor kColors[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"},
    {clOlive, "clOlive"}, {clNavy, "clNavy"}, {clPurple, "clPurple"},
    {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"},
    {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"}, {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"}, {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"}, {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"}, {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"}, {clMenu, "clMenu"}, {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};
static_assert(std::size(kColors) == 52);

} // namespace

bool ColorToIdent(TColor color, std::string& ident) {
  for (const NamedColor& c : kColors)
    if (c.value == color) {
      ident = c.name;
      return true;
    }
  return false;
}

bool IdentToColor(std::string_view ident, TColor& color) {
  for (const NamedColor& c : kColors)
    if (SameText(c.name, ident)) {
      color = c.value;
      return true;
    }
  return false;
}

TColor StringToColor(std::string_view s) {
  TColor color;
  if (IdentToColor(s, color)) return color;
  const bool hex = !s.empty() && s[0] == '$';
  const bool negative = !hex && !s.empty() && s[0] == '-';
  std::string_view digits = s.substr(hex || negative ? 1 : 0);
  if (digits.empty() || digits.size() > (hex ? 8u : 10u))
    throw EConvertError("\"" + std::string(s) + "\" is not a valid colour");
  int64_t value = 0;
  for (char ch : digits) {
    int d;
    if (ch >= '0' && ch <= '9') d = ch - '0';
    else if (hex && ch >= 'a' && ch <= 'f') d = ch - 'a' + 10;
    else if (hex && ch >= 'A' && ch <= 'F') d = ch - 'A' + 10;
    else throw EConvertError("\"" + std::string(s) + "\" is not a valid colour");
    value = value * (hex ? 16 : 10) + d;
  }
  if (negative) value = -value;
  if (hex) return TColor(uint32_t(value));
  if (value < INT32_MIN || value > INT32_MAX)
    throw EConvertError("\"" + std::string(s) + "\" is not a valid colour");
  return TColor(value);
}

std::string ColorToString(TColor color) {
  std::string ident;
  if (ColorToIdent(color, ident)) return ident;
  char text[16];
  static const char digits[] = "0123456789ABCDEF";
  text[0] = '$';
  for (int i = 0; i < 8; ++i) text[1 + i] = digits[(uint32_t(color) >> (28 - 4 * i)) & 0xF];
  return std::string(text, 9);
}

void GetColorValues(const std::function<void(const std::string&)>& proc) {
  for (const NamedColor& c : kColors) proc(c.name);
}

int32_t ColorToRGB(TColor color) {
  if (color < 0) return int32_t(GetSysColor(int(color & 0xFF)));
  return color;
}

} // namespace kx
