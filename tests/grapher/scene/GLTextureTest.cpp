// Textures through the recorder: what each change sends to GL and when, the
// image classes with their files, and the registry.
#include "SceneFixture.h"
#include "framework/core/Streams.h"
#include "scene/GLContext.h"
#include "scene/GLStageNode.h"
#include "scene/GLTexture.h"
#include "scene/GLTextureImages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

constexpr GLuint kTextureName = 5;

void APIENTRY GenTextures(GLsizei, GLuint* names) {
  TGLRecorder::current_->Record("glGenTextures", "");
  names[0] = kTextureName;
}

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "kx_texture_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

// A 4 x 4 bitmap of one colour.
std::unique_ptr<TBitmap> Square(int size, TColor color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(size, size);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(RECT{0, 0, size, size});
  return bitmap;
}

// A node whose structure flag a test may clear.
class TNode : public TGLCustomSceneObject {
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
  using TGLBaseSceneObject::ClearStructureFlag;
};

class Texture : public SceneRecorderTest {
 protected:
  Texture() {
    GL.glGenTextures = &GenTextures;
    GLCaps = TGLCapabilities{};
    GLCaps.MajorVersion = 1;
    GLCaps.MinorVersion = 1;
    texture_.OnNotifyChange = TNotifyEvent([this](TObject*) { ++notifications_; });
    MakeCurrent();
    ResetGLCurrentTexture();
  }
  // Names of the calls since the last Clear.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const std::string& call : recorder.Calls()) names.push_back(call.substr(0, call.find('(')));
    return names;
  }
  // A texture whose image is a blank image of the given size.
  void MakeBlank(int width, int height) {
    texture_.SetImageClassName("TGLBlankImage");
    auto* blank = static_cast<TGLBlankImage*>(texture_.Image());
    blank->SetWidth(width);
    blank->SetHeight(height);
  }

  // Without an owner a texture tells no one of its changes.
  TGLMaterial holder_{nullptr};
  TGLTexture texture_{&holder_};
  int notifications_ = 0;
};

TEST_F(Texture, AMaterialsDefaultTextureNeverAllocatesAName) {
  TGLMaterial material(nullptr);
  EXPECT_TRUE(material.Texture()->Disabled());
  TRenderContextInfo rci;
  rci.glStates = {stTexture2D};
  for (int i = 0; i < 3; ++i) {
    material.Apply(rci);
    material.UnApply(rci);
  }
  EXPECT_EQ(recorder.Count("glGenTextures"), 0);
  EXPECT_EQ(recorder.Count("glBindTexture"), 0);
  EXPECT_EQ(recorder.CallsTo("glDisable"), std::vector<std::string>{"glDisable(3553)"});  // once, then cached
  EXPECT_FALSE(rci.glStates.Contains(stTexture2D));
  EXPECT_FALSE(material.Texture()->IsHandleAllocated());
}

