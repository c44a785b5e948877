// Item collections and their stream, the behaviours and effects of a node,
// and the texture-coordinate switch.
#include "GLRecorder.h"
#include "framework/core/Streams.h"
#include "scene/GLStageBehaviours.h"
#include "scene/GLStageNode.h"
#include "scene/PersistentClasses.h"
#include "scene/XCollection.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

class TItemA : public TXCollectionItem {
  KX_CLASS(TItemA, TXCollectionItem)
 public:
  using TXCollectionItem::TXCollectionItem;
  static std::string ClassDisplayName() { return "Item A"; }
  std::string DisplayName() const override { return ClassDisplayName(); }
};

class TItemB : public TXCollectionItem {
  KX_CLASS(TItemB, TXCollectionItem)
 public:
  using TXCollectionItem::TXCollectionItem;
  static std::string ClassDisplayName() { return "Item B"; }
  std::string DisplayName() const override { return ClassDisplayName(); }
};

class TUnique : public TItemA {
  KX_CLASS(TUnique, TItemA)
 public:
  using TItemA::TItemA;
  static bool IsSingletonClass() { return true; }
  bool IsSingleton() const override { return true; }
};

class TUniqueChild : public TUnique {
  KX_CLASS(TUniqueChild, TUnique)
 public:
  using TUnique::TUnique;
};

// Holds only items of class TItemA and its descendants.
class TACollection : public TXCollection {
  KX_CLASS(TACollection, TXCollection)
 public:
  using TXCollection::TXCollection;
  const TClassInfo& ItemsClass() const override { return TItemA::StaticClass(); }
};

class TSpin : public TGLBehaviour {
  KX_CLASS(TSpin, TGLBehaviour)
 public:
  using TGLBehaviour::TGLBehaviour;
};

class TGlow : public TGLObjectEffect {
  KX_CLASS(TGlow, TGLObjectEffect)
 public:
  using TGLObjectEffect::TGLObjectEffect;
};

KX_PUBLISH(TItemA) {}
KX_PUBLISH(TItemB) {}
KX_PUBLISH(TUnique) {}
KX_PUBLISH(TUniqueChild) {}
KX_PUBLISH(TACollection) {}
KX_PUBLISH(TSpin) {}
KX_PUBLISH(TGlow) {}

class XCollectionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const TXCollectionItemClass* c :
         {&XCollectionItemClassOf<TItemA>(), &XCollectionItemClassOf<TItemB>(), &XCollectionItemClassOf<TUnique>(),
          &XCollectionItemClassOf<TUniqueChild>(), &XCollectionItemClassOf<TSpin>(), &XCollectionItemClassOf<TGlow>()})
      RegisterXCollectionItemClass(*c);
  }

  static std::string Write(TXCollection& collection) {
    TStringStream stream;
    {
      TWriter writer(stream);
      collection.WriteToFiler(writer);
    }
    return stream.DataString();
  }
  static void Read(TXCollection& collection, const std::string& data) {
    TStringStream stream(data);
    TReader reader(stream);
    collection.ReadFromFiler(reader);
  }
  // A stream written value by value.
  template <class F>
  static std::string Stream(F write) {
    TStringStream stream;
    {
      TWriter writer(stream);
      write(writer);
    }
    return stream.DataString();
  }
};

TEST_F(XCollectionTest, EachClassIsNamedOnceThenByIndex) {
  TXCollection collection(nullptr);
  XCollectionItemClassOf<TItemA>().Create(&collection);
  XCollectionItemClassOf<TItemB>().Create(&collection)->SetName("second");
  XCollectionItemClassOf<TItemA>().Create(&collection);
  EXPECT_EQ(collection.Items(0)->Name(), "Item A");
  const std::string expected = Stream([](TWriter& w) {
    w.WriteInteger(3);
    w.WriteString("TItemA");
    w.WriteInteger(0);
    w.WriteString("Item A");
    w.WriteString("TItemB");
    w.WriteInteger(0);
    w.WriteString("second");
    w.WriteInteger(0);
    w.WriteInteger(0);
    w.WriteString("Item A");
  });
  EXPECT_EQ(Write(collection), expected);

  TXCollection copy(nullptr);
  XCollectionItemClassOf<TItemB>().Create(&copy);  // replaced by what is read
  Read(copy, expected);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.Items(0)->ClassName(), "TItemA");
  EXPECT_EQ(copy.Items(1)->Name(), "second");
  EXPECT_EQ(copy.Items(2)->ClassName(), "TItemA");

  TXCollection empty(nullptr);
  EXPECT_EQ(Write(empty), Stream([](TWriter& w) { w.WriteInteger(0); }));
  Read(copy, Write(empty));
  EXPECT_EQ(copy.Count(), 0);
}

