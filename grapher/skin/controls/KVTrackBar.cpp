#include "skin/controls/KVTrackBar.h"

#include <algorithm>
#include <limits>

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

namespace {

int ClampToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// `offset` of `span` pixels as a position of Min..Max, and back.
int64_t Scale(int64_t a, int64_t b, int64_t c) { return a * b / c; }

constexpr unsigned kPageInterval = 500;

}  // namespace

POINT TrackSliderPlace(const TkvTrackGeometry& g, int position) {
  const int64_t range = int64_t{g.Max} - g.Min;
  const int64_t offset = int64_t{position} - g.Min;
  if (g.Orientation == kvHorizontal) {
    const int y = std::max(g.Height - g.SliderHeight, 0) / 2;
    const int x = range == 0 ? 0 : ClampToInt(Scale(g.Width - g.SliderWidth, offset, range));
    return POINT{x, y};
  }
  const int x = std::max(g.Width - g.SliderWidth, 0) / 2;
  const int y = range == 0 ? 0 : ClampToInt(Scale(g.Height - g.SliderHeight, offset, range));
  return POINT{x, y};
}

int TrackPositionAt(const TkvTrackGeometry& g, int x, int y) {
  const int64_t range = int64_t{g.Max} - g.Min;
  if (g.Orientation == kvHorizontal) {
    if (g.SliderWidth == g.Width) return 0;
    return ClampToInt(Scale(int64_t{x} - g.SliderWidth / 2, range, g.Width - g.SliderWidth) + g.Min);
  }
  if (g.SliderHeight == g.Height) return 0;
  return ClampToInt(Scale(int64_t{y} - g.SliderHeight / 2, range, g.Height - g.SliderHeight) + g.Min);
}

int TrackPageTowards(const TkvTrackGeometry& g, int position, int pageSize, int x, int y) {
  const POINT place = TrackSliderPlace(g, position);
  const int at = g.Orientation == kvHorizontal ? x : y;
  const int slider = g.Orientation == kvHorizontal ? place.x : place.y;
  const int64_t target = TrackPositionAt(g, x, y);
  if (at > slider) return ClampToInt(std::min(int64_t{position} + pageSize, target));
  if (at < slider) return ClampToInt(std::max(int64_t{position} - pageSize, target));
  return position;
}

// ---------------------------------------------------------------------------
// TkvTrackBar

KX_PUBLISH(TkvTrackBar) {
  p.Property("Orientation", &TkvTrackBar::Orientation, &TkvTrackBar::SetOrientation);
  p.Property("UIStyle", &TkvTrackBar::UIStyle, &TkvTrackBar::SetUIStyle);
  p.Property("BarImage", &TkvTrackBar::BarImage, &TkvTrackBar::SetBarImage);
  p.Property("SliderImage", &TkvTrackBar::SliderImage, &TkvTrackBar::SetSliderImage);
  p.Property("Max", &TkvTrackBar::Max, &TkvTrackBar::SetMax).Default(100);
  p.Property("Min", &TkvTrackBar::Min, &TkvTrackBar::SetMin).Default(0);
  p.Property("Position", &TkvTrackBar::Position, &TkvTrackBar::SetPosition).Default(0);
  p.Property("PageSize", &TkvTrackBar::PageSize, &TkvTrackBar::SetPageSize).Default(10);
  p.Property("Alignment", &TkvTrackBar::Alignment, &TkvTrackBar::SetAlignment);
  p.Field("OnChange", &TkvTrackBar::OnChange);
}

KX_PUBLISH(TkvScrollTrackBar) {}

namespace {

struct TrackBarModule {
  TrackBarModule() { RegisterClasses({&TkvTrackBar::StaticClass(), &TkvScrollTrackBar::StaticClass()}); }
} trackBarModule;

}  // namespace

