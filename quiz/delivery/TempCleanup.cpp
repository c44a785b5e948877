#include "delivery/TempCleanup.h"

#include <windows.h>

#include <vector>

#include "runtime/FileIo.h"

namespace tq {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return {};
  full.resize(length);
  return full;
}

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

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool SameText(const wchar_t* a, const wchar_t* b, size_t length) {
  return CompareStringOrdinal(a, static_cast<int>(length), b, static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

// The components of `inner` below `outer` (inner lies inside outer).
std::vector<std::wstring> PathsBetween(const std::wstring& outer, const std::wstring& inner) {
  std::vector<std::wstring> paths;
  for (size_t at = outer.size() + (IsSeparator(outer.back()) ? 0 : 1); at < inner.size(); ++at) {
    if (inner[at] == L'\\') paths.push_back(inner.substr(0, at));
  }
  paths.push_back(inner);
  return paths;
}

// The normalised form of `path` when it lies inside `root` with no link
// between them; otherwise empty, with the reason in `refusal`.
std::wstring CheckedPath(const std::wstring& path, const std::wstring& root, CleanupResult& refusal) {
  refusal = CleanupResult::Refused;
  if (path.empty() || root.empty()) return {};
  const std::wstring normal = NormalisedPath(path);
  const std::wstring outer = NormalisedPath(root);
  if (normal.empty() || outer.empty() || !IsInsideFolder(normal, outer)) return {};
  const std::vector<std::wstring> between = PathsBetween(outer, normal);
  for (size_t k = 0; k + 1 < between.size(); ++k) {
    const DWORD attributes = Attributes(between[k]);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      refusal = CleanupResult::AlreadyGone;
      return {};
    }
    if (IsLink(attributes)) return {};
  }
  return normal;
}

}  // namespace

std::wstring NormalisedPath(const std::wstring& path) {
  if (path.empty()) return {};
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

CleanupResult RemoveFolderInside(const std::wstring& folder, const std::wstring& root) {
  CleanupResult refusal;
  const std::wstring normal = CheckedPath(folder, root, refusal);
  if (normal.empty()) return refusal;
  const DWORD attributes = Attributes(normal);
  if (attributes == INVALID_FILE_ATTRIBUTES) return CleanupResult::AlreadyGone;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return CleanupResult::Refused;
  return tq::RemoveFolderTree(normal) ? CleanupResult::Removed : CleanupResult::Failed;
}

CleanupResult RemoveFileInside(const std::wstring& file, const std::wstring& root) {
  CleanupResult refusal;
  const std::wstring normal = CheckedPath(file, root, refusal);
  if (normal.empty()) return refusal;
  const DWORD attributes = Attributes(normal);
  if (attributes == INVALID_FILE_ATTRIBUTES) return CleanupResult::AlreadyGone;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return CleanupResult::Refused;
  // A link to a file goes as a link.
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(normal.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  return DeleteFileW(normal.c_str()) ? CleanupResult::Removed : CleanupResult::Failed;
}

}  // namespace tq