TEST_F(XCollectionTest, FreeingAnItemLeavesItsCollectionAndAssignCopiesByClass) {
  TXCollection collection(nullptr);
  XCollectionItemClassOf<TItemA>().Create(&collection);
  TXCollectionItem* b = XCollectionItemClassOf<TItemB>().Create(&collection);
  b->SetName("b");
  TXCollection copy(nullptr);
  copy.Assign(&collection);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.Items(1)->ClassName(), "TItemB");
  EXPECT_EQ(copy.Items(1)->Name(), "b");
  delete b;
  EXPECT_EQ(collection.Count(), 1);
  EXPECT_EQ(copy.Count(), 2);
}

TEST_F(XCollectionTest, SingletonClassesAreUniqueWithTheirDescendants) {
  TXCollection collection(nullptr);
  EXPECT_TRUE(collection.CanAdd(XCollectionItemClassOf<TUnique>()));
  XCollectionItemClassOf<TUniqueChild>().Create(&collection);
  EXPECT_FALSE(collection.CanAdd(XCollectionItemClassOf<TUnique>()));
  EXPECT_FALSE(collection.CanAdd(XCollectionItemClassOf<TUniqueChild>()));
  EXPECT_TRUE(collection.CanAdd(XCollectionItemClassOf<TItemA>()));
}

TEST_F(XCollectionTest, HostileStreamsAreRefusedAndLeaveNothingBehind) {
  struct Case {
    const char* what;
    std::string data;
  };
  const Case cases[] = {
      {"an index beyond the classes named so far", Stream([](TWriter& w) {
         w.WriteInteger(2);
         w.WriteString("TItemA");
         w.WriteInteger(0);
         w.WriteString("x");
         w.WriteInteger(1);  // only class 0 has been named
         w.WriteInteger(0);
         w.WriteString("y");
       })},
      {"a negative index", Stream([](TWriter& w) {
         w.WriteInteger(1);
         w.WriteInteger(-1);
       })},
      {"a class the collection cannot hold", Stream([](TWriter& w) {
         w.WriteInteger(1);
         w.WriteString("TItemB");
         w.WriteInteger(0);
         w.WriteString("x");
       })},
      {"a second singleton", Stream([](TWriter& w) {
         w.WriteInteger(2);
         w.WriteString("TUnique");
         w.WriteInteger(0);
         w.WriteString("x");
         w.WriteInteger(0);
         w.WriteInteger(0);
         w.WriteString("y");
       })},
      {"a negative count", Stream([](TWriter& w) { w.WriteInteger(-5); })},
  };
  for (const Case& c : cases) {
    TACollection collection(nullptr);
    XCollectionItemClassOf<TItemA>().Create(&collection);
    EXPECT_THROW(Read(collection, c.data), EFilerException) << c.what;
    EXPECT_EQ(collection.Count(), 0) << c.what;
  }
  TACollection collection(nullptr);
  // A count larger than the stream: the stream runs out.
  EXPECT_THROW(Read(collection, Stream([](TWriter& w) { w.WriteInteger(1000000); })), EReadError);
  try {
    Read(collection, Stream([](TWriter& w) {
           w.WriteInteger(1);
           w.WriteString("TNowhere");
         }));
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Class TNowhere unknown. Add the relevant unit to your \"uses\".", 0), 0u)
        << e.what();
  }
  EXPECT_THROW(Read(collection, Stream([](TWriter& w) {
                      w.WriteInteger(1);
                      w.WriteString("TItemA");
                      w.WriteInteger(1);  // item version
                      w.WriteString("x");
                    })),
               EAssertionFailed);
  EXPECT_EQ(collection.Count(), 0);
}

TEST_F(XCollectionTest, BehavioursAndEffectsHoldTheirOwnKinds) {
  TComponent owner(nullptr);
  TGLBaseSceneObject node(&owner);
  TGLBehaviours* behaviours = node.Behaviours();
  TGLObjectEffects* effects = node.Effects();
  EXPECT_TRUE(behaviours->CanAdd(XCollectionItemClassOf<TSpin>()));
  EXPECT_FALSE(behaviours->CanAdd(XCollectionItemClassOf<TGlow>()));
  EXPECT_TRUE(effects->CanAdd(XCollectionItemClassOf<TGlow>()));
  EXPECT_FALSE(effects->CanAdd(XCollectionItemClassOf<TSpin>()));
  EXPECT_THROW(TGLBehaviours{nullptr}, EAssertionFailed);  // the owner must be a node

  XCollectionItemClassOf<TSpin>().Create(behaviours);
  const std::string stored = Write(*behaviours);
  EXPECT_EQ(stored, Stream([](TWriter& w) {
              w.WriteInteger(1);
              w.WriteString("TSpin");
              w.WriteInteger(0);  // the item is only its version
            }));
  const std::string later = Stream([](TWriter& w) {
    w.WriteInteger(1);
    w.WriteString("TSpin");
    w.WriteInteger(1);
  });
  try {
    Read(*behaviours, later);
    FAIL() << "no exception";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Assertion failure (GLStage, line 3881)");
  }
}

