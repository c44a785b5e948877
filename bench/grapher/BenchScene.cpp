#include "BenchScene.h"

#include <cstdio>
#include <stdexcept>

namespace kxbench {

namespace {

void Add(kx::TFuncModel& model, int32_t kind, const char* formula, double first, double last, double step,
         kx::TColor color) {
  model.CurFunc = kx::TFuncRec();
  kx::TFuncRec& f = model.CurFunc;
  f.FuncType = kind, f.Shown = true, f.LineWidth = 1, f.Color = color;
  f.FuncName = "f";
  f.First1 = first, f.Last1 = last, f.Step1 = step;
  f.First2 = first, f.Last2 = last, f.Step2 = step;
  f.Func[1] = formula;
  model.CreateCompilers();
  if (!model.CompileFuncs() || !model.StoreFunc(model.ListOf(kind), 0, model.CountOf(kind)))
    throw std::runtime_error(std::string("cannot add ") + formula);
}

}  // namespace

void UseProgramControlWord() {
  const uint16_t word = 0x133F;
  asm volatile("fnclex\n\tfldcw %0" : : "m"(word));
}

TBenchScene::TBenchScene() {
  UseProgramControlWord();
  View.ViewW = 603, View.ViewH = 400;
  View.CenterX = 301, View.CenterY = 200;
  // 3,001 samples from -15 to 15: the whole width of the view at 20 pixels a unit.
  for (int k = 1; k <= PlaneFunctions; ++k) {
    char formula[80];
    std::snprintf(formula, sizeof formula, "%d*sin(x*%g)+cos(x/%d)-%g", k % 5 + 1, k / 7.0, k, k / 4.0);
    Add(Model, 1, formula, -15, 15, 0.01, static_cast<kx::TColor>(0x101010 * (k % 15)));
  }
  Add(Model, 7, "sin(x)*cos(y)+x*y/10", -5, 5, 0.1, 0x00A0FF);
}

}  // namespace kxbench
