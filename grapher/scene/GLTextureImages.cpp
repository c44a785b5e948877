#include "scene/GLTextureImages.h"

#include "framework/core/SysUtils.h"
#include "scene/GLCrossPlatform.h"
#include "scene/GLMisc.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace kx {

namespace {

constexpr const char* kModule = "GLTexture";
// A file this small may hold the name of the picture it stands for.
constexpr int64_t kRedirectionFileLimit = 512;
// A blank image's description is a few short lines.
constexpr int64_t kBlankImageFileLimit = 64 * 1024;

std::vector<const TGLTextureImageClass*>& ImageClasses() {
  static std::vector<const TGLTextureImageClass*> classes;
  return classes;
}

bool FileExists(const std::string& name) {
  const DWORD attributes = GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string CouldNotOpen(const std::string& name) { return "Could not open file: " + name; }

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The value of `key` among name=value lines, empty when absent.
std::string ValueOf(const std::string& text, const std::string& key) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string::npos && SameText(Trim(line.substr(0, equals)), key))
      return Trim(line.substr(equals + 1));
    start = end + 1;
  }
  return {};
}

// A picture's change event, detached for one scope.
class DetachedPictureEvents {
 public:
  explicit DetachedPictureEvents(TPicture& picture) : picture_(picture), saved_(picture.OnChange) {
    picture.OnChange = TNotifyEvent();
  }
  ~DetachedPictureEvents() { picture_.OnChange = saved_; }
  DetachedPictureEvents(const DetachedPictureEvents&) = delete;
  DetachedPictureEvents& operator=(const DetachedPictureEvents&) = delete;

 private:
  TPicture& picture_;
  TNotifyEvent saved_;
};

struct ImagesModule {
  ImagesModule() {
    RegisterGLTextureImageClass(TextureImageClassOf<TGLBlankImage>());
    RegisterGLTextureImageClass(TextureImageClassOf<TGLPersistentImage>());
    RegisterGLTextureImageClass(TextureImageClassOf<TGLPicFileImage>());
    RegisterGLTextureImageClass(TextureImageClassOf<TGLCubeMapImage>());
  }
};
ImagesModule imagesModule;

}  // namespace

KX_PUBLISH(TGLTextureImage) {}
KX_PUBLISH(TGLBlankImage) {
  p.Property("Width", &TGLBlankImage::ImageWidth, &TGLBlankImage::SetWidth).Default(256);
  p.Property("Height", &TGLBlankImage::ImageHeight, &TGLBlankImage::SetHeight).Default(256);
}
KX_PUBLISH(TGLPictureImage) {}
KX_PUBLISH(TGLPersistentImage) {
  p.Property(
      "Picture", [](const TGLPersistentImage& image) { return const_cast<TGLPersistentImage&>(image).Picture(); },
      &TGLPersistentImage::SetPicture);
}
KX_PUBLISH(TGLPicFileImage) {
  p.Property("PictureFileName", &TGLPicFileImage::PictureFileName, &TGLPicFileImage::SetPictureFileName);
}
KX_PUBLISH(TGLCubeMapImage) {}

void RegisterGLTextureImageClass(const TGLTextureImageClass& cls) { ImageClasses().push_back(&cls); }

const TGLTextureImageClass* FindGLTextureImageClass(const std::string& name) {
  for (const TGLTextureImageClass* cls : ImageClasses())
    if (cls->Name == name) return cls;
  return nullptr;
}

// TGLTextureImage ---------------------------------------------------------------------------

TGLTextureImage::TGLTextureImage(TPersistent* owner) : TGLUpdateAbleObject(As<TGLTexture>(owner)) {}

void TGLTextureImage::NotifyChange(TObject*) { OwnerTexture().ImageChanged(this); }

std::string TGLTextureImage::NeededFileName(const std::string& fileName) {
  std::string name = fileName;
  OnTextureNeeded(this, name);
  return name;
}

void TGLTextureImage::LoadFromFile(const std::string& fileName) { NeededFileName(fileName); }

void TGLTextureImage::Invalidate() {
  ReleaseBitmap32();
  NotifyChange(this);
}

// TGLBlankImage -----------------------------------------------------------------------------

