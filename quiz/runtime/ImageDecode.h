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
// picture of a known kind, damaged, or too large. A GIF gives its first frame.
Image DecodeImage(std::string_view bytes);

Image DecodePng(std::string_view bytes);
Image DecodeJpeg(std::string_view bytes);
Image DecodeGif(std::string_view bytes);

}  // namespace tq
