// The disk, cone, cylinder and annulus: their GLU calls and their exact ray
// casts against hand-computed hits.
#include "SceneFixture.h"
#include "scene/GLObjectsQuadrics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

class Quadrics : public SceneRecorderTest {
 protected:
  Quadrics() : owner_(nullptr) {}
  // The calls of one build without the quadric's life and set-up; GLU's
  // drawing calls lose their first argument, the quadric's address.
  std::vector<std::string> Build(TGLBaseSceneObject& node) {
    recorder.Clear();
    TRenderContextInfo rci;
    node.BuildList(rci);
    std::vector<std::string> calls;
    for (const std::string& call : recorder.Calls()) {
      const std::string name = call.substr(0, call.find('('));
      if (name == "gluNewQuadric" || name == "gluDeleteQuadric" || name.rfind("gluQuadric", 0) == 0) continue;
      const bool drawing = name == "gluCylinder" || name == "gluDisk" || name == "gluPartialDisk";
      calls.push_back(drawing ? name + call.substr(call.find(',')) : call);
    }
    return calls;
  }
  TComponent owner_;
};

TEST_F(Quadrics, EachSolidDrawsItsPartsAlongTheNodesY) {
  TDisk disk(&owner_);
  EXPECT_EQ(Build(disk), std::vector<std::string>{"gluPartialDisk,0,0.5,16,2,0,360)"});

  TCone cone(&owner_);
  cone.SetParts({coBottom});
  EXPECT_EQ(Build(cone), (std::vector<std::string>{"glPushMatrix()", "glRotated(-90,1,0,0)", "glTranslatef(0,0,-0.5)",
                                                    "gluDisk,0,0.5,16,1)", "glPopMatrix()"}));

  TCylinder cylinder(&owner_);
  EXPECT_EQ(Build(cylinder),
            (std::vector<std::string>{"glPushMatrix()", "glRotatef(-90,1,0,0)", "glTranslatef(0,0,-0.5)",
                                      "gluCylinder,0.5,0.5,1,16,4)", "glPushMatrix()", "glTranslatef(0,0,1)",
                                      "gluDisk,0,0.5,16,1)", "glPopMatrix()", "gluDisk,0,0.5,16,1)", "glPopMatrix()"}));
  cylinder.SetAlignment(caBottom);
  EXPECT_EQ(Build(cylinder)[2], "gluCylinder,0.5,0.5,1,16,4)") << "no translation: it spans 0 .. 1";

  TAnnulus annulus(&owner_);
  EXPECT_EQ(Build(annulus),
            (std::vector<std::string>{"glPushMatrix()", "glRotatef(-90,1,0,0)", "glTranslatef(0,0,-0.5)",
                                      "gluCylinder,0.5,0.5,1,16,4)", "glPushMatrix()", "glTranslatef(0,0,1)",
                                      "gluDisk,0.3,0.5,16,1)", "glPopMatrix()", "gluDisk,0.3,0.5,16,1)",
                                      "gluCylinder,0.3,0.3,1,16,4)", "glPopMatrix()"}));
  annulus.SetParts({anOuterSides});
  EXPECT_EQ(Build(annulus).size(), 5u);

  annulus.Scale()->SetY(2);
  annulus.SetTopRadius(-0.75f);
  EXPECT_EQ(annulus.AxisAlignedDimensions(), (TVector{0.75f, 1, 0.75f, 0}));
}

void ExpectPoint(const TVector& actual, const TVector& expected, const char* what) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5f) << what << " component " << i;
}

TEST_F(Quadrics, ADiskIsHitOnItsRingOnly) {
  TDisk disk(&owner_);  // facing +Z, radius 0.5
  disk.SetInnerRadius(0.2f);
  TVector point{}, normal{};
  EXPECT_TRUE(disk.RayCastIntersect({0.3f, 0, 5, 1}, {0, 0, -1, 0}, &point, &normal));
  ExpectPoint(point, {0.3f, 0, 0, 1}, "on the ring");
  ExpectPoint(normal, {0, 0, 1, 0}, "the plane's normal");
  point = {9, 9, 9, 9};
  EXPECT_FALSE(disk.RayCastIntersect({0.1f, 0, 5, 1}, {0, 0, -1, 0}, &point));
  ExpectPoint(point, {0.1f, 0, 0, 1}, "the point is written before the ring test");
  EXPECT_FALSE(disk.RayCastIntersect({0.6f, 0, 5, 1}, {0, 0, -1, 0})) << "outside";
  EXPECT_FALSE(disk.RayCastIntersect({0.3f, 0, 5, 1}, {0, 0, 1, 0})) << "the plane behind the start";
  EXPECT_FALSE(disk.RayCastIntersect({0.3f, 0, 5, 1}, {1, 0, 0, 0})) << "grazing, parallel to the plane";
}

TEST_F(Quadrics, ACylinderIsHitOnItsCapsAndSides) {
  TCylinder cylinder(&owner_);  // y -0.5 .. 0.5, radius 0.5
  struct Case {
    const char* what;
    TVector start, vector;
    bool hit;
    TVector point, normal;
  };
  const Case cases[] = {
      {"down onto the top cap", {0.1f, 3, 0, 1}, {0, -1, 0, 0}, true, {0.1f, 0.5f, 0, 1}, {0, 1, 0, 0}},
      {"up onto the bottom cap", {0, -3, 0.2f, 1}, {0, 1, 0, 0}, true, {0, -0.5f, 0.2f, 1}, {0, -1, 0, 0}},
      {"sideways onto the wall", {3, 0.2f, 0, 1}, {-1, 0, 0, 0}, true, {0.5f, 0.2f, 0, 1}, {0.5f, 0, 0, 0}},
      {"sideways above it", {3, 0.7f, 0, 1}, {-1, 0, 0, 0}, false, {}, {}},
      {"pointing away", {3, 0.2f, 0, 1}, {1, 0, 0, 0}, false, {}, {}},
      {"down beside it", {0.6f, 3, 0, 1}, {0, -1, 0, 0}, false, {}, {}},
      {"from inside, out through the wall", {0, 0, 0, 1}, {0, 0, 1, 0}, true, {0, 0, 0.5f, 1}, {0, 0, 0.5f, 0}},
  };
  for (const Case& c : cases) {
    TVector point{}, normal{};
    EXPECT_EQ(cylinder.RayCastIntersect(c.start, c.vector, &point, &normal), c.hit) << c.what;
    if (!c.hit) continue;
    ExpectPoint(point, c.point, c.what);
    ExpectPoint(normal, c.normal, c.what);
  }
  cylinder.SetParts({cyTop, cyBottom});
  EXPECT_FALSE(cylinder.RayCastIntersect({3, 0.2f, 0, 1}, {-1, 0, 0, 0})) << "no sides: only caps";
  EXPECT_TRUE(cylinder.RayCastIntersect({0.1f, 3, 0, 1}, {0, -1, 0, 0}));
  cylinder.SetParts({cySides, cyTop});
  cylinder.SetAlignment(caBottom);  // 0 .. 1
  TVector point{};
  EXPECT_TRUE(cylinder.RayCastIntersect({0.1f, 3, 0, 1}, {0, -1, 0, 0}, &point));
  ExpectPoint(point, {0.1f, 1, 0, 1}, "the top of a cylinder standing on its base");
}

}  // namespace
