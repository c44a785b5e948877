#include "skin/controls/KVTabControl.h"

#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvTabControlTopPanel) {}

KX_PUBLISH(TkvTab) {
  p.Property("UIStyle", &TkvTab::UIStyle, &TkvTab::SetUIStyle);
  p.Property("LeftMargin", &TkvTab::LeftMargin, &TkvTab::SetLeftMargin).Default(10);
  p.Color("BorderColor", &TkvTab::BorderColor, &TkvTab::SetBorderColor);
  p.Property("Font", &TkvTab::TabFont, &TkvTab::SetTabFont);
  p.Field("OnTabActive", &TkvTab::OnTabActive);
  p.Field("OnChange", &TkvTab::OnChange);
  p.Field("OnChanging", &TkvTab::OnChanging);
}

KX_PUBLISH(TkvTabControl) {
  p.Property("Tabs", &TkvTabControl::Tabs, &TkvTabControl::SetTabs);
  p.Property("TabIndex", &TkvTabControl::TabIndex, &TkvTabControl::SetTabIndex);
}

namespace {
struct TabControlModule {
  TabControlModule() { RegisterClasses({&TkvTabControl::StaticClass()}); }
} tabControlModule;
}  // namespace

// ---------------------------------------------------------------------------
// The strip

TkvTabControlTopPanel::TkvTabControlTopPanel(TComponent* owner, TkvTab* tab)
    : TCustomPanel(owner), tabs_(std::make_unique<TStringList>()), tab_(tab) {
  controlStyle_.Exclude(csAcceptsControls);
  tabs_->Add("Tab1");
  tabs_->OnChange = TNotifyEvent([this](TObject*) { Repaint(); });
  SetCaption(" ");
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetBorderWidth(0);
  SetUIStyle(TkvUIStyle::DeepBlue);
}

TkvTabControlTopPanel::~TkvTabControlTopPanel() { tabs_->OnChange = TNotifyEvent(); }

void TkvTabControlTopPanel::SetUIStyle(TkvUIStyle style) {
  if (style == TkvUIStyle::Custom) return;
  uiStyle_ = style;
  activePicture_ = ThemeResourceName(style, 70);
  inactivePicture_ = ThemeResourceName(style, 71);
  linePicture_ = ThemeResourceName(style, 72);
  SetHeight(ThemeInteger(style, 73));
  Repaint();
}

void TkvTabControlTopPanel::SetLeftMargin(int pixels) {
  leftMargin_ = pixels;
  Repaint();
}

bool TkvTabControlTopPanel::TabVisible(int index) const {
  return index < 0 || index >= int(visible_.size()) || visible_[size_t(index)];
}

void TkvTabControlTopPanel::SetTabVisible(int index, bool visible) {
  if (index < 0) return;
  if (index >= int(visible_.size())) visible_.resize(size_t(index) + 1, true);
  visible_[size_t(index)] = visible;
  Repaint();
}

void TkvTabControlTopPanel::SetTabIndex(int index) {
  if (tabs_->Count() == 0) {
    tabIndex_ = -1;
    Repaint();
    return;
  }
  if (index < -1 || index > tabs_->Count() - 1) {
    Repaint();
    return;
  }
  if (clicking_) {
    bool allow = true;
    tab_->OnChanging(tab_, allow);
    if (!allow) return;
  }
  tabIndex_ = index;
  Repaint();
  tab_->ActivateTab(index);
}

void TkvTabControlTopPanel::PaintTo(TBitmap& bmp) {
  const int w = Width(), h = Height();
  bmp.SetSize(w, h);
  TCanvas& canvas = *bmp.Canvas();
  PaintParentBackground(canvas, *tab_);

  TBitmap active, inactive, line;
  const HMODULE module = GetModuleHandleA(nullptr);
  active.LoadFromResourceName(module, activePicture_);
  inactive.LoadFromResourceName(module, inactivePicture_);
  line.LoadFromResourceName(module, linePicture_);
  tabHeight_ = active.Height();
  const int hI = inactive.Height(), hL = line.Height();

  canvas.StretchDraw(RECT{1, hI, w - 1, hI + hL}, &line);
  canvas.Pen()->SetColor(tab_->BorderColor());
  canvas.MoveTo(0, hI);
  canvas.LineTo(0, hI + hL);
  canvas.MoveTo(w - 1, hI);
  canvas.LineTo(w - 1, hI + hL);

  canvas.SetFont(tab_->TabFont());
  widths_.assign(size_t(tabs_->Count()), -1);
  int x = leftMargin_;
  for (int i = 0; i < tabs_->Count(); ++i) {
    if (!TabVisible(i)) {
      widths_[size_t(i)] = 0;
      continue;
    }
    const std::string caption = tabs_->Get(i);
    const int width = caption.empty() ? 80 : canvas.TextWidth(caption) + 20;
    widths_[size_t(i)] = width;
    const bool current = i == tabIndex_;
    RECT r = current ? RECT{x, 1, x + width, hI + 1} : RECT{x, 0, x + width, hI};
    DrawThreeSliceBitmap(current ? active : inactive, canvas, r, true);
    x += width;
    canvas.Brush()->SetStyle(bsClear);
    canvas.TextRect(r, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas.Brush()->SetStyle(bsSolid);
  }
}

void TkvTabControlTopPanel::Paint() {
  TBitmap bmp;
  PaintTo(bmp);
  Canvas()->Draw(0, 0, &bmp);
}

int TkvTabControlTopPanel::TabAt(int x, int y) const {
  int left = leftMargin_;
  for (size_t i = 0; i < widths_.size() && widths_[i] != -1; ++i) {
    const int right = left + widths_[i];
    if (left < x && x < right && 0 < y && y < tabHeight_) return int(i);
    left = right;
  }
  return -1;
}

void TkvTabControlTopPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {  // the paint covers the whole strip
    m.Result = 1;
    return;
  }
  TCustomPanel::WndProc(m);
}

void TkvTabControlTopPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  Repaint();
  TCustomPanel::MouseDown(button, shift, x, y);
  const int hit = TabAt(x, y);
  if (hit < 0) return;
  clicking_ = true;
  try {
    SetTabIndex(hit);
  } catch (...) {
    clicking_ = false;
    throw;
  }
  clicking_ = false;
}

// ---------------------------------------------------------------------------
// TkvTab

TkvTab::TkvTab(TComponent* owner, TStripFactory makeStrip) : TCustomPanel(owner), font_(std::make_unique<TFont>()) {
  strip_ = makeStrip(this);
  strip_->SetParent(this);
  PlaceStrip();
  SetCaption(" ");
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  SetBorderWidth(0);
  SetHeight(80);
  SetColor(clBtnFace);
  SetUIStyle(FormSkinStyle(owner));
}

TkvTab::~TkvTab() { DestroyComponents(); }

void TkvTab::SetUIStyle(TkvUIStyle style) {
  if (style == TkvUIStyle::Custom) return;
  uiStyle_ = style;
  strip_->SetColor(ThemeColor(style, 9));
  borderColor_ = ThemeColor(style, 8);
  strip_->SetUIStyle(style);
  PlaceStrip();
  if (HandleAllocated()) Realign();
  SetColor(style == TkvUIStyle::WinXP ? TColor(0xFFFFFF) : ThemeColor(style, 9));
  ApplyStyleToContents(style);
  Repaint();
}

// The strip is placed here rather than aligned to the top: an aligned child
// makes its container measure its client area, which asks a container
// without a window for one (and fails while a window-less form is freed).
void TkvTab::PlaceStrip() { strip_->SetBounds(0, 0, Width(), strip_->Height()); }

void TkvTab::Resize() {
  PlaceStrip();
  TCustomPanel::Resize();
}

void TkvTab::AlignControls(RECT& rect) {
  rect.top += strip_->Height();
  TCustomPanel::AlignControls(rect);
}

void TkvTab::ApplyStyleToContents(TkvUIStyle style) { ApplyStyleToControls(*this, style); }

void TkvTab::SetBorderColor(TColor color) {
  borderColor_ = color;
  BorderColorChanged();
  Repaint();
  strip_->Repaint();
}

void TkvTab::SetTabFont(TFont* font) {
  font_->Assign(font);
  strip_->Repaint();
}

void TkvTab::SetTabIndex(int index) { strip_->SetTabIndex(index); }

void TkvTab::ActivateTab(int index) {
  if (IsLoading()) return;
  OnTabActive(this, index);
  OnChange(this);
}

void TkvTab::Paint() {
  TCanvas& canvas = *Canvas();
  const int w = Width(), h = Height(), top = strip_->Height();
  canvas.Brush()->SetStyle(bsSolid);
  canvas.Brush()->SetColor(Color());
  canvas.FillRect(RECT{0, top, w, h});
  canvas.Pen()->SetColor(borderColor_);
  canvas.MoveTo(0, top);
  canvas.LineTo(0, h - 1);
  canvas.LineTo(w - 1, h - 1);
  canvas.LineTo(w - 1, top - 1);
}

// ---------------------------------------------------------------------------
// TkvTabControl

TkvTabControl::TkvTabControl(TComponent* owner)
    : TkvTab(owner, [](TkvTab* tab) { return new TkvTabControlTopPanel(tab, tab); }) {}

}  // namespace kx
