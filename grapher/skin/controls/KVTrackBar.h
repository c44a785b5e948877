// The track bar: a slider (a picture panel) over a bar picture, moved by dragging or page by
// page while the mouse is held beside it. Every change of Position from the
// one last reported raises OnChange, also a write by code. The scroll bar's
// thumb track is the same class.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Graphics.h"
#include "skin/controls/KVBarOrientation.h"
#include "skin/controls/KVImagePanel.h"
#include "skin/look/KVThemes.h"

namespace kx {

// What the track geometry depends on.
struct TkvTrackGeometry {
  TkvProgressBarOrientation Orientation = kvHorizontal;
  int Width = 0, Height = 0;              // the track bar
  int SliderWidth = 0, SliderHeight = 0;  // its slider
  int Min = 0, Max = 100;
};

// Where the slider stands for a position (its left and top). Products are
// taken in 64 bits: ranges up to the whole 32-bit span do not overflow.
POINT TrackSliderPlace(const TkvTrackGeometry& g, int position);
// The position that puts the slider's middle under a point; not clamped.
int TrackPositionAt(const TkvTrackGeometry& g, int x, int y);
// One page from `position` towards the point, never past the position at
// the point; the point on the slider's place pages nothing.
int TrackPageTowards(const TkvTrackGeometry& g, int position, int pageSize, int x, int y);

class TkvTrackBar : public TCustomPanel {
  KX_CLASS(TkvTrackBar, TCustomPanel)
 public:
  explicit TkvTrackBar(TComponent* owner);
  ~TkvTrackBar() override;

  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  // Clamps to Min..Max, moves the slider and reports a change from the last
  // reported position. While the form loads nothing is raised; the loaded
  // value counts as reported.
  void SetPosition(int v);
  int LastPosition() const { return lastPosition_; }
  // 0..100; other values are ignored.
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v);
  TkvProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TkvProgressBarOrientation v);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  // A style other than Custom sets the colour (entry 79), the bar and the
  // slider's pictures.
  void SetUIStyle(TkvUIStyle style);
  TPicture* BarImage() const { return barImage_.get(); }
  void SetBarImage(TPicture* picture);
  TPicture* SliderImage() const { return slider_->Picture(); }
  virtual void SetSliderImage(TPicture* picture);
  bool GetSliderVisible() const { return slider_->Visible(); }
  void SetSliderVisible(bool on);
  // The slider takes its picture's size, the bar the slider's thickness.
  void FitSlider();

  TkvImagePanel* Slider() const { return slider_; }
  // Exists while the left button is held beside the slider.
  TTimer* PageTimer() const { return pageTimer_.get(); }
  bool Dragging() const { return dragging_; }
  TBitmap* BarBitmap() const { return barBitmap_.get(); }
  TkvTrackGeometry Geometry() const;
  // Draws the whole bar (without the slider, a child window) into `bmp`.
  void PaintTo(TBitmap& bmp);

  TNotifyEvent OnChange;

  void Loaded() override;

 protected:
  virtual void UpdatePictures();
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WndProc(TMessage& m) override;

 private:
  void UpdateSlider();
  void Rebuild();
  void FitSize();
  void PageTowards(int x, int y);
  void SliderMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // Ends paging and dragging; a dragged position not yet reported is.
  void EndPress();
  void ReportChange();

  std::unique_ptr<TPicture> barImage_;
  std::unique_ptr<TTimer> pageTimer_;
  TkvImagePanel* slider_ = nullptr;
  int min_ = 0, max_ = 100, position_ = 0;
  int lastPosition_ = 0;
  TkvProgressBarOrientation orientation_ = kvHorizontal;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  bool dragging_ = false;
  int dragOffset_ = 0;
  int pageSize_ = 10;
  std::unique_ptr<TBitmap> barBitmap_;
  bool rebuilding_ = false;
};

// The scroll bar's thumb track.
class TkvScrollTrackBar : public TkvTrackBar {
  KX_CLASS(TkvScrollTrackBar, TkvTrackBar)
 public:
  explicit TkvScrollTrackBar(TComponent* owner) : TkvTrackBar(owner) {}
};

}  // namespace kx
