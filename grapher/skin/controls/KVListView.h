// The list view with a thin skinned frame, over a small wrapper of the
// native list-view control. The wrapper makes the native window in report
// view and adds nothing else: no items, columns, images or events of its
// own; code talks to the window through its handle.
#pragma once

#include "skin/controls/KVBorders.h"

namespace kx {

class TkvListView : public TkvFramedNative {
  KX_CLASS(TkvListView, TkvFramedNative)
 public:
  explicit TkvListView(TComponent* owner);
};

}  // namespace kx
