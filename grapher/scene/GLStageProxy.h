// Two nodes for application code: one that draws with its own GL calls
// through an event inside the render walk, and one that draws another
// node (its master) in its own place, so that one subtree shows at several
// places without a copy.
#pragma once

#include "scene/GLStageNode.h"

namespace kx {

using TDirectRenderEvent = TEvent<TRenderContextInfo&>;

class TDirectOpenGL : public TGLImmaterialSceneObject {
  KX_CLASS(TDirectOpenGL, TGLImmaterialSceneObject)
 public:
  explicit TDirectOpenGL(TComponent* owner);

  // True compiles the event's drawing into the display list (called once
  // per structure change); false calls it every frame.
  bool UseBuildList() const { return !objectStyle_.Contains(osNoDisplayList); }
  void SetUseBuildList(bool value);
  TDirectRenderEvent OnRender;

  void BuildList(TRenderContextInfo& rci) override;
  void Assign(TPersistent* source) override;
};

enum TGLProxyObjectOption { pooEffects, pooObjects, pooTransformation };
KX_ENUM_NAMES(TGLProxyObjectOption, "pooEffects", "pooObjects", "pooTransformation")
using TGLProxyObjectOptions = TSet<TGLProxyObjectOption>;

class TGLProxyObject : public TGLBaseSceneObject {
  KX_CLASS(TGLProxyObject, TGLBaseSceneObject)
 public:
  explicit TGLProxyObject(TComponent* owner);
  ~TGLProxyObject() override;

  TGLBaseSceneObject* MasterObject() const { return master_; }
  void SetMasterObject(TGLBaseSceneObject* value);
  TGLProxyObjectOptions ProxyOptions() const { return proxyOptions_; }
  void SetProxyOptions(TGLProxyObjectOptions value);

  // The master (with its own matrix unless pooTransformation is off), then
  // the proxy's children, then the master's effects; a proxy reached again
  // through its master draws nothing.
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  // The master's half extents scaled by the proxy's Scale.
  TVector AxisAlignedDimensions() override;
  bool RayCastIntersect(const TVector& rayStart, const TVector& rayVector, TVector* intersectPoint = nullptr,
                        TVector* intersectNormal = nullptr) override;
  void Assign(TPersistent* source) override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  TGLBaseSceneObject* master_ = nullptr;
  TGLProxyObjectOptions proxyOptions_{pooEffects, pooObjects, pooTransformation};
  bool rendering_ = false;
};

}  // namespace kx
