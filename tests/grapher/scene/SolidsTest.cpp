// The torus and the dodecahedron through the recorder, and the torus's
// exact ray cast.
#include "SceneFixture.h"
#include "scene/GLObjectsSolids.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace kx;

namespace {

using Solids = NodeBuildTest;

TEST_F(Solids, ADefaultTorusIs25StripsOf16PairsAroundItsCentreCircle) {
  TTorus torus(&owner_);
  const std::vector<std::string> calls = Build(torus);
  std::vector<int> strips;
  for (const std::string& call : calls) {
    if (call == "glBegin(8)") strips.push_back(0);  // GL_QUAD_STRIP
    if (call.rfind("glVertex3f(", 0) == 0) ++strips.back();
  }
  ASSERT_EQ(strips.size(), 25u);
  for (int strip : strips) EXPECT_EQ(strip, 32);

  // With an even number of sides both equators are sampled, in the XY plane.
  torus.SetSides(16);
  double nearest = 1e9, farthest = 0;
  for (const std::string& call : Build(torus)) {
    float x, y, z;
    if (std::sscanf(call.c_str(), "glVertex3f(%f,%f,%f)", &x, &y, &z) == 3 && std::fabs(z) < 1e-6f) {
      nearest = std::min(nearest, std::hypot(double(x), double(y)));
      farthest = std::max(farthest, std::hypot(double(x), double(y)));
    }
  }
  EXPECT_NEAR(farthest, 0.5, 1e-5) << "the outer equator";
  EXPECT_NEAR(nearest, 0.3, 1e-5) << "the inner equator";

  torus.SetRings(1);
  torus.SetSides(0);
  EXPECT_EQ(torus.Rings(), 2u);
  EXPECT_EQ(torus.Sides(), 3u);
}

TEST_F(Solids, ATorusIsHitWhereTheRayFirstMeetsItsTube) {
  TTorus torus(&owner_);
  TVector point{}, normal{};
  ASSERT_TRUE(torus.RayCastIntersect({-2, 0, 0, 1}, {1, 0, 0, 0}, &point, &normal));
  EXPECT_NEAR(point[0], -0.5f, 1e-3f);
  EXPECT_NEAR(point[1], 0, 1e-3f);
  EXPECT_NEAR(point[2], 0, 1e-3f);
  EXPECT_LT(normal[0], 0) << "pointing to -X";
  EXPECT_NEAR(normal[1], 0, 1e-3f);
  // From inside the hole, along +X: the inner wall at 0.3.
  ASSERT_TRUE(torus.RayCastIntersect({0, 0, 0, 1}, {1, 0, 0, 0}, &point));
  EXPECT_NEAR(point[0], 0.3f, 1e-3f);
  // Along X a little above the equator: the tube at -(0.4 + sqrt(0.01 - 0.0025)).
  ASSERT_TRUE(torus.RayCastIntersect({-2, 0, 0.05f, 1}, {1, 0, 0, 0}, &point));
  EXPECT_NEAR(point[0], -(0.4 + std::sqrt(0.0075)), 1e-3);
  EXPECT_FALSE(torus.RayCastIntersect({2, 0, 0, 1}, {1, 0, 0, 0})) << "beyond it, pointing away";
  EXPECT_FALSE(torus.RayCastIntersect({0, 0, 5, 1}, {0, 0, -1, 0})) << "through the hole";
  EXPECT_FALSE(torus.RayCastIntersect({-2, 0, 0.2f, 1}, {1, 0, 0, 0})) << "grazing above it";
}

std::vector<TAffineVector> Normals;
void APIENTRY KeepNormal(const GLfloat* n) {
  TGLRecorder::current_->Record("glNormal3fv", "");
  Normals.push_back({n[0], n[1], n[2]});
}

TEST_F(Solids, ADodecahedronIsTwelveFansWithOutwardNormals) {
  GL.glNormal3fv = &KeepNormal;
  Normals.clear();
  TDodecahedron solid(&owner_);
  const std::vector<std::string> calls = Build(solid);
  EXPECT_EQ(recorder.Count("glBegin"), 12);
  EXPECT_EQ(recorder.Count("glVertex3fv"), 60);
  EXPECT_EQ(recorder.CallsTo("glScalef"), std::vector<std::string>{"glScalef(0.3,0.3,0.3)"});
  ASSERT_EQ(Normals.size(), 12u);
  EXPECT_NEAR(Normals[0][0], -0.526f, 1e-3f);
  EXPECT_NEAR(Normals[0][1], 0, 1e-6f);
  EXPECT_NEAR(Normals[0][2], 0.851f, 1e-3f);
}

}  // namespace
