#include "app/plot/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "framework/core/Streams.h"

namespace kx {

namespace {

// libpng reports its errors by longjmp to the encoder below; nothing that
// runs between the jump and its target may own a C++ object.
struct TPngFailure {
  char Message[160];
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* failure = static_cast<TPngFailure*>(png_get_error_ptr(png));
  std::strncpy(failure->Message, message ? message : "unknown error", sizeof failure->Message - 1);
  failure->Message[sizeof failure->Message - 1] = '\0';
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t length) {
  bool appended = true;
  try {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
  } catch (...) {
    appended = false;
  }
  // The exception is over before the jump.
  if (!appended) png_error(png, "out of memory");
}

void OnPngFlush(png_structp) {}

// Runs libpng over the rows (blue, green, red in memory, as Windows stores
// them). Only plain data lives in this frame.
bool EncodeRows(std::string* out, png_bytep* rows, int width, int height, TPngFailure* failure) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, failure, OnPngError, OnPngWarning);
  if (!png) {
    std::strcpy(failure->Message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    std::strcpy(failure->Message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, out, OnPngWrite, OnPngFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_set_bgr(png);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::string EncodePng(TBitmap& bitmap) {
  if (bitmap.Empty() || bitmap.PixelFormat() != pf24bit) throw EWriteError("Only a 24-bit picture is saved as PNG");
  std::vector<png_bytep> rows(static_cast<size_t>(bitmap.Height()));
  for (int y = 0; y < bitmap.Height(); ++y) rows[y] = static_cast<png_bytep>(bitmap.ScanLine(y));
  std::string out;
  TPngFailure failure{};
  if (!EncodeRows(&out, rows.data(), bitmap.Width(), bitmap.Height(), &failure))
    throw EWriteError(std::string("The picture could not be encoded as PNG: ") + failure.Message);
  return out;
}

void SavePngFile(TBitmap& bitmap, const std::string& fileName) { SaveToFileSafely(fileName, EncodePng(bitmap)); }

}  // namespace kx
