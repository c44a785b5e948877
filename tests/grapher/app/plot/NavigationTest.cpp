// Pan, zoom, drag and the display options on a view state, with a camera and
// a window that record what they are asked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/plot/MainU_Navigation.h"

using namespace kx;

namespace {

class FakeCamera : public TNavCamera {
 public:
  float FocalLength() const override { return focal; }
  void SetFocalLength(float value) override { focal = value > 0 ? value : 1; }
  void MoveAroundTarget(float pitch, float turn) override { orbits.push_back({pitch, turn}); }
  float focal = 200;
  std::vector<std::pair<float, float>> orbits;
};

class FakeWindow : public TNavView {
 public:
  void RepaintView() override { ++repaints; }
  void NotifySceneChange() override { ++sceneChanges; }
  void ShowScales(const std::string& x, const std::string& y) override { magX = x, magY = y; }
  void ShowAxisArrows(bool visible) override { arrows.push_back(visible); }
  void ShowGrids(bool visible) override { grids.push_back(visible); }
  int repaints = 0, sceneChanges = 0;
  std::string magX = "20", magY = "20";
  std::vector<bool> arrows, grids;
};

class Navigation : public ::testing::Test {
 protected:
  Navigation() {
    view.ViewW = 603, view.ViewH = 400;
    view.CenterX = 301, view.CenterY = 200;
  }
  TViewState view;
  TDisplayOptions options;
  FakeCamera camera;
  FakeWindow window;
  TViewNavigator nav{view, options, camera, window};
};

}  // namespace

TEST_F(Navigation, FiveZoomInsFromTheStartGive45) {
  for (int i = 0; i < 5; ++i) nav.ZoomInClicked();
  EXPECT_EQ(view.ScaleX, 45);
  EXPECT_EQ(view.ScaleY, 45);
  EXPECT_EQ(window.magX, "45");
  EXPECT_EQ(window.magY, "45");
  EXPECT_EQ(window.repaints, 5);
}

TEST_F(Navigation, TheZoomTestsItsBoundBeforeItSteps) {
  struct Case {
    double scale;
    bool in;
    double want;
  };
  const Case cases[] = {{300, true, 300}, {5, false, 5}, {299, true, 304}, {7, false, 2}, {6, false, 1}};
  for (const Case& c : cases) {
    view.ScaleX = view.ScaleY = c.scale;
    const int repaints = window.repaints;
    if (c.in)
      nav.ZoomInClicked();
    else
      nav.ZoomOutClicked();
    EXPECT_EQ(view.ScaleX, c.want) << c.scale;
    EXPECT_EQ(window.repaints, repaints + 1) << "the view repaints whether or not the step applied";
  }
}

TEST_F(Navigation, TheWheelStepsFinerWithShiftAndKeepsTheAxisRatio) {
  view.AspectXY = 2;
  nav.WheelUp(false);
  EXPECT_EQ(view.ScaleX, 25);
  EXPECT_EQ(view.ScaleY, 12.5);
  EXPECT_EQ(window.magY, "12");  // ties go to even
  nav.WheelUp(true);
  EXPECT_EQ(view.ScaleX, 27);
  nav.WheelDown(true);
  nav.WheelDown(false);
  EXPECT_EQ(view.ScaleX, 20);
  EXPECT_EQ(view.ScaleY, 10);
}

TEST_F(Navigation, TheFocalLengthStopsAboveItsLimit) {
  view.Is2DMode = false;
  camera.focal = 2800;
  nav.ZoomInClicked();
  EXPECT_EQ(camera.focal, 2820);
  EXPECT_EQ(window.repaints, 1);
  nav.ZoomInClicked();
  nav.WheelUp(false);
  EXPECT_EQ(camera.focal, 2820);
  EXPECT_EQ(window.repaints, 1) << "no repaint when the step does not apply";
  nav.WheelDown(true);  // Shift: a fifth of the step
  EXPECT_EQ(camera.focal, 2816);

  // Out: only while the whole step fits, also for the fine one.
  camera.focal = 20;
  nav.ZoomOutClicked();
  EXPECT_EQ(camera.focal, 1);  // the camera turns 0 into 1
  nav.ZoomOutClicked();
  EXPECT_EQ(camera.focal, 1);
  camera.focal = 19;
  nav.WheelDown(true);
  EXPECT_EQ(camera.focal, 19);
  EXPECT_EQ(view.ScaleX, 20) << "3D zoom leaves the 2D scale";
}