TEST_F(Texture, TheFirstHandleUploadsAndLaterOnesOnlyAfterAChange) {
  MakeBlank(64, 32);
  texture_.SetMinFilter(miLinear);
  recorder.Clear();
  EXPECT_EQ(texture_.Handle(), kTextureName);
  EXPECT_EQ(Names(), (std::vector<std::string>{"glGenTextures", "glBindTexture", "glHint", "glPixelStorei",
                                               "glPixelStorei", "glPixelStorei", "glPixelStorei", "glTexParameteri",
                                               "glTexParameteri", "glTexParameteri", "glTexParameteri", "glGetError",
                                               "glGetIntegerv", "glTexImage2D", "glGetTexLevelParameteriv",
                                               "glGetError", "glGetError"}));
  EXPECT_EQ(recorder.CallsTo("glTexParameteri"),
            (std::vector<std::string>{"glTexParameteri(3553,10242,10497)", "glTexParameteri(3553,10243,10497)",
                                      "glTexParameteri(3553,10241,9729)", "glTexParameteri(3553,10240,9729)"}));
  EXPECT_EQ(recorder.CallsTo("glTexImage2D")[0].rfind("glTexImage2D(3553,0,6408,64,32,0,6408,5121,", 0), 0u);
  EXPECT_EQ(texture_.TexWidth(), 64);
  EXPECT_EQ(texture_.TexHeight(), 32);
  EXPECT_TRUE(texture_.Changes().Bits() == 0);

  recorder.Clear();
  EXPECT_EQ(texture_.Handle(), kTextureName);
  EXPECT_TRUE(recorder.Calls().empty()) << "nothing changed: nothing sent";

  // A parameter change sends the parameters and the image again.
  notifications_ = 0;
  texture_.SetMinFilter(miLinear);
  EXPECT_EQ(notifications_, 0);
  EXPECT_TRUE(texture_.Changes().Bits() == 0) << "the same value changes nothing";
  texture_.SetMagFilter(maNearest);
  EXPECT_EQ(notifications_, 1);
  EXPECT_TRUE(texture_.Changes().Contains(tcParams));
  recorder.Clear();
  texture_.Handle();
  EXPECT_EQ(recorder.Count("glGenTextures"), 0);
  EXPECT_EQ(recorder.CallsTo("glTexParameteri")[3], "glTexParameteri(3553,10240,9728)");
  EXPECT_EQ(recorder.Count("glTexImage2D"), 1);

  // ImageAlpha notifies and re-uploads even when it is unchanged.
  texture_.SetImageAlpha(tiaDefault);
  EXPECT_EQ(notifications_, 2);
  EXPECT_TRUE(texture_.Changes().Contains(tcImage));

  texture_.DestroyHandles();
  EXPECT_FALSE(texture_.IsHandleAllocated());
  EXPECT_TRUE(texture_.Changes().Contains(tcImage) && texture_.Changes().Contains(tcParams));
  EXPECT_EQ(texture_.RequiredMemory(), -1);
}

TEST_F(Texture, WrappingAndAnisotropyFollowTheirTables) {
  MakeBlank(4, 4);
  GLCaps.GL_EXT_texture_filter_anisotropic = true;
  struct Case {
    TGLTextureWrap wrap;
    GLenum s, t;
  };
  for (const Case& c : {Case{twBoth, GL_REPEAT, GL_REPEAT}, Case{twNone, GL_CLAMP, GL_CLAMP},
                        Case{twVertical, GL_CLAMP, GL_REPEAT}, Case{twHorizontal, GL_REPEAT, GL_CLAMP}}) {
    texture_.SetTextureWrap(c.wrap);
    texture_.SetFilteringQuality(c.wrap == twNone ? tfAnisotropic : tfIsotropic);
    recorder.Clear();
    texture_.Handle();
    const std::vector<std::string> params = recorder.CallsTo("glTexParameteri");
    ASSERT_EQ(params.size(), 5u);
    EXPECT_EQ(params[0], "glTexParameteri(3553,10242," + std::to_string(c.s) + ")");
    EXPECT_EQ(params[1], "glTexParameteri(3553,10243," + std::to_string(c.t) + ")");
    EXPECT_EQ(params[4], std::string("glTexParameteri(3553,34046,") + (c.wrap == twNone ? "2)" : "1)"));
  }
}

TEST_F(Texture, CompressionNeedsTheExtension) {
  texture_.SetCompression(tcStandard);
  EXPECT_EQ(texture_.OpenGLTextureFormat(), GL_RGBA);
  EXPECT_EQ(recorder.Count("glHint"), 0);
  GLCaps.GL_ARB_texture_compression = true;
  struct Case {
    TGLTextureCompression compression;
    TGLTextureFormat format;
    GLint expected;
    std::vector<std::string> hints;
  };
  const Case cases[] = {
      {tcStandard, tfDefault, 0x84EE, {"glHint(34031,4352)"}},
      {tcHighQuality, tfRGB, 0x84ED, {"glHint(34031,4354)"}},
      {tcHighSpeed, tfLuminance, 0x84EA, {"glHint(34031,4353)"}},
      {tcDefault, tfIntensity, GL_INTENSITY, {}},  // the default compression is none
      {tcNone, tfRGBA16, GL_RGBA4, {}},
  };
  for (const Case& c : cases) {
    texture_.SetCompression(c.compression);
    texture_.SetTextureFormat(c.format);
    recorder.Clear();
    EXPECT_EQ(texture_.OpenGLTextureFormat(), c.expected) << int(c.compression);
    EXPECT_EQ(recorder.CallsTo("glHint"), c.hints) << int(c.compression);
  }
}

