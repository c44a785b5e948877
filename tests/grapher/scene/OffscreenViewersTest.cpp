// The memory and full-screen viewers under Wine: a frame rendered off
// screen and copied into a texture that another scene then shows, read
// back; and the full-screen form at the desktop's own mode, its closing,
// and the display-mode switch it asks for, through stand-ins of the
// platform's mode calls so that the real display never changes.
#include "framework/windows/Forms.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLObjectsFlat.h"
#include "scene/GLScreen.h"
#include "scene/GLStageViewers.h"
#include "scene/GLWin32FullScreenViewer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kx;

namespace {

using Pixel = std::array<uint8_t, 4>;

// The pixel at (x, y) of the current context's frame, y from the bottom.
Pixel ReadPixel(int x, int y) {
  Pixel pixel{};
  GL.glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  return pixel;
}

bool Near(const Pixel& p, int r, int g, int b) {
  return std::abs(p[0] - r) <= 8 && std::abs(p[1] - g) <= 8 && std::abs(p[2] - b) <= 8;
}

// On the Z axis, far enough to be beyond the near plane of a small view.
TGLCamera* AddCamera(TGLStage& scene) {
  auto* camera = scene.CameraRoot()->AddNewChild<TGLCamera>();
  camera->Position()->SetPoint(0, 0, 20);
  return camera;
}

TEST(MemoryViewer, AFrameCopiedIntoATextureIsShownByAnotherSceneAndReadBack) {
  ASSERT_TRUE(InitOpenGL());
  TComponent owner(nullptr);
  auto* source = new TGLStage(&owner);
  auto* shown = new TGLStage(&owner);
  TGLCamera* sourceCamera = AddCamera(*source);
  TGLCamera* shownCamera = AddCamera(*shown);
  auto* plane = shown->Objects()->AddNewChild<TPlane>();
  plane->SetWidth(1);
  plane->SetHeight(1);
  TGLTexture* texture = plane->Material()->Texture();
  texture->SetMinFilter(miNearest);
  texture->SetMagFilter(maNearest);
  texture->SetTextureMode(tmReplace);
  texture->SetDisabled(false);

  TGLMemoryViewer viewer(&owner);
  viewer.SetWidth(64);
  viewer.SetHeight(64);
  viewer.Buffer()->SetContextOptions({});
  viewer.Buffer()->SetBackgroundColor(TColor(0x0000FF));  // red
  viewer.SetCamera(sourceCamera);
  try {
    viewer.Render();
  } catch (const Exception& e) {
    // Without pixel buffers the viewer must say so, not crash; any other
    // failure is one.
    EXPECT_EQ(viewer.Buffer()->RenderingContext(), nullptr);
    const std::string message = e.what();
    ASSERT_NE(message.find("pbuffer"), std::string::npos) << message;
    GTEST_SKIP() << "no pixel buffers here: " << message;
  }
  viewer.CopyToTexture(texture);
  EXPECT_TRUE(viewer.CreateTexture());
  ASSERT_TRUE(texture->IsHandleAllocated());

  // The same context now draws the other scene, whose plane wears the copy.
  viewer.Buffer()->SetBackgroundColor(TColor(0xFF0000));  // blue
  viewer.SetCamera(shownCamera);
  Pixel centre{}, corner{};
  viewer.Buffer()->PostRender = TNotifyEvent([&](TObject*) {
    centre = ReadPixel(32, 32);
    corner = ReadPixel(1, 1);
  });
  viewer.Render();
  EXPECT_TRUE(Near(centre, 255, 0, 0)) << int(centre[0]) << "," << int(centre[1]) << "," << int(centre[2]);
  EXPECT_TRUE(Near(corner, 0, 0, 255)) << int(corner[0]) << "," << int(corner[1]) << "," << int(corner[2]);
  viewer.SetCamera(nullptr);
}

// Forwards the tests of a mode to the real display and records every
// switch without passing it on.
std::vector<std::string>* Switches = nullptr;
LONG WINAPI RecordingChange(DEVMODEA* mode, DWORD flags) {
  if (flags & CDS_TEST) return ChangeDisplaySettingsA(mode, flags);
  Switches->push_back(mode ? std::to_string(mode->dmPelsWidth) + "x" + std::to_string(mode->dmPelsHeight) + "x" +
                                 std::to_string(mode->dmBitsPerPel)
                           : "registry");
  return DISP_CHANGE_SUCCESSFUL;
}

std::vector<DEVMODEA>* OfferedModes = nullptr;
BOOL WINAPI OfferedEnum(LPCSTR device, DWORD index, DEVMODEA* mode) {
  if (index == ENUM_CURRENT_SETTINGS) return EnumDisplaySettingsA(device, index, mode);
  if (index >= OfferedModes->size()) return FALSE;
  *mode = (*OfferedModes)[index];
  return TRUE;
}

// Accepts every mode offered and records the switches.
LONG WINAPI AcceptingChange(DEVMODEA* mode, DWORD flags) {
  if (flags & CDS_TEST) return DISP_CHANGE_SUCCESSFUL;
  return RecordingChange(mode, flags);
}

TGLScreenDepth DepthOf(int bits) {
  switch (bits) {
    case 8:
      return sd8bits;
    case 16:
      return sd16bits;
    case 24:
      return sd24bits;
    default:
      return sd32bits;
  }
}

DEVMODEA CurrentMode() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return mode;
}

