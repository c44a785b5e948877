#include "scene/GLStage.h"

#include "scene/GLCrossPlatform.h"

#include <algorithm>

namespace kx {

namespace {

constexpr const char* kModule = "GLStage";
constexpr int kEndUpdateLine = 5241, kFogDistanceLine = 5745;
constexpr int kClearErrorLimit = 17;
constexpr GLenum GL_FOG_DISTANCE_MODE_NV = 0x855A, GL_EYE_RADIAL_NV = 0x855B, GL_EYE_PLANE_ABSOLUTE_NV = 0x855C;

GLint SavedFogDistanceMode = -1;

struct StageModule {
  StageModule() {
    RegisterClasses({&TGLLightSource::StaticClass(), &TGLCamera::StaticClass(), &TGLStage::StaticClass()});
  }
};
StageModule stageModule;

}  // namespace

KX_PUBLISH(TGLFogEnvironment) {
  p.Property("FogColor", &TGLFogEnvironment::FogColor, &TGLFogEnvironment::SetFogColor);
  p.Property("FogStart", &TGLFogEnvironment::FogStart, &TGLFogEnvironment::SetFogStart);
  p.Property("FogEnd", &TGLFogEnvironment::FogEnd, &TGLFogEnvironment::SetFogEnd);
  p.Property("FogMode", &TGLFogEnvironment::FogMode, &TGLFogEnvironment::SetFogMode).Default(fmLinear);
  p.Property("FogDistance", &TGLFogEnvironment::FogDistance, &TGLFogEnvironment::SetFogDistance).Default(fdDefault);
}

KX_PUBLISH(TGLStage) {
  p.Property("ObjectsSorting", &TGLStage::ObjectsSorting, &TGLStage::SetObjectsSorting).Default(osRenderBlendedLast);
  p.Property("VisibilityCulling", &TGLStage::VisibilityCulling, &TGLStage::SetVisibilityCulling).Default(vcNone);
  p.Field<TGLProgressEvent>("OnProgress", &TGLStage::OnProgress);
}

// Errors between frame stages ---------------------------------------------------------

void GLStage::ClearGLError() {
  for (int i = 0; i < kClearErrorLimit; ++i)
    if (GL.glGetError() == GL_NO_ERROR) return;
}

// The drain is the context module's: only the clearing differs.
void GLStage::CheckOpenGLError() { kx::CheckOpenGLError(); }

// TGLFogEnvironment -------------------------------------------------------------------

TGLFogEnvironment::TGLFogEnvironment(TPersistent* owner)
    : TGLUpdateAbleObject(As<TGLStageBuffer>(dynamic_cast<TObject*>(owner))),
      fogColor_(std::make_unique<TGLColor>(this, TColorVector{0, 0, 0, 1})) {}

TGLStageBuffer& TGLFogEnvironment::Buffer() const { return *static_cast<TGLStageBuffer*>(Owner()); }

void TGLFogEnvironment::SetFogColor(TGLColor* value) {
  if (!value) return;
  fogColor_->Assign(value);
  NotifyChange(this);
}

void TGLFogEnvironment::SetFogStart(float value) {
  if (StoreChanged(fogStart_, value)) NotifyChange(this);
}
void TGLFogEnvironment::SetFogEnd(float value) {
  if (StoreChanged(fogEnd_, value)) NotifyChange(this);
}
void TGLFogEnvironment::SetFogMode(TFogMode value) {
  if (StoreChanged(fogMode_, value)) NotifyChange(this);
}
void TGLFogEnvironment::SetFogDistance(TFogDistance value) {
  if (StoreChanged(fogDistance_, value)) NotifyChange(this);
}

bool TGLFogEnvironment::IsAtDefaultValues() const {
  static constexpr TColorVector kBlack{0, 0, 0, 1};
  return VectorEquals4(fogColor_->Color(), kBlack) && fogStart_ == 10 && fogEnd_ == 1000 && fogMode_ == fmLinear &&
         fogDistance_ == fdDefault;
}

void TGLFogEnvironment::NotifyChange(TObject* sender) {
  changed_ = true;
  TGLUpdateAbleObject::NotifyChange(sender);
}

void TGLFogEnvironment::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLFogEnvironment*>(source);
  if (!other) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  fogColor_->Initialize(other->fogColor_->Color());
  fogStart_ = other->fogStart_;
  fogEnd_ = other->fogEnd_;
  fogMode_ = other->fogMode_;
  fogDistance_ = other->fogDistance_;
  changed_ = true;
}

