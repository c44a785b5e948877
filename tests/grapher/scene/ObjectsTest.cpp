// The drawn primitives: line style, sphere, arrow line, sampling scale and
// grid, seen through the GL calls their display lists are built from.
#include "SceneFixture.h"
#include "scene/GLGraph.h"
#include "scene/GLObjects.h"
#include "scene/GLStage.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace kx;

namespace {

class Objects : public SceneRecorderTest {
 protected:
  Objects() : owner_(nullptr) {}
  template <class T>
  T* Make() {
    return new T(&owner_);
  }
  // The calls one BuildList makes.
  std::vector<std::string> Build(TGLBaseSceneObject& node) {
    xglMapTexCoordToMain();
    recorder.Clear();
    TRenderContextInfo rci;
    node.BuildList(rci);
    return recorder.Calls();
  }
  // The vertex lists of the strips (or fans) a build emits, one per glBegin.
  static std::vector<std::vector<std::string>> Primitives(const std::vector<std::string>& calls,
                                                          const std::string& kind) {
    std::vector<std::vector<std::string>> result;
    bool inside = false;
    for (const std::string& call : calls) {
      if (call == "glBegin(" + kind + ")") {
        result.emplace_back();
        inside = true;
      } else if (call == "glEnd()") {
        inside = false;
      } else if (inside && call.rfind("glVertex3f(", 0) == 0) {
        result.back().push_back(call.substr(call.find('(')));
      }
    }
    return result;
  }
  static int CountPrefix(const std::vector<std::string>& calls, const std::string& prefix) {
    int n = 0;
    for (const std::string& call : calls) n += call.rfind(prefix, 0) == 0;
    return n;
  }
  TComponent owner_;
};

constexpr const char* kLineStrip = "3";  // GL_LINE_STRIP

// Line style ---------------------------------------------------------------------------------

TEST_F(Objects, LineStyleBracketsTheDrawing) {
  auto* grid = Make<TXYZGrid>();
  grid->SetParts({});
  std::vector<std::string> calls = Build(*grid);
  EXPECT_EQ(calls, (std::vector<std::string>{"glPushAttrib(24645)", "glDisable(2896)", "glDisable(2848)",
                                             "glLineWidth(1)", calls[4], "glPopAttrib()"}));
  EXPECT_EQ(calls[4].rfind("glColor3fv(", 0), 0u);  // opaque: no alpha sent
  grid->LineColor()->SetAlpha(0.5f);
  grid->SetLinePattern(0xF0F0);
  grid->SetAntiAliased(true);
  calls = Build(*grid);
  EXPECT_EQ(
      std::vector<std::string>(calls.begin(), calls.begin() + 8),
      (std::vector<std::string>{"glPushAttrib(24645)", "glDisable(2896)", "glEnable(2852)", "glEnable(3042)",
                                "glBlendFunc(770,771)", "glLineStipple(1,61680)", "glEnable(2848)", "glLineWidth(1)"}));
  EXPECT_EQ(CountPrefix(calls, "glColor4fv("), 1);

  auto* other = Make<TXYZGrid>();
  other->Assign(grid);
  grid->LineColor()->SetRed(0);  // a copy by value
  EXPECT_EQ(other->LineColor()->Red(), 1);
  EXPECT_EQ(other->LinePattern(), 0xF0F0);
}

// Sphere ---------------------------------------------------------------------------------------

std::vector<TAffineVector> Vertices;
void APIENTRY CaptureVertex(const GLfloat* v) {
  TGLRecorder::current_->Record("glVertex3fv", "");
  Vertices.push_back({v[0], v[1], v[2]});
}

TEST_F(Objects, TheDefaultSphereIsSixteenStripsFromTheNorthPole) {
  auto* sphere = Make<TSphere>();
  sphere->SetRadius(2);
  Vertices.clear();
  GL.glVertex3fv = &CaptureVertex;
  const std::vector<std::string> calls = Build(*sphere);
  ASSERT_EQ(Vertices.size(), 16u * 17 * 2);
  EXPECT_NEAR(Vertices[0][0], 0, 1e-6);  // on the unit sphere, scaled by the matrix
  EXPECT_EQ(Vertices[0][1], 1);
  EXPECT_NEAR(Vertices[0][2], 0, 1e-6);
  EXPECT_NEAR(Vertices.back()[1], -1, 1e-6);  // the last pair ends at the south pole
  EXPECT_EQ(CountPrefix(calls, "glBegin(5)"), 16);
  EXPECT_EQ(CountPrefix(calls, "glVertex3fv"), 16 * 17 * 2);
  EXPECT_EQ(CountPrefix(calls, "glBegin(6)"), 0);  // no caps
  EXPECT_EQ(calls[0], "glPushAttrib(8)");
  EXPECT_EQ(calls[2], "glScalef(2,2,2)");
  EXPECT_EQ(CountPrefix(calls, "glTexCoord2f("), 16 * 17 * 2);
}

TEST_F(Objects, SphereSettersKeepTheirRules) {
  auto* sphere = Make<TSphere>();
  sphere->SetSlices(0);
  EXPECT_EQ(sphere->Slices(), 1);
  sphere->SetStacks(-2);
  EXPECT_EQ(sphere->Stacks(), -2);
  sphere->SetStop(180);
  try {
    sphere->SetStart(200);
    FAIL() << "no assertion";
  } catch (const EAssertionFailed& e) {
    EXPECT_STREQ(e.what(), "Assertion failure (GLObjects, line 2912)");
  }
  EXPECT_EQ(sphere->Start(), 0);
  EXPECT_THROW(sphere->SetStop(-1), EPropertyError);
  sphere->SetStart(90);
  EXPECT_THROW(sphere->SetStop(45), EAssertionFailed);
  EXPECT_THROW(sphere->SetTop(91), EPropertyError);
  // Negative counts leave the loops empty.
  const std::vector<std::string> calls = Build(*sphere);
  EXPECT_EQ(CountPrefix(calls, "glBegin"), 0);
  EXPECT_EQ(sphere->AxisAlignedDimensions(), (TVector{0.5f, 0.5f, 0.5f, 0}));
}

TEST_F(Objects, APartialSphereIsClosedByItsCaps) {
  auto* sphere = Make<TSphere>();
  sphere->SetTop(45);
  sphere->SetTopCap(ctFlat);
  sphere->SetBottom(-30);
  sphere->SetBottomCap(ctCenter);
  sphere->SetSlices(8);
  sphere->SetStacks(4);
  std::vector<std::string> calls = Build(*sphere);
  EXPECT_EQ(CountPrefix(calls, "glBegin(6)"), 2);
  EXPECT_EQ(CountPrefix(calls, "glBegin(5)"), 4);
  // The flat top: centre in the plane of the cut, normals up.
  const auto centre = std::find(calls.begin(), calls.end(), "glVertex3f(0,0.707107,0)");
  EXPECT_NE(centre, calls.end());
  EXPECT_EQ(*(centre - 1), "glNormal3f(0,1,0)");
  // The bottom cap's centre is the sphere's.
  EXPECT_NE(std::find(calls.begin(), calls.end(), "glVertex3f(0,0,0)"), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), "glNormal3f(0,-1,0)"), calls.end());

  sphere->SetTop(90);  // closed already: no cap
  sphere->SetBottom(-90);
  calls = Build(*sphere);
  EXPECT_EQ(CountPrefix(calls, "glBegin(6)"), 0);
  sphere->SetNormalDirection(ndInside);
  calls = Build(*sphere);
  EXPECT_EQ(CountPrefix(calls, "glFrontFace("), 2);  // flipped for the sphere and back
}

