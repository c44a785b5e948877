// Tessaro: the quiz tool's program entry.
#include <windows.h>

#include "authoring/mdlMain.h"
#include "runtime/App.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  try {
    if (!mdlMain::Main()) return 0;
    return tq::App::Get().Run();
  } catch (...) {
    tq::App::Get().HandleException();
    return 1;
  }
}
