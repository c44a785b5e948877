#include "delivery/WorkFolder.h"

#include <windows.h>

#include <string>

#include "runtime/FileIo.h"

WorkFolder::WorkFolder(const std::wstring& parent) {
  CreateDirectoryW(parent.c_str(), nullptr);
  const std::wstring stem = parent + L"work" + std::to_wstring(GetCurrentProcessId()) + L"_";
  for (unsigned n = 1; n < 1000; ++n) {
    const std::wstring path = stem + std::to_wstring(n);
    if (CreateDirectoryW(path.c_str(), nullptr)) {
      path_ = path;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

WorkFolder::~WorkFolder() {
  if (!path_.empty()) tq::RemoveFolderTree(path_);
}
