#include "app/windows/OrdCfg.h"

#include <windows.h>

#include <cmath>

#include "app/model/MainU_View.h"
#include "app/windows/FInU_Rows.h"
#include "framework/core/FormResources.h"
#include "framework/windows/StdCtrls.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVTrackBar.h"

namespace kx {

TOrdConfig* OrdConfig = nullptr;

namespace {

// The processor rounds to the nearest, ties to even.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

std::string Percent(double ratio) { return std::to_string(RoundEven(ratio * 100)) + "%"; }

// Clears a guard however the code between leaves.
class TGuard {
 public:
  explicit TGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~TGuard() { flag_ = false; }
  TGuard(const TGuard&) = delete;
  TGuard& operator=(const TGuard&) = delete;

 private:
  bool& flag_;
};

}  // namespace

double SliderRatio(int position) { return position >= 100 ? 1 + (position - 100) / 25.0 : 0.2 + position / 125.0; }

int SliderPositionOfRatio(double ratio) {
  return ratio >= 1 ? RoundEven((ratio - 1) * 25) + 100 : RoundEven((ratio - 0.2) * 125);
}

KX_PUBLISH(TOrdConfig) {
  p.Handler("FormShow", &TOrdConfig::FormShow);
  p.Handler("tbxyChange", &TOrdConfig::tbxyChange);
  p.Handler("tbyxChange", &TOrdConfig::tbyxChange);
}

TOrdConfig::TOrdConfig(TComponent* owner) : TForm(owner), view_(&ViewState()) {
  ReadFormResource(*this);
  edMagX_ = FindComponentAs<TkvEdit>(*this, "edMagX");
  edMagY_ = FindComponentAs<TkvEdit>(*this, "edMagY");
  lbPercentX_ = FindComponentAs<TLabel>(*this, "lbPercentX");
  lbPercentY_ = FindComponentAs<TLabel>(*this, "lbPercentY");
  tbxy_ = FindComponentAs<TkvTrackBar>(*this, "tbxy");
  tbyx_ = FindComponentAs<TkvTrackBar>(*this, "tbyx");
}

void TOrdConfig::BindView(TViewState& view, std::function<void()> repaintView) {
  view_ = &view;
  repaintView_ = std::move(repaintView);
}

void TOrdConfig::ShowScales(const std::string& magX, const std::string& magY) {
  edMagX_->SetText(magX);
  edMagY_->SetText(magY);
}

void TOrdConfig::ShowPercentages() {
  lbPercentX_->SetCaption(Percent(view_->AspectXY));
  lbPercentY_->SetCaption(Percent(aspectYX_));
}

void TOrdConfig::FormShow(TObject*) {
  SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowScales(std::to_string(RoundEven(view_->ScaleX)), std::to_string(RoundEven(view_->ScaleY)));
  aspectYX_ = 1 / view_->AspectXY;
  ShowPercentages();
  TGuard x(sliderXBusy_), y(sliderYBusy_);
  tbxy_->SetPosition(SliderPositionOfRatio(view_->AspectXY));
  tbyx_->SetPosition(SliderPositionOfRatio(aspectYX_));
}

void TOrdConfig::tbxyChange(TObject*) {
  if (sliderYBusy_) return;
  {
    TGuard busy(sliderXBusy_);
    view_->AspectXY = SliderRatio(tbxy_->Position());
    view_->ScaleX = view_->ScaleY * view_->AspectXY;
    edMagX_->SetText(std::to_string(RoundEven(view_->ScaleX)));
    aspectYX_ = 1 / view_->AspectXY;
    ShowPercentages();
    tbyx_->SetPosition(SliderPositionOfRatio(aspectYX_));
  }
  if (repaintView_) repaintView_();
}

void TOrdConfig::tbyxChange(TObject*) {
  if (sliderXBusy_) return;
  {
    TGuard busy(sliderYBusy_);
    aspectYX_ = SliderRatio(tbyx_->Position());
    view_->ScaleY = view_->ScaleX * aspectYX_;
    edMagY_->SetText(std::to_string(RoundEven(view_->ScaleY)));
    view_->AspectXY = 1 / aspectYX_;
    ShowPercentages();
    tbxy_->SetPosition(SliderPositionOfRatio(view_->AspectXY));
  }
  if (repaintView_) repaintView_();
}

}  // namespace kx