void TGLFogEnvironment::ApplyFog() {
  TGLContext* context = Buffer().RenderingContext();
  if (!changed_ || !context) return;
  context->Activate();
  struct Done {
    TGLContext* context;
    bool& changed;
    ~Done() {
      try {
        context->Deactivate();
      } catch (...) {
        // The frame's own deactivation reports a broken context.
      }
      changed = false;
    }
  } done{context, changed_};
  switch (fogMode_) {
    case fmLinear:
      GL.glFogi(GL_FOG_MODE, GL_LINEAR);
      break;
    case fmExp:
      GL.glFogi(GL_FOG_MODE, GL_EXP);
      GL.glFogf(GL_FOG_DENSITY, fogColor_->Alpha());
      break;
    case fmExp2:
      GL.glFogi(GL_FOG_MODE, GL_EXP2);
      GL.glFogf(GL_FOG_DENSITY, fogColor_->Alpha());
      break;
  }
  GL.glFogfv(GL_FOG_COLOR, fogColor_->AsAddress());
  GL.glFogf(GL_FOG_START, fogStart_);
  GL.glFogf(GL_FOG_END, fogEnd_);
  if (GLCaps.GL_NV_fog_distance) {
    switch (fogDistance_) {
      case fdDefault:
        if (SavedFogDistanceMode == -1)
          GL.glGetIntegerv(GL_FOG_DISTANCE_MODE_NV, &SavedFogDistanceMode);
        else
          GL.glFogi(GL_FOG_DISTANCE_MODE_NV, SavedFogDistanceMode);
        break;
      case fdEyeRadial:
        GL.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_RADIAL_NV);
        break;
      case fdEyePlane:
        GL.glFogi(GL_FOG_DISTANCE_MODE_NV, GL_EYE_PLANE_ABSOLUTE_NV);
        break;
      default:
        AssertFailed("Assertion failure", kModule, kFogDistanceLine);
    }
  }
}

// TGLStage ------------------------------------------------------------------------------

TGLStage::TGLStage(TComponent* owner)
    : TGLUpdateAbleComponent(owner),
      objects_(std::make_unique<TGLStageRootObject>(nullptr)),
      cameras_(std::make_unique<TGLStageRootObject>(nullptr)) {
  objects_->SetName("ObjectRoot");
  cameras_->SetName("CameraRoot");
  objects_->SetScene(this);
  cameras_->SetScene(this);
}

TGLStage::~TGLStage() {
  Destroying();
  for (TGLStageBuffer* buffer : std::vector<TGLStageBuffer*>(buffers_)) buffer->SceneDestroyed();
  buffers_.clear();
  baseContext_ = nullptr;
  objects_->DestroyHandles();
  cameras_.reset();
  objects_.reset();
  lights_.fill(nullptr);
}

void TGLStage::SetObjectsSorting(TGLObjectsSorting value) {
  if (value == osInherited) value = osRenderBlendedLast;
  if (value == objectsSorting_) return;
  objectsSorting_ = value;
  NotifyChange(this);
}

void TGLStage::SetVisibilityCulling(TGLVisibilityCulling value) {
  if (value == vcInherited) value = vcNone;
  if (value == visibilityCulling_) return;
  visibilityCulling_ = value;
  NotifyChange(this);
}

