#include "scene/GLCrossPlatform.h"

namespace kx {

int GetCurrentColorDepth() {
  HDC screen = GetDC(nullptr);
  const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  return depth;
}

int GetDeviceLogicalPixelsX(HDC device) { return GetDeviceCaps(device, LOGPIXELSX); }

void QueryPerformanceCounter(int64_t& value) {
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  value = counter.QuadPart;
}

void QueryPerformanceFrequency(int64_t& value) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  value = frequency.QuadPart;
}

}  // namespace kx
