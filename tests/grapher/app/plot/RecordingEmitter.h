// An emitter that keeps what the 2D drawing emits, primitive by primitive,
// with the colour, line width and point size each was drawn with.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/plot/MainU_Emitter.h"

namespace kx {

struct TRecordedPrimitive {
  TPrimitive Kind;
  TColorVector Color;
  float LineWidth, PointSize;
  std::vector<std::pair<double, double>> Vertices;
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
    Primitives.push_back({primitive, color_, lineWidth_, pointSize_, {}});
  }
  void Vertex(double x, double y) override {
    ASSERT_TRUE(open_) << "vertex outside a primitive";
    Primitives.back().Vertices.emplace_back(x, y);
  }
  void End() override {
    EXPECT_TRUE(open_) << "primitive ended that was not begun";
    open_ = false;
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

 private:
  bool open_ = false;
  TColorVector color_{0, 0, 0, 1};
  float lineWidth_ = 1, pointSize_ = 1;
};

}  // namespace kx
