#include "app/plot/MainU_Navigation.h"

#include <cmath>

#include "scene/GLStageCamera.h"

namespace kx {

namespace {

// The scales as the axis-ratio window shows them: whole pixels, ties to even.
std::string WholePixels(double scale) { return std::to_string(static_cast<long long>(std::nearbyint(scale))); }

}  // namespace

float TSceneNavCamera::FocalLength() const { return camera_.FocalLength(); }
void TSceneNavCamera::SetFocalLength(float value) { camera_.SetFocalLength(value); }
void TSceneNavCamera::MoveAroundTarget(float pitch, float turn) { camera_.MoveAroundTarget(pitch, turn); }

void TViewNavigator::Pan(int32_t dx, int32_t dy, float pitch, float turn) {
  if (view_.Is2DMode) {
    view_.OffsetX += dx;
    view_.OffsetY += dy;
  } else {
    camera_.MoveAroundTarget(pitch, turn);
  }
  window_.RepaintView();
}

void TViewNavigator::UpClicked() { Pan(0, PanStep2D, PanStep3D, 0); }
void TViewNavigator::DownClicked() { Pan(0, -PanStep2D, -PanStep3D, 0); }
void TViewNavigator::LeftClicked() { Pan(PanStep2D, 0, 0, PanStep3D); }
void TViewNavigator::RightClicked() { Pan(-PanStep2D, 0, 0, -PanStep3D); }

void TViewNavigator::Scale2D(double step) {
  // The bound is tested before the step, so a scale may end just outside it.
  const bool applies = step > 0 ? view_.ScaleX < MaxZoomScale : view_.ScaleX > MinZoomScale;
  if (applies) {
    view_.ScaleX += step;
    view_.ScaleY = view_.ScaleX / view_.AspectXY;
    window_.ShowScales(WholePixels(view_.ScaleX), WholePixels(view_.ScaleY));
  }
  window_.RepaintView();
}

void TViewNavigator::Zoom3D(float step) {
  // Zooming out tests the full step even for the fine one.
  const float focal = camera_.FocalLength();
  const bool applies = step > 0 ? focal <= MaxZoomFocalLength : static_cast<float>(state_.ZoomStep3D) <= focal;
  if (!applies) return;
  camera_.SetFocalLength(focal + step);
  window_.RepaintView();
}

void TViewNavigator::ZoomInClicked() {
  if (view_.Is2DMode)
    Scale2D(ZoomStep2D);
  else
    Zoom3D(static_cast<float>(state_.ZoomStep3D));
}

void TViewNavigator::ZoomOutClicked() {
  if (view_.Is2DMode)
    Scale2D(-ZoomStep2D);
  else
    Zoom3D(-static_cast<float>(state_.ZoomStep3D));
}

void TViewNavigator::WheelUp(bool shift) {
  if (view_.Is2DMode)
    Scale2D(shift ? FineZoomStep2D : ZoomStep2D);
  else
    Zoom3D(static_cast<float>(shift ? state_.ZoomStep3D / 5 : state_.ZoomStep3D));
}

void TViewNavigator::WheelDown(bool shift) {
  if (view_.Is2DMode)
    Scale2D(shift ? -FineZoomStep2D : -ZoomStep2D);
  else
    Zoom3D(-static_cast<float>(shift ? state_.ZoomStep3D / 5 : state_.ZoomStep3D));
}

bool TViewNavigator::InsideView(int x, int y) const { return x >= 0 && x < view_.ViewW && y >= 0 && y < view_.ViewH; }

void TViewNavigator::MouseDown(int x, int y) {
  if (!InsideView(x, y)) return;
  state_.LastX = x, state_.LastY = y;
  state_.Dragging = true;
}

void TViewNavigator::MouseMove(int x, int y) {
  // Leaving the view ends the drag; coming back needs a new press.
  if (!InsideView(x, y)) {
    state_.Dragging = false;
    return;
  }
  if (!state_.Dragging) return;
  if (view_.Is2DMode) {
    // The plot follows the mouse.
    view_.OffsetX += x - state_.LastX;
    view_.OffsetY += y - state_.LastY;
  } else {
    // One degree per pixel.
    camera_.MoveAroundTarget(static_cast<float>(state_.LastY - y), static_cast<float>(state_.LastX - x));
  }
  state_.LastX = x, state_.LastY = y;
  window_.RepaintView();
}

void TViewNavigator::MouseUp() { state_.Dragging = false; }

void TViewNavigator::ShowNumClicked() { window_.RepaintView(); }

void TViewNavigator::ShowLineClicked() {
  if (view_.Is2DMode)
    window_.RepaintView();
  else
    window_.ShowAxisArrows(options_.ShowLine);
}

void TViewNavigator::ShowGridClicked() {
  if (view_.Is2DMode)
    window_.RepaintView();
  else
    window_.ShowGrids(options_.ShowGrid);
}

void TViewNavigator::BkGroundClicked() {
  if (view_.Is2DMode) {
    window_.RepaintView();
    return;
  }
  // In 3D every click inverts the lighting, whatever the check mark shows.
  state_.InvertLight = !state_.InvertLight;
  window_.NotifySceneChange();
}

void TViewNavigator::DrawStyleClicked() { window_.NotifySceneChange(); }

}  // namespace kx
