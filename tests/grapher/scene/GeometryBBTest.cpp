#include "scene/GeometryBB.h"

#include <gtest/gtest.h>

using namespace kx;

namespace {

void ExpectBox(const TAABB& box, const TAffineVector& min, const TAffineVector& max) {
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(box.Min[i], min[i], 1e-6f) << "Min " << i;
    EXPECT_NEAR(box.Max[i], max[i], 1e-6f) << "Max " << i;
  }
}

TEST(GeometryBB, AddTakesTheComponentwiseHull) {
  TAABB box{{0, -1, 2}, {1, 0, 3}};
  AddAABB(box, TAABB{{-2, 0, 2.5f}, {0.5f, 4, 2.5f}});
  ExpectBox(box, {-2, -1, 2}, {1, 4, 3});
}

TEST(GeometryBB, HalfExtentsIgnoreSigns) {
  TAABB box;
  SetAABBFromHalfExtents(box, {-1, 2, -3});
  ExpectBox(box, {-1, -2, -3}, {1, 2, 3});
}

TEST(GeometryBB, IncludePointGrowsOnlyWhereThePointLiesOutside) {
  TAABB box{{0, 0, 0}, {1, 1, 1}};
  IncludePointInAABB(box, {0.5f, 2, -1});
  ExpectBox(box, {0, 0, -1}, {1, 2, 1});
  IncludePointInAABB(box, {0.5f, 0.5f, 0.5f});
  ExpectBox(box, {0, 0, -1}, {1, 2, 1});
}

TEST(GeometryBB, TransformBoundsTheEightCorners) {
  TAABB unit{{-1, -1, -1}, {1, 1, 1}};
  AABBTransform(unit, CreateRotationMatrix({0, 0, 1}, 1.5707964f));
  ExpectBox(unit, {-1, -1, -1}, {1, 1, 1});

  // A box off the origin, turned a quarter about Z and moved by 10 in x:
  // (x, y, z) goes to (10 - y, x, z).
  TAABB box{{1, 2, 3}, {2, 5, 4}};
  const TMatrix m{{{0, 1, 0, 0}, {-1, 0, 0, 0}, {0, 0, 1, 0}, {10, 0, 0, 1}}};
  AABBTransform(box, m);
  ExpectBox(box, {10 - 5, 1, 3}, {10 - 2, 2, 4});
}

}  // namespace
