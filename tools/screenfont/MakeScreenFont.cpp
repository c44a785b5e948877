// Build-time generator of the grapher's screen font "kurvex.fon" (face
// "Kurvexsans"): renders a free outline font without anti-aliasing and puts
// each glyph at its TCVN3 code, so TCVN3 bytes drawn through ANSI calls show
// as Vietnamese letters. Bytes that are no TCVN3 letter keep their Windows-1252
// character, except 0x81 (unassigned there), which holds the membership sign
// of the formula help.
//
//   MakeScreenFont <outline font> <pixel size> <out .fon> <out glyph listing>
//
// The glyph listing holds, per code point drawn, the cell as text rows; tests
// compare what Windows draws with it.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FontFile.h"
#include "framework/core/Tcvn3.h"

namespace {

// Windows-1252 for 0x80..0x9F; 0 where the code page leaves a byte unassigned.
constexpr char32_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0};

// The grapher's formula help writes "x \x81 [a,b]".
constexpr uint8_t kMembershipByte = 0x81;

char32_t CodePointOf(uint8_t byte) {
  if (byte == kMembershipByte) return 0x2208;
  if (char32_t letter = kx::Tcvn3ToCodePoint(byte); letter >= 0x80 && letter != 0xFFFD) return letter;
  if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

struct Rendered {
  int left = 0;  // first inked column relative to the pen
  int top = 0;   // rows above the baseline
  int width = 0;
  int rows = 0;
  int advance = 0;
  std::vector<uint8_t> ink;  // rows x width
};

class OutlineFont {
 public:
  OutlineFont(const std::string& path, int pixelSize) {
    if (FT_Init_FreeType(&library_)) throw std::runtime_error("FreeType does not start");
    if (FT_New_Face(library_, path.c_str(), 0, &face_))
      throw std::runtime_error("cannot read the outline font " + path);
    if (FT_Set_Pixel_Sizes(face_, 0, pixelSize)) throw std::runtime_error("bad pixel size");
  }
  ~OutlineFont() {
    if (face_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  OutlineFont(const OutlineFont&) = delete;
  OutlineFont& operator=(const OutlineFont&) = delete;

  bool Has(char32_t cp) const { return FT_Get_Char_Index(face_, cp) != 0; }

  Rendered Render(char32_t cp) const {
    if (FT_Load_Char(face_, cp, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME))
      throw std::runtime_error("cannot render U+" + Hex(cp));
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bm = slot->bitmap;
    Rendered r;
    r.left = slot->bitmap_left;
    r.top = slot->bitmap_top;
    r.width = static_cast<int>(bm.width);
    r.rows = static_cast<int>(bm.rows);
    r.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    r.ink.resize(static_cast<size_t>(r.width) * r.rows);
    for (int y = 0; y < r.rows; ++y)
      for (int x = 0; x < r.width; ++x)
        r.ink[static_cast<size_t>(y) * r.width + x] = (bm.buffer[y * bm.pitch + x / 8] >> (7 - x % 8)) & 1;
    return r;
  }

  static std::string Hex(char32_t cp) {
    char text[16];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(cp));
    return text;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
};

void WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

int Run(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s <outline font> <pixel size> <out.fon> <out glyph listing>\n", argv[0]);
    return 2;
  }
  const int pixelSize = std::stoi(argv[2]);
  OutlineFont outline(argv[1], pixelSize);

  screenfont::FontDescription font;
  font.face = "Kurvexsans";
  font.copyright = "Generated from DejaVu Sans (free license)";
  font.firstChar = 0x20;
  font.defaultChar = '?';
  font.breakChar = ' ';

  std::vector<char32_t> codes;
  std::vector<Rendered> cells;
  for (int byte = font.firstChar; byte <= 0xFF; ++byte) {
    char32_t cp = CodePointOf(static_cast<uint8_t>(byte));
    if (cp == 0 || !outline.Has(cp)) {
      if ((cp >= 0x80 && kx::Tcvn3ToCodePoint(static_cast<unsigned char>(byte)) == cp) || byte == kMembershipByte)
        throw std::runtime_error("the outline font lacks U+" + OutlineFont::Hex(cp));
      cp = '?';
    }
    codes.push_back(cp);
    cells.push_back(outline.Render(cp));
  }

  // One cell height for all glyphs: Vietnamese letters stack two marks.
  int ascent = 0, descent = 0;
  for (const Rendered& r : cells) {
    ascent = std::max(ascent, r.top);
    descent = std::max(descent, r.rows - r.top);
  }
  font.ascent = ascent;
  font.height = ascent + descent;
  font.internalLeading = std::max(0, font.height - pixelSize);

  std::vector<screenfont::Glyph> glyphs;
  std::string listing;
  for (size_t i = 0; i < cells.size(); ++i) {
    const Rendered& r = cells[i];
    // Ink left of the pen or right of the advance widens the cell.
    const int shift = std::max(0, -r.left);
    screenfont::Glyph g;
    g.width = std::max({1, r.advance + shift, shift + r.left + r.width});
    g.ink.assign(static_cast<size_t>(g.width) * font.height, 0);
    for (int y = 0; y < r.rows; ++y)
      for (int x = 0; x < r.width; ++x)
        if (r.ink[static_cast<size_t>(y) * r.width + x])
          g.ink[static_cast<size_t>(ascent - r.top + y) * g.width + shift + r.left + x] = 1;

    listing += "U+" + OutlineFont::Hex(codes[i]) + " " + std::to_string(g.width) + "\n";
    for (int y = 0; y < font.height; ++y) {
      for (int x = 0; x < g.width; ++x) listing += g.ink[static_cast<size_t>(y) * g.width + x] ? '#' : '.';
      listing += '\n';
    }
    glyphs.push_back(std::move(g));
  }

  const std::vector<uint8_t> fnt = screenfont::BuildFnt(font, glyphs);
  WriteFile(argv[3], screenfont::BuildFon(font, fnt));
  WriteFile(argv[4], std::vector<uint8_t>(listing.begin(), listing.end()));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "MakeScreenFont: %s\n", e.what());
    return 1;
  }
}
