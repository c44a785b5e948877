// The skinned scroll bar: two line buttons and a thumb track. The memo and
// the list boxes lay one over the edge of their native scroll bar and keep
// the two in step (KVLinkedBars.h).
#pragma once

#include <memory>

#include "framework/windows/ExtCtrls.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVTrackBar.h"

namespace kx {

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
  // The line buttons step while held, the first time one interval after
  // the press, and stop when the mouse leaves them; a click released before
  // the first step steps once.
  TkvImageButton* UpButton() const { return upButton_; }
  TkvImageButton* DownButton() const { return downButton_; }

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
  TkvImageButton* NewLineButton(int direction);
  void Step(int direction);

  TkvScrollTrackBar* track_ = nullptr;
  TkvImageButton* downButton_ = nullptr;
  TkvImageButton* upButton_ = nullptr;
  int stepsOfPress_ = 0;  // steps the held line button made since its press
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
