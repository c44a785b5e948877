// A plane view of 600 x 400 pixels at the start scale, a model and the
// records a test draws, with the process's control word (every
// floating-point exception masked) for the life of the test.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "RecordingEmitter.h"
#include "app/plot/MainU_Curves2D.h"
#include "ProcessControlWord.h"

namespace kx {

class PlotTest : public ::testing::Test {
 protected:
  PlotTest() {
    view.ViewW = 600, view.ViewH = 400;
    view.CenterX = 300, view.CenterY = 200;
  }

  // A compiled record appended to the list of its kind (1 to 8) with its
  // formulas, its first variable ranging from first to last by step.
  TFuncRec& AddRecord(int32_t kind, std::initializer_list<const char*> formulas, double first, double last,
                      double step) {
    model.CurFunc = TFuncRec();
    TFuncRec& f = model.CurFunc;
    f.FuncType = kind;
    f.Shown = true;
    f.LineWidth = 1;
    f.Color = 0xFF0000;
    f.First1 = first, f.Last1 = last, f.Step1 = step;
    int j = 1;
    for (const char* text : formulas) f.Func[j++] = text;
    model.CreateCompilers();
    EXPECT_TRUE(model.CompileFuncs()) << model.CompileErrIdx;
    EXPECT_TRUE(model.StoreFunc(model.ListOf(kind), 0, model.CountOf(kind)));
    return model.ListOf(kind)[model.CountOf(kind)];
  }

  // A kind-9 record with these points, drawn as `drawType`.
  TFuncRec& AddData(std::initializer_list<TTNPoint> points, int32_t drawType) {
    model.CurFunc = TFuncRec();
    TFuncRec& f = model.CurFunc;
    f.FuncType = TNKind;
    f.Shown = true;
    f.LineWidth = 1;
    f.Color = 0x00FF00;
    f.TNPoints = points;
    f.DrawType = drawType;
    EXPECT_TRUE(model.StoreFunc(model.List2D, 0, model.Count2D));
    return model.List2D[model.Count2D];
  }

  TPlot2D Plot(bool integralPage = false) { return TPlot2D{model, view, options, eval, integralPage}; }

  // The variable of a kind-1 sample from its pixel column.
  double TOfX(double px) const { return (px - view.OriginX()) / view.ScaleX; }
  double TOfY(double py) const { return (view.OriginY() - py) / view.ScaleY; }

  // Before the model: every evaluation runs under the programs' control word.
  testsupport::ProcessControlWord controlWord_;
  TFuncModel model;
  TViewState view;
  TDisplayOptions options;
  TEvalState eval;
  TRecordingEmitter emitter;
};

}  // namespace kx
