// Removal of the folders and files the test road leaves in the Temp folders:
// only ever inside the folder they belong to, never through a link.
#pragma once

#include <string>

#include "runtime/Paths.h"

namespace tq {

enum class CleanupResult {
  Removed,
  AlreadyGone,  // nothing there to remove
  Refused,      // not inside the root, or reached through a link
  Failed,       // something could not be removed (in use, read-only media...)
};

// Removes `folder` with everything in it, provided it lies strictly inside
// `root` once both are normalised and no folder between the two is a link
// (junction or symbolic link). A link met inside, or the folder itself being
// one, is removed as a link: what it points to is never entered.
CleanupResult RemoveFolderInside(const std::wstring& folder, const std::wstring& root);

// Removes one file lying strictly inside `root` (a link is removed as a link).
CleanupResult RemoveFileInside(const std::wstring& file, const std::wstring& root);

}  // namespace tq
