// Kurvex: the function grapher's program entry.
#include <windows.h>

#include <exception>
#include <string>

#include "app/model/MainU_Startup.h"
#include "app/windows/AboutU.h"
#include "app/windows/CapU.h"
#include "app/windows/EvalFU.h"
#include "app/windows/FInU.h"
#include "app/windows/HamMauU.h"
#include "app/windows/MainU.h"
#include "app/windows/OrdCfg.h"
#include "app/windows/ParaU.h"
#include "app/windows/SelFTU.h"
#include "app/windows/ThNghiemU.h"
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
    if (CmdLine().CmdLineLoad) MainForm->LoadFuncFile(CmdLine().FileName);
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
