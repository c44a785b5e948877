// Axis-aligned bounding boxes: a scene node computes its box through these.
#pragma once

#include "scene/Geometry.h"

namespace kx {

struct TAABB {
  TAffineVector Min{0, 0, 0};
  TAffineVector Max{0, 0, 0};
};

// Grows `box` to hold `other` as well.
void AddAABB(TAABB& box, const TAABB& other);
// A box centred on the origin with the given half sides (signs ignored).
void SetAABBFromHalfExtents(TAABB& box, const TAffineVector& extents);
void IncludePointInAABB(TAABB& box, const TAffineVector& point);
// The box of the eight corners, each transformed as a point.
void AABBTransform(TAABB& box, const TMatrix& matrix);

}  // namespace kx
