// A scene read from and written back to the text of a form, the fog of a
// buffer, and the vertical-sync mode.
#include "SceneFixture.h"
#include "framework/core/FormResources.h"
#include "scene/GLGraph.h"
#include "scene/GLObjects.h"
#include "scene/GLStage.h"
#include "scene/GLWin32Viewer.h"

#include <gtest/gtest.h>

#include <string>

using namespace kx;

namespace {

// The root of a stored scene, without windows.
class TSceneRoot : public TComponent {
  KX_CLASS(TSceneRoot, TComponent)
 public:
  using TComponent::TComponent;
  template <class T>
  T* Find(const char* name) {
    return As<T>(FindComponent(name));
  }
};

KX_PUBLISH(TSceneRoot) {}

// Nested nodes; vectors and colours both by component and as their binary
// blobs (singles, little-endian: 1.0 is 0000803F, 0.5 is 0000003F, 2.0 is
// 00000040, 3.0 is 00004040); sampling scales; material paths; a camera
// with its target.
constexpr char kSceneText[] = R"(object SceneRoot: TSceneRoot
  object Stage: TGLStage
    object Light: TGLLightSource
      Position.Coordinates = {0000803F000000400000404000000000}
      Diffuse.Red = 0.5
      Shining = False
    end
    object Grid: TXYZGrid
      LineColor.Color = {0000803F0000003F000000000000803F}
      XSamplingScale.Min = -2
      XSamplingScale.Max = 2
      XSamplingScale.Step = 0.5
      Parts = [gpX, gpZ]
      LinesStyle = glsLine
      LinesSmoothing = True
      object Dot: TSphere
        Position.X = 1
        Position.Y = 2
        Radius = 0.25
        Slices = 8
        Material.BlendingMode = bmTransparency
        Material.FrontProperties.Emission.Color = {0000803F0000003F000000000000803F}
        Material.BackProperties.Diffuse.Blue = 0.75
      end
    end
    object Axis: TArrowLine
      Direction.Coordinates = {0000803F000000000000000000000000}
      Height = 20
      Parts = [alLine, alBottomArrow]
    end
    object Camera: TGLCamera
      FocalLength = 200
      TargetObject = Grid
      Position.Coordinates = {000000400000004000000040
        0000803F}
    end
  end
end
)";

TEST(SceneStream, AFormTextBuildsTheWholeScene) {
  TSceneRoot root(nullptr);
  ReadComponentText(root, kSceneText, "scene.kxf");
  auto* stage = root.Find<TGLStage>("Stage");
  auto* grid = root.Find<TXYZGrid>("Grid");
  auto* dot = root.Find<TSphere>("Dot");
  auto* light = root.Find<TGLLightSource>("Light");
  auto* camera = root.Find<TGLCamera>("Camera");
  auto* axis = root.Find<TArrowLine>("Axis");
  EXPECT_EQ(grid->Parent(), stage->Objects());
  EXPECT_EQ(dot->Parent(), grid);
  EXPECT_EQ(dot->Scene(), stage);
  EXPECT_EQ(camera->Parent(), stage->CameraRoot());
  EXPECT_EQ(camera->TargetObject(), grid);
  EXPECT_EQ(stage->Light(0), light);
  EXPECT_TRUE(light->Position()->Equals({1, 2, 3, 1}));  // w is 1 once loaded
  EXPECT_EQ(light->Diffuse()->Color(), (TColorVector{0.5f, 1, 1, 1}));
  EXPECT_FALSE(light->Shining());
  EXPECT_EQ(grid->LineColor()->Color(), (TColorVector{1, 0.5f, 0, 1}));
  EXPECT_EQ(grid->XSamplingScale()->Min(), -2);
  EXPECT_EQ(grid->XSamplingScale()->Step(), 0.5f);
  EXPECT_EQ(grid->Parts(), (TXYZGridParts{gpX, gpZ}));
  EXPECT_TRUE(grid->LinesSmoothing());
  EXPECT_TRUE(dot->Position()->Equals({1, 2, 0, 1}));
  EXPECT_EQ(dot->Slices(), 8);
  EXPECT_EQ(dot->Material()->BlendingMode(), bmTransparency);
  EXPECT_EQ(dot->Material()->FrontProperties()->Emission()->Color(), (TColorVector{1, 0.5f, 0, 1}));
  EXPECT_EQ(dot->Material()->BackProperties()->Diffuse()->Blue(), 0.75f);
  EXPECT_TRUE(axis->Direction()->Equals({1, 0, 0, 0}));
  EXPECT_EQ(axis->Parts(), (TArrowLineParts{alLine, alBottomArrow}));
  EXPECT_TRUE(camera->Position()->Equals({2, 2, 2, 1}));
  EXPECT_EQ(camera->FocalLength(), 200);
}

