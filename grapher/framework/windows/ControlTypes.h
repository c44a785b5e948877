// Value types and event types of the control members that form resources
// name besides bounds and looks: the shift state, anchors, reading order,
// the 3D look, and the drag, dock and input-method settings. The framework
// has no drag, dock or input-method machinery; it keeps those settings so
// that a form resource loads and is written back unchanged.
#pragma once

#include <windows.h>

#include "framework/core/Classes.h"

namespace kx {

class TControl;
class TWinControl;

enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
KX_ENUM_NAMES(TShiftStateFlag, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble")
using TShiftState = TSet<TShiftStateFlag>;

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

// Handled := True keeps the control's popup menu closed.
using TContextPopupEvent = TEvent<TObject*, POINT, bool&>;
// May narrow or widen the limits (MinWidth, MinHeight, MaxWidth, MaxHeight).
using TConstrainedResizeEvent = TEvent<TObject*, int&, int&, int&, int&>;
// Shift, wheel delta, mouse position on the screen, Handled.
using TMouseWheelEvent = TEvent<TObject*, TShiftState, int, POINT, bool&>;
using TMouseWheelUpDownEvent = TEvent<TObject*, TShiftState, POINT, bool&>;
// Sender, source or target, x, y.
using TDragDropEvent = TEvent<TObject*, TObject*, int, int>;
using TDragOverEvent = TEvent<TObject*, TObject*, int, int, TDragState, bool&>;
using TStartDragEvent = TEvent<TObject*, TObject*&>;
using TGetSiteInfoEvent = TEvent<TObject*, TControl*, RECT&, POINT, bool&>;
using TUnDockEvent = TEvent<TObject*, TControl*, TWinControl*, bool&>;

}  // namespace kx
