// Lines through the recorder: straight and splined strips, node colours
// and markers.
#include "SceneFixture.h"
#include "scene/GLObjectsLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

// A line whose structure flag a test may read and clear.
class TProbeLines : public TLines {
 public:
  using TLines::TLines;
  using TGLBaseSceneObject::ClearStructureFlag;
};

class Lines : public NodeBuildTest {
 protected:
  Lines() : line_(new TProbeLines(&owner_)) {}
  std::vector<std::string> Build() { return NodeBuildTest::Build(*line_); }
  TProbeLines* line_;
};

TEST_F(Lines, OneNodeDrawsNothingNotEvenItsMarker) {
  line_->Nodes()->AddNode(1, 2, 3);
  EXPECT_TRUE(Build().empty());
}

TEST_F(Lines, AStraightOrSplinedStripThroughTheNodes) {
  for (float x : {0.0f, 1.0f, 2.0f}) line_->Nodes()->AddNode(x, x * x, 0);
  line_->SetNodesAspect(lnaInvisible);
  std::vector<std::string> calls = Build();
  EXPECT_EQ(Only(calls, "glVertex3f"), (std::vector<std::string>{"(0,0,0)", "(1,1,0)", "(2,4,0)"}));
  EXPECT_EQ(Only(calls, "glColor4fv").size(), 0u);

  line_->SetSplineMode(lsmCubicSpline);
  calls = Build();
  const std::vector<std::string> vertices = Only(calls, "glVertex3f");
  ASSERT_EQ(vertices.size(), 21u);
  EXPECT_EQ(vertices.back(), "(2,4,0)") << "the last at parameter 2: the third node";
  line_->SetDivision(0);
  EXPECT_EQ(line_->Division(), 1);
  EXPECT_EQ(Only(Build(), "glVertex3f").size(), 3u) << "one division: straight even when splined";

  line_->SetOptions({loUseNodeColorForLines});
  EXPECT_EQ(Only(Build(), "glColor4fv").size(), 3u);
}

TEST_F(Lines, NodesFollowTheNodeColourUntilSetApart) {
  TGLLinesNode* a = static_cast<TGLLinesNode*>(line_->Nodes()->AddNode(0, 0, 0));
  TGLLinesNode* b = static_cast<TGLLinesNode*>(line_->Nodes()->AddNode(1, 0, 0));
  EXPECT_EQ(a->Color()->Color(), (TColorVector{0, 0, 1, 1})) << "blue, the line's node colour";
  b->Color()->SetColorVector({0, 1, 0, 1});
  TGLColor red(nullptr, {1, 0, 0, 1});
  line_->SetNodeColor(&red);
  EXPECT_EQ(a->Color()->Color(), (TColorVector{1, 0, 0, 1}));
  EXPECT_EQ(b->Color()->Color(), (TColorVector{0, 1, 0, 1})) << "set apart: stays green";

  line_->ClearStructureFlag();
  line_->Nodes()->BeginUpdate();
  a->SetX(5);
  EXPECT_TRUE(line_->Changes().Contains(ocStructure)) << "a line's nodes rebuild it even inside an update";
  line_->Nodes()->EndUpdate();

  line_->SetNodeSize(-2);
  EXPECT_EQ(line_->NodeSize(), 1);
  EXPECT_EQ(line_->AxisAlignedDimensions(), (TVector{5, 0, 0, 0}));

  TComponent notALine(nullptr);
  TGLNodes foreign(&notALine, TCollection::ItemsOf<TGLLinesNode>());
  EXPECT_THROW(foreign.Add(), EInvalidCast);
}

TEST_F(Lines, EachNodeGetsItsMarker) {
  line_->Nodes()->AddNode(0, 0, 0);
  line_->Nodes()->AddNode(1, 0, 0);
  line_->SetNodesAspect(lnaCube);
  std::vector<std::string> calls = Build();
  EXPECT_EQ(Only(calls, "glPushAttrib"), (std::vector<std::string>{"(24645)", "(8192)", "(24645)", "(24645)"}))
      << "the line style, then the markers' bracket around two wireframes";
  EXPECT_EQ(Only(calls, "glTranslatef"), (std::vector<std::string>{"(0,0,0)", "(1,0,0)"}));
  line_->SetNodesAspect(lnaDodecahedron);
  line_->SetNodeSize(2);
  calls = Build();
  EXPECT_EQ(Only(calls, "glBegin").size(), 1u + 2 * 12) << "the strip and two dodecahedra";
  EXPECT_EQ(Only(calls, "glScalef"), (std::vector<std::string>{"(2,2,2)", "(0.3,0.3,0.3)", "(2,2,2)", "(0.3,0.3,0.3)"}));
}

}  // namespace
