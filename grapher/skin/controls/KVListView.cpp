#include "skin/controls/KVListView.h"

#include <commctrl.h>

namespace kx {

KX_PUBLISH(TkvListView) { p.Color("BorderColor", &TkvListView::BorderColor, &TkvListView::SetBorderColor); }

namespace {

struct ListViewModule {
  ListViewModule() { RegisterClasses({&TkvListView::StaticClass()}); }
} module;

}  // namespace

TkvListView::TkvListView(TComponent* owner)
    : TkvFramedNative(owner, ICC_LISTVIEW_CLASSES, WC_LISTVIEWA, LVS_REPORT | LVS_SHOWSELALWAYS) {}

}  // namespace kx
