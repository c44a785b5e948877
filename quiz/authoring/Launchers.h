// The tool launchers: the grapher and the outside calculator are brought to
// the front when they run, and started from the quiz tool's folder otherwise.
#pragma once

#include <windows.h>

#include <string>

namespace Launchers {

struct Tool {
  const wchar_t* title;  // of a top-level window of the running tool
  const wchar_t* file;   // appended to the quiz tool's folder
};
inline constexpr Tool Grapher{L"Plotvane", L"\\Kurvex.exe"};
inline constexpr Tool Calculator{L"VINACAL", L"\\570MS.exe"};

enum class Outcome { BroughtForward, Started, Missing, CannotStart };

// The launcher's steps, without messages: folder is the quiz tool's folder
// (no trailing backslash). The program is started by its full path as the
// application name, so a path with spaces can name no other program.
Outcome Launch(const Tool& tool, const std::wstring& folder, DWORD* error = nullptr);

// Launches from the program folder and tells the user when the tool cannot
// be started; the screen goes on either way.
void RunTool(const Tool& tool, HWND owner);

}  // namespace Launchers
