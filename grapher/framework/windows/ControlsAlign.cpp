// Anchors: a control remembers its bounds and its parent's client size when
// it is placed; when the parent's client size changes, each anchored edge
// keeps its distance to the parent's edge on that side.
#include "framework/windows/Controls.h"

#include <algorithm>
#include <vector>

namespace kx {

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors == anchors_) return;
  anchors_ = anchors;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (anchoring_ || !parent_) return;
  const RECT client = parent_->ClientRect();
  anchorBounds_ = BoundsRect();
  anchorParent_ = SIZE{client.right - client.left, client.bottom - client.top};
  anchorRulesSet_ = true;
}

namespace {

// One axis: the start and length of a control whose parent grew by `delta`.
void Anchor(bool nearEdge, bool farEdge, int delta, LONG& start, LONG& length) {
  if (farEdge) {
    if (nearEdge)
      length += delta;
    else
      start += delta;
  } else if (!nearEdge) {
    start += delta / 2;  // anchored to neither edge: keeps its place in the middle
  }
}

}  // namespace

void TControl::ApplyAnchors(SIZE parentClient) {
  // Controls at the default anchors stay where they are, whatever moved them.
  if (align_ != alNone || anchors_ == kDefaultAnchors || !anchorRulesSet_) return;
  LONG left = anchorBounds_.left, top = anchorBounds_.top;
  LONG width = anchorBounds_.right - anchorBounds_.left, height = anchorBounds_.bottom - anchorBounds_.top;
  Anchor(anchors_.Contains(akLeft), anchors_.Contains(akRight), parentClient.cx - anchorParent_.cx, left, width);
  Anchor(anchors_.Contains(akTop), anchors_.Contains(akBottom), parentClient.cy - anchorParent_.cy, top, height);
  anchoring_ = true;
  try {
    SetBounds(left, top, std::max(0L, width), std::max(0L, height));
  } catch (...) {
    anchoring_ = false;
    throw;
  }
  anchoring_ = false;
}

void TWinControl::AnchorControls() {
  const RECT client = ClientRect();
  const SIZE size{client.right - client.left, client.bottom - client.top};
  for (TControl* c : std::vector<TControl*>(controls_)) c->ApplyAnchors(size);
}

}  // namespace kx
