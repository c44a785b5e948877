// Windows bitmap (.bmp) and icon (.ico) files of the skin pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "Raster.h"

namespace skinpictures {

// 24 bits per pixel.
std::vector<uint8_t> Bmp24(const Image& image);
// 4 or 1 bits per pixel over the given palette (16 or 2 colours); throws
// std::runtime_error for a pixel whose colour is not in it.
std::vector<uint8_t> BmpIndexed(const Image& image, const std::vector<Rgb>& palette);

// One image of an icon: its colours and their opacity.
struct IconImage {
  Image colors;
  std::vector<uint8_t> alpha;  // row-major, colors.Width() x colors.Height(); 0 is not drawn
};
// An icon file of 32-bit images with their AND masks.
std::vector<uint8_t> IconFile(const std::vector<IconImage>& images);

// The 16 colours of the standard palette of 4-bit pictures.
const std::vector<Rgb>& StandardPalette16();

}  // namespace skinpictures
