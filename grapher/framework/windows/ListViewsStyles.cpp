// Native styles of the list and tree views that form resources set: style
// bits that remake the window, extended list-view styles and the tree's
// indent, which change in place.
#include "framework/windows/ListViews.h"

#include <commctrl.h>

#include <algorithm>

namespace kx {

namespace {

// Stores a style flag; the window is made anew when it exists.
void SetFlag(TWinControl& control, bool& flag, bool on) {
  if (on == flag) return;
  flag = on;
  if (control.HandleAllocated()) control.RecreateWnd();
}

}  // namespace

DWORD TCustomListView::ListStyle() const {
  DWORD style = 0;
  if (!hideSelection_) style |= LVS_SHOWSELALWAYS;
  if (!multiSelect_) style |= LVS_SINGLESEL;
  if (!showColumnHeaders_) style |= LVS_NOCOLUMNHEADER;
  return style;
}

void TCustomListView::SetCheckboxes(bool on) {
  checkboxes_ = on;
  ApplyExtendedStyle();
}

void TCustomListView::SetHotTrack(bool on) {
  hotTrack_ = on;
  ApplyExtendedStyle();
}

void TCustomListView::SetHideSelection(bool on) { SetFlag(*this, hideSelection_, on); }
void TCustomListView::SetMultiSelect(bool on) { SetFlag(*this, multiSelect_, on); }
void TCustomListView::SetShowColumnHeaders(bool on) { SetFlag(*this, showColumnHeaders_, on); }

DWORD TCustomTreeView::TreeStyle() const {
  DWORD style = 0;
  if (!hideSelection_) style |= TVS_SHOWSELALWAYS;
  if (autoExpand_) style |= TVS_SINGLEEXPAND;
  if (hotTrack_) style |= TVS_TRACKSELECT;
  if (rowSelect_) style |= TVS_FULLROWSELECT;
  if (!toolTips_) style |= TVS_NOTOOLTIPS;
  return style;
}

void TCustomTreeView::SetAutoExpand(bool on) { SetFlag(*this, autoExpand_, on); }
void TCustomTreeView::SetHideSelection(bool on) { SetFlag(*this, hideSelection_, on); }
void TCustomTreeView::SetHotTrack(bool on) { SetFlag(*this, hotTrack_, on); }
void TCustomTreeView::SetRowSelect(bool on) { SetFlag(*this, rowSelect_, on); }
void TCustomTreeView::SetToolTips(bool on) { SetFlag(*this, toolTips_, on); }

void TCustomTreeView::SetIndent(int pixels) {
  indent_ = std::max(0, pixels);
  if (HandleAllocated() && indent_ > 0) SendMessageA(Handle(), TVM_SETINDENT, WPARAM(indent_), 0);
}

}  // namespace kx
