// The main window's view: the frame it draws inside the viewer's render,
// panning, zooming and orbiting by buttons, wheel and mouse, the display
// options, the capture button and the double click that asks for the
// axis ratio.
#include <windows.h>

#include "app/model/EvalFU_State.h"
#include "app/plot/MainU_Render2D.h"
#include "app/plot/MainU_Render3D.h"
#include "app/windows/CapU.h"
#include "app/windows/MainU.h"
#include "app/windows/OrdCfg.h"
#include "scene/GLStage.h"
#include "scene/GLStageNode.h"
#include "scene/GLTexture.h"
#include "scene/GLWin32Viewer.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVPageControl.h"

namespace kx {

void TMainForm::MakeViewTools() {
  camera_ = std::make_unique<TSceneNavCamera>(*viewer_->Camera());
  navigator_ = std::make_unique<TViewNavigator>(ViewState(), options_, *camera_, *this);
  captureSource_ = std::make_unique<TViewerCaptureSource>(*viewer_);
  capture_ = std::make_unique<TCaptureButton>(ViewState(), *captureSource_, [this](const std::string& name) {
    if (CapForm) CapForm->Execute(name, ViewState(), *captureSource_);
  });
}

void TMainForm::FormPaint(TObject*) {
  if (!navigator_) return;
  const TViewState& view = ViewState();
  if (!view.Is2DMode) {
    const TPlot3D plot{FuncModel(), view, DisplayOptions(), EvalState(), navigator_->State().InvertLight};
    Render3D(plot);
    PlaceMarker(PlaceMarker3D(plot));
    return;
  }
  const TPlot2D plot{FuncModel(), view, DisplayOptions(), EvalState(), EvalIntegralPageActive()};
  Render2D(plot);
}

void TMainForm::PlaceMarker(const TSpaceMarker& marker) {
  // Drawn by the scene from the next frame on: a change made while the frame
  // is drawn asks for no new one.
  auto* dot = As<TGLCustomSceneObject>(FindComponent("spDot"));
  if (!marker.Visible) {
    dot->SetVisible(false);
    return;
  }
  dot->Position()->SetCoordinate(0, static_cast<float>(marker.X));
  dot->Position()->SetCoordinate(1, static_cast<float>(marker.Y));
  dot->Position()->SetCoordinate(2, static_cast<float>(marker.Z));
  // Pink for the point the last search found, else orange; red stays 1.
  TGLColor* emission = dot->Material()->FrontProperties()->Emission();
  emission->SetColorComponent(2, marker.SearchHit ? 0.68f : 0.0f);
  emission->SetColorComponent(1, marker.SearchHit ? 0.11f : 0.498039f);
  dot->SetVisible(true);
}

void TMainForm::btnUpClick(TObject*) { navigator_->UpClicked(); }
void TMainForm::btnDownClick(TObject*) { navigator_->DownClicked(); }
void TMainForm::btnLeftClick(TObject*) { navigator_->LeftClicked(); }
void TMainForm::btnRightClick(TObject*) { navigator_->RightClicked(); }
void TMainForm::btnZoomInClick(TObject*) { navigator_->ZoomInClicked(); }
void TMainForm::BtnZoomOutClick(TObject*) { navigator_->ZoomOutClicked(); }

void TMainForm::FormMouseWheelUp(bool shift) { navigator_->WheelUp(shift); }
void TMainForm::FormMouseWheelDown(bool shift) { navigator_->WheelDown(shift); }

void TMainForm::WndProc(TMessage& m) {
  // The wheel reaches the window from whichever control has the focus.
  if (m.Msg == WM_MOUSEWHEEL) {
    const bool shift = (GET_KEYSTATE_WPARAM(m.WParam) & MK_SHIFT) != 0;
    if (GET_WHEEL_DELTA_WPARAM(m.WParam) > 0)
      FormMouseWheelUp(shift);
    else
      FormMouseWheelDown(shift);
    m.Result = 0;
    return;
  }
  TForm::WndProc(m);
}

void TMainForm::GLStageViewer1MouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  navigator_->MouseDown(x, y);
}
void TMainForm::GLStageViewer1MouseMove(TObject*, TShiftState, int x, int y) { navigator_->MouseMove(x, y); }
void TMainForm::GLStageViewer1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { navigator_->MouseUp(); }

void TMainForm::GLStageViewer1DblClick(TObject*) {
  // The axis-ratio window belongs to the plane view.
  if (OrdConfig && ViewState().Is2DMode) OrdConfig->Show();
}

void TMainForm::cbShowNumClick(TObject*) {
  DisplayOptions();
  navigator_->ShowNumClicked();
}
void TMainForm::cbShowLineClick(TObject*) {
  DisplayOptions();
  navigator_->ShowLineClicked();
}
void TMainForm::cbShowGridClick(TObject*) {
  DisplayOptions();
  navigator_->ShowGridClicked();
}
void TMainForm::cbBkGroundClick(TObject*) {
  DisplayOptions();
  navigator_->BkGroundClicked();
}
void TMainForm::raKDuongClick(TObject*) {
  DisplayOptions();
  navigator_->DrawStyleClicked();
}

void TMainForm::btnCaptureClick(TObject*) { capture_->Click(); }
void TMainForm::btnCaptureMouseDown(TObject*, TMouseButton button, TShiftState, int, int) {
  capture_->MouseDown(button);
}
void TMainForm::btnCaptureMouseUp(TObject*, TMouseButton button, TShiftState, int, int) { capture_->MouseUp(button); }

void TMainForm::NotifySceneChange() { viewer_->Buffer()->NotifyChange(FindComponent("GLStage1")); }

void TMainForm::ShowScales(const std::string& magX, const std::string& magY) {
  magX_ = magX;
  magY_ = magY;
  if (OrdConfig) OrdConfig->ShowScales(magX, magY);
}

void TMainForm::ShowAxisArrows(bool visible) {
  for (const char* name : {"TrucX", "TrucY", "TrucZ"}) As<TGLBaseSceneObject>(FindComponent(name))->SetVisible(visible);
}

void TMainForm::ShowGrids(bool visible) {
  for (const char* name : {"XYGrid", "XZGrid", "YZGrid"})
    As<TGLBaseSceneObject>(FindComponent(name))->SetVisible(visible);
}

}  // namespace kx
