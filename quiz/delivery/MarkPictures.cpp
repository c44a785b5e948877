#include "delivery/MarkPictures.h"

#include <cstdint>

namespace frmLamTN {

namespace {

// Drawn this many times larger, then averaged down, for smooth edges.
constexpr int kScale = 4;

struct Dib {
  HBITMAP bitmap = nullptr;
  uint32_t* bits = nullptr;
};

Dib MakeDib(HDC dc, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Dib dib;
  void* bits = nullptr;
  dib.bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dib.bits = static_cast<uint32_t*>(bits);
  return dib;
}

}  // namespace

HBITMAP MarkPicture(bool right, COLORREF back) {
  const int width = right ? 46 : 38;
  const int height = right ? 47 : 39;
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return nullptr;
  Dib large = MakeDib(dc, width * kScale, height * kScale);
  Dib small = MakeDib(dc, width, height);
  if (!large.bitmap || !small.bitmap) {
    if (large.bitmap) DeleteObject(large.bitmap);
    if (small.bitmap) DeleteObject(small.bitmap);
    DeleteDC(dc);
    return nullptr;
  }

  HGDIOBJ oldBitmap = SelectObject(dc, large.bitmap);
  HBRUSH backBrush = CreateSolidBrush(back);
  RECT all{0, 0, width * kScale, height * kScale};
  FillRect(dc, &all, backBrush);
  DeleteObject(backBrush);
  LOGBRUSH ink{BS_SOLID, right ? RGB(25, 80, 215) : RGB(215, 30, 30), 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, (right ? 7 : 6) * kScale, &ink, 0,
                          nullptr);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  auto at = [](int x, int y) { return POINT{x * kScale, y * kScale}; };
  if (right) {
    const POINT tick[] = {at(7, 25), at(18, 37), at(39, 9)};
    Polyline(dc, tick, 3);
  } else {
    const POINT down[] = {at(8, 8), at(30, 31)};
    const POINT up[] = {at(30, 8), at(8, 31)};
    Polyline(dc, down, 2);
    Polyline(dc, up, 2);
  }
  SelectObject(dc, oldPen);
  DeleteObject(pen);
  SelectObject(dc, oldBitmap);
  GdiFlush();

  // Each pixel the mean of its kScale x kScale block.
  const int largeWidth = width * kScale;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int dy = 0; dy < kScale; ++dy) {
        for (int dx = 0; dx < kScale; ++dx) {
          const uint32_t p = large.bits[(y * kScale + dy) * largeWidth + x * kScale + dx];
          for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
        }
      }
      constexpr uint32_t n = kScale * kScale;
      small.bits[y * width + x] = (sum[0] / n) | ((sum[1] / n) << 8) | ((sum[2] / n) << 16);
    }
  }
  DeleteObject(large.bitmap);
  DeleteDC(dc);
  return small.bitmap;
}

}  // namespace frmLamTN