TEST_F(Texture, MappingModesGenerateCoordinatesAndSwitchingTexturingRebuildsTheObject) {
  TComponent owner(nullptr);
  auto* node = new TNode(&owner);
  TGLTexture* texture = node->Material()->Texture();
  int nodeNotifications = 0;
  node->ClearStructureFlag();
  texture->SetMappingMode(tmmObjectLinear);  // from tmmUser: the display list is rebuilt
  EXPECT_TRUE(node->Changes().Contains(ocStructure));
  node->ClearStructureFlag();
  texture->OnNotifyChange = TNotifyEvent([&](TObject*) { ++nodeNotifications; });
  texture->SetMappingMode(tmmEyeLinear);
  EXPECT_FALSE(node->Changes().Contains(ocStructure)) << "a plain change";
  EXPECT_EQ(nodeNotifications, 1);
  texture->SetMappingMode(tmmUser);
  EXPECT_TRUE(node->Changes().Contains(ocStructure));
  node->ClearStructureFlag();
  texture->SetDisabled(false);
  EXPECT_TRUE(node->Changes().Contains(ocStructure));

  struct Case {
    TGLTextureMappingMode mode;
    std::vector<std::string> gen;
  };
  const Case cases[] = {
      {tmmObjectLinear, {"glTexGeni(8192,9472,9217)", "glTexGeni(8193,9472,9217)"}},
      {tmmEyeLinear, {"glTexGeni(8192,9472,9216)", "glTexGeni(8193,9472,9216)"}},
      {tmmSphere, {"glTexGeni(8192,9472,9218)", "glTexGeni(8193,9472,9218)"}},
      {tmmCubeMapReflection, {"glTexGeni(8192,9472,34066)", "glTexGeni(8193,9472,34066)", "glTexGeni(8194,9472,34066)"}},
      {tmmCubeMapNormal, {"glTexGeni(8192,9472,34065)", "glTexGeni(8193,9472,34065)", "glTexGeni(8194,9472,34065)"}},
  };
  for (const Case& c : cases) {
    texture_.SetMappingMode(c.mode);
    texture_.SetDisabled(false);
    TRenderContextInfo rci;
    recorder.Clear();
    texture_.Apply(rci);
    EXPECT_EQ(recorder.CallsTo("glTexGeni"), c.gen) << int(c.mode);
    const bool planes = c.mode == tmmObjectLinear || c.mode == tmmEyeLinear;
    EXPECT_EQ(recorder.Count("glTexGenfv"), planes ? 2 : 0) << int(c.mode);
    EXPECT_EQ(recorder.CallsTo("glTexEnvi"), std::vector<std::string>{"glTexEnvi(8960,8704,8449)"});  // decal
    recorder.Clear();
    texture_.UnApply(rci);
    EXPECT_EQ(recorder.CallsTo("glDisable"),
              (std::vector<std::string>{"glDisable(3168)", "glDisable(3169)", "glDisable(3170)"}))
        << "generation of S, T and R off";
  }
}

TEST_F(Texture, ACubeMapUploadsOnlySixSquareFacesOfOneSize) {
  texture_.SetImageClassName("TGLCubeMapImage");
  auto* cube = static_cast<TGLCubeMapImage*>(texture_.Image());
  for (int face = 0; face < 6; ++face) cube->Picture(face)->SetGraphic(Square(64, clRed).get());
  auto* halfHigh = cube->Picture(5)->Bitmap();
  halfHigh->SetHeight(32);
  recorder.Clear();
  texture_.Handle();
  EXPECT_EQ(recorder.Count("glBindTexture"), 0) << "no cube maps without the extension";
  EXPECT_EQ(recorder.Count("glTexParameteri") + recorder.Count("gluBuild2DMipmaps"), 0);

  GLCaps.GL_ARB_texture_cube_map = true;
  texture_.DestroyHandles();
  recorder.Clear();
  texture_.Handle();
  EXPECT_EQ(recorder.CallsTo("glBindTexture"), std::vector<std::string>{"glBindTexture(34067,5)"});
  EXPECT_EQ(recorder.Count("glTexParameteri"), 4) << "the parameters are set";
  EXPECT_EQ(recorder.Count("gluBuild2DMipmaps") + recorder.Count("glTexImage2D"), 0) << "but no face uploaded";

  halfHigh->SetHeight(64);  // all six fit now
  recorder.Clear();
  texture_.Handle();
  const std::vector<std::string> faces = recorder.CallsTo("gluBuild2DMipmaps");
  ASSERT_EQ(faces.size(), 6u);
  for (int face = 0; face < 6; ++face)
    EXPECT_EQ(faces[face].rfind("gluBuild2DMipmaps(" + std::to_string(0x8515 + face) + ",6408,64,64,", 0), 0u);
}

