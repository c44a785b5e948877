// The direction of every bar: the track, scroll and progress bars read it
// from their form resources by these names.
#pragma once

#include <cstdint>

#include "framework/core/Classes.h"

namespace kx {

enum TkvProgressBarOrientation : uint8_t { kvHorizontal, kvVertical };
KX_ENUM_NAMES(TkvProgressBarOrientation, "kvHorizontal", "kvVertical")

}  // namespace kx
