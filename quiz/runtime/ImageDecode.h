// Pictures of pages decoded from memory (JPEG, GIF, PNG), so that no picture
// file stays open while a page is shown. Every decoder treats its bytes as
// untrusted: sizes are bounded and damaged data is refused.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tq {

// Top-down pixels as 0xAARRGGBB.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool Empty() const { return pixels.empty(); }
};

// Pictures over this many pixels are refused.
inline constexpr int64_t MaxImagePixels = 32ll << 20;

// Decodes by the data's own signature; an empty image when the bytes are no
// picture of a known kind, damaged, or over maxPixels (checked before the
// pixels are allocated). A GIF gives its first frame.
Image DecodeImage(std::string_view bytes, int64_t maxPixels = MaxImagePixels);

Image DecodePng(std::string_view bytes, int64_t maxPixels = MaxImagePixels);
Image DecodeJpeg(std::string_view bytes, int64_t maxPixels = MaxImagePixels);
// Every size the GIF declares, the frame's as well as the screen's, is held to
// the same bound.
Image DecodeGif(std::string_view bytes, int64_t maxPixels = MaxImagePixels);

}  // namespace tq
