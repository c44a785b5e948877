// The window control that shows a scene: it owns a render buffer, creates
// the buffer's context on its own window, renders a frame on every paint
// message, repaints whenever the buffer reports a change, recreates its
// window when a context setting changes, and applies the vertical-sync mode
// before every frame.
//
// For the application: bind PostRender to draw inside the camera's matrices
// (GLStage.h lists what holds then), call Buffer()->NotifyChange or
// Invalidate to ask for a frame, and Buffer()->RenderToBitmap to export the
// view. A failure inside a frame reaches the application's exception
// handler once, however many frames repeat it.
#pragma once

#include "framework/windows/Controls.h"
#include "scene/GLStage.h"

#include <memory>
#include <string>

namespace kx {

enum TVSyncMode { vsmSync, vsmNoSync };
KX_ENUM_NAMES(TVSyncMode, "vsmSync", "vsmNoSync")

// With WGL_EXT_swap_control, sets the swap interval the mode asks for
// unless it is set already; needs a current context.
void SetupVSync(TVSyncMode mode);

class TGLStageViewer : public TWinControl {
  KX_CLASS(TGLStageViewer, TWinControl)
 public:
  explicit TGLStageViewer(TComponent* owner);
  ~TGLStageViewer() override;

  // The GL and GLU libraries could be loaded.
  bool GLAvailable() const { return glAvailable_; }
  TGLStageBuffer* Buffer() const { return buffer_.get(); }
  void SetBuffer(TGLStageBuffer* value) { buffer_->Assign(value); }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* camera);
  TVSyncMode VSync() const { return vSync_; }
  void SetVSync(TVSyncMode value) { vSync_ = value; }
  // The buffer's events. Assigning BeforeRender replaces the vertical sync.
  TNotifyEvent BeforeRender() const { return buffer_->BeforeRender; }
  void SetBeforeRender(TNotifyEvent value) { buffer_->BeforeRender = std::move(value); }
  TNotifyEvent PostRender() const { return buffer_->PostRender; }
  void SetPostRender(TNotifyEvent value) { buffer_->PostRender = std::move(value); }
  TNotifyEvent AfterRender() const { return buffer_->AfterRender; }
  void SetAfterRender(TNotifyEvent value) { buffer_->AfterRender = std::move(value); }

  // After the form resource: the window, and with it the context, exist.
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void WndProc(TMessage& m) override;
  void Notification(TComponent* component, TOperation operation) override;
  virtual void DoBufferChange(TObject* sender);
  virtual void DoBeforeRender(TObject* sender);
  virtual void DoBufferStructuralChange(TObject* sender);

 private:
  void Paint(TMessage& m);
  void ReleaseContext();
  // Hands a frame's failure to the application, unless the last frame
  // failed the same way.
  void ReportFrameFailure(std::exception_ptr failure);

  bool glAvailable_ = false;
  std::unique_ptr<TGLStageBuffer> buffer_;
  HDC ownDC_ = nullptr;
  TVSyncMode vSync_ = vsmNoSync;
  std::string lastFailure_;
};

}  // namespace kx
