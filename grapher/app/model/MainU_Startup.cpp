#include "app/model/MainU_Startup.h"

#include <windows.h>

#include <shellapi.h>

namespace kx {

namespace {

// The ANSI form of text; false when a character had no ANSI code.
bool ToAnsi(const std::wstring& text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  BOOL lossy = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, &lossy);
  if (n <= 0) return false;
  out.resize(static_cast<size_t>(n));
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      &lossy);
  return !lossy;
}

}  // namespace

std::string AnsiPath(const std::wstring& path) {
  std::string ansi;
  if (ToAnsi(path, ansi)) return ansi;
  const DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (n > 0) {
    std::wstring shortPath(n, L'\0');
    const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), n);
    shortPath.resize(written < n ? written : 0);
    std::string shortAnsi;
    if (!shortPath.empty() && ToAnsi(shortPath, shortAnsi)) return shortAnsi;
  }
  // No short form either (a file that does not exist): the reader reports
  // the name it cannot open.
  return ansi;
}

TCommandLine ReadCommandLine(const wchar_t* commandLine) {
  TCommandLine result;
  // An empty line would make the system give the running program's own name.
  if (!commandLine || !*commandLine) return result;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(commandLine, &count);
  if (!args) return result;
  if (count >= 2) {
    result.CmdLineLoad = true;
    result.FileName = AnsiPath(args[1]);
  }
  LocalFree(args);
  return result;
}

const TCommandLine& CmdLine() {
  static const TCommandLine line = ReadCommandLine(GetCommandLineW());
  return line;
}

}  // namespace kx