class FullScreenViewer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(InitOpenGL());
    saved_ = DisplaySettingsCalls;
    Switches = &switches_;
    DisplaySettingsCalls.ChangeSettings = RecordingChange;
    before_ = CurrentMode();
    camera_ = AddCamera(*scene_);
    viewer_.SetCamera(camera_);
    viewer_.Buffer()->SetBackgroundColor(TColor(0x00FF00));  // green
    viewer_.SetPostRender(TNotifyEvent([this](TObject*) {
      ++frames_;
      centre_ = ReadPixel(viewer_.Width() / 2, viewer_.Height() / 2);
    }));
  }
  void TearDown() override {
    viewer_.SetActive(false);
    viewer_.SetCamera(nullptr);
    DisplaySettingsCalls = saved_;
    if (OfferedModes) {
      OfferedModes = nullptr;
      BuildDisplayModeList();
    }
    Switches = nullptr;
    const DEVMODEA after = CurrentMode();
    EXPECT_EQ(after.dmPelsWidth, before_.dmPelsWidth);
    EXPECT_EQ(after.dmPelsHeight, before_.dmPelsHeight);
    EXPECT_EQ(after.dmBitsPerPel, before_.dmBitsPerPel);
  }
  void AtDesktopMode() {
    viewer_.SetWidth(GetSystemMetrics(SM_CXSCREEN));
    viewer_.SetHeight(GetSystemMetrics(SM_CYSCREEN));
    viewer_.SetScreenDepth(DepthOf(GetCurrentColorDepth()));
  }

  TComponent owner_{nullptr};
  TGLStage* scene_ = new TGLStage(&owner_);
  TGLCamera* camera_ = nullptr;
  TGLFullScreenViewer viewer_{nullptr};
  std::vector<std::string> switches_;
  DEVMODEA before_{};
  int frames_ = 0;
  Pixel centre_{};

 private:
  TDisplaySettingsCalls saved_;
};