void TGLBlankImage::SetWidth(int value) {
  value = std::max(value, 1);
  if (value == width_) return;
  width_ = value;
  Invalidate();
}

void TGLBlankImage::SetHeight(int value) {
  value = std::max(value, 1);
  if (value == height_) return;
  height_ = value;
  Invalidate();
}

TGLBitmap32* TGLBlankImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    auto bitmap = std::make_unique<TGLBitmap32>();
    bitmap->SetWidth(width_);
    bitmap->SetHeight(height_);
    bitmap_ = std::move(bitmap);
  }
  return bitmap_.get();
}

bool TGLBlankImage::Edit() {
  const std::string text =
      InputDlg("Blank Image", "Enter size", std::to_string(width_) + " x " + std::to_string(height_));
  const size_t x = text.find('x');
  if (x == std::string::npos) {
    InformationDlg("Invalid size");
    return false;
  }
  SetWidth(StrToIntDef(Trim(text.substr(0, x)), 256));
  SetHeight(StrToIntDef(Trim(text.substr(x + 1)), 256));
  return true;
}

void TGLBlankImage::SaveToFile(const std::string& fileName) {
  SaveStringToFile(fileName,
                   "[BlankImage]\r\nWidth=" + std::to_string(width_) + "\r\nHeight=" + std::to_string(height_));
}

void TGLBlankImage::LoadFromFile(const std::string& fileName) {
  const std::string name = NeededFileName(fileName);
  if (!FileExists(name)) AssertFailed(CouldNotOpen(fileName), kModule, __LINE__);
  if (SizeOfFile(name) > kBlankImageFileLimit) throw ETexture("Not a blank image description: " + name);
  const std::string text = LoadStringFromFile(name);
  const int width = StrToInt(ValueOf(text, "Width")), height = StrToInt(ValueOf(text, "Height"));
  // Kept to at least one pixel a side, as the setters keep them.
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
}

void TGLBlankImage::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLBlankImage*>(source)) {
    width_ = other->width_;
    height_ = other->height_;
    Invalidate();
    return;
  }
  TGLTextureImage::Assign(source);
}

// TGLPictureImage ---------------------------------------------------------------------------

TGLPictureImage::~TGLPictureImage() = default;

TPicture* TGLPictureImage::Picture() {
  if (!picture_) {
    picture_ = std::make_unique<TPicture>();
    picture_->OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
  }
  return picture_.get();
}

void TGLPictureImage::WithoutPictureEvents(const std::function<void()>& change) {
  const DetachedPictureEvents detached(*Picture());
  change();
}

TGLBitmap32* TGLPictureImage::GetBitmap32(GLenum) {
  if (!bitmap_) {
    auto bitmap = std::make_unique<TGLBitmap32>();
    WithoutPictureEvents([&] { bitmap->Assign(Picture()->Graphic()); });
    bitmap_ = std::move(bitmap);
  }
  return bitmap_.get();
}

void TGLPictureImage::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLPersistentImage*>(source)) {
    if (other != this) Picture()->Assign(other->Picture());
  } else if (dynamic_cast<TGraphic*>(source) || dynamic_cast<TPicture*>(source)) {
    Picture()->Assign(source);
  } else {
    TGLTextureImage::Assign(source);
  }
}

// TGLPersistentImage ------------------------------------------------------------------------

std::string TGLPersistentImage::FriendlyDescription() const {
  return "Image data is stored in its original format with other form resources,ie. in the DFM at design-time, and "
         "embedded in the EXE at run-time.";
}

bool TGLPersistentImage::Edit() {
  std::string fileName;
  if (!OpenPictureDlg(fileName, {})) return false;
  LoadFromFile(fileName);
  NotifyChange(this);
  return true;
}

void TGLPersistentImage::SaveToFile(const std::string& fileName) {
  TGraphic* graphic = Picture()->Graphic();
  const std::vector<uint8_t> bytes = graphic ? graphic->SaveToBytes() : std::vector<uint8_t>{};
  SaveStringToFile(fileName, std::string(bytes.begin(), bytes.end()));
}

