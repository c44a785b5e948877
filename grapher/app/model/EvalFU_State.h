// The evaluation state: what the evaluation panel and the root and extremum
// searches write and the renderers read at every frame to place the marker,
// colour a search result and shade the integral.
#pragma once

#include <cstdint>

#include "app/model/RangeArray.h"

namespace kx {

// The partial derivatives of one formula by the first and the second variable.
struct TEvalPartial {
  long double ByVar1 = 0, ByVar2 = 0;
};

struct TEvalState {
  // 1: the target is in the plane list, 2: in the space list; else no target.
  int32_t EvalMode = 0;
  int32_t EvalFuncIdx = 0;  // entry of the target's list
  // The variables of the target at the marker.
  long double EvalVar1 = 0, EvalVar2 = 0;
  // The bounds of the integrals of the first and the second variable.
  double IntegralFrom = 0, IntegralTo = 0;
  double IntegralFrom2 = 0, IntegralTo2 = 0;
  // Per formula: its value, the derivative the panel shows, its partial
  // derivatives (space targets) and its integral.
  TRangeArray<long double, 1, 3> EvalF, EvalDF, EvalInt;
  TRangeArray<TEvalPartial, 1, 3> EvalPartial;
  bool SearchRunning = false;
  // Asked for by a click or a command while a search runs; the search ends
  // at its next step.
  bool StopSearch = false;
  // The marker shows the point the last root or extremum search found.
  bool SearchHit = false;
  // The formula searched (1..3), and whether the component menu was opened
  // for a minimum.
  int32_t SearchComponent = 1;
  bool SearchFindMin = false;
};

// The program's one evaluation state.
inline TEvalState& EvalState() {
  static TEvalState state;
  return state;
}

}  // namespace kx
