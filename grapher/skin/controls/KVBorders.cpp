#include "skin/controls/KVBorders.h"

namespace kx {

namespace kvborder {

void RemoveNativeBorder(TCreateParams& params) {
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void RemeasureFrame(TWinControl& control) {
  if (!control.HandleAllocated()) return;
  SetWindowPos(control.Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace kvborder

}  // namespace kx
