// The material library through the recorder: names, the notification walks,
// removal of entries in use, the texture search, the texture matrix, the
// second texture's mapping and the shader protocol with its extra passes.
#include "SceneFixture.h"
#include "framework/core/Streams.h"
#include "scene/GLTextureImages.h"
#include "scene/GLTextureLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

using namespace kx;

namespace {

// A node that counts the plain notifications and rebuild requests its
// material sends.
class TCountingNode : public TGLCustomSceneObject {
 public:
  using TGLCustomSceneObject::TGLCustomSceneObject;
  void NotifyChange(TObject* sender) override {
    ++changes;
    TGLCustomSceneObject::NotifyChange(sender);
  }
  void StructureChanged() override {
    ++rebuilds;
    TGLCustomSceneObject::StructureChanged();
  }
  int changes = 0;
  int rebuilds = 0;
};

// Writes its steps into the recorder, so that their order among the GL
// calls shows; asks for `extraPasses` more passes before it lets go.
class TTestShader : public TGLShader {
 public:
  using TGLShader::TGLShader;
  int extraPasses = 0;
  int initializations = 0;
  int finalizations = 0;

 protected:
  void DoApply(TRenderContextInfo&, TObject*) override { TGLRecorder::current_->Record("shaderApply", ""); }
  bool DoUnApply(TRenderContextInfo&) override {
    TGLRecorder::current_->Record("shaderUnApply", "");
    if (extraPasses == 0) return false;
    --extraPasses;
    return true;
  }
  void DoInitialize() override { ++initializations; }
  void DoFinalize() override { ++finalizations; }
};

constexpr GLuint kTextureName = 9;
void APIENTRY GenTextures(GLsizei, GLuint* names) { names[0] = kTextureName; }

class MaterialLibrary : public SceneRecorderTest {
 protected:
  MaterialLibrary() {
    GL.glGenTextures = &GenTextures;
    GLCaps.GL_ARB_multitexture = true;
    MakeCurrent();
    ResetGLCurrentTexture();
    ResetGLMaterialColors();
  }
  TGLLibMaterial* Entry(const std::string& name) {
    TGLLibMaterial* entry = library_.Materials()->Add();
    entry->SetName(name);
    return entry;
  }
  // An enabled texture of a small blank image with the given mapping.
  static void EnableTexture(TGLLibMaterial* entry, TGLTextureMappingMode mapping) {
    TGLTexture* texture = entry->Material()->Texture();
    texture->SetImageClassName("TGLBlankImage");
    static_cast<TGLBlankImage*>(texture->Image())->SetWidth(4);
    static_cast<TGLBlankImage*>(texture->Image())->SetHeight(4);
    texture->SetMinFilter(miLinear);
    texture->SetMappingMode(mapping);
    texture->SetDisabled(false);
  }
  TCountingNode* NodeUsing(const std::string& name) {
    auto* node = new TCountingNode(&owner_);
    node->Material()->SetMaterialLibrary(&library_);
    node->Material()->SetLibMaterialName(name);
    node->changes = node->rebuilds = 0;
    return node;
  }
  // One render of the node's material: apply, draw, un-apply until done.
  int Passes(TGLMaterial& material) {
    TRenderContextInfo rci;
    rci.glStates = {stLighting};
    material.Apply(rci);
    int passes = 0;
    do {
      ++passes;
      TGLRecorder::current_->Record("draw", "");
    } while (material.UnApply(rci));
    return passes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const std::string& call : recorder.Calls()) names.push_back(call.substr(0, call.find('(')));
    return names;
  }
  static int Position(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return static_cast<int>(i);
    return -1;
  }

  TComponent owner_{nullptr};
  TGLMaterialLibrary library_{&owner_};
};

// Names -------------------------------------------------------------------------------------

TEST_F(MaterialLibrary, NewEntriesGetUniqueNamesAndRenamingToATakenNameAddsASuffix) {
  TGLLibMaterials& entries = *library_.Materials();
  for (int i = 0; i < 3; ++i) entries.Add();
  EXPECT_EQ(entries.Items(0)->Name(), "LibMaterial");
  EXPECT_EQ(entries.Items(1)->Name(), "LibMaterial1");
  EXPECT_EQ(entries.Items(2)->Name(), "LibMaterial2");
  entries.Items(2)->SetName("LibMaterial");
  EXPECT_EQ(entries.Items(2)->Name(), "LibMaterial3");
  entries.Items(2)->SetName("Stone");
  EXPECT_EQ(entries.GetLibMaterialByName("Stone"), entries.Items(2));
  EXPECT_EQ(entries.GetLibMaterialByName("stone"), nullptr) << "names are case-sensitive";
  EXPECT_EQ(entries.Items(2)->DisplayName(), "Stone");
}

