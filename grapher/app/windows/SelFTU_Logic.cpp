#include "app/windows/SelFTU_Logic.h"

namespace kx {

TModalResult SelectFunctionKind(TFuncRec& f, int32_t kind) {
  f.FuncType = kind;
  return mrOk;
}

TModalResult KindButtonClicked(TFuncRec& f, int32_t kind) {
  if (kind >= 6 && kind <= 8) {
    f.First1 = -5, f.Last1 = 5, f.Step1 = 0.1;
    f.First2 = -5, f.Last2 = 5, f.Step2 = 0.1;
  }
  return SelectFunctionKind(f, kind);
}

}  // namespace kx
