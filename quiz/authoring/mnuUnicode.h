// Menu captions stored in the VNI digit-tone notation, converted to Unicode
// when a screen loads.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace mnuUnicode {

// One caption: a letter followed by its mark digits becomes the precomposed
// Vietnamese letter ("&Ta65p tin" -> "&Tập tin"); anything not in the code list
// stays as typed.
std::wstring VniToUnicode(std::wstring_view text);

// The 134 Vietnamese letters the notation knows, in the order of its codes.
const std::array<wchar_t, 134>& VniLetters();

// Converts every caption of the window's menu bar and of all its submenus.
void MenuToUnicode(HWND window);
// Converts one menu and, recursively, its submenus.
void ConvertMenuItems(HMENU menu);
// Writes one item's caption, by position.
void SetMenuItemText(const std::wstring& text, HMENU menu, UINT position);

}  // namespace mnuUnicode