TEST_F(Navigation, PanButtonsMoveThePlotOrOrbitTheCamera) {
  nav.UpClicked();
  nav.LeftClicked();
  nav.LeftClicked();
  nav.DownClicked();
  nav.RightClicked();
  EXPECT_EQ(view.OffsetX, 10);
  EXPECT_EQ(view.OffsetY, 0);
  EXPECT_EQ(window.repaints, 5);
  view.Is2DMode = false;
  nav.UpClicked();
  nav.DownClicked();
  nav.LeftClicked();
  nav.RightClicked();
  EXPECT_EQ(camera.orbits,
            (std::vector<std::pair<float, float>>{{5.0f, 0.0f}, {-5.0f, 0.0f}, {0.0f, 5.0f}, {0.0f, -5.0f}}));
  EXPECT_EQ(view.OffsetX, 10);
  EXPECT_EQ(window.repaints, 9);
}

TEST_F(Navigation, DraggingTenPixelsRightMovesTheOriginTenPixelsRight) {
  const int32_t originX = view.OriginX(), originY = view.OriginY();
  nav.MouseDown(100, 100);
  nav.MouseMove(105, 100);
  nav.MouseMove(110, 100);
  nav.MouseUp();
  EXPECT_EQ(view.OriginX(), originX + 10);
  EXPECT_EQ(view.OriginY(), originY);
  nav.MouseMove(150, 150);  // no button: nothing
  EXPECT_EQ(view.OriginX(), originX + 10);

  view.Is2DMode = false;
  nav.MouseDown(100, 100);
  nav.MouseMove(110, 100);
  nav.MouseMove(110, 97);
  EXPECT_EQ(camera.orbits, (std::vector<std::pair<float, float>>{{0.0f, -10.0f}, {3.0f, 0.0f}}));
}

TEST_F(Navigation, ADragThatLeavesTheViewEnds) {
  nav.MouseDown(600, 10);
  nav.MouseMove(603, 10);  // the view is 0..602 wide
  EXPECT_FALSE(nav.State().Dragging);
  nav.MouseMove(590, 10);
  EXPECT_EQ(view.OffsetX, 0) << "coming back does not resume the drag";
  EXPECT_EQ(window.repaints, 0);
  nav.MouseDown(-1, 10);  // a press outside starts nothing
  EXPECT_FALSE(nav.State().Dragging);
  nav.MouseDown(0, 399);
  EXPECT_TRUE(nav.State().Dragging);
  nav.MouseMove(0, 400);
  EXPECT_FALSE(nav.State().Dragging);
}

TEST_F(Navigation, OptionBoxesByMode) {
  nav.ShowNumClicked();
  nav.ShowLineClicked();
  nav.ShowGridClicked();
  nav.BkGroundClicked();
  EXPECT_EQ(window.repaints, 4);
  EXPECT_FALSE(nav.State().InvertLight);
  nav.DrawStyleClicked();
  EXPECT_EQ(window.sceneChanges, 1);

  view.Is2DMode = false;
  options.ShowLine = false;
  nav.ShowLineClicked();
  options.ShowGrid = true;
  nav.ShowGridClicked();
  EXPECT_EQ(window.arrows, std::vector<bool>{false});
  EXPECT_EQ(window.grids, std::vector<bool>{true});
  // Each click inverts the lighting, whatever the check mark shows.
  options.BkGround = true;
  nav.BkGroundClicked();
  EXPECT_TRUE(nav.State().InvertLight);
  nav.BkGroundClicked();
  EXPECT_FALSE(nav.State().InvertLight);
  options.BkGround = false;
  nav.BkGroundClicked();
  EXPECT_TRUE(nav.State().InvertLight);
  EXPECT_EQ(window.sceneChanges, 4);
}
