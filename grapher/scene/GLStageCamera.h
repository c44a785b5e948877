// The camera through which a render buffer looks at the scene (projection
// and viewing transformation, orbiting its target) and the light sources,
// one OpenGL light each.
#pragma once

#include "scene/GLStageNode.h"

namespace kx {

// A viewport: left, top, width, height in pixels.
struct TRectangle {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

enum TGLCameraStyle { csPerspective, csOrthogonal, csOrtho2D, csCustom };
KX_ENUM_NAMES(TGLCameraStyle, "csPerspective", "csOrthogonal", "csOrtho2D", "csCustom")

// Sets the projection itself; may change the viewport radius.
using TOnCustomPerspective = TEvent<const TRectangle&, int, int, int, float&>;

class TGLCamera : public TGLBaseSceneObject {
  KX_CLASS(TGLCamera, TGLBaseSceneObject)
 public:
  explicit TGLCamera(TComponent* owner);

  // Millimetres; a value not above 0 becomes 1.
  float FocalLength() const { return focalLength_; }
  void SetFocalLength(float value);
  // Scene units from the near plane to the far plane.
  float DepthOfView() const { return depthOfView_; }
  void SetDepthOfView(float value);
  float SceneScale() const { return sceneScale_; }
  void SetSceneScale(float value);
  TGLBaseSceneObject* TargetObject() const { return targetObject_; }
  void SetTargetObject(TGLBaseSceneObject* value);
  TGLCameraStyle CameraStyle() const { return cameraStyle_; }
  void SetCameraStyle(TGLCameraStyle value);
  TOnCustomPerspective OnCustomPerspective;

  // Results of the last apply.
  float NearPlane() const { return nearPlane_; }
  float ViewPortRadius() const { return viewPortRadius_; }
  const TVector& LastDirection() const { return lastDirection_; }

  // Orbits the target (degrees); nothing without one.
  void MoveAroundTarget(float pitchDelta, float turnDelta);
  // The viewing transformation, with GL_MODELVIEW current and loaded with the identity.
  void Apply();
  // The projection, with GL_PROJECTION current.
  void ApplyPerspective(const TRectangle& viewport, int width, int height, int dpi);

  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  bool RayCastIntersect(const TVector&, const TVector&, TVector* = nullptr, TVector* = nullptr) override {
    return false;
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  float focalLength_ = 50;
  float depthOfView_ = 100;
  float sceneScale_ = 1;
  TGLBaseSceneObject* targetObject_ = nullptr;
  TGLCameraStyle cameraStyle_ = csPerspective;
  float nearPlane_ = 0;
  float viewPortRadius_ = 0;
  TVector lastDirection_{0, 0, -1, 0};
};

enum TLightStyle { lsSpot, lsOmni, lsParallel };
KX_ENUM_NAMES(TLightStyle, "lsSpot", "lsOmni", "lsParallel")

class TGLLightSource : public TGLBaseSceneObject {
  KX_CLASS(TGLLightSource, TGLBaseSceneObject)
 public:
  explicit TGLLightSource(TComponent* owner);
  ~TGLLightSource() override;

  bool Shining() const { return shining_; }
  void SetShining(bool value);
  TLightStyle LightStyle() const { return lightStyle_; }
  void SetLightStyle(TLightStyle value);
  TGLCoordinates* SpotDirection() const { return spotDirection_.get(); }
  void SetSpotDirection(TGLCoordinates* value);
  float SpotCutOff() const { return spotCutOff_; }
  void SetSpotCutOff(float value);
  float SpotExponent() const { return spotExponent_; }
  void SetSpotExponent(float value);
  float ConstAttenuation() const { return constAttenuation_; }
  void SetConstAttenuation(float value);
  float LinearAttenuation() const { return linearAttenuation_; }
  void SetLinearAttenuation(float value);
  float QuadraticAttenuation() const { return quadraticAttenuation_; }
  void SetQuadraticAttenuation(float value);
  TGLColor* Ambient() const { return ambient_.get(); }
  void SetAmbient(TGLColor* value);
  TGLColor* Diffuse() const { return diffuse_.get(); }
  void SetDiffuse(TGLColor* value);
  TGLColor* Specular() const { return specular_.get(); }
  void SetSpecular(TGLColor* value);

  // GL_LIGHT0 + the slot the scene gave, 0 before any.
  GLenum LightID() const { return lightId_; }
  void SetLightID(GLenum id) { lightId_ = id; }

  GLuint GetHandle(TRenderContextInfo&) override { return 0; }
  void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) override;
  bool RayCastIntersect(const TVector&, const TVector&, TVector* = nullptr, TVector* = nullptr) override {
    return false;
  }

 private:
  bool shining_ = true;
  TLightStyle lightStyle_ = lsSpot;
  std::unique_ptr<TGLCoordinates> spotDirection_;
  float spotCutOff_ = 180;
  float spotExponent_ = 0;
  float constAttenuation_ = 1, linearAttenuation_ = 0, quadraticAttenuation_ = 0;
  std::unique_ptr<TGLColor> ambient_, diffuse_, specular_;
  GLenum lightId_ = 0;
};

}  // namespace kx
