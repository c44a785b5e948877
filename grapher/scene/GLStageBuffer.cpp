// The render buffer: its context, one frame into it, and one frame into a bitmap.
#include "scene/GLCrossPlatform.h"
#include "scene/GLStage.h"
#include "scene/XOpenGL.h"

#include <algorithm>
#include <cstring>

namespace kx {

namespace {

constexpr const char* kModule = "GLStage";
constexpr int kShadeModelLine = 5958, kAlreadyRenderingLine = 6142;
constexpr int kWindowDPI = 96;
constexpr int kBitmapFrameColorBits = 32;

int64_t CounterFrequency() {
  static const int64_t frequency = [] {
    int64_t value = 0;
    QueryPerformanceFrequency(value);
    return value;
  }();
  return frequency;
}

// Read at module start, as the frames-per-second figure needs it.
const int64_t counterFrequencyAtStart = CounterFrequency();

// Clears a flag on every way out of a scope.
struct FlagGuard {
  explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = false; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;
  bool& flag_;
};

// A 32-bit DIB section selected into a memory device context: what OpenGL
// draws a bitmap frame into (24-bit targets come out corrupt). Bottom-up, as
// OpenGL writes its rows.
class TDib32 {
 public:
  TDib32(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_) bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (!dc_ || !bitmap_ || !bits_) {
      Release();
      throw EOutOfMemory("Not enough memory to render a picture of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels");
    }
    old_ = SelectObject(dc_, bitmap_);
  }
  ~TDib32() { Release(); }
  TDib32(const TDib32&) = delete;
  TDib32& operator=(const TDib32&) = delete;

  HDC DC() const { return dc_; }
  // Row y counted from the top.
  const uint8_t* Row(int y) const { return bits_ + static_cast<size_t>(height_ - 1 - y) * width_ * 4; }

 private:
  void Release() {
    if (dc_ && old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
  }
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint8_t* bits_ = nullptr;
};

// Copies the frame into the caller's bitmap, which holds 24 or 32 bits a pixel.
void CopyFrame(const TDib32& frame, TBitmap& bitmap) {
  const int width = bitmap.Width(), height = bitmap.Height();
  const bool thirtyTwo = bitmap.PixelFormat() == pf32bit;
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = frame.Row(y);
    auto* target = static_cast<uint8_t*>(bitmap.ScanLine(y));
    if (thirtyTwo) {
      std::memcpy(target, source, static_cast<size_t>(width) * 4);
      continue;
    }
    for (int x = 0; x < width; ++x, source += 4, target += 3) {
      target[0] = source[0];
      target[1] = source[1];
      target[2] = source[2];
    }
  }
}

}  // namespace

KX_PUBLISH(TGLStageBuffer) {
  p.Property("FogEnvironment", &TGLStageBuffer::FogEnvironment, &TGLStageBuffer::SetFogEnvironment);
  p.Color("BackgroundColor", &TGLStageBuffer::BackgroundColor, &TGLStageBuffer::SetBackgroundColor).Default(clBtnFace);
  p.Property("ContextOptions", &TGLStageBuffer::ContextOptions, &TGLStageBuffer::SetContextOptions)
      .Default(TContextOptions{roDoubleBuffer, roRenderToWindow}.Bits());
  p.Property("DepthTest", &TGLStageBuffer::DepthTest, &TGLStageBuffer::SetDepthTest).Default(true);
  p.Property("FaceCulling", &TGLStageBuffer::FaceCulling, &TGLStageBuffer::SetFaceCulling).Default(true);
  p.Property("FogEnable", &TGLStageBuffer::FogEnable, &TGLStageBuffer::SetFogEnable).Default(false);
  p.Property("Lighting", &TGLStageBuffer::Lighting, &TGLStageBuffer::SetLighting).Default(true);
  p.Property("AntiAliasing", &TGLStageBuffer::AntiAliasing, &TGLStageBuffer::SetAntiAliasing).Default(aaDefault);
  p.Property("DepthPrecision", &TGLStageBuffer::DepthPrecision, &TGLStageBuffer::SetDepthPrecision).Default(dpDefault);
  p.Property("ColorDepth", &TGLStageBuffer::ColorDepth, &TGLStageBuffer::SetColorDepth).Default(cdDefault);
  p.Property("ShadeModel", &TGLStageBuffer::ShadeModel, &TGLStageBuffer::SetShadeModel).Default(smDefault);
  p.Field("OnChange", &TGLStageBuffer::OnChange);
  p.Field("OnStructuralChange", &TGLStageBuffer::OnStructuralChange);
}

