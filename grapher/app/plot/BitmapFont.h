// The grapher's own bitmap font for the numbers and names on the 2D axes,
// drawn as GL points through an emitter, so that the plot's text looks the
// same on every machine and in every exported picture, at any size.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/plot/MainU_Emitter.h"

namespace kx {

// 256 glyphs by character code (TCVN3), 16 rows each, top row first, the most
// significant bit the leftmost pixel, then one advance width per code (0 for
// code 0, otherwise 1 to 8). No glyph has ink beyond its width.
struct TBitmapFont {
  static constexpr int Rows = 16;
  uint8_t Glyphs[256][Rows];
  uint8_t Widths[256];
};
static_assert(sizeof(TBitmapFont) == 256 * 16 + 256);

const TBitmapFont& BitmapFont();

// One point list: each inked pixel of each character at (pen + column,
// y + row); the pen starts at x and moves by the width plus spacing.
void DrawBitmapText(TEmitter& emitter, std::string_view text, int spacing, double x, double y);
// The sum of width + spacing over the characters, minus 1.
int BitmapTextWidth(std::string_view text, int spacing);

}  // namespace kx
