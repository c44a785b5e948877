// The main window's view state and what its layout and mode switch compute
// without a window: the viewer's size and origin, where each control goes
// when the window is resized, and the option boxes' texts in each mode. The
// renderers, the navigation and the export read the view state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kx {

// Where the viewer sits in the main window's client area, and the space the
// controls below it and the docked evaluation panel take.
constexpr int ViewerMargin = 8;
constexpr int DockedPanelWidth = 190;
constexpr int ControlsHeight = 201;

struct TViewState {
  bool Is2DMode = true;
  // Size of the viewer in pixels, never below 1.
  int32_t ViewW = 1, ViewH = 1;
  // Screen position of the 2D origin before panning, and the pan.
  int32_t CenterX = 0, CenterY = 0;
  int32_t OffsetX = 0, OffsetY = 0;
  // 2D pixels per unit, and ScaleX / ScaleY, kept when zooming.
  double ScaleX = 20.0, ScaleY = 20.0;
  double AspectXY = 1.0;
  // The evaluation panel is shown, and shown in its own window.
  bool EvalPanelOpen = false, EvalPanelFloating = false;

  // Sizes the viewer from the main window's client area and centres the
  // origin in it; the pan offsets stay. A window lower or narrower than its
  // controls still leaves a viewer of one pixel.
  void SizeView(int clientWidth, int clientHeight);
  int32_t OriginX() const { return CenterX + OffsetX; }
  int32_t OriginY() const { return CenterY + OffsetY; }
};

// The program's one view state.
TViewState& ViewState();

// One control's new left or top edge after a resize.
struct TPlacement {
  enum TEdge { Left, Top };
  std::string Control;
  TEdge Edge;
  int Value;
};

// Where the main window's controls go for a client area of the given size:
// the evaluation panel keeps to the right edge, the rows below the viewer to
// the bottom edge.
std::vector<TPlacement> MainLayout(int clientWidth, int clientHeight);

// The texts (TCVN3) and state of the option boxes below the viewer in one
// view mode.
struct TModeOptions {
  std::string raKDuong, raKDiem, cbShowLine, cbBkGround;
  bool ShowNumEnabled;
};

const TModeOptions& ModeOptions(bool is2DMode);

}  // namespace kx
