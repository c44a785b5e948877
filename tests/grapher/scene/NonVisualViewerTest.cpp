// Viewers without a window through the recorder: their size, the memory
// viewer's context and what copying a frame into a texture sends to GL.
#include "SceneFixture.h"
#include "scene/GLStageViewers.h"
#include "scene/GLTextureImages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

constexpr GLuint kTextureName = 11;
void APIENTRY GenTextures(GLsizei, GLuint* names) { names[0] = kTextureName; }

class NonVisualViewer : public SceneRecorderTest {
 protected:
  NonVisualViewer() : owner_(nullptr), scene_(new TGLStage(&owner_)), viewer_(&owner_) {
    GL.glGenTextures = &GenTextures;
    camera_ = scene_->CameraRoot()->AddNewChild<TGLCamera>();
    viewer_.SetCamera(camera_);
    viewer_.SetWidth(64);
    viewer_.SetHeight(32);
  }
  ~NonVisualViewer() override {
    viewer_.SetCamera(nullptr);
    viewer_.Buffer()->DestroyRC();
    delete scene_;
  }

  TComponent owner_;
  TGLStage* scene_;
  TGLMemoryViewer viewer_;
  TGLCamera* camera_ = nullptr;
  TGLMaterial material_{nullptr};
};

TEST_F(NonVisualViewer, SizesStartAt256AndNeverGoBelowOne) {
  TGLMemoryViewer fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 256);
  EXPECT_EQ(fresh.Height(), 256);
  for (int value : {0, -5}) {
    fresh.SetWidth(value);
    fresh.SetHeight(value);
    EXPECT_EQ(fresh.Width(), 1) << value;
    EXPECT_EQ(fresh.Height(), 1) << value;
  }
}

TEST_F(NonVisualViewer, TheMemoryContextIsMadeOnTheFirstFrameAndKeptUntilTheSizeChanges) {
  EXPECT_EQ(viewer_.Buffer()->RenderingContext(), nullptr);
  viewer_.Render();
  TGLContext* first = viewer_.Buffer()->RenderingContext();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(viewer_.Buffer()->ViewPort().Width, 64);
  EXPECT_EQ(viewer_.Buffer()->ViewPort().Height, 32);
  viewer_.Render();
  EXPECT_EQ(viewer_.Buffer()->RenderingContext(), first) << "kept between frames";
  viewer_.SetHeight(48);
  EXPECT_EQ(viewer_.Buffer()->RenderingContext(), nullptr) << "a new size needs a new surface";
  viewer_.Render();
  EXPECT_NE(viewer_.Buffer()->RenderingContext(), nullptr);
  EXPECT_EQ(viewer_.Buffer()->ViewPort().Height, 48);
}

TEST_F(NonVisualViewer, RemovingTheCameraLeavesTheViewerWithoutOne) {
  delete camera_;
  EXPECT_EQ(viewer_.Camera(), nullptr);
}

TEST_F(NonVisualViewer, WithoutAContextACopyDoesNothing) {
  recorder.Clear();
  viewer_.CopyToTexture(material_.Texture());
  EXPECT_TRUE(recorder.Calls().empty());
  EXPECT_FALSE(material_.Texture()->IsHandleAllocated());
}

TEST_F(NonVisualViewer, TheFirstCopyReadsTheFrameIntoNewStorageAndLaterOnesCopyInPlace) {
  TGLTexture* texture = material_.Texture();
  texture->SetMinFilter(miNearest);
  viewer_.Render();
  recorder.Clear();
  viewer_.CopyToTexture(texture);
  EXPECT_TRUE(viewer_.CreateTexture());
  EXPECT_TRUE(texture->IsHandleAllocated());
  EXPECT_EQ(recorder.CallsTo("glReadPixels").size(), 1u);
  EXPECT_EQ(recorder.CallsTo("glReadPixels")[0].rfind("glReadPixels(0,0,64,32,6408,5121,", 0), 0u);
  ASSERT_EQ(recorder.CallsTo("glTexImage2D").size(), 1u);
  const std::string upload =
      "glTexImage2D(3553,0," + std::to_string(texture->OpenGLTextureFormat()) + ",64,32,0,6408,5121,";
  EXPECT_EQ(recorder.CallsTo("glTexImage2D")[0].rfind(upload, 0), 0u) << recorder.CallsTo("glTexImage2D")[0];
  EXPECT_EQ(recorder.Count("glCopyTexSubImage2D"), 0);

  recorder.Clear();
  viewer_.CopyToTexture(texture, 4, 2, 16, 8, 1, 3);
  EXPECT_FALSE(viewer_.CreateTexture());
  EXPECT_EQ(recorder.CallsTo("glCopyTexSubImage2D"),
            std::vector<std::string>{"glCopyTexSubImage2D(3553,0,1,3,4,2,16,8)"});
  EXPECT_EQ(recorder.Count("glReadPixels"), 0);
  EXPECT_EQ(recorder.Count("glTexImage2D"), 0);
}

TEST_F(NonVisualViewer, AMipmappedTextureIsFilledByTheDriverOrByGlu) {
  viewer_.Render();
  GLCaps.GL_SGIS_generate_mipmap = true;
  TGLMaterial withExtension(nullptr);
  recorder.Clear();
  viewer_.CopyToTexture(withExtension.Texture());
  EXPECT_EQ(recorder.CallsTo("glTexParameteri").back(), "glTexParameteri(3553,33169,1)");
  EXPECT_EQ(recorder.Count("glTexImage2D"), 1);
  EXPECT_EQ(recorder.Count("gluBuild2DMipmaps"), 0);

  GLCaps.GL_SGIS_generate_mipmap = false;
  TGLMaterial withoutExtension(nullptr);
  recorder.Clear();
  viewer_.CopyToTexture(withoutExtension.Texture());
  EXPECT_EQ(recorder.Count("glTexImage2D"), 0);
  EXPECT_EQ(recorder.Count("gluBuild2DMipmaps"), 1);
}

}  // namespace
