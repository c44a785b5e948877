// The scene tree, camera, lights, materials and the render buffer, seen
// through the GL calls they make.
#include "SceneFixture.h"
#include "scene/GLObjects.h"
#include "scene/GLStage.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace kx;

namespace {

// A node that notes when it is drawn.
class TProbe : public TGLStageObject {
  KX_CLASS(TProbe, TGLStageObject)
 public:
  explicit TProbe(TComponent* owner) : TGLStageObject(owner) { objectStyle_.Include(osNoDisplayList); }
  void BuildList(TRenderContextInfo&) override { TGLRecorder::current_->Record("draw", Name()); }
};

KX_PUBLISH(TProbe) {}

template <class T>
T* Add(TGLBaseSceneObject* parent, const char* name) {
  T* node = parent->AddNewChild<T>();
  node->SetName(name);
  return node;
}

bool Near(const TVector& a, const TVector& b, float tolerance = 1e-5f) {
  for (int i = 0; i < 4; ++i)
    if (std::fabs(a[i] - b[i]) > tolerance) return false;
  return true;
}

// A scene with a camera and a buffer that shows it, as the viewer holds them.
class Stage : public SceneRecorderTest {
 protected:
  Stage() : owner_(nullptr), scene_(new TGLStage(&owner_)), buffer_(&owner_) {
    camera_ = Add<TGLCamera>(scene_->CameraRoot(), "Camera");
    camera_->Position()->SetPoint(0, 0, 10);
    buffer_.SetCamera(camera_);
    buffer_.OnChange = TNotifyEvent([this](TObject*) { ++bufferChanges_; });
    buffer_.PostRender = TNotifyEvent([this](TObject*) {
      TGLRecorder::current_->Record("PostRender", "");
      if (onPostRender_) onPostRender_();
    });
    buffer_.AfterRender = TNotifyEvent([this](TObject*) {
      TGLRecorder::current_->Record("AfterRender", "");
      currentInAfterRender_ = CurrentGLContext();
    });
    buffer_.SetViewPort(0, 0, 600, 400);
  }
  ~Stage() override {
    buffer_.SetCamera(nullptr);
    buffer_.DestroyRC();
    delete scene_;
  }
  void CreateContext() {
    buffer_.CreateRC(nullptr, false);
    recorder.Clear();
  }

