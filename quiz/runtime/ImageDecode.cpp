#include "runtime/ImageDecode.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

#include <jpeglib.h>

namespace tq {

namespace {

bool SizeAllowed(int64_t width, int64_t height, int64_t maxPixels) {
  return width > 0 && height > 0 && width * height <= std::min(maxPixels, MaxImagePixels);
}

struct JpegFailure {
  jpeg_error_mgr manager;
  jmp_buf escape;
};

void JpegExit(j_common_ptr info) { longjmp(reinterpret_cast<JpegFailure*>(info->err)->escape, 1); }
void JpegQuiet(j_common_ptr, int) {}
void JpegNoOutput(j_common_ptr) {}

}  // namespace

Image DecodeImage(std::string_view bytes, int64_t maxPixels) {
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG\r\n\x1A\n", 8) == 0) return DecodePng(bytes, maxPixels);
  if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xFF\xD8\xFF", 3) == 0) return DecodeJpeg(bytes, maxPixels);
  if (bytes.size() >= 6 && (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a")) {
    return DecodeGif(bytes, maxPixels);
  }
  return {};
}

Image DecodePng(std::string_view bytes, int64_t maxPixels) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return {};
  Image image;
  if (!SizeAllowed(png.width, png.height, maxPixels)) {
    png_image_free(&png);
    return {};
  }
  png.format = PNG_FORMAT_BGRA;
  image.width = static_cast<int>(png.width);
  image.height = static_cast<int>(png.height);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) {
    png_image_free(&png);
    return {};
  }
  return image;
}

