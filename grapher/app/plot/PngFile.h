// PNG pictures of the view: a 24-bit bitmap as an 8-bit RGB PNG, top row
// first, written through a temporary file so that a failed save keeps the old
// file.
#pragma once

#include <string>

#include "framework/windows/Graphics.h"

namespace kx {

// The PNG file image of a 24-bit bitmap; EWriteError when libpng fails.
std::string EncodePng(TBitmap& bitmap);
// Encodes and writes over fileName only when complete; EWriteError or
// EFCreateError name the file on failure.
void SavePngFile(TBitmap& bitmap, const std::string& fileName);

}  // namespace kx
