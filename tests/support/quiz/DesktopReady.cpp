// Linked into the quiz tool's test programs that open windows. Right after
// the emulated machine boots, under load, Wine's desktop may not take windows
// for a while: every window made then fails. Before the first test, try once
// a second until a window can be made (at most four minutes).
#include <windows.h>

#include <gtest/gtest.h>

namespace {

bool WindowCanBeMade() {
  HWND probe = CreateWindowExW(0, L"Static", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  if (probe) DestroyWindow(probe);
  return probe != nullptr;
}

class DesktopReady : public testing::Environment {
 public:
  void SetUp() override {
    for (int attempt = 0; attempt < 240 && !WindowCanBeMade(); ++attempt) {
      // Each failed attempt may start Wine's desktop anew: not more often than this.
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT);
    }
  }
};

const testing::Environment* const desktopReady = testing::AddGlobalTestEnvironment(new DesktopReady);

}  // namespace
