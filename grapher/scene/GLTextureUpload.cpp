// The texture of a material: its properties, its apply on unit 0 or 1, and
// the lazy upload of its image behind Handle.
#include "framework/core/SysUtils.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLStage.h"
#include "scene/GLTexture.h"
#include "scene/GLTextureImages.h"
#include "scene/XOpenGL.h"

namespace kx {

namespace {

constexpr const char* kModule = "GLTexture";
constexpr GLenum GL_TEXTURE_MAX_ANISOTROPY_EXT = 0x84FE, GL_TEXTURE_COMPRESSION_HINT_ARB = 0x84EF,
                 GL_TEXTURE_COMPRESSED_IMAGE_SIZE_ARB = 0x86A0, GL_REFLECTION_MAP_ARB = 0x8512,
                 GL_NORMAL_MAP_ARB = 0x8511;
// What "default" stands for: nothing here changes these.
constexpr TGLTextureFormat kDefaultTextureFormat = tfRGBA;
constexpr TGLTextureCompression kDefaultCompression = tcNone;

constexpr GLenum kTextureModes[] = {GL_DECAL, GL_MODULATE, GL_BLEND, GL_REPLACE};
constexpr GLenum kWrapS[] = {GL_REPEAT, GL_CLAMP, GL_CLAMP, GL_REPEAT};
constexpr GLenum kWrapT[] = {GL_REPEAT, GL_CLAMP, GL_REPEAT, GL_CLAMP};
constexpr GLenum kMinFilters[] = {GL_NEAREST,
                                  GL_LINEAR,
                                  GL_NEAREST_MIPMAP_NEAREST,
                                  GL_LINEAR_MIPMAP_NEAREST,
                                  GL_NEAREST_MIPMAP_LINEAR,
                                  GL_LINEAR_MIPMAP_LINEAR};
constexpr GLenum kMagFilters[] = {GL_NEAREST, GL_LINEAR};
// Indexed by TGLTextureFormat from tfRGB on.
constexpr GLint kUncompressedFormats[] = {GL_RGB,       GL_RGBA,      GL_RGB5,
                                          GL_RGBA4,     GL_ALPHA,     GL_LUMINANCE,
                                          GL_LUMINANCE_ALPHA, GL_INTENSITY};
constexpr GLint kCompressedFormats[] = {0x84ED, 0x84EE, 0x84ED, 0x84EE, 0x84E9, 0x84EA, 0x84EB, 0x84EC};

template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

KX_PUBLISH(TGLTexture) {
  p.Property("ImageClassName", &TGLTexture::ImageClassName, &TGLTexture::SetImageClassName);
  p.Property("Image", &TGLTexture::Image, &TGLTexture::SetImage);
  p.Property("ImageAlpha", &TGLTexture::ImageAlpha, &TGLTexture::SetImageAlpha).Default(tiaDefault);
  p.Property("MagFilter", &TGLTexture::MagFilter, &TGLTexture::SetMagFilter).Default(maLinear);
  p.Property("MinFilter", &TGLTexture::MinFilter, &TGLTexture::SetMinFilter).Default(miLinearMipmapLinear);
  p.Property("TextureMode", &TGLTexture::TextureMode, &TGLTexture::SetTextureMode).Default(tmDecal);
  p.Property("TextureWrap", &TGLTexture::TextureWrap, &TGLTexture::SetTextureWrap).Default(twBoth);
  p.Property("TextureFormat", &TGLTexture::TextureFormat, &TGLTexture::SetTextureFormat).Default(tfDefault);
  p.Property("Compression", &TGLTexture::Compression, &TGLTexture::SetCompression).Default(tcDefault);
  p.Property("FilteringQuality", &TGLTexture::FilteringQuality, &TGLTexture::SetFilteringQuality)
      .Default(tfIsotropic);
  p.Property("MappingMode", &TGLTexture::MappingMode, &TGLTexture::SetMappingMode).Default(tmmUser);
  p.Property(
      "MappingSCoordinates", [](const TGLTexture& t) { return const_cast<TGLTexture&>(t).MappingSCoordinates(); },
      &TGLTexture::SetMappingSCoordinates);
  p.Property(
      "MappingTCoordinates", [](const TGLTexture& t) { return const_cast<TGLTexture&>(t).MappingTCoordinates(); },
      &TGLTexture::SetMappingTCoordinates);
  p.Property("Disabled", &TGLTexture::Disabled, &TGLTexture::SetDisabled).Default(true);
}

TGLTexture::TGLTexture(TPersistent* owner)
    : TGLUpdateAbleObject(owner), handle_(std::make_unique<TGLTextureHandle>()) {
  AdoptImage(TextureImageClassOf<TGLPersistentImage>().Create(this));
}

TGLTexture::~TGLTexture() {
  // The image and the planes go before the handle, whose name is released in its context.
  image_.reset();
  mapS_.reset();
  mapT_.reset();
}

void TGLTexture::AdoptImage(std::unique_ptr<TGLTextureImage> image) {
  image_ = std::move(image);
  image_->OnTextureNeeded = TTextureNeededEvent([this](TObject* sender, std::string& name) {
    OnTextureNeeded(sender, name);
  });
}

// Properties --------------------------------------------------------------------------------

void TGLTexture::ChangeParams() {
  changes_.Include(tcParams);
  NotifyChange(this);
}

void TGLTexture::ImageChanged(TObject* sender) {
  changes_.Include(tcImage);
  NotifyChange(sender);
}

// A switch of texturing changes what the owner's display list holds.
void TGLTexture::NotifyTexMap() {
  if (auto* material = dynamic_cast<TGLMaterial*>(Owner())) material->NotifyTexMapChange();
}

void TGLTexture::SetMagFilter(TGLMagFilter value) {
  if (Store(magFilter_, value)) ChangeParams();
}
void TGLTexture::SetMinFilter(TGLMinFilter value) {
  if (Store(minFilter_, value)) ChangeParams();
}
void TGLTexture::SetTextureMode(TGLTextureMode value) {
  if (Store(textureMode_, value)) ChangeParams();
}
void TGLTexture::SetTextureWrap(TGLTextureWrap value) {
  if (Store(textureWrap_, value)) ChangeParams();
}
void TGLTexture::SetTextureFormat(TGLTextureFormat value) {
  if (Store(textureFormat_, value)) ChangeParams();
}
void TGLTexture::SetCompression(TGLTextureCompression value) {
  if (Store(compression_, value)) ChangeParams();
}
void TGLTexture::SetFilteringQuality(TGLTextureFilteringQuality value) {
  if (Store(filteringQuality_, value)) ChangeParams();
}

void TGLTexture::SetImageAlpha(TGLTextureImageAlpha value) {
  imageAlpha_ = value;
  changes_.Include(tcImage);
  NotifyChange(this);
}

void TGLTexture::SetDisabled(bool value) {
  if (!Store(disabled_, value)) return;
  if (dynamic_cast<TGLMaterial*>(Owner()))
    NotifyTexMap();
  else
    NotifyChange(this);
}

void TGLTexture::SetMappingMode(TGLTextureMappingMode value) {
  const TGLTextureMappingMode old = mappingMode_;
  if (!Store(mappingMode_, value)) return;
  if (old == tmmUser || value == tmmUser)
    NotifyTexMap();
  else
    NotifyChange(this);
}

TGLCoordinates* TGLTexture::MappingSCoordinates() {
  if (!mapS_) mapS_ = std::make_unique<TGLCoordinates>(this, TVector{1, 0, 0, 0}, csVector);
  return mapS_.get();
}

TGLCoordinates* TGLTexture::MappingTCoordinates() {
  if (!mapT_) mapT_ = std::make_unique<TGLCoordinates>(this, TVector{1, 0, 0, 0}, csVector);
  return mapT_.get();
}

std::string TGLTexture::ImageClassName() const { return image_->ClassName(); }

void TGLTexture::SetImageClassName(const std::string& name) {
  if (name.empty() || name == ImageClassName()) return;
  const TGLTextureImageClass* cls = FindGLTextureImageClass(name);
  // Nothing defines another outcome; an unknown kind must not leave the texture without an image.
  if (!cls) throw ETexture("Unknown texture image class: " + name);
  AdoptImage(cls->Create(this));
  changes_.Include(tcImage);
  NotifyChange(this);
}

void TGLTexture::SetImage(TGLTextureImage* source) {
  if (!source || source == image_.get()) return;
  if (&source->ClassType() != &image_->ClassType()) {
    const TGLTextureImageClass* cls = FindGLTextureImageClass(source->ClassName());
    if (!cls) throw ETexture("Unknown texture image class: " + source->ClassName());
    AdoptImage(cls->Create(this));
  }
  image_->Assign(source);
}

void TGLTexture::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLTexture*>(source)) {
    if (other == this) return;
    imageAlpha_ = other->imageAlpha_;
    textureMode_ = other->textureMode_;
    textureWrap_ = other->textureWrap_;
    textureFormat_ = other->textureFormat_;
    compression_ = other->compression_;
    minFilter_ = other->minFilter_;
    magFilter_ = other->magFilter_;
    mappingMode_ = other->mappingMode_;
    MappingSCoordinates()->Assign(other->MappingSCoordinates());
    MappingTCoordinates()->Assign(other->MappingTCoordinates());
    disabled_ = other->disabled_;
    SetImage(other->image_.get());
    changes_ = {tcImage, tcParams};
    NotifyChange(this);
    return;
  }
  if (dynamic_cast<TGraphic*>(source)) {
    image_->Assign(source);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

// Apply ------------------------------------------------------------------------------------

void TGLTexture::Apply(TRenderContextInfo& rci) {
  if (disabled_) {
    UnSetGLState(rci.glStates, stTexture2D);
    xglMapTexCoordToNull();
    return;
  }
  const GLenum target = image_->NativeTextureTarget();
  if (target == GL_TEXTURE_2D) {
    SetGLState(rci.glStates, stTexture2D);
    SetGLCurrentTexture(0, GL_TEXTURE_2D, Handle());
  } else if (target == GL_TEXTURE_CUBE_MAP_ARB && GLCaps.GL_ARB_texture_cube_map) {
    SetGLState(rci.glStates, stTextureCubeMap);
    SetGLCurrentTexture(0, GL_TEXTURE_CUBE_MAP_ARB, Handle());
    // Reflections follow the eye: the view's rotation, without its translation.
    TMatrix m = rci.modelViewMatrix ? *rci.modelViewMatrix : IdentityHmgMatrix;
    NormalizeMatrix(m);
    GL.glMatrixMode(GL_TEXTURE);
    if (GLCaps.GL_ARB_transpose_matrix && GL.glLoadTransposeMatrixfARB) {
      GL.glLoadTransposeMatrixfARB(&m[0][0]);
    } else {
      TransposeMatrix(m);
      GL.glLoadMatrixf(&m[0][0]);
    }
    GL.glMatrixMode(GL_MODELVIEW);
  }
  GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, kTextureModes[textureMode_]);
  ApplyMappingMode();
  xglMapTexCoordToMain();
}

void TGLTexture::UnApply(TRenderContextInfo& rci) {
  if (disabled_) return;
  if (rci.glStates.Contains(stTextureCubeMap)) {
    UnSetGLState(rci.glStates, stTextureCubeMap);
    GL.glMatrixMode(GL_TEXTURE);
    GL.glLoadIdentity();
    GL.glMatrixMode(GL_MODELVIEW);
  }
  UnApplyMappingMode();
}

void TGLTexture::ApplyAsTexture2(const TMatrix& textureMatrix) {
  if (disabled_ || !GL.glActiveTextureARB) return;
  const GLenum target = image_->NativeTextureTarget();
  GL.glActiveTextureARB(GL_TEXTURE1_ARB);
  GL.glEnable(target);
  SetGLCurrentTexture(1, target, Handle());
  GL.glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, kTextureModes[textureMode_]);
  ApplyMappingMode();
  if (textureMatrix != IdentityHmgMatrix) {
    GL.glMatrixMode(GL_TEXTURE);
    GL.glLoadMatrixf(&textureMatrix[0][0]);
    GL.glMatrixMode(GL_MODELVIEW);
  }
  GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::UnApplyAsTexture2(const TMatrix& textureMatrix) {
  if (!GL.glActiveTextureARB) return;
  GL.glActiveTextureARB(GL_TEXTURE1_ARB);
  UnApplyMappingMode();
  if (textureMatrix != IdentityHmgMatrix) {
    GL.glMatrixMode(GL_TEXTURE);
    GL.glLoadIdentity();
    GL.glMatrixMode(GL_MODELVIEW);
  }
  GL.glDisable(image_->NativeTextureTarget());
  GL.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void TGLTexture::ApplyMappingMode() {
  auto generate = [](GLenum mode, bool withR) {
    GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
    GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
    if (withR) GL.glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, mode);
    GL.glEnable(GL_TEXTURE_GEN_S);
    GL.glEnable(GL_TEXTURE_GEN_T);
    if (withR) GL.glEnable(GL_TEXTURE_GEN_R);
  };
  auto planes = [this](GLenum mode, GLenum plane) {
    GL.glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, mode);
    GL.glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, mode);
    GL.glTexGenfv(GL_S, plane, MappingSCoordinates()->AsAddress());
    GL.glTexGenfv(GL_T, plane, MappingTCoordinates()->AsAddress());
    GL.glEnable(GL_TEXTURE_GEN_S);
    GL.glEnable(GL_TEXTURE_GEN_T);
  };
  switch (mappingMode_) {
    case tmmUser:
      break;
    case tmmObjectLinear:
      planes(GL_OBJECT_LINEAR, GL_OBJECT_PLANE);
      break;
    case tmmEyeLinear:
      planes(GL_EYE_LINEAR, GL_EYE_PLANE);
      break;
    case tmmSphere:
      generate(GL_SPHERE_MAP, false);
      break;
    case tmmCubeMapReflection:
      generate(GL_REFLECTION_MAP_ARB, true);
      break;
    case tmmCubeMapNormal:
      generate(GL_NORMAL_MAP_ARB, true);
      break;
    default:
      AssertFailed("Unknown texture mapping mode", kModule, __LINE__);
  }
}

