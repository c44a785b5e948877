#include "runtime/ZipNames.h"

#include <windows.h>

#include <array>

namespace tq {

namespace {

constexpr size_t kMaxFileName = 255;

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// Windows opens a device for these base names whatever extension follows.
bool IsDeviceName(std::wstring_view name) {
  std::wstring_view base = name.substr(0, name.find(L'.'));
  while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
  static constexpr std::array<std::wstring_view, 6> kFixed = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (std::wstring_view device : kFixed) {
    if (EqualsIgnoreCase(base, device)) return true;
  }
  if (base.size() != 4) return false;
  const std::wstring_view prefix = base.substr(0, 3);
  if (!EqualsIgnoreCase(prefix, L"COM") && !EqualsIgnoreCase(prefix, L"LPT")) return false;
  const wchar_t digit = base[3];
  return (digit >= L'0' && digit <= L'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
}

}  // namespace

std::wstring ZipBareName(std::wstring_view name) {
  const size_t cut = name.find_last_of(L"\\/");
  return std::wstring(cut == std::wstring_view::npos ? name : name.substr(cut + 1));
}

bool IsPlainFileName(std::wstring_view name) {
  if (name.empty() || name.size() > kMaxFileName) return false;
  if (name.back() == L'.' || name.back() == L' ') return false;  // also "." and ".."
  for (wchar_t c : name) {
    if (c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) {
      return false;
    }
  }
  return !IsDeviceName(name);
}

std::wstring FileNameKey(std::wstring_view name) {
  std::wstring key(name);
  if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

}  // namespace tq
