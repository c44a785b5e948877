#include "skin/controls/KVScrollBar.h"

#include <algorithm>
#include <cstdlib>

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

// ---------------------------------------------------------------------------
// Geometry

TkvScrollBarLayout ArrangeScrollBar(TkvProgressBarOrientation orientation, int width, int height, SIZE up, SIZE down,
                                    int trackThickness) {
  TkvScrollBarLayout l;
  if (orientation == kvHorizontal) {
    l.Up = RECT{0, 0, up.cx, up.cy};
    const int trackWidth = std::max<int>(width - down.cx - up.cx, 0);
    l.Track = RECT{up.cx, 0, up.cx + trackWidth, trackThickness};
    l.Down = RECT{width - down.cx, 0, width, down.cy};
    l.Width = width;
    l.Height = up.cy;
  } else {
    l.Up = RECT{0, 0, up.cx, up.cy};
    const int trackHeight = std::max<int>(height - down.cy - up.cy - 1, 0);
    l.Track = RECT{0, up.cy, trackThickness, up.cy + trackHeight};
    l.Down = RECT{0, height - down.cy, down.cx, height};
    l.Width = up.cx;
    l.Height = height;
  }
  return l;
}

int ScrollThumbLength(int lineButton, int pageSize, int trackLength) {
  if (lineButton > 0) return std::max(lineButton, 18);
  const int p = pageSize < 10 || pageSize > 100 ? 10 : pageSize;
  return static_cast<int>(int64_t{trackLength} * p / 100);
}

// ---------------------------------------------------------------------------
// TkvScrollBar

KX_PUBLISH(TkvScrollBar) {
  p.Property("LineButton", &TkvScrollBar::LineButton, &TkvScrollBar::SetLineButton).Default(0);
  p.Property("Orientation", &TkvScrollBar::Orientation, &TkvScrollBar::SetOrientation);
  p.Property("UIStyle", &TkvScrollBar::UIStyle, &TkvScrollBar::SetUIStyle);
  p.Property("Max", &TkvScrollBar::Max, &TkvScrollBar::SetMax).Default(100);
  p.Property("Min", &TkvScrollBar::Min, &TkvScrollBar::SetMin).Default(0);
  p.Property("Position", &TkvScrollBar::Position, &TkvScrollBar::SetPosition).Default(0);
  p.Property("SmallChange", &TkvScrollBar::SmallChange, &TkvScrollBar::SetSmallChange).Default(1);
  p.Property("LargeChange", &TkvScrollBar::LargeChange, &TkvScrollBar::SetLargeChange).NotStored();
  p.Property("PageSize", &TkvScrollBar::PageSize, &TkvScrollBar::SetPageSize).Default(10);
  p.Property("OnChange", &TkvScrollBar::OnChange, &TkvScrollBar::SetOnChange);
}

namespace {

struct ScrollBarModule {
  ScrollBarModule() { RegisterClasses({&TkvScrollBar::StaticClass()}); }
} scrollBarModule;

// A style picture of a line button, turned for a horizontal bar.
void LoadLinePicture(TkvImageButton& button, void (TkvImageButton::*set)(TPicture*), TkvUIStyle style, int entry,
                     bool turn) {
  TPicture picture;
  TBitmap* bitmap = picture.Bitmap();
  bitmap->LoadFromResourceName(GetModuleHandleA(nullptr), ThemeResourceName(style, entry));
  if (turn) RotateBitmapCounterClockwise(*bitmap);
  (button.*set)(&picture);
}

}  // namespace

TkvScrollBar::TkvScrollBar(TComponent* owner)
    : TCustomPanel(owner),
      thumbStart_(std::make_unique<TBitmap>()),
      thumbMiddle_(std::make_unique<TBitmap>()),
      thumbEnd_(std::make_unique<TBitmap>()) {
  controlStyle_ = controlStyle_ - TControlStyle{csAcceptsControls};
  track_ = new TkvScrollTrackBar(this);
  track_->SetParent(this);
  track_->SetUIStyle(TkvUIStyle::Custom);
  downButton_ = NewLineButton(1);
  upButton_ = NewLineButton(-1);
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetHeight(185);
  SetUIStyle(FormSkinStyle(owner));
  Arrange();
}

TkvScrollBar::~TkvScrollBar() = default;

void TkvScrollBar::SetOrientation(TkvProgressBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  LoadPictures();
  Arrange();
}

void TkvScrollBar::SetUIStyle(TkvUIStyle style) {
  if (style == uiStyle_) return;
  uiStyle_ = style;
  if (style == TkvUIStyle::Custom) return;
  SetColor(ThemeColor(style, 84));
  track_->SetColor(Color());
  LoadPictures();
  Arrange();
}

void TkvScrollBar::SetPageSize(int v) {
  track_->SetPageSize(v);
  BuildThumb();
}

void TkvScrollBar::SetLineButton(int v) {
  if (v == lineButton_) return;
  lineButton_ = v;
  BuildThumb();
}