// TFrameRateCounter ------------------------------------------------------------------------

void TFrameRateCounter::Reset() {
  frameCount_ = 0;
  ticks_ = 0;
  framesPerSecond_ = 0;
}

void TFrameRateCounter::Frame(int64_t counter, int64_t frequency) {
  ++frameCount_;
  const int64_t previous = lastFrame_;
  lastFrame_ = counter;
  if (frameCount_ > 1) {
    const int64_t interval = counter - previous;
    // The second frame's interval stands for the first frame too.
    ticks_ += frameCount_ == 2 ? 2 * interval : interval;
  }
  if (ticks_ > 0) framesPerSecond_ = static_cast<float>(static_cast<long double>(frameCount_) * frequency / ticks_);
}

// Construction and properties -----------------------------------------------------------

TGLStageBuffer::TGLStageBuffer(TPersistent* owner)
    : TGLUpdateAbleObject(owner), fogEnvironment_(std::make_unique<TGLFogEnvironment>(this)) {
  ResetPerformanceMonitor();
}

TGLStageBuffer::~TGLStageBuffer() {
  LeaveScene();
  camera_ = nullptr;
  try {
    DestroyRC();
  } catch (...) {
    // A destructor cannot report; the context is gone either way.
  }
}

void TGLStageBuffer::SetFogEnvironment(TGLFogEnvironment* value) {
  fogEnvironment_->Assign(value);
  NotifyChange(this);
}