TEST_F(Objects, ARayHitsTheSphereWhereItEnters) {
  TGLStage scene(&owner_);
  auto* sphere = scene.Objects()->AddNewChild<TSphere>();
  sphere->SetRadius(1);
  sphere->Position()->SetPoint(0, 0, -5);
  TVector point{}, normal{};
  EXPECT_TRUE(sphere->RayCastIntersect({0, 0, 0, 1}, {0, 0, -1, 0}, &point, &normal));
  EXPECT_NEAR(point[2], -4, 1e-5);
  EXPECT_NEAR(normal[2], 1, 1e-5);
  EXPECT_FALSE(sphere->RayCastIntersect({0, 3, 0, 1}, {0, 0, -1, 0}));
  EXPECT_FALSE(sphere->RayCastIntersect({0, 0, -10, 1}, {0, 0, -1, 0}));       // behind the start
  EXPECT_TRUE(sphere->RayCastIntersect({0, 0, -5, 1}, {1, 0, 0, 0}, &point));  // from the centre: the exit
  EXPECT_NEAR(point[0], 1, 1e-5);
  EXPECT_EQ(scene.RayCastIntersect({0, 0, 0, 1}, {0, 0, -1, 0}), sphere);
}

// Arrow line --------------------------------------------------------------------------------------

