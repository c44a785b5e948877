// How a surface is coloured: RGBA colours, the OpenGL material of one face,
// materials (both faces, blending, culling, options, texture), the texture
// a material owns, and the conversion of window colours for OpenGL. The
// texture's image classes are in GLTextureImages.h.
#pragma once

#include "framework/core/Colors.h"
#include "scene/GLContext.h"
#include "scene/GLGraphics.h"
#include "scene/GLMisc.h"
#include "scene/GLRenderContextInfo.h"

#include <memory>

namespace kx {

class TGLBaseSceneObject;

// A window colour (negative: the system colour of its low byte) as RGBA.
TColorVector ConvertWinColor(TColor color, float alpha = 1.0f);
// System colours 0 to 24 as converted at start-up (alpha 1).
inline constexpr int kSystemColorVectors = 25;
const TColorVector& SystemColorVector(int index);

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

class TGLTextureImage;
struct TGLTextureImageClass;

enum TGLTextureMode : uint8_t { tmDecal, tmModulate, tmBlend, tmReplace };
KX_ENUM_NAMES(TGLTextureMode, "tmDecal", "tmModulate", "tmBlend", "tmReplace")
enum TGLTextureWrap : uint8_t { twBoth, twNone, twVertical, twHorizontal };
KX_ENUM_NAMES(TGLTextureWrap, "twBoth", "twNone", "twVertical", "twHorizontal")
enum TGLMagFilter : uint8_t { maNearest, maLinear };
KX_ENUM_NAMES(TGLMagFilter, "maNearest", "maLinear")
enum TGLTextureFormat : uint8_t {
  tfDefault,
  tfRGB,
  tfRGBA,
  tfRGB16,
  tfRGBA16,
  tfAlpha,
  tfLuminance,
  tfLuminanceAlpha,
  tfIntensity
};
KX_ENUM_NAMES(TGLTextureFormat, "tfDefault", "tfRGB", "tfRGBA", "tfRGB16", "tfRGBA16", "tfAlpha", "tfLuminance",
              "tfLuminanceAlpha", "tfIntensity")
enum TGLTextureCompression : uint8_t { tcDefault, tcNone, tcStandard, tcHighQuality, tcHighSpeed };
KX_ENUM_NAMES(TGLTextureCompression, "tcDefault", "tcNone", "tcStandard", "tcHighQuality", "tcHighSpeed")
enum TGLTextureFilteringQuality : uint8_t { tfIsotropic, tfAnisotropic };
KX_ENUM_NAMES(TGLTextureFilteringQuality, "tfIsotropic", "tfAnisotropic")
enum TGLTextureMappingMode : uint8_t {
  tmmUser,
  tmmObjectLinear,
  tmmEyeLinear,
  tmmSphere,
  tmmCubeMapReflection,
  tmmCubeMapNormal
};
KX_ENUM_NAMES(TGLTextureMappingMode, "tmmUser", "tmmObjectLinear", "tmmEyeLinear", "tmmSphere",
              "tmmCubeMapReflection", "tmmCubeMapNormal")
enum TGLTextureImageAlpha : uint8_t {
  tiaDefault,
  tiaAlphaFromIntensity,
  tiaSuperBlackTransparent,
  tiaLuminance,
  tiaLuminanceSqrt,
  tiaOpaque,
  tiaTopLeftPointColorTransparent
};
KX_ENUM_NAMES(TGLTextureImageAlpha, "tiaDefault", "tiaAlphaFromIntensity", "tiaSuperBlackTransparent", "tiaLuminance",
              "tiaLuminanceSqrt", "tiaOpaque", "tiaTopLeftPointColorTransparent")
// What must be redone before the texture's name is used again.
enum TGLTextureChange : uint8_t { tcImage, tcParams };
using TGLTextureChanges = TSet<TGLTextureChange>;

// May replace the name of a file an image is about to open.
using TTextureNeededEvent = TEvent<TObject*, std::string&>;

class ETexture : public Exception {
 public:
  using Exception::Exception;
};

// The texture of a material. A disabled texture (the default) allocates no
// GL name and never touches its image: applying it only switches 2D
// texturing and texture coordinates off. An enabled one uploads its image
// lazily, on the first Handle request after a change.
class TGLTexture : public TGLUpdateAbleObject {
  KX_CLASS(TGLTexture, TGLUpdateAbleObject)
 public:
  explicit TGLTexture(TPersistent* owner);
  ~TGLTexture() override;

  // Always on unit 0; UnApply only matters for an enabled texture.
  void Apply(TRenderContextInfo& rci);
  void UnApply(TRenderContextInfo& rci);
  // The second texture of a library material, on unit 1, with that
  // material's texture matrix.
  void ApplyAsTexture2(const TMatrix& textureMatrix);
  void UnApplyAsTexture2(const TMatrix& textureMatrix);

  // The GL name, after the upload and parameter work the changes ask for;
  // needs a current context.
  virtual GLuint Handle();
  void PrepareHandle();
  virtual void PrepareImage(GLenum target);
  virtual void PrepareParams(GLenum target);
  bool IsHandleAllocated() const;
  // The GL name as it stands, without any upload; 0 when none.
  GLuint HandleName() const;
  // Frees the GL name; the next Handle request uploads anew.
  void DestroyHandles();
  GLint OpenGLTextureFormat() const;

  void Assign(TPersistent* source) override;

