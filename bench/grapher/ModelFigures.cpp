#include "ModelFigures.h"

#include <cstdio>
#include <stdexcept>
#include <string>

#include "Timing.h"
#include "app/model/MainU_Eval.h"
#include "app/model/MainU_FuncFile.h"
#include "compiler/KCompiler.h"
#include "compiler/KLib.h"

namespace kxbench {

namespace {

// A formula of exactly `length` characters (a multiple of 8) made of the same
// eight-character term, so that the cost per character can be compared.
std::string FormulaOfLength(size_t length) {
  std::string text;
  for (size_t k = 8; k < length; k += 8) text += "x*x+2.5+";
  return text + "x*x+2.51";
}

}  // namespace

void CompileFigures() {
  Heading("Compiling a formula (time per compile; cost per character against 8 characters, 1 is linear)");
  long double x = 0.5L;
  double firstPerChar = 0;
  for (size_t length : {8u, 64u, 256u}) {
    kx::TKCompiler compiler;
    compiler.SetAutoCompile(false);
    kx::AddGrapherBuiltins(&compiler);
    compiler.AddVariable("x", kx::tcF80, &x);
    const std::string text = FormulaOfLength(length);
    compiler.SetExpression(text);
    const int compiles = static_cast<int>(16384 / length);
    const double ms = BestMs(3, [&] {
                        for (int k = 0; k < compiles; ++k) compiler.Compile();
                      }) /
                      compiles;
    if (compiler.CompError() != kx::eNone) throw std::runtime_error("cannot compile " + text);
    const double perChar = ms / static_cast<double>(length);
    if (length == 8) firstPerChar = perChar;
    char what[64];
    std::snprintf(what, sizeof what, "%zu characters", length);
    Row(what, ms, "per character against 8", perChar / firstPerChar);
  }
}

double PlaneSamplingFigures(TBenchScene& scene) {
  kx::TPlot2D plot = scene.Plot2D();
  int64_t samples = 0;
  const double ms = BestMs(5, [&] {
    TCountingEmitter emitter;
    samples = 0;
    for (int k = 1; k <= scene.Model.Count2D; ++k) samples += kx::DrawCurve2D(plot, scene.Model.List2D[k], emitter);
  });
  char what[80];
  std::snprintf(what, sizeof what, "sampling %d functions, %lld samples", scene.Model.Count2D,
                static_cast<long long>(samples));
  Row(what, ms);
  return ms;
}

double SurfaceSamplingFigures(TBenchScene& scene) {
  kx::TPlot3D plot = scene.Plot3D();
  int64_t vertices = 0;
  const double ms = BestMs(5, [&] {
    TCountingEmitter emitter;
    kx::DrawSurface(plot, scene.Surface(), emitter);
    vertices = emitter.Vertices;
  });
  char what[80];
  std::snprintf(what, sizeof what, "sampling the surface, %lld strip vertices", static_cast<long long>(vertices));
  Row(what, ms);
  return ms;
}

void FuncFileFigures(TBenchScene& scene) {
  Heading("Function list file, 20 plane and 20 space records (load against save)");
  // The space list filled up with copies of the surface, without compilers.
  kx::TFuncModel& model = scene.Model;
  const int32_t count3D = model.Count3D;
  for (int k = model.Count3D + 1; k <= kx::MaxFuncs; ++k) model.List3D[k] = model.List3D[1].CopyForEdit();
  model.Count3D = kx::MaxFuncs;
  std::string text;
  const double save = BestMs(5, [&] { text = kx::WriteFuncListText(model.List2D, model.Count2D, model.List3D, 20); });
  kx::TFuncFileRecords records;
  const double load = BestMs(5, [&] {
    if (!kx::ReadFuncListText(text, records)) throw std::runtime_error("the written list does not read back");
  });
  for (int k = count3D + 1; k <= kx::MaxFuncs; ++k) model.List3D[k] = kx::TFuncRec();
  model.Count3D = count3D;
  char what[64];
  std::snprintf(what, sizeof what, "save, %zu bytes", text.size());
  Row(what, save);
  std::snprintf(what, sizeof what, "load, %zu + %zu records", records.Section2D.size(), records.Section3D.size());
  Row(what, load, "load / save", load / save);
}

void IntegralFigures(TBenchScene& scene) {
  Heading("Evaluation panel, the surface's double integral (against the same evaluations made bare)");
  kx::TFuncModel& model = scene.Model;
  kx::TEvalState& eval = scene.Eval;
  eval.EvalMode = 2, eval.EvalFuncIdx = 1;
  eval.IntegralFrom = -2, eval.IntegralTo = 3, eval.IntegralFrom2 = -1, eval.IntegralTo2 = 2;
  const double integral = BestMs(3, [&] { kx::EvaluateIntegrals3D(model, eval, kx::Simpson3DPairs); });
  const int side = 2 * kx::Simpson3DPairs + 1;
  kx::TKCompiler& compiler = *scene.Surface().Compilers[1];
  long double sum = 0;
  const double bare = BestMs(3, [&] {
    for (int i = 0; i < side; ++i)
      for (int j = 0; j < side; ++j) {
        model.VarCells[1] = -2 + 5.0L * i / (side - 1);
        model.VarCells[2] = -1 + 3.0L * j / (side - 1);
        sum += compiler.Calculate();
      }
  });
  eval = kx::TEvalState();
  char what[64];
  std::snprintf(what, sizeof what, "integral, %d x %d samples", side, side);
  Row(what, integral, "integral / bare evaluations", integral / bare);
  std::snprintf(what, sizeof what, "bare evaluations (sum %.3g)", static_cast<double>(sum));
  Row(what, bare);
}

}  // namespace kxbench
