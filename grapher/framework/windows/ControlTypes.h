// Value types and event types of the control members that form resources
// name besides bounds and looks: anchors, reading order, the 3D look, and
// the drag, dock and input-method settings. The framework has no drag, dock
// or input-method machinery; it keeps those settings so that a form resource
// loads and is written back unchanged.
#pragma once

#include <windows.h>

#include "framework/core/Classes.h"

namespace kx {

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
KX_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = TSet<TAnchorKind>;
inline constexpr TAnchors kDefaultAnchors{akLeft, akTop};

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
KX_ENUM_NAMES(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly")

enum TDragKind { dkDrag, dkDock };
KX_ENUM_NAMES(TDragKind, "dkDrag", "dkDock")
enum TDragMode { dmManual, dmAutomatic };
KX_ENUM_NAMES(TDragMode, "dmManual", "dmAutomatic")
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
KX_ENUM_NAMES(TDragState, "dsDragEnter", "dsDragLeave", "dsDragMove")

enum TImeMode {
  imDisable,
  imClose,
  imOpen,
  imDontCare,
  imSAlpha,
  imAlpha,
  imHira,
  imSKata,
  imKata,
  imChinese,
  imSHanguel,
  imHanguel
};
KX_ENUM_NAMES(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata",
              "imKata", "imChinese", "imSHanguel", "imHanguel")

// The cursor shown while dragging, by the names form resources use.
inline constexpr int crDrag = -12;
inline constexpr TIdentMapEntry kDragCursorIdents[] = {
    {0, "crDefault"}, {-12, "crDrag"}, {-13, "crNoDrop"}, {-16, "crMultiDrag"}, {0, nullptr}};

}  // namespace kx
