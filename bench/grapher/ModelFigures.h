// The grapher's figures that need no window: compiling against the length of
// the formula, the sampling of a plane frame and of a surface, the function
// list file and the evaluation panel's double integral.
#pragma once

#include "BenchScene.h"

namespace kxbench {

void CompileFigures();
// Returns the milliseconds the sampling of the twenty functions takes, the
// evaluation share of a frame.
double PlaneSamplingFigures(TBenchScene& scene);
double SurfaceSamplingFigures(TBenchScene& scene);
void FuncFileFigures(TBenchScene& scene);
void IntegralFigures(TBenchScene& scene);

}  // namespace kxbench
