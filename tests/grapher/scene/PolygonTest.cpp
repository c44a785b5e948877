// Coordinate nodes and the polygon through the recorder: notifications,
// normals, and what is fed to the tessellator in which order.
#include "SceneFixture.h"
#include "scene/GLObjectsPolygon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

// A node that counts the changes its collection reports.
class TCountingNode : public TGLBaseSceneObject {
 public:
  using TGLBaseSceneObject::TGLBaseSceneObject;
  void NotifyChange(TObject* sender) override {
    ++changes;
    TGLBaseSceneObject::NotifyChange(sender);
  }
  int changes = 0;
};

class Polygons : public NodeBuildTest {
 protected:
  Polygons() { recorder.SetDefaultResult("gluNewTess", 0x2000); }
  // The calls feeding a vertex to the tessellator.
  static std::vector<std::string> Fed(const std::vector<std::string>& calls) { return Only(calls, "gluTessVertex"); }
};

TEST_F(Polygons, NodesNotifyTheirOwnerOnceAnUpdateEnds) {
  TCountingNode owner(&owner_);
  TGLNodes nodes(&owner);
  TGLNode* node = nodes.AddNode(1, 2.5f, -3);
  EXPECT_EQ(node->DisplayName(), "1.0000; 2.5000; -3.0000");
  owner.changes = 0;
  node->SetX(4);
  EXPECT_EQ(owner.changes, 1);
  nodes.BeginUpdate();
  node->SetX(5);
  node->SetY(6);
  EXPECT_EQ(owner.changes, 1);
  nodes.EndUpdate();
  EXPECT_EQ(owner.changes, 2);
  nodes.AddNode(0, 0, 0);
  EXPECT_EQ(nodes.Normal(), (TAffineVector{0, 0, 0})) << "two nodes have no plane";
  nodes.AddNode(1, 0, 0);
  const TAffineVector normal = nodes.Normal();  // of (5, 6, -3), (0, 0, 0), (1, 0, 0)
  EXPECT_NEAR(VectorLength(normal), 1, 1e-6f);
}

TEST_F(Polygons, ASquareIsFedInOrderOnTopAndReversedBelow) {
  TPolygon polygon(&owner_);
  for (const TAffineVector& p : {TAffineVector{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}})
    polygon.Nodes()->AddNode(p[0], p[1], p[2]);
  const std::vector<std::string> calls = Build(polygon);
  EXPECT_EQ(Count(calls, "gluNewTess"), 2);
  EXPECT_EQ(Count(calls, "gluDeleteTess"), 2);
  EXPECT_EQ(Count(calls, "gluTessCallback"), 10);
  const std::vector<std::string> normals = recorder.CallsTo("gluTessNormal");
  ASSERT_EQ(normals.size(), 2u);
  EXPECT_EQ(normals[0].substr(normals[0].find(',')), ",0,0,1)");
  EXPECT_EQ(normals[1].substr(normals[1].find(',')), ",-0,-0,-1)") << "the bottom's normal is negated";
  const std::vector<std::string> fed = Fed(calls);
  ASSERT_EQ(fed.size(), 8u);
  // The same four nodes, the second time from the last to the first.
  for (int i = 0; i < 4; ++i) EXPECT_EQ(fed[i].substr(fed[i].rfind(',')), fed[7 - i].substr(fed[7 - i].rfind(',')));

  polygon.SetParts({ppBottom});
  EXPECT_EQ(Fed(Build(polygon)).size(), 4u);
}

TEST_F(Polygons, DegenerateOutlinesAndSplines) {
  TPolygon polygon(&owner_);
  polygon.Nodes()->AddNode(0, 0, 0);
  polygon.Nodes()->AddNode(1, 0, 0);
  EXPECT_EQ(Count(Build(polygon), "gluNewTess"), 0) << "two nodes draw nothing";
  polygon.Nodes()->AddNode(2, 0, 0);  // collinear: no normal
  std::vector<std::string> calls = Build(polygon);
  EXPECT_EQ(Count(calls, "gluNewTess"), 2);
  EXPECT_EQ(Count(calls, "gluTessNormal"), 0);
  EXPECT_EQ(Count(calls, "glNormal3fv"), 0);

  polygon.SetDivision(0);
  EXPECT_EQ(polygon.Division(), 1);
  polygon.SetDivision(4);
  EXPECT_EQ(Fed(Build(polygon)).size(), 6u) << "lines: the division is ignored";
  polygon.SetSplineMode(lsmCubicSpline);
  polygon.SetParts({ppTop});
  EXPECT_EQ(Fed(Build(polygon)).size(), 9u) << "(3 - 1) x 4 + 1 spline points";
}

}  // namespace
