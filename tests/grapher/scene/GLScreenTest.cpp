#include "scene/GLCrossPlatform.h"
#include "scene/GLScreen.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

// A display that offers `modes`, accepts what `accepts` allows and records
// every change request; nothing reaches the real display.
struct FakeDisplay {
  std::vector<DEVMODEA> modes;
  bool acceptsEverything = false;
  std::vector<std::pair<int, int>> acceptedLowResolutions;  // width, depth
  bool switchSucceeds = true;
  std::vector<std::string> requests;
};
FakeDisplay* Display = nullptr;

DEVMODEA Mode(DWORD w, DWORD h, DWORD bpp) {
  DEVMODEA mode{};
  mode.dmPelsWidth = w;
  mode.dmPelsHeight = h;
  mode.dmBitsPerPel = bpp;
  return mode;
}

BOOL WINAPI FakeEnum(LPCSTR, DWORD index, DEVMODEA* mode) {
  if (index >= Display->modes.size()) return FALSE;
  *mode = Display->modes[index];
  return TRUE;
}

LONG WINAPI FakeChange(DEVMODEA* mode, DWORD flags) {
  std::string request = mode ? std::to_string(mode->dmPelsWidth) + "x" + std::to_string(mode->dmPelsHeight) + "x" +
                                   std::to_string(mode->dmBitsPerPel)
                             : "registry";
  request += (flags & CDS_TEST) ? " test" : " switch";
  Display->requests.push_back(request);
  if (!(flags & CDS_TEST)) return Display->switchSucceeds ? DISP_CHANGE_SUCCESSFUL : DISP_CHANGE_FAILED;
  if (Display->acceptsEverything) return DISP_CHANGE_SUCCESSFUL;
  if (mode->dmPelsWidth == 42) return DISP_CHANGE_BADMODE;
  if (mode->dmPelsWidth >= 640) return DISP_CHANGE_SUCCESSFUL;
  for (auto [w, d] : Display->acceptedLowResolutions)
    if (int(mode->dmPelsWidth) == w && int(mode->dmBitsPerPel) == d) return DISP_CHANGE_SUCCESSFUL;
  return DISP_CHANGE_BADMODE;
}

class GLScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = DisplaySettingsCalls;
    Display = &display_;
    DisplaySettingsCalls.EnumSettings = FakeEnum;
    DisplaySettingsCalls.ChangeSettings = FakeChange;
    ActiveDisplayMode = 0;
  }
  void TearDown() override {
    DisplaySettingsCalls = saved_;
    ActiveDisplayMode = 0;
    Display = nullptr;
  }
  std::vector<std::string> Descriptions() const {
    std::vector<std::string> result;
    for (int i = 0; i < DisplayModeCount; ++i) result.push_back(DisplayModes[i].Description);
    return result;
  }
  FakeDisplay display_;

 private:
  TDisplaySettingsCalls saved_;
};

TEST(GLScreenStartUp, ListsTheDesktopModeFirst) {
  // Built by the module's start-up code from the real display.
  ASSERT_GE(DisplayModeCount, 1);
  EXPECT_EQ(DisplayModes[0].Description, "default");
  EXPECT_EQ(DisplayModes[0].Width, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(DisplayModes[0].Height, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(DisplayModes[0].ColorDepth, 0);
  EXPECT_EQ(ActiveDisplayMode, 0);
}

TEST(GLCrossPlatform, ReportsTheScreenAndTheCounter) {
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetCurrentColorDepth(), GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES));
  EXPECT_GT(GetDeviceLogicalPixelsX(screen), 0);
  ReleaseDC(nullptr, screen);
  int64_t frequency = 0, first = 0, second = 0;
  kx::QueryPerformanceFrequency(frequency);
  kx::QueryPerformanceCounter(first);
  Sleep(2);
  kx::QueryPerformanceCounter(second);
  EXPECT_GT(frequency, 0);
  EXPECT_GT(second, first);
}