void TGLTexture::UnApplyMappingMode() {
  if (mappingMode_ == tmmUser) return;
  GL.glDisable(GL_TEXTURE_GEN_S);
  GL.glDisable(GL_TEXTURE_GEN_T);
  GL.glDisable(GL_TEXTURE_GEN_R);
}

// Handle and upload -------------------------------------------------------------------------

bool TGLTexture::IsHandleAllocated() const { return handle_->Handle() != 0; }

GLuint TGLTexture::HandleName() const { return handle_->Handle(); }

void TGLTexture::DestroyHandles() {
  handle_->DestroyHandle();
  changes_ = {tcImage, tcParams};
  requiredMemory_ = -1;
}

static bool CubeMapUnsupported(GLenum target) {
  return target == GL_TEXTURE_CUBE_MAP_ARB && !GLCaps.GL_ARB_texture_cube_map;
}

void TGLTexture::PrepareHandle() {
  if (handle_->Handle() == 0) {
    handle_->AllocateHandle();
    KX_SCENE_ASSERT(handle_->Handle() != 0, kModule);
  }
  const GLenum target = image_->NativeTextureTarget();
  if (!CubeMapUnsupported(target)) {
    GL.glBindTexture(target, handle_->Handle());
    PrepareParams(target);
  }
  changes_ = {};
}