TEST_F(XCollectionTest, ANodeStreamsItsBehavioursAsBinaryData) {
  RegisterClasses({&TGLBaseSceneObject::StaticClass()});
  TComponent owner(nullptr);
  auto* node = new TGLBaseSceneObject(&owner);
  node->SetName("Node");
  ASSERT_EQ(node->Behaviours()->Count(), 0);  // the collection exists, empty
  ASSERT_EQ(node->Effects()->Count(), 0);
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteRootComponent(*node);
  }
  const std::string none(reinterpret_cast<const char*>(stream.Memory()), size_t(stream.Size()));
  EXPECT_EQ(none.find("BehavioursData"), std::string::npos);  // nothing to store in an empty collection
  EXPECT_EQ(none.find("EffectsData"), std::string::npos);
  XCollectionItemClassOf<TSpin>().Create(node->Behaviours());
  stream.SetSize(0);
  {
    TWriter writer(stream);
    writer.WriteRootComponent(*node);
  }
  stream.SetPosition(0);
  TComponent otherOwner(nullptr);
  auto* copy = new TGLBaseSceneObject(&otherOwner);
  TReader reader(stream);
  reader.ReadRootComponent(*copy);
  ASSERT_EQ(copy->Behaviours()->Count(), 1);
  EXPECT_EQ(copy->Behaviours()->Items(0)->ClassName(), "TSpin");
  EXPECT_EQ(copy->Effects()->Count(), 0);
}

// The texture-coordinate switch -------------------------------------------------------------

TEST(XOpenGL, MappingsDecideWhereTextureCoordinatesGo) {
  TGLRecorder recorder;
  xglMapTexCoordToNull();
  xglTexCoord2f(1, 2);
  xglEnable(GL_TEXTURE_GEN_S);
  EXPECT_TRUE(recorder.Calls().empty());
  xglMapTexCoordToMain();
  xglTexCoord2f(1, 2);
  EXPECT_EQ(recorder.Calls(), std::vector<std::string>{"glTexCoord2f(1,2)"});
  recorder.Clear();

  GLCaps.GL_ARB_multitexture = false;
  EXPECT_THROW(xglMapTexCoordToSecond(), EAssertionFailed);
  EXPECT_THROW(xglMapTexCoordToDual(), EAssertionFailed);
  EXPECT_EQ(CurrentTexCoordMapping(), xmMain);
  GLCaps.GL_ARB_multitexture = true;
  xglMapTexCoordToSecond();
  xglTexCoord2f(3, 4);
  xglEnable(GL_TEXTURE_GEN_S);
  EXPECT_EQ(recorder.Calls(), (std::vector<std::string>{"glMultiTexCoord2fARB(33985,3,4)", "glActiveTextureARB(33985)",
                                                        "glEnable(3168)", "glActiveTextureARB(33984)"}));
  recorder.Clear();
  xglMapTexCoordToDual();
  xglTexCoord2f(5, 6);
  EXPECT_EQ(recorder.Calls(), (std::vector<std::string>{"glTexCoord2f(5,6)", "glMultiTexCoord2fARB(33985,5,6)"}));
  xglMapTexCoordToMain();
}

TEST(XOpenGL, ABracketAppliesOnlyTheLastMappingAtItsOutermostEnd) {
  TGLRecorder recorder;
  xglMapTexCoordToMain();
  xglBeginUpdate();
  xglBeginUpdate();
  xglMapTexCoordToNull();
  EXPECT_EQ(CurrentTexCoordMapping(), xmMain);
  xglEndUpdate();
  EXPECT_EQ(CurrentTexCoordMapping(), xmMain);  // still inside the outer bracket
  xglEndUpdate();
  EXPECT_EQ(CurrentTexCoordMapping(), xmNull);
  xglBeginUpdate();
  xglMapTexCoordToMain();
  xglMapTexCoordToNull();  // back to what was in force: nothing happens
  xglEndUpdate();
  EXPECT_EQ(CurrentTexCoordMapping(), xmNull);
  xglTexCoord2f(1, 1);
  EXPECT_TRUE(recorder.Calls().empty());
}

TEST(XOpenGL, AListCompiledUnderTheNullMappingHasNoTextureCoordinates) {
  TGLRecorder recorder;
  xglMapTexCoordToNull();
  GL.glNewList(1, GL_COMPILE);
  xglTexCoord2f(0.5f, 0.5f);
  GL.glVertex3f(0, 0, 0);
  GL.glEndList();
  EXPECT_EQ(recorder.Count("glTexCoord2f"), 0);
  xglMapTexCoordToMain();
}

}  // namespace