  TGLTextureImage* Image() const { return image_.get(); }
  // Takes a copy, replacing the image by one of the source's class when they differ.
  void SetImage(TGLTextureImage* source);
  std::string ImageClassName() const;
  // Empty or the current class name: nothing happens; an unknown name raises ETexture.
  void SetImageClassName(const std::string& name);
  TGLTextureImageAlpha ImageAlpha() const { return imageAlpha_; }
  void SetImageAlpha(TGLTextureImageAlpha value);
  TGLMagFilter MagFilter() const { return magFilter_; }
  void SetMagFilter(TGLMagFilter value);
  TGLMinFilter MinFilter() const { return minFilter_; }
  void SetMinFilter(TGLMinFilter value);
  TGLTextureMode TextureMode() const { return textureMode_; }
  void SetTextureMode(TGLTextureMode value);
  TGLTextureWrap TextureWrap() const { return textureWrap_; }
  void SetTextureWrap(TGLTextureWrap value);
  TGLTextureFormat TextureFormat() const { return textureFormat_; }
  void SetTextureFormat(TGLTextureFormat value);
  TGLTextureCompression Compression() const { return compression_; }
  void SetCompression(TGLTextureCompression value);
  TGLTextureFilteringQuality FilteringQuality() const { return filteringQuality_; }
  void SetFilteringQuality(TGLTextureFilteringQuality value);
  TGLTextureMappingMode MappingMode() const { return mappingMode_; }
  void SetMappingMode(TGLTextureMappingMode value);
  // Created on first read.
  TGLCoordinates* MappingSCoordinates();
  TGLCoordinates* MappingTCoordinates();
  void SetMappingSCoordinates(TGLCoordinates* value) { MappingSCoordinates()->Assign(value); }
  void SetMappingTCoordinates(TGLCoordinates* value) { MappingTCoordinates()->Assign(value); }
  bool Disabled() const { return disabled_; }
  void SetDisabled(bool value);

  TGLTextureChanges Changes() const { return changes_; }
  // Adds tcImage (an image's own change) and notifies the owner.
  void ImageChanged(TObject* sender);
  // The size actually uploaded, and the compressed size GL reported (-1: unknown).
  int TexWidth() const { return texWidth_; }
  int TexHeight() const { return texHeight_; }
  int RequiredMemory() const { return requiredMemory_; }

  TTextureNeededEvent OnTextureNeeded;

 private:
  void AdoptImage(std::unique_ptr<TGLTextureImage> image);
  void ChangeParams();
  void NotifyTexMap();
  void ApplyMappingMode();
  void UnApplyMappingMode();
  void ApplyAlpha(TGLBitmap32& bitmap) const;
  GLuint PrepareAndUpload();

  std::unique_ptr<TGLTextureHandle> handle_;
  std::unique_ptr<TGLTextureImage> image_;
  std::unique_ptr<TGLCoordinates> mapS_, mapT_;
  TGLTextureMode textureMode_ = tmDecal;
  TGLTextureWrap textureWrap_ = twBoth;
  TGLTextureFormat textureFormat_ = tfDefault;
  TGLMinFilter minFilter_ = miLinearMipmapLinear;
  TGLMagFilter magFilter_ = maLinear;
  TGLTextureChanges changes_{tcImage, tcParams};
  bool disabled_ = true;
  TGLTextureImageAlpha imageAlpha_ = tiaDefault;
  TGLTextureMappingMode mappingMode_ = tmmUser;
  TGLTextureCompression compression_ = tcDefault;
  int requiredMemory_ = -1;
  TGLTextureFilteringQuality filteringQuality_ = tfIsotropic;
  int texWidth_ = 0, texHeight_ = 0;
};

enum TBlendingMode { bmOpaque, bmTransparency, bmAdditive };
KX_ENUM_NAMES(TBlendingMode, "bmOpaque", "bmTransparency", "bmAdditive")
enum TMaterialOption { moIgnoreFog, moNoLighting };
KX_ENUM_NAMES(TMaterialOption, "moIgnoreFog", "moNoLighting")
using TMaterialOptions = TSet<TMaterialOption>;
enum TFaceCulling { fcBufferDefault, fcCull, fcNoCull };
KX_ENUM_NAMES(TFaceCulling, "fcBufferDefault", "fcCull", "fcNoCull")

class TGLLibMaterial;
class TGLMaterialLibrary;

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
  TGLMaterialLibrary* MaterialLibrary() const { return library_; }
  // Resolves the current LibMaterialName in the new library.
  void SetMaterialLibrary(TGLMaterialLibrary* value);
  const std::string& LibMaterialName() const { return libMaterialName_; }
  void SetLibMaterialName(const std::string& value);
  // The library entry this material hands its work to, or nullptr.
  TGLLibMaterial* LibMaterial() const { return libMaterial_; }
  // The library or its entry is going: forgets both, without notifying.
  void NotifyLibMaterialDestruction();

  // A resolved library entry does the work in place of this material.
  void Apply(TRenderContextInfo& rci);
  // True asks for the geometry once more (a library entry's multi-pass
  // shader); a plain material never does.
  bool UnApply(TRenderContextInfo& rci);
  void DestroyHandles();
  // Keeps this material's FaceCulling.
  void Assign(TPersistent* source) override;
  // To the owning node's plain notification, or to the users of the
  // owning library entry; nothing else.
  void NotifyChange(TObject* sender) override;
  // The owning node rebuilds its display list; an owning library entry
  // passes the news to its users.
  void NotifyTexMapChange();

 private:
  std::unique_ptr<TGLFaceProperties> front_, back_;
  TBlendingMode blendingMode_ = bmOpaque;
  TMaterialOptions options_;
  std::unique_ptr<TGLTexture> texture_;
  TFaceCulling faceCulling_ = fcBufferDefault;
  TGLMaterialLibrary* library_ = nullptr;
  std::string libMaterialName_;
  TGLLibMaterial* libMaterial_ = nullptr;
};

}  // namespace kx
