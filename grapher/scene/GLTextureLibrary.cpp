#include "scene/GLTextureLibrary.h"

#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLTextureImages.h"
#include "scene/XOpenGL.h"

#include <windows.h>

#include <algorithm>

namespace kx {

namespace {

constexpr const char* kModule = "GLTexture";
constexpr int kShaderApplyLine = 2499, kShaderUnApplyLine = 2510;
constexpr int kMaterialUserLine = 3654, kLibMaterialUserLine = 3669;
constexpr int kForeignUserLine = 3695, kForeignTexMapUserLine = 3719;
constexpr const char* kUnbalanced = "Unbalanced shader application.";
constexpr TVector kNoOffset{0, 0, 0, 0}, kUnitScale{1, 1, 1, 0};

// Holds a walk's flag set until the walk ends, on every way out.
struct WalkGuard {
  explicit WalkGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~WalkGuard() { flag_ = false; }
  WalkGuard(const WalkGuard&) = delete;
  WalkGuard& operator=(const WalkGuard&) = delete;
  bool& flag_;
};

struct LibraryModule {
  LibraryModule() { RegisterClasses({&TGLMaterialLibrary::StaticClass()}); }
};
LibraryModule libraryModule;

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TrimBlanksAndControls(const std::string& text) {
  const auto keep = [](char c) { return static_cast<unsigned char>(c) > ' '; };
  const auto first = std::find_if(text.begin(), text.end(), keep);
  const auto last = std::find_if(text.rbegin(), text.rend(), keep).base();
  return first < last ? std::string(first, last) : std::string();
}

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace

KX_PUBLISH(TGLShader) {}

KX_PUBLISH(TGLLibMaterial) {
  p.Property("Name", &TGLLibMaterial::Name, &TGLLibMaterial::SetName);
  p.Property("Material", &TGLLibMaterial::Material, &TGLLibMaterial::SetMaterial);
  p.Property("Tag", &TGLLibMaterial::Tag, &TGLLibMaterial::SetTag).Default(0);
  p.Property("TextureOffset", &TGLLibMaterial::TextureOffset, &TGLLibMaterial::SetTextureOffset);
  p.Property("TextureScale", &TGLLibMaterial::TextureScale, &TGLLibMaterial::SetTextureScale);
  p.Property("Texture2Name", &TGLLibMaterial::Texture2Name, &TGLLibMaterial::SetTexture2Name);
  p.Property("Shader", &TGLLibMaterial::Shader, &TGLLibMaterial::SetShader);
}

KX_PUBLISH(TGLLibMaterials) {}

KX_PUBLISH(TGLMaterialLibrary) {
  p.Property("Materials", &TGLMaterialLibrary::Materials, &TGLMaterialLibrary::SetMaterials);
  p.Property("TexturePaths", &TGLMaterialLibrary::TexturePaths, &TGLMaterialLibrary::SetTexturePaths);
  p.Field("OnTextureNeeded", &TGLMaterialLibrary::OnTextureNeeded);
}

// TGLShader ----------------------------------------------------------------------------

TGLShader::TGLShader(TComponent* owner) : TGLUpdateAbleComponent(owner) {
  // The name only tells whether DoInitialize ran in the current context.
  handle_.OnGenerate = [this](TGLVirtualHandle*, GLuint& name) {
    name = 1;
    DoInitialize();
  };
  handle_.OnDelete = [this](TGLVirtualHandle*, GLuint& name) {
    DoFinalize();
    name = 0;
  };
}

TGLShader::~TGLShader() {
  handle_.DestroyHandle();
  while (!users_.empty()) users_.back()->SetShader(nullptr);
}

void TGLShader::BeforeDestruction() {
  handle_.DestroyHandle();
  TGLUpdateAbleComponent::BeforeDestruction();
}

void TGLShader::SetShaderStyle(TGLShaderStyle value) {
  if (StoreChanged(style_, value)) NotifyChange(this);
}

void TGLShader::Apply(TRenderContextInfo& rci, TObject* sender) {
  Assert(!active_, kUnbalanced, kModule, kShaderApplyLine);
  if (handle_.Handle() == 0) handle_.AllocateHandle();
  DoApply(rci, sender);
  active_ = true;
}

bool TGLShader::UnApply(TRenderContextInfo& rci) {
  Assert(active_, kUnbalanced, kModule, kShaderUnApplyLine);
  const bool again = DoUnApply(rci);
  if (!again) active_ = false;
  return again;
}

void TGLShader::RegisterUser(TGLLibMaterial* user) {
  if (std::find(users_.begin(), users_.end(), user) == users_.end()) users_.push_back(user);
}

void TGLShader::UnRegisterUser(TGLLibMaterial* user) {
  users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void TGLShader::NotifyChange(TObject*) {
  for (auto it = users_.rbegin(); it != users_.rend(); ++it) (*it)->NotifyUsers();
}

// TGLLibMaterial -------------------------------------------------------------------------

TGLLibMaterial::TGLLibMaterial(TCollection* collection)
    : TCollectionItem(collection),
      material_(std::make_unique<TGLMaterial>(this)),
      textureOffset_(std::make_unique<TGLCoordinates>(this, kNoOffset, csUnknown)),
      textureScale_(std::make_unique<TGLCoordinates>(this, kUnitScale, csUnknown)) {
  name_ = static_cast<TGLLibMaterials*>(collection)->MakeUniqueName("LibMaterial");
  material_->Texture()->OnTextureNeeded =
      TTextureNeededEvent([this](TObject*, std::string& name) { ResolveTextureName(name); });
}

TGLLibMaterial::~TGLLibMaterial() {
  SetShader(nullptr);
  SetTexture2Name("");
  DetachUsers();
}

void TGLLibMaterial::DetachUsers() {
  const std::vector<TObject*> users = std::move(users_);
  users_.clear();
  for (TObject* user : users) {
    if (auto* material = dynamic_cast<TGLMaterial*>(user)) {
      material->NotifyLibMaterialDestruction();
    } else if (auto* entry = dynamic_cast<TGLLibMaterial*>(user)) {
      entry->texture2_ = nullptr;
      entry->texture2Name_.clear();
    }
  }
}

TGLMaterialLibrary* TGLLibMaterial::Library() const {
  return Collection() ? dynamic_cast<TGLMaterialLibrary*>(Collection()->GetOwner()) : nullptr;
}

void TGLLibMaterial::SetName(const std::string& value) {
  if (value == name_) return;
  TGLMaterialLibrary* library = Library();
  auto* entries = static_cast<TGLLibMaterials*>(Collection());
  const bool reading = library && library->IsLoading();
  if (!reading && entries && entries->GetLibMaterialByName(value))
    name_ = entries->MakeUniqueName(value);
  else
    name_ = value;
}

void TGLLibMaterial::SetTextureOffset(TGLCoordinates* value) {
  textureOffset_->Initialize(value->AsVector());
  CalculateTextureMatrix();
}

void TGLLibMaterial::SetTextureScale(TGLCoordinates* value) {
  textureScale_->Initialize(value->AsVector());
  CalculateTextureMatrix();
}

void TGLLibMaterial::CoordinateChanged(TGLCoordinates*) { CalculateTextureMatrix(); }

void TGLLibMaterial::SetTexture2Name(const std::string& value) {
  if (value == texture2Name_) return;
  if (texture2_) texture2_->UnregisterUser(this);
  texture2_ = nullptr;
  texture2Name_ = value;
  NotifyUsers();
}

void TGLLibMaterial::SetShader(TGLShader* value) {
  if (value == shader_) return;
  if (shader_) shader_->UnRegisterUser(this);
  shader_ = value;
  if (shader_) shader_->RegisterUser(this);
  NotifyUsers();
}

void TGLLibMaterial::CalculateTextureMatrix() {
  textureMatrixIsIdentity_ = textureOffset_->Equals(kNoOffset) && textureScale_->Equals(kUnitScale);
  textureMatrix_ = textureMatrixIsIdentity_
                       ? IdentityHmgMatrix
                       : CreateScaleAndTranslationMatrix(textureScale_->AsVector(), textureOffset_->AsVector());
  NotifyUsers();
}

void TGLLibMaterial::ResolveTexture2() {
  if (texture2_) return;
  auto* entries = static_cast<TGLLibMaterials*>(Collection());
  texture2_ = entries ? entries->GetLibMaterialByName(texture2Name_) : nullptr;
  if (texture2_)
    texture2_->RegisterUser(this);
  else
    texture2Name_.clear();
}

void TGLLibMaterial::Apply(TRenderContextInfo& rci) {
  if (shader_ && shader_->ShaderStyle() == ssBeforeMaterial) shader_->Apply(rci, this);
  if (shader_ && shader_->ShaderStyle() == ssReplaceMaterial) {
    shader_->Apply(rci, this);
    return;
  }
  if (!texture2Name_.empty() && GLCaps.GL_ARB_multitexture) ResolveTexture2();
  TGLTexture* texture = material_->Texture();
  const bool withTexture2 =
      texture2_ && !texture2Name_.empty() && GLCaps.GL_ARB_multitexture && !texture2_->material_->Texture()->Disabled();
  if (withTexture2) {
    xglBeginUpdate();
    if (!textureMatrixIsIdentity_) SetGLTextureMatrix(textureMatrix_);
    material_->Apply(rci);
    TGLTexture* second = texture2_->material_->Texture();
    second->ApplyAsTexture2(texture2_->textureMatrix_);
    const bool secondUser = second->MappingMode() == tmmUser;
    if (texture->Disabled() || texture->MappingMode() != tmmUser) {
      if (secondUser)
        xglMapTexCoordToSecond();
      else
        xglMapTexCoordToNull();
    } else if (secondUser) {
      xglMapTexCoordToDual();
    } else {
      xglMapTexCoordToMain();
    }
    xglEndUpdate();
  } else {
    if (!texture->Disabled() && !textureMatrixIsIdentity_) SetGLTextureMatrix(textureMatrix_);
    material_->Apply(rci);
  }
  if (shader_ && shader_->ShaderStyle() == ssAfterMaterial) shader_->Apply(rci, this);
}

bool TGLLibMaterial::UnApply(TRenderContextInfo& rci) {
  if (shader_) {
    if (shader_->ShaderStyle() == ssReplaceMaterial) return shader_->UnApply(rci);
    if (shader_->ShaderStyle() == ssAfterMaterial && shader_->UnApply(rci)) return true;
  }
  if (texture2_) {
    texture2_->material_->Texture()->UnApplyAsTexture2(texture2_->textureMatrix_);
    xglMapTexCoordToMain();
  }
  material_->UnApply(rci);
  if (!material_->Texture()->Disabled() && !textureMatrixIsIdentity_) ResetGLTextureMatrix();
  if (shader_ && shader_->ShaderStyle() == ssBeforeMaterial) return shader_->UnApply(rci);
  return false;
}

void TGLLibMaterial::RegisterUser(TGLMaterial* user) {
  Assert(std::find(users_.begin(), users_.end(), user) == users_.end(), "Assertion failure", kModule,
         kMaterialUserLine);
  users_.push_back(user);
}

void TGLLibMaterial::RegisterUser(TGLLibMaterial* user) {
  Assert(std::find(users_.begin(), users_.end(), user) == users_.end(), "Assertion failure", kModule,
         kLibMaterialUserLine);
  users_.push_back(user);
}

void TGLLibMaterial::UnregisterUser(TObject* user) {
  users_.erase(std::remove(users_.begin(), users_.end(), user), users_.end());
}

void TGLLibMaterial::NotifyUsers() {
  if (notifying_) return;
  const WalkGuard walk(notifying_);
  // A user may leave the list while it is told; walk a copy.
  const std::vector<TObject*> users = users_;
  for (TObject* user : users) {
    if (auto* material = dynamic_cast<TGLMaterial*>(user)) {
      material->NotifyChange(this);
    } else {
      auto* entry = dynamic_cast<TGLLibMaterial*>(user);
      Assert(entry != nullptr, "Assertion failure", kModule, kForeignUserLine);
      entry->NotifyUsers();
    }
  }
}

void TGLLibMaterial::NotifyUsersOfTexMapChange() {
  if (notifying_) return;
  const WalkGuard walk(notifying_);
  const std::vector<TObject*> users = users_;
  for (TObject* user : users) {
    if (auto* material = dynamic_cast<TGLMaterial*>(user)) {
      material->NotifyTexMapChange();
    } else {
      auto* entry = dynamic_cast<TGLLibMaterial*>(user);
      Assert(entry != nullptr, "Assertion failure", kModule, kForeignTexMapUserLine);
      entry->NotifyUsersOfTexMapChange();
    }
  }
}

void TGLLibMaterial::ResolveTextureName(std::string& name) {
  TGLMaterialLibrary* library = Library();
  if (!library) return;
  if (library->OnTextureNeeded) library->OnTextureNeeded(library, name);
  if (name.find(':') != std::string::npos || (!name.empty() && name.front() == '\\')) return;
  for (const std::string& folder : library->TextureFolders()) {
    const std::string candidate = folder + name;
    if (IsFile(candidate)) {
      name = candidate;
      return;
    }
  }
}

void TGLLibMaterial::Assign(TPersistent* source) {
  auto* other = dynamic_cast<TGLLibMaterial*>(source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  auto* entries = static_cast<TGLLibMaterials*>(Collection());
  name_ = entries ? entries->MakeUniqueName(other->name_) : other->name_;
  material_->Assign(other->material_.get());
  textureOffset_->Initialize(other->textureOffset_->AsVector());
  textureScale_->Initialize(other->textureScale_->AsVector());
  if (texture2_ && other->texture2Name_ != texture2Name_) {
    texture2_->UnregisterUser(this);
    texture2_ = nullptr;
  }
  texture2Name_ = other->texture2Name_;
  CalculateTextureMatrix();
}

// TGLLibMaterials -------------------------------------------------------------------------

TGLLibMaterials::TGLLibMaterials(TGLMaterialLibrary* owner) : TCollection(owner, ItemsOf<TGLLibMaterial>()) {}

TGLLibMaterial* TGLLibMaterials::GetLibMaterialByName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Name() == name) return Items(i);
  return nullptr;
}

std::string TGLLibMaterials::MakeUniqueName(const std::string& root) const {
  if (!GetLibMaterialByName(root)) return root;
  for (int suffix = 1;; ++suffix) {
    std::string name = root + std::to_string(suffix);
    if (!GetLibMaterialByName(name)) return name;
  }
}

void TGLLibMaterials::Loaded() {
  for (int i = 0; i < Count(); ++i) Items(i)->CalculateTextureMatrix();
}

// TGLMaterialLibrary ----------------------------------------------------------------------

TGLMaterialLibrary::TGLMaterialLibrary(TComponent* owner)
    : TGLCadenceAbleComponent(owner), materials_(std::make_unique<TGLLibMaterials>(this)) {}

TGLMaterialLibrary::~TGLMaterialLibrary() {
  materials_.reset();
  // Each one leaves the list as it is told.
  const std::vector<TGLMaterial*> referrers = referrers_;
  for (TGLMaterial* material : referrers) material->NotifyLibMaterialDestruction();
}

void TGLMaterialLibrary::SetTexturePaths(const std::string& value) {
  folders_.clear();
  texturePaths_ = value;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(';', start);
    if (end == std::string::npos) end = value.size();
    const std::string folder = TrimBlanksAndControls(value.substr(start, end - start));
    if (!folder.empty()) folders_.push_back(WithTrailingBackslash(folder));
    start = end + 1;
  }
}

void TGLMaterialLibrary::Loaded() {
  materials_->Loaded();
  TGLCadenceAbleComponent::Loaded();
}

void TGLMaterialLibrary::SaveToStream(TStream& stream) {
  TWriter writer(stream);
  writer.WriteRootComponent(*this);
}

void TGLMaterialLibrary::LoadFromStream(TStream& stream) {
  TReader reader(stream);
  reader.ReadRootComponent(*this);
}

void TGLMaterialLibrary::AddReferrer(TGLMaterial* material) {
  if (std::find(referrers_.begin(), referrers_.end(), material) == referrers_.end()) referrers_.push_back(material);
}

void TGLMaterialLibrary::RemoveReferrer(TGLMaterial* material) {
  referrers_.erase(std::remove(referrers_.begin(), referrers_.end(), material), referrers_.end());
}

}  // namespace kx