TEST(SceneStream, AWrittenSceneReadsBackTheSame) {
  TSceneRoot root(nullptr);
  ReadComponentText(root, kSceneText, "scene.kxf");
  const std::string written = WriteComponentText(root);
  EXPECT_NE(written.find("Position.Coordinates"), std::string::npos);
  EXPECT_NE(written.find("LineColor.Color"), std::string::npos);
  EXPECT_EQ(written.find("Position.X"), std::string::npos);  // components are never written alone
  TSceneRoot copy(nullptr);
  ReadComponentText(copy, written, "written.kxf");
  EXPECT_EQ(WriteComponentText(copy), written);
  EXPECT_EQ(copy.Find<TGLCamera>("Camera")->TargetObject(), copy.Find<TXYZGrid>("Grid"));
  EXPECT_EQ(copy.Find<TSphere>("Dot")->Parent(), copy.Find<TXYZGrid>("Grid"));
}

TEST(SceneStream, BadValuesAreRefusedWithTheirPlace) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"object SceneRoot: TSceneRoot\n object S: TGLStage\n  object G: TXYZGrid\n   Parts = [gpW]\n  end\n end\nend\n",
       "gpW"},
      {"object SceneRoot: TSceneRoot\n object S: TGLStage\n  object D: TSphere\n   Top = 120\n  end\n end\nend\n",
       "Top"},
      {"object SceneRoot: TSceneRoot\n object S: TGLStage\n  object C: TGLCamera\n   TargetObject = Nowhere\n  end\n "
       "end\nend\n",
       "Nowhere"},
      {"object SceneRoot: TSceneRoot\n object S: TGLStage\n  object D: TSphere\n   Position.Coordinates = {0000803F}\n "
       " "
       "end\n end\nend\n",
       "Coordinates"},
  };
  for (const Case& c : cases) {
    TSceneRoot root(nullptr);
    try {
      ReadComponentText(root, c.text, "bad.kxf");
      ADD_FAILURE() << "no exception: " << c.expected;
    } catch (const Exception& e) {
      EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find("bad.kxf, line"), std::string::npos) << e.what();
    }
  }
}

// Fog -------------------------------------------------------------------------------------

class Fog : public SceneRecorderTest {
 protected:
  Fog() : owner_(nullptr), buffer_(&owner_) {
    buffer_.CreateRC(nullptr, false);
    recorder.Clear();
  }
  TComponent owner_;
  TGLStageBuffer buffer_;
};

TEST_F(Fog, SettingsAreSentOnceAfterTheyChanged) {
  TGLFogEnvironment* fog = buffer_.FogEnvironment();
  EXPECT_TRUE(fog->IsAtDefaultValues());
  fog->ApplyFog();  // a fresh environment sends nothing
  EXPECT_TRUE(recorder.Calls().empty());
  TGLColor colour(nullptr, {0.5f, 0.5f, 0.5f, 0.02f});
  fog->SetFogColor(&colour);
  fog->SetFogMode(fmExp);
  EXPECT_FALSE(fog->IsAtDefaultValues());
  fog->ApplyFog();
  EXPECT_EQ(recorder.CallsTo("glFogi"), std::vector<std::string>{"glFogi(2917,2048)"});  // GL_EXP
  EXPECT_EQ(recorder.CallsTo("glFogf"),
            (std::vector<std::string>{"glFogf(2914,0.02)", "glFogf(2915,10)", "glFogf(2916,1000)"}));
  recorder.Clear();
  fog->ApplyFog();
  EXPECT_TRUE(recorder.Calls().empty());
  fog->SetFogColor(nullptr);  // ignored
  EXPECT_FALSE(fog->Changed());
}

TEST(VSync, TheSwapIntervalIsSetOnlyWhenItDiffers) {
  TGLRecorder recorder;
  GLCaps.WGL_EXT_swap_control = true;
  recorder.QueueResult("wglGetSwapIntervalEXT", 1);
  SetupVSync(vsmNoSync);
  recorder.QueueResult("wglGetSwapIntervalEXT", 0);
  SetupVSync(vsmNoSync);
  recorder.QueueResult("wglGetSwapIntervalEXT", 0);
  SetupVSync(vsmSync);
  EXPECT_EQ(recorder.CallsTo("wglSwapIntervalEXT"),
            (std::vector<std::string>{"wglSwapIntervalEXT(0)", "wglSwapIntervalEXT(1)"}));
  GLCaps.WGL_EXT_swap_control = false;
  recorder.Clear();
  SetupVSync(vsmSync);
  EXPECT_TRUE(recorder.Calls().empty());
}

}  // namespace
