// The cube and the frustum through the recorder: their quads, normals and
// texture coordinates, their setters and their raw-data properties.
#include "SceneFixture.h"
#include "framework/core/FormResources.h"
#include "scene/GLObjectsBoxes.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace kx;

namespace {

using Boxes = NodeBuildTest;

// The root of a stored scene, without windows.
class TBoxesRoot : public TComponent {
  KX_CLASS(TBoxesRoot, TComponent)
 public:
  using TComponent::TComponent;
};
KX_PUBLISH(TBoxesRoot) {}

TEST_F(Boxes, ACubeDrawsTheChosenFacesWithTheirNormals) {
  auto* cube = new TCube(&owner_);
  EXPECT_TRUE(cube->ObjectStyle().Contains(osNoDisplayList));
  std::vector<std::string> calls = Build(*cube);
  EXPECT_EQ(Only(calls, "glBegin"), std::vector<std::string>{"(7)"});  // one GL_QUADS batch
  EXPECT_EQ(Only(calls, "glNormal3f"),
            (std::vector<std::string>{"(0,0,1)", "(0,0,-1)", "(-1,0,0)", "(1,0,0)", "(0,1,0)", "(0,-1,0)"}));
  EXPECT_EQ(Only(calls, "glVertex3fv").size(), 24u);
  EXPECT_EQ(Only(calls, "glTexCoord2fv").size(), 24u);

  cube->SetParts({cpTop});
  cube->SetCubeWidth(4);
  calls = Build(*cube);
  EXPECT_EQ(Only(calls, "glNormal3f"), std::vector<std::string>{"(0,1,0)"});
  const std::vector<std::string> outward = Only(calls, "glVertex3fv");
  ASSERT_EQ(outward.size(), 4u);
  cube->SetNormalDirection(ndInside);
  calls = Build(*cube);
  EXPECT_EQ(Only(calls, "glNormal3f"), std::vector<std::string>{"(0,-1,0)"});
  EXPECT_EQ(Only(calls, "glVertex3fv"), outward) << "the same vertices, the same winding";

  cube->Scale()->SetX(3);
  EXPECT_EQ(cube->AxisAlignedDimensions(), (TVector{6, 0.5f, 0.5f, 0}));
}

TEST_F(Boxes, AFrustumsHeightNeverPassesItsApex) {
  TFrustrum frustum(&owner_);
  frustum.SetApexHeight(0.3f);
  EXPECT_EQ(frustum.Height(), 0.3f);
  frustum.SetHeight(2);
  EXPECT_EQ(frustum.ApexHeight(), 2);
  frustum.SetHeight(-1);
  frustum.SetBaseWidth(-1);
  EXPECT_EQ(frustum.Height(), 2);
  EXPECT_EQ(frustum.BaseWidth(), 1);
}

TEST_F(Boxes, AFrustumsSidesLeanLikeThePyramidsAndItsTopGoesAtTheApex) {
  TFrustrum frustum(&owner_);  // base 1 x 1, apex 1, cut at 0.5
  std::vector<std::string> calls = Build(frustum);
  const std::vector<std::string> normals = Only(calls, "glNormal3f");
  ASSERT_EQ(normals.size(), 6u);
  // The front face leans back by arctan(1 / 0.5): its normal is (0, cos, sin) of that angle.
  char front[64];
  const long double a = std::atan2(2.0L, 1.0L);
  snprintf(front, sizeof front, "(0,%g,%g)", double(float(std::cos(a))), double(float(std::sin(a))));
  EXPECT_EQ(normals[0], front);
  EXPECT_EQ(normals[4], "(0,1,0)");
  const std::vector<std::string> vertices = Only(calls, "glVertex3fv");
  ASSERT_EQ(vertices.size(), 24u);

  frustum.SetHeight(1);  // a pyramid: no top face, the upper corners meet at the apex
  calls = Build(frustum);
  EXPECT_EQ(Only(calls, "glNormal3f").size(), 5u);
  EXPECT_EQ(Only(calls, "glVertex3fv").size(), 20u);
}

TEST_F(Boxes, SizesAreStoredAsRawDataOnlyWhenTheyDifferFromTheDefaults) {
  RegisterClasses({&TBoxesRoot::StaticClass()});
  TBoxesRoot root(nullptr);
  auto* cube = new TCube(&root);
  cube->SetName("Cube");
  auto* frustum = new TFrustrum(&root);
  frustum->SetName("Frustum");
  std::string text = WriteComponentText(root);
  EXPECT_EQ(text.find("CubeSize"), std::string::npos) << text;
  EXPECT_EQ(text.find("FrustrumSize"), std::string::npos) << text;
  EXPECT_EQ(text.find("CubeWidth"), std::string::npos) << "the extents only as raw data";

  cube->SetCubeDepth(2);
  cube->SetParts({cpTop, cpFront});
  frustum->SetHeight(0.25f);
  text = WriteComponentText(root);
  // Singles 1.0, 1.0, 2.0 and 1.0, 1.0, 1.0, 0.25, little-endian (blanks and line breaks left out).
  std::string compact;
  for (char c : text)
    if (c != ' ' && c != '\r' && c != '\n') compact += c;
  EXPECT_NE(compact.find("CubeSize={0000803F0000803F00000040}"), std::string::npos) << text;
  EXPECT_NE(compact.find("FrustrumSize={0000803F0000803F0000803F0000803E}"), std::string::npos) << text;
  TBoxesRoot copy(nullptr);
  ReadComponentText(copy, text, "boxes.kxf");
  auto* cubeCopy = As<TCube>(copy.FindComponent("Cube"));
  EXPECT_EQ(cubeCopy->CubeDepth(), 2);
  EXPECT_EQ(cubeCopy->Parts(), (TCubeParts{cpTop, cpFront}));
  EXPECT_EQ(As<TFrustrum>(copy.FindComponent("Frustum"))->Height(), 0.25f);

  // A size of the wrong length is refused with its place.
  const std::string bad = "object Root: TBoxesRoot\n  object Cube: TCube\n    CubeSize = {0000803F}\n  end\nend\n";
  TBoxesRoot refused(nullptr);
  EXPECT_THROW(ReadComponentText(refused, bad, "bad.kxf"), Exception);
}

}  // namespace
