#include "skin/controls/KVTreeView.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvTreeView) {
  p.Color("BorderColor", &TkvTreeView::BorderColor, &TkvTreeView::SetBorderColor);
  p.Property("BorderStyle", &TkvTreeView::BorderStyle, &TkvTreeView::SetBorderStyle).Default(bsNone);
  p.Property("BorderWidth", &TkvTreeView::BorderWidth, &TkvTreeView::SetBorderWidth).Default(2);
  PublishTreeView(p);
}

namespace {

struct TreeViewModule {
  TreeViewModule() { RegisterClasses({&TkvTreeView::StaticClass()}); }
} module;

}  // namespace

TkvTreeView::TkvTreeView(TComponent* owner) : TCustomTreeView(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvTreeView::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvTreeView::SetBorderStyle(TFormBorderStyle style) {
  // Only the two edges a view can have.
  style = style == bsNone ? bsNone : bsSingle;
  if (style == borderStyle_) return;
  borderStyle_ = style;
  if (HandleAllocated()) RecreateWnd();
}

void TkvTreeView::SetBorderWidth(int width) {
  width = std::max(0, width);
  if (width == borderWidth_) return;
  borderWidth_ = width;
  kvborder::RemeasureFrame(*this);
  Invalidate();
}

void TkvTreeView::CreateParams(TCreateParams& params) {
  TCustomTreeView::CreateParams(params);
  if (borderStyle_ == bsNone) kvborder::RemoveNativeBorder(params);
}

void TkvTreeView::CreateWindowHandle(const TCreateParams& params) {
  TCustomTreeView::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvTreeView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, borderWidth_, [&] { TCustomTreeView::WndProc(m); },
          [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TCustomTreeView::WndProc(m);
}

}  // namespace kx
