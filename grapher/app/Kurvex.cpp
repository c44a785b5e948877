// Kurvex: the function grapher's program entry.
#include <windows.h>

#include <exception>
#include <string>

#include "app/AboutU.h"
#include "app/CapU.h"
#include "app/EvalFU.h"
#include "app/FInU.h"
#include "app/HamMauU.h"
#include "app/MainU.h"
#include "app/MainU_Startup.h"
#include "app/OrdCfg.h"
#include "app/ParaU.h"
#include "app/ThNghiemU.h"
#include "app/SelFTU.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace kx;
  RegisterControlClasses();
  Application->Initialize();

  const std::string font = ScreenFontPath();
  const DWORD attributes = GetFileAttributesA(font.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    MessageBoxA(nullptr, "Khong tim thay file Kurvex.fon", "Thong bao", MB_OK | MB_ICONWARNING);
  } else {
    AddFontResourceA(font.c_str());
  }
  Application->SetTitle("Plotvane");

  int exitCode = 0;
  try {
    // The windows in their fixed order; the first is the main window.
    MainForm = Application->CreateForm<TMainForm>();
    SelFTypeForm = Application->CreateForm<TSelFTypeForm>();
    FInForm = Application->CreateForm<TFInForm>();
    ParaForm = Application->CreateForm<TParaForm>();
    AboutForm = Application->CreateForm<TAboutForm>();
    frmHamMau = Application->CreateForm<TfrmHamMau>();
    CapForm = Application->CreateForm<TCapForm>();
    EvalForm = Application->CreateForm<TEvalForm>();
    OrdConfig = Application->CreateForm<TOrdConfig>();
    OrdConfig->BindView(ViewState(), [] { MainForm->RepaintView(); });
    TNForm = Application->CreateForm<TTNForm>();
    if (CmdLine().CmdLineLoad) MainForm->btnLoadClick(nullptr);
    Application->Run();
  } catch (...) {
    // A window that cannot be built ends the program with its message.
    Application->HandleException(std::current_exception());
    exitCode = 1;
  }
  // The forms go with the application; the main form's destruction gives the
  // font back.
  Application->DestroyComponents();
  MainForm = nullptr;
  SelFTypeForm = nullptr;
  FInForm = nullptr;
  ParaForm = nullptr;
  AboutForm = nullptr;
  frmHamMau = nullptr;
  CapForm = nullptr;
  EvalForm = nullptr;
  OrdConfig = nullptr;
  TNForm = nullptr;
  return exitCode;
}
