// The main window's view through its real controls: zoom and pan buttons, the
// wheel, dragging in the viewer, the option boxes, the capture button's right
// click writing Pic0.png then Pic1.png (decoded: the curve is there), the
// navigation hints in the screen font, and the plotted window on screen.
#include "MainWindowFixture.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "app/windows/OrdCfg.h"
#include "scene/GLStageCamera.h"
#include "scene/GLStageNode.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"
#include "TextPictures.h"

using namespace kx;
using namespace mainwindow;
using testsupport::ContainsText;
using testsupport::DrawnText;

namespace {

constexpr unsigned kBlue = 0x0000FF, kLime = 0x00FF00;

void Mouse(TWinControl& control, UINT message, WPARAM keys, int x, int y) {
  SendMessageA(control.Handle(), message, keys, MAKELPARAM(x, y));
}

bool ColourNear(const testsupport::Picture& picture, double x, double y, unsigned colour, int radius) {
  const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
  for (int py = cy - radius; py <= cy + radius; ++py)
    for (int px = cx - radius; px <= cx + radius; ++px)
      if (px >= 0 && py >= 0 && px < picture.width && py < picture.height && (picture.At(px, py) & 0xFFFFFF) == colour)
        return true;
  return false;
}

// The main window with the axis-ratio window beside it, as the program makes them.
class MainWindowView : public MainWindow {
 protected:
  // The capture button's pictures and the screenshots.
  testsupport::CurrentFolder folder_{"main_window_view"};

  void SetUp() override {
    MainWindow::SetUp();
    OrdConfig = TCustomForm::Create<TOrdConfig>(nullptr);
    OrdConfig->BindView(ViewState(), [this] { form_->RepaintView(); });
    for (const char* name : {"Pic0.png", "Pic1.png"}) DeleteFileA(name);
  }
  void TearDown() override {
    for (const char* name : {"Pic0.png", "Pic1.png"}) DeleteFileA(name);
    delete OrdConfig;
    OrdConfig = nullptr;
    MainWindow::TearDown();
  }
};

}  // namespace

TEST_F(MainWindowView, FiveZoomInsGiveScale45) {
  auto* zoomIn = Find<TkvButton>("btnZoomIn");
  for (int i = 0; i < 5; ++i) Click(*zoomIn);
  EXPECT_EQ(ViewState().ScaleX, 45);
  EXPECT_EQ(ViewState().ScaleY, 45);
  EXPECT_EQ(form_->MagX(), "45");
  EXPECT_EQ(OrdConfig->edMagX()->Text(), "45");
  EXPECT_EQ(OrdConfig->edMagY()->Text(), "45");
  Click(*Find<TkvButton>("BtnZoomOut"));
  EXPECT_EQ(ViewState().ScaleX, 40);
  // The wheel steps by 5, by 2 with Shift.
  SendMessageA(form_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(ViewState().ScaleX, 45);
  SendMessageA(form_->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -WHEEL_DELTA), 0);
  EXPECT_EQ(ViewState().ScaleX, 43);
  // In 3D the buttons move the camera's focal length.
  Click(*Find<TkvButton>("btn3D"));
  auto* camera = Find<TGLCamera>("GLCamera1");
  Click(*zoomIn);
  EXPECT_EQ(camera->FocalLength(), 220);
  EXPECT_EQ(ViewState().ScaleX, 43);
}