GLuint TGLTexture::Handle() {
  if (handle_->Handle() != 0 && changes_.Bits() == 0) return handle_->Handle();
  PrepareHandle();
  const GLenum target = image_->NativeTextureTarget();
  if (CubeMapUnsupported(target)) return handle_->Handle();
  if (target == GL_TEXTURE_CUBE_MAP_ARB) {
    if (static_cast<TGLCubeMapImage*>(image_.get())->FacesFit())
      for (GLenum face = GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB; face <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB; ++face)
        PrepareImage(face);
  } else {
    PrepareImage(target);
  }
  return handle_->Handle();
}

void TGLTexture::PrepareParams(GLenum target) {
  GL.glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  GL.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  GL.glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  GL.glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  GL.glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  GL.glTexParameteri(target, GL_TEXTURE_WRAP_S, kWrapS[textureWrap_]);
  GL.glTexParameteri(target, GL_TEXTURE_WRAP_T, kWrapT[textureWrap_]);
  GL.glTexParameteri(target, GL_TEXTURE_MIN_FILTER, kMinFilters[minFilter_]);
  GL.glTexParameteri(target, GL_TEXTURE_MAG_FILTER, kMagFilters[magFilter_]);
  if (GLCaps.GL_EXT_texture_filter_anisotropic)
    GL.glTexParameteri(target, GL_TEXTURE_MAX_ANISOTROPY_EXT, filteringQuality_ == tfAnisotropic ? 2 : 1);
}

