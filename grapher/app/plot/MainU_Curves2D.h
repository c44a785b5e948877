// The plane curves: sampling a record's formulas along its variable, turning
// each sample into a pixel, and drawing runs of good samples as strips, the
// evaluation marker and the shaded integral. Every frame samples afresh;
// nothing is cached.
#pragma once

#include <cstdint>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/MainU_Options.h"
#include "app/model/MainU_TNValue.h"
#include "app/model/MainU_View.h"
#include "app/plot/MainU_Emitter.h"
#include "app/plot/MainU_Lattice.h"

namespace kx {

// What one 2D frame reads.
struct TPlot2D {
  TFuncModel& Model;
  const TViewState& View;
  const TDisplayOptions& Options;
  const TEvalState& Eval;
  // The evaluation panel shows its integral page (docked or floating).
  bool IntegralPageActive = false;
};

// A sample further than this outside the view is not drawn.
constexpr double SampleMargin = 500;

// How one record is walked: its variable's range and step (never below
// MinSampleStep), the shift and the rotation about the plot origin.
struct TSampling2D {
  double Start = 0, End = 0, Step = MinSampleStep;
  double ShiftX = 0, ShiftY = 0;
  double Angle = 0, Cos = 1, Sin = 0;
  bool Rotated = false;
};

TSampling2D SetupSampling2D(const TFuncRec& record);

// A sample as a pixel; Bad when it is not a number or lies beyond the margin.
struct TPixel2D {
  double X = 0, Y = 0;
  bool Bad = true;
};

// Writes t into the first variable cell and evaluates the record there.
TPixel2D SamplePoint2D(TFuncModel& model, const TViewState& view, const TFuncRec& record, const TSampling2D& sampling,
                       long double t);

// Narrowed skips the samples whose pixel cannot come within the margin when
// that follows from t alone (kinds 1, 2 and 9 without rotation); Full
// evaluates every sample. Both draw the same.
enum class TWalk { Narrowed, Full };

// The sampled curve of a record (kinds 1 to 5; kind 9 with a fitted curve),
// as line strips or, in point mode, point lists. Returns the samples taken.
int64_t DrawCurve2D(const TPlot2D& plot, const TFuncRec& record, TEmitter& emitter, TWalk walk = TWalk::Narrowed);

// The evaluation target of the plane list, when the panel is open: its marker
// and, on the integral page, the shaded area. Returns the shading's samples.
int64_t DrawEvalMarks(const TPlot2D& plot, TEmitter& emitter, TWalk walk = TWalk::Narrowed);

// A filled diamond of half-diagonal 5 pixels around a pixel, as one quad.
void DiamondVertices(TEmitter& emitter, double x, double y);

// Every formula of the record's kind has its compiler.
bool HasFormulas(const TFuncRec& record);

// The line width and point size of a record: never below 1.
float PenSize(const TFuncRec& record);

}  // namespace kx
