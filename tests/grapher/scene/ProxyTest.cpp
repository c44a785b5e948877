// Proxies and direct-GL nodes in a rendered scene, seen through the GL
// calls: what a proxy draws, in which order and with which matrices, and
// how often a direct-GL node's event runs.
#include "SceneFixture.h"
#include "scene/GLObjects.h"
#include "scene/GLStage.h"
#include "scene/GLStageProxy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

// A node that notes when it is drawn.
class TMark : public TGLStageObject {
  KX_CLASS(TMark, TGLStageObject)
 public:
  explicit TMark(TComponent* owner) : TGLStageObject(owner) { objectStyle_.Include(osNoDisplayList); }
  void BuildList(TRenderContextInfo&) override { TGLRecorder::current_->Record("draw", Name()); }
};

KX_PUBLISH(TMark) {}

// Notes the x of the translation row of every matrix multiplied in.
void APIENTRY MultMatrix(const GLfloat* m) { TGLRecorder::current_->Record("mult", std::to_string(int(m[12]))); }

template <class T>
T* Add(TGLBaseSceneObject* parent, const char* name, float x) {
  T* node = parent->AddNewChild<T>();
  node->SetName(name);
  node->Position()->SetPoint(x, 0, 0);
  return node;
}

class Proxy : public SceneRecorderTest {
 protected:
  Proxy() : owner_(nullptr), scene_(new TGLStage(&owner_)), buffer_(&owner_) {
    GL.glMultMatrixf = &MultMatrix;
    camera_ = scene_->CameraRoot()->AddNewChild<TGLCamera>();
    camera_->Position()->SetPoint(0, 0, 10);
    buffer_.SetCamera(camera_);
    buffer_.SetViewPort(0, 0, 200, 100);
    buffer_.CreateRC(nullptr, false);
  }
  ~Proxy() override {
    buffer_.SetCamera(nullptr);
    buffer_.DestroyRC();
    delete scene_;
  }
  // The drawings and matrices of one frame, in order.
  std::vector<std::string> Frame() {
    recorder.Clear();
    buffer_.Render();
    std::vector<std::string> steps;
    for (const std::string& call : recorder.Calls())
      if (call.rfind("draw(", 0) == 0 || call.rfind("mult(", 0) == 0) steps.push_back(call);
    // The objects' root, at the origin, comes first in every frame.
    EXPECT_FALSE(steps.empty() || steps.front() != "mult(0)");
    if (!steps.empty()) steps.erase(steps.begin());
    return steps;
  }

  TComponent owner_;
  TGLStage* scene_;
  TGLStageBuffer buffer_;
  TGLCamera* camera_ = nullptr;
};

using Steps = std::vector<std::string>;

TEST_F(Proxy, TheMasterIsDrawnInTheProxysPlaceBeforeTheProxysChildren) {
  auto* master = Add<TMark>(scene_->Objects(), "M", 3);
  Add<TMark>(master, "UnderM", 2);
  auto* proxy = Add<TGLProxyObject>(scene_->Objects(), "P", 7);
  Add<TMark>(proxy, "UnderP", 1);
  proxy->SetMasterObject(master);
  EXPECT_EQ(Frame(), (Steps{"mult(3)", "draw(M)", "mult(2)", "draw(UnderM)",             // the master itself
                            "mult(7)", "mult(3)", "draw(M)", "mult(2)", "draw(UnderM)",  // through the proxy
                            "mult(1)", "draw(UnderP)"}));

  proxy->SetProxyOptions({pooObjects, pooEffects});
  EXPECT_EQ(Frame(), (Steps{"mult(3)", "draw(M)", "mult(2)", "draw(UnderM)", "mult(7)", "draw(M)", "mult(2)",
                            "draw(UnderM)", "mult(1)", "draw(UnderP)"}))
      << "without pooTransformation the master takes the proxy's own place";

  proxy->SetProxyOptions({pooTransformation});
  EXPECT_EQ(Frame(), (Steps{"mult(3)", "draw(M)", "mult(2)", "draw(UnderM)", "mult(7)", "mult(1)", "draw(UnderP)"}))
      << "without pooObjects only the proxy's children";
}

TEST_F(Proxy, AProxyInsideItsOwnMasterDrawsTheMasterOnceAndStopsAtItself) {
  auto* master = Add<TMark>(scene_->Objects(), "M", 3);
  auto* proxy = Add<TGLProxyObject>(master, "P", 5);
  proxy->SetMasterObject(master);
  EXPECT_EQ(Frame(), (Steps{"mult(3)", "draw(M)", "mult(5)", "mult(3)", "draw(M)", "mult(5)"}));
}

