#include "framework/core/Filer.h"
#include "framework/core/Streams.h"
#include "GLRecorder.h"
#include "scene/GLMisc.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

using namespace kx;

namespace {

// A change-notifying component that counts what reaches it.
class TCountingComponent : public TGLUpdateAbleComponent {
  KX_CLASS(TCountingComponent, TGLUpdateAbleComponent)
 public:
  explicit TCountingComponent(TComponent* owner)
      : TGLUpdateAbleComponent(owner), position_(new TGLCoordinates(this, {0, 0, 0, 1}, csPoint)) {}
  ~TCountingComponent() override { delete position_; }
  void NotifyChange(TObject* sender) override {
    ++changes_;
    lastSender_ = sender;
    TGLUpdateAbleComponent::NotifyChange(sender);
  }
  TGLCoordinates* Position() const { return position_; }
  int changes_ = 0;
  TObject* lastSender_ = nullptr;

 private:
  TGLCoordinates* position_;
};

KX_PUBLISH(TCountingComponent) { p.Property("Position", &TCountingComponent::Position, nullptr); }

// An owner whose coordinates report on their own path.
class TObservingOwner : public TPersistent, public TGLCoordinatesObserver {
 public:
  void CoordinateChanged(TGLCoordinates* sender) override { seen_ = sender; }
  TGLCoordinates* seen_ = nullptr;
};

TEST(GLMisc, RoundUpToPowerOf2) {
  struct Case {
    int value, expected;
  };
  const Case cases[] = {{INT_MIN, 1},
                        {-5, 1},
                        {0, 1},
                        {1, 1},
                        {2, 2},
                        {3, 4},
                        {1024, 1024},
                        {1025, 2048},
                        {1 << 30, 1 << 30},
                        {(1 << 30) + 1, 1 << 30},
                        {INT_MAX, 1 << 30}};
  for (const Case& c : cases) EXPECT_EQ(RoundUpToPowerOf2(c.value), c.expected) << c.value;
}

TEST(GLMisc, EveryCoordinateWriteNotifiesTheOwnerChain) {
  TCountingComponent scene(nullptr);
  TCountingComponent* node = new TCountingComponent(&scene);
  int handlerCalls = 0;
  node->Position()->OnNotifyChange = TNotifyEvent([&](TObject*) { ++handlerCalls; });
  node->Position()->SetX(0);  // unchanged, still a change
  EXPECT_EQ(node->changes_, 1);
  EXPECT_EQ(node->lastSender_, node->Position());
  EXPECT_EQ(scene.changes_, 1);
  EXPECT_EQ(scene.lastSender_, node);
  EXPECT_EQ(handlerCalls, 1);
  node->Position()->Initialize({1, 2, 3, 1});  // no notification
  node->Position()->Normalize();
  EXPECT_EQ(node->changes_, 1);
}

TEST(GLMisc, SetAsVectorKeepsTheStyleOfW) {
  struct Case {
    TGLCoordinatesStyle style;
    float w;
  };
  for (Case c : {Case{csPoint, 1}, Case{csVector, 0}, Case{csUnknown, 7}}) {
    TGLCoordinates coordinates(nullptr, {0, 0, 0, 0}, c.style);
    coordinates.SetAsVector({1, 2, 3, 7});
    EXPECT_TRUE(coordinates.Equals({1, 2, 3, c.w})) << int(c.style);
  }
}

TEST(GLMisc, StyleChecksGuardPointsAndVectors) {
  TGLCoordinates point(nullptr, {0, 0, 0, 1}, csPoint);
  TGLCoordinates direction(nullptr, {0, 0, 1, 0}, csVector);
  auto failure = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const EAssertionFailed& e) {
      return e.what();
    }
    return "no assertion";
  };
  EXPECT_EQ(failure([&] { point.SetVector(1, 2, 3); }), "Assertion failure (GLMisc, line 1211)");
  EXPECT_EQ(failure([&] { point.SetVector4(1, 2, 3, 4); }), "Assertion failure (GLMisc, line 1220)");
  EXPECT_EQ(failure([&] { direction.SetPoint(1, 2, 3); }), "Assertion failure (GLMisc, line 1229)");
  EXPECT_TRUE(point.Equals({0, 0, 0, 1}));  // a refused call changes nothing
  point.SetPoint(1, 2, 3);
  direction.SetVector(0, 1, 0);
  EXPECT_TRUE(point.Equals({1, 2, 3, 1}));
  EXPECT_TRUE(direction.Equals({0, 1, 0, 0}));
  EXPECT_FLOAT_EQ(direction.VectorLength(), 1);
}

