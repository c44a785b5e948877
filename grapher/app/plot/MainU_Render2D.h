// The 2D view of the main window: background, axes, grid, ticks and numbers,
// every shown record of the plane list, the evaluation marks and a frame,
// drawn in pixels over the 3D scene inside the viewer's post-render event.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/plot/MainU_Curves2D.h"

namespace kx {

// The 2D colours, by the background box: white, black and silver when it is
// checked, else black, white and gray.
struct TPlotColors {
  TColor Back, Axis, Grid;
};
TPlotColors PlotColors(bool bkGround);

// The whole units the view spans, one more on each side, and the tick steps
// in whole units (ticks are always more than 15 pixels apart).
struct TAxisLayout {
  int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  int32_t StepX = 1, StepY = 1;
};
TAxisLayout LayoutAxes(const TViewState& view);
// The tick values from (min div step - 1) * step up to below max, the origin
// included; at least one.
std::vector<int32_t> TickValues(int32_t min, int32_t max, int32_t step);

// Axes, grid, ticks, numbers, arrow heads and axis names.
void DrawAxes2D(const TPlot2D& plot, TEmitter& emitter);
// The frame without its projection; returns the samples the curves and the
// shading took.
int64_t Draw2D(const TPlot2D& plot, TEmitter& emitter);
// One frame with the viewer's context current: the pixel projection around
// Draw2D through GL. Matrices and enable bits are left as they were found.
void Render2D(const TPlot2D& plot);

}  // namespace kx
