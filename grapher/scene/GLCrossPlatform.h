// Platform calls the scene library needs outside a rendering context, and
// the form of its consistency checks.
#pragma once

#include "framework/core/SysUtils.h"

#include <windows.h>

#include <cstdint>

namespace kx {

// Consistency check of the library: raises EAssertionFailed naming the
// module and the line, in every build.
#define KX_SCENE_ASSERT(condition, module) ::kx::Assert((condition), #condition, module, __LINE__)

// Bits per pixel times colour planes of the screen.
int GetCurrentColorDepth();
int GetDeviceLogicalPixelsX(HDC device);
void QueryPerformanceCounter(int64_t& value);
void QueryPerformanceFrequency(int64_t& value);

}  // namespace kx