TEST_F(Texture, APendingErrorStopsTheUploadUntilTheNextChange) {
  MakeBlank(8, 8);
  recorder.QueueResult("glGetError", GL_INVALID_ENUM);
  EXPECT_THROW(texture_.Handle(), EOpenGLError);
  EXPECT_EQ(recorder.Count("glTexImage2D") + recorder.Count("gluBuild2DMipmaps"), 0);
  EXPECT_TRUE(texture_.Changes().Bits() == 0);
  recorder.Clear();
  texture_.Handle();
  EXPECT_TRUE(recorder.Calls().empty());
  // An error after the upload only makes the required memory unknown.
  texture_.SetImageAlpha(tiaOpaque);
  recorder.Clear();
  recorder.QueueResult("glGetError", GL_NO_ERROR);
  recorder.QueueResult("glGetError", GL_INVALID_VALUE);
  texture_.Handle();
  EXPECT_EQ(recorder.Count("gluBuild2DMipmaps"), 1);
  EXPECT_EQ(texture_.RequiredMemory(), -1);
}

TEST_F(Texture, AnEnabledTextureBindsThroughTheCacheAndMapsCoordinates) {
  MakeBlank(4, 4);
  texture_.SetDisabled(false);
  texture_.SetTextureMode(tmModulate);
  TRenderContextInfo rci;
  texture_.Apply(rci);
  EXPECT_TRUE(rci.glStates.Contains(stTexture2D));
  EXPECT_EQ(recorder.CallsTo("glEnable"), std::vector<std::string>{"glEnable(3553)"});
  EXPECT_EQ(recorder.CallsTo("glTexEnvi"), std::vector<std::string>{"glTexEnvi(8960,8704,8448)"});
  recorder.Clear();
  texture_.Apply(rci);
  EXPECT_EQ(recorder.Count("glBindTexture"), 0) << "the same name on unit 0 is not bound again";
  EXPECT_EQ(recorder.Count("glEnable"), 0);
}

TEST_F(Texture, ASecondTextureGoesOnUnitOneWithItsMatrix) {
  MakeBlank(4, 4);
  texture_.SetDisabled(false);
  TMatrix shift = IdentityHmgMatrix;
  shift[3][0] = 0.5f;
  texture_.ApplyAsTexture2(shift);
  EXPECT_EQ(recorder.CallsTo("glActiveTextureARB"),
            (std::vector<std::string>{"glActiveTextureARB(33985)", "glActiveTextureARB(33984)"}));
  EXPECT_EQ(recorder.CallsTo("glEnable"), std::vector<std::string>{"glEnable(3553)"});
  EXPECT_EQ(recorder.CallsTo("glMatrixMode"), (std::vector<std::string>{"glMatrixMode(5890)", "glMatrixMode(5888)"}));
  EXPECT_EQ(recorder.Count("glLoadMatrixf"), 1);
  recorder.Clear();
  texture_.UnApplyAsTexture2(IdentityHmgMatrix);
  EXPECT_EQ(Names(), (std::vector<std::string>{"glActiveTextureARB", "glDisable", "glActiveTextureARB"}))
      << "no matrix to reset, no generation to switch off";
}

// Images and the registry -------------------------------------------------------------------

