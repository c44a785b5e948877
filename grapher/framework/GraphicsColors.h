// Colour values and the framework's table of named colours.
// A colour is 0x00BBGGRR, or a system colour: 0xFF000000 plus the system
// colour index.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kx {

using TColor = int32_t;

constexpr TColor clSystemColor = TColor(0xFF000000);
constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000,
                 clOlive = 0x008080, clNavy = 0x800000, clPurple = 0x800080,
                 clTeal = 0x808000, clGray = 0x808080, clSilver = 0xC0C0C0,
                 clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00,
                 clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                 clCream = 0xF0FBFF, clMedGray = 0xA4A0A0;
constexpr TColor clScrollBar = clSystemColor | 0, clBackground = clSystemColor | 1,
                 clActiveCaption = clSystemColor | 2, clInactiveCaption = clSystemColor | 3,
                 clMenu = clSystemColor | 4, clWindow = clSystemColor | 5,
                 clWindowFrame = clSystemColor | 6, clMenuText = clSystemColor | 7,
                 clWindowText = clSystemColor | 8, clCaptionText = clSystemColor | 9,
                 clActiveBorder = clSystemColor | 10, clInactiveBorder = clSystemColor | 11,
                 clAppWorkSpace = clSystemColor | 12, clHighlight = clSystemColor | 13,
                 clHighlightText = clSystemColor | 14, clBtnFace = clSystemColor | 15,
                 clBtnShadow = clSystemColor | 16, clGrayText = clSystemColor | 17,
                 clBtnText = clSystemColor | 18, clInactiveCaptionText = clSystemColor | 19,
                 clBtnHighlight = clSystemColor | 20, cl3DDkShadow = clSystemColor | 21,
                 cl3DLight = clSystemColor | 22, clInfoText = clSystemColor | 23,
                 clInfoBk = clSystemColor | 24, clHotLight = clSystemColor | 26,
                 clGradientActiveCaption = clSystemColor | 27,
                 clGradientInactiveCaption = clSystemColor | 28,
                 clMenuHighlight = clSystemColor | 29, clMenuBar = clSystemColor | 30;
constexpr TColor clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// Name of a colour constant ("clRed"); false when the value has none.
bool ColorToIdent(TColor color, std::string& ident);
// Value of a colour name, ignoring case; false when unknown.
bool IdentToColor(std::string_view ident, TColor& color);
// A colour name or a number (decimal, or $ hex); EConvertError otherwise.
TColor StringToColor(std::string_view s);
// The name when there is one, else "$00BBGGRR".
std::string ColorToString(TColor color);
// The 52 named colours in table order: 16 standard, 4 extended, then the others.
void GetColorValues(const std::function<void(const std::string&)>& proc);
// A system colour becomes its current value; others pass unchanged.
int32_t ColorToRGB(TColor color);

} // namespace kx
