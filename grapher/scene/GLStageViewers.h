// Viewers without a window control of their own. Each owns one render
// buffer; the memory viewer draws its frames into an off-screen pixel
// buffer of Width x Height and can copy the frame into a texture, which
// another scene drawn in the same context may then show.
#pragma once

#include "scene/GLStage.h"

#include <memory>

namespace kx {

class TGLNonVisualViewer : public TComponent {
  KX_CLASS(TGLNonVisualViewer, TComponent)
 public:
  static constexpr int kDefaultSize = 256;

  explicit TGLNonVisualViewer(TComponent* owner);
  ~TGLNonVisualViewer() override;

  TGLStageBuffer* Buffer() const { return buffer_.get(); }
  void SetBuffer(TGLStageBuffer* value) { buffer_->Assign(value); }
  TGLCamera* Camera() const { return buffer_->Camera(); }
  void SetCamera(TGLCamera* camera);
  int Width() const { return width_; }
  // Values below 1 become 1; a change is a structural one.
  void SetWidth(int value);
  int Height() const { return height_; }
  void SetHeight(int value);
  TNotifyEvent BeforeRender() const { return buffer_->BeforeRender; }
  void SetBeforeRender(TNotifyEvent value) { buffer_->BeforeRender = std::move(value); }
  TNotifyEvent PostRender() const { return buffer_->PostRender; }
  void SetPostRender(TNotifyEvent value) { buffer_->PostRender = std::move(value); }
  TNotifyEvent AfterRender() const { return buffer_->AfterRender; }
  void SetAfterRender(TNotifyEvent value) { buffer_->AfterRender = std::move(value); }

  virtual void Render() = 0;
  // The whole frame into the texture.
  void CopyToTexture(TGLTexture* texture);
  // A texture without GL name gets one and its storage from the frame's
  // lower-left width x height pixels; one that has a name gets the source
  // rectangle copied in at the destination. Nothing without a context.
  void CopyToTexture(TGLTexture* texture, int sourceX, int sourceY, int width, int height, int destX, int destY);
  // Whether the last copy created the texture's storage.
  bool CreateTexture() const { return createTexture_; }

 protected:
  virtual void DoOnChange(TObject* sender);
  // The context no longer fits: it goes, the next Render makes a new one.
  virtual void DoBufferStructuralChange(TObject* sender);
  virtual void PrepareGLContext() {}
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<TGLStageBuffer> buffer_;
  int width_ = kDefaultSize, height_ = kDefaultSize;
  bool createTexture_ = false;
};

class TGLMemoryViewer : public TGLNonVisualViewer {
  KX_CLASS(TGLMemoryViewer, TGLNonVisualViewer)
 public:
  using TGLNonVisualViewer::TGLNonVisualViewer;
  // The first frame creates the off-screen context; without pixel buffers
  // that raises a clear error and the viewer stays without context.
  void Render() override;
};

}  // namespace kx
