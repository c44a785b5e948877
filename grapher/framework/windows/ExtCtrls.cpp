#include "framework/windows/ExtCtrls.h"

#include <algorithm>
#include <unordered_set>

namespace kx {
namespace {

// The running timers: a tick already queued for a timer that has been
// stopped or freed since must not reach it.
std::unordered_set<const TTimer*>& RunningTimers() {
  static std::unordered_set<const TTimer*> timers;
  return timers;
}

// Timers tick on one hidden window of the user-interface thread.
LRESULT CALLBACK TimerWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* timer = reinterpret_cast<TTimer*>(wp);
    if (RunningTimers().count(timer)) GuardWindowsCallback([timer] { timer->OnTimer(timer); });
    return 0;
  }
  return DefWindowProcA(w, msg, wp, lp);
}

HWND TimerWindow() {
  static HWND wnd = [] {
    static const char kClass[] = "KxTimerWindow";
    WNDCLASSA cls{};
    cls.lpfnWndProc = &TimerWindowProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = kClass;
    RegisterClassA(&cls);
    return CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  }();
  return wnd;
}

}  // namespace

KX_PUBLISH(TTimer) {
  p.Property("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
  p.Property("Interval", &TTimer::Interval, &TTimer::SetInterval);
  p.Field("OnTimer", &TTimer::OnTimer);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { StopTimer(); }

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  interval_ = ms;
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::StopTimer() {
  if (!running_) return;
  KillTimer(TimerWindow(), reinterpret_cast<UINT_PTR>(this));
  RunningTimers().erase(this);
  running_ = false;
}

void TTimer::UpdateTimer() {
  StopTimer();
  if (enabled_ && interval_ > 0 && !IsLoading()) {
    if (!SetTimer(TimerWindow(), reinterpret_cast<UINT_PTR>(this), interval_, nullptr))
      throw EOutOfResources("Not enough timers available");
    RunningTimers().insert(this);
    running_ = true;
  }
}

// ---------------------------------------------------------------------------

void Frame3D(TCanvas& canvas, RECT& rect, TColor topLeft, TColor bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    --rect.right;
    --rect.bottom;
    canvas.Pen()->SetColor(topLeft);
    canvas.Polyline({{rect.left, rect.bottom}, {rect.left, rect.top}, {rect.right, rect.top}});
    canvas.Pen()->SetColor(bottomRight);
    canvas.Polyline({{rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left - 1, rect.bottom}});
    ++rect.left;
    ++rect.top;
  }
}

KX_PUBLISH(TCustomPanel) {
  p.Property("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment);
  p.Property("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner);
  p.Property("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter);
  p.Property("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth);
  p.Property("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth);
  p.Property("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint).Default(true);
  p.Property("Locked", &TCustomPanel::Locked, &TCustomPanel::SetLocked).Default(false);
}

KX_PUBLISH(TPanel) {}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csAcceptsControls, csOpaque};
  SetColor(clBtnFace);
  SetParentColor(true);
  SetBounds(0, 0, 185, 41);
}

void TCustomPanel::Resize() {
  if (fullRepaint_) Invalidate();
  TCustomControl::Resize();
}

void TCustomPanel::AlignControls(RECT& rect) {
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  InflateRect(&rect, -inset, -inset);
  TCustomControl::AlignControls(rect);
}

void TCustomPanel::Paint() {
  TCanvas& c = *Canvas();
  RECT r = ClientRect();
  auto colours = [](TBevelCut cut, TColor& tl, TColor& br) {
    tl = cut == bvLowered ? clBtnShadow : clBtnHighlight;
    br = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor tl, br;
  if (bevelOuter_ != bvNone) {
    colours(bevelOuter_, tl, br);
    Frame3D(c, r, tl, br, bevelWidth_);
  }
  Frame3D(c, r, Color(), Color(), borderWidth_);
  if (bevelInner_ != bvNone) {
    colours(bevelInner_, tl, br);
    Frame3D(c, r, tl, br, bevelWidth_);
  }
  c.Brush()->SetColor(Color());
  c.FillRect(r);
  const std::string text = Caption();
  if (text.empty()) return;
  c.Font()->Assign(Font());
  c.Brush()->SetStyle(bsClear);
  const UINT align = alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (!Enabled()) c.Font()->SetColor(clGrayText);
  c.TextRect(r, text, align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// ---------------------------------------------------------------------------

KX_PUBLISH(TBevel) {
  p.Property("Shape", &TBevel::Shape, &TBevel::SetShape);
  p.Property("Style", &TBevel::Style, &TBevel::SetStyle);
}

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::Paint() {
  TCanvas& c = *Canvas();
  const TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  auto line = [&](TColor colour, int x1, int y1, int x2, int y2) {
    c.Pen()->SetColor(colour);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  switch (shape_) {
    case bsBox: {
      RECT r{0, 0, w, h};
      Frame3D(c, r, dark, light, 1);
      break;
    }
    case bsFrame: {
      RECT outer{0, 0, w - 1, h - 1};
      Frame3D(c, outer, dark, dark, 1);
      RECT inner{1, 1, w, h};
      Frame3D(c, inner, light, light, 1);
      break;
    }
    case bsTopLine:
      line(dark, 0, 0, w, 0);
      line(light, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(dark, 0, h - 2, w, h - 2);
      line(light, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(dark, 0, 0, 0, h);
      line(light, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(dark, w - 2, 0, w - 2, h);
      line(light, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
}

// ---------------------------------------------------------------------------

KX_PUBLISH(TImage) {
  p.Property("Center", &TImage::Center, &TImage::SetCenter);
  p.Property("Picture", &TImage::Picture, &TImage::SetPicture);
  p.Property("Stretch", &TImage::Stretch, &TImage::SetStretch);
  p.Property("Transparent", &TImage::Transparent, &TImage::SetTransparent);
}

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
  picture_->OnChange = TNotifyEvent([this](TObject*) {
    if (picture_->Graphic()) picture_->Graphic()->SetTransparent(transparent_);
    Invalidate();
  });
  SetBounds(0, 0, 105, 105);
}

void TImage::SetTransparent(bool on) {
  transparent_ = on;
  if (picture_->Graphic()) picture_->Graphic()->SetTransparent(on);
  Invalidate();
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  RECT r{0, 0, g->Width(), g->Height()};
  if (stretch_) {
    r = RECT{0, 0, Width(), Height()};
  } else if (center_) {
    OffsetRect(&r, (Width() - g->Width()) / 2, (Height() - g->Height()) / 2);
  }
  Canvas()->StretchDraw(r, g);
}

}  // namespace kx
