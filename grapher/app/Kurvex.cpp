// Kurvex: the function grapher's program entry.
#include <windows.h>

#include <exception>
#include <string>

#include "app/MainU_Funcs.h"
#include "framework/windows/ControlClasses.h"
#include "framework/windows/Forms.h"

namespace {

// The screen font beside the program; its face "Kurvexsans" draws the TCVN3
// texts of every window.
std::string ScreenFontPath() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.resize(folder.find_last_of("\\/") + 1);
  return folder + "kurvex.fon";
}

// Stands for the main window until its own module takes its place.
class TMainForm : public kx::TForm {
  KX_CLASS(TMainForm, kx::TForm)
 public:
  explicit TMainForm(kx::TComponent* owner) : kx::TForm(owner) {
    SetCaption("Plotvane v2.21");
    SetPosition(kx::poScreenCenter);
    SetClientWidth(802);
    SetClientHeight(601);
    // The function lists, on the plane list, and the template compiler come
    // with the main window.
    kx::FuncModel().SetCurrentList(true);
    OnDestroy = kx::TNotifyEvent([](kx::TObject*) { RemoveFontResourceA(ScreenFontPath().c_str()); });
  }
};

KX_PUBLISH(TMainForm) {}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  kx::RegisterControlClasses();
  kx::Application->Initialize();

  const std::string font = ScreenFontPath();
  const DWORD attributes = GetFileAttributesA(font.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    MessageBoxA(nullptr, "Khong tim thay file Kurvex.fon", "Thong bao", MB_OK | MB_ICONWARNING);
  } else {
    AddFontResourceA(font.c_str());
  }
  kx::Application->SetTitle("Plotvane");

  int exitCode = 0;
  try {
    kx::Application->CreateForm<TMainForm>();
    kx::Application->Run();
  } catch (...) {
    // A window that cannot be built ends the program with its message.
    kx::Application->HandleException(std::current_exception());
    exitCode = 1;
  }
  // The forms go with the application; the main form's destruction gives the
  // font back.
  kx::Application->DestroyComponents();
  return exitCode;
}