TEST_F(MainWindowView, ArrowsAndADragPanByThePixelsMoved) {
  Click(*Find<TkvButton>("btnLeft"));
  Click(*Find<TkvButton>("btnUp"));
  EXPECT_EQ(ViewState().OffsetX, 10);
  EXPECT_EQ(ViewState().OffsetY, 10);
  Click(*Find<TkvButton>("btnRight"));
  Click(*Find<TkvButton>("btnDown"));
  EXPECT_EQ(ViewState().OffsetX, 0);
  EXPECT_EQ(ViewState().OffsetY, 0);

  auto* viewer = Find<TGLStageViewer>("GLStageViewer1");
  Mouse(*viewer, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  Mouse(*viewer, WM_MOUSEMOVE, MK_LBUTTON, 104, 98);
  Mouse(*viewer, WM_MOUSEMOVE, MK_LBUTTON, 110, 105);
  Mouse(*viewer, WM_LBUTTONUP, 0, 110, 105);
  EXPECT_EQ(ViewState().OffsetX, 10);
  EXPECT_EQ(ViewState().OffsetY, 5);
  EXPECT_EQ(ViewState().OriginX(), 305 + 10);
  // A move after the release pans no more.
  Mouse(*viewer, WM_MOUSEMOVE, 0, 130, 105);
  EXPECT_EQ(ViewState().OffsetX, 10);
  // A drag that leaves the view ends there; coming back does not resume it.
  Mouse(*viewer, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  Mouse(*viewer, WM_MOUSEMOVE, MK_LBUTTON, 100, 400);
  Mouse(*viewer, WM_MOUSEMOVE, MK_LBUTTON, 120, 100);
  EXPECT_EQ(ViewState().OffsetX, 10);
  EXPECT_EQ(ViewState().OffsetY, 5);
  Mouse(*viewer, WM_LBUTTONUP, 0, 120, 100);

  // In 3D a drag orbits the camera about its target, ten degrees for ten
  // pixels (the direction is the navigation's own test).
  Click(*Find<TkvButton>("btn3D"));
  auto* camera = Find<TGLCamera>("GLCamera1");
  const TVector before = camera->Position()->AsVector();
  Mouse(*viewer, WM_LBUTTONDOWN, MK_LBUTTON, 100, 100);
  Mouse(*viewer, WM_MOUSEMOVE, MK_LBUTTON, 110, 100);
  Mouse(*viewer, WM_LBUTTONUP, 0, 110, 100);
  const TVector after = camera->Position()->AsVector();
  const double turned = std::atan2(after[1], after[0]) - std::atan2(before[1], before[0]);
  EXPECT_NEAR(std::abs(turned * 180 / 3.14159265358979), 10, 0.01);
  EXPECT_NEAR(std::hypot(after[0], after[1]), std::hypot(before[0], before[1]), 1e-3);
  EXPECT_EQ(ViewState().OffsetX, 10);
}

TEST_F(MainWindowView, ADoubleClickOnThePlaneShowsTheAxisRatioWindowAndSpaceHidesIt) {
  ShowWindow();
  auto* viewer = Find<TGLStageViewer>("GLStageViewer1");
  Mouse(*viewer, WM_LBUTTONDOWN, MK_LBUTTON, 50, 50);
  Mouse(*viewer, WM_LBUTTONUP, 0, 50, 50);
  Mouse(*viewer, WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 50);
  Mouse(*viewer, WM_LBUTTONUP, 0, 50, 50);
  Drain();
  EXPECT_TRUE(OrdConfig->Visible());
  Click(*Find<TkvButton>("btn3D"));
  EXPECT_FALSE(OrdConfig->Visible());
  Mouse(*viewer, WM_LBUTTONDBLCLK, MK_LBUTTON, 50, 50);
  Mouse(*viewer, WM_LBUTTONUP, 0, 50, 50);
  Drain();
  EXPECT_FALSE(OrdConfig->Visible());
}

TEST_F(MainWindowView, OptionBoxesShowAndHideTheSpaceObjects) {
  Click(*Find<TkvButton>("btn3D"));
  Click(*Find<TkvCheckBox>("cbShowGrid"));
  EXPECT_FALSE(Find<TkvCheckBox>("cbShowGrid")->Checked());
  for (const char* name : {"XYGrid", "XZGrid", "YZGrid"}) EXPECT_FALSE(Find<TGLBaseSceneObject>(name)->Visible());
  Click(*Find<TkvCheckBox>("cbShowLine"));
  for (const char* name : {"TrucX", "TrucY", "TrucZ"}) EXPECT_FALSE(Find<TGLBaseSceneObject>(name)->Visible());
  // The light box toggles the inverted light apart from its check mark.
  Click(*Find<TkvCheckBox>("cbBkGround"));
  EXPECT_TRUE(form_->Navigator().State().InvertLight);
  // In 2D the style buttons choose points.
  Click(*Find<TkvButton>("btn2D"));
  Click(*Find<TkvRadioButton>("raKDiem"));
  EXPECT_TRUE(form_->DisplayOptions().PointMode);
  EXPECT_FALSE(Find<TkvRadioButton>("raKDuong")->Checked());
}

TEST_F(MainWindowView, ARightClickOnCaptureSavesPic0ThenPic1) {
  AddThroughDriver("sin(x)", 0xFF0000, "y = sin(x)");
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  ShowWindow();
  auto* capture = Find<TkvButton>("btnCapture");
  Mouse(*capture, WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);
  Mouse(*capture, WM_RBUTTONUP, 0, 10, 10);
  Drain();
  ASSERT_EQ(GetFileAttributesA("Pic0.png") != INVALID_FILE_ATTRIBUTES, true);
  EXPECT_EQ(GetFileAttributesA("Pic1.png"), INVALID_FILE_ATTRIBUTES);
  Mouse(*capture, WM_RBUTTONDOWN, MK_RBUTTON, 10, 10);
  Mouse(*capture, WM_RBUTTONUP, 0, 10, 10);
  Drain();
  testsupport::Picture picture;
  ASSERT_TRUE(testsupport::LoadPng("Pic1.png", picture));
  testsupport::SavePng(picture, "main_window_capture.png");
  // At the view's size, origin in its middle, both curves where they belong.
  EXPECT_EQ(picture.width, 611);
  EXPECT_EQ(picture.height, 400);
  for (double x : {-12.0, -6.0, -4.2, 4.4, 7.0, 13.0})
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * x, 200 - 20 * std::sin(x), kBlue, 1)) << "sin at " << x;
  for (double x : {-2.9, -1.4, 1.6, 3.1})
    EXPECT_TRUE(ColourNear(picture, 305 + 20 * x, 200 - 20 * x * x, kLime, 1)) << "x*x at " << x;
  // A left click opens no file.
  Click(*capture);
  EXPECT_EQ(GetFileAttributesA("Pic2.png"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowView, NavigationHintsShowInTheScreenFont) {
  Application->SetHintPause(50);
  ShowWindow();
  for (const char* name : {"btnZoomIn", "btnLeft", "btnCapture"}) {
    SCOPED_TRACE(name);
    auto* button = Find<TkvButton>(name);
    const POINT inside = button->ClientToScreen(POINT{5, 5});
    SetCursorPos(inside.x, inside.y);
    Mouse(*button, WM_MOUSEMOVE, 0, 5, 5);
    HWND hint = nullptr;
    testsupport::PumpUntil(
        [&] {
          hint = FindWindowA(nullptr, button->Hint().c_str());
          return hint && IsWindowVisible(hint);
        },
        3000);
    ASSERT_NE(hint, nullptr);
    UpdateWindow(hint);
    TFont font;
    font.Assign(Screen->HintFont());
    EXPECT_EQ(font.Name(), "Kurvexsans");
    EXPECT_TRUE(ContainsText(testsupport::CaptureWindow(hint), DrawnText(font, button->Hint())));
    if (std::string(name) == "btnZoomIn")
      testsupport::SavePng(testsupport::CaptureWindow(hint), "main_window_hint.png");
    Application->CancelHint();
    Drain();
  }
  // The mouse leaves the window, so no hint shows in later pictures.
  SetCursorPos(0, 0);
  Application->CancelHint();
}

TEST_F(MainWindowView, ThePlottedWindowOnScreen) {
  AddThroughDriver("sin(x)", 0xFF0000, "y = sin(x)");
  AddThroughDriver("x*x", 0x00FF00, "y = x*x");
  ShowWindow();
  Find<TGLStageViewer>("GLStageViewer1")->Repaint();
  Drain();
  const testsupport::Picture shot = testsupport::CaptureWindow(form_->Handle());
  EXPECT_TRUE(testsupport::SavePng(shot, "main_window_plot.png"));
  // The viewer's client starts at (5, 25) of the window: the curve shows there.
  EXPECT_TRUE(ColourNear(shot, 5 + 305 + 20 * 4.4, 25 + 200 - 20 * std::sin(4.4), kBlue, 1));
}
