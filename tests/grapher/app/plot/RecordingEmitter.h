// An emitter that keeps what the drawing emits, primitive by primitive, with
// the colour, line width, point size and space style each was drawn with.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "app/plot/MainU_Emitter.h"

namespace kx {

struct TRecordedPrimitive {
  TPrimitive Kind;
  TColorVector Color;
  float LineWidth, PointSize;
  std::vector<std::pair<double, double>> Vertices;
  std::optional<TSpaceStyle> Style;
  // Space vertices, each with the normal current when it was emitted.
  std::vector<std::array<double, 3>> Vertices3;
  std::vector<std::array<float, 3>> Normals;
};

class TRecordingEmitter : public TEmitter {
 public:
  void SetColor(const TColorVector& color) override {
    EXPECT_FALSE(open_) << "colour set inside a primitive";
    color_ = color;
  }
  void SetLineWidth(float width) override {
    EXPECT_FALSE(open_) << "line width set inside a primitive";
    lineWidth_ = width;
  }
  void SetPointSize(float size) override {
    EXPECT_FALSE(open_) << "point size set inside a primitive";
    pointSize_ = size;
  }
  void Begin(TPrimitive primitive) override {
    EXPECT_FALSE(open_) << "primitive begun inside another";
    open_ = true;
    Primitives.push_back({primitive, color_, lineWidth_, pointSize_, {}, style_, {}, {}});
  }
  void Vertex(double x, double y) override {
    ASSERT_TRUE(open_) << "vertex outside a primitive";
    Primitives.back().Vertices.emplace_back(x, y);
  }
  void End() override {
    EXPECT_TRUE(open_) << "primitive ended that was not begun";
    open_ = false;
  }
  void BeginSpaceStyle(TSpaceStyle style) override {
    EXPECT_FALSE(open_) << "style begun inside a primitive";
    EXPECT_FALSE(style_) << "style begun inside another";
    style_ = style;
    ++Styles;
  }
  void EndSpaceStyle() override {
    EXPECT_FALSE(open_) << "style ended inside a primitive";
    EXPECT_TRUE(style_) << "style ended that was not begun";
    style_.reset();
  }
  void Normal(float x, float y, float z) override { normal_ = {x, y, z}; }
  void Vertex3(double x, double y, double z) override {
    ASSERT_TRUE(open_) << "vertex outside a primitive";
    Primitives.back().Vertices3.push_back({x, y, z});
    Primitives.back().Normals.push_back(normal_);
  }

  bool Open() const { return open_; }
  void Clear() { Primitives.clear(); }
  // The primitives of one kind, in order.
  std::vector<TRecordedPrimitive> Of(TPrimitive kind) const {
    std::vector<TRecordedPrimitive> found;
    for (const TRecordedPrimitive& p : Primitives)
      if (p.Kind == kind) found.push_back(p);
    return found;
  }

  std::vector<TRecordedPrimitive> Primitives;
  // Styles begun.
  int Styles = 0;

 private:
  bool open_ = false;
  TColorVector color_{0, 0, 0, 1};
  float lineWidth_ = 1, pointSize_ = 1;
  std::optional<TSpaceStyle> style_;
  std::array<float, 3> normal_{0, 0, 1};
};

}  // namespace kx