TEST_F(Proxy, RemovingTheMasterLeavesTheProxyWithItsOwnChildren) {
  auto* master = Add<TMark>(scene_->Objects(), "M", 3);
  auto* proxy = Add<TGLProxyObject>(scene_->Objects(), "P", 7);
  Add<TMark>(proxy, "UnderP", 1);
  proxy->SetMasterObject(master);
  delete master;
  EXPECT_EQ(proxy->MasterObject(), nullptr);
  EXPECT_EQ(Frame(), (Steps{"mult(7)", "mult(1)", "draw(UnderP)"}));
}

TEST_F(Proxy, TheProxysExtentIsTheMastersScaledByItsOwnScale) {
  auto* master = Add<TMark>(scene_->Objects(), "M", 0);
  auto* proxy = Add<TGLProxyObject>(scene_->Objects(), "P", 0);
  EXPECT_EQ(proxy->AxisAlignedDimensions()[0], 0.5f) << "a node's own half extent without master";
  proxy->SetMasterObject(master);
  proxy->Scale()->SetVector(2, 3, 4);
  const TVector dimensions = proxy->AxisAlignedDimensions();
  EXPECT_EQ(dimensions[0], 1.0f);
  EXPECT_EQ(dimensions[1], 1.5f);
  EXPECT_EQ(dimensions[2], 2.0f);
}

TEST_F(Proxy, ARayAtTheProxyHitsTheMasterAndComesBackInTheProxysPlace) {
  auto* master = Add<TSphere>(scene_->Objects(), "M", -20);
  auto* proxy = Add<TGLProxyObject>(scene_->Objects(), "P", 6);
  TVector point{};
  EXPECT_FALSE(proxy->RayCastIntersect({6, 0, 10, 1}, {0, 0, -1, 0}, &point)) << "no master, no hit";
  proxy->SetMasterObject(master);
  ASSERT_TRUE(proxy->RayCastIntersect({6, 0, 10, 1}, {0, 0, -1, 0}, &point));
  EXPECT_NEAR(point[0], 6, 1e-4);
  EXPECT_NEAR(point[2], 0.5, 1e-4) << "the near side of the master's sphere of radius 0.5, seen at the proxy";
  EXPECT_FALSE(proxy->RayCastIntersect({9, 0, 10, 1}, {0, 0, -1, 0}, &point));
}

struct BuildListCase {
  bool useBuildList;
  int expectedCalls;
};

TEST_F(Proxy, DirectOpenGLRunsItsEventEveryFrameOrOncePerStructureChange) {
  const BuildListCase cases[] = {{false, 3}, {true, 1}};
  for (const BuildListCase& c : cases) {
    auto* direct = Add<TDirectOpenGL>(scene_->Objects(), "D", 0);
    EXPECT_FALSE(direct->UseBuildList());
    direct->SetUseBuildList(c.useBuildList);
    int calls = 0;
    direct->OnRender = TDirectRenderEvent([&](TRenderContextInfo&) { ++calls; });
    for (int frame = 0; frame < 3; ++frame) Frame();
    EXPECT_EQ(calls, c.expectedCalls) << c.useBuildList;
    direct->StructureChanged();
    Frame();
    EXPECT_EQ(calls, c.expectedCalls + 1) << c.useBuildList;
    delete direct;
  }
}

TEST_F(Proxy, DirectOpenGLSwitchesTexCoordsToTheMainUnitBeforeItsEvent) {
  auto* direct = Add<TDirectOpenGL>(scene_->Objects(), "D", 0);
  xglMapTexCoordToNull();
  TXGLMapping seen = xmUndefined;
  direct->OnRender = TDirectRenderEvent([&](TRenderContextInfo&) { seen = CurrentTexCoordMapping(); });
  Frame();
  EXPECT_EQ(seen, xmMain);
}

TEST_F(Proxy, BothNodesCanBeCreatedByClassName) {
  for (const char* name : {"TDirectOpenGL", "TGLProxyObject"}) {
    const TClassInfo& cls = FindClass(name);
    EXPECT_NE(cls.FindProperty(std::string(name) == "TDirectOpenGL" ? "UseBuildList" : "MasterObject"), nullptr);
  }
}

}  // namespace