  TComponent owner_;
  TGLStage* scene_;
  TGLStageBuffer buffer_;
  TGLCamera* camera_ = nullptr;
  int bufferChanges_ = 0;
  std::function<void()> onPostRender_;
  TGLContext* currentInAfterRender_ = reinterpret_cast<TGLContext*>(1);
};

// Tree ----------------------------------------------------------------------------------

TEST_F(Stage, ChildrenKnowTheirParentAndScene) {
  auto* a = Add<TProbe>(scene_->Objects(), "A");
  auto* b = Add<TProbe>(a, "B");
  auto* c = Add<TProbe>(scene_->Objects(), "C");
  EXPECT_EQ(b->Parent(), a);
  EXPECT_EQ(b->Scene(), scene_);
  EXPECT_EQ(c->Index(), 1);
  b->SetParent(c);
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(c->Children(0), b);
  c->MoveTo(0);
  EXPECT_EQ(scene_->Objects()->Children(0), c);
  scene_->Objects()->Remove(c, true);  // c's child stays in the tree
  EXPECT_EQ(c->Parent(), nullptr);
  EXPECT_EQ(b->Parent(), scene_->Objects());
  delete c;
  b->SetParent(nullptr);
  EXPECT_EQ(b->Scene(), nullptr);
  delete b;
  EXPECT_EQ(scene_->Objects()->Count(), 1);
}

TEST_F(Stage, ANodeKeepsItsChildrenWhereverItGoes) {
  auto* a = Add<TProbe>(scene_->Objects(), "A");
  auto* b = Add<TProbe>(a, "B");
  auto* c = Add<TProbe>(scene_->Objects(), "C");
  auto expectSubtree = [&](TGLBaseSceneObject* parent, const char* how) {
    EXPECT_EQ(a->Parent(), parent) << how;
    ASSERT_EQ(a->Count(), 1) << how;
    EXPECT_EQ(a->Children(0), b) << how;
    EXPECT_EQ(b->Scene(), scene_) << how;
  };
  c->Insert(0, a);
  expectSubtree(c, "inserted");
  EXPECT_EQ(scene_->Objects()->Count(), 1);
  a->SetParent(scene_->Objects());
  expectSubtree(scene_->Objects(), "given a parent");
  c->AddChild(a);
  expectSubtree(c, "added");
  // A camera inside a camera: freed once each, with what they hold.
  auto* outer = Add<TGLCamera>(c, "Outer");
  auto* inner = Add<TGLCamera>(outer, "Inner");
  Add<TProbe>(inner, "D");
  c->DeleteChildren();
  EXPECT_EQ(c->Count(), 0);
  EXPECT_EQ(scene_->Objects()->Count(), 1);
}

TEST_F(Stage, LightsTakeTheEightSlotsOfTheirScene) {
  std::vector<TGLLightSource*> lights;
  for (int i = 0; i < 9; ++i) lights.push_back(scene_->Objects()->AddNewChild<TGLLightSource>());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(lights[i]->LightID(), GLenum(GL_LIGHT0 + i));
  EXPECT_EQ(lights[8]->LightID(), 0u);  // the ninth gets none
  delete lights[2];
  EXPECT_EQ(scene_->Light(2), nullptr);
  auto* tenth = scene_->Objects()->AddNewChild<TGLLightSource>();
  EXPECT_EQ(tenth->LightID(), GLenum(GL_LIGHT0 + 2));

  // Below a node outside any scene: no slot, and none when the node joins later.
  TComponent elsewhere(nullptr);
  auto* group = new TProbe(&elsewhere);
  auto* late = group->AddNewChild<TGLLightSource>();
  scene_->Objects()->AddChild(group);
  EXPECT_EQ(late->LightID(), 0u);
  EXPECT_EQ(late->Scene(), scene_);
}

// Transformation -----------------------------------------------------------------------------

TEST_F(Stage, TheLocalMatrixComesFromPositionDirectionUpAndScale) {
  auto* node = Add<TProbe>(scene_->Objects(), "Node");
  node->Position()->SetPoint(1, 2, 3);
  node->Direction()->SetVector(1, 0, 0);
  node->Scale()->SetVector(2, 3, 4);
  const TMatrix& m = node->LocalMatrix();
  EXPECT_TRUE(Near(m[0], {0, 0, -2, 0}));  // up x direction, scaled by x
  EXPECT_TRUE(Near(m[1], {0, 3, 0, 0}));
  EXPECT_TRUE(Near(m[2], {4, 0, 0, 0}));
  EXPECT_TRUE(Near(m[3], {1, 2, 3, 1}));
  EXPECT_EQ(*node->AbsoluteMatrixAsAddress(), m);  // a direct child of a root
  auto* child = Add<TProbe>(node, "Child");
  child->Position()->SetPoint(1, 0, 0);
  EXPECT_TRUE(Near(child->AbsolutePosition(), {1, 2, 1, 1}));
  EXPECT_TRUE(Near(child->AbsoluteToLocal({1, 2, 1, 1}), {0, 0, 0, 1}));
}

TEST_F(Stage, OrientationStaysOrthonormal) {
  auto* node = Add<TProbe>(scene_->Objects(), "Node");
  TGLCoordinates zero(nullptr, {0, 0, 0, 0}, csVector);
  node->SetDirection(&zero);  // through the property: ignored
  EXPECT_TRUE(node->Direction()->Equals({0, 0, 1, 0}));
  node->Direction()->SetVector(0, 0, 0);  // the object itself: the default direction
  EXPECT_TRUE(node->Direction()->Equals({0, 0, 1, 0}));
  node->Direction()->SetVector(0, 2, 0);  // parallel to up: the fallbacks find a right vector
  EXPECT_TRUE(Near(node->Direction()->AsVector(), {0, 1, 0, 0}));
  const TVector up = node->Up()->AsVector();
  EXPECT_NEAR(VectorDotProduct4(up, node->Direction()->AsVector()), 0, 1e-6);
  EXPECT_NEAR(VectorLength4(up), 1, 1e-6);
}

TEST_F(Stage, OrbitingStopsShortOfThePoleAndComesBackAfterATurn) {
  auto* target = Add<TProbe>(scene_->Objects(), "Target");
  camera_->SetTargetObject(target);
  camera_->Position()->SetPoint(10, 0, 0);
  camera_->MoveAroundTarget(0, 360);
  EXPECT_TRUE(Near(camera_->Position()->AsVector(), {10, 0, 0, 1}, 1e-4f));
  camera_->MoveAroundTarget(170, 0);  // over the lower pole: 0.025 radians short of it
  const TVector p = camera_->Position()->AsVector();
  EXPECT_NEAR(std::acos(p[1] / 10), 3.14159265358979 - 0.025, 1e-4);
  EXPECT_NEAR(VectorLength({p[0], p[1], p[2]}), 10, 1e-4);
  camera_->SetTargetObject(nullptr);
  camera_->MoveAroundTarget(10, 10);
  EXPECT_TRUE(Near(camera_->Position()->AsVector(), p));
  delete target;
}

TEST_F(Stage, RemovingTheTargetClearsIt) {
  auto* target = Add<TProbe>(scene_->Objects(), "Target");
  camera_->SetTargetObject(target);
  delete target;
  EXPECT_EQ(camera_->TargetObject(), nullptr);
}

// Camera --------------------------------------------------------------------------------------

TEST_F(Stage, TheFrustumFollowsTheFocalLength) {
  camera_->SetFocalLength(200);
  camera_->SetDepthOfView(100);
  camera_->ApplyPerspective({0, 0, 600, 400}, 600, 400, 96);
  EXPECT_EQ(recorder.CallsTo("glFrustum"),
            std::vector<std::string>{"glFrustum(-0.5,0.5,-0.333333,0.333333,2.51969,102.52)"});
  EXPECT_NEAR(camera_->NearPlane(), 2.5197, 1e-4);
  recorder.Clear();
  camera_->SetFocalLength(400);  // twice the near plane, the same extent at it: a narrower view
  camera_->ApplyPerspective({0, 0, 600, 400}, 600, 400, 96);
  EXPECT_EQ(recorder.CallsTo("glFrustum"),
            std::vector<std::string>{"glFrustum(-0.5,0.5,-0.333333,0.333333,5.03937,105.039)"});
  for (float bad : {0.0f, -3.0f, std::nanf("")}) {
    camera_->SetFocalLength(bad);
    EXPECT_EQ(camera_->FocalLength(), 1) << bad;
  }
  camera_->SetSceneScale(0);
  EXPECT_EQ(camera_->SceneScale(), 1);
  recorder.Clear();
  camera_->ApplyPerspective({0, 0, 0, 400}, 0, 400, 96);
  EXPECT_TRUE(recorder.Calls().empty());
}

// Lights ----------------------------------------------------------------------------------------

TEST_F(Stage, ShiningLightsAreSentEveryFrameTheOthersDisabled) {
  auto* first = Add<TGLLightSource>(scene_->Objects(), "Light1");
  first->Ambient()->SetColorVector({0.2f, 0.2f, 0.2f, 1});
  first->Position()->SetPoint(10, 5, 10);
  auto* second = Add<TGLLightSource>(scene_->Objects(), "Light2");
  second->SetShining(false);
  recorder.Clear();
  scene_->SetupLights(8);
  std::vector<std::string> names;
  for (const std::string& call : recorder.Calls()) {
    const std::string name = call.substr(0, call.find('('));
    if (name == "glLightfv") {
      // The light and the parameter, without the address.
      const size_t second = call.find(',', call.find(',') + 1);
      names.push_back(call.substr(0, second) + ")");
    } else {
      names.push_back(call);
    }
  }
  const std::vector<std::string> expected = {"glPushMatrix()",
                                             "glEnable(16384)",
                                             "glPopMatrix()",
                                             "glPushMatrix()",
                                             names[4],
                                             "glLightfv(16384,4611)",
                                             "glLightfv(16384,4608)",
                                             "glLightfv(16384,4609)",
                                             "glLightfv(16384,4610)",
                                             "glLightfv(16384,4614)",
                                             "glLightfv(16384,4615)",
                                             "glLightfv(16384,4616)",
                                             "glLightfv(16384,4617)",
                                             "glDisable(16385)",
                                             "glDisable(16386)",
                                             "glDisable(16387)",
                                             "glDisable(16388)",
                                             "glDisable(16389)",
                                             "glDisable(16390)",
                                             "glDisable(16391)",
                                             "glPopMatrix()"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(names[4].rfind("glMultMatrixf(", 0), 0u);  // the parent's matrix, then the position
  recorder.Clear();
  scene_->SetupLights(1);  // an implementation with fewer lights
  EXPECT_EQ(recorder.Count("glDisable"), 0);
}

// Materials ---------------------------------------------------------------------------------------

TEST_F(Stage, FaceCullingFollowsTheTableOfTheMaterial) {
  struct Case {
    TFaceCulling culling;
    bool maskCulls, bufferCulls;
    std::vector<std::string> cullCalls;
    bool back;  // the back face's material is sent
  };
  const Case cases[] = {{fcBufferDefault, true, true, {}, false},
                        {fcBufferDefault, true, false, {"glDisable(2884)"}, true},
                        {fcBufferDefault, false, true, {"glEnable(2884)"}, false},
                        {fcBufferDefault, false, false, {}, true},
                        {fcCull, true, false, {}, false},
                        {fcCull, false, false, {"glEnable(2884)"}, false},
                        {fcNoCull, true, true, {"glDisable(2884)"}, true},
                        {fcNoCull, false, true, {}, true}};
  for (const Case& c : cases) {
    TGLMaterial material(nullptr);
    material.SetFaceCulling(c.culling);
    TRenderContextInfo rci;
    rci.glStates = {stLighting};
    if (c.maskCulls) rci.glStates.Include(stCullFace);
    rci.bufferFaceCull = c.bufferCulls;
    ResetGLMaterialColors();
    recorder.Clear();
    material.Apply(rci);
    const std::string label =
        std::to_string(c.culling) + "," + std::to_string(c.maskCulls) + "," + std::to_string(c.bufferCulls);
    std::vector<std::string> cullCalls;
    for (const std::string& call : recorder.Calls())
      if (call == "glEnable(2884)" || call == "glDisable(2884)") cullCalls.push_back(call);
    EXPECT_EQ(cullCalls, c.cullCalls) << label;
    bool backSent = false;
    for (const std::string& call : recorder.CallsTo("glMaterialfv"))
      backSent |= call.rfind("glMaterialfv(1029,", 0) == 0;
    EXPECT_EQ(backSent, c.back) << label;
    EXPECT_EQ(material.HasBackProperties(), c.back) << label;  // created only when reached
    EXPECT_FALSE(material.UnApply(rci));
  }
}

TEST_F(Stage, AssigningAMaterialKeepsItsOwnFaceCulling) {
  TGLMaterial source(nullptr), target(nullptr);
  source.SetFaceCulling(fcNoCull);
  source.SetBlendingMode(bmTransparency);
  source.FrontProperties()->SetShininess(40);
  target.SetFaceCulling(fcCull);
  target.Assign(&source);
  EXPECT_EQ(target.FaceCulling(), fcCull);
  EXPECT_EQ(target.BlendingMode(), bmTransparency);
  EXPECT_EQ(target.FrontProperties()->Shininess(), 40);
}

TEST_F(Stage, MaterialsSwitchLightingAndBlending) {
  TGLMaterial material(nullptr);
  material.SetMaterialOptions({moNoLighting});
  material.SetBlendingMode(bmTransparency);
  TRenderContextInfo rci;
  rci.glStates = {stLighting, stCullFace};
  recorder.Clear();
  material.Apply(rci);
  EXPECT_FALSE(rci.glStates.Contains(stLighting));
  EXPECT_EQ(rci.lightingDisabledCounter, 1);
  EXPECT_EQ(recorder.Count("glColor4fv"), 1);  // unlit: the diffuse colour is the current colour
  EXPECT_EQ(recorder.CallsTo("glBlendFunc"), std::vector<std::string>{"glBlendFunc(770,771)"});
  EXPECT_TRUE(rci.glStates.Contains(stBlend));
  EXPECT_EQ(recorder.Count("glBindTexture") + recorder.Count("glGenTextures"), 0);  // the texture stays off
  material.UnApply(rci);
  EXPECT_TRUE(rci.glStates.Contains(stLighting));
  EXPECT_EQ(rci.lightingDisabledCounter, 0);
}

TEST_F(Stage, ADisabledTextureAllocatesNothing) {
  TGLMaterial material(nullptr);
  TRenderContextInfo rci;
  rci.glStates = {stTexture2D};
  xglMapTexCoordToMain();
  recorder.Clear();
  for (int i = 0; i < 3; ++i) material.Apply(rci);
  EXPECT_EQ(std::count(recorder.Calls().begin(), recorder.Calls().end(), "glDisable(3553)"),
            1);  // 2D texturing off, once
  EXPECT_EQ(recorder.Count("glGenTextures") + recorder.Count("glBindTexture") + recorder.Count("glTexImage2D"), 0);
  EXPECT_EQ(CurrentTexCoordMapping(), xmNull);
  EXPECT_FALSE(material.Texture()->IsHandleAllocated());
}

TEST(ConvertWinColor, TheSystemColoursAreConvertedAtStartUp) {
  for (int i = 0; i < kSystemColorVectors; ++i)
    EXPECT_EQ(SystemColorVector(i), ConvertWinColor(TColor(GetSysColor(i)))) << "system colour " << i;
  EXPECT_THROW(SystemColorVector(kSystemColorVectors), EAssertionFailed);
}

TEST(ConvertWinColor, BytesBecomeSinglesAndSystemColoursAreLookedUp) {
  EXPECT_EQ(ConvertWinColor(255), (TColorVector{1, 0, 0, 1}));
  EXPECT_EQ(ConvertWinColor(0xFF8000, 0.5f), (TColorVector{0, float(128 / 255.0L), 1, 0.5f}));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const TColorVector system = ConvertWinColor(clBtnFace);
  EXPECT_EQ(system[0], float(GetRValue(face) / 255.0L));
  EXPECT_EQ(system[2], float(GetBValue(face) / 255.0L));
}

// The render walk ------------------------------------------------------------------------------------

TEST_F(Stage, OpaqueChildrenInOrderThenBlendedOnesFarthestFirst) {
  auto* a = Add<TProbe>(scene_->Objects(), "A");
  auto* close = Add<TProbe>(scene_->Objects(), "Near");
  auto* b = Add<TProbe>(scene_->Objects(), "B");
  auto* distant = Add<TProbe>(scene_->Objects(), "Far");
  auto* hidden = Add<TProbe>(scene_->Objects(), "Hidden");
  Add<TProbe>(hidden, "UnderHidden");
  Add<TProbe>(a, "UnderA");
  close->Material()->SetBlendingMode(bmTransparency);
  distant->Material()->SetBlendingMode(bmAdditive);
  close->Position()->SetPoint(0, 0, 5);
  distant->Position()->SetPoint(0, 0, -5);
  hidden->SetVisible(false);
  (void)b;
  CreateContext();
  buffer_.Render();
  std::vector<std::string> drawn;
  for (const std::string& call : recorder.CallsTo("draw")) drawn.push_back(call);
  EXPECT_EQ(drawn, (std::vector<std::string>{"draw(A)", "draw(UnderA)", "draw(B)", "draw(Far)", "draw(Near)"}));

  // The walk leaves the model-view stack as it found it, before PostRender.
  int depth = 0;
  bool neverBelow = true;
  for (const std::string& call : recorder.Calls()) {
    if (call == "PostRender()") break;
    if (call == "glPushMatrix()") ++depth;
    if (call == "glPopMatrix()") --depth;
    neverBelow &= depth >= 0;
  }
  EXPECT_EQ(depth, 0);
  EXPECT_TRUE(neverBelow);
}

TEST_F(Stage, AFrameRunsItsStagesInOrder) {
  Add<TProbe>(scene_->Objects(), "A");
  buffer_.SetBackgroundColor(clBlack);
  CreateContext();
  auto* context = static_cast<TFakeContext*>(buffer_.RenderingContext());
  buffer_.Render();
  const std::vector<std::string>& calls = recorder.Calls();
  auto at = [&](const std::string& call) { return std::find(calls.begin(), calls.end(), call) - calls.begin(); };
  EXPECT_LT(at("glClearColor(0,0,0,1)"), at("glClear(16640)"));
  EXPECT_LT(at("glClear(16640)"), at("glMatrixMode(5889)"));
  EXPECT_LT(at("glMatrixMode(5889)"), at("glMatrixMode(5888)"));
  EXPECT_LT(at("glMatrixMode(5888)"), at("draw(A)"));
  EXPECT_LT(at("draw(A)"), at("PostRender()"));
  EXPECT_LT(at("PostRender()"), at("glFlush()"));
  EXPECT_LT(at("glFlush()"), at("AfterRender()"));
  EXPECT_EQ(context->swaps, 1);
  EXPECT_EQ(currentInAfterRender_, nullptr);  // no context is current after the frame
  EXPECT_EQ(CurrentGLContext(), nullptr);
  // The last matrix mode chosen before PostRender is the model-view matrix.
  std::string lastMode;
  for (const std::string& call : calls) {
    if (call == "PostRender()") break;
    if (call.rfind("glMatrixMode(", 0) == 0) lastMode = call;
  }
  EXPECT_EQ(lastMode, "glMatrixMode(5888)");
}

TEST_F(Stage, ChangesClimbToTheBufferUnlessTheSceneIsUpdating) {
  auto* sphere = Add<TSphere>(scene_->Objects(), "Sphere");
  CreateContext();
  buffer_.Render();  // the buffer joins the scene
  bufferChanges_ = 0;
  sphere->SetRadius(2);
  EXPECT_EQ(bufferChanges_, 1);
  sphere->Material()->FrontProperties()->Emission()->SetColorComponent(0, 0.5f);
  EXPECT_EQ(bufferChanges_, 2);
  sphere->Material()->FrontProperties()->Emission()->SetColorComponent(0, 0.5f);  // unchanged: silent
  EXPECT_EQ(bufferChanges_, 2);
  scene_->BeginUpdate();
  sphere->SetVisible(false);
  sphere->Position()->SetX(3);
  EXPECT_EQ(bufferChanges_, 2);
  scene_->EndUpdate();
  EXPECT_EQ(bufferChanges_, 3);
  EXPECT_THROW(scene_->EndUpdate(), EAssertionFailed);
  sphere->BeginUpdate();
  sphere->SetVisible(true);
  EXPECT_EQ(bufferChanges_, 3);
  sphere->EndUpdate();
  EXPECT_EQ(bufferChanges_, 4);
  EXPECT_THROW(sphere->EndUpdate(), EAssertionFailed);
}

TEST_F(Stage, AColourOwnedByANodeRebuildsItsList) {
  auto* lines = Add<TLineBase>(scene_->Objects(), "Lines");
  auto* sphere = Add<TSphere>(scene_->Objects(), "Sphere");
  MakeCurrent();
  TRenderContextInfo rci;
  lines->GetHandle(rci);
  sphere->GetHandle(rci);
  EXPECT_FALSE(lines->Changes().Contains(ocStructure));
  lines->LineColor()->SetColorComponent(1, 0.5f);
  EXPECT_TRUE(lines->Changes().Contains(ocStructure));
  sphere->Material()->FrontProperties()->Emission()->SetColorComponent(1, 0.5f);  // a repaint only
  EXPECT_FALSE(sphere->Changes().Contains(ocStructure));
}

TEST_F(Stage, ABufferWithoutCameraInASceneOnlyClearsAndSwaps) {
  buffer_.SetCamera(nullptr);
  TGLCamera loose(nullptr);
  buffer_.SetCamera(&loose);  // not in a scene: not taken
  EXPECT_EQ(buffer_.Camera(), nullptr);
  CreateContext();
  buffer_.Render();
  EXPECT_EQ(recorder.Count("glClear"), 1);
  EXPECT_EQ(recorder.Count("glFrustum"), 0);
  EXPECT_EQ(recorder.Count("PostRender"), 0);
  EXPECT_EQ(static_cast<TFakeContext*>(buffer_.RenderingContext())->swaps, 1);
}

// Answers each query with its own name, so every limit shows which query it made.
void APIENTRY AnswerQueryName(GLenum name, GLint* value) { *value = static_cast<GLint>(name); }
void APIENTRY AnswerViewportDims(GLenum name, GLdouble* value) {
  if (name == GL_MAX_VIEWPORT_DIMS) {
    value[0] = 3000;
    value[1] = 4000;
  }
}

TEST_F(Stage, LimitsAnswerFromTheContext) {
  CreateContext();
  GL.glGetIntegerv = &AnswerQueryName;
  GL.glGetDoublev = &AnswerViewportDims;
  const GLenum queries[] = {GL_MAX_CLIP_PLANES,  GL_MAX_EVAL_ORDER,       GL_MAX_LIGHTS,
                            GL_MAX_LIST_NESTING, GL_MAX_MODELVIEW_STACK_DEPTH, GL_MAX_NAME_STACK_DEPTH,
                            GL_MAX_PIXEL_MAP_TABLE, GL_MAX_PROJECTION_STACK_DEPTH, GL_MAX_TEXTURE_SIZE,
                            GL_MAX_TEXTURE_STACK_DEPTH, 0, GL_ACCUM_ALPHA_BITS,
                            GL_ACCUM_BLUE_BITS,  GL_ACCUM_GREEN_BITS,     GL_ACCUM_RED_BITS,
                            GL_ALPHA_BITS,       GL_AUX_BUFFERS,          GL_BLUE_BITS,
                            GL_GREEN_BITS,       GL_RED_BITS,             GL_INDEX_BITS,
                            GL_STEREO,           GL_DOUBLEBUFFER,         GL_SUBPIXEL_BITS,
                            GL_DEPTH_BITS,       GL_STENCIL_BITS};
  static_assert(std::size(queries) == limStencilBits + 1);
  for (int index = 0; index <= limStencilBits; ++index) {
    if (index == limViewportDims)
      EXPECT_EQ(buffer_.GetLimit(index), 4000) << "the larger of the two dimensions";
    else
      EXPECT_EQ(buffer_.GetLimit(index), static_cast<int>(queries[index])) << "limit " << index;
  }
  EXPECT_EQ(buffer_.GetLimit(26), 0);
  EXPECT_EQ(buffer_.GetLimit(-1), 0);
}

TEST_F(Stage, TheScenesErrorClearingStopsAfter17Calls) {
  recorder.SetDefaultResult("glGetError", GL_INVALID_OPERATION);  // errors keep coming
  GLStage::ClearGLError();
  EXPECT_EQ(recorder.Count("glGetError"), 17);
  recorder.Clear();
  recorder.QueueResult("glGetError", GL_INVALID_ENUM);
  recorder.QueueResult("glGetError", GL_INVALID_ENUM);
  recorder.QueueResult("glGetError", GL_NO_ERROR);
  GLStage::ClearGLError();
  EXPECT_EQ(recorder.Count("glGetError"), 3) << "stops at the first clear answer";
}

TEST_F(Stage, ABitmapFrameAtNoGivenResolutionTakesTheBitmapDevices) {
  camera_->SetFocalLength(200);
  Add<TProbe>(scene_->Objects(), "A");
  CreateContext();
  TBitmap bitmap;
  bitmap.SetSize(600, 400);
  buffer_.RenderToBitmap(&bitmap, 0);
  HDC screen = GetDC(nullptr);
  const int deviceDPI = GetDeviceCaps(screen, LOGPIXELSX);  // a memory device shares the screen's
  ReleaseDC(nullptr, screen);
  ASSERT_GT(deviceDPI, 0);
  EXPECT_EQ(buffer_.RenderDPI(), deviceDPI);
  const std::vector<std::string> frustum = recorder.CallsTo("glFrustum");
  recorder.Clear();
  buffer_.RenderToBitmap(&bitmap, deviceDPI);
  EXPECT_EQ(recorder.CallsTo("glFrustum"), frustum);
  recorder.Clear();
  buffer_.RenderToBitmap(&bitmap, 2 * deviceDPI);
  EXPECT_NE(recorder.CallsTo("glFrustum"), frustum) << "the resolution changes the view";
}

TEST_F(Stage, ABitmapFrameIsTheWindowFrameAtTheBitmapsSizeAndResolution) {
  camera_->SetFocalLength(200);
  Add<TProbe>(scene_->Objects(), "A");
  CreateContext();
  buffer_.Render();
  const std::vector<std::string> windowFrustum = recorder.CallsTo("glFrustum");
  recorder.Clear();
  TBitmap bitmap;
  bitmap.SetSize(1200, 800);
  buffer_.RenderToBitmap(&bitmap, 192);  // twice the size at twice the resolution: the same view
  EXPECT_EQ(recorder.CallsTo("glFrustum"), windowFrustum);
  EXPECT_EQ(recorder.CallsTo("glViewport"), std::vector<std::string>{"glViewport(0,0,1200,800)"});
  EXPECT_EQ(recorder.Count("draw"), 1);
  EXPECT_EQ(recorder.Count("PostRender"), 1);
  EXPECT_EQ(recorder.Count("glFinish"), 1);
  EXPECT_EQ(recorder.Count("AfterRender"), 1);
  EXPECT_EQ(buffer_.ViewPort().Width, 600);    // the window's viewport is back
  EXPECT_EQ(TFakeContext::lastColorBits, 32);  // the picture drawn into has 32 bits
}

TEST_F(Stage, TheBitmapContextAsksForTheBuffersDepthAndStencil) {
  buffer_.SetDepthPrecision(dp16bits);
  buffer_.SetContextOptions({roDoubleBuffer, roRenderToWindow, roStencilBuffer});
  CreateContext();
  TBitmap bitmap;
  bitmap.SetSize(8, 8);
  buffer_.RenderToBitmap(&bitmap, 96);
  EXPECT_EQ(TFakeContext::lastDepthBits, 16);
  EXPECT_EQ(TFakeContext::lastStencilBits, 8);
  EXPECT_EQ(recorder.CallsTo("glClear"), std::vector<std::string>{"glClear(17664)"});  // the stencil too
}

TEST_F(Stage, ABitmapBeyondTheLargestViewportIsRefusedUntouched) {
  CreateContext();
  TBitmap bitmap;
  bitmap.SetSize(4097, 2);
  bitmap.Canvas()->Brush()->SetColor(clLime);
  bitmap.Canvas()->FillRect(RECT{0, 0, 4097, 2});
  try {
    buffer_.RenderToBitmap(&bitmap, 96);
    FAIL() << "no exception";
  } catch (const EGLContext& e) {
    EXPECT_NE(std::string(e.what()).find("4097 x 2"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("4096"), std::string::npos) << e.what();
  }
  EXPECT_EQ(bitmap.Canvas()->Pixel(4096, 1), clLime);
  EXPECT_EQ(recorder.Count("PostRender"), 0);
  EXPECT_FALSE(buffer_.Rendering());
  EXPECT_EQ(CurrentGLContext(), nullptr);
  TBitmap empty;
  EXPECT_THROW(buffer_.RenderToBitmap(&empty, 96), EGLContext);
}

TEST_F(Stage, RenderingIntoABitmapKeepsTheThreadsContext) {
  CreateContext();
  MakeCurrent();
  context_->Activate();  // nested twice
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  buffer_.RenderToBitmap(&bitmap, 96);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  context_->Deactivate();
  EXPECT_TRUE(context_->Active());
  // Creating the buffer's context keeps it too.
  buffer_.CreateRC(nullptr, false);
  EXPECT_EQ(CurrentGLContext(), context_.get());
  EXPECT_TRUE(context_->Active());
}

TEST_F(Stage, ABitmapFrameInsideAFrameIsRefused) {
  CreateContext();
  bool refused = false;
  onPostRender_ = [&] {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    try {
      buffer_.RenderToBitmap(&bitmap, 96);
    } catch (const EAssertionFailed& e) {
      refused = std::string(e.what()) == "Already rendering (GLStage, line 6142)";
    }
  };
  buffer_.Render();
  EXPECT_TRUE(refused);
}

// Frames per second -------------------------------------------------------------------------------------

TEST(FrameRate, TheSecondFrameCountsTwiceAndTheSumDoesNotWrap) {
  TFrameRateCounter counter;
  const int64_t frequency = 10'000'000;  // Wine's counter runs at 10 MHz
  counter.Frame(5, frequency);
  EXPECT_EQ(counter.FramesPerSecond(), 0);
  counter.Frame(5 + frequency / 4, frequency);
  EXPECT_FLOAT_EQ(counter.FramesPerSecond(), 4);  // 2 x frequency / (2 x interval)
  // Ten minutes at one frame a second: more ticks than 32 bits hold.
  TFrameRateCounter slow;
  int64_t now = 0xFFFFFF00;  // the low 32 bits wrap during the run too
  for (int i = 0; i < 600; ++i, now += frequency) slow.Frame(now, frequency);
  EXPECT_FLOAT_EQ(slow.FramesPerSecond(), 1);
  counter.Reset();
  EXPECT_EQ(counter.FramesPerSecond(), 0);
}

}  // namespace
