// The kind chooser's kind buttons apart from their window: what each does to
// the record being added. The chooser closes with the result returned.
#pragma once

#include <cstdint>

#include "app/model/MainU_Funcs.h"
#include "framework/windows/Forms.h"

namespace kx {

// Sets the record's kind; the chooser closes accepted.
TModalResult SelectFunctionKind(TFuncRec& f, int32_t kind);

// The button of a kind (1 to 8, or 9 for experimental data). The plane kinds
// keep the ranges the Add command gave the record; the space kinds (6 to 8)
// are sampled from -5 to 5 by 0.1 in both variables, since a surface of
// -15..15 by 0.01 would take millions of samples; kind 9 sets only the kind.
TModalResult KindButtonClicked(TFuncRec& f, int32_t kind);

}  // namespace kx