TEST_F(MaterialLibrary, WhileTheLibraryIsReadANameIsTakenAsGiven) {
  Entry("Stone");
  TGLLibMaterial* second = Entry("Wood");
  library_.BeginLoading();
  second->SetName("Stone");
  library_.Loaded();
  EXPECT_EQ(second->Name(), "Stone");
}

TEST_F(MaterialLibrary, RenamingAnEntryInUseKeepsItsUsersBoundToIt) {
  TGLLibMaterial* stone = Entry("Stone");
  TCountingNode* node = NodeUsing("Stone");
  stone->SetName("Granite");
  EXPECT_EQ(node->Material()->LibMaterial(), stone);
  node->Material()->SetLibMaterialName("Granite");
  EXPECT_EQ(node->Material()->LibMaterial(), stone);
  EXPECT_EQ(node->rebuilds, 0) << "the same entry again is no change of texture mapping";
  node->Material()->SetLibMaterialName("Stone");
  EXPECT_EQ(node->Material()->LibMaterial(), nullptr) << "the old name names nothing now";
  EXPECT_EQ(node->rebuilds, 1);
  EXPECT_EQ(stone->UserCount(), 0);
}

// Walks -------------------------------------------------------------------------------------

TEST_F(MaterialLibrary, AChangeReachesEveryUserOnceAlsoThroughARingOfSecondTextures) {
  TGLLibMaterial* a = Entry("A");
  TGLLibMaterial* b = Entry("B");
  EnableTexture(a, tmmUser);
  EnableTexture(b, tmmUser);
  a->SetTexture2Name("B");
  b->SetTexture2Name("A");
  TCountingNode* usesA = NodeUsing("A");
  TCountingNode* usesB = NodeUsing("B");
  Passes(*usesA->Material());
  Passes(*usesB->Material());
  ASSERT_EQ(a->Texture2(), b);
  ASSERT_EQ(b->Texture2(), a);
  EXPECT_EQ(a->UserCount(), 2) << "the node's material and B";
  usesA->changes = usesB->changes = 0;
  a->Material()->FrontProperties()->SetShininess(20);
  EXPECT_EQ(usesA->changes, 1);
  EXPECT_EQ(usesB->changes, 1);
  usesA->rebuilds = usesB->rebuilds = 0;
  a->NotifyUsersOfTexMapChange();
  EXPECT_EQ(usesA->rebuilds, 1);
  EXPECT_EQ(usesB->rebuilds, 1);
}

TEST_F(MaterialLibrary, RemovingAnEntryInUseDetachesItsMaterialsAndSecondTextureUsers) {
  TGLLibMaterial* stone = Entry("Stone");
  TGLLibMaterial* wood = Entry("Wood");
  EnableTexture(stone, tmmUser);
  EnableTexture(wood, tmmUser);
  wood->SetTexture2Name("Stone");
  TCountingNode* node = NodeUsing("Stone");
  Passes(*node->Material());
  TCountingNode* woodNode = NodeUsing("Wood");
  Passes(*woodNode->Material());
  ASSERT_EQ(wood->Texture2(), stone);
  delete stone;
  EXPECT_EQ(library_.Materials()->Count(), 1);
  EXPECT_EQ(node->Material()->LibMaterial(), nullptr);
  EXPECT_EQ(node->Material()->MaterialLibrary(), nullptr);
  EXPECT_EQ(node->Material()->LibMaterialName(), "");
  EXPECT_EQ(wood->Texture2(), nullptr);
  EXPECT_EQ(wood->Texture2Name(), "");
  ResetGLMaterialColors();
  recorder.Clear();
  EXPECT_EQ(Passes(*node->Material()), 1) << "the node's own material draws";
  EXPECT_GT(recorder.Count("glMaterialfv"), 0);
}

TEST_F(MaterialLibrary, AMaterialThatNamesAMissingEntryForgetsTheLibraryWhenItGoes) {
  TGLMaterial material(nullptr);
  {
    TGLMaterialLibrary library(nullptr);
    material.SetMaterialLibrary(&library);
    material.SetLibMaterialName("Nothing");
    EXPECT_EQ(material.LibMaterial(), nullptr);
  }
  EXPECT_EQ(material.MaterialLibrary(), nullptr);
  material.SetLibMaterialName("Stone");
  EXPECT_EQ(material.LibMaterial(), nullptr);
}

