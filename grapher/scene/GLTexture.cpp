#include "scene/GLTexture.h"

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLStageNode.h"
#include "scene/GLTextureLibrary.h"
#include "scene/XOpenGL.h"

#include <windows.h>

#include <array>

namespace kx {

namespace {

constexpr const char* kModule = "GLTexture";
constexpr int kCyclicReferenceLine = 3304;
// Longest chain of materials naming library entries whose materials name
// further entries.
constexpr int kMaxLibraryChain = 16;
constexpr int32_t kColorSize = 4 * sizeof(float);
constexpr uint8_t kMaxShininess = 128;
constexpr TColorVector kDefaultAmbient{0.2f, 0.2f, 0.2f, 1}, kDefaultDiffuse{0.8f, 0.8f, 0.8f, 1},
    kOpaqueBlack{0, 0, 0, 1};

std::array<TColorVector, kSystemColorVectors> SystemColors;

struct TextureModule {
  TextureModule() {
    for (int i = 0; i < kSystemColorVectors; ++i) SystemColors[i] = ConvertWinColor(TColor(0x80000000u | i));
  }
};
TextureModule textureModule;

}  // namespace

KX_PUBLISH(TGLColor) {
  p.Property("Red", &TGLColor::Red, &TGLColor::SetRed).NotStored();
  p.Property("Green", &TGLColor::Green, &TGLColor::SetGreen).NotStored();
  p.Property("Blue", &TGLColor::Blue, &TGLColor::SetBlue).NotStored();
  p.Property("Alpha", &TGLColor::Alpha, &TGLColor::SetAlpha).NotStored();
}

KX_PUBLISH(TGLFaceProperties) {
  p.Property("Ambient", &TGLFaceProperties::Ambient, &TGLFaceProperties::SetAmbient);
  p.Property("Diffuse", &TGLFaceProperties::Diffuse, &TGLFaceProperties::SetDiffuse);
  p.Property("Emission", &TGLFaceProperties::Emission, &TGLFaceProperties::SetEmission);
  p.Property("Shininess", &TGLFaceProperties::Shininess, &TGLFaceProperties::SetShininess).Default(0);
  p.Property("PolygonMode", &TGLFaceProperties::PolygonMode, &TGLFaceProperties::SetPolygonMode).Default(pmFill);
  p.Property("Specular", &TGLFaceProperties::Specular, &TGLFaceProperties::SetSpecular);
}

KX_PUBLISH(TGLMaterial) {
  // Created on first access.
  p.Property(
      "BackProperties", [](const TGLMaterial& m) { return const_cast<TGLMaterial&>(m).BackProperties(); },
      &TGLMaterial::SetBackProperties);
  p.Property("FrontProperties", &TGLMaterial::FrontProperties, &TGLMaterial::SetFrontProperties);
  p.Property("BlendingMode", &TGLMaterial::BlendingMode, &TGLMaterial::SetBlendingMode).Default(bmOpaque);
  p.Property("MaterialOptions", &TGLMaterial::MaterialOptions, &TGLMaterial::SetMaterialOptions).Default(0);
  p.Property("Texture", &TGLMaterial::Texture, &TGLMaterial::SetTexture);
  p.Property("FaceCulling", &TGLMaterial::FaceCulling, &TGLMaterial::SetFaceCulling).Default(fcBufferDefault);
  p.Property("MaterialLibrary", &TGLMaterial::MaterialLibrary, &TGLMaterial::SetMaterialLibrary);
  p.Property("LibMaterialName", &TGLMaterial::LibMaterialName, &TGLMaterial::SetLibMaterialName);
}

TColorVector ConvertWinColor(TColor color, float alpha) {
  const uint32_t value = color < 0 ? GetSysColor(color & 0xFF) : static_cast<uint32_t>(color);
  constexpr long double kScale = 1.0L / 255;
  return {Single((value & 0xFF) * kScale), Single(((value >> 8) & 0xFF) * kScale),
          Single(((value >> 16) & 0xFF) * kScale), alpha};
}

const TColorVector& SystemColorVector(int index) {
  KX_SCENE_ASSERT(index >= 0 && index < kSystemColorVectors, kModule);
  return SystemColors[index];
}

// TGLColor ---------------------------------------------------------------------------

TGLColor::TGLColor(TPersistent* owner) : TGLUpdateAbleObject(owner) {}

TGLColor::TGLColor(TPersistent* owner, const TColorVector& color, TNotifyEvent changeHandler)
    : TGLUpdateAbleObject(owner), color_(color) {
  OnNotifyChange = std::move(changeHandler);
}

void TGLColor::SetColorVector(const TColorVector& color) {
  color_ = color;
  NotifyChange(this);
}

void TGLColor::SetColorComponent(int index, float value) {
  KX_SCENE_ASSERT(index >= 0 && index < 4, kModule);
  if (color_[index] == value) return;
  color_[index] = value;
  NotifyChange(this);
}

void TGLColor::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLColor*>(source)) {
    color_ = other->color_;
    NotifyChange(this);
    return;
  }
  TGLUpdateAbleObject::Assign(source);
}

