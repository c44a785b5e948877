#include "delivery/TempCleanup.h"

#include <windows.h>

#include <vector>

#include "runtime/FileIo.h"

namespace tq {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
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
