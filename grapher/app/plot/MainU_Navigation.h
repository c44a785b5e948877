// Moving and scaling the view, and the display options, apart from the main
// window: the pan and zoom buttons, the mouse wheel, dragging in the viewer
// and the option boxes. In 2D they change the view state the renderer reads
// at the next paint; in 3D they orbit and zoom the scene's camera, which sits
// behind an interface, and switch the visibility of grids and axis arrows.
#pragma once

#include <cstdint>
#include <string>

#include "app/model/MainU_Options.h"
#include "app/model/MainU_View.h"

namespace kx {

class TGLCamera;

// What the navigation does with the scene's camera.
class TNavCamera {
 public:
  virtual ~TNavCamera() = default;
  virtual float FocalLength() const = 0;
  // A value not above 0 becomes 1.
  virtual void SetFocalLength(float value) = 0;
  // Orbits the camera's target, in degrees.
  virtual void MoveAroundTarget(float pitch, float turn) = 0;
};

// The scene's own camera.
class TSceneNavCamera : public TNavCamera {
 public:
  explicit TSceneNavCamera(TGLCamera& camera) : camera_(camera) {}
  float FocalLength() const override;
  void SetFocalLength(float value) override;
  void MoveAroundTarget(float pitch, float turn) override;

 private:
  TGLCamera& camera_;
};

// What the navigation asks of the main window.
class TNavView {
 public:
  virtual ~TNavView() = default;
  // The viewer paints a new frame.
  virtual void RepaintView() = 0;
  // The scene's buffer is told of a change (it asks for a frame itself).
  virtual void NotifySceneChange() = 0;
  // The axis-ratio window's edits show the 2D scales.
  virtual void ShowScales(const std::string& magX, const std::string& magY) = 0;
  // 3D: the three axis arrows, and the three grids, shown or hidden.
  virtual void ShowAxisArrows(bool visible) = 0;
  virtual void ShowGrids(bool visible) = 0;
};

// The 2D scale steps of the buttons and the wheel, the wheel's fine step with
// Shift, and the bounds the zoom tests before it steps.
constexpr double ZoomStep2D = 5, FineZoomStep2D = 2;
constexpr double MaxZoomScale = 300, MinZoomScale = 5;
// The focal length up to which the 3D zoom in still steps.
constexpr float MaxZoomFocalLength = 2800;
// Pixels a pan button moves the 2D plot, degrees it orbits the camera.
constexpr int32_t PanStep2D = 10;
constexpr float PanStep3D = 5;

struct TNavState {
  int32_t ZoomStep3D = 20;  // focal-length step of the 3D zoom
  bool Dragging = false;    // a drag in the viewer is under way
  int32_t LastX = 0, LastY = 0;
  // 3D: surface normals are negated.
  bool InvertLight = false;
};

class TViewNavigator {
 public:
  TViewNavigator(TViewState& view, const TDisplayOptions& options, TNavCamera& camera, TNavView& window)
      : view_(view), options_(options), camera_(camera), window_(window) {}

  TNavState& State() { return state_; }

  void UpClicked();
  void DownClicked();
  void LeftClicked();
  void RightClicked();
  void ZoomInClicked();
  void ZoomOutClicked();
  void WheelUp(bool shift);
  void WheelDown(bool shift);

  // Viewer coordinates; any button starts a drag inside the view.
  void MouseDown(int x, int y);
  void MouseMove(int x, int y);
  void MouseUp();

  // The option boxes' clicks, after their check state changed.
  void ShowNumClicked();
  void ShowLineClicked();
  void ShowGridClicked();
  void BkGroundClicked();
  void DrawStyleClicked();

 private:
  void Pan(int32_t dx, int32_t dy, float pitch, float turn);
  void Scale2D(double step);
  void Zoom3D(float step);
  bool InsideView(int x, int y) const;

  TViewState& view_;
  const TDisplayOptions& options_;
  TNavCamera& camera_;
  TNavView& window_;
  TNavState state_;
};

}  // namespace kx
