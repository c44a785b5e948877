#include "skin/controls/KVListView.h"

#include "skin/controls/KVBorders.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvListView) {
  p.Color("BorderColor", &TkvListView::BorderColor, &TkvListView::SetBorderColor);
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

void TkvListView::CreateParams(TCreateParams& params) {
  TCustomListView::CreateParams(params);
  kvborder::RemoveNativeBorder(params);
}

void TkvListView::CreateWindowHandle(const TCreateParams& params) {
  TCustomListView::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvListView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TCustomListView::WndProc(m); },
          [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TCustomListView::WndProc(m);
}

}  // namespace kx