void TGLStage::AddLight(TGLLightSource* light) {
  for (int i = 0; i < kLightSlots; ++i) {
    if (lights_[i] == light) return;
    if (!lights_[i]) {
      lights_[i] = light;
      light->SetLightID(GL_LIGHT0 + i);
      return;
    }
  }
}

void TGLStage::RemoveLight(TGLLightSource* light) {
  for (TGLLightSource*& slot : lights_)
    if (slot == light) slot = nullptr;
}

void TGLStage::SetupLights(int maxLights) {
  GL.glPushMatrix();
  const int slots = std::min(maxLights, kLightSlots);
  for (int i = 0; i < slots; ++i) {
    TGLLightSource* light = lights_[i];
    if (!light) {
      GL.glDisable(GL_LIGHT0 + i);
      continue;
    }
    const GLenum id = light->LightID();
    if (!light->Shining()) {
      GL.glDisable(id);
      continue;
    }
    GL.glEnable(id);
    GL.glPopMatrix();
    GL.glPushMatrix();
    light->LocalMatrix();
    if (light->LightStyle() == lsParallel) {
      GL.glMultMatrixf((*light->AbsoluteMatrixAsAddress())[0].data());
      GL.glLightfv(id, GL_POSITION, light->SpotDirection()->AsAddress());
    } else {
      const TMatrix& parentMatrix = light->Parent() ? *light->Parent()->AbsoluteMatrixAsAddress() : IdentityHmgMatrix;
      GL.glMultMatrixf(parentMatrix[0].data());
      GL.glLightfv(id, GL_POSITION, light->Position()->AsAddress());
    }
    GL.glLightfv(id, GL_AMBIENT, light->Ambient()->AsAddress());
    GL.glLightfv(id, GL_DIFFUSE, light->Diffuse()->AsAddress());
    GL.glLightfv(id, GL_SPECULAR, light->Specular()->AsAddress());
    if (light->LightStyle() == lsSpot) {
      const float cutOff = light->SpotCutOff(), exponent = light->SpotExponent();
      if (cutOff != 180) {
        GL.glLightfv(id, GL_SPOT_DIRECTION, light->SpotDirection()->AsAddress());
        GL.glLightfv(id, GL_SPOT_EXPONENT, &exponent);
      }
      GL.glLightfv(id, GL_SPOT_CUTOFF, &cutOff);
    } else if (light->LightStyle() == lsOmni) {
      GL.glLightf(id, GL_SPOT_CUTOFF, 180);
    }
    const float constant = light->ConstAttenuation(), linear = light->LinearAttenuation(),
                quadratic = light->QuadraticAttenuation();
    GL.glLightfv(id, GL_CONSTANT_ATTENUATION, &constant);
    GL.glLightfv(id, GL_LINEAR_ATTENUATION, &linear);
    GL.glLightfv(id, GL_QUADRATIC_ATTENUATION, &quadratic);
  }
  GL.glPopMatrix();
}

void TGLStage::AddBuffer(TGLStageBuffer* buffer) {
  if (std::find(buffers_.begin(), buffers_.end(), buffer) != buffers_.end()) return;
  buffers_.push_back(buffer);
  buffer->scene_ = this;
  if (!baseContext_) baseContext_ = buffers_.front()->RenderingContext();
  if (buffers_.size() >= 2 && baseContext_ && buffer->RenderingContext() && buffer->RenderingContext() != baseContext_)
    baseContext_->ShareLists(buffer->RenderingContext());
}

void TGLStage::RemoveBuffer(TGLStageBuffer* buffer) {
  auto it = std::find(buffers_.begin(), buffers_.end(), buffer);
  if (it == buffers_.end()) return;
  buffers_.erase(it);
  buffer->scene_ = nullptr;
  baseContext_ = buffers_.empty() ? nullptr : buffers_.front()->RenderingContext();
  if (currentBuffer_ == buffer) currentBuffer_ = nullptr;
}

