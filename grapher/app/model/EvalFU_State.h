// The evaluation state: what the evaluation panel and the root and extremum
// searches write and the renderers read at every frame to place the marker,
// colour a search result and shade the integral.
#pragma once

#include <cstdint>

namespace kx {

struct TEvalState {
  // 1: the target is in the plane list, 2: in the space list; else no target.
  int32_t EvalMode = 0;
  int32_t EvalFuncIdx = 0;  // entry of the target's list
  // The variables of the target at the marker.
  long double EvalVar1 = 0, EvalVar2 = 0;
  // The bounds of the integrals of the first and the second variable.
  long double IntegralFrom = 0, IntegralTo = 0;
  long double IntegralFrom2 = 0, IntegralTo2 = 0;
  bool SearchRunning = false;
  // The marker shows the point the last root or extremum search found.
  bool SearchHit = false;
};

// The program's one evaluation state.
inline TEvalState& EvalState() {
  static TEvalState state;
  return state;
}

}  // namespace kx