Image DecodeJpeg(std::string_view bytes, int64_t maxPixels) {
  jpeg_decompress_struct info{};
  JpegFailure failure{};
  info.err = jpeg_std_error(&failure.manager);
  failure.manager.error_exit = JpegExit;
  failure.manager.emit_message = JpegQuiet;
  failure.manager.output_message = JpegNoOutput;
  Image image;
  std::vector<unsigned char> row;
  if (setjmp(failure.escape)) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  // The size is known from the header: refuse before any pixel is decoded.
  if (!SizeAllowed(info.image_width, info.image_height, maxPixels)) {
    jpeg_destroy_decompress(&info);
    return {};
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  image.width = static_cast<int>(info.output_width);
  image.height = static_cast<int>(info.output_height);
  image.pixels.resize(static_cast<size_t>(image.width) * image.height);
  row.resize(static_cast<size_t>(image.width) * 3);
  while (info.output_scanline < info.output_height) {
    unsigned char* line = row.data();
    const size_t y = info.output_scanline;
    jpeg_read_scanlines(&info, &line, 1);
    uint32_t* out = image.pixels.data() + y * image.width;
    for (int x = 0; x < image.width; ++x) {
      out[x] = 0xFF000000u | (uint32_t{row[x * 3]} << 16) | (uint32_t{row[x * 3 + 1]} << 8) | row[x * 3 + 2];
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

namespace {

// Reads a GIF's blocks, every read checked against the data's end.
class GifReader {
 public:
  explicit GifReader(std::string_view bytes) : bytes_(bytes) {}
  bool Has(size_t n) const { return pos_ + n <= bytes_.size(); }
  int Byte() { return Has(1) ? static_cast<unsigned char>(bytes_[pos_++]) : -1; }
  int Word() {
    const int low = Byte(), high = Byte();
    return low < 0 || high < 0 ? -1 : low | high << 8;
  }
  bool Skip(size_t n) {
    if (!Has(n)) return false;
    pos_ += n;
    return true;
  }
  // Skips a chain of sub-blocks; false at a truncated chain.
  bool SkipSubBlocks() {
    for (int size; (size = Byte()) > 0;) {
      if (!Skip(static_cast<size_t>(size))) return false;
    }
    return Has(0) && pos_ <= bytes_.size();
  }
  // Gathers a chain of sub-blocks.
  bool SubBlocks(std::string& out) {
    for (;;) {
      const int size = Byte();
      if (size < 0) return false;
      if (size == 0) return true;
      if (!Has(static_cast<size_t>(size))) return false;
      out.append(bytes_.substr(pos_, static_cast<size_t>(size)));
      pos_ += static_cast<size_t>(size);
    }
  }
  std::string_view Bytes(size_t n) { return Has(n) ? bytes_.substr((pos_ += n) - n, n) : std::string_view(); }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

// Decodes GIF's variable-length LZW codes into colour indexes.
bool GifLzw(std::string_view data, int minimumCodeSize, size_t count, std::vector<uint8_t>& out) {
  if (minimumCodeSize < 2 || minimumCodeSize > 8) return false;
  const int clear = 1 << minimumCodeSize, end = clear + 1;
  std::vector<uint16_t> prefix(4096);
  std::vector<uint8_t> suffix(4096), stack(4097);
  int codeSize = minimumCodeSize + 1, next = clear + 2, previous = -1;
  uint8_t first = 0;
  uint32_t bits = 0;
  int bitCount = 0;
  out.clear();
  out.reserve(count);
  for (int k = 0; k < clear; ++k) suffix[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
  for (size_t pos = 0; out.size() < count;) {
    while (bitCount < codeSize) {
      if (pos >= data.size()) return !out.empty();  // short data: the rest stays background
      bits |= uint32_t{static_cast<unsigned char>(data[pos++])} << bitCount;
      bitCount += 8;
    }
    int code = static_cast<int>(bits & ((1u << codeSize) - 1));
    bits >>= codeSize;
    bitCount -= codeSize;
    if (code == clear) {
      codeSize = minimumCodeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) break;
    if (previous < 0) {
      if (code >= clear) return false;
      out.push_back(static_cast<uint8_t>(code));
      previous = code;
      first = static_cast<uint8_t>(code);
      continue;
    }
    const int incoming = code;
    size_t depth = 0;
    if (code >= next) {
      if (code > next) return false;
      stack[depth++] = first;
      code = previous;
    }
    while (code >= clear) {
      if (depth >= stack.size() - 1) return false;
      stack[depth++] = suffix[static_cast<size_t>(code)];
      code = prefix[static_cast<size_t>(code)];
    }
    first = static_cast<uint8_t>(code);
    stack[depth++] = first;
    while (depth > 0 && out.size() < count) out.push_back(stack[--depth]);
    if (next < 4096) {
      prefix[static_cast<size_t>(next)] = static_cast<uint16_t>(previous);
      suffix[static_cast<size_t>(next)] = first;
      ++next;
      if (next == (1 << codeSize) && codeSize < 12) ++codeSize;
    }
    previous = incoming;
  }
  return true;
}

}  // namespace

Image DecodeGif(std::string_view bytes, int64_t maxPixels) {
  GifReader in(bytes);
  if (!in.Skip(6)) return {};
  const int width = in.Word(), height = in.Word(), flags = in.Byte();
  if (flags < 0 || !in.Skip(2) || !SizeAllowed(width, height, maxPixels)) return {};
  std::string_view globalTable;
  if (flags & 0x80) globalTable = in.Bytes(3u << ((flags & 7) + 1));
  if ((flags & 0x80) && globalTable.empty()) return {};
  int transparent = -1;
  for (;;) {
    const int block = in.Byte();
    if (block == 0x21) {  // extension
      const int label = in.Byte();
      if (label == 0xF9) {
        const int size = in.Byte();
        std::string_view control = in.Bytes(static_cast<size_t>(size < 0 ? 0 : size));
        if (size < 4 || control.size() < 4) return {};
        if (control[0] & 1) transparent = static_cast<unsigned char>(control[3]);
      }
      if (!in.SkipSubBlocks()) return {};
    } else if (block == 0x2C) {  // the first image
      const int left = in.Word(), top = in.Word(), w = in.Word(), h = in.Word(), imageFlags = in.Byte();
      if (imageFlags < 0) return {};
      std::string_view table = globalTable;
      if (imageFlags & 0x80) table = in.Bytes(3u << ((imageFlags & 7) + 1));
      if (table.empty() || !SizeAllowed(w, h, maxPixels)) return {};
      const int minimumCodeSize = in.Byte();
      std::string data;
      if (minimumCodeSize < 0 || !in.SubBlocks(data)) return {};
      std::vector<uint8_t> indexes;
      if (!GifLzw(data, minimumCodeSize, static_cast<size_t>(w) * h, indexes)) return {};
      Image image;
      image.width = width;
      image.height = height;
      image.pixels.assign(static_cast<size_t>(width) * height, 0);  // transparent background
      const bool interlaced = imageFlags & 0x40;
      // Rows of an interlaced image come in four passes.
      std::vector<int> rows;
      if (interlaced) {
        for (int start : {0, 4, 2, 1}) {
          for (int y = start; y < h; y += (start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2)) rows.push_back(y);
        }
      } else {
        for (int y = 0; y < h; ++y) rows.push_back(y);
      }
      const size_t colours = table.size() / 3;
      for (size_t k = 0; k < indexes.size(); ++k) {
        const int x = left + static_cast<int>(k % static_cast<size_t>(w));
        const int y = top + rows[k / static_cast<size_t>(w)];
        const uint8_t index = indexes[k];
        if (x >= width || y >= height || index == transparent || index >= colours) continue;
        const auto* rgb = reinterpret_cast<const unsigned char*>(table.data()) + index * 3;
        image.pixels[static_cast<size_t>(y) * width + x] =
            0xFF000000u | (uint32_t{rgb[0]} << 16) | (uint32_t{rgb[1]} << 8) | rgb[2];
      }
      return image;
    } else {
      return {};  // the trailer or damage before any image
    }
  }
}

}  // namespace tq
