// The skinned scroll bar: two line buttons and a thumb track. The memo and
// the list boxes lay one over the edge of their native scroll bar and keep
// the two in step (KVLinkedBars.h).
#pragma once

#include <array>
#include <memory>

#include "framework/windows/ExtCtrls.h"
#include "skin/controls/KVTrackBar.h"

namespace kx {

// A line button: three pictures (normal, under the mouse, pressed) and a
// step repeated while the left button is held: the first one interval
// after the press, then one every interval. A press released before the
// first step steps once on release.
class TkvScrollLineButton : public TCustomControl {
  KX_CLASS(TkvScrollLineButton, TCustomControl)
 public:
  explicit TkvScrollLineButton(TComponent* owner);
  ~TkvScrollLineButton() override;

  TPicture* PicNormal() const { return pictures_[0].get(); }
  TPicture* PicMouseOn() const { return pictures_[1].get(); }
  TPicture* PicMouseDown() const { return pictures_[2].get(); }
  // The button takes the normal picture's size.
  void SetAutoSize(bool on);
  unsigned MouseContinuouslyDownInterval() const { return interval_; }
  void SetMouseContinuouslyDownInterval(unsigned ms) { interval_ = ms; }
  // Exists while the left button is held on the button.
  TTimer* RepeatTimer() const { return repeatTimer_.get(); }

  TNotifyEvent OnMouseContinuouslyDown;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void WndProc(TMessage& m) override;

 private:
  void Fit();
  void EndPress();
  std::array<std::unique_ptr<TPicture>, 3> pictures_;
  std::unique_ptr<TTimer> repeatTimer_;
  unsigned interval_ = 100;
  int steps_ = 0;
  bool pressed_ = false;
  bool hover_ = false;
  bool autoSize_ = false;
};

// Where the parts of a scroll bar go.
struct TkvScrollBarLayout {
  RECT Up{}, Track{}, Down{};
  int Width = 0, Height = 0;  // the bar's own size afterwards
};
// Up and down buttons of the given sizes at the two ends of a bar of
// width x height; the track (of its own thickness) between them, one pixel
// shorter when vertical; the bar takes the up button's thickness.
TkvScrollBarLayout ArrangeScrollBar(TkvProgressBarOrientation orientation, int width, int height, SIZE up, SIZE down,
                                    int trackThickness);
// The thumb's length: LineButton when above 0 (at least 18), else PageSize
// percent of the track (10 for a page size outside 10..100).
int ScrollThumbLength(int lineButton, int pageSize, int trackLength);

class TkvScrollBar : public TCustomPanel {
  KX_CLASS(TkvScrollBar, TCustomPanel)
 public:
  explicit TkvScrollBar(TComponent* owner);
  ~TkvScrollBar() override;

  TkvScrollTrackBar* Track() const { return track_; }
  TkvScrollLineButton* UpButton() const { return upButton_; }
  TkvScrollLineButton* DownButton() const { return downButton_; }

  TkvProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TkvProgressBarOrientation v);
  TkvUIStyle UIStyle() const { return uiStyle_; }
  void SetUIStyle(TkvUIStyle style);
  int Min() const { return track_->Min(); }
  void SetMin(int v) { track_->SetMin(v); }
  int Max() const { return track_->Max(); }
  void SetMax(int v) { track_->SetMax(v); }
  int Position() const { return track_->Position(); }
  void SetPosition(int v) { track_->SetPosition(v); }
  int PageSize() const { return track_->PageSize(); }
  void SetPageSize(int v);
  int LargeChange() const { return track_->PageSize(); }
  void SetLargeChange(int v) { track_->SetPageSize(v); }
  uint16_t SmallChange() const { return smallChange_; }
  void SetSmallChange(uint16_t v) { smallChange_ = v; }
  // The thumb's length in pixels; 0: in proportion to PageSize.
  int LineButton() const { return lineButton_; }
  void SetLineButton(int v);
  // The track's: its sender is the track, not the scroll bar.
  TNotifyEvent OnChange() const { return track_->OnChange; }
  void SetOnChange(TNotifyEvent event) { track_->OnChange = std::move(event); }

  TBitmap* ThumbStart() const { return thumbStart_.get(); }
  TBitmap* ThumbMiddle() const { return thumbMiddle_.get(); }
  TBitmap* ThumbEnd() const { return thumbEnd_.get(); }

 protected:
  void Resize() override;
  void ColorChanged() override;

 private:
  void LoadPictures();
  void Arrange();
  void BuildThumb();
  void LineUp(TObject*);
  void LineDown(TObject*);

  TkvScrollTrackBar* track_ = nullptr;
  TkvScrollLineButton* downButton_ = nullptr;
  TkvScrollLineButton* upButton_ = nullptr;
  std::unique_ptr<TBitmap> thumbStart_, thumbMiddle_, thumbEnd_;
  TkvUIStyle uiStyle_ = TkvUIStyle::Custom;
  TkvProgressBarOrientation orientation_ = kvHorizontal;
  uint16_t smallChange_ = 1;
  int lineButton_ = 0;
  bool arranging_ = false;
};

// Shows or hides the thumb when its visibility differs.
void SetScrollThumbVisible(TkvScrollBar& bar, bool visible);

}  // namespace kx