TEST_F(MaterialLibrary, AnEntryWhoseMaterialNamesItselfIsRefused) {
  TGLLibMaterial* stone = Entry("Stone");
  stone->Material()->SetMaterialLibrary(&library_);
  EXPECT_THROW(stone->Material()->SetLibMaterialName("Stone"), EAssertionFailed);
  EXPECT_EQ(stone->Material()->LibMaterial(), nullptr);
}

TEST_F(MaterialLibrary, ASecondTextureNamingNoEntryIsDroppedAndOneTextureDraws) {
  TGLLibMaterial* stone = Entry("Stone");
  EnableTexture(stone, tmmUser);
  stone->SetTexture2Name("Missing");
  TCountingNode* node = NodeUsing("Stone");
  recorder.Clear();
  Passes(*node->Material());
  EXPECT_EQ(stone->Texture2Name(), "");
  EXPECT_EQ(recorder.Count("glActiveTextureARB"), 0);
}

TEST_F(MaterialLibrary, WithoutMultitexturingTheSecondTextureIsIgnoredAndKept) {
  GLCaps.GL_ARB_multitexture = false;
  TGLLibMaterial* stone = Entry("Stone");
  EnableTexture(stone, tmmUser);
  EnableTexture(Entry("Wood"), tmmUser);
  stone->SetTexture2Name("Wood");
  recorder.Clear();
  Passes(*NodeUsing("Stone")->Material());
  EXPECT_EQ(stone->Texture2Name(), "Wood");
  EXPECT_EQ(stone->Texture2(), nullptr);
  EXPECT_EQ(recorder.Count("glActiveTextureARB"), 0);
}

// Texture matrix and mapping ------------------------------------------------------------------

TEST_F(MaterialLibrary, OnlyAScaleOrOffsetLoadsATextureMatrixAroundTheDrawing) {
  TGLLibMaterial* stone = Entry("Stone");
  EnableTexture(stone, tmmUser);
  TGLMaterial& material = *NodeUsing("Stone")->Material();
  recorder.Clear();
  Passes(material);
  EXPECT_TRUE(stone->TextureMatrixIsIdentity());
  EXPECT_EQ(recorder.Count("glLoadMatrixf"), 0);
  EXPECT_EQ(recorder.CallsTo("glMatrixMode"), std::vector<std::string>{});

  stone->TextureScale()->SetVector(2, 2, 1);
  EXPECT_FALSE(stone->TextureMatrixIsIdentity());
  EXPECT_EQ(stone->TextureMatrix()[0][0], 2);
  EXPECT_EQ(stone->TextureMatrix()[2][2], 1);
  recorder.Clear();
  Passes(material);
  const std::vector<std::string> names = Names();
  EXPECT_EQ(recorder.Count("glLoadMatrixf"), 1);
  EXPECT_LT(Position(names, "glLoadMatrixf"), Position(names, "draw"));
  EXPECT_GT(Position(names, "glLoadIdentity"), Position(names, "draw")) << "reset after the drawing";
  EXPECT_EQ(recorder.CallsTo("glMatrixMode"), (std::vector<std::string>{"glMatrixMode(5890)", "glMatrixMode(5888)",
                                                                        "glMatrixMode(5890)", "glMatrixMode(5888)"}));

  stone->TextureScale()->SetVector(1, 1, 1);
  EXPECT_TRUE(stone->TextureMatrixIsIdentity()) << "back to the identity, bit for bit";
}

struct MappingCase {
  bool mainEnabled;
  TGLTextureMappingMode main, second;
  TXGLMapping expected;
};

TEST_F(MaterialLibrary, TheTexCoordMappingFollowsBothTexturesMappingModes) {
  const MappingCase cases[] = {
      {true, tmmUser, tmmUser, xmDual},     {true, tmmUser, tmmSphere, xmMain},
      {true, tmmSphere, tmmUser, xmSecond}, {true, tmmEyeLinear, tmmSphere, xmNull},
      {false, tmmUser, tmmUser, xmSecond},  {false, tmmUser, tmmObjectLinear, xmNull},
  };
  for (const MappingCase& c : cases) {
    TGLMaterialLibrary library(nullptr);
    TGLLibMaterial* main = library.Materials()->Add();
    TGLLibMaterial* second = library.Materials()->Add();
    EnableTexture(main, c.main);
    main->Material()->Texture()->SetDisabled(!c.mainEnabled);
    EnableTexture(second, c.second);
    main->SetTexture2Name(second->Name());
    TRenderContextInfo rci;
    main->Apply(rci);
    EXPECT_EQ(CurrentTexCoordMapping(), c.expected) << c.mainEnabled << " " << int(c.main) << " " << int(c.second);
    main->UnApply(rci);
    EXPECT_EQ(CurrentTexCoordMapping(), xmMain);
  }
}

