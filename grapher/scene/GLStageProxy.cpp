#include "scene/GLStageProxy.h"

#include "scene/GLStage.h"
#include "scene/XOpenGL.h"

namespace kx {

namespace {

constexpr uint64_t kAllProxyOptions = 7;

struct ProxyModule {
  ProxyModule() { RegisterClasses({&TDirectOpenGL::StaticClass(), &TGLProxyObject::StaticClass()}); }
};
ProxyModule proxyModule;

// Clears the proxy's flag on every way out of its drawing.
struct RenderingGuard {
  explicit RenderingGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~RenderingGuard() { flag_ = false; }
  RenderingGuard(const RenderingGuard&) = delete;
  RenderingGuard& operator=(const RenderingGuard&) = delete;
  bool& flag_;
};

}  // namespace

KX_PUBLISH(TDirectOpenGL) {
  p.Property("UseBuildList", &TDirectOpenGL::UseBuildList, &TDirectOpenGL::SetUseBuildList);
  p.Field("OnRender", &TDirectOpenGL::OnRender);
}

KX_PUBLISH(TGLProxyObject) {
  using C = TGLProxyObject;
  p.Property("ObjectsSorting", &C::ObjectsSorting, &C::SetObjectsSorting).Default(osInherited);
  p.Property("Direction", &C::Direction, &C::SetDirection);
  p.Property("PitchAngle", &C::PitchAngle, &C::SetPitchAngle).NotStored();
  p.Property("Position", &C::Position, &C::SetPosition);
  p.Property("RollAngle", &C::RollAngle, &C::SetRollAngle).NotStored();
  p.Property("Scale", &C::Scale, &C::SetScale);
  p.Property("ShowAxes", &C::ShowAxes, &C::SetShowAxes).Default(false);
  p.Property("TransformationMode", &C::TransformationMode, &C::SetTransformationMode).Default(tmLocal);
  p.Property("TurnAngle", &C::TurnAngle, &C::SetTurnAngle).NotStored();
  p.Property("Up", &C::Up, &C::SetUp);
  p.Field<TGLProgressEvent>("OnProgress", &C::OnProgress);
  p.Property(
       "Behaviours", [](const C& c) { return const_cast<C&>(c).Behaviours(); }, &C::SetBehaviours)
      .NotStored();
  p.Property("MasterObject", &C::MasterObject, &C::SetMasterObject);
  p.Property("ProxyOptions", &C::ProxyOptions, &C::SetProxyOptions).Default(kAllProxyOptions);
}

// TDirectOpenGL ------------------------------------------------------------------------

TDirectOpenGL::TDirectOpenGL(TComponent* owner) : TGLImmaterialSceneObject(owner) {
  objectStyle_.Include(osNoDisplayList);
  objectStyle_.Include(osTouchesGLState);
}

void TDirectOpenGL::SetUseBuildList(bool value) {
  if (value == UseBuildList()) return;
  if (value)
    objectStyle_.Exclude(osNoDisplayList);
  else
    objectStyle_.Include(osNoDisplayList);
}

void TDirectOpenGL::BuildList(TRenderContextInfo& rci) {
  if (!OnRender) return;
  xglMapTexCoordToMain();
  OnRender(rci);
}

void TDirectOpenGL::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TDirectOpenGL*>(source)) SetUseBuildList(other->UseBuildList());
  TGLImmaterialSceneObject::Assign(source);
}

// TGLProxyObject -----------------------------------------------------------------------

TGLProxyObject::TGLProxyObject(TComponent* owner) : TGLBaseSceneObject(owner) {}

TGLProxyObject::~TGLProxyObject() { SetMasterObject(nullptr); }

void TGLProxyObject::SetMasterObject(TGLBaseSceneObject* value) {
  if (value == master_) return;
  if (master_) master_->RemoveFreeNotification(this);
  master_ = value;
  if (master_) master_->FreeNotification(this);
  StructureChanged();
}

void TGLProxyObject::SetProxyOptions(TGLProxyObjectOptions value) {
  if (value == proxyOptions_) return;
  proxyOptions_ = value;
  StructureChanged();
}

void TGLProxyObject::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component && component == master_) SetMasterObject(nullptr);
  TGLBaseSceneObject::Notification(component, operation);
}

void TGLProxyObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
  if (rendering_) return;
  const RenderingGuard guard(rendering_);
  if (master_ && proxyOptions_.Contains(pooObjects)) {
    if (proxyOptions_.Contains(pooTransformation)) GL.glMultMatrixf(master_->LocalMatrix()[0].data());
    master_->DoRender(rci, renderSelf, renderChildren);
  }
  if (renderChildren && Count() > 0) RenderChildren(0, Count() - 1, rci);
  if (master_ && proxyOptions_.Contains(pooEffects) && master_->HasEffects() && Scene())
    master_->Effects()->RenderPostEffects(Scene()->CurrentBuffer(), rci);
  ClearStructureFlag();
}

TVector TGLProxyObject::AxisAlignedDimensions() {
  if (!master_) return TGLBaseSceneObject::AxisAlignedDimensions();
  TVector dimensions = master_->AxisAlignedDimensions();
  ScaleVectorComponents(dimensions, Scale()->AsVector());
  return dimensions;
}

bool TGLProxyObject::RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint,
                                      TVector* intersectNormal) {
  if (!master_) return false;
  // The ray in the proxy's space is the ray in the master's space.
  const TVector start = master_->LocalToAbsolute(AbsoluteToLocal(rayStart));
  TVector direction = master_->LocalToAbsolute(AbsoluteToLocal(rayVector));
  NormalizeVector4(direction);
  if (!master_->RayCastIntersect(start, direction, intersectPoint, intersectNormal)) return false;
  if (intersectPoint) *intersectPoint = LocalToAbsolute(master_->AbsoluteToLocal(*intersectPoint));
  if (intersectNormal) *intersectNormal = LocalToAbsolute(master_->AbsoluteToLocal(*intersectNormal));
  return true;
}

void TGLProxyObject::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLProxyObject*>(source)) SetMasterObject(other->master_);
  TGLBaseSceneObject::Assign(source);
}

}  // namespace kx
