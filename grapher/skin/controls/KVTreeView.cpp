#include "skin/controls/KVTreeView.h"

#include <commctrl.h>

namespace kx {

KX_PUBLISH(TkvTreeView) { p.Color("BorderColor", &TkvTreeView::BorderColor, &TkvTreeView::SetBorderColor); }

namespace {

struct TreeViewModule {
  TreeViewModule() { RegisterClasses({&TkvTreeView::StaticClass()}); }
} module;

}  // namespace

TkvTreeView::TkvTreeView(TComponent* owner)
    : TkvFramedNative(owner, ICC_TREEVIEW_CLASSES, WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT) {}

}  // namespace kx
