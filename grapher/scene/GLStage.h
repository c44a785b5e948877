// The scene and the render buffer. A scene holds the tree (an object root
// and a camera root), the eight light slots and the buffers that show it. A
// buffer owns one rendering context and draws one frame of its camera's
// scene into it: a window's frame for the viewer or a frame into a bitmap
// for export. Between the scene's objects and the swap it raises PostRender,
// in which the application draws its own plots.
//
// What holds when PostRender runs (window frame and bitmap frame alike):
// - the buffer's context is current on the calling thread, and outside
//   BeforeRender and PostRender no context of the buffer is;
// - GL_PROJECTION holds the camera's projection for the viewport and
//   resolution; GL_MODELVIEW is the current matrix mode, at stack depth 1,
//   holding exactly the camera's view; the viewport covers the whole view;
// - colour and depth were cleared to the background and hold the objects;
//   the frame's lights are set; GL_NORMALIZE is on, GL_DITHER on exactly
//   below 8 red bits, and depth test, face culling, lighting and fog follow
//   the buffer's switches unless a node's material changed them; GL_BLEND
//   and GL_TEXTURE_2D are off when a node enabled them through the walk's
//   state mask (state changed outside the mask carries into the next frame);
// - nothing has been flushed or swapped yet; the sender is the buffer.
// Changes made inside PostRender request no new frame.
#pragma once

#include "framework/core/Colors.h"
#include "framework/windows/Graphics.h"
#include "scene/GLContext.h"
#include "scene/GLStageCamera.h"
#include "scene/GLStageNode.h"
#include "scene/GLTexture.h"

#include <array>
#include <memory>
#include <vector>

namespace kx {

class TGLStageBuffer;

namespace GLStage {
// Drains pending GL errors, at most 17 calls.
void ClearGLError();
// Raises EOpenGLError with the GLU text of a pending error.
void CheckOpenGLError();
}  // namespace GLStage

enum TFogMode { fmLinear, fmExp, fmExp2 };
KX_ENUM_NAMES(TFogMode, "fmLinear", "fmExp", "fmExp2")
enum TFogDistance { fdDefault, fdEyeRadial, fdEyePlane };
KX_ENUM_NAMES(TFogDistance, "fdDefault", "fdEyeRadial", "fdEyePlane")

// The fog of one buffer, sent to GL only after it changed.
class TGLFogEnvironment : public TGLUpdateAbleObject {
  KX_CLASS(TGLFogEnvironment, TGLUpdateAbleObject)
 public:
  explicit TGLFogEnvironment(TPersistent* owner);

  TGLColor* FogColor() const { return fogColor_.get(); }
  void SetFogColor(TGLColor* value);
  float FogStart() const { return fogStart_; }
  void SetFogStart(float value);
  float FogEnd() const { return fogEnd_; }
  void SetFogEnd(float value);
  TFogMode FogMode() const { return fogMode_; }
  void SetFogMode(TFogMode value);
  TFogDistance FogDistance() const { return fogDistance_; }
  void SetFogDistance(TFogDistance value);

  bool IsAtDefaultValues() const;
  bool Changed() const { return changed_; }
  void NotifyChange(TObject* sender) override;
  void Assign(TPersistent* source) override;
  // Inside a frame, after GL_FOG was enabled; only after a change.
  void ApplyFog();

 private:
  TGLStageBuffer& Buffer() const;
  std::unique_ptr<TGLColor> fogColor_;
  float fogStart_ = 10, fogEnd_ = 1000;
  TFogMode fogMode_ = fmLinear;
  TFogDistance fogDistance_ = fdDefault;
  bool changed_ = false;
};

// Frames per second from the performance counter, in 64 bits: a 32-bit sum
// of ticks wraps after minutes.
class TFrameRateCounter {
 public:
  void Reset();
  // After each swap, with the counter's value and frequency.
  void Frame(int64_t counter, int64_t frequency);
  float FramesPerSecond() const { return framesPerSecond_; }
  int FrameCount() const { return frameCount_; }

