// The costs a user of the grapher feels, each printed with a ratio measured in
// the same run: compiling against the formula's length, a plane frame of
// twenty functions and a surface frame split into sampling and the rest, the
// function list file, the evaluation panel's double integral, and the PNG
// export at a large size against the view's own size.
//
// bench_grapher [width height]   (the large export size, default 9000 6000)
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "BenchScene.h"
#include "ModelFigures.h"
#include "Timing.h"
#include "ViewerFigures.h"

int main(int argc, char** argv) {
  const int width = argc > 2 ? std::atoi(argv[1]) : 9000;
  const int height = argc > 2 ? std::atoi(argv[2]) : 6000;
  const char* emulated = std::getenv("KX_EMULATED");
  if (emulated && *emulated && *emulated != '0')
    std::printf("Running in the emulated machine: times are many times a real processor's; the ratios hold.\n");
  try {
    kxbench::CompileFigures();
    kxbench::TBenchScene scene;
    kxbench::TViewerBench viewer(scene);

    kxbench::Heading("Plane frame, 20 functions x 3,001 samples (sampling's share of the frame)");
    const double planeSampling = kxbench::PlaneSamplingFigures(scene);
    viewer.FrameFigures("plane", planeSampling);

    kxbench::Heading("Surface frame, 101 x 101 samples (sampling's share of the frame)");
    scene.View.Is2DMode = false;
    const double surfaceSampling = kxbench::SurfaceSamplingFigures(scene);
    viewer.FrameFigures("surface", surfaceSampling);
    scene.View.Is2DMode = true;

    kxbench::FuncFileFigures(scene);
    kxbench::IntegralFigures(scene);
    viewer.ExportFigures(width, height);
  } catch (const std::exception& e) {
    std::printf("bench_grapher: %s\n", e.what());
    return 1;
  }
  return 0;
}
