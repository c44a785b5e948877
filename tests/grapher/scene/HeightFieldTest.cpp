// The height field through the recorder: its strips, normals, colours and
// triangle count, and a sample loop that stays inside its rows.
#include "SceneFixture.h"
#include "scene/GLGraph.h"
#include "scene/XOpenGL.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace kx;

namespace {

class HeightFields : public NodeBuildTest {
 protected:
  HeightFields() : field_(new THeightField(&owner_)) {}
  void SetRange(TGLSamplingScale* scale, float min, float max, float step) {
    scale->SetMin(min);
    scale->SetMax(max);
    scale->SetOrigin(min);
    scale->SetStep(step);
  }
  std::vector<std::string> Build() { return NodeBuildTest::Build(*field_); }
  // The number of vertices of each strip.
  static std::vector<int> Strips(const std::vector<std::string>& calls) {
    std::vector<int> strips;
    for (const std::string& call : calls) {
      if (call == "glBegin(5)") strips.push_back(0);  // GL_TRIANGLE_STRIP
      if (call.rfind("glVertex4f(", 0) == 0) ++strips.back();
    }
    return strips;
  }
  THeightField* field_;
};

TEST_F(HeightFields, AnEmptyRangeDrawsNothing) {
  EXPECT_EQ(Count(Build(), "glBegin"), 0);
  EXPECT_EQ(field_->TriangleCount(), 0);
}

TEST_F(HeightFields, TwentyOneRowsOfTwentySamplesMake760Triangles) {
  SetRange(field_->XSamplingScale(), -5, 5, 0.5f);
  SetRange(field_->YSamplingScale(), -5, 5, 0.5f);
  const std::vector<std::string> calls = Build();
  const std::vector<int> strips = Strips(calls);
  ASSERT_EQ(strips.size(), 20u);
  for (int strip : strips) EXPECT_EQ(strip, 40);
  EXPECT_EQ(field_->TriangleCount(), 760);
  // Two-sided: culling off and the material's polygon mode, inside one attribute push.
  EXPECT_EQ(calls.front(), "glPushAttrib(8192)");
  EXPECT_EQ(Count(calls, "glDisable(2884)"), 1);
  EXPECT_EQ(Count(calls, "glPolygonMode(1032,6914)"), 1);
  EXPECT_EQ(calls.back(), "glPopAttrib()");
  EXPECT_EQ(Count(calls, "glColor4fv"), 0) << "no colour mode: the material's colours apply";
  EXPECT_EQ(Count(calls, "glTexCoord2fv"), 0);
}

TEST_F(HeightFields, TheDefaultIsARippleAndAnEventReplacesIt) {
  float z = 0;
  TVector color{};
  TTexPoint point{};
  THeightField::DefaultHeight(0, 0, z, color, point);
  EXPECT_FLOAT_EQ(z, 0.5f);
  THeightField::DefaultHeight(1, 0, z, color, point);
  EXPECT_FLOAT_EQ(z, float(std::cos(12.0L) / 14.56L));

  SetRange(field_->XSamplingScale(), 0, 2, 1);  // x 0, 1
  SetRange(field_->YSamplingScale(), 0, 1, 1);  // y 0, 1
  field_->SetOnGetHeight(THeightFieldGetHeightEvent([](float x, float y, float& h, TVector& c, TTexPoint&) {
    h = 2 * x + y;
    c = {1, 0, 0, 1};
  }));
  field_->SetColorMode(hfcmDiffuse);
  field_->SetOptions({hfoTextureCoordinates});
  const std::vector<std::string> calls = Build();
  // Row y = 0 then y = 1: the strip issues B[0], A[0], B[1], A[1].
  std::vector<std::string> vertices;
  for (const std::string& call : calls)
    if (call.rfind("glVertex4f", 0) == 0) vertices.push_back(call);
  EXPECT_EQ(vertices, (std::vector<std::string>{"glVertex4f(0,1,1,1)", "glVertex4f(0,0,0,1)", "glVertex4f(1,1,3,1)",
                                                "glVertex4f(1,0,2,1)"}));
  EXPECT_EQ(Count(calls, "glColorMaterial(1032,4609)"), 1);  // GL_DIFFUSE
  EXPECT_EQ(Count(calls, "glColor4fv"), 4);
  EXPECT_EQ(Count(calls, "glTexCoord2fv"), 4);
  EXPECT_EQ(Count(calls, "glDisable(2884)"), 0) << "one-sided: culling stays";
  EXPECT_EQ(field_->TriangleCount(), 2);
}

TEST_F(HeightFields, OneRowDrawsNothing) {
  SetRange(field_->XSamplingScale(), -1, 1, 0.5f);
  SetRange(field_->YSamplingScale(), 0, 0.25f, 0.5f);
  EXPECT_EQ(Count(Build(), "glBegin"), 0);
  EXPECT_EQ(field_->TriangleCount(), 0);
}

TEST_F(HeightFields, TheSampleLoopStopsAtTheEndOfItsRow) {
  // Far from 0 a single cannot hold this step: every sum falls a little
  // short, so the accumulated samples outnumber what MaxStepCount promises.
  const float min = 1000, max = 1002, step = 0.003f;
  SetRange(field_->XSamplingScale(), min, max, step);
  SetRange(field_->YSamplingScale(), 0, step, step);
  int accumulated = 0;
  for (float x = field_->XSamplingScale()->StepBase(); x < max; x = Single(static_cast<long double>(x) + step))
    ++accumulated;
  const int rowLength = field_->XSamplingScale()->MaxStepCount() + 1;
  ASSERT_GT(accumulated, rowLength) << "the case must outrun the row";
  const std::vector<int> strips = Strips(Build());
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0], 2 * rowLength);
}

TEST_F(HeightFields, AHugeSampleCountIsCapped) {
  SetRange(field_->XSamplingScale(), 0, 1000, 0.001f);
  SetRange(field_->YSamplingScale(), 0, 0.001f, 0.001f);
  const std::vector<int> strips = Strips(Build());
  ASSERT_EQ(strips.size(), 1u);
  EXPECT_EQ(strips[0], 2 * kMaxHeightFieldSamples);
}

}  // namespace
