// Writes small GIF pictures for tests: up to four colours, LZW codes kept at
// three bits by a clear code after every two pixels (valid, if not small).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

// indexes: width * height colour numbers (0 to 3), row by row. transparent: a
// colour number shown as transparent, or -1.
inline std::string GifBytes(int width, int height, const std::array<uint32_t, 4>& rgb,
                            const std::vector<uint8_t>& indexes, int transparent = -1, bool interlaced = false) {
  std::string out = "GIF89a";
  auto word = [&](int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
  };
  word(width);
  word(height);
  out += static_cast<char>(0x81);  // global table of 4 colours
  out += '\0';
  out += '\0';
  for (uint32_t colour : rgb) {
    out += static_cast<char>(colour >> 16);
    out += static_cast<char>(colour >> 8);
    out += static_cast<char>(colour);
  }
  if (transparent >= 0) {
    out += std::string("\x21\xF9\x04\x01\x00\x00", 6);
    out += static_cast<char>(transparent);
    out += '\0';
  }
  out += ',';
  word(0);
  word(0);
  word(width);
  word(height);
  out += static_cast<char>(interlaced ? 0x40 : 0);
  out += '\x02';  // minimum code size
  std::string data;
  uint32_t bits = 0;
  int count = 0;
  auto code = [&](uint32_t value) {
    bits |= value << count;
    count += 3;
    while (count >= 8) {
      data += static_cast<char>(bits & 0xFF);
      bits >>= 8;
      count -= 8;
    }
  };
  // Rows in the order the file keeps them.
  std::vector<int> rows;
  if (interlaced) {
    for (int y = 0; y < height; y += 8) rows.push_back(y);
    for (int y = 4; y < height; y += 8) rows.push_back(y);
    for (int y = 2; y < height; y += 4) rows.push_back(y);
    for (int y = 1; y < height; y += 2) rows.push_back(y);
  } else {
    for (int y = 0; y < height; ++y) rows.push_back(y);
  }
  int run = 0;
  for (int y : rows) {
    for (int x = 0; x < width; ++x) {
      if (run % 2 == 0) code(4);  // clear
      code(indexes[static_cast<size_t>(y) * width + x]);
      ++run;
    }
  }
  code(5);  // end
  if (count > 0) data += static_cast<char>(bits & 0xFF);
  for (size_t k = 0; k < data.size(); k += 255) {
    const std::string block = data.substr(k, 255);
    out += static_cast<char>(block.size());
    out += block;
  }
  out += '\0';
  out += ';';
  return out;
}

// A GIF of a few bytes that declares a screen and a first frame of any size
// (up to 65535 x 65535): one pixel of data, the rest left to the background.
inline std::string SparseGif(int screenWidth, int screenHeight, int frameWidth, int frameHeight) {
  std::string out = "GIF89a";
  auto word = [&](int value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
  };
  word(screenWidth);
  word(screenHeight);
  out += std::string("\x80\0\0", 3);  // global table of 2 colours
  out += std::string("\0\0\0\xFF\xFF\xFF", 6);
  out += ',';
  word(0);
  word(0);
  word(frameWidth);
  word(frameHeight);
  out += '\0';
  // Minimum code size 2; clear (4), colour 0, end (5) in 3-bit codes.
  out += std::string("\x02\x02\x44\x01\x00;", 6);
  return out;
}

}  // namespace giftest
