#include "skin/KVListView.h"

#include <commctrl.h>

#include "skin/KVEdit.h"
#include "skin/KVPublic.h"
#include "skin/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvListView) { p.Color("BorderColor", &TkvListView::BorderColor, &TkvListView::SetBorderColor); }

namespace {

struct ListViewModule {
  ListViewModule() { RegisterClasses({&TkvListView::StaticClass()}); }
} module;

}  // namespace

TkvListView::TkvListView(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvListView::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  params.WinClassName = WC_LISTVIEWA;
  params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS;
  kvborder::RemoveNativeBorder(params);
}

void TkvListView::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvListView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TWinControl::WndProc(m); }, [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TWinControl::WndProc(m);
}

}  // namespace kx
