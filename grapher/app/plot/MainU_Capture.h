// Saving the view as a PNG picture of any size: the view state describes the
// picture for one frame rendered into a bitmap (the 2D or 3D drawing of the
// post-render event included), then the picture is written with libpng and
// the view state comes back, also when rendering or writing fails.
#pragma once

#include <functional>
#include <string>

#include "app/model/MainU_View.h"
#include "framework/core/SysUtils.h"
#include "framework/windows/Controls.h"
#include "framework/windows/Graphics.h"

namespace kx {

class TGLStageViewer;

// A picture size the view cannot be rendered at; refused before anything
// changes.
class ECaptureSize : public Exception {
 public:
  using Exception::Exception;
};

// What the capture needs of the viewer.
class TCaptureSource {
 public:
  virtual ~TCaptureSource() = default;
  // The longest side, in pixels, a picture can be rendered at.
  virtual int MaxPictureSide() = 0;
  // One frame into the bitmap, the post-render drawing included.
  virtual void RenderToBitmap(TBitmap& bitmap, int dpi) = 0;
  virtual void RepaintView() = 0;
};

// The main window's viewer and its render buffer.
class TViewerCaptureSource : public TCaptureSource {
 public:
  explicit TViewerCaptureSource(TGLStageViewer& viewer) : viewer_(viewer) {}
  int MaxPictureSide() override;
  void RenderToBitmap(TBitmap& bitmap, int dpi) override;
  void RepaintView() override;

 private:
  TGLStageViewer& viewer_;
};

// Writes the picture under the name; the default writes a PNG file.
using TPictureWriter = std::function<void(TBitmap& picture, const std::string& fileName)>;

bool CaptureSizeAllowed(TCaptureSource& source, int width, int height);
// The scale from the view to a picture of width x height: the picture shows
// the view's region, fitted and centred.
long double CaptureScale(const TViewState& view, int width, int height);

// Renders the view into a width x height picture and writes it. ECaptureSize
// for a size below 1 or above what the viewer renders; any failure while
// rendering or writing leaves the old file and is passed on. The view state
// is restored in every case.
void SaveCapture(TViewState& view, TCaptureSource& source, const std::string& fileName, int width, int height,
                 const TPictureWriter& write = nullptr);

// "Pic" and the first number from 0 for which "Pic<n>.png" does not exist in
// the folder (the working folder when empty), without the extension.
std::string FirstFreePicName(const std::string& folder = "");

// The capture button: a left click opens the export dialog with the first
// free name; a right click saves at once at the view's size.
class TCaptureButton {
 public:
  using TShowExportDialog = std::function<void(const std::string& name)>;
  TCaptureButton(TViewState& view, TCaptureSource& source, TShowExportDialog showExportDialog)
      : view_(view), source_(source), showExportDialog_(std::move(showExportDialog)) {}

  // The skinned button raises its click for the left button only, after the
  // release; the mouse events come for every button.
  void MouseDown(TMouseButton button);
  void MouseUp(TMouseButton button);
  void Click();
  bool CaptureRightButton() const { return captureRightButton_; }

 private:
  TViewState& view_;
  TCaptureSource& source_;
  TShowExportDialog showExportDialog_;
  bool captureRightButton_ = false;
};

}  // namespace kx
