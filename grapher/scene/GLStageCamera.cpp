#include "scene/GLStageCamera.h"

#include "scene/GLCrossPlatform.h"
#include "scene/GLStage.h"

#include <cmath>

namespace kx {

namespace {

constexpr const char* kModule = "GLStage";
constexpr int kCameraStyleLine = 4280;

}  // namespace

KX_PUBLISH(TGLCamera) {
  p.Property("FocalLength", &TGLCamera::FocalLength, &TGLCamera::SetFocalLength);
  p.Property("DepthOfView", &TGLCamera::DepthOfView, &TGLCamera::SetDepthOfView);
  p.Property("SceneScale", &TGLCamera::SceneScale, &TGLCamera::SetSceneScale);
  p.Property("TargetObject", &TGLCamera::TargetObject, &TGLCamera::SetTargetObject);
  p.Property("CameraStyle", &TGLCamera::CameraStyle, &TGLCamera::SetCameraStyle).Default(csPerspective);
  p.Field("OnCustomPerspective", &TGLCamera::OnCustomPerspective);
  p.Property("Position", &TGLCamera::Position, &TGLCamera::SetPosition);
  p.Property("Direction", &TGLCamera::Direction, &TGLCamera::SetDirection);
  p.Property("Up", &TGLCamera::Up, &TGLCamera::SetUp);
  p.Field<TGLProgressEvent>("OnProgress", &TGLCamera::OnProgress);
}

KX_PUBLISH(TGLLightSource) {
  p.Property("Ambient", &TGLLightSource::Ambient, &TGLLightSource::SetAmbient);
  p.Property("ConstAttenuation", &TGLLightSource::ConstAttenuation, &TGLLightSource::SetConstAttenuation);
  p.Property("Diffuse", &TGLLightSource::Diffuse, &TGLLightSource::SetDiffuse);
  p.Property("LinearAttenuation", &TGLLightSource::LinearAttenuation, &TGLLightSource::SetLinearAttenuation);
  p.Property("QuadraticAttenuation", &TGLLightSource::QuadraticAttenuation, &TGLLightSource::SetQuadraticAttenuation);
  p.Property("Position", &TGLLightSource::Position, &TGLLightSource::SetPosition);
  p.Property("LightStyle", &TGLLightSource::LightStyle, &TGLLightSource::SetLightStyle).Default(lsSpot);
  p.Property("Shining", &TGLLightSource::Shining, &TGLLightSource::SetShining).Default(true);
  p.Property("Specular", &TGLLightSource::Specular, &TGLLightSource::SetSpecular);
  p.Property("SpotCutOff", &TGLLightSource::SpotCutOff, &TGLLightSource::SetSpotCutOff);
  p.Property("SpotDirection", &TGLLightSource::SpotDirection, &TGLLightSource::SetSpotDirection);
  p.Property("SpotExponent", &TGLLightSource::SpotExponent, &TGLLightSource::SetSpotExponent);
  p.Field<TGLProgressEvent>("OnProgress", &TGLLightSource::OnProgress);
}

// TGLCamera ------------------------------------------------------------------------------

TGLCamera::TGLCamera(TComponent* owner) : TGLBaseSceneObject(owner) { Direction()->Initialize({0, 0, -1, 0}); }

void TGLCamera::SetFocalLength(float value) {
  if (!(value > 0)) value = 1;
  if (value == focalLength_) return;
  focalLength_ = value;
  if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetDepthOfView(float value) {
  if (value == depthOfView_) return;
  depthOfView_ = value;
  if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetSceneScale(float value) {
  if (value == 0) value = 1;
  if (value == sceneScale_) return;
  sceneScale_ = value;
  NotifyChange(this);
}

void TGLCamera::SetTargetObject(TGLBaseSceneObject* value) {
  if (value == targetObject_) return;
  if (targetObject_) targetObject_->RemoveFreeNotification(this);
  targetObject_ = value;
  if (targetObject_) targetObject_->FreeNotification(this);
  if (!IsLoading()) TransformationChanged();
}

void TGLCamera::SetCameraStyle(TGLCameraStyle value) {
  if (value == cameraStyle_) return;
  cameraStyle_ = value;
  NotifyChange(this);
}

void TGLCamera::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == targetObject_) {
    targetObject_ = nullptr;
    if (!IsLoading()) TransformationChanged();
  }
  TGLBaseSceneObject::Notification(component, operation);
}

void TGLCamera::MoveAroundTarget(float pitchDelta, float turnDelta) {
  if (targetObject_) MoveObjectAround(targetObject_, pitchDelta, turnDelta);
}

void TGLCamera::Apply() {
  if (targetObject_) {
    const TVector eye = AbsolutePosition();
    const TVector centre = targetObject_->AbsolutePosition();
    TVector direction = VectorSubtract4(centre, eye);
    direction[3] = 0;
    NormalizeVector4(direction);
    lastDirection_ = direction;
    const TVector& up = Up()->AsVector();
    GL.gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], up[0], up[1], up[2]);
  } else {
    const TMatrix parentMatrix = Parent() ? *Parent()->AbsoluteMatrixAsAddress() : IdentityHmgMatrix;
    const TVector eye = AbsolutePosition();
    const TVector direction = VectorTransform4(Direction()->AsVector(), parentMatrix);
    const TVector up = VectorTransform4(Up()->AsVector(), parentMatrix);
    lastDirection_ = direction;
    GL.gluLookAt(eye[0], eye[1], eye[2], eye[0] + direction[0], eye[1] + direction[1], eye[2] + direction[2], up[0],
                 up[1], up[2]);
  }
  ClearStructureFlag();
}