GLint TGLTexture::OpenGLTextureFormat() const {
  const TGLTextureFormat format = textureFormat_ == tfDefault ? kDefaultTextureFormat : textureFormat_;
  TGLTextureCompression compression = tcNone;
  if (GLCaps.GL_ARB_texture_compression)
    compression = compression_ == tcDefault ? kDefaultCompression : compression_;
  if (compression == tcNone) return kUncompressedFormats[format - tfRGB];
  switch (compression) {
    case tcStandard:
      GL.glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, GL_DONT_CARE);
      break;
    case tcHighQuality:
      GL.glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, GL_NICEST);
      break;
    case tcHighSpeed:
      GL.glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, GL_FASTEST);
      break;
    default:
      AssertFailed("Unknown texture compression", kModule, __LINE__);
  }
  return kCompressedFormats[format - tfRGB];
}

void TGLTexture::ApplyAlpha(TGLBitmap32& bitmap) const {
  switch (imageAlpha_) {
    case tiaDefault:
      break;
    case tiaAlphaFromIntensity:
    case tiaLuminance:
      bitmap.SetAlphaFromIntensity();
      break;
    case tiaSuperBlackTransparent:
      bitmap.SetAlphaTransparentForColor(TGLPixel32{0, 0, 0, 0});
      break;
    case tiaLuminanceSqrt:
      bitmap.SetAlphaFromIntensity();
      bitmap.SetAlphaFromSqrtIntensity();
      break;
    case tiaOpaque:
      bitmap.SetAlphaToValue(255);
      break;
    case tiaTopLeftPointColorTransparent:
      bitmap.SetAlphaTransparentForColor(bitmap.Data()[0]);
      break;
    default:
      AssertFailed("Unknown texture image alpha", kModule, __LINE__);
  }
}

void TGLTexture::PrepareImage(GLenum target) {
  TGLBitmap32* bitmap = image_->GetBitmap32(target);
  if (!bitmap || bitmap->IsEmpty()) return;
  // The converted pixels live only for the upload.
  struct Release {
    TGLTextureImage& image;
    ~Release() { image.ReleaseBitmap32(); }
  } release{*image_};
  const GLint internalFormat = OpenGLTextureFormat();
  ApplyAlpha(*bitmap);
  GLStage::CheckOpenGLError();
  bitmap->RegisterAsOpenGLTexture(target, minFilter_, internalFormat, texWidth_, texHeight_);
  GLint size = -1;
  GL.glGetTexLevelParameteriv(target, 0, GL_TEXTURE_COMPRESSED_IMAGE_SIZE_ARB, &size);
  requiredMemory_ = GL.glGetError() != GL_NO_ERROR ? -1 : size;
  GLStage::ClearGLError();
}

}  // namespace kx