void TGLColor::DefineProperties(TFiler& filer) {
  TGLUpdateAbleObject::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Color",
      [this](TStream& stream) {
        if (stream.Size() != kColorSize) throw EReadError("Color must hold four singles");
        stream.Read(color_.data(), kColorSize);
      },
      [this](TStream& stream) { stream.Write(color_.data(), kColorSize); }, true);
}

void TGLColor::NotifyChange(TObject* sender) {
  if (!Owner()) return;
  if (auto* node = dynamic_cast<TGLBaseSceneObject*>(Owner())) node->StructureChanged();
  TGLUpdateAbleObject::NotifyChange(sender);
}

// TGLFaceProperties ------------------------------------------------------------------

TGLFaceProperties::TGLFaceProperties(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      ambient_(std::make_unique<TGLColor>(this, kDefaultAmbient)),
      diffuse_(std::make_unique<TGLColor>(this, kDefaultDiffuse)),
      emission_(std::make_unique<TGLColor>(this, kOpaqueBlack)),
      specular_(std::make_unique<TGLColor>(this, kOpaqueBlack)) {}

void TGLFaceProperties::SetColor(TGLColor& own, TGLColor* given) {
  if (given) own.Initialize(given->Color());
  NotifyChange(this);
}

void TGLFaceProperties::SetShininess(uint8_t value) {
  if (value > kMaxShininess)
    throw EPropertyError("Shininess " + std::to_string(value) + " is outside 0.." + std::to_string(kMaxShininess));
  if (value == shininess_) return;
  shininess_ = value;
  NotifyChange(this);
}

void TGLFaceProperties::SetPolygonMode(TPolygonMode value) {
  if (value == polygonMode_) return;
  polygonMode_ = value;
  NotifyChange(this);
}

void TGLFaceProperties::Apply(GLenum face, bool lighting) {
  static constexpr GLenum kModes[] = {GL_FILL, GL_LINE, GL_POINT};
  if (lighting)
    SetGLMaterialColors(face, emission_->Color(), ambient_->Color(), diffuse_->Color(), specular_->Color(), shininess_);
  else
    GL.glColor4fv(diffuse_->AsAddress());
  SetGLPolygonMode(face, kModes[polygonMode_]);
}

void TGLFaceProperties::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLFaceProperties*>(source);
  if (!other) return;
  ambient_->Initialize(other->ambient_->Color());
  diffuse_->Initialize(other->diffuse_->Color());
  specular_->Initialize(other->specular_->Color());
  shininess_ = other->shininess_;
  polygonMode_ = other->polygonMode_;
  emission_->Initialize(other->emission_->Color());
  NotifyChange(this);
}

// TGLMaterial ----------------------------------------------------------------------------

TGLMaterial::TGLMaterial(TPersistent* owner)
    : TGLUpdateAbleObject(owner),
      front_(std::make_unique<TGLFaceProperties>(this)),
      texture_(std::make_unique<TGLTexture>(this)) {}

TGLMaterial::~TGLMaterial() {
  if (libMaterial_) libMaterial_->UnregisterUser(this);
  if (library_) library_->RemoveReferrer(this);
}

void TGLMaterial::SetMaterialLibrary(TGLMaterialLibrary* value) {
  if (value != library_) {
    if (library_) library_->RemoveReferrer(this);
    library_ = value;
    if (library_) library_->AddReferrer(this);
  }
  SetLibMaterialName(libMaterialName_);
}

void TGLMaterial::SetLibMaterialName(const std::string& value) {
  TGLLibMaterial* found = library_ ? library_->Materials()->GetLibMaterialByName(value) : nullptr;
  // A chain that comes back to a material it passed would recurse at the
  // first apply; it is refused here instead.
  TGLLibMaterial* step = found;
  for (int steps = 0; step; ++steps) {
    if (steps == kMaxLibraryChain)
      AssertFailed("Error: Cyclic material reference detected!", kModule, kCyclicReferenceLine);
    TGLMaterial* next = step->Material();
    const std::string& nextName = next == this ? value : next->libMaterialName_;
    step = next->library_ ? next->library_->Materials()->GetLibMaterialByName(nextName) : nullptr;
  }
  libMaterialName_ = value;
  if (found == libMaterial_) return;
  if (libMaterial_) libMaterial_->UnregisterUser(this);
  libMaterial_ = found;
  if (libMaterial_) libMaterial_->RegisterUser(this);
  NotifyTexMapChange();
}

void TGLMaterial::NotifyLibMaterialDestruction() {
  if (library_) library_->RemoveReferrer(this);
  library_ = nullptr;
  libMaterialName_.clear();
  libMaterial_ = nullptr;
}

