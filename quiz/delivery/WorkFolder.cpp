#include "delivery/WorkFolder.h"

#include <windows.h>

#include <string>

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
  if (path_.empty()) return;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(File(found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(path_.c_str());
}
