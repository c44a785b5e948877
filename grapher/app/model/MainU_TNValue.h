// The value of an experimental-data record at any abscissa, as the plot
// draws it and the evaluation panel reads it.
#pragma once

#include "app/model/MainU_Funcs.h"

namespace kx {

// The value of a kind-9 record at t by its DrawType: 0 the value at a data
// abscissa, 1 the broken line, 2 the interpolation polynomial, 3 the
// least-squares polynomial. Not a number where the data cannot give one.
long double TNValueAt(const TFuncRec& record, long double t);

}  // namespace kx
