// Named materials that scene objects share. A TGLMaterial that names a
// library and an entry hands its apply and un-apply to that entry, which
// adds a texture matrix, an optional second texture taken from another
// entry (texture unit 1) and an optional shader that runs before, after or
// instead of the material. The library also finds relative texture files in
// a list of folders.
#pragma once

#include "framework/core/Collections.h"
#include "scene/GLTexture.h"

#include <string>
#include <vector>

namespace kx {

class TGLLibMaterial;
class TGLMaterialLibrary;
class TStream;

enum TGLShaderStyle : uint8_t { ssBeforeMaterial, ssAfterMaterial, ssReplaceMaterial };
KX_ENUM_NAMES(TGLShaderStyle, "ssBeforeMaterial", "ssAfterMaterial", "ssReplaceMaterial")

// Base of the shaders a library material may use. Apply and UnApply must
// alternate; UnApply answering true asks for the object to be drawn once
// more with the shader applied again (one more pass).
class TGLShader : public TGLUpdateAbleComponent {
  KX_CLASS(TGLShader, TGLUpdateAbleComponent)
 public:
  explicit TGLShader(TComponent* owner);
  ~TGLShader() override;

  TGLShaderStyle ShaderStyle() const { return style_; }
  void SetShaderStyle(TGLShaderStyle value);
  bool Active() const { return active_; }
  // Runs DoInitialize first when the shader has no resources in the
  // current context yet.
  void Apply(TRenderContextInfo& rci, TObject* sender);
  bool UnApply(TRenderContextInfo& rci);
  void RegisterUser(TGLLibMaterial* user);
  void UnRegisterUser(TGLLibMaterial* user);
  // Every user entry tells its users, from the last entry to the first.
  void NotifyChange(TObject* sender) override;
  // Frees the resources while the derived shader can still finalise them.
  void BeforeDestruction() override;

 protected:
  virtual void DoApply(TRenderContextInfo& rci, TObject* sender) = 0;
  virtual bool DoUnApply(TRenderContextInfo& rci) = 0;
  virtual void DoInitialize() {}
  virtual void DoFinalize() {}

 private:
  std::vector<TGLLibMaterial*> users_;
  TGLVirtualHandle handle_;
  TGLShaderStyle style_ = ssAfterMaterial;
  bool active_ = false;
};

class TGLLibMaterial : public TCollectionItem, public TGLCoordinatesObserver {
  KX_CLASS(TGLLibMaterial, TCollectionItem)
 public:
  explicit TGLLibMaterial(TCollection* collection);
  ~TGLLibMaterial() override;

  const std::string& Name() const { return name_; }
  // A name another entry has becomes the first free suffixed one, except
  // while the library is being read.
  void SetName(const std::string& value);
  TGLMaterial* Material() const { return material_.get(); }
  void SetMaterial(TGLMaterial* value) { material_->Assign(value); }
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }
  TGLCoordinates* TextureOffset() const { return textureOffset_.get(); }
  void SetTextureOffset(TGLCoordinates* value);
  TGLCoordinates* TextureScale() const { return textureScale_.get(); }
  void SetTextureScale(TGLCoordinates* value);
  const std::string& Texture2Name() const { return texture2Name_; }
  void SetTexture2Name(const std::string& value);
  TGLShader* Shader() const { return shader_; }
  void SetShader(TGLShader* value);

  bool TextureMatrixIsIdentity() const { return textureMatrixIsIdentity_; }
  const TMatrix& TextureMatrix() const { return textureMatrix_; }
  // The entry whose texture is the second one, once resolved.
  TGLLibMaterial* Texture2() const { return texture2_; }
  TGLMaterialLibrary* Library() const;

  void Apply(TRenderContextInfo& rci);
  // True: draw once more and call Apply and UnApply again.
  bool UnApply(TRenderContextInfo& rci);

  void RegisterUser(TGLMaterial* user);
  void RegisterUser(TGLLibMaterial* user);
  void UnregisterUser(TObject* user);
  int UserCount() const { return static_cast<int>(users_.size()); }
  // Each user once per walk, also when entries use one another.
  void NotifyUsers();
  void NotifyUsersOfTexMapChange();
  void CalculateTextureMatrix();
  // A relative file name found in the library's folders.
  void ResolveTextureName(std::string& name);

  std::string DisplayName() const override { return name_; }
  // The shader is not copied.
  void Assign(TPersistent* source) override;
  void CoordinateChanged(TGLCoordinates* sender) override;

 private:
  void ResolveTexture2();
  void DetachUsers();

  std::string name_;
  std::unique_ptr<TGLMaterial> material_;
  int32_t tag_ = 0;
  std::unique_ptr<TGLCoordinates> textureOffset_, textureScale_;
  std::string texture2Name_;
  TGLShader* shader_ = nullptr;
  std::vector<TObject*> users_;
  bool textureMatrixIsIdentity_ = true;
  TMatrix textureMatrix_ = IdentityHmgMatrix;
  bool notifying_ = false;
  TGLLibMaterial* texture2_ = nullptr;
};

class TGLLibMaterials : public TCollection {
  KX_CLASS(TGLLibMaterials, TCollection)
 public:
  explicit TGLLibMaterials(TGLMaterialLibrary* owner);
  TGLLibMaterial* Items(int index) const { return ItemAs<TGLLibMaterial>(index); }
  TGLLibMaterial* Add() { return static_cast<TGLLibMaterial*>(TCollection::Add()); }
  // Exact, case-sensitive match; nullptr when none.
  TGLLibMaterial* GetLibMaterialByName(const std::string& name) const;
  // root, or the first of root1, root2, ... that no entry has.
  std::string MakeUniqueName(const std::string& root) const;
  void Loaded();
};

class TGLMaterialLibrary : public TGLCadenceAbleComponent {
  KX_CLASS(TGLMaterialLibrary, TGLCadenceAbleComponent)
 public:
  explicit TGLMaterialLibrary(TComponent* owner);
  ~TGLMaterialLibrary() override;

  TGLLibMaterials* Materials() const { return materials_.get(); }
  void SetMaterials(TGLLibMaterials* value) { materials_->Assign(value); }
  const std::string& TexturePaths() const { return texturePaths_; }
  // Folders separated by ";", each trimmed and ending in a backslash.
  void SetTexturePaths(const std::string& value);
  const std::vector<std::string>& TextureFolders() const { return folders_; }
  TTextureNeededEvent OnTextureNeeded;

  void Loaded() override;
  void SaveToStream(TStream& stream);
  void LoadFromStream(TStream& stream);

  // Materials that name this library; they forget it when it goes.
  void AddReferrer(TGLMaterial* material);
  void RemoveReferrer(TGLMaterial* material);

 private:
  std::unique_ptr<TGLLibMaterials> materials_;
  std::string texturePaths_;
  std::vector<std::string> folders_;
  std::vector<TGLMaterial*> referrers_;
};

}  // namespace kx
