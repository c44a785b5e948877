#include "skin/KVTreeView.h"

#include <commctrl.h>

#include "skin/KVEdit.h"
#include "skin/KVPublic.h"
#include "skin/KVThemesControls.h"

namespace kx {

KX_PUBLISH(TkvTreeView) { p.Color("BorderColor", &TkvTreeView::BorderColor, &TkvTreeView::SetBorderColor); }

namespace {

struct TreeViewModule {
  TreeViewModule() { RegisterClasses({&TkvTreeView::StaticClass()}); }
} module;

}  // namespace

TkvTreeView::TkvTreeView(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = controlStyle_ + TControlStyle{csOpaque};
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
  borderColor_ = FormSkinBorderColor(owner);
}

void TkvTreeView::SetBorderColor(TColor color) {
  borderColor_ = color;
  Repaint();
}

void TkvTreeView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  params.WinClassName = WC_TREEVIEWA;
  params.Style |= TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
  kvborder::RemoveNativeBorder(params);
}

void TkvTreeView::CreateWindowHandle(const TCreateParams& params) {
  TWinControl::CreateWindowHandle(params);
  kvborder::RemeasureFrame(*this);
}

void TkvTreeView::WndProc(TMessage& m) {
  if (kvborder::HandleMessage(
          m, BorderWidth, [&] { TWinControl::WndProc(m); }, [&] { FrameControlWindow(*this, borderColor_, Color()); }))
    return;
  TWinControl::WndProc(m);
}

}  // namespace kx
