#include "TextPictures.h"

#include <cstdint>

namespace testsupport {

Picture DrawnText(kx::TFont& font, const std::string& text) {
  kx::TBitmap b;
  b.SetPixelFormat(kx::pf32bit);
  b.Canvas()->SetFont(&font);
  const SIZE size = b.Canvas()->TextExtent(text);
  b.SetSize(size.cx, size.cy);
  b.Canvas()->Brush()->SetColor(kx::clWhite);
  b.Canvas()->FillRect(RECT{0, 0, size.cx, size.cy});
  b.Canvas()->Font()->SetColor(kx::clBlack);
  b.Canvas()->TextOut(0, 0, text);
  Picture picture;
  picture.width = size.cx;
  picture.height = size.cy;
  for (int y = 0; y < size.cy; ++y) {
    const auto* row = static_cast<const uint32_t*>(b.ScanLine(y));
    for (int x = 0; x < size.cx; ++x) picture.pixels.push_back(row[x] & 0xFFFFFF);
  }
  return picture;
}

bool ContainsText(const Picture& area, const Picture& text, unsigned ink) {
  for (int oy = 0; oy + text.height <= area.height; ++oy)
    for (int ox = 0; ox + text.width <= area.width; ++ox) {
      bool match = true;
      for (int y = 0; y < text.height && match; ++y)
        for (int x = 0; x < text.width && match; ++x)
          match = (text.At(x, y) == 0) == ((area.At(ox + x, oy + y) & 0xFFFFFF) == ink);
      if (match) return true;
    }
  return false;
}

unsigned OnScreen(kx::TColor color) {
  const kx::TColor c = kx::ColorToRGB(color);
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

int DifferingPixels(const Picture& picture, POINT at, kx::TBitmap& painted) {
  if (at.x < 0 || at.y < 0 || at.x + painted.Width() > picture.width || at.y + painted.Height() > picture.height)
    return painted.Width() * painted.Height();
  int differing = 0;
  for (int y = 0; y < painted.Height(); ++y)
    for (int x = 0; x < painted.Width(); ++x)
      differing += picture.At(at.x + x, at.y + y) != OnScreen(painted.Canvas()->Pixel(x, y));
  return differing;
}

}  // namespace testsupport
