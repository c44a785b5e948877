// The 3D view's functions: space curves and surfaces drawn in scene units
// inside the viewer's post-render event, with the camera's matrices and the
// scene's lights in place, and where the scene's marker sphere goes for the
// evaluation target. Every frame samples afresh.
#pragma once

#include <cstdint>
#include <vector>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/MainU_Options.h"
#include "app/model/MainU_View.h"
#include "app/plot/MainU_Emitter.h"

namespace kx {

// What one 3D frame reads.
struct TPlot3D {
  TFuncModel& Model;
  const TViewState& View;
  const TDisplayOptions& Options;  // point mode draws surfaces as wire frames
  const TEvalState& Eval;
  bool InvertLight = false;  // surface normals negated
};

// One sample of a surface and its normal from its neighbours.
struct TGridVertex {
  double X = 0, Y = 0, Z = 0;
  float Normal[3] = {0, 0, 0};
};
using TGridRow = std::vector<TGridVertex>;

// One triangle strip between two rows of n samples: rowB[0], then rowA[k]
// and rowB[k + 1] for k = 0..n - 2, then rowA[n - 1].
void EmitRowPairStrip(TEmitter& emitter, const TGridRow& rowA, const TGridRow& rowB);

// A space curve (kind 6) as one line strip.
void DrawSpaceCurve(const TPlot3D& plot, const TFuncRec& record, TEmitter& emitter);
// A surface (kinds 7 and 8) as triangle strips between neighbouring rows,
// each drawn one row late so that both of its rows have their normals. A row
// whose sampling fails, or where the surface turns back on itself across the
// whole row (as across a pole), drops the strips that touch it.
void DrawSurface(const TPlot3D& plot, const TFuncRec& record, TEmitter& emitter);
// Every shown record of the space list.
void Draw3D(const TPlot3D& plot, TEmitter& emitter);
// One frame with the viewer's context current, through GL.
void Render3D(const TPlot3D& plot);

// Where the marker sphere goes: on the space list's evaluation target at the
// panel's variables while the panel is open; hidden otherwise and where the
// target has no value there.
struct TSpaceMarker {
  bool Visible = false;
  double X = 0, Y = 0, Z = 0;
  bool SearchHit = false;  // coloured as the point the last search found
};
TSpaceMarker PlaceMarker3D(const TPlot3D& plot);

}  // namespace kx
