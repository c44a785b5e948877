#include "ViewerFigures.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "Timing.h"
#include "app/plot/MainU_Capture.h"
#include "app/plot/MainU_Render2D.h"
#include "app/plot/PngFile.h"
#include "framework/core/FormResources.h"
#include "framework/windows/Forms.h"
#include "scene/GLWin32Viewer.h"

using namespace kx;

namespace kxbench {

// The main window's viewer and scene, the post-render event drawing the view
// in its mode and timing that drawing until GL has finished it.
class TBenchForm : public TForm {
  KX_CLASS(TBenchForm, TForm)
 public:
  explicit TBenchForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

  void ViewerPostRender(TObject*) {
    if (!scene) return;
    const auto start = std::chrono::steady_clock::now();
    if (scene->View.Is2DMode) {
      Render2D(scene->Plot2D());
    } else {
      Render3D(scene->Plot3D());
    }
    GL.glFinish();
    DrawMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }

  TGLStageViewer* Viewer() { return As<TGLStageViewer>(FindComponent("GLStageViewer1")); }

  TBenchScene* scene = nullptr;
  double DrawMs = 0;
};

KX_PUBLISH(TBenchForm) { p.Handler("ViewerPostRender", &TBenchForm::ViewerPostRender); }

namespace {

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

TViewerBench::TViewerBench(TBenchScene& scene) : scene_(scene) {
  RegisterClasses({&TBenchForm::StaticClass()});
  form_ = TCustomForm::Create<TBenchForm>(nullptr);
  form_->Show();
  Drain();
  form_->scene = &scene_;
}

TViewerBench::~TViewerBench() {
  delete form_;
  Drain();
}

void TViewerBench::FrameFigures(const char* what, double samplingMs) {
  TViewerCaptureSource source(*form_->Viewer());
  const TPictureWriter keep = [](TBitmap&, const std::string&) {};
  double drawMs = 1e300;
  const double frameMs = BestMs(5, [&] {
    SaveCapture(scene_.View, source, "frame", scene_.View.ViewW, scene_.View.ViewH, keep);
    drawMs = std::min(drawMs, form_->DrawMs);
  });
  char row[80];
  std::snprintf(row, sizeof row, "%s: the drawing in the frame", what);
  Row(row, drawMs, "sampling's share of it", samplingMs / drawMs);
  std::snprintf(row, sizeof row, "%s: whole frame, into a bitmap", what);
  Row(row, frameMs, "sampling's share of it", samplingMs / frameMs);
}

void TViewerBench::ExportFigures(int width, int height) {
  Heading("PNG export (cost per pixel against the view's own size, 1 is linear)");
  TViewerCaptureSource source(*form_->Viewer());
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string fileName = std::string(temp) + "kx-bench-export.png";
  double firstRender = 0, firstWrite = 0;
  for (const auto& [w, h] : {std::pair{scene_.View.ViewW, scene_.View.ViewH}, std::pair{width, height}}) {
    double writeMs = 0;
    const TPictureWriter write = [&](TBitmap& picture, const std::string& name) {
      writeMs = BestMs(1, [&] { SavePngFile(picture, name); });
    };
    const int runs = w * h > 4000000 ? 1 : 3;
    double bestWrite = 1e300;
    const double totalMs = BestMs(runs, [&] {
      SaveCapture(scene_.View, source, fileName, w, h, write);
      bestWrite = std::min(bestWrite, writeMs);
    });
    const double pixels = static_cast<double>(w) * h;
    const double renderPerPixel = (totalMs - bestWrite) / pixels, writePerPixel = bestWrite / pixels;
    if (firstRender == 0) firstRender = renderPerPixel, firstWrite = writePerPixel;
    char row[80];
    std::snprintf(row, sizeof row, "%d x %d: render into the bitmap", w, h);
    Row(row, totalMs - bestWrite, "per pixel", renderPerPixel / firstRender);
    std::snprintf(row, sizeof row, "%d x %d: encode and write the PNG", w, h);
    Row(row, bestWrite, "per pixel", writePerPixel / firstWrite);
  }
  DeleteFileA(fileName.c_str());
}

}  // namespace kxbench
