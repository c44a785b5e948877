// Path services of mdlMain: none of them needs a window.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "authoring/mdlMain.h"

namespace mdlMain {

namespace {

size_t LastSeparator(std::wstring_view path) { return path.find_last_of(L"\\/"); }

}  // namespace

bool IsBlank(std::wstring_view text) { return text.find_first_not_of(L' ') == std::wstring_view::npos; }

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring FormatSeconds(int seconds) {
  if (seconds < 0) seconds = 0;
  wchar_t text[32];
  std::swprintf(text, 32, L"%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
  return text;
}

std::wstring FolderOfPath(std::wstring_view path) {
  const size_t slash = LastSeparator(path);
  return std::wstring(slash == std::wstring_view::npos ? path : path.substr(0, slash + 1));
}

std::wstring FileNameOfPath(std::wstring_view path) {
  const size_t slash = LastSeparator(path);
  return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}

namespace {

std::wstring& ProgramFolderOverride() {
  static std::wstring folder;
  return folder;
}

}  // namespace

void SetProgramFolder(std::wstring folder) { ProgramFolderOverride() = std::move(folder); }

std::wstring ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  std::vector<wchar_t> buffer(MAX_PATH);
  while (true) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring folder = FolderOfPath(std::wstring_view(buffer.data(), length));
      if (!folder.empty()) folder.pop_back();
      return folder;
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring AppTempFolder() { return ProgramFolder() + L"\\Temp\\"; }

std::wstring SystemTempFolder() {
  // Sized by the system, so long temporary paths are not cut short.
  const DWORD needed = GetTempPathW(0, nullptr);
  if (needed == 0) return {};
  std::wstring path(needed, L'\0');
  const DWORD length = GetTempPathW(needed, path.data());
  path.resize(length < needed ? length : 0);
  return path;
}

void InitTempPage() { TempPage = ProgramFolder() + L"\\tessaro.htm"; }

}  // namespace mdlMain