// Shaders -------------------------------------------------------------------------------------

struct ShaderCase {
  TGLShaderStyle style;
  std::vector<std::string> order;
};

TEST_F(MaterialLibrary, TheShaderStyleDecidesWhereTheShaderRunsAndReplaceSkipsTheMaterial) {
  const ShaderCase cases[] = {
      {ssBeforeMaterial, {"shaderApply", "material", "draw", "shaderUnApply"}},
      {ssAfterMaterial, {"material", "shaderApply", "draw", "shaderUnApply"}},
      {ssReplaceMaterial, {"shaderApply", "draw", "shaderUnApply"}},
  };
  for (const ShaderCase& c : cases) {
    TTestShader shader(&owner_);
    shader.SetShaderStyle(c.style);
    TGLLibMaterial* entry = Entry("Shaded");
    entry->Material()->SetMaterialOptions({moNoLighting});
    entry->SetShader(&shader);
    TGLMaterial material(nullptr);
    material.SetMaterialLibrary(&library_);
    material.SetLibMaterialName(entry->Name());
    ResetGLMaterialColors();
    recorder.Clear();
    Passes(material);
    std::vector<std::string> order;
    for (const std::string& name : Names()) {
      // The material's first call: lighting switched off for moNoLighting.
      if (name == "glDisable" && (order.empty() || order.back() != "material")) order.push_back("material");
      if (name == "shaderApply" || name == "shaderUnApply" || name == "draw") order.push_back(name);
    }
    EXPECT_EQ(order, c.order) << int(c.style);
    EXPECT_FALSE(shader.Active());
    delete entry;
  }
}

TEST_F(MaterialLibrary, AShaderAskingForMorePassesGetsTheGeometryDrawnAgain) {
  TTestShader shader(&owner_);
  shader.extraPasses = 2;
  Entry("Shaded")->SetShader(&shader);
  TGLMaterial& material = *NodeUsing("Shaded")->Material();
  recorder.Clear();
  EXPECT_EQ(Passes(material), 3);
  EXPECT_EQ(recorder.Count("shaderApply"), 1) << "applied once, un-applied after every pass";
  EXPECT_EQ(recorder.Count("shaderUnApply"), 3);
  EXPECT_EQ(shader.initializations, 1);
  EXPECT_FALSE(shader.Active());
  Passes(material);
  EXPECT_EQ(shader.initializations, 1) << "resources are made once per context";
}

TEST_F(MaterialLibrary, UnbalancedShaderCallsFailTheirAssertion) {
  TTestShader shader(&owner_);
  TRenderContextInfo rci;
  EXPECT_THROW(shader.UnApply(rci), EAssertionFailed);
  shader.Apply(rci, nullptr);
  EXPECT_THROW(shader.Apply(rci, nullptr), EAssertionFailed);
  EXPECT_FALSE(shader.UnApply(rci));
}

TEST_F(MaterialLibrary, AShaderChangeReachesTheMaterialsAndItsEndLeavesTheEntries) {
  auto* shader = new TTestShader(&owner_);
  TGLLibMaterial* entry = Entry("Shaded");
  entry->SetShader(shader);
  TCountingNode* node = NodeUsing("Shaded");
  shader->SetShaderStyle(ssBeforeMaterial);
  EXPECT_EQ(node->changes, 1);
  TRenderContextInfo rci;
  shader->Apply(rci, nullptr);
  shader->UnApply(rci);
  delete shader;
  EXPECT_EQ(entry->Shader(), nullptr);
  EXPECT_EQ(Passes(*node->Material()), 1);
}

TEST_F(MaterialLibrary, DestroyingAContextFinalisesTheShadersResources) {
  TTestShader shader(&owner_);
  TRenderContextInfo rci;
  shader.Apply(rci, nullptr);
  shader.UnApply(rci);
  EXPECT_EQ(shader.initializations, 1);
  context_->Deactivate();
  context_->DestroyContext();
  EXPECT_EQ(shader.finalizations, 1);
}

