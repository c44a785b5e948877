// The display options below the viewer as the renderers and the navigation
// read them: the check states of the option boxes and of the style buttons.
#pragma once

namespace kx {

struct TDisplayOptions {
  bool ShowNum = true;     // cbShowNum: numbers on the 2D axes
  bool BkGround = true;    // cbBkGround: 2D white background with black axes
  bool ShowLine = true;    // cbShowLine: 2D tick marks, 3D axis arrows
  bool ShowGrid = true;    // cbShowGrid: 2D grid lines, 3D grids
  bool PointMode = false;  // raKDiem: 2D curves as points (3D wire frames)
};

}  // namespace kx
