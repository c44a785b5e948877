// A model with compiled records of any kind and an evaluation state aimed at
// them, under the process's control word (every floating-point exception
// masked) for the life of the test.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_Funcs.h"
#include "ProcessControlWord.h"

namespace kx {

class EvalTest : public ::testing::Test {
 protected:
  // A compiled record of kinds 1 to 8 appended to its list, ranging over
  // [first, last] in both variables, and made the evaluation target.
  TFuncRec& Target(int32_t kind, std::initializer_list<const char*> formulas, double first = -15, double last = 15) {
    model.CurFunc = TFuncRec();
    TFuncRec& f = model.CurFunc;
    f.FuncType = kind;
    f.FuncName = "f";
    f.First1 = first, f.Last1 = last, f.Step1 = 0.01;
    f.First2 = first, f.Last2 = last, f.Step2 = 0.01;
    int j = 1;
    for (const char* text : formulas) f.Func[j++] = text;
    model.CreateCompilers();
    EXPECT_TRUE(model.CompileFuncs()) << model.CompileErrIdx;
    EXPECT_TRUE(model.StoreFunc(model.ListOf(kind), 0, model.CountOf(kind)));
    eval.EvalMode = IsKind2D(kind) ? 1 : 2;
    eval.EvalFuncIdx = model.CountOf(kind);
    return model.ListOf(kind)[eval.EvalFuncIdx];
  }

  // A kind-9 record with these points, drawn as drawType, made the target.
  TFuncRec& DataTarget(std::initializer_list<TTNPoint> points, int32_t drawType) {
    model.CurFunc = TFuncRec();
    model.CurFunc.FuncType = TNKind;
    model.CurFunc.TNPoints = points;
    model.CurFunc.DrawType = drawType;
    EXPECT_TRUE(model.StoreFunc(model.List2D, 0, model.Count2D));
    eval.EvalMode = 1;
    eval.EvalFuncIdx = model.Count2D;
    return model.List2D[model.Count2D];
  }

  // Before the model: every evaluation runs under the programs' control word.
  testsupport::ProcessControlWord controlWord_;
  TFuncModel model;
  TEvalState eval;
};

}  // namespace kx
