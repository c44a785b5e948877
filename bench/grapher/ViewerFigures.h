// The grapher's figures that need the viewer: whole frames through GL, each
// split into the sampling measured without GL and the rest, and the PNG
// export at a large size against the view's own size.
#pragma once

#include "BenchScene.h"

namespace kxbench {

class TViewerBench {
 public:
  explicit TViewerBench(TBenchScene& scene);
  ~TViewerBench();
  TViewerBench(const TViewerBench&) = delete;
  TViewerBench& operator=(const TViewerBench&) = delete;

  // A frame of the view in its mode; the sampling's milliseconds measured
  // alone give the evaluation's share.
  void FrameFigures(const char* what, double samplingMs);
  void ExportFigures(int width, int height);

 private:
  TBenchScene& scene_;
  class TBenchForm* form_;
};

}  // namespace kxbench