TGLFaceProperties* TGLMaterial::BackProperties() {
  if (!back_) back_ = std::make_unique<TGLFaceProperties>(this);
  return back_.get();
}

void TGLMaterial::SetBackProperties(TGLFaceProperties* value) {
  BackProperties()->Assign(value);
  NotifyChange(this);
}

void TGLMaterial::SetFrontProperties(TGLFaceProperties* value) {
  front_->Assign(value);
  NotifyChange(this);
}

void TGLMaterial::SetBlendingMode(TBlendingMode value) {
  if (value == blendingMode_) return;
  blendingMode_ = value;
  NotifyChange(this);
}

void TGLMaterial::SetMaterialOptions(TMaterialOptions value) {
  if (value == options_) return;
  options_ = value;
  NotifyChange(this);
}

void TGLMaterial::SetTexture(TGLTexture* value) { texture_->Assign(value); }

void TGLMaterial::SetFaceCulling(TFaceCulling value) {
  if (value == faceCulling_) return;
  faceCulling_ = value;
  NotifyChange(this);
}

void TGLMaterial::Apply(TRenderContextInfo& rci) {
  if (libMaterial_) {
    libMaterial_->Apply(rci);
    return;
  }
  if (options_.Contains(moNoLighting) && rci.glStates.Contains(stLighting)) {
    UnSetGLState(rci.glStates, stLighting);
    ++rci.lightingDisabledCounter;
  }
  front_->Apply(GL_FRONT, rci.glStates.Contains(stLighting));
  const bool culling = rci.glStates.Contains(stCullFace);
  switch (faceCulling_) {
    case fcBufferDefault:
      if (rci.bufferFaceCull) {
        if (!culling) SetGLState(rci.glStates, stCullFace);
      } else {
        if (culling) UnSetGLState(rci.glStates, stCullFace);
        BackProperties()->Apply(GL_BACK, true);
      }
      break;
    case fcCull:
      if (!culling) SetGLState(rci.glStates, stCullFace);
      break;
    case fcNoCull:
      if (culling) UnSetGLState(rci.glStates, stCullFace);
      BackProperties()->Apply(GL_BACK, true);
      break;
  }
  switch (blendingMode_) {
    case bmOpaque:
      UnSetGLState(rci.glStates, stBlend);
      break;
    case bmTransparency:
      SetGLState(rci.glStates, stBlend);
      GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
    case bmAdditive:
      SetGLState(rci.glStates, stBlend);
      GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
  }
  if (options_.Contains(moIgnoreFog) && rci.glStates.Contains(stFog)) {
    UnSetGLState(rci.glStates, stFog);
    ++rci.fogDisabledCounter;
  }
  texture_->Apply(rci);
}

bool TGLMaterial::UnApply(TRenderContextInfo& rci) {
  if (libMaterial_) return libMaterial_->UnApply(rci);
  if (options_.Contains(moNoLighting) && rci.lightingDisabledCounter > 0) {
    if (--rci.lightingDisabledCounter == 0) SetGLState(rci.glStates, stLighting);
  }
  if (options_.Contains(moIgnoreFog) && rci.fogDisabledCounter > 0) {
    if (--rci.fogDisabledCounter == 0) SetGLState(rci.glStates, stFog);
  }
  if (!texture_->Disabled()) texture_->UnApply(rci);
  return false;
}

void TGLMaterial::DestroyHandles() { texture_->DestroyHandles(); }

void TGLMaterial::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLMaterial*>(source);
  if (!other) {
    TGLUpdateAbleObject::Assign(source);
    return;
  }
  if (other->back_)
    BackProperties()->Assign(other->back_.get());
  else
    back_.reset();
  front_->Assign(other->front_.get());
  blendingMode_ = other->blendingMode_;
  options_ = other->options_;
  texture_->Assign(other->texture_.get());
  if (other->library_ != library_) {
    if (library_) library_->RemoveReferrer(this);
    library_ = other->library_;
    if (library_) library_->AddReferrer(this);
  }
  SetLibMaterialName(other->libMaterialName_);
  NotifyChange(this);
}

void TGLMaterial::NotifyChange(TObject*) {
  if (auto* node = dynamic_cast<TGLBaseSceneObject*>(Owner()))
    node->NotifyChange(this);
  else if (auto* entry = dynamic_cast<TGLLibMaterial*>(Owner()))
    entry->NotifyUsers();
}

void TGLMaterial::NotifyTexMapChange() {
  if (auto* node = dynamic_cast<TGLBaseSceneObject*>(Owner()))
    node->StructureChanged();
  else if (auto* entry = dynamic_cast<TGLLibMaterial*>(Owner()))
    entry->NotifyUsersOfTexMapChange();
}

}  // namespace kx