 private:
  int frameCount_ = 0;
  int64_t ticks_ = 0;
  int64_t lastFrame_ = 0;
  float framesPerSecond_ = 0;
};

enum TContextOption {
  roDoubleBuffer,
  roStencilBuffer,
  roRenderToWindow,
  roTwoSideLighting,
  roStereo,
  roDestinationAlpha,
  roNoColorBuffer
};
KX_ENUM_NAMES(TContextOption, "roDoubleBuffer", "roStencilBuffer", "roRenderToWindow", "roTwoSideLighting", "roStereo",
              "roDestinationAlpha", "roNoColorBuffer")
using TContextOptions = TSet<TContextOption>;
enum TDepthPrecision { dpDefault, dp16bits, dp24bits, dp32bits };
KX_ENUM_NAMES(TDepthPrecision, "dpDefault", "dp16bits", "dp24bits", "dp32bits")
enum TColorDepth { cdDefault, cd8bits, cd16bits, cd24bits };
KX_ENUM_NAMES(TColorDepth, "cdDefault", "cd8bits", "cd16bits", "cd24bits")
enum TShadeModel { smDefault, smSmooth, smFlat };
KX_ENUM_NAMES(TShadeModel, "smDefault", "smSmooth", "smFlat")

// Indexes of GetLimit.
enum TLimitType {
  limClipPlanes,
  limEvalOrder,
  limLights,
  limListNesting,
  limModelViewStack,
  limNameStack,
  limPixelMapTable,
  limProjectionStack,
  limTextureSize,
  limTextureStack,
  limViewportDims,
  limAccumAlphaBits,
  limAccumBlueBits,
  limAccumGreenBits,
  limAccumRedBits,
  limAlphaBits,
  limAuxBuffers,
  limBlueBits,
  limGreenBits,
  limRedBits,
  limIndexBits,
  limStereo,
  limDoubleBuffer,
  limSubpixelBits,
  limDepthBits,
  limStencilBits
};

class TGLStageBuffer : public TGLUpdateAbleObject {
  KX_CLASS(TGLStageBuffer, TGLUpdateAbleObject)
 public:
  // The owner is the viewer that shows the frames.
  explicit TGLStageBuffer(TPersistent* owner);
  ~TGLStageBuffer() override;

  TGLFogEnvironment* FogEnvironment() const { return fogEnvironment_.get(); }
  void SetFogEnvironment(TGLFogEnvironment* value);
  TColor BackgroundColor() const { return backgroundColor_; }
  void SetBackgroundColor(TColor value);
  TContextOptions ContextOptions() const { return contextOptions_; }
  void SetContextOptions(TContextOptions value);
  bool DepthTest() const { return depthTest_; }
  void SetDepthTest(bool value);
  bool FaceCulling() const { return faceCulling_; }
  void SetFaceCulling(bool value);
  bool FogEnable() const { return fogEnable_; }
  void SetFogEnable(bool value);
  bool Lighting() const { return lighting_; }
  void SetLighting(bool value);
  TGLAntiAliasing AntiAliasing() const { return antiAliasing_; }
  void SetAntiAliasing(TGLAntiAliasing value);
  TDepthPrecision DepthPrecision() const { return depthPrecision_; }
  void SetDepthPrecision(TDepthPrecision value);
  TColorDepth ColorDepth() const { return colorDepth_; }
  void SetColorDepth(TColorDepth value);
  TShadeModel ShadeModel() const { return shadeModel_; }
  void SetShadeModel(TShadeModel value);

  TNotifyEvent OnChange;
  TNotifyEvent OnStructuralChange;
  TNotifyEvent BeforeRender;
  TNotifyEvent PostRender;
  TNotifyEvent AfterRender;
  TNotifyEvent OnPrepareGLContext;

  TGLContext* RenderingContext() const { return context_.get(); }
  TGLCamera* Camera() const { return camera_; }
  // A camera outside a scene leaves the buffer without camera.
  void SetCamera(TGLCamera* camera);
  const TRectangle& ViewPort() const { return viewport_; }
  void SetViewPort(int x, int y, int width, int height);
  int RenderDPI() const { return renderDPI_; }
  bool Rendering() const { return rendering_; }
  TGLStates& States() { return states_; }
  // Of the last frame.
  const TMatrix& BaseProjectionMatrix() const { return baseProjectionMatrix_; }
  const TMatrix& ProjectionMatrix() const { return projectionMatrix_; }
  const TMatrix& ModelViewMatrix() const { return modelViewMatrix_; }
  const TVector& CameraAbsolutePosition() const { return cameraAbsolutePosition_; }
  std::vector<TGLObjectEffect*>& AfterRenderEffects() { return afterRenderEffects_; }

  // A new context on the device (a window's or, with memoryContext, an
  // off-screen one of the viewport's size). The thread's current context,
  // if any, is current again afterwards.
  void CreateRC(HDC device, bool memoryContext);
  void DestroyRC();
  void Resize(int width, int height);
  // One frame into the buffer's own context.
  void Render();
  // The same frame, PostRender included, rendered off screen into a 32-bit
  // picture and copied into the bitmap (24 or 32 bits). dpi 0 takes the
  // bitmap's device resolution. A bitmap larger than OpenGL can draw, or one
  // whose memory cannot be had, is refused before the bitmap is touched; the
  // thread's current context is current again afterwards.
  void RenderToBitmap(TBitmap* bitmap, int dpi = 0);
  // An implementation value (TLimitType), with the buffer's context current; 0 above 25.
  int GetLimit(int index);

