// The tree view with a thin skinned frame, over a small wrapper of the
// native tree-view control. The wrapper makes the native window with lines
// and buttons and adds nothing else: no nodes, images or events of its own;
// code talks to the window through its handle.
#pragma once

#include "skin/controls/KVBorders.h"

namespace kx {

class TkvTreeView : public TkvFramedNative {
  KX_CLASS(TkvTreeView, TkvFramedNative)
 public:
  explicit TkvTreeView(TComponent* owner);
};

}  // namespace kx
