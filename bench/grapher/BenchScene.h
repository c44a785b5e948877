// What the grapher's figures draw: twenty plane functions of 3,001 samples
// each in a view of 603 x 400 pixels at the start scale, and one surface of
// 101 x 101 samples, compiled under the programs' control word.
#pragma once

#include <cstdint>

#include "app/plot/MainU_Curves2D.h"
#include "app/plot/MainU_Render3D.h"

namespace kxbench {

constexpr int PlaneFunctions = 20;

class TBenchScene {
 public:
  TBenchScene();

  kx::TPlot2D Plot2D() { return kx::TPlot2D{Model, View, Options, Eval, false}; }
  kx::TPlot3D Plot3D() { return kx::TPlot3D{Model, View, Options, Eval, false}; }
  kx::TFuncRec& Surface() { return Model.List3D[1]; }

  kx::TFuncModel Model;
  kx::TViewState View;
  kx::TDisplayOptions Options;
  kx::TEvalState Eval;
};

// Takes what is drawn and keeps only the count of vertices: the drawing's
// work without GL.
class TCountingEmitter : public kx::TEmitter {
 public:
  void SetColor(const kx::TColorVector&) override {}
  void SetLineWidth(float) override {}
  void SetPointSize(float) override {}
  void Begin(kx::TPrimitive) override {}
  void Vertex(double, double) override { ++Vertices; }
  void End() override {}
  void BeginSpaceStyle(kx::TSpaceStyle) override {}
  void EndSpaceStyle() override {}
  void Normal(float, float, float) override {}
  void Vertex3(double, double, double) override { ++Vertices; }

  int64_t Vertices = 0;
};

// The x87 control word both programs run under: every exception masked.
void UseProgramControlWord();

}  // namespace kxbench
