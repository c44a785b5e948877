// Helpers for tests that start programs and look at their windows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A program started for a test; terminated when the object goes if still running.
class ChildProcess {
 public:
  ChildProcess() = default;
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Starts `exe` with `args` (already quoted as needed); false if it cannot start.
  bool Start(const std::string& exe, const std::string& args = {});
  // Waits for the exit; returns the exit code, or -1 on time-out.
  int WaitForExit(DWORD timeoutMs);
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Process() const { return info_.hProcess; }
  HANDLE MainThread() const { return info_.hThread; }

 private:
  PROCESS_INFORMATION info_{};
};

// Makes `folder` (made under the current folder when missing) the current
// folder while it lives. Test programs run side by side in one folder: those
// whose windows save files into the current folder, as the capture button
// does, each keep them in a folder of their own.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  std::string previous_;
};

// How long a test waits for a program's main window. The emulated machine
// builds all the grapher's windows before the main one shows: with other test
// programs running beside it that may take well over half a minute.
constexpr DWORD kProgramStartTimeoutMs = 120000;

// Full path of a program built beside the test programs (build/bin/<name>).
std::string ProgramPath(const std::string& name);

// Waits until a visible top-level window whose whole caption equals `caption`
// exists (owned by `pid` when it is not 0). Returns nullptr on time-out.
HWND WaitForWindow(const std::string& caption, DWORD pid, DWORD timeoutMs);

// A 32-bit top-down picture: pixels as 0x00RRGGBB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned> pixels;
  unsigned At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The part `area` of a picture.
Picture Crop(const Picture& picture, RECT area);

// Copies what the screen shows of the window (frame included).
Picture CaptureWindow(HWND wnd);
// Where a point of the screen lies in CaptureWindow's picture of `wnd`.
POINT InCapture(HWND wnd, POINT screen);
// Writes a picture as a 24-bit PNG; false on failure.
bool SavePng(const Picture& picture, const std::string& path);
// Reads a PNG written by SavePng (or any 8-bit RGB/RGBA PNG).
bool LoadPng(const std::string& path, Picture& picture);
// Encodes a picture as a JPEG file image (quality 95) in memory.
std::vector<unsigned char> EncodeJpeg(const Picture& picture);

// Drives the system's popup menu that `show` opens and tracks in its own
// modal loop: every 300 ms, once a menu window is visible, `onShown` gets it
// with the number of its earlier calls; a menu that has not shown after 40
// ticks is ended. True when a menu was seen.
bool DriveShownMenu(const std::function<void()>& show, const std::function<void(HWND menu, int call)>& onShown);

// Runs the calling thread's message queue until `done` returns true or the
// time-out passes; returns the last value of `done`.
template <class Pred>
bool PumpUntil(Pred done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
}

}  // namespace testsupport