TEST_F(Objects, TheGraphersAxisIsAShaftWithOneCone) {
  auto* arrow = Make<TArrowLine>();
  arrow->SetHeight(20);
  std::vector<std::string> calls;
  for (const std::string& call : Build(*arrow))
    if (call.rfind("glTranslatef", 0) == 0 || call.rfind("gluCylinder", 0) == 0 || call.rfind("gluDisk", 0) == 0 ||
        call.rfind("gluQuadricOrientation", 0) == 0)
      calls.push_back(call.substr(0, call.find('(')) + call.substr(call.find(','), std::string::npos));
  // (the quadric's address is left out)
  EXPECT_EQ(calls, (std::vector<std::string>{"gluQuadricOrientation,100020)",  // outside
                                             "glTranslatef,0,10)",             // the cone from 10
                                             "gluCylinder,0.2,0,0.5,16,4)",    // to 10.5
                                             "gluQuadricOrientation,100021)",  // its base faces back
                                             "gluDisk,0.1,0.2,16,1)",          // a ring around the shaft
                                             "glTranslatef,0,-10)",            // the shaft from -10
                                             "gluQuadricOrientation,100020)",
                                             "gluCylinder,0.1,0.1,20,16,4)",  // to 10
                                             "gluQuadricOrientation,100021)",
                                             "gluDisk,0,0.1,16,1)"}));  // closed at the bottom only
  EXPECT_EQ(recorder.Count("gluNewQuadric"), recorder.Count("gluDeleteQuadric"));
}

TEST_F(Objects, ArrowPartsAndStacking) {
  auto* arrow = Make<TArrowLine>();
  arrow->SetParts({alTopArrow, alBottomArrow});
  arrow->SetHeadStackingStyle(ahssIncluded);
  std::vector<std::string> calls = Build(*arrow);
  EXPECT_EQ(CountPrefix(calls, "gluCylinder"), 2);  // two cones, no shaft
  EXPECT_NE(std::find(calls.begin(), calls.end(), "glRotatef(180,1,0,0)"), calls.end());
  arrow->SetParts({alLine});
  calls = Build(*arrow);
  EXPECT_EQ(CountPrefix(calls, "gluCylinder"), 1);
  EXPECT_EQ(CountPrefix(calls, "gluDisk"), 2);  // both ends closed
  arrow->SetParts({});
  calls = Build(*arrow);
  EXPECT_EQ(CountPrefix(calls, "gluCylinder") + CountPrefix(calls, "gluDisk"), 0);
  arrow->SetLoops(0);
  EXPECT_EQ(arrow->Loops(), 1);
}

// Sampling scale and grid -----------------------------------------------------------------------

TEST_F(Objects, SamplingScalesKeepTheirInvariants) {
  TGLSamplingScale scale(nullptr);
  scale.SetStep(0);
  EXPECT_EQ(scale.Step(), 1);
  scale.SetStep(-2);
  EXPECT_EQ(scale.Step(), 1);
  scale.SetMax(5);
  scale.SetMin(7);
  EXPECT_EQ(scale.Max(), 7);
  scale.SetMax(-9);
  EXPECT_EQ(scale.Min(), -9);
  struct Case {
    float origin, min, step, base;
  };
  for (const Case& c : {Case{-5, -5, 0.5f, -5}, Case{0.25f, -5, 0.5f, -4.75f}, Case{-6, -5, 0.5f, -4.5f}}) {
    scale.SetMin(c.min);
    scale.SetMax(5);
    scale.SetOrigin(c.origin);
    scale.SetStep(c.step);
    EXPECT_FLOAT_EQ(scale.StepBase(), c.base) << c.origin;
  }
  scale.SetOrigin(0);
  EXPECT_EQ(scale.MaxStepCount(), 20);  // 20.5 rounds to even
  float base, step, max;
  scale.SetBaseStepMaxToVars(base, step, max, false);
  EXPECT_EQ(base, 0);
  EXPECT_EQ(max, 0);
}