void TkvScrollBar::LoadPictures() {
  if (uiStyle_ == TkvUIStyle::Custom) return;
  const bool vertical = orientation_ == kvVertical;
  track_->BarImage()->SetGraphic(nullptr);
  // The thumb picture is drawn for a vertical bar: caps and middle from top
  // to bottom; turned, it is cut into its three thirds.
  TBitmap thumb;
  thumb.LoadFromResourceName(GetModuleHandleA(nullptr), ThemeResourceName(uiStyle_, 91));
  RotateBitmapCounterClockwise(thumb);
  TImageList slices(nullptr, std::max(thumb.Width() / 3, 1), 16);
  slices.SetMasked(false);
  slices.Add(&thumb, nullptr);
  TBitmap* parts[] = {thumbStart_.get(), thumbMiddle_.get(), thumbEnd_.get()};
  for (int i = 0; i < 3; ++i) {
    slices.GetBitmap(i, *parts[i]);
    if (vertical) RotateBitmapClockwise(*parts[i]);
  }
  const bool turn = !vertical;
  LoadLinePicture(*upButton_, &TkvImageButton::SetPicNormal, uiStyle_, 85, turn);
  LoadLinePicture(*upButton_, &TkvImageButton::SetPicMouseOn, uiStyle_, 86, turn);
  LoadLinePicture(*upButton_, &TkvImageButton::SetPicMouseDown, uiStyle_, 87, turn);
  LoadLinePicture(*downButton_, &TkvImageButton::SetPicNormal, uiStyle_, 88, turn);
  LoadLinePicture(*downButton_, &TkvImageButton::SetPicMouseOn, uiStyle_, 89, turn);
  LoadLinePicture(*downButton_, &TkvImageButton::SetPicMouseDown, uiStyle_, 90, turn);
}

void TkvScrollBar::Arrange() {
  if (arranging_) return;
  arranging_ = true;
  try {
    track_->SetOrientation(orientation_);
    const bool vertical = orientation_ == kvVertical;
    const int thickness = vertical ? track_->Width() : track_->Height();
    const TkvScrollBarLayout l =
        ArrangeScrollBar(orientation_, Width(), Height(), SIZE{upButton_->Width(), upButton_->Height()},
                         SIZE{downButton_->Width(), downButton_->Height()}, thickness);
    upButton_->SetBounds(l.Up.left, l.Up.top, upButton_->Width(), upButton_->Height());
    if (vertical)
      track_->SetBounds(l.Track.left, l.Track.top, track_->Width(), l.Track.bottom - l.Track.top);
    else
      track_->SetBounds(l.Track.left, l.Track.top, l.Track.right - l.Track.left, track_->Height());
    downButton_->SetBounds(l.Down.left, l.Down.top, downButton_->Width(), downButton_->Height());
    SetBounds(Left(), Top(), l.Width, l.Height);
  } catch (...) {
    arranging_ = false;
    throw;
  }
  arranging_ = false;
  BuildThumb();
}

void TkvScrollBar::BuildThumb() {
  if (thumbStart_->Empty()) return;
  const bool vertical = orientation_ == kvVertical;
  if (lineButton_ > 0 && lineButton_ < 18) lineButton_ = 18;
  const int length = ScrollThumbLength(lineButton_, PageSize(), vertical ? track_->Height() : track_->Width());
  const int thickness = vertical ? thumbStart_->Width() : thumbStart_->Height();
  if (length <= 0) return;
  TBitmap thumb;
  if (vertical) {
    thumb.SetSize(thickness, length);
    TCanvas& c = *thumb.Canvas();
    c.Draw(0, 0, thumbStart_.get());
    c.StretchDraw(RECT{0, thumbStart_->Height(), thickness, length - thumbEnd_->Height()}, thumbMiddle_.get());
    c.Draw(0, length - thumbEnd_->Height(), thumbEnd_.get());
  } else {
    thumb.SetSize(length, thickness);
    TCanvas& c = *thumb.Canvas();
    c.Draw(0, 0, thumbStart_.get());
    c.StretchDraw(RECT{thumbStart_->Width(), 0, length - thumbEnd_->Width(), thickness}, thumbMiddle_.get());
    c.Draw(length - thumbEnd_->Width(), 0, thumbEnd_.get());
  }
  TPicture picture;
  picture.SetGraphic(&thumb);
  track_->SetSliderImage(&picture);
  track_->FitSlider();
}

void TkvScrollBar::Resize() {
  TCustomPanel::Resize();
  Arrange();
}

void TkvScrollBar::ColorChanged() {
  TCustomPanel::ColorChanged();
  if (track_) track_->SetColor(Color());
}

TkvImageButton* TkvScrollBar::NewLineButton(int direction) {
  auto* button = new TkvImageButton(this);
  button->SetParent(this);
  button->SetTabStop(false);
  button->SetTakesFocus(false);
  button->SetAutoSize(true);
  button->SetMouseContinuouslyDownInterval(100);
  button->OnMouseDown = TMouseEvent([this](TObject*, TMouseButton mouse, TShiftState, int, int) {
    if (mouse == mbLeft) stepsOfPress_ = 0;
  });
  button->OnMouseContinuouslyDown = TNotifyEvent([this, direction](TObject*) {
    ++stepsOfPress_;
    Step(direction);
  });
  // A click quicker than the repeat interval still moves one line.
  button->OnClick = TNotifyEvent([this, direction](TObject*) {
    if (stepsOfPress_ == 0) Step(direction);
  });
  return button;
}

void TkvScrollBar::Step(int direction) { track_->SetPosition(track_->Position() + direction * smallChange_); }

void SetScrollThumbVisible(TkvScrollBar& bar, bool visible) { bar.Track()->SetSliderVisible(visible); }

}  // namespace kx
