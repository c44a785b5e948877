// The test screen's own marks of a graded question: a blue tick for a right
// answer, a red cross for a wrong one.
#pragma once

#include <windows.h>

namespace frmLamTN {

// A tick of 46 x 47 pixels, or a cross of 38 x 39, over `back`; the caller
// owns the bitmap.
HBITMAP MarkPicture(bool right, COLORREF back);

}  // namespace frmLamTN
