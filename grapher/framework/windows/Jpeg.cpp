// JPEG pictures decoded with libjpeg.
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "framework/windows/Graphics.h"

#include <jpeglib.h>

namespace kx {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf escape;
  char message[JMSG_LENGTH_MAX];
};

void OnFatalError(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, err->message);
  std::longjmp(err->escape, 1);
}

void OnMessage(j_common_ptr) {}  // warnings are not shown

// Decodes into RGB rows; false with `message` on bad data. Holds no C++
// object across the long jump.
bool Decode(const uint8_t* data, size_t size, TBitmap& out, char* message) {
  jpeg_decompress_struct info;
  ErrorManager err;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = OnFatalError;
  err.base.output_message = OnMessage;
  if (setjmp(err.escape)) {
    std::strcpy(message, err.message);
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  // The size comes from the data: refuse a hostile one before the decoder
  // allocates for it (a progressive picture holds all its coefficients).
  if (info.image_width > 16384 || info.image_height > 16384) {
    std::strcpy(message, "picture too large");
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  try {
    out.SetPixelFormat(pf24bit);
    out.SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
  } catch (...) {
    jpeg_destroy_decompress(&info);  // no memory for the picture
    throw;
  }
  while (info.output_scanline < info.output_height) {
    auto* row = static_cast<uint8_t*>(out.ScanLine(static_cast<int>(info.output_scanline)));
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&info, rows, 1);
    // libjpeg gives R, G, B; the DIB holds B, G, R.
    for (JDIMENSION x = 0; x < info.output_width; ++x) std::swap(row[x * 3], row[x * 3 + 2]);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

KX_PUBLISH(TJPEGImage) {}

TJPEGImage::TJPEGImage() : bitmap_(std::make_unique<TBitmap>()) {}

void TJPEGImage::LoadFromBytes(const std::vector<uint8_t>& data) {
  char message[JMSG_LENGTH_MAX] = {};
  TBitmap decoded;
  if (data.empty() || !Decode(data.data(), data.size(), decoded, message))
    throw EInvalidGraphic(std::string("JPEG error: ") + (message[0] ? message : "no data"));
  bitmap_->Assign(&decoded);
  data_ = data;
  Changed();
}

}  // namespace kx