TEST_F(GLScreenTest, ListsEachAcceptedModeOnceWithItsDescription) {
  display_.acceptsEverything = true;
  for (DWORD bpp : {16, 32})
    for (auto [w, h] : {std::pair{640, 480}, {800, 600}, {1024, 768}}) display_.modes.push_back(Mode(w, h, bpp));
  display_.modes.push_back(Mode(800, 600, 16));  // reported twice
  BuildDisplayModeList();
  EXPECT_EQ(Descriptions(),
            (std::vector<std::string>{"default", "640 x 480, 16 bpp", "800 x 600, 16 bpp", "1024 x 768, 16 bpp",
                                      "640 x 480, 32 bpp", "800 x 600, 32 bpp", "1024 x 768, 32 bpp"}));
  EXPECT_EQ(DisplayModes[3].Width, 1024);
  EXPECT_EQ(DisplayModes[3].ColorDepth, 16);
  for (const std::string& request : display_.requests) EXPECT_NE(request.find(" test"), std::string::npos);
}

TEST_F(GLScreenTest, ADriverRefusingTheProbeIsAskedAboutLowResolutions) {
  display_.modes.push_back(Mode(640, 480, 32));
  display_.acceptedLowResolutions = {{320, 8}, {512, 32}};
  BuildDisplayModeList();
  EXPECT_EQ(Descriptions(), (std::vector<std::string>{"default", "640 x 480, 32 bpp", "320 x 200, 8 bpp",
                                                      "320 x 240, 8 bpp", "320 x 350, 8 bpp", "320 x 400, 8 bpp",
                                                      "320 x 480, 8 bpp", "512 x 384, 32 bpp"}));
  // The desktop mode is not compared, so it may be listed again.
  display_.modes = {Mode(DisplayModes[0].Width, DisplayModes[0].Height, DisplayModes[0].ColorDepth)};
  display_.acceptsEverything = true;
  BuildDisplayModeList();
  EXPECT_EQ(DisplayModeCount, 2);
}

TEST_F(GLScreenTest, NeverListsMoreThanTwoHundredModes) {
  display_.acceptsEverything = true;
  for (DWORD w = 640; w < 640 + 500; ++w) display_.modes.push_back(Mode(w, 480, 32));
  BuildDisplayModeList();
  EXPECT_EQ(DisplayModeCount, MaxDisplayModes);
  EXPECT_TRUE(DisplayModes[MaxDisplayModes].Description.empty());
}

TEST_F(GLScreenTest, FindsTheSmallestSufficientMode) {
  display_.acceptsEverything = true;
  display_.modes = {Mode(800, 600, 32), Mode(800, 600, 16), Mode(1024, 768, 32)};
  BuildDisplayModeList();
  EXPECT_EQ(GetIndexFromResolution(800, 600, 16), 2);
  EXPECT_EQ(GetIndexFromResolution(900, 600, 16), 3);
  EXPECT_EQ(GetIndexFromResolution(1600, 1200, 16), 0);
  display_.modes = {Mode(1024, 768, 32)};
  BuildDisplayModeList();
  EXPECT_EQ(GetIndexFromResolution(800, 600, 16), 1);
}

TEST_F(GLScreenTest, SwitchingGoesThroughTheListAndIsRemembered) {
  display_.acceptsEverything = true;
  display_.modes = {Mode(800, 600, 16)};
  BuildDisplayModeList();
  display_.requests.clear();
  SetFullscreenMode(1);
  EXPECT_EQ(ActiveDisplayMode, 1);
  display_.switchSucceeds = false;
  SetFullscreenMode(0);
  EXPECT_EQ(ActiveDisplayMode, 1);
  SetFullscreenMode(200);  // beyond the list: ignored
  RestoreDefaultMode();
  EXPECT_EQ(ActiveDisplayMode, 1);
  const std::string desktop = std::to_string(DisplayModes[0].Width) + "x" + std::to_string(DisplayModes[0].Height) +
                              "x" + std::to_string(DisplayModes[0].ColorDepth);
  EXPECT_EQ(display_.requests, (std::vector<std::string>{"800x600x16 switch", desktop + " switch", "registry switch"}));
}

}  // namespace
