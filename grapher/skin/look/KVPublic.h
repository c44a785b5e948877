// Drawing and geometry services shared by the skinned controls.
//
// Rectangles are (left, top, right, bottom) with right and bottom exclusive,
// unless a routine says otherwise. Every routine frees what it makes before
// it returns; none reports errors.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "framework/windows/Controls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Graphics.h"

namespace kx {

// The control's parent erases and paints itself into `canvas`, shifted so that
// the part under the control lands at the canvas origin. Controls that look
// transparent draw this into their off-screen bitmap first. A control
// without a parent leaves the canvas as it is.
void PaintParentBackground(TCanvas& canvas, TControl& control);

// Copies of the picture from the canvas origin over the rectangle's size (its
// left and top are not used), reaching one picture beyond it each way. An
// empty picture draws nothing.
void TilePicture(TCanvas& canvas, TPicture& picture, const RECT& rect);

// True when the point lies inside the rectangle or on any of its edges, the
// right and bottom edges included.
bool IsPointInRect(POINT point, const RECT& rect);
bool IsPointInRectXY(int x, int y, const RECT& rect);

// The primary display's work area (the screen without the task bar).
RECT QueryDesktopWorkArea();

void MoveControlTo(TControl& control, POINT point);
// Left, Top, Width, Height from the rectangle, in this order.
void SetControlRect(TControl& control, const RECT& rect);

// One piece of a sliced picture: copied from Source (cut, not scaled) and
// drawn over Dest. Corners are drawn at their own size; edges and centres
// are stretched.
struct TSlicePiece {
  RECT Source{};
  RECT Dest{};
  bool Stretched = false;
  // A piece without area in the skin or on the canvas is not drawn.
  bool Skipped() const {
    return Source.right <= Source.left || Source.bottom <= Source.top || Dest.right <= Dest.left ||
           Dest.bottom <= Dest.top;
  }
};

// The nine pieces of StretchSkinBitmap, in drawing order.
enum TNinePiece { npTopLeft, npBottomLeft, npLeft, npTopRight, npBottomRight, npRight, npTop, npCentre, npBottom };
using TNineSlicePlan = std::array<TSlicePiece, 9>;
// Where each piece of a skinWidth x skinHeight skin goes on `rect`. The left
// and top pieces start at 0 (the callers pass a client rectangle); the centre
// ends one row above the bottom-right corner and the bottom edge, drawn
// last, starts one row higher and one column further left, over it.
TNineSlicePlan NineSlicePlan(int skinWidth, int skinHeight, const RECT& rect);

// The pieces of DrawThreeSliceBitmap, in drawing order: left and right
// thirds at their own size, then the middle third stretched between them.
enum TThreePiece { tpLeft, tpRight, tpMiddle };
using TThreeSlicePlan = std::array<TSlicePiece, 3>;
TThreeSlicePlan ThreeSlicePlan(int width, int height, const RECT& rect);

// Nine-slice drawing of a push-button skin over `rect`: corners unscaled
// (keyed on clFuchsia when transparentCorners), edges and centre stretched
// and always keyed on clFuchsia. An empty skin draws nothing.
void StretchSkinBitmap(TBitmap& bitmap, TCanvas& canvas, const RECT& rect, bool transparentCorners);

// Three-slice drawing of a bar or tab picture: the thirds of its width
// (width div 3; the pixels past three thirds are not used) as left end,
// stretched middle and right end. With `transparent` the ends are keyed on
// the picture's top-left pixel; the middle is drawn opaque. A picture
// narrower than 3 pixels draws nothing.
void DrawThreeSliceBitmap(TBitmap& bitmap, TCanvas& canvas, const RECT& rect, bool transparent);

// Two one-pixel rings on the control's whole window (frame included): the
// outer in borderColor, the inner in innerColor.
void FrameControlWindow(TWinControl& control, TColor borderColor, TColor innerColor);

// Quarter turns in place: a W x H bitmap becomes H x W.
void RotateBitmapCounterClockwise(TBitmap& bitmap);
void RotateBitmapClockwise(TBitmap& bitmap);

// False while another program is active. Otherwise true for nullptr and for
// the main form, for the active child of a main form that is an MDI frame,
// and for a form that is the active window.
bool IsFormActive(TCustomForm* form);

// The error message of a misused property (a second client section, a second
// control-box button): a box with an error icon and one OK button. Tests
// put a sink of their own in its place; returns the sink it replaces.
using TSkinErrorSink = std::function<void(const std::string& text)>;
void ShowSkinError(const std::string& text);
TSkinErrorSink SetSkinErrorSink(TSkinErrorSink sink);

}  // namespace kx
