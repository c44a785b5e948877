// The pixel sources of a texture: a blank image of a given size, a picture
// kept with the form, a picture file named by path, and the six pictures of
// a cube map; and the registry that finds an image class by its name, so a
// texture's image kind can be streamed as a string.
#pragma once

#include "framework/windows/Graphics.h"
#include "scene/GLTexture.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace kx {

inline constexpr GLenum GL_TEXTURE_CUBE_MAP_ARB = 0x8513;
inline constexpr GLenum GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB = 0x8515;
inline constexpr GLenum GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB = 0x851A;

// Owned by one texture, which it tells of every change.
class TGLTextureImage : public TGLUpdateAbleObject {
  KX_CLASS(TGLTextureImage, TGLUpdateAbleObject)
 public:
  // The owner must be a texture (EInvalidCast otherwise).
  explicit TGLTextureImage(TPersistent* owner);

  TGLTexture& OwnerTexture() const { return *static_cast<TGLTexture*>(Owner()); }
  // Adds tcImage to the texture's changes and notifies it.
  void NotifyChange(TObject* sender) override;
  virtual int Height() = 0;
  virtual int Width() = 0;
  virtual std::string FriendlyName() const = 0;
  virtual std::string FriendlyDescription() const { return FriendlyName(); }
  virtual GLenum NativeTextureTarget() const { return GL_TEXTURE_2D; }
  // The pixels for `target`, owned by the image until ReleaseBitmap32.
  virtual TGLBitmap32* GetBitmap32(GLenum target) = 0;
  virtual void ReleaseBitmap32() {}
  // Lets the user change the image; true when it changed.
  virtual bool Edit() = 0;
  virtual void SaveToFile(const std::string& fileName) = 0;
  // Hands a copy of the name to OnTextureNeeded.
  virtual void LoadFromFile(const std::string& fileName);
  // Drops the converted pixels and tells the texture to upload again.
  virtual void Invalidate();

  TTextureNeededEvent OnTextureNeeded;

 protected:
  // The name a file is opened under, after OnTextureNeeded had its say.
  std::string NeededFileName(const std::string& fileName);
};

// An image class as the registry knows it.
struct TGLTextureImageClass {
  std::string Name;
  std::function<std::unique_ptr<TGLTextureImage>(TGLTexture* owner)> Create;
};

template <class T>
const TGLTextureImageClass& TextureImageClassOf() {
  static const TGLTextureImageClass cls{T::StaticClass().Name,
                                        [](TGLTexture* owner) { return std::make_unique<T>(owner); }};
  return cls;
}

void RegisterGLTextureImageClass(const TGLTextureImageClass& cls);
// The first class registered under exactly this name, or nullptr.
const TGLTextureImageClass* FindGLTextureImageClass(const std::string& name);

class TGLBlankImage : public TGLTextureImage {
  KX_CLASS(TGLBlankImage, TGLTextureImage)
 public:
  explicit TGLBlankImage(TPersistent* owner) : TGLTextureImage(owner) {}
  int Width() override { return width_; }
  int Height() override { return height_; }
  int ImageWidth() const { return width_; }
  int ImageHeight() const { return height_; }
  // At least 1.
  void SetWidth(int value);
  void SetHeight(int value);
  std::string FriendlyName() const override { return "Blank Image"; }
  std::string FriendlyDescription() const override { return "Blank Image (Width x Height)"; }
  // A picture of Width x Height whose pixels are not defined.
  TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  bool Edit() override;
  void SaveToFile(const std::string& fileName) override;
  void LoadFromFile(const std::string& fileName) override;
  void Assign(TPersistent* source) override;

 private:
  std::unique_ptr<TGLBitmap32> bitmap_;
  int width_ = 256, height_ = 256;
};

// An image whose pixels come from a framework picture.
class TGLPictureImage : public TGLTextureImage {
  KX_CLASS(TGLPictureImage, TGLTextureImage)
 public:
  explicit TGLPictureImage(TPersistent* owner) : TGLTextureImage(owner) {}
  ~TGLPictureImage() override;
  int Width() override { return Picture()->Width(); }
  int Height() override { return Picture()->Height(); }
  // Created on first read; its changes invalidate the image.
  TPicture* Picture();
  void SetPicture(TPicture* value) { Picture()->Assign(value); }
  TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  void Assign(TPersistent* source) override;

 protected:
  // Runs `change` with the picture's change event detached.
  void WithoutPictureEvents(const std::function<void()>& change);

 private:
  std::unique_ptr<TPicture> picture_;
  std::unique_ptr<TGLBitmap32> bitmap_;
};

// A picture stored with the form resources.
class TGLPersistentImage : public TGLPictureImage {
  KX_CLASS(TGLPersistentImage, TGLPictureImage)
 public:
  explicit TGLPersistentImage(TPersistent* owner) : TGLPictureImage(owner) {}
  std::string FriendlyName() const override { return "Persistent Image"; }
  std::string FriendlyDescription() const override;
  bool Edit() override;
  void SaveToFile(const std::string& fileName) override;
  // ETexture "Could not open file: <name>" for a missing file, the picture cleared.
  void LoadFromFile(const std::string& fileName) override;
};

// A picture read from the file PictureFileName names when first needed.
class TGLPicFileImage : public TGLPictureImage {
  KX_CLASS(TGLPicFileImage, TGLPictureImage)
 public:
  explicit TGLPicFileImage(TPersistent* owner) : TGLPictureImage(owner) {}
  const std::string& PictureFileName() const { return pictureFileName_; }
  void SetPictureFileName(const std::string& value);
  std::string FriendlyName() const override { return "PicFile Image"; }
  std::string FriendlyDescription() const override { return "Image data is retrieved from a file."; }
  TGLBitmap32* GetBitmap32(GLenum target) override;
  bool Edit() override;
  // The file holds the picture's file name, so it redirects to that picture.
  void SaveToFile(const std::string& fileName) override;
  void LoadFromFile(const std::string& fileName) override;
  void Invalidate() override;
  void Assign(TPersistent* source) override;

 private:
  std::string pictureFileName_;
};

// Six square pictures of one size: +X, -X, +Y, -Y, +Z, -Z.
class TGLCubeMapImage : public TGLTextureImage {
  KX_CLASS(TGLCubeMapImage, TGLTextureImage)
 public:
  explicit TGLCubeMapImage(TPersistent* owner);
  ~TGLCubeMapImage() override;
  int Width() override { return pictures_[0]->Width(); }
  int Height() override { return pictures_[0]->Height(); }
  // Face 0 (+X) to 5 (-Z).
  TPicture* Picture(int face) const { return pictures_.at(face).get(); }
  std::string FriendlyName() const override { return "CubeMap Image"; }
  GLenum NativeTextureTarget() const override { return GL_TEXTURE_CUBE_MAP_ARB; }
  // The face picture of a face target (+X for any other), top row first.
  TGLBitmap32* GetBitmap32(GLenum target) override;
  void ReleaseBitmap32() override { bitmap_.reset(); }
  bool Edit() override;
  void SaveToFile(const std::string& fileName) override;
  void LoadFromFile(const std::string& fileName) override;
  void Assign(TPersistent* source) override;
  // Every face square and of +X's size, that size above 0.
  bool FacesFit() const;

 private:
  std::array<std::unique_ptr<TPicture>, 6> pictures_;
  std::unique_ptr<TGLBitmap32> bitmap_;
};

}  // namespace kx
