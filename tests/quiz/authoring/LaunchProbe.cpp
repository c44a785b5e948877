// Stands in for a tool program in the launcher tests: writes "<its name>.ran"
// beside itself, holding the command line it was given, and ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  // Written under another name first, so the marker appears complete.
  const std::wstring marker = std::wstring(self, length) + L".ran";
  const std::wstring partial = marker + L".part";
  HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  const std::wstring line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return MoveFileW(partial.c_str(), marker.c_str()) ? 0 : 1;
}
