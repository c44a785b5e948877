// The start-up of the quiz tool.
#include "authoring/frmMain.h"
#include "authoring/mdlMain.h"
#include "delivery/frmTTTN.h"
#include "runtime/App.h"

namespace mdlMain {

bool Main() {
  tq::App& app = tq::App::Get();
  if (app.PrevInstance(L"Tessaro.SingleInstance")) return false;
  CreateDirectoryW((ProgramFolder() + L"\\Temp").c_str(), nullptr);
  InitTempPage();
  ProgramOptions = ReadProgramOptions(OptionsFilePath());
  const std::wstring command = app.CommandTail();
  if (!command.empty()) {
    frmTTTN::Show();
    frmTTTN::NapDuongDan(BankPathFromCommandLine(command));
  } else {
    frmMain::Show();
  }
  return true;
}

}  // namespace mdlMain