TkvTrackBar::TkvTrackBar(TComponent* owner)
    : TCustomPanel(owner), barImage_(std::make_unique<TPicture>()), barBitmap_(std::make_unique<TBitmap>()) {
  controlStyle_ = controlStyle_ - TControlStyle{csAcceptsControls};
  SetBevelOuter(bvNone);
  slider_ = new TkvImagePanel(this);
  slider_->SetParent(this);
  slider_->OnMouseDown = TMouseEvent([this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
    SliderMouseDown(sender, button, shift, x, y);
  });
  SetPosition(0);
  SetUIStyle(FormSkinStyle(owner));
  UpdateSlider();
}

TkvTrackBar::~TkvTrackBar() { pageTimer_.reset(); }

TkvTrackGeometry TkvTrackBar::Geometry() const {
  TkvTrackGeometry g;
  g.Orientation = orientation_;
  g.Width = Width();
  g.Height = Height();
  g.SliderWidth = slider_->Width();
  g.SliderHeight = slider_->Height();
  g.Min = min_;
  g.Max = max_;
  return g;
}

void TkvTrackBar::Loaded() {
  TCustomPanel::Loaded();
  UpdateSlider();
}

// ---------------------------------------------------------------------------
// Properties

void TkvTrackBar::SetMin(int v) {
  min_ = v;
  UpdateSlider();
}

void TkvTrackBar::SetMax(int v) {
  max_ = v;
  UpdateSlider();
}

void TkvTrackBar::SetPosition(int v) {
  position_ = v < min_ ? min_ : v > max_ ? max_ : v;
  UpdateSlider();
}

void TkvTrackBar::SetPageSize(int v) {
  if (v >= 0 && v <= 100) pageSize_ = v;
}

void TkvTrackBar::SetOrientation(TkvProgressBarOrientation v) {
  if (v == orientation_) return;
  orientation_ = v;
  Rebuild();
}

void TkvTrackBar::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  if (style == TkvUIStyle::Custom) return;
  SetColor(ThemeColor(style, 79));
  Rebuild();
}

void TkvTrackBar::SetBarImage(TPicture* picture) {
  barImage_->Assign(picture);
  Rebuild();
}

void TkvTrackBar::SetSliderImage(TPicture* picture) {
  slider_->Picture()->Assign(picture);
  slider_->Invalidate();
}

void TkvTrackBar::FitSlider() {
  slider_->SetAutoSize(true);
  FitSize();
  UpdateSlider();
}

void TkvTrackBar::SetSliderVisible(bool on) {
  if (on != slider_->Visible()) slider_->SetVisible(on);
}

// ---------------------------------------------------------------------------
// Pictures, size and paint

void TkvTrackBar::UpdatePictures() {
  const bool vertical = orientation_ == kvVertical;
  if (uiStyle_ == TkvUIStyle::Custom) {
    TGraphic* graphic = barImage_->Graphic();
    if (graphic && !graphic->Empty()) {
      barBitmap_->SetSize(graphic->Width(), graphic->Height());
      barBitmap_->Canvas()->Draw(0, 0, graphic);
      if (vertical) RotateBitmapCounterClockwise(*barBitmap_);
    } else {
      barBitmap_->SetSize(0, 0);
    }
    return;
  }
  TBitmap* bar = barImage_->Bitmap();
  bar->LoadFromResourceName(GetModuleHandleA(nullptr), ThemeResourceName(uiStyle_, vertical ? 77 : 75));
  const int length = vertical ? Height() : Width();
  barBitmap_->SetSize(length, bar->Height());
  DrawThreeSliceBitmap(*bar, *barBitmap_->Canvas(), RECT{0, 0, length, bar->Height()}, false);
  if (vertical) RotateBitmapCounterClockwise(*barBitmap_);
  slider_->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr),
                                                     ThemeResourceName(uiStyle_, vertical ? 78 : 76));
  slider_->SetAutoSize(true);
}

void TkvTrackBar::FitSize() {
  const int thickness = barImage_->Height();
  if (orientation_ == kvVertical)
    SetWidth(std::max(thickness, slider_->Width()));
  else
    SetHeight(std::max(thickness, slider_->Height()));
  Invalidate();
}

