#include "runtime/PageSources.h"

#include <windows.h>

#include <array>

#include "runtime/Paths.h"

namespace tq {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool IsNetworkOrDevicePath(std::wstring_view path) {
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return true;
  for (size_t k = 0; k < path.size(); ++k) {
    if (path[k] != L':') continue;
    const bool driveColon = k == 1 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    if (!driveColon) return true;
  }
  return false;
}

bool IsMediaFile(std::wstring_view path) {
  // The sound and video files a question embeds; never a program, script or link.
  static constexpr std::array<std::wstring_view, 12> Extensions{
      L".mp3", L".wma", L".wmv", L".wav", L".mid", L".midi", L".avi", L".mpg", L".mpeg", L".mp4", L".ogg", L".m4a"};
  const size_t dot = path.find_last_of(L".\\/");
  if (dot == std::wstring_view::npos || path[dot] != L'.') return false;
  const std::wstring_view extension = path.substr(dot);
  for (std::wstring_view known : Extensions) {
    if (EqualNoCase(extension, known)) return true;
  }
  return false;
}

bool MayReadPicture(const std::wstring& path, const std::wstring& pageFolder) {
  const std::wstring full = FullPath(path);
  if (full.empty()) return false;
  // A colon past the drive names a stream or a device, whatever the prefix.
  if (full.find(L':', 2) != std::wstring::npos) return false;
  if (IsNetworkOrDevicePath(path) || IsNetworkOrDevicePath(full)) return IsInsideFolder(full, pageFolder);
  return true;
}

bool MayOpenEmbedded(const std::wstring& path, const std::wstring& pageFolder) {
  const std::wstring full = FullPath(path);
  return MayReadPicture(path, pageFolder) && IsMediaFile(full) && IsInsideFolder(full, pageFolder);
}

}  // namespace tq
