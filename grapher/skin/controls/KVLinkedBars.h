// The link between a memo or list box and the skinned scroll bars laid over
// the edges of its native ones.
#pragma once

#include "framework/windows/Controls.h"
#include "skin/controls/KVScrollBar.h"

namespace kx {

// The skinned bars a memo or list box keeps in step with its native ones.
// The bars are siblings of the control, owned by the form; the control only
// refers to them.
class TkvLinkedBars {
 public:
  // `memo`: a memo keeps a bar without a native counterpart visible and
  // hides only its thumb; a list hides the bar.
  TkvLinkedBars(TWinControl& control, bool memo);
  TkvScrollBar* Bar(bool vertical) const { return vertical ? vBar_ : hBar_; }
  // Releases the bar linked before (its OnChange, LineButton 0, Max 100,
  // enabled) and links the new one. False when it is the bar already linked.
  bool Link(bool vertical, TkvScrollBar* bar);
  // The control forgets a bar that is being freed.
  void Forget(TComponent* component);
  // Lays the bars over the control's edges, then syncs.
  void Place();
  // Copies the native scroll state into the bars.
  void Sync();
  // Moves the native control to the bar's position.
  void ScrollNative(bool vertical);
  // The re-sync after a message the control has handled.
  void AfterMessage(const TMessage& m);
  bool Syncing() const { return syncing_; }

 private:
  void SyncBar(TkvScrollBar& bar, bool vertical);
  TWinControl& control_;
  bool memo_;
  TkvScrollBar* vBar_ = nullptr;
  TkvScrollBar* hBar_ = nullptr;
  bool syncing_ = false;
  bool mouseDown_ = false;
};

}  // namespace kx
