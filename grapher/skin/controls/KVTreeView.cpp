#include "skin/controls/KVTreeView.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvTreeView) {
  p.Color("BorderColor", &TkvTreeView::BorderColor, &TkvTreeView::SetBorderColor);
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

void TkvTreeView::CreateParams(TCreateParams& params) {
  TCustomTreeView::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvTreeView::CreateWindowHandle(const TCreateParams& params) {
  TCustomTreeView::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvTreeView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TCustomTreeView::WndProc(m); },
          [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TCustomTreeView::WndProc(m);
}

}  // namespace kx