void TGLStage::BeginUpdate() { ++updateCount_; }

void TGLStage::EndUpdate() {
  if (updateCount_ < 1) AssertFailed("Assertion failure", kModule, kEndUpdateLine);
  if (--updateCount_ == 0) NotifyChange(this);
}

void TGLStage::NotifyChange(TObject*) {
  if (updateCount_ > 0 || IsLoading() || IsDestroying()) return;
  for (TGLStageBuffer* buffer : std::vector<TGLStageBuffer*>(buffers_)) buffer->NotifyChange(this);
}

void TGLStage::RenderScene(TGLStageBuffer* buffer, int width, int height) {
  ResetGLPolygonModeCache();
  ResetGLMaterialColors();
  ResetGLCurrentTexture();
  ResetGLFrontFace();
  buffer->AfterRenderEffects().clear();
  currentBuffer_ = buffer;

  TRenderContextInfo rci;
  TGLCamera* camera = buffer->Camera();
  rci.cameraPosition = buffer->CameraAbsolutePosition();
  TVector direction = camera->LastDirection();
  direction[3] = 0;
  NormalizeVector4(direction);
  rci.cameraDirection = direction;
  rci.modelViewMatrix = &buffer->ModelViewMatrix();
  rci.viewPortWidth = width;
  rci.viewPortHeight = height;
  rci.renderDPI = buffer->RenderDPI();
  rci.objectsSorting = objectsSorting_;
  rci.visibilityCulling = visibilityCulling_;
  rci.glStates = buffer->States();
  rci.rcci.origin = rci.cameraPosition;
  rci.rcci.clippingDirection = rci.cameraDirection;
  rci.rcci.viewPortRadius = camera->ViewPortRadius();
  rci.rcci.farClippingDistance = camera->NearPlane() + camera->DepthOfView();
  rci.bufferFaceCull = buffer->FaceCulling();
  rci.ignoreMaterials = buffer->ContextOptions().Contains(roNoColorBuffer);
  rci.afterRenderEffects = &buffer->AfterRenderEffects();
  rci.buffer = buffer;

  const bool colors = !rci.ignoreMaterials;
  GL.glColorMask(colors, colors, colors, colors);
  objects_->Render(rci);
  for (TGLObjectEffect* effect : std::vector<TGLObjectEffect*>(buffer->AfterRenderEffects()))
    effect->Render(buffer, rci);
  UnSetGLState(rci.glStates, stBlend);
  UnSetGLState(rci.glStates, stTexture2D);
}

TGLBaseSceneObject* TGLStage::RayCastIntersect(const TVector& rayStart, const TVector& rayVector,
                                               TVector* intersectPoint, TVector* intersectNormal) {
  TGLBaseSceneObject* best = nullptr;
  float bestDistance2 = 1e20f;
  std::function<void(TGLBaseSceneObject*)> walk = [&](TGLBaseSceneObject* node) {
    for (int i = 0; i < node->Count(); ++i) {
      TGLBaseSceneObject* child = node->Children(i);
      if (!child->Visible()) continue;
      TVector point{}, normal{};
      if (child->RayCastIntersect(rayStart, rayVector, &point, &normal)) {
        const float distance2 =
            VectorDistance2({point[0], point[1], point[2]}, {rayStart[0], rayStart[1], rayStart[2]});
        if (distance2 < bestDistance2) {
          bestDistance2 = distance2;
          best = child;
          if (intersectPoint) *intersectPoint = point;
          if (intersectNormal) *intersectNormal = normal;
        }
      } else {
        walk(child);
      }
    }
  };
  walk(objects_.get());
  return best;
}

void TGLStage::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TGLBaseSceneObject* root : {objects_.get(), cameras_.get()})
    for (int i = 0; i < root->Count(); ++i) proc(root->Children(i));
}

}  // namespace kx
