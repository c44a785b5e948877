#include "app/plot/MainU_Capture.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

#include "app/plot/PngFile.h"
#include "scene/GLWin32Viewer.h"

namespace kx {

namespace {

constexpr int kScreenDPI = 96;

// Nearest integer, ties to even, of a value first rounded to single precision.
int32_t RoundFromSingle(long double value) { return static_cast<int32_t>(std::nearbyint(Single(value))); }

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int TViewerCaptureSource::MaxPictureSide() { return viewer_.Buffer()->GetLimit(limViewportDims); }
void TViewerCaptureSource::RenderToBitmap(TBitmap& bitmap, int dpi) { viewer_.Buffer()->RenderToBitmap(&bitmap, dpi); }
void TViewerCaptureSource::RepaintView() { viewer_.Invalidate(); }

bool CaptureSizeAllowed(TCaptureSource& source, int width, int height) {
  if (width < 1 || height < 1) return false;
  const int limit = source.MaxPictureSide();
  return width <= limit && height <= limit;
}

long double CaptureScale(const TViewState& view, int width, int height) {
  return std::min(static_cast<long double>(height) / view.ViewH, static_cast<long double>(width) / view.ViewW);
}

void SaveCapture(TViewState& view, TCaptureSource& source, const std::string& fileName, int width, int height,
                 const TPictureWriter& write) {
  if (!CaptureSizeAllowed(source, width, height)) throw ECaptureSize("Nhap sai kich thuoc");
  // The picture's memory first: a size that cannot be had changes nothing.
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(width, height);

  // Whatever fails below, the screen's view state comes back.
  struct TRestore {
    TViewState& view;
    TCaptureSource& source;
    const TViewState saved;
    ~TRestore() {
      view.ViewW = saved.ViewW, view.ViewH = saved.ViewH;
      if (view.Is2DMode) {
        view.ScaleX = saved.ScaleX, view.ScaleY = saved.ScaleY;
        view.CenterX = view.ViewW / 2, view.CenterY = view.ViewH / 2;
        view.OffsetX = saved.OffsetX, view.OffsetY = saved.OffsetY;
        return;
      }
      try {
        source.RepaintView();
      } catch (...) {
      }
    }
  } restore{view, source, view};

  const long double k = CaptureScale(view, width, height);
  if (view.Is2DMode) {
    view.ScaleX *= k, view.ScaleY *= k;
    view.OffsetX = RoundFromSingle(view.OffsetX * k);
    view.OffsetY = RoundFromSingle(view.OffsetY * k);
    view.CenterX = width / 2, view.CenterY = height / 2;
  } else {
    source.RepaintView();
  }
  view.ViewW = width, view.ViewH = height;
  source.RenderToBitmap(picture, static_cast<int>(std::nearbyint(kScreenDPI * k)));
  if (write)
    write(picture, fileName);
  else
    SavePngFile(picture, fileName);
}

std::string FirstFreePicName(const std::string& folder) {
  std::string prefix = folder;
  if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/') prefix += '\\';
  int n = 0;
  while (FileExists(prefix + "Pic" + std::to_string(n) + ".png")) ++n;
  return "Pic" + std::to_string(n);
}

void TCaptureButton::MouseDown(TMouseButton button) { captureRightButton_ = button == mbRight; }

void TCaptureButton::MouseUp(TMouseButton button) {
  captureRightButton_ = button == mbRight;
  if (captureRightButton_) Click();
}

void TCaptureButton::Click() {
  const std::string name = FirstFreePicName();
  if (captureRightButton_)
    SaveCapture(view_, source_, name + ".png", view_.ViewW, view_.ViewH);
  else
    showExportDialog_(name);
}

}  // namespace kx