TEST_F(FullScreenViewer, OpensAtTheDesktopsModeWithoutSwitchingAndClosesLeavingItAlone) {
  AtDesktopMode();
  viewer_.SetActive(true);
  ASSERT_TRUE(viewer_.Active());
  ASSERT_NE(viewer_.Form(), nullptr);
  EXPECT_FALSE(viewer_.SwitchedMode());
  EXPECT_EQ(viewer_.Form()->BorderStyle(), bsNone);
  EXPECT_NE(viewer_.Buffer()->RenderingContext(), nullptr) << "made on the form's own device context";
  HWND form = viewer_.Form()->Handle();
  EXPECT_TRUE(testsupport::PumpUntil([&] { return frames_ > 0; }, 10000)) << "the form's paint renders";
  viewer_.Render();
  EXPECT_TRUE(Near(centre_, 0, 255, 0)) << int(centre_[0]) << "," << int(centre_[1]) << "," << int(centre_[2]);
  RECT bounds{};
  GetWindowRect(form, &bounds);
  EXPECT_EQ(bounds.right - bounds.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(bounds.bottom - bounds.top, GetSystemMetrics(SM_CYSCREEN));
  testsupport::SavePng(testsupport::CaptureWindow(form), "scene_fullscreen.png");

  viewer_.Form()->Close();
  EXPECT_FALSE(viewer_.Active());
  EXPECT_EQ(viewer_.Form(), nullptr);
  EXPECT_EQ(viewer_.Buffer()->RenderingContext(), nullptr);
  testsupport::PumpUntil([&] { return !IsWindow(form); }, 5000);
  EXPECT_FALSE(IsWindow(form)) << "the form is released";
  EXPECT_TRUE(switches_.empty()) << switches_.front();
}

TEST_F(FullScreenViewer, AClosingHandlerThatRefusesKeepsTheViewerActive) {
  AtDesktopMode();
  viewer_.OnClose = TCloseEvent([](TObject*, TCloseAction& action) { action = caNone; });
  viewer_.SetActive(true);
  viewer_.Form()->Close();
  EXPECT_TRUE(viewer_.Active());
  EXPECT_NE(viewer_.Form(), nullptr);
  viewer_.OnClose = TCloseEvent();
  viewer_.Form()->Close();
  EXPECT_FALSE(viewer_.Active());
}

TEST_F(FullScreenViewer, AnotherSizeSwitchesToTheListedModeAndRestoresTheDefaultAtTheEnd) {
  std::vector<DEVMODEA> offered(2);
  offered[0].dmPelsWidth = 1024, offered[0].dmPelsHeight = 768, offered[0].dmBitsPerPel = 32;
  offered[1].dmPelsWidth = 640, offered[1].dmPelsHeight = 480, offered[1].dmBitsPerPel = 32;
  OfferedModes = &offered;
  DisplaySettingsCalls.EnumSettings = OfferedEnum;
  DisplaySettingsCalls.ChangeSettings = AcceptingChange;
  BuildDisplayModeList();
  viewer_.SetWidth(600);
  viewer_.SetHeight(400);
  viewer_.SetScreenDepth(sd16bits);
  viewer_.SetActive(true);
  EXPECT_TRUE(viewer_.SwitchedMode());
  EXPECT_EQ(switches_, std::vector<std::string>{"640x480x32"}) << "the smallest listed mode that holds the size";
  viewer_.SetActive(false);
  EXPECT_EQ(switches_, (std::vector<std::string>{"640x480x32", "registry"}));
}

TEST(FullScreenViewerAlone, StartsInactiveAt800By600AndRefusesAFrameWithoutItsForm) {
  TGLFullScreenViewer viewer(nullptr);
  EXPECT_EQ(viewer.Width(), 800);
  EXPECT_EQ(viewer.Height(), 600);
  EXPECT_EQ(viewer.ScreenDepth(), sd32bits);
  EXPECT_EQ(viewer.VSync(), vsmSync);
  EXPECT_FALSE(viewer.Active());
  EXPECT_THROW(viewer.Render(), EGLContext) << "no device to make a context on";
  EXPECT_EQ(viewer.Buffer()->RenderingContext(), nullptr);
}

TEST_F(FullScreenViewer, NoListedModeLargeEnoughIsRefusedWithoutAForm) {
  viewer_.SetWidth(100000);
  viewer_.SetHeight(100000);
  try {
    viewer_.SetActive(true);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Unsupported video mode");
  }
  EXPECT_FALSE(viewer_.Active());
  EXPECT_EQ(viewer_.Form(), nullptr);
  EXPECT_TRUE(switches_.empty());
}

}  // namespace