TEST(GLMisc, WithoutOwnerNobodyIsNotified) {
  TGLCoordinates coordinates(nullptr);
  bool called = false;
  coordinates.OnNotifyChange = TNotifyEvent([&](TObject*) { called = true; });
  coordinates.SetY(4);
  coordinates.SetVector(1, 2, 3);
  EXPECT_FALSE(called);
  EXPECT_EQ(coordinates.Y(), 2);
}

TEST(GLMisc, AnObservingOwnerGetsCoordinateChangedInstead) {
  TObservingOwner owner;
  TGLCoordinates coordinates(&owner);
  bool handler = false;
  coordinates.OnNotifyChange = TNotifyEvent([&](TObject*) { handler = true; });
  coordinates.SetZ(2);
  EXPECT_EQ(owner.seen_, &coordinates);
  EXPECT_FALSE(handler);
}

TEST(GLMisc, AComponentOwnedByAForeignClassRaisesInvalidCast) {
  TComponent plain(nullptr);
  TCountingComponent* node = new TCountingComponent(&plain);
  EXPECT_THROW(node->NotifyChange(nullptr), EInvalidCast);
}

TEST(GLMisc, AssignCopiesWithoutNotifying) {
  TCountingComponent node(nullptr);
  TGLCoordinates source(nullptr, {4, 5, 6, 1}, csPoint);
  node.Position()->Assign(&source);
  EXPECT_TRUE(node.Position()->Equals({4, 5, 6, 1}));
  EXPECT_EQ(node.changes_, 0);
}

TEST(GLMisc, CoordinatesAreStreamedAsOneBinaryProperty) {
  RegisterClasses({&TCountingComponent::StaticClass()});
  TCountingComponent original(nullptr);
  original.SetName("Node");
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(original);
  }
  const std::string bytes(reinterpret_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  EXPECT_NE(bytes.find("Position.Coordinates"), std::string::npos);  // written though it is the default
  EXPECT_EQ(bytes.find("Position.X"), std::string::npos);
  SetPropValue(original, "Position.Y", TValue(2.5L));  // still set by name
  EXPECT_EQ(original.Position()->Y(), 2.5f);

  original.Position()->Initialize({1.5f, -2, 3, 1});
  stream.SetSize(0);
  {
    TWriter writer(stream);
    writer.WriteRootComponent(original);
  }
  stream.SetPosition(0);
  TCountingComponent copy(nullptr);
  TReader reader(stream);
  reader.ReadRootComponent(copy);
  EXPECT_TRUE(copy.Position()->Equals({1.5f, -2, 3, 1}));
}

TEST(GLMisc, AShortCoordinatesBlobIsRefused) {
  RegisterClasses({&TCountingComponent::StaticClass()});
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WriteStr("TCountingComponent");
    writer.WriteStr("Node");
    writer.WriteStr("Position.Coordinates");
    const float two[2] = {1, 2};
    writer.WriteBinary(two, sizeof two);
    writer.WriteValue(vaNull);
    writer.WriteValue(vaNull);
  }
  stream.SetPosition(0);
  TCountingComponent target(nullptr);
  TReader reader(stream);
  EXPECT_THROW(reader.ReadRootComponent(target), Exception);
  EXPECT_TRUE(target.Position()->Equals({0, 0, 0, 1}));
}