TEST_F(Texture, TheRegistryFindsTheFourImageClassesByExactName) {
  for (const char* name : {"TGLBlankImage", "TGLPersistentImage", "TGLPicFileImage", "TGLCubeMapImage"})
    EXPECT_NE(FindGLTextureImageClass(name), nullptr) << name;
  EXPECT_EQ(FindGLTextureImageClass("tglblankimage"), nullptr);
  EXPECT_EQ(FindGLTextureImageClass("TGLPictureImage"), nullptr);
  EXPECT_EQ(texture_.ImageClassName(), "TGLPersistentImage");
  texture_.SetImageClassName("");
  EXPECT_EQ(texture_.ImageClassName(), "TGLPersistentImage");
  EXPECT_THROW(texture_.SetImageClassName("TNoSuchImage"), ETexture);
  EXPECT_EQ(texture_.ImageClassName(), "TGLPersistentImage") << "the image stays";
  TComponent notATexture(nullptr);
  EXPECT_THROW(TGLBlankImage{&notATexture}, EInvalidCast);
}

TEST_F(Texture, ABlankImageOfTheDefaultSizeUploads256Square) {
  texture_.SetImageClassName("TGLBlankImage");
  EXPECT_TRUE(texture_.Changes().Contains(tcImage));
  recorder.Clear();
  texture_.Handle();
  const std::vector<std::string> uploads = recorder.CallsTo("gluBuild2DMipmaps");
  ASSERT_EQ(uploads.size(), 1u);
  EXPECT_EQ(uploads[0].rfind("gluBuild2DMipmaps(3553,6408,256,256,6408,5121,", 0), 0u);
  auto* blank = static_cast<TGLBlankImage*>(texture_.Image());
  blank->SetWidth(0);
  EXPECT_EQ(blank->Width(), 1);
  EXPECT_EQ(blank->FriendlyDescription(), "Blank Image (Width x Height)");
}

TEST_F(Texture, ATextureStreamsItsImageKindAndReadsItBack) {
  RegisterClasses({&TGLStageObject::StaticClass()});
  TComponent owner(nullptr);
  auto* node = new TGLStageObject(&owner);
  node->SetName("Node");
  TGLTexture* source = node->Material()->Texture();
  source->SetImageClassName("TGLBlankImage");
  static_cast<TGLBlankImage*>(source->Image())->SetWidth(64);
  source->SetMinFilter(miNearest);
  source->SetMappingMode(tmmObjectLinear);
  source->MappingTCoordinates()->SetVector4(0, 1, 0, 0.5f);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(*node);
  }
  stream.SetPosition(0);
  TComponent otherOwner(nullptr);
  auto* copy = new TGLStageObject(&otherOwner);
  {
    TReader reader(stream);
    reader.ReadRootComponent(*copy);
  }
  TGLTexture* texture = copy->Material()->Texture();
  EXPECT_EQ(texture->ImageClassName(), "TGLBlankImage");
  EXPECT_EQ(texture->Image()->Width(), 64);
  EXPECT_EQ(texture->Image()->Height(), 256);
  EXPECT_EQ(texture->MinFilter(), miNearest);
  EXPECT_EQ(texture->MappingMode(), tmmObjectLinear);
  EXPECT_EQ(texture->MappingTCoordinates()->W(), 0.5f);
  EXPECT_TRUE(texture->Disabled());
}

TEST_F(Texture, AssigningATextureCopiesAllButItsFilteringQuality) {
  TGLTexture source(nullptr);
  source.SetImageClassName("TGLBlankImage");
  static_cast<TGLBlankImage*>(source.Image())->SetHeight(16);
  source.SetFilteringQuality(tfAnisotropic);
  source.SetTextureWrap(twNone);
  source.SetDisabled(false);
  texture_.Handle();
  texture_.Assign(&source);
  EXPECT_EQ(texture_.ImageClassName(), "TGLBlankImage");
  EXPECT_EQ(texture_.Image()->Height(), 16);
  EXPECT_EQ(texture_.TextureWrap(), twNone);
  EXPECT_FALSE(texture_.Disabled());
  EXPECT_EQ(texture_.FilteringQuality(), tfIsotropic);
  EXPECT_TRUE(texture_.Changes().Contains(tcImage) && texture_.Changes().Contains(tcParams));
}

