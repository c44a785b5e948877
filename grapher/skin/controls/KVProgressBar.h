// The progress bar: a filled part from a picture and the percentage as its
// caption. It keeps its 12-pixel thickness.
#pragma once

#include <memory>

#include "framework/windows/ExtCtrls.h"
#include "skin/controls/KVBarOrientation.h"
#include "skin/look/KVThemes.h"

namespace kx {

// (Position - Min) * 100 div (Max - Min); 0 for an empty range.
int ProgressPercent(int min, int max, int position);
// The filled part of `pixels`: none for Min >= Max or Position <= Min, all
// past Max, else in proportion.
int ProgressFilledLength(int min, int max, int position, int pixels);

class TkvProgressBar : public TCustomPanel {
  KX_CLASS(TkvProgressBar, TCustomPanel)
 public:
  explicit TkvProgressBar(TComponent* owner);
  ~TkvProgressBar() override;

  int Max() const { return max_; }
  void SetMax(int v);
  int Min() const { return min_; }
  void SetMin(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  // A style other than Custom sets the picture (entry 43 or 44), the colour
  // of the unfilled part (9) and the border (8).
  void SetUIStyle(TkvUIStyle style);
  TkvProgressBarOrientation Orientation() const { return orientation_; }
  // Turns the bar: 12 pixels across, the longer side along it.
  void SetOrientation(TkvProgressBarOrientation v);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor v);
  // The unfilled part.
  void SetColor(TColor color) override;
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(TPicture* picture);
  // A vertical bar shows no caption, whatever ShowCaption holds.
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool on);
  TColor CaptionColor() const { return captionColor_; }
  void SetCaptionColor(TColor v);
  // No caption while Position is Min.
  bool SmartShowCaption() const { return smartShowCaption_; }
  void SetSmartShowCaption(bool on);

  // The whole bar as painted.
  void PaintTo(TBitmap& bmp);

 protected:
  void Paint() override;
  // Only sizes that keep the thickness at 12; any while the form loads,
  // where the size may come before the orientation.
  bool CanResize(int& width, int& height) override;
  void WndProc(TMessage& m) override;

 private:
  void ApplyStyle();
  void UpdateCaption();

  int max_ = 100, min_ = 0, position_ = 50;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  TkvProgressBarOrientation orientation_ = kvHorizontal;
  TColor borderColor_ = 0;
  std::unique_ptr<TPicture> picture_;
  bool showCaption_ = true;
  TColor captionColor_ = 0;
  bool smartShowCaption_ = false;
};

}  // namespace kx