// GL state cache ------------------------------------------------------------------

// Calls to `name` whose second argument is `pname`.
int CountWith(const TGLRecorder& recorder, const std::string& name, GLenum pname) {
  int count = 0;
  const std::string marker = "," + std::to_string(pname) + ",";
  for (const std::string& call : recorder.CallsTo(name))
    if (call.find(marker) != std::string::npos) ++count;
  return count;
}

TEST(GLStateCache, EnablesAreSentOnlyForAChange) {
  TGLRecorder recorder;
  TGLStates states;
  SetGLState(states, stBlend);
  SetGLState(states, stBlend);
  EXPECT_EQ(recorder.Calls(), std::vector<std::string>{"glEnable(3042)"});
  EXPECT_TRUE(states.Contains(stBlend));
  recorder.Clear();
  UnSetGLState(states, stDepthTest);  // not in the mask: no call
  EXPECT_TRUE(recorder.Calls().empty());
  UnSetGLState(states, stBlend);
  UnSetGLState(states, stBlend);
  EXPECT_EQ(recorder.Calls(), std::vector<std::string>{"glDisable(3042)"});
  // Every cached state maps to its capability.
  const GLenum expected[] = {GL_ALPHA_TEST,   GL_AUTO_NORMAL,  GL_BLEND,          GL_COLOR_MATERIAL,
                             GL_CULL_FACE,    GL_DEPTH_TEST,   GL_DITHER,         GL_FOG,
                             GL_LIGHTING,     GL_LINE_SMOOTH,  GL_LINE_STIPPLE,   0x0BF1,
                             GL_NORMALIZE,    GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_POLYGON_STIPPLE,
                             GL_SCISSOR_TEST, GL_STENCIL_TEST, GL_TEXTURE_1D,     GL_TEXTURE_2D,
                             0x8513};
  for (int i = 0; i <= stTextureCubeMap; ++i) EXPECT_EQ(GLCapabilityOf(TGLState(i)), expected[i]) << i;
}

TEST(GLStateCache, MaterialColoursAreComparedAsSpecified) {
  TGLRecorder recorder;
  ResetGLMaterialColors();
  EXPECT_EQ(recorder.Count("glMaterialfv"), 4);  // the GL defaults for both faces
  EXPECT_EQ(recorder.CallsTo("glMateriali"), std::vector<std::string>{"glMateriali(1032,5633,0)"});
  recorder.Clear();
  const TColorVector black{0, 0, 0, 1}, grey{0.2f, 0.2f, 0.2f, 1}, light{0.8f, 0.8f, 0.8f, 1};
  // After a reset every colour goes, but a shininess of 0 does not.
  SetGLMaterialColors(GL_FRONT, black, grey, light, black, 0);
  EXPECT_EQ(recorder.Count("glMaterialfv"), 4);
  EXPECT_EQ(recorder.Count("glMateriali"), 0);
  recorder.Clear();
  SetGLMaterialColors(GL_FRONT, black, grey, light, black, 0);
  EXPECT_TRUE(recorder.Calls().empty());
  // Alpha alone: resent for the diffuse colour only.
  SetGLMaterialColors(GL_FRONT, {0, 0, 0, 0.5f}, {0.2f, 0.2f, 0.2f, 0.5f}, {0.8f, 0.8f, 0.8f, 0.5f}, {0, 0, 0, 0.5f},
                      0);
  EXPECT_EQ(recorder.Count("glMaterialfv"), 1);
  EXPECT_EQ(CountWith(recorder, "glMaterialfv", GL_DIFFUSE), 1);
  recorder.Clear();
  // The back block is separate, and any face but GL_FRONT uses it.
  SetGLMaterialColors(GL_FRONT_AND_BACK, black, grey, light, black, 10);
  EXPECT_EQ(recorder.Calls().front(), "glMateriali(1032,5633,10)");
  EXPECT_EQ(recorder.Count("glMaterialfv"), 4);
  recorder.Clear();
  SetGLMaterialColors(GL_BACK, black, grey, light, black, 10);
  EXPECT_TRUE(recorder.Calls().empty());
  SetGLMaterialAlphaChannel(GL_BACK, 0.25f);
  SetGLMaterialAlphaChannel(GL_BACK, 0.25f);
  EXPECT_EQ(CountWith(recorder, "glMaterialfv", GL_DIFFUSE), 1);
}

