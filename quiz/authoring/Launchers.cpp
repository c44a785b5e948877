#include "authoring/Launchers.h"

#include "authoring/mUniMsgBox.h"
#include "authoring/mdlMain.h"
#include "runtime/FileIo.h"

namespace Launchers {

Outcome Launch(const Tool& tool, const std::wstring& folder, DWORD* error) {
  if (HWND running = FindWindowW(nullptr, tool.title)) {
    ShowWindow(running, SW_SHOWNOACTIVATE);
    SetForegroundWindow(running);
    return Outcome::BroughtForward;
  }
  const std::wstring program = folder + tool.file;
  if (!mdlMain::FileExists(program)) return Outcome::Missing;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    if (error) *error = GetLastError();
    return Outcome::CannotStart;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Outcome::Started;
}

void RunTool(const Tool& tool, HWND owner) {
  DWORD error = ERROR_SUCCESS;
  const std::wstring program = mdlMain::ProgramFolder() + tool.file;
  switch (Launch(tool, mdlMain::ProgramFolder(), &error)) {
    case Outcome::Missing:
      mUniMsgBox::UnicodeMsgBox(L"Không tìm thấy chương trình :\r\n" + program, mUniMsgBox::Information, L"Tessaro",
                                owner);
      break;
    case Outcome::CannotStart:
      mUniMsgBox::UnicodeMsgBox(L"Không chạy được chương trình :\r\n" + program + L"\r\n" + tq::IoStatus{error}.Text(),
                                mUniMsgBox::Information, L"Tessaro", owner);
      break;
    default:
      break;
  }
}

}  // namespace Launchers
