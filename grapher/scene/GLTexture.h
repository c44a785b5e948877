// How a surface is coloured: RGBA colours, the OpenGL material of one face,
// materials (both faces, blending, culling, options, texture), the texture
// a material owns, and the conversion of window colours for OpenGL.
#pragma once

#include "framework/core/Colors.h"
#include "scene/GLMisc.h"
#include "scene/GLRenderContextInfo.h"

#include <memory>

namespace kx {

class TGLBaseSceneObject;

// A window colour (negative: the system colour of its low byte) as RGBA.
TColorVector ConvertWinColor(TColor color, float alpha = 1.0f);

class TGLColor : public TGLUpdateAbleObject {
  KX_CLASS(TGLColor, TGLUpdateAbleObject)
 public:
  explicit TGLColor(TPersistent* owner);
  TGLColor(TPersistent* owner, const TColorVector& color, TNotifyEvent changeHandler = {});

  // Copies without notifying.
  void Initialize(const TColorVector& color) { color_ = color; }
  const TColorVector& Color() const { return color_; }
  // Notifies even when nothing changed.
  void SetColorVector(const TColorVector& color);
  // Notifies only on a change.
  void SetColorComponent(int index, float value);
  float Red() const { return color_[0]; }
  float Green() const { return color_[1]; }
  float Blue() const { return color_[2]; }
  float Alpha() const { return color_[3]; }
  void SetRed(float v) { SetColorComponent(0, v); }
  void SetGreen(float v) { SetColorComponent(1, v); }
  void SetBlue(float v) { SetColorComponent(2, v); }
  void SetAlpha(float v) { SetColorComponent(3, v); }
  const float* AsAddress() const { return color_.data(); }

  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;
  // A colour owned by a node rebuilds the node's display list as well.
  void NotifyChange(TObject* sender) override;

 private:
  TColorVector color_{0, 0, 0, 1};
};

enum TPolygonMode { pmFill, pmLines, pmPoints };
KX_ENUM_NAMES(TPolygonMode, "pmFill", "pmLines", "pmPoints")

class TGLFaceProperties : public TGLUpdateAbleObject {
  KX_CLASS(TGLFaceProperties, TGLUpdateAbleObject)
 public:
  explicit TGLFaceProperties(TPersistent* owner);

  TGLColor* Ambient() const { return ambient_.get(); }
  TGLColor* Diffuse() const { return diffuse_.get(); }
  TGLColor* Emission() const { return emission_.get(); }
  TGLColor* Specular() const { return specular_.get(); }
  // Copy the given colour's value and notify.
  void SetAmbient(TGLColor* color) { SetColor(*ambient_, color); }
  void SetDiffuse(TGLColor* color) { SetColor(*diffuse_, color); }
  void SetEmission(TGLColor* color) { SetColor(*emission_, color); }
  void SetSpecular(TGLColor* color) { SetColor(*specular_, color); }
  // 0 to 128.
  uint8_t Shininess() const { return shininess_; }
  void SetShininess(uint8_t value);
  TPolygonMode PolygonMode() const { return polygonMode_; }
  void SetPolygonMode(TPolygonMode value);

  // With lighting through the material-colour cache, without it the diffuse
  // colour as the current colour; the polygon mode in both cases.
  void Apply(GLenum face, bool lighting);
  void Assign(TPersistent* source) override;

 private:
  void SetColor(TGLColor& own, TGLColor* given);
  std::unique_ptr<TGLColor> ambient_, diffuse_, emission_, specular_;
  uint8_t shininess_ = 0;
  TPolygonMode polygonMode_ = pmFill;
};

// The texture of a material. Textures are never enabled here: a texture
// stays disabled, allocates no GL name and only switches 2D texturing and
// texture coordinates off when its material is applied.
class TGLTexture : public TGLUpdateAbleObject {
  KX_CLASS(TGLTexture, TGLUpdateAbleObject)
 public:
  explicit TGLTexture(TPersistent* owner) : TGLUpdateAbleObject(owner) {}
  bool Disabled() const { return true; }
  bool IsHandleAllocated() const { return false; }
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo&) {}
  void DestroyHandles() {}
  void Assign(TPersistent* source) override;
};

enum TBlendingMode { bmOpaque, bmTransparency, bmAdditive };
KX_ENUM_NAMES(TBlendingMode, "bmOpaque", "bmTransparency", "bmAdditive")
enum TMaterialOption { moIgnoreFog, moNoLighting };
KX_ENUM_NAMES(TMaterialOption, "moIgnoreFog", "moNoLighting")
using TMaterialOptions = TSet<TMaterialOption>;
enum TFaceCulling { fcBufferDefault, fcCull, fcNoCull };
KX_ENUM_NAMES(TFaceCulling, "fcBufferDefault", "fcCull", "fcNoCull")

class TGLMaterial : public TGLUpdateAbleObject {
  KX_CLASS(TGLMaterial, TGLUpdateAbleObject)
 public:
  explicit TGLMaterial(TPersistent* owner);
  ~TGLMaterial() override;

  // Created on first access.
  TGLFaceProperties* BackProperties();
  bool HasBackProperties() const { return back_ != nullptr; }
  void SetBackProperties(TGLFaceProperties* value);
  TGLFaceProperties* FrontProperties() const { return front_.get(); }
  void SetFrontProperties(TGLFaceProperties* value);
  TBlendingMode BlendingMode() const { return blendingMode_; }
  void SetBlendingMode(TBlendingMode value);
  TMaterialOptions MaterialOptions() const { return options_; }
  void SetMaterialOptions(TMaterialOptions value);
  TGLTexture* Texture() const { return texture_.get(); }
  void SetTexture(TGLTexture* value);
  TFaceCulling FaceCulling() const { return faceCulling_; }
  void SetFaceCulling(TFaceCulling value);

  void Apply(TRenderContextInfo& rci);
  // True would ask for another pass; a plain material never does.
  bool UnApply(TRenderContextInfo& rci);
  void DestroyHandles();
  // Keeps this material's FaceCulling.
  void Assign(TPersistent* source) override;
  // To the owning node's plain notification, nothing else.
  void NotifyChange(TObject* sender) override;
  // The owning node rebuilds its display list.
  void NotifyTexMapChange();

 private:
  std::unique_ptr<TGLFaceProperties> front_, back_;
  TBlendingMode blendingMode_ = bmOpaque;
  TMaterialOptions options_;
  std::unique_ptr<TGLTexture> texture_;
  TFaceCulling faceCulling_ = fcBufferDefault;
};

}  // namespace kx
