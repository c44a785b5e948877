#include "framework/core/Filer.h"
#include "scene/GLMisc.h"
#include "framework/core/Streams.h"

#include <gtest/gtest.h>

#include <climits>
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

}  // namespace
