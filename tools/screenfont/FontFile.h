// Writes a Windows bitmap font: one raster FNT (version 2.0) wrapped in the
// NE executable that AddFontResource expects of a ".fon" file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace screenfont {

// One character cell: `width` columns of `height` rows (the font's height),
// row-major, one byte per pixel (non-zero = ink).
struct Glyph {
  int width = 0;
  std::vector<uint8_t> ink;
};

struct FontDescription {
  std::string face;         // e.g. "Kurvexsans"
  std::string copyright;    // at most 59 characters are kept
  int height = 0;           // cell height in pixels
  int ascent = 0;           // baseline, in pixels from the cell top
  int internalLeading = 0;  // cell height minus the em height
  int charset = 0;          // 0 = ANSI
  uint8_t firstChar = 0x20;
  uint8_t defaultChar = '?';
  uint8_t breakChar = ' ';
};

// `glyphs` holds the cells from firstChar to 0xFF in order. Throws
// std::runtime_error when the font does not fit the format.
std::vector<uint8_t> BuildFnt(const FontDescription& font, const std::vector<Glyph>& glyphs);
std::vector<uint8_t> BuildFon(const FontDescription& font, const std::vector<uint8_t>& fnt);

}  // namespace screenfont