  // Raises OnChange; the change climbs no further.
  void NotifyChange(TObject* sender) override;
  void DoStructuralChange();
  void PrepareGLContext();
  void ResetPerformanceMonitor() { frameRate_.Reset(); }
  float FramesPerSecond() const { return frameRate_.FramesPerSecond(); }
  int FrameCount() const { return frameRate_.FrameCount(); }

  // Fixed state each frame and at context creation.
  void SetupRenderingContext();
  void ClearBuffers();
  // Matrices, BeforeRender, lights, fog, objects, PostRender.
  void DoBaseRender(const TRectangle& viewport, int resolution);
  void PrepareRenderingMatrices(const TRectangle& viewport, int resolution);

  void Assign(TPersistent* source) override;

 private:
  friend class TGLStage;
  TGLStage* SceneOfCamera() const;
  void LeaveScene();
  void SceneDestroyed();
  bool EventsAllowed() const;
  int ContextColorBits() const;
  int ContextDepthBits() const;
  void RenderFrame();
  void RenderBitmapFrame(HDC device, int width, int height, int dpi, int colorBits);

  std::unique_ptr<TGLFogEnvironment> fogEnvironment_;
  TColor backgroundColor_ = clBtnFace;
  TContextOptions contextOptions_{roDoubleBuffer, roRenderToWindow};
  bool depthTest_ = true, faceCulling_ = true, fogEnable_ = false, lighting_ = true;
  TGLAntiAliasing antiAliasing_ = aaDefault;
  TDepthPrecision depthPrecision_ = dpDefault;
  TColorDepth colorDepth_ = cdDefault;
  TShadeModel shadeModel_ = smDefault;

  std::unique_ptr<TGLContext> context_;
  TGLCamera* camera_ = nullptr;
  // The scene this buffer joined, which it leaves again.
  TGLStage* scene_ = nullptr;
  TGLStates states_;
  TRectangle viewport_{0, 0, 1, 1};
  int renderDPI_ = 96;
  TMatrix baseProjectionMatrix_ = IdentityHmgMatrix, projectionMatrix_ = IdentityHmgMatrix,
          modelViewMatrix_ = IdentityHmgMatrix;
  TVector cameraAbsolutePosition_{0, 0, 0, 1};
  TFrameRateCounter frameRate_;
  bool rendering_ = false;
  std::vector<TGLObjectEffect*> afterRenderEffects_;
};

class TGLStage : public TGLUpdateAbleComponent {
  KX_CLASS(TGLStage, TGLUpdateAbleComponent)
 public:
  static constexpr int kLightSlots = 8;

  explicit TGLStage(TComponent* owner);
  ~TGLStage() override;

  TGLBaseSceneObject* Objects() const { return objects_.get(); }
  TGLBaseSceneObject* CameraRoot() const { return cameras_.get(); }
  TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
  void SetObjectsSorting(TGLObjectsSorting value);
  TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
  void SetVisibilityCulling(TGLVisibilityCulling value);
  TGLProgressEvent OnProgress;

  // The first free of the eight slots; nothing when all are taken.
  void AddLight(TGLLightSource* light);
  void RemoveLight(TGLLightSource* light);
  TGLLightSource* Light(int slot) const { return lights_.at(slot); }
  // Every shining light's parameters, with the camera's view current.
  void SetupLights(int maxLights);

  void AddBuffer(TGLStageBuffer* buffer);
  void RemoveBuffer(TGLStageBuffer* buffer);
  int BufferCount() const { return static_cast<int>(buffers_.size()); }
  // The context of the first buffer; the others share its display lists.
  TGLContext* BaseContext() const { return baseContext_; }
  TGLCamera* CurrentCamera() const { return currentCamera_; }
  void SetCurrentCamera(TGLCamera* camera) { currentCamera_ = camera; }
  TGLStageBuffer* CurrentBuffer() const { return currentBuffer_; }

  void BeginUpdate();
  void EndUpdate();
  bool IsUpdating() const { return updateCount_ > 0; }
  // To every buffer, unless updating, loading or being destroyed.
  void NotifyChange(TObject* sender) override;
  void RenderScene(TGLStageBuffer* buffer, int width, int height);
  // The nearest node the ray hits, or nullptr.
  TGLBaseSceneObject* RayCastIntersect(const TVector& rayStart, const TVector& rayVector,
                                       TVector* intersectPoint = nullptr, TVector* intersectNormal = nullptr);

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

 private:
  std::unique_ptr<TGLStageRootObject> objects_, cameras_;
  std::array<TGLLightSource*, kLightSlots> lights_{};
  std::vector<TGLStageBuffer*> buffers_;
  TGLContext* baseContext_ = nullptr;
  TGLCamera* currentCamera_ = nullptr;
  TGLStageBuffer* currentBuffer_ = nullptr;
  int updateCount_ = 0;
  TGLObjectsSorting objectsSorting_ = osRenderBlendedLast;
  TGLVisibilityCulling visibilityCulling_ = vcNone;
};

}  // namespace kx