void TGLCamera::ApplyPerspective(const TRectangle& viewport, int width, int height, int dpi) {
  if (width <= 0 || height <= 0) return;
  const double w = width, h = height;
  switch (cameraStyle_) {
    case csOrtho2D:
      GL.gluOrtho2D(0, w, 0, h);
      nearPlane_ = -1;
      viewPortRadius_ = static_cast<float>(std::sqrt(w * w + h * h) / 2);
      return;
    case csCustom:
      viewPortRadius_ = static_cast<float>(std::sqrt(w * w + h * h) / 2);
      if (OnCustomPerspective) OnCustomPerspective(viewport, width, height, dpi, viewPortRadius_);
      return;
    case csPerspective:
    case csOrthogonal: {
      const double m = std::max(w, h);
      const bool perspective = cameraStyle_ == csPerspective;
      const double fx = perspective ? 1 / (w * sceneScale_) : 100 / (w * focalLength_ * sceneScale_);
      const double fy = perspective ? 1 / (h * sceneScale_) : 100 / (h * focalLength_ * sceneScale_);
      const double right = (2.0 * viewport.Left + 2.0 * viewport.Width - w) * fx * w / (2 * m);
      const double left = -((w - 2.0 * viewport.Left) * fx) * w / (2 * m);
      const double top = (2.0 * viewport.Top + 2.0 * viewport.Height - h) * fy * h / (2 * m);
      const double bottom = -((h - 2.0 * viewport.Top) * fy) * h / (2 * m);
      nearPlane_ = static_cast<float>(focalLength_ * 2.0 * dpi / (25.4 * m));
      const double farPlane = static_cast<double>(nearPlane_) + depthOfView_;
      if (perspective)
        GL.glFrustum(left, right, bottom, top, nearPlane_, farPlane);
      else
        GL.glOrtho(left, right, bottom, top, nearPlane_, farPlane);
      viewPortRadius_ = static_cast<float>(std::sqrt(right * right + top * top) / nearPlane_);
      return;
    }
    default:
      AssertFailed("Assertion failure", kModule, kCameraStyleLine);
  }
}

void TGLCamera::DoRender(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}

// TGLLightSource -------------------------------------------------------------------------

TGLLightSource::TGLLightSource(TComponent* owner)
    : TGLBaseSceneObject(owner),
      spotDirection_(std::make_unique<TGLCoordinates>(this, TVector{0, 0, -1, 0}, csVector)),
      ambient_(std::make_unique<TGLColor>(this, TColorVector{0, 0, 0, 1})),
      diffuse_(std::make_unique<TGLColor>(this, TColorVector{1, 1, 1, 1})),
      specular_(std::make_unique<TGLColor>(this, TColorVector{0, 0, 0, 1})) {}

// The slot goes before the node leaves its parent: by then it is no light any more.
TGLLightSource::~TGLLightSource() {
  if (Scene()) Scene()->RemoveLight(this);
}

void TGLLightSource::SetShining(bool value) {
  if (value == shining_) return;
  shining_ = value;
  NotifyChange(this);
}

void TGLLightSource::SetLightStyle(TLightStyle value) {
  if (value == lightStyle_) return;
  lightStyle_ = value;
  NotifyChange(this);
}

void TGLLightSource::SetSpotDirection(TGLCoordinates* value) {
  if (!value) return;
  spotDirection_->Initialize(value->AsVector());
  spotDirection_->SetCoordinate(3, 0);
  NotifyChange(this);
}

void TGLLightSource::SetSpotCutOff(float value) {
  if (StoreChanged(spotCutOff_, value)) NotifyChange(this);
}
void TGLLightSource::SetSpotExponent(float value) {
  if (StoreChanged(spotExponent_, value)) NotifyChange(this);
}
void TGLLightSource::SetConstAttenuation(float value) {
  if (StoreChanged(constAttenuation_, value)) NotifyChange(this);
}
void TGLLightSource::SetLinearAttenuation(float value) {
  if (StoreChanged(linearAttenuation_, value)) NotifyChange(this);
}
void TGLLightSource::SetQuadraticAttenuation(float value) {
  if (StoreChanged(quadraticAttenuation_, value)) NotifyChange(this);
}

void TGLLightSource::SetAmbient(TGLColor* value) {
  if (value) ambient_->SetColorVector(value->Color());
  NotifyChange(this);
}

void TGLLightSource::SetDiffuse(TGLColor* value) {
  if (value) diffuse_->SetColorVector(value->Color());
  NotifyChange(this);
}

void TGLLightSource::SetSpecular(TGLColor* value) {
  if (value) specular_->SetColorVector(value->Color());
  NotifyChange(this);
}

void TGLLightSource::DoRender(TRenderContextInfo& rci, bool, bool renderChildren) {
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
}

}  // namespace kx