void TGLStageBuffer::SetBackgroundColor(TColor value) {
  if (StoreChanged(backgroundColor_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetDepthTest(bool value) {
  if (StoreChanged(depthTest_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetFaceCulling(bool value) {
  if (StoreChanged(faceCulling_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetFogEnable(bool value) {
  if (StoreChanged(fogEnable_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetLighting(bool value) {
  if (StoreChanged(lighting_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetShadeModel(TShadeModel value) {
  if (StoreChanged(shadeModel_, value)) NotifyChange(this);
}
void TGLStageBuffer::SetContextOptions(TContextOptions value) {
  if (StoreChanged(contextOptions_, value)) DoStructuralChange();
}
void TGLStageBuffer::SetAntiAliasing(TGLAntiAliasing value) {
  if (StoreChanged(antiAliasing_, value)) DoStructuralChange();
}
void TGLStageBuffer::SetDepthPrecision(TDepthPrecision value) {
  if (StoreChanged(depthPrecision_, value)) DoStructuralChange();
}
void TGLStageBuffer::SetColorDepth(TColorDepth value) {
  if (StoreChanged(colorDepth_, value)) DoStructuralChange();
}

void TGLStageBuffer::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLStageBuffer*>(source);
  if (!other) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  fogEnvironment_->Assign(other->fogEnvironment_.get());
  SetBackgroundColor(other->backgroundColor_);
  SetDepthTest(other->depthTest_);
  SetFaceCulling(other->faceCulling_);
  SetFogEnable(other->fogEnable_);
  SetLighting(other->lighting_);
  SetShadeModel(other->shadeModel_);
  SetContextOptions(other->contextOptions_);
  SetAntiAliasing(other->antiAliasing_);
  SetDepthPrecision(other->depthPrecision_);
  SetColorDepth(other->colorDepth_);
}

void TGLStageBuffer::NotifyChange(TObject*) {
  if (OnChange) OnChange(this);
}

void TGLStageBuffer::DoStructuralChange() {
  if (OnStructuralChange) OnStructuralChange(this);
}

void TGLStageBuffer::PrepareGLContext() {
  if (OnPrepareGLContext) OnPrepareGLContext(this);
}

bool TGLStageBuffer::EventsAllowed() const {
  const auto* owner = dynamic_cast<const TComponent*>(Owner());
  return owner && !owner->ComponentState().Contains(csDesigning);
}

// Camera and scene ---------------------------------------------------------------------

void TGLStageBuffer::SetCamera(TGLCamera* camera) {
  if (camera == camera_) return;
  if (camera_) {
    LeaveScene();
    camera_ = nullptr;
  }
  if (camera && camera->Scene()) {
    camera_ = camera;
    camera->TransformationChanged();
  }
  NotifyChange(this);
}

void TGLStageBuffer::LeaveScene() {
  if (scene_) scene_->RemoveBuffer(this);
  scene_ = nullptr;
}

// The cameras go with their scene.
void TGLStageBuffer::SceneDestroyed() {
  scene_ = nullptr;
  camera_ = nullptr;
}

void TGLStageBuffer::SetViewPort(int x, int y, int width, int height) {
  viewport_ = {x, y, width, height};
  NotifyChange(this);
}

// Context ---------------------------------------------------------------------------------

int TGLStageBuffer::ContextColorBits() const {
  if (contextOptions_.Contains(roNoColorBuffer)) return 0;
  static constexpr int kBits[] = {24, 8, 16, 24};
  return kBits[colorDepth_];
}

int TGLStageBuffer::ContextDepthBits() const {
  static constexpr int kBits[] = {24, 16, 24, 32};
  return kBits[depthPrecision_];
}

void TGLStageBuffer::CreateRC(HDC device, bool memoryContext) {
  const TGLContextSuspension keepCurrent;
  DestroyRC();
  const FlagGuard rendering(rendering_);
  TGLContextOptions options;
  if (contextOptions_.Contains(roDoubleBuffer)) options.Include(cfDoubleBuffer);
  if (contextOptions_.Contains(roStereo)) options.Include(cfStereo);
  TGLContext* context = ContextManager ? ContextManager->CreateGLContext() : nullptr;
  if (!context) throw Exception("Failed to create RenderingContext.");
  context_.reset(context);
  context_->SetOptions(options);
  context_->SetColorBits(ContextColorBits());
  context_->SetDepthBits(ContextDepthBits());
  context_->SetStencilBits(contextOptions_.Contains(roStencilBuffer) ? 8 : 0);
  context_->SetAlphaBits(contextOptions_.Contains(roDestinationAlpha) ? 8 : 0);
  context_->SetAccumBits(0);
  context_->SetAuxBuffers(0);
  context_->SetAntiAliasing(antiAliasing_);
  PrepareGLContext();
  try {
    if (memoryContext)
      context_->CreateMemoryContext(device, viewport_.Width, viewport_.Height);
    else
      context_->CreateContext(device);
  } catch (...) {
    context_.reset();
    throw;
  }
  context_->Activate();
  try {
    if (!GLCaps.AtLeast(1, 1)) throw EOpenGLError("Need at least OpenGL version 1.1");
    GL.glViewport(0, 0, viewport_.Width, viewport_.Height);
    SetupRenderingContext();
    const TColorVector clear = ConvertWinColor(backgroundColor_);
    GL.glClearColor(clear[0], clear[1], clear[2], clear[3]);
  } catch (...) {
    context_->Deactivate();
    throw;
  }
  context_->Deactivate();
}

void TGLStageBuffer::DestroyRC() {
  if (!context_) return;
  context_.reset();
  LeaveScene();
}

void TGLStageBuffer::Resize(int width, int height) {
  viewport_.Width = std::max(width, 1);
  viewport_.Height = std::max(height, 1);
  if (!context_) return;
  const TGLContextSuspension keepCurrent;
  context_->Activate();
  GL.glViewport(0, 0, viewport_.Width, viewport_.Height);
  context_->Deactivate();
}

int TGLStageBuffer::GetLimit(int index) {
  static constexpr GLenum kQueries[] = {GL_MAX_CLIP_PLANES,
                                        GL_MAX_EVAL_ORDER,
                                        GL_MAX_LIGHTS,
                                        GL_MAX_LIST_NESTING,
                                        GL_MAX_MODELVIEW_STACK_DEPTH,
                                        GL_MAX_NAME_STACK_DEPTH,
                                        GL_MAX_PIXEL_MAP_TABLE,
                                        GL_MAX_PROJECTION_STACK_DEPTH,
                                        GL_MAX_TEXTURE_SIZE,
                                        GL_MAX_TEXTURE_STACK_DEPTH,
                                        GL_MAX_VIEWPORT_DIMS,
                                        GL_ACCUM_ALPHA_BITS,
                                        GL_ACCUM_BLUE_BITS,
                                        GL_ACCUM_GREEN_BITS,
                                        GL_ACCUM_RED_BITS,
                                        GL_ALPHA_BITS,
                                        GL_AUX_BUFFERS,
                                        GL_BLUE_BITS,
                                        GL_GREEN_BITS,
                                        GL_RED_BITS,
                                        GL_INDEX_BITS,
                                        GL_STEREO,
                                        GL_DOUBLEBUFFER,
                                        GL_SUBPIXEL_BITS,
                                        GL_DEPTH_BITS,
                                        GL_STENCIL_BITS};
  if (index < 0 || index > limStencilBits) return 0;
  // Inside a frame the frame's context answers; otherwise the buffer's own.
  TGLContext* activated = nullptr;
  if (!CurrentGLContext()) {
    if (!context_) return 0;
    activated = context_.get();
    activated->Activate();
  }
  int result = 0;
  if (index == limViewportDims) {
    GLdouble dims[2] = {0, 0};
    GL.glGetDoublev(GL_MAX_VIEWPORT_DIMS, dims);
    result = RoundSingle(static_cast<float>(std::max(dims[0], dims[1])));
  } else {
    GLint value = 0;
    GL.glGetIntegerv(kQueries[index], &value);
    result = value;
  }
  if (activated) activated->Deactivate();
  return result;
}

// One frame ---------------------------------------------------------------------------------

void TGLStageBuffer::SetupRenderingContext() {
  GL.glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, contextOptions_.Contains(roTwoSideLighting) ? 1 : 0);
  GL.glEnable(GL_NORMALIZE);
  states_.Include(stNormalize);
  GLint redBits = 0;
  GL.glGetIntegerv(GL_RED_BITS, &redBits);
  const struct {
    TGLState state;
    bool on;
  } switches[] = {{stDepthTest, depthTest_}, {stCullFace, faceCulling_}, {stLighting, lighting_}, {stFog, fogEnable_}};
  for (const auto& s : switches) {
    if (s.on) {
      GL.glEnable(GLCapabilityOf(s.state));
      states_.Include(s.state);
    } else {
      GL.glDisable(GLCapabilityOf(s.state));
      states_.Exclude(s.state);
    }
  }
  if (redBits < 8) {
    GL.glEnable(GL_DITHER);
    states_.Include(stDither);
  } else {
    GL.glDisable(GL_DITHER);
    states_.Exclude(stDither);
  }
  GL.glDepthFunc(GL_LESS);
  GL.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  switch (shadeModel_) {
    case smDefault:
    case smSmooth:
      GL.glShadeModel(GL_SMOOTH);
      break;
    case smFlat:
      GL.glShadeModel(GL_FLAT);
      break;
    default:
      AssertFailed("Assertion failure", kModule, kShadeModelLine);
  }
}

void TGLStageBuffer::ClearBuffers() {
  GLbitfield bits = GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT;
  if (contextOptions_.Contains(roStencilBuffer)) bits |= GL_STENCIL_BUFFER_BIT;
  GL.glClear(bits);
}

void TGLStageBuffer::PrepareRenderingMatrices(const TRectangle& viewport, int resolution) {
  GL.glMatrixMode(GL_PROJECTION);
  GL.glLoadIdentity();
  GL.glGetFloatv(GL_PROJECTION_MATRIX, baseProjectionMatrix_[0].data());
  camera_->ApplyPerspective(viewport, viewport.Width, viewport.Height, resolution);
  GL.glGetFloatv(GL_PROJECTION_MATRIX, projectionMatrix_[0].data());
  GL.glMatrixMode(GL_MODELVIEW);
  GL.glLoadIdentity();
  camera_->Scene()->SetCurrentCamera(camera_);
  camera_->Apply();
  GL.glGetFloatv(GL_MODELVIEW_MATRIX, modelViewMatrix_[0].data());
  cameraAbsolutePosition_ = camera_->AbsolutePosition();
}

void TGLStageBuffer::DoBaseRender(const TRectangle& viewport, int resolution) {
  if (!camera_ || !camera_->Scene()) return;
  TGLStage* scene = camera_->Scene();
  PrepareRenderingMatrices(viewport, resolution);
  xglMapTexCoordToNull();
  xglMapTexCoordToMain();
  if (BeforeRender && EventsAllowed()) BeforeRender(this);
  scene->SetupLights(GetLimit(limLights));
  if (fogEnable_) {
    GL.glEnable(GL_FOG);
    fogEnvironment_->ApplyFog();
  } else {
    GL.glDisable(GL_FOG);
  }
  scene->RenderScene(this, viewport.Width, viewport.Height);
  if (PostRender && EventsAllowed()) PostRender(this);
}

void TGLStageBuffer::RenderFrame() {
  renderDPI_ = kWindowDPI;
  GLStage::ClearGLError();
  SetupRenderingContext();
  const TColorVector clear = ConvertWinColor(backgroundColor_);
  GL.glClearColor(clear[0], clear[1], clear[2], clear[3]);
  GLStage::CheckOpenGLError();
  ClearBuffers();
  GLStage::CheckOpenGLError();
  DoBaseRender(viewport_, kWindowDPI);
  GLStage::CheckOpenGLError();
  GL.glFlush();
  context_->SwapBuffers();
  int64_t counter = 0;
  QueryPerformanceCounter(counter);
  frameRate_.Frame(counter, counterFrequencyAtStart);
  GLStage::CheckOpenGLError();
}

void TGLStageBuffer::Render() {
  if (rendering_ || !context_) return;
  if (camera_ && camera_->Scene()) {
    camera_->AbsoluteMatrixAsAddress();
    camera_->Scene()->AddBuffer(this);
  }
  {
    const TGLContextSuspension keepCurrent;
    context_->Activate();
    const FlagGuard rendering(rendering_);
    try {
      RenderFrame();
    } catch (...) {
      try {
        context_->Deactivate();
      } catch (...) {
        // The failure of the frame is the one to report.
      }
      throw;
    }
    context_->Deactivate();
  }
  if (AfterRender && EventsAllowed()) AfterRender(this);
}

// One frame into a bitmap ------------------------------------------------------------------

void TGLStageBuffer::RenderToBitmap(TBitmap* bitmap, int dpi) {
  if (rendering_) AssertFailed("Already rendering", kModule, kAlreadyRenderingLine);
  if (!bitmap || bitmap->Empty()) throw EGLContext("There is no picture to render into");
  const int width = bitmap->Width(), height = bitmap->Height();
  {
    const FlagGuard rendering(rendering_);
    const TGLContextSuspension keepCurrent;
    const TDib32 frame(width, height);
    // The context's colour bits are the 32 of the picture it draws into,
    // whatever the bitmap holds: a 24-bit format on it comes out corrupt.
    RenderBitmapFrame(frame.DC(), width, height, dpi, kBitmapFrameColorBits);
    CopyFrame(frame, *bitmap);
  }
  if (AfterRender && EventsAllowed()) AfterRender(this);
}

void TGLStageBuffer::RenderBitmapFrame(HDC device, int width, int height, int dpi, int colorBits) {
  std::unique_ptr<TGLContext> context(ContextManager ? ContextManager->CreateGLContext() : nullptr);
  if (!context) throw Exception("Failed to create RenderingContext.");
  context->SetColorBits(colorBits);
  context->SetDepthBits(ContextDepthBits());
  context->SetStencilBits(contextOptions_.Contains(roStencilBuffer) ? 8 : 0);
  context->CreateContext(device);

  const TGLStates savedStates = states_;
  const TRectangle savedViewport = viewport_;
  ContextManager->DestroyAllHandles();
  struct Restore {
    TGLStageBuffer& buffer;
    const TGLStates& states;
    const TRectangle& viewport;
    ~Restore() {
      buffer.states_ = states;
      buffer.viewport_ = viewport;
      try {
        // Nothing of the bitmap's context stays in the nodes.
        ContextManager->DestroyAllHandles();
      } catch (...) {
      }
    }
  } restore{*this, savedStates, savedViewport};

  context->Activate();
  try {
    const int limit = GetLimit(limViewportDims);
    if (width > limit || height > limit)
      throw EGLContext("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels is larger than OpenGL can draw here (at most " + std::to_string(limit) +
                       " pixels a side)");
    SetupRenderingContext();
    const TColorVector clear = ConvertWinColor(backgroundColor_);
    GL.glClearColor(clear[0], clear[1], clear[2], clear[3]);
    const TRectangle bitmapViewport{0, 0, width, height};
    GL.glViewport(0, 0, width, height);
    ClearBuffers();
    ResetGLPolygonModeCache();
    ResetGLMaterialColors();
    ResetGLCurrentTexture();
    renderDPI_ = dpi > 0 ? dpi : GetDeviceLogicalPixelsX(device);
    viewport_ = bitmapViewport;
    DoBaseRender(bitmapViewport, renderDPI_);
    GL.glFinish();
  } catch (...) {
    try {
      context->Deactivate();
    } catch (...) {
    }
    throw;
  }
  context->Deactivate();
}

}  // namespace kx
