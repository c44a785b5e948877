// Linked into the test programs that open windows. Right after
// the emulated machine boots, under load, Wine's desktop may not take windows
// for a while, and it may close while no process has a window on it: every
// window made then fails. Before the first test, try once a second until a
// window can be made (at most four minutes), and keep that window to the end.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class DesktopReady : public testing::Environment {
 public:
  void SetUp() override {
    for (int attempt = 0; attempt < 240 && !window_; ++attempt) {
      window_ = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
      // Each failed attempt may start Wine's desktop anew: not more often than this.
      if (!window_) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
    }
    if (!window_) ADD_FAILURE() << "no window on the desktop at the start: error " << GetLastError();
  }
  void TearDown() override {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
};

const testing::Environment* const desktopReady = testing::AddGlobalTestEnvironment(new DesktopReady);

}  // namespace
