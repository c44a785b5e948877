// The dummy cube, the plane and the sprite through the recorder, and the
// plane's ray casts.
#include "SceneFixture.h"
#include "scene/GLObjectsFlat.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kx;

namespace {

using Flat = NodeBuildTest;

void APIENTRY IdentityModelView(GLenum, GLfloat* values) {
  for (int i = 0; i < 16; ++i) values[i] = i % 5 == 0 ? 1.0f : 0.0f;
}

TEST_F(Flat, ADummyCubeDrawsItsWireframeOnlyWhenAskedTo) {
  TDummyCube cube(&owner_);
  EXPECT_TRUE(Build(cube).empty()) << "invisible at run time";
  cube.SetVisibleAtRunTime(true);
  cube.SetCubeSize(2);
  const std::vector<std::string> calls = Build(cube);
  EXPECT_EQ(calls.front(), "glPushAttrib(24645)");
  EXPECT_EQ(calls.back(), "glPopAttrib()");
  EXPECT_EQ(Only(calls, "glLineStipple"), std::vector<std::string>{"(1,52428)"});
  EXPECT_EQ(Only(calls, "glVertex3f").size(), 16u) << "a strip of ten and three lines: twelve edges";
  EXPECT_EQ(Only(calls, "glVertex3f").front(), "(1,-1,-1)");

  for (float x : {0.0f, 1.0f, 5.0f}) cube.AddNewChild<TDummyCube>()->Position()->SetX(x);
  EXPECT_EQ(cube.BarycenterAbsolutePosition()[0], 2);
  EXPECT_FALSE(cube.RayCastIntersect({0, 0, 5, 1}, {0, 0, -1, 0}));
}

TEST_F(Flat, APlaneIsOneQuadOrAGridOfStrips) {
  TPlane plane(&owner_);
  plane.SetWidth(2);
  std::vector<std::string> calls = Build(plane);
  EXPECT_EQ(Only(calls, "glVertex2f"), (std::vector<std::string>{"(1,0.5)", "(-1,0.5)", "(-1,-0.5)", "(1,-0.5)"}));
  EXPECT_EQ(Only(calls, "glTexCoord2f"), (std::vector<std::string>{"(1,1)", "(0,1)", "(0,0)", "(1,0)"}));
  plane.SetXTiles(3);
  plane.SetXOffset(0.5f);
  EXPECT_EQ(Only(Build(plane), "glTexCoord2f"),
            (std::vector<std::string>{"(3.5,1)", "(0.5,1)", "(0.5,0)", "(3.5,0)"}));

  plane.SetStyle({psTileTexture});
  plane.SetXTiles(2);
  plane.SetYTiles(2);
  calls = Build(plane);
  EXPECT_EQ(Only(calls, "glBegin"), (std::vector<std::string>{"(5)", "(5)"}));  // two triangle strips
  EXPECT_EQ(Only(calls, "glVertex2f").size(), 12u) << "three vertex pairs each";
  EXPECT_EQ(Only(calls, "glVertex2f")[0], "(-1,0)");
  plane.SetYTiles(0);
  EXPECT_TRUE(Only(Build(plane), "glBegin").empty());
}

TEST_F(Flat, APlaneIsHitFromEitherSideWithinItsSides) {
  TPlane plane(&owner_);
  TVector point{}, normal{};
  EXPECT_TRUE(plane.RayCastIntersect({0, 0, 5, 1}, {0, 0, -1, 0}, &point, &normal));
  EXPECT_EQ(normal, (TVector{0, 0, 1, 0}));
  EXPECT_EQ(point, (TVector{0, 0, 0, 1}));
  EXPECT_TRUE(plane.RayCastIntersect({0.2f, 0.1f, -5, 1}, {0, 0, 1, 0}, &point, &normal));
  EXPECT_EQ(normal, (TVector{-0.0f, -0.0f, -1, 0}));
  EXPECT_EQ(point, (TVector{0.2f, 0.1f, 0, 1}));
  EXPECT_FALSE(plane.RayCastIntersect({0.6f, 0, 5, 1}, {0, 0, -1, 0})) << "beside it";
  EXPECT_FALSE(plane.RayCastIntersect({0, 0, 5, 1}, {0, 0, 1, 0})) << "away from it";
  EXPECT_FALSE(plane.RayCastIntersect({0, 0, 5, 1}, {1, 0, 0, 0})) << "parallel to it";
}

TEST_F(Flat, ASpriteFacesTheScreenAndTurnsInIt) {
  GL.glGetFloatv = &IdentityModelView;
  TSprite sprite(&owner_);
  EXPECT_EQ(Only(Build(sprite), "glVertex3f"),
            (std::vector<std::string>{"(0.5,0.5,0)", "(-0.5,0.5,0)", "(-0.5,-0.5,-0)", "(0.5,-0.5,0)"}));
  sprite.SetRotation(90);
  const std::vector<std::string> turned = Only(Build(sprite), "glVertex3f");
  ASSERT_EQ(turned.size(), 4u);
  EXPECT_EQ(turned[0], "(-0.5,0.5,0)") << "the texture's (1, 1) corner at -vx + vy";
  sprite.SetAlphaChannel(1.5f);
  EXPECT_EQ(sprite.AlphaChannel(), 1);
  sprite.SetAlphaChannel(-1);
  EXPECT_EQ(sprite.AlphaChannel(), 0);
  sprite.SetNoZWrite(true);
  const std::vector<std::string> calls = Build(sprite);
  EXPECT_EQ(Only(calls, "glDepthMask"), (std::vector<std::string>{"(0)", "(1)"}));
}

}  // namespace