TEST_F(Texture, ABlankImageFileRoundTripsAndAMissingOneIsRefused) {
  const std::string path = TempPath("blank.txt");
  MakeBlank(40, 24);
  texture_.Image()->SaveToFile(path);
  EXPECT_EQ(LoadStringFromFile(path), "[BlankImage]\r\nWidth=40\r\nHeight=24");
  TGLTexture other(nullptr);
  other.SetImageClassName("TGLBlankImage");
  other.Image()->LoadFromFile(path);
  EXPECT_EQ(other.Image()->Width(), 40);
  EXPECT_EQ(other.Image()->Height(), 24);
  SaveStringToFile(path, "Width=abc\r\nHeight=3");
  EXPECT_THROW(other.Image()->LoadFromFile(path), EConvertError);
  DeleteFileA(path.c_str());
  try {
    other.Image()->LoadFromFile(path);
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Could not open file: " + path, 0), 0u) << e.what();
  }
}

TEST_F(Texture, APictureFileImageFollowsItsRedirectionAndTheNeededEvent) {
  const std::string picture = TempPath("red.bmp"), redirect = TempPath("redirect.txt");
  const std::vector<uint8_t> bytes = Square(8, clRed)->SaveToBytes();
  SaveStringToFile(picture, std::string(bytes.begin(), bytes.end()));
  texture_.SetImageClassName("TGLPicFileImage");
  auto* image = static_cast<TGLPicFileImage*>(texture_.Image());
  image->SetPictureFileName(picture);
  image->SaveToFile(redirect);
  EXPECT_EQ(LoadStringFromFile(redirect), picture);

  TGLTexture other(nullptr);
  other.SetImageClassName("TGLPicFileImage");
  other.Image()->LoadFromFile(redirect);  // a small text file names the picture
  EXPECT_EQ(static_cast<TGLPicFileImage*>(other.Image())->PictureFileName(), picture);
  other.Image()->LoadFromFile(picture);  // a picture file is taken itself
  EXPECT_EQ(static_cast<TGLPicFileImage*>(other.Image())->PictureFileName(), picture);
  TGLBitmap32* pixels = other.Image()->GetBitmap32(GL_TEXTURE_2D);
  ASSERT_EQ(pixels->Width(), 8);
  EXPECT_EQ(pixels->Data()[0].r, 255);
  other.Image()->ReleaseBitmap32();

  // The event may redirect the file about to be opened.
  std::string asked;
  other.OnTextureNeeded = TTextureNeededEvent([&](TObject*, std::string& name) {
    asked = name;
    name = picture;
  });
  static_cast<TGLPicFileImage*>(other.Image())->SetPictureFileName("elsewhere.bmp");
  EXPECT_EQ(other.Image()->GetBitmap32(GL_TEXTURE_2D)->Width(), 8);
  EXPECT_EQ(asked, "elsewhere.bmp");
  other.Image()->ReleaseBitmap32();

  other.OnTextureNeeded = TTextureNeededEvent();
  static_cast<TGLPicFileImage*>(other.Image())->SetPictureFileName(TempPath("missing.bmp"));
  EXPECT_THROW(other.Image()->GetBitmap32(GL_TEXTURE_2D), EAssertionFailed);
  EXPECT_EQ(static_cast<TGLPicFileImage*>(other.Image())->PictureFileName(), "");
  DeleteFileA(picture.c_str());
  DeleteFileA(redirect.c_str());
}

TEST_F(Texture, APersistentImageRefusesAMissingFileAndClearsItsPicture) {
  auto* image = static_cast<TGLPersistentImage*>(texture_.Image());
  image->SetPicture(nullptr);
  image->Picture()->SetGraphic(Square(4, clBlue).get());
  ASSERT_EQ(image->Width(), 4);
  EXPECT_THROW(image->LoadFromFile(TempPath("missing.bmp")), ETexture);
  EXPECT_EQ(image->Width(), 0);
  // A picture change reaches the texture.
  texture_.Handle();
  ASSERT_TRUE(texture_.Changes().Bits() == 0);
  image->Picture()->SetGraphic(Square(4, clBlue).get());
  EXPECT_TRUE(texture_.Changes().Contains(tcImage));
}

}  // namespace
