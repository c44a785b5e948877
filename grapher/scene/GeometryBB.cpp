#include "scene/GeometryBB.h"

#include <algorithm>
#include <cmath>

namespace kx {

void AddAABB(TAABB& box, const TAABB& other) {
  for (int i = 0; i < 3; ++i) {
    box.Min[i] = std::min(box.Min[i], other.Min[i]);
    box.Max[i] = std::max(box.Max[i], other.Max[i]);
  }
}

void SetAABBFromHalfExtents(TAABB& box, const TAffineVector& extents) {
  for (int i = 0; i < 3; ++i) {
    box.Max[i] = std::fabs(extents[i]);
    box.Min[i] = -box.Max[i];
  }
}

void IncludePointInAABB(TAABB& box, const TAffineVector& point) {
  for (int i = 0; i < 3; ++i) {
    if (point[i] < box.Min[i]) box.Min[i] = point[i];
    if (point[i] > box.Max[i]) box.Max[i] = point[i];
  }
}

void AABBTransform(TAABB& box, const TMatrix& matrix) {
  const TAABB source = box;
  for (int corner = 0; corner < 8; ++corner) {
    const TAffineVector point{(corner & 1) ? source.Max[0] : source.Min[0], (corner & 2) ? source.Max[1] : source.Min[1],
                              (corner & 4) ? source.Max[2] : source.Min[2]};
    const TAffineVector moved = VectorTransform(point, matrix);
    if (corner == 0)
      box.Min = box.Max = moved;
    else
      IncludePointInAABB(box, moved);
  }
}

}  // namespace kx
