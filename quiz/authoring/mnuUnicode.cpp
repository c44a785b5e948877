#include "authoring/mnuUnicode.h"

#include <algorithm>
#include <array>

namespace mnuUnicode {

namespace {

// 134 codes in 3-character slots; a two-character code is padded with "|".
constexpr std::wstring_view VniCodeList =
    L"a1|a2|a3|a4|a5|a6|a8|a61a62a63a64a65a81a82a83a84a85"
    L"A1|A2|A3|A4|A5|A6|A8|A61A62A63A64A65A81A82A83A84A85"
    L"e1|e2|e3|e4|e5|e6|e61e62e63e64e65"
    L"E1|E2|E3|E4|E5|E6|E61E62E63E64E65"
    L"i1|i2|i3|i4|i5|"
    L"I1|I2|I3|I4|I5|"
    L"o1|o2|o3|o4|o5|o6|o7|o61o62o63o64o65o71o72o73o74o75"
    L"O1|O2|O3|O4|O5|O6|O7|O61O62O63O64O65O71O72O73O74O75"
    L"u1|u2|u3|u4|u5|u7|u71u72u73u74u75"
    L"U1|U2|U3|U4|U5|U7|U71U72U73U74U75"
    L"y1|y2|y3|y4|y5|"
    L"Y1|Y2|Y3|Y4|Y5|"
    L"d9|D9|";

// The precomposed letter of each slot of VniCodeList, in the same order.
constexpr std::array<wchar_t, 134> VniCodePoints{
    0xE1,   0xE0,   0x1EA3, 0xE3,   0x1EA1, 0xE2,   0x103,  0x1EA5, 0x1EA7, 0x1EA9, 0x1EAB, 0x1EAD, 0x1EAF, 0x1EB1,
    0x1EB3, 0x1EB5, 0x1EB7, 0xC1,   0xC0,   0x1EA2, 0xC3,   0x1EA0, 0xC2,   0x102,  0x1EA4, 0x1EA6, 0x1EA8, 0x1EAA,
    0x1EAC, 0x1EAE, 0x1EB0, 0x1EB2, 0x1EB4, 0x1EB6, 0xE9,   0xE8,   0x1EBB, 0x1EBD, 0x1EB9, 0xEA,   0x1EBF, 0x1EC1,
    0x1EC3, 0x1EC5, 0x1EC7, 0xC9,   0xC8,   0x1EBA, 0x1EBC, 0x1EB8, 0xCA,   0x1EBE, 0x1EC0, 0x1EC2, 0x1EC4, 0x1EC6,
    0xED,   0xEC,   0x1EC9, 0x129,  0x1ECB, 0xCD,   0xCC,   0x1EC8, 0x128,  0x1ECA, 0xF3,   0xF2,   0x1ECF, 0xF5,
    0x1ECD, 0xF4,   0x1A1,  0x1ED1, 0x1ED3, 0x1ED5, 0x1ED7, 0x1ED9, 0x1EDB, 0x1EDD, 0x1EDF, 0x1EE1, 0x1EE3, 0xD3,
    0xD2,   0x1ECE, 0xD5,   0x1ECC, 0xD4,   0x1A0,  0x1ED0, 0x1ED2, 0x1ED4, 0x1ED6, 0x1ED8, 0x1EDA, 0x1EDC, 0x1EDE,
    0x1EE0, 0x1EE2, 0xFA,   0xF9,   0x1EE7, 0x169,  0x1EE5, 0x1B0,  0x1EE9, 0x1EEB, 0x1EED, 0x1EEF, 0x1EF1, 0xDA,
    0xD9,   0x1EE6, 0x168,  0x1EE4, 0x1AF,  0x1EE8, 0x1EEA, 0x1EEC, 0x1EEE, 0x1EF0, 0xFD,   0x1EF3, 0x1EF7, 0x1EF9,
    0x1EF5, 0xDD,   0x1EF2, 0x1EF6, 0x1EF8, 0x1EF4, 0x111,  0x110,
};

static_assert(VniCodeList.size() == 3 * VniCodePoints.size());

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::wstring VniToUnicode(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  size_t k = 0;
  while (k < text.size()) {
    if (k + 1 < text.size() && IsDigit(text[k + 1])) {
      const size_t length = k + 2 < text.size() && IsDigit(text[k + 2]) ? 3 : 2;
      const std::wstring_view token = text.substr(k, length);
      // Searched over the whole list, as stored: a bare pair of digits can
      // match the digits of a three-character code.
      const size_t found = VniCodeList.find(token);
      if (found == std::wstring_view::npos)
        out.append(token);
      else
        out += VniCodePoints[found / 3];
      k += length;
    } else {
      out += text[k++];
    }
  }
  return out;
}

const std::array<wchar_t, 134>& VniLetters() { return VniCodePoints; }

void MenuToUnicode(HWND window) {
  if (HMENU menu = GetMenu(window)) {
    ConvertMenuItems(menu);
    DrawMenuBar(window);
  }
}

void ConvertMenuItems(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int k = 0; k < count; ++k) {
    const UINT position = static_cast<UINT>(k);
    wchar_t buffer[256] = {};
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_TYPE | MIIM_DATA;
    item.dwTypeData = buffer;
    item.cch = 255;
    if (GetMenuItemInfoW(menu, position, TRUE, &item) && !(item.fType & MFT_SEPARATOR) && item.cch > 0) {
      const std::wstring text(buffer, std::min<UINT>(item.cch, 255));
      SetMenuItemText(VniToUnicode(text), menu, position);
    }
    if (HMENU sub = GetSubMenu(menu, k)) ConvertMenuItems(sub);
  }
}

void SetMenuItemText(const std::wstring& text, HMENU menu, UINT position) {
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE;
  item.fType = MFT_STRING | MFT_RADIOCHECK;
  item.dwTypeData = const_cast<wchar_t*>(text.c_str());
  SetMenuItemInfoW(menu, position, TRUE, &item);
}

}  // namespace mnuUnicode
