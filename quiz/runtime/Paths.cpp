#include "runtime/Paths.h"

#include <windows.h>

namespace tq {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Long form of an existing path; empty when it does not exist.
std::wstring LongPath(const std::wstring& path) {
  const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return {};
  std::wstring result(needed, L'\0');
  const DWORD length = GetLongPathNameW(path.c_str(), result.data(), needed);
  if (length == 0 || length >= needed) return {};
  result.resize(length);
  return result;
}

void DropTrailingSeparators(std::wstring& path) {
  // "C:\" keeps its separator: without it the path names a drive's current folder.
  while (path.size() > 3 && IsSeparator(path.back())) path.pop_back();
}

bool SameText(const wchar_t* a, const wchar_t* b, size_t length) {
  return CompareStringOrdinal(a, static_cast<int>(length), b, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
  if (path.empty()) return {};
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  full.resize(length);
  return full;
}

std::wstring NormalisedPath(const std::wstring& path) {
  std::wstring full = FullPath(path);
  if (full.empty()) return {};
  // Short names expand on the longest part of the path that exists.
  std::wstring rest;
  for (;;) {
    const std::wstring expanded = LongPath(full);
    if (!expanded.empty()) {
      full = expanded;
      break;
    }
    DropTrailingSeparators(full);
    const size_t slash = full.find_last_of(L"\\/");
    if (slash == std::wstring::npos || slash < 3) break;
    rest.insert(0, full.substr(slash));
    full.resize(slash);
  }
  full += rest;
  for (wchar_t& c : full) {
    if (c == L'/') c = L'\\';
  }
  DropTrailingSeparators(full);
  return full;
}

bool IsInsideFolder(const std::wstring& path, const std::wstring& root) {
  const std::wstring inner = NormalisedPath(path);
  const std::wstring outer = NormalisedPath(root);
  if (inner.empty() || outer.empty() || inner.size() <= outer.size()) return false;
  if (!SameText(inner.c_str(), outer.c_str(), outer.size())) return false;
  // "C:\p\Temp" must not hold "C:\p\TempX": the root ends at a separator.
  return outer.back() == L'\\' || inner[outer.size()] == L'\\';
}

}  // namespace tq