TEST(GLStateCache, PolygonModesAndTheFrontFace) {
  TGLRecorder recorder;
  ResetGLPolygonModeCache();
  SetGLPolygonMode(GL_FRONT, GL_LINE);
  SetGLPolygonMode(GL_FRONT, GL_LINE);
  SetGLPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // the back differs: one call for both
  SetGLPolygonMode(GL_BACK, GL_LINE);
  SetGLPolygonMode(GL_FRONT, GL_LINE);
  SetGLPolygonMode(GL_LEFT, GL_POINT);  // no such face
  EXPECT_EQ(recorder.Calls(), (std::vector<std::string>{"glPolygonMode(1028,6913)", "glPolygonMode(1032,6913)"}));
  ResetGLFrontFace();
  recorder.Clear();
  InvertGLFrontFace();
  InvertGLFrontFace();
  ResetGLFrontFace();
  EXPECT_EQ(recorder.Calls(),
            (std::vector<std::string>{"glFrontFace(2304)", "glFrontFace(2305)", "glFrontFace(2305)"}));
}

TEST(GLStateCache, TexturesAndTheTextureMatrix) {
  TGLRecorder recorder;
  ResetGLCurrentTexture();
  SetGLCurrentTexture(0, GL_TEXTURE_2D, 5);
  SetGLCurrentTexture(0, GL_TEXTURE_2D, 5);
  SetGLCurrentTexture(1, GL_TEXTURE_2D, 5);
  SetGLCurrentTexture(8, GL_TEXTURE_2D, 5);  // there are 8 units
  EXPECT_EQ(recorder.Count("glBindTexture"), 2);
  recorder.Clear();
  ResetGLTextureMatrix();  // the identity already
  EXPECT_TRUE(recorder.Calls().empty());
  SetGLTextureMatrix(IdentityHmgMatrix);
  ResetGLTextureMatrix();
  const size_t afterFirst = recorder.Calls().size();
  ResetGLTextureMatrix();
  EXPECT_EQ(recorder.Calls().size(), afterFirst);
  EXPECT_EQ(recorder.Count("glLoadIdentity"), 1);
  EXPECT_EQ(recorder.Calls().back(), "glMatrixMode(5888)");  // back to the model-view matrix
}

TEST(GLStateCache, SquareRootTable) {
  const uint8_t* table = GetSqrt255Table();
  EXPECT_EQ(table[0], 0);
  EXPECT_EQ(table[64], 127);  // sqrt(64/255) * 255 = 127.75, truncated
  EXPECT_EQ(table[255], 255);
  EXPECT_EQ(GetSqrt255Table(), table);
}

TEST(GLMiscFiles, StringsRoundTripAndMissingFilesAreEmpty) {
  const std::string name = "glmisc_string.bin";
  std::remove(name.c_str());
  EXPECT_EQ(LoadStringFromFile(name), "");
  EXPECT_EQ(SizeOfFile(name), 0);
  const std::string text("abc\0def\xFF", 8);
  SaveStringToFile(name, text);
  EXPECT_EQ(SizeOfFile(name), 8);
  EXPECT_EQ(LoadStringFromFile(name), text);
  SaveStringToFile(name, "x");
  EXPECT_EQ(LoadStringFromFile(name), "x");
  std::remove(name.c_str());
}

}  // namespace
