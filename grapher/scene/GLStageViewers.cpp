#include "scene/GLStageViewers.h"

#include "scene/GLTextureImages.h"

#include <vector>

namespace kx {

namespace {

constexpr GLenum GL_GENERATE_MIPMAP_SGIS = 0x8191;

struct ViewersModule {
  ViewersModule() { RegisterClasses({&TGLMemoryViewer::StaticClass()}); }
};
ViewersModule viewersModule;

// Deactivates the context on every way out.
struct Activation {
  explicit Activation(TGLContext& context) : context_(context) { context_.Activate(); }
  ~Activation() { context_.Deactivate(); }
  Activation(const Activation&) = delete;
  Activation& operator=(const Activation&) = delete;
  TGLContext& context_;
};

}  // namespace

KX_PUBLISH(TGLNonVisualViewer) {
  using C = TGLNonVisualViewer;
  p.Property("Camera", &C::Camera, &C::SetCamera);
  p.Property("Width", &C::Width, &C::SetWidth).Default(C::kDefaultSize);
  p.Property("Height", &C::Height, &C::SetHeight).Default(C::kDefaultSize);
  p.Property("BeforeRender", &C::BeforeRender, &C::SetBeforeRender);
  p.Property("PostRender", &C::PostRender, &C::SetPostRender);
  p.Property("AfterRender", &C::AfterRender, &C::SetAfterRender);
  p.Property("Buffer", &C::Buffer, &C::SetBuffer);
}

KX_PUBLISH(TGLMemoryViewer) {}

TGLNonVisualViewer::TGLNonVisualViewer(TComponent* owner)
    : TComponent(owner), buffer_(std::make_unique<TGLStageBuffer>(this)) {
  buffer_->OnChange = TNotifyEvent([this](TObject* sender) { DoOnChange(sender); });
  buffer_->OnStructuralChange = TNotifyEvent([this](TObject* sender) { DoBufferStructuralChange(sender); });
  buffer_->OnPrepareGLContext = TNotifyEvent([this](TObject*) { PrepareGLContext(); });
}

TGLNonVisualViewer::~TGLNonVisualViewer() {
  SetCamera(nullptr);
  buffer_.reset();
}

void TGLNonVisualViewer::SetCamera(TGLCamera* camera) {
  if (camera == buffer_->Camera()) return;
  if (TGLCamera* old = buffer_->Camera()) old->RemoveFreeNotification(this);
  buffer_->SetCamera(camera);
  if (TGLCamera* taken = buffer_->Camera()) taken->FreeNotification(this);
}

void TGLNonVisualViewer::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component && component == buffer_->Camera()) buffer_->SetCamera(nullptr);
  TComponent::Notification(component, operation);
}

void TGLNonVisualViewer::SetWidth(int value) {
  if (value < 1) value = 1;
  if (value == width_) return;
  width_ = value;
  DoBufferStructuralChange(this);
}

void TGLNonVisualViewer::SetHeight(int value) {
  if (value < 1) value = 1;
  if (value == height_) return;
  height_ = value;
  DoBufferStructuralChange(this);
}

void TGLNonVisualViewer::DoOnChange(TObject*) {}

void TGLNonVisualViewer::DoBufferStructuralChange(TObject*) { buffer_->DestroyRC(); }

void TGLNonVisualViewer::CopyToTexture(TGLTexture* texture) { CopyToTexture(texture, 0, 0, width_, height_, 0, 0); }

void TGLNonVisualViewer::CopyToTexture(TGLTexture* texture, int sourceX, int sourceY, int width, int height, int destX,
                                       int destY) {
  TGLContext* context = buffer_->RenderingContext();
  if (!context) return;
  const Activation active(*context);
  GLenum target = texture->Image()->NativeTextureTarget();
  createTexture_ = !texture->IsHandleAllocated();
  if (createTexture_) texture->PrepareHandle();
  SetGLCurrentTexture(0, target, texture->HandleName());
  if (target == GL_TEXTURE_CUBE_MAP_ARB) target = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB;
  if (createTexture_) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    GL.glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const GLint format = texture->OpenGLTextureFormat();
    const TGLMinFilter filter = texture->MinFilter();
    if (filter == miNearest || filter == miLinear) {
      GL.glTexImage2D(target, 0, format, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    } else if (GLCaps.GL_SGIS_generate_mipmap && target == GL_TEXTURE_2D) {
      GL.glTexParameteri(target, GL_GENERATE_MIPMAP_SGIS, 1);
      GL.glTexImage2D(target, 0, format, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    } else {
      GL.gluBuild2DMipmaps(target, format, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    }
  } else {
    GL.glCopyTexSubImage2D(target, 0, destX, destY, sourceX, sourceY, width, height);
  }
  GLStage::ClearGLError();
}

void TGLMemoryViewer::Render() {
  if (!Buffer()->RenderingContext()) {
    Buffer()->SetViewPort(0, 0, Width(), Height());
    Buffer()->CreateRC(nullptr, true);
  }
  Buffer()->Render();
}

}  // namespace kx