void TkvTrackBar::Rebuild() {
  // Fitting the size resizes the bar, which asks for a rebuild again.
  if (rebuilding_) return;
  rebuilding_ = true;
  try {
    UpdatePictures();
    FitSize();
  } catch (...) {
    rebuilding_ = false;
    throw;
  }
  rebuilding_ = false;
  UpdateSlider();
  Invalidate();
}

void TkvTrackBar::Resize() {
  TCustomPanel::Resize();
  Rebuild();
}

void TkvTrackBar::UpdateSlider() {
  const POINT place = TrackSliderPlace(Geometry(), position_);
  slider_->SetBounds(place.x, place.y, slider_->Width(), slider_->Height());
  Invalidate();
  if (position_ != lastPosition_) ReportChange();
}

void TkvTrackBar::ReportChange() {
  lastPosition_ = position_;
  OnChange(this);
}

void TkvTrackBar::PaintTo(TBitmap& bmp) {
  const int w = Width(), h = Height();
  bmp.SetSize(w, h);
  TCanvas& c = *bmp.Canvas();
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  c.FillRect(RECT{0, 0, w, h});
  if (barBitmap_->Empty()) return;
  const int thickness = barImage_->Height();
  if (orientation_ == kvHorizontal)
    c.Draw(0, (h - thickness) / 2, barBitmap_.get());
  else
    c.Draw((w - thickness) / 2, 0, barBitmap_.get());
}

void TkvTrackBar::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TBitmap bmp;
  PaintTo(bmp);
  Canvas()->Draw(0, 0, &bmp);
}

// ---------------------------------------------------------------------------
// Mouse: paging and dragging

void TkvTrackBar::PageTowards(int x, int y) { SetPosition(TrackPageTowards(Geometry(), position_, pageSize_, x, y)); }

void TkvTrackBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  PageTowards(x, y);
  if (pageTimer_) return;
  pageTimer_ = std::make_unique<TTimer>(nullptr);
  pageTimer_->SetInterval(kPageInterval);
  pageTimer_->OnTimer = TNotifyEvent([this](TObject*) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const POINT p = ScreenToClient(cursor);
    PageTowards(p.x, p.y);
  });
}

void TkvTrackBar::SliderMouseDown(TObject*, TMouseButton, TShiftState, int x, int y) {
  dragOffset_ = orientation_ == kvHorizontal ? x : y;
  dragging_ = true;
  SetMouseCapture(true);
}

void TkvTrackBar::MouseMove(TShiftState shift, int x, int y) {
  TCustomPanel::MouseMove(shift, x, y);
  if (!dragging_) {
    if (pageTimer_ && !IsPointInRectXY(x, y, RECT{0, 0, Width(), Height()})) pageTimer_.reset();
    return;
  }
  const TkvTrackGeometry g = Geometry();
  if (orientation_ == kvHorizontal)
    slider_->SetLeft(std::clamp(x - dragOffset_, 0, std::max(g.Width - g.SliderWidth, 0)));
  else
    slider_->SetTop(std::clamp(y - dragOffset_, 0, std::max(g.Height - g.SliderHeight, 0)));
  // The slider follows the mouse pixel by pixel; the position of this move
  // is reported now, not one move later.
  const int at = TrackPositionAt(g, x, y);
  position_ = at < min_ ? min_ : at > max_ ? max_ : at;
  if (position_ != lastPosition_) ReportChange();
}

void TkvTrackBar::EndPress() {
  pageTimer_.reset();
  if (!dragging_) return;
  dragging_ = false;
  if (position_ != lastPosition_) ReportChange();
}

void TkvTrackBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomPanel::MouseUp(button, shift, x, y);
  EndPress();
  SetMouseCapture(false);
}

void TkvTrackBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: nothing may page or drag on.
      TCustomPanel::WndProc(m);
      if (!HandleAllocated() || reinterpret_cast<HWND>(m.LParam) == Handle()) return;
      // The framework forgets its capture through the cancel message.
      if (MouseCapture()) Perform(WM_CANCELMODE);
      EndPress();
      return;
    default:
      TCustomPanel::WndProc(m);
  }
}

}  // namespace kx