// Texture files -------------------------------------------------------------------------------

TEST_F(MaterialLibrary, TexturePathsAreTrimmedEndInABackslashAndSkipEmptyFolders) {
  library_.SetTexturePaths("  C:\\textures ;;\tD:\\more\\;");
  EXPECT_EQ(library_.TextureFolders(), (std::vector<std::string>{"C:\\textures\\", "D:\\more\\"}));
  EXPECT_EQ(library_.TexturePaths(), "  C:\\textures ;;\tD:\\more\\;");
  library_.SetTexturePaths("");
  EXPECT_TRUE(library_.TextureFolders().empty());
}

class TextureSearch : public MaterialLibrary {
 protected:
  TextureSearch() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "kx_library_" + std::to_string(GetCurrentProcessId());
    first_ = base + "_a";
    second_ = base + "_b";
    CreateDirectoryA(first_.c_str(), nullptr);
    CreateDirectoryA(second_.c_str(), nullptr);
    std::ofstream(second_ + "\\stone.bmp") << "x";
  }
  ~TextureSearch() override {
    DeleteFileA((second_ + "\\stone.bmp").c_str());
    RemoveDirectoryA(first_.c_str());
    RemoveDirectoryA(second_.c_str());
  }
  std::string first_, second_;
};

TEST_F(TextureSearch, ABareNameIsFoundInTheFirstFolderThatHoldsIt) {
  library_.SetTexturePaths(first_ + ";" + second_);
  TGLLibMaterial* entry = Entry("Stone");
  std::string name = "stone.bmp";
  entry->ResolveTextureName(name);
  EXPECT_EQ(name, second_ + "\\stone.bmp");
  name = "missing.bmp";
  entry->ResolveTextureName(name);
  EXPECT_EQ(name, "missing.bmp");
  for (std::string absolute : {std::string("C:stone.bmp"), std::string("\\stone.bmp")}) {
    const std::string given = absolute;
    entry->ResolveTextureName(absolute);
    EXPECT_EQ(absolute, given) << "not searched";
  }
}

TEST_F(TextureSearch, TheLibrarysOwnHandlerRunsFirstAndMayRenameTheFile) {
  library_.SetTexturePaths(second_);
  std::vector<std::string> asked;
  library_.OnTextureNeeded = TTextureNeededEvent([&](TObject* sender, std::string& name) {
    EXPECT_EQ(sender, &library_);
    asked.push_back(name);
    name = "stone.bmp";
  });
  TGLLibMaterial* entry = Entry("Stone");
  auto* image = entry->Material()->Texture();
  image->SetImageClassName("TGLPicFileImage");
  std::string name = "anything.bmp";
  entry->ResolveTextureName(name);
  EXPECT_EQ(asked, std::vector<std::string>{"anything.bmp"});
  EXPECT_EQ(name, second_ + "\\stone.bmp");
  std::string fromTexture = "other.bmp";
  image->OnTextureNeeded(image, fromTexture);
  EXPECT_EQ(fromTexture, second_ + "\\stone.bmp") << "the entry's texture asks the library";
}

// Streaming -----------------------------------------------------------------------------------

TEST_F(MaterialLibrary, ALibraryReadBackHasItsEntriesNamesAndMatrices) {
  TGLLibMaterial* stone = Entry("Stone");
  stone->TextureOffset()->SetVector(0.5f, 0, 0);
  stone->SetTexture2Name("Wood");
  Entry("Wood")->SetTag(7);
  library_.SetTexturePaths("C:\\t");
  TMemoryStream stream;
  library_.SaveToStream(stream);
  stream.SetPosition(0);
  TGLMaterialLibrary copy(nullptr);
  copy.LoadFromStream(stream);
  ASSERT_EQ(copy.Materials()->Count(), 2);
  EXPECT_EQ(copy.Materials()->Items(0)->Name(), "Stone");
  EXPECT_EQ(copy.Materials()->Items(0)->Texture2Name(), "Wood");
  EXPECT_FALSE(copy.Materials()->Items(0)->TextureMatrixIsIdentity());
  EXPECT_EQ(copy.Materials()->Items(0)->TextureMatrix()[3][0], 0.5f);
  EXPECT_EQ(copy.Materials()->Items(1)->Tag(), 7);
  EXPECT_EQ(copy.TexturePaths(), "C:\\t");
}

}  // namespace
