// Paths made full and compared: whether a path lies inside a folder, the test
// that every file a page opens and every removal of the test road rely on.
#pragma once

#include <string>

namespace tq {

// The full form of a path ("." and ".." resolved); empty when it has none.
std::wstring FullPath(const std::wstring& path);

// The full, normalised form of a path: "." and ".." resolved, separators as
// '\', short names of existing components expanded, no trailing separator.
// Empty when the system cannot resolve it.
std::wstring NormalisedPath(const std::wstring& path);

// True when `path` lies strictly inside `root`, both normalised, letter case ignored.
bool IsInsideFolder(const std::wstring& path, const std::wstring& root);

}  // namespace tq
