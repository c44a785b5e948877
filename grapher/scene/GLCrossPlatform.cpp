#include "scene/GLCrossPlatform.h"

#include "framework/windows/Dialogs.h"
#include "framework/windows/Forms.h"

namespace kx {

int GetCurrentColorDepth() {
  HDC screen = GetDC(nullptr);
  const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return depth;
}

int GetDeviceLogicalPixelsX(HDC device) { return GetDeviceCaps(device, LOGPIXELSX); }

void QueryPerformanceCounter(int64_t& value) {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  value = counter.QuadPart;
}

void QueryPerformanceFrequency(int64_t& value) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  value = frequency.QuadPart;
}

void InformationDlg(const std::string& text) { ShowMessageBox(nullptr, text, Application->Title(), MB_OK); }

std::string InputDlg(const std::string& caption, const std::string& prompt, const std::string& defaultText) {
  return InputBox(caption, prompt, defaultText);
}

bool OpenPictureDlg(std::string& fileName, const std::string& initialDir) {
  TOpenPictureDialog dialog(Application);
  dialog.SetFileName(fileName);
  if (!initialDir.empty()) dialog.SetInitialDir(initialDir);
  if (!dialog.Execute()) return false;
  fileName = dialog.FileName();
  return true;
}

}  // namespace kx
