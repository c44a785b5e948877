// Text and colours as the grapher's windows draw them, for tests that compare
// a window's pixels with the same text drawn by hand in the expected font.
#pragma once

#include <string>

#include "TestSupport.h"
#include "framework/windows/Graphics.h"

namespace testsupport {

// The text drawn in black on white with the font, as a picture of its exact
// extent.
Picture DrawnText(kx::TFont& font, const std::string& text);

// True when the ink of `text` (its black pixels) appears somewhere in `area`
// in the colour `ink` with exactly its shape.
bool ContainsText(const Picture& area, const Picture& text, unsigned ink = 0);

// A colour as a screenshot holds it (0x00RRGGBB).
unsigned OnScreen(kx::TColor color);

// How many pixels of `painted` differ from the picture's at `at` and beyond;
// every pixel of `painted` must lie inside the picture.
int DifferingPixels(const Picture& picture, POINT at, kx::TBitmap& painted);

}  // namespace testsupport