TEST_F(Objects, TheGraphersGridIsTwentyOneLinesEachWay) {
  auto* grid = Make<TXYZGrid>();
  for (TGLSamplingScale* scale : {grid->XSamplingScale(), grid->YSamplingScale()}) {
    scale->SetMin(-5);
    scale->SetMax(5);
    scale->SetStep(0.5f);
  }
  grid->ZSamplingScale()->SetMin(-3);
  grid->ZSamplingScale()->SetMax(3);
  grid->ZSamplingScale()->SetStep(0.5f);
  const auto strips = Primitives(Build(*grid), kLineStrip);
  ASSERT_EQ(strips.size(), 42u);
  for (const auto& strip : strips) EXPECT_EQ(strip.size(), 21u);
  EXPECT_EQ(strips[0].front(), "(-5,-5,0)");  // along X at y = -5, z is the origin of its scale
  EXPECT_EQ(strips[0].back(), "(5,-5,0)");
  EXPECT_EQ(strips[20].front(), "(-5,5,0)");
  EXPECT_EQ(strips[21].front(), "(-5,-5,0)");  // then along Y
  EXPECT_EQ(strips[21].back(), "(-5,5,0)");

  // Segments from Min to Max, whatever the lattice; an axis whose part is
  // off gives its origin alone.
  grid->SetLinesStyle(glsLine);
  grid->XSamplingScale()->SetMax(4.2f);
  auto lines = Primitives(Build(*grid), kLineStrip);
  ASSERT_EQ(lines.size(), 40u);
  EXPECT_EQ(lines[3], (std::vector<std::string>{"(-5,-3.5,0)", "(4.2,-3.5,0)"}));
  grid->SetParts({gpX});
  lines = Primitives(Build(*grid), kLineStrip);
  EXPECT_EQ(lines, (std::vector<std::vector<std::string>>{{"(-5,0,0)", "(4.2,0,0)"}}));
}

TEST_F(Objects, GridLoopsThatCannotAdvanceStop) {
  auto* grid = Make<TXYZGrid>();
  grid->SetParts({gpX});
  grid->XSamplingScale()->SetMin(-5);
  grid->XSamplingScale()->SetMax(5);
  grid->YSamplingScale()->SetOrigin(0);
  // A step below the resolution of a single at -5: the sum stops growing.
  TGLSamplingScale tiny(nullptr);
  tiny.SetMin(-5);
  tiny.SetMax(5);
  tiny.SetOrigin(-5);
  tiny.SetStep(1e-10f);
  grid->SetXSamplingScale(&tiny);
  auto strips = Primitives(Build(*grid), kLineStrip);
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0], std::vector<std::string>{"(-5,0,0)"});

  // Bounds that are not finite give no lines.
  const float infinity = std::numeric_limits<float>::infinity(), nan = std::nanf("");
  for (float bad : {infinity, nan}) {
    grid->XSamplingScale()->SetStep(0.5f);
    grid->XSamplingScale()->SetMin(-5);
    grid->XSamplingScale()->SetMax(bad);
    strips = Primitives(Build(*grid), kLineStrip);
    ASSERT_EQ(strips.size(), 1u) << bad;
    EXPECT_TRUE(strips[0].empty()) << bad;
    grid->YSamplingScale()->SetOrigin(bad);  // the one coordinate of a disabled axis
    strips = Primitives(Build(*grid), kLineStrip);
    EXPECT_TRUE(strips.empty()) << bad;
    grid->YSamplingScale()->SetOrigin(0);
  }
}

TEST_F(Objects, AHugeButFiniteSampleCountIsCappedPerAxis) {
  auto* grid = Make<TXYZGrid>();
  // Ten million samples per axis: drawn in full, the nested lines would
  // take hours.
  for (TGLSamplingScale* scale : {grid->XSamplingScale(), grid->YSamplingScale()}) {
    scale->SetMin(0);
    scale->SetMax(100000);
    scale->SetOrigin(0);
    scale->SetStep(0.01f);
  }
  const auto strips = Primitives(Build(*grid), kLineStrip);
  ASSERT_EQ(strips.size(), 2u * kMaxGridSamples);
  EXPECT_EQ(strips[0].size(), static_cast<size_t>(kMaxGridSamples));
  EXPECT_EQ(strips[0].front(), "(0,0,0)");
}

TEST_F(Objects, ScaleChangesRecompileTheGridPartsOnlyWhenTheyChange) {
  TGLStage scene(&owner_);
  auto* grid = scene.Objects()->AddNewChild<TXYZGrid>();
  MakeCurrent();
  TRenderContextInfo rci;
  grid->GetHandle(rci);
  grid->SetParts({gpX, gpY});  // the same: no recompile
  EXPECT_FALSE(grid->Changes().Contains(ocStructure));
  grid->XSamplingScale()->SetOrigin(grid->XSamplingScale()->Origin());  // a scale always notifies
  EXPECT_TRUE(grid->Changes().Contains(ocStructure));
  recorder.Clear();
  grid->GetHandle(rci);
  EXPECT_EQ(recorder.Count("glNewList"), 1);
  EXPECT_EQ(recorder.Count("glEndList"), 1);
}

}  // namespace
