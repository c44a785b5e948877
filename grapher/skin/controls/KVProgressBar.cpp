#include "skin/controls/KVProgressBar.h"

#include <algorithm>
#include <string>

#include "skin/controls/KVThemesControls.h"

namespace kx {

namespace {

constexpr int kThickness = 12;

struct ProgressBarModule {
  ProgressBarModule() { RegisterClasses({&TkvProgressBar::StaticClass()}); }
} progressBarModule;

}  // namespace

int ProgressPercent(int min, int max, int position) {
  if (min == max) return 0;
  return static_cast<int>((int64_t{position} - min) * 100 / (int64_t{max} - min));
}

int ProgressFilledLength(int min, int max, int position, int pixels) {
  if (min >= max || min >= position) return 0;
  if (position > max) return pixels;
  return static_cast<int>((int64_t{position} - min) * pixels / (int64_t{max} - min));
}

KX_PUBLISH(TkvProgressBar) {
  p.Property("UIStyle", &TkvProgressBar::UIStyle, &TkvProgressBar::SetUIStyle);
  p.Color("CaptionColor", &TkvProgressBar::CaptionColor, &TkvProgressBar::SetCaptionColor);
  p.Property("ShowCaption", &TkvProgressBar::ShowCaption, &TkvProgressBar::SetShowCaption).Default(true);
  p.Property("SmartShowCaption", &TkvProgressBar::SmartShowCaption, &TkvProgressBar::SetSmartShowCaption)
      .Default(false);
  p.Property("Max", &TkvProgressBar::Max, &TkvProgressBar::SetMax).Default(100);
  p.Property("Min", &TkvProgressBar::Min, &TkvProgressBar::SetMin).Default(0);
  p.Property("Position", &TkvProgressBar::Position, &TkvProgressBar::SetPosition).Default(50);
  p.Property("Orientation", &TkvProgressBar::Orientation, &TkvProgressBar::SetOrientation);
  p.Color("BorderColor", &TkvProgressBar::BorderColor, &TkvProgressBar::SetBorderColor);
  p.Property("Picture", &TkvProgressBar::Picture, &TkvProgressBar::SetPicture);
}

TkvProgressBar::TkvProgressBar(TComponent* owner) : TCustomPanel(owner), picture_(std::make_unique<TPicture>()) {
  controlStyle_ = controlStyle_ - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque};
  SetBevelOuter(bvNone);
  SetBounds(Left(), Top(), 150, kThickness);
  SetCaption("50%");
  SetColor(clBtnFace);
  SetUIStyle(FormSkinStyle(owner));
  UpdateCaption();
}

TkvProgressBar::~TkvProgressBar() = default;

void TkvProgressBar::UpdateCaption() {
  SetCaption(std::to_string(ProgressPercent(min_, max_, position_)) + "%");
  Invalidate();
}

void TkvProgressBar::SetMax(int v) {
  max_ = v;
  UpdateCaption();
}

void TkvProgressBar::SetMin(int v) {
  min_ = v;
  UpdateCaption();
}

void TkvProgressBar::SetPosition(int v) {
  position_ = v;
  UpdateCaption();
}

void TkvProgressBar::SetUIStyle(TkvUIStyle style) {
  uiStyle_ = style;
  ApplyStyle();
}

void TkvProgressBar::ApplyStyle() {
  if (uiStyle_ != TkvUIStyle::Custom) {
    TBitmap* picture = picture_->Bitmap();
    picture->LoadFromResourceName(GetModuleHandleA(nullptr),
                                  ThemeResourceName(uiStyle_, orientation_ == kvVertical ? 44 : 43));
    SetColor(ThemeColor(uiStyle_, 9));
    borderColor_ = ThemeColor(uiStyle_, 8);
  }
  Invalidate();
}

void TkvProgressBar::SetOrientation(TkvProgressBarOrientation v) {
  orientation_ = v;
  ApplyStyle();
  const int length = std::max(Height(), Width());
  if (v == kvVertical)
    SetBounds(Left(), Top(), kThickness, length);
  else
    SetBounds(Left(), Top(), length, kThickness);
}

void TkvProgressBar::SetBorderColor(TColor v) {
  borderColor_ = v;
  Invalidate();
}

void TkvProgressBar::SetColor(TColor color) {
  TCustomPanel::SetColor(color);
  Invalidate();
}

void TkvProgressBar::SetPicture(TPicture* picture) {
  picture_->Assign(picture);
  Invalidate();
}

void TkvProgressBar::SetShowCaption(bool on) {
  showCaption_ = on;
  Invalidate();
}

void TkvProgressBar::SetCaptionColor(TColor v) {
  captionColor_ = v;
  Invalidate();
}

void TkvProgressBar::SetSmartShowCaption(bool on) {
  smartShowCaption_ = on;
  Invalidate();
}

bool TkvProgressBar::CanResize(int& width, int& height) {
  if (IsLoading()) return true;
  return orientation_ == kvHorizontal ? height == kThickness : width == kThickness;
}

void TkvProgressBar::PaintTo(TBitmap& bmp) {
  int w = ClientWidth(), h = ClientHeight();
  TGraphic* graphic = picture_->Graphic();
  const bool hasPicture = graphic && !graphic->Empty();
  const bool vertical = orientation_ == kvVertical;
  if (hasPicture) (vertical ? w : h) = (vertical ? graphic->Width() : graphic->Height()) + 2;
  bmp.SetSize(w, h);
  TCanvas& c = *bmp.Canvas();
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(Color());
  if (!vertical) {
    const int f = std::max(ProgressFilledLength(min_, max_, position_, w - 1), 1);
    if (hasPicture) c.StretchDraw(RECT{1, 1, f, h - 1}, graphic);
    c.FillRect(RECT{f, 1, w - 1, h - 1});
  } else {
    const int t = std::max((h - 1) - ProgressFilledLength(min_, max_, position_, h - 1), 1);
    if (hasPicture) c.StretchDraw(RECT{1, t, w - 1, h - 1}, graphic);
    c.FillRect(RECT{1, 1, w - 1, t});
  }
  if (showCaption_ && !vertical && (!smartShowCaption_ || position_ != min_)) {
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(captionColor_);
    const std::string caption = Caption();
    const SIZE size = c.TextExtent(caption);
    c.TextOut((w - size.cx) / 2, (h - size.cy) / 2, caption);
  }
  c.Brush()->SetStyle(bsSolid);
  c.Brush()->SetColor(borderColor_);
  c.FrameRect(RECT{0, 0, ClientWidth(), ClientHeight()});
}

void TkvProgressBar::Paint() {
  TBitmap bmp;
  PaintTo(bmp);
  Canvas()->Draw(0, 0, &bmp);
}

void TkvProgressBar::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    m.Result = 1;
    return;
  }
  TCustomPanel::WndProc(m);
}

}  // namespace kx
