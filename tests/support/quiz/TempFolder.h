// A fresh folder under the system's temporary folder, removed with its files.
#pragma once

#include <windows.h>

#include <string>

#include "runtime/FileIo.h"

class TempFolder {
 public:
  TempFolder() {
    wchar_t base[MAX_PATH + 1];
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
      path_ = std::wstring(base) + L"tqtest" + std::to_wstring(n);
      if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
    path_ += L'\\';
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() { tq::RemoveFolderTree(path_); }

  // The folder, with a trailing backslash.
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

  // Names of the entries in the folder.
  std::wstring Listing() const {
    std::wstring names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") names += name + L";";
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
  }

 private:
  std::wstring path_;
};

inline std::string ReadAll(const std::wstring& path) {
  std::string bytes;
  tq::ReadFileBytes(path, bytes);
  return bytes;
}
