// The axis-ratio window: two coupled sliders stretch the 2D plot by changing
// the ratio of the x and y unit lengths. The x slider sets i:j and keeps the
// y unit, the y slider sets j:i and keeps the x unit; each moves the other to
// match. Modeless and on top; the view switches to 3D hide it.
#pragma once

#include <functional>
#include <string>

#include "framework/windows/Forms.h"

namespace kx {

struct TViewState;
class TLabel;
class TkvEdit;
class TkvTrackBar;

// A ratio of 0.2 to 5 on a slider of 0 to 200: two linear pieces that meet at
// ratio 1 in the middle (100). Rounding is to the nearest, ties to even.
double SliderRatio(int position);
int SliderPositionOfRatio(double ratio);

class TOrdConfig : public TForm {
  KX_CLASS(TOrdConfig, TForm)
 public:
  explicit TOrdConfig(TComponent* owner);

  // The view the sliders change and how the viewer repaints after a change:
  // the program's view state and no repaint until the main window binds its
  // viewer.
  void BindView(TViewState& view, std::function<void()> repaintView);
  // The unit lengths shown after a 2D zoom.
  void ShowScales(const std::string& magX, const std::string& magY);

  void FormShow(TObject* sender);
  void tbxyChange(TObject* sender);
  void tbyxChange(TObject* sender);

  TkvEdit* edMagX() const { return edMagX_; }
  TkvEdit* edMagY() const { return edMagY_; }
  TLabel* lbPercentX() const { return lbPercentX_; }
  TLabel* lbPercentY() const { return lbPercentY_; }
  TkvTrackBar* tbxy() const { return tbxy_; }
  TkvTrackBar* tbyx() const { return tbyx_; }
  double AspectYX() const { return aspectYX_; }

 private:
  void ShowPercentages();

  TkvEdit* edMagX_;
  TkvEdit* edMagY_;
  TLabel* lbPercentX_;
  TLabel* lbPercentY_;
  TkvTrackBar* tbxy_;
  TkvTrackBar* tbyx_;
  TViewState* view_;
  std::function<void()> repaintView_;
  double aspectYX_ = 1.0;
  // Set while one slider's handler moves the other, whose handler then
  // leaves everything alone.
  bool sliderXBusy_ = false, sliderYBusy_ = false;
};

// The program's one axis-ratio window; nullptr until the program creates it.
extern TOrdConfig* OrdConfig;

}  // namespace kx