void TGLPersistentImage::LoadFromFile(const std::string& fileName) {
  const std::string name = NeededFileName(fileName);
  if (!FileExists(name)) {
    Picture()->Assign(nullptr);
    throw ETexture(CouldNotOpen(fileName));
  }
  Picture()->LoadFromFile(name);
}

// TGLPicFileImage ---------------------------------------------------------------------------

void TGLPicFileImage::SetPictureFileName(const std::string& value) {
  if (value == pictureFileName_) return;
  pictureFileName_ = value;
  Invalidate();
}

void TGLPicFileImage::Invalidate() {
  WithoutPictureEvents([this] { Picture()->Assign(nullptr); });
  TGLPictureImage::Invalidate();
}

TGLBitmap32* TGLPicFileImage::GetBitmap32(GLenum target) {
  if (!Picture()->Graphic() && !pictureFileName_.empty()) {
    WithoutPictureEvents([this] {
      const std::string asked = pictureFileName_;
      const std::string name = NeededFileName(asked);
      if (FileExists(name)) {
        Picture()->LoadFromFile(name);
      } else {
        Picture()->Assign(nullptr);
        pictureFileName_.clear();
        AssertFailed(CouldNotOpen(asked), kModule, __LINE__);
      }
    });
  }
  return TGLPictureImage::GetBitmap32(target);
}

bool TGLPicFileImage::Edit() {
  const std::string text = InputDlg("PicFile Image", "Enter filename", pictureFileName_);
  if (text == pictureFileName_) return false;
  SetPictureFileName(text);
  return true;
}

void TGLPicFileImage::SaveToFile(const std::string& fileName) { SaveStringToFile(fileName, pictureFileName_); }

void TGLPicFileImage::LoadFromFile(const std::string& fileName) {
  const std::string name = NeededFileName(fileName);
  std::string chosen = name;
  if (FileExists(name) && SizeOfFile(name) < kRedirectionFileLimit) {
    const std::string text = LoadStringFromFile(name);
    if (text.find('\0') == std::string::npos) chosen = text;
  }
  SetPictureFileName(chosen);
}

void TGLPicFileImage::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLPicFileImage*>(source)) {
    pictureFileName_ = other->pictureFileName_;
    return;
  }
  TGLPictureImage::Assign(source);
}

// TGLCubeMapImage ---------------------------------------------------------------------------

TGLCubeMapImage::TGLCubeMapImage(TPersistent* owner) : TGLTextureImage(owner) {
  for (auto& picture : pictures_) {
    picture = std::make_unique<TPicture>();
    picture->OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
  }
}

TGLCubeMapImage::~TGLCubeMapImage() = default;

TGLBitmap32* TGLCubeMapImage::GetBitmap32(GLenum target) {
  const bool face = target >= GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB && target <= GL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB;
  TPicture& picture = *pictures_[face ? target - GL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB : 0];
  bitmap_.reset();
  auto bitmap = std::make_unique<TGLBitmap32>();
  bitmap->SetRowReversal(true);  // a cube face's first row is its top
  const DetachedPictureEvents detached(picture);
  bitmap->Assign(picture.Graphic());
  bitmap_ = std::move(bitmap);
  return bitmap_.get();
}

bool TGLCubeMapImage::FacesFit() const {
  const int size = pictures_[0]->Width();
  if (size <= 0) return false;
  return std::all_of(pictures_.begin(), pictures_.end(),
                     [size](const auto& p) { return p->Width() == size && p->Height() == size; });
}

bool TGLCubeMapImage::Edit() {
  InformationDlg("Not supported... yet");
  return false;
}

void TGLCubeMapImage::SaveToFile(const std::string&) { InformationDlg("Not supported... yet"); }

void TGLCubeMapImage::LoadFromFile(const std::string&) { InformationDlg("Not supported... yet"); }

void TGLCubeMapImage::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGLCubeMapImage*>(source)) {
    if (other == this) return;
    for (size_t i = 0; i < pictures_.size(); ++i) {
      const DetachedPictureEvents detached(*pictures_[i]);
      pictures_[i]->Assign(other->pictures_[i].get());
    }
    Invalidate();
    return;
  }
  TGLTextureImage::Assign(source);
}

}  // namespace kx
