// What the evaluation panel shows for a target of each kind: the rows of its
// variables and formulas, their labels and the heights of its groups.
#pragma once

#include <string>

#include "app/model/MainU_Funcs.h"

namespace kx {

struct TEvalLayout {
  // Variable rows (1 or 2); value, derivative and integral rows (1 to 3).
  int VarRows = 1;
  int ValueRows = 1, DerivRows = 1, IntRows = 1;
  // TCVN3 texts: the variable labels, the captions of the limit groups, the
  // labels of the value, derivative and integral rows, and the caption of
  // the derivative group.
  TRangeArray<std::string, 1, 2> VarLabels, LimitCaptions;
  TRangeArray<std::string, 1, 3> ValueLabels, DerivLabels, IntLabels;
  std::string DerivCaption;
  // Heights of the value, derivative and integral groups, the variable group
  // and the limit group.
  int ValueHeight = 55, DerivHeight = 55, IntHeight = 55, VarHeight = 55, LimitHeight = 116;
};

// The layout for a record of the given kind (1 to 9). Experimental data has
// no row in KindTable: it shows one variable x and one formula f like kind
// 1. Any other number gives the layout of kind 1.
TEvalLayout EvalLayout(int32_t kind);

}  // namespace kx
