// Entry names of packages: every entry lies flat in one folder under a plain file name.
#pragma once

#include <string>
#include <string_view>

namespace tq {

// The last component of a name, split on both '\' and '/'.
std::wstring ZipBareName(std::wstring_view name);

// True for a name that can only mean one file directly inside a folder: not empty,
// not "." or "..", no separators, drive colons, wildcard or control characters, no
// trailing dot or space (Windows would drop them), and no device name such as
// "CON" or "nul.txt".
bool IsPlainFileName(std::wstring_view name);

// Key under which two names denote the same file on Windows (case-insensitive).
std::wstring FileNameKey(std::wstring_view name);

}  // namespace tq
