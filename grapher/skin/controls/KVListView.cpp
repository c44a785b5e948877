#include "skin/controls/KVListView.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvListView) {
  p.Color("BorderColor", &TkvListView::BorderColor, &TkvListView::SetBorderColor);
  p.Property("BorderStyle", &TkvListView::BorderStyle, &TkvListView::SetBorderStyle).Default(bsNone);
  p.Property("BorderWidth", &TkvListView::BorderWidth, &TkvListView::SetBorderWidth).Default(2);
  PublishListView(p);
}

namespace {

struct ListViewModule {
  ListViewModule() { RegisterClasses({&TkvListView::StaticClass()}); }
} module;

}  // namespace

TkvListView::TkvListView(TComponent* owner) : TCustomListView(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvListView::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvListView::SetBorderStyle(TFormBorderStyle style) {
  // Only the two edges a view can have.
  style = style == bsNone ? bsNone : bsSingle;
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TkvListView::SetBorderWidth(int width) {
  width = std::max(0, width);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  kvborder::RemeasureFrame(*this);
  Invalidate();
}

void TkvListView::CreateParams(TCreateParams& params) {
  TCustomListView::CreateParams(params);
  if (borderStyle_ == bsNone) kvborder::RemoveNativeBorder(params);
}

void TkvListView::CreateWindowHandle(const TCreateParams& params) {
  TCustomListView::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvListView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, borderWidth_, [&] { TCustomListView::WndProc(m); },
          [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TCustomListView::WndProc(m);
}

}  // namespace kx
