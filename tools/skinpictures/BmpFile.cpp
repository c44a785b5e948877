#include "BmpFile.h"

#include <stdexcept>

namespace skinpictures {

namespace {

void Put16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER
void PutInfoHeader(std::vector<uint8_t>& out, int width, int height, int bits, int colors, uint32_t imageSize) {
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, static_cast<uint32_t>(colors));
  Put32(out, 0);
}

int RowBytes(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// BITMAPFILEHEADER, info header and palette, rows to follow.
std::vector<uint8_t> FileStart(const Image& image, int bits, const std::vector<Rgb>& palette) {
  const uint32_t pixels = static_cast<uint32_t>(RowBytes(image.Width(), bits) * image.Height());
  const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + pixels);
  Put32(out, 0);
  Put32(out, offset);
  PutInfoHeader(out, image.Width(), image.Height(), bits, static_cast<int>(palette.size()), pixels);
  for (Rgb c : palette) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> Bmp24(const Image& image) {
  std::vector<uint8_t> out = FileStart(image, 24, {});
  const int pad = RowBytes(image.Width(), 24) - image.Width() * 3;
  for (int y = image.Height() - 1; y >= 0; --y) {  // bottom-up
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.At(x, y);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    out.insert(out.end(), pad, 0);
  }
  return out;
}

std::vector<uint8_t> BmpIndexed(const Image& image, const std::vector<Rgb>& palette) {
  const int bits = palette.size() <= 2 ? 1 : 4;
  if (palette.size() > 16) throw std::runtime_error("an indexed picture takes at most 16 colours");
  std::vector<uint8_t> out = FileStart(image, bits, palette);
  const int perByte = 8 / bits;
  for (int y = image.Height() - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(RowBytes(image.Width(), bits)), 0);
    for (int x = 0; x < image.Width(); ++x) {
      size_t index = 0;
      while (index < palette.size() && !(palette[index] == image.At(x, y))) ++index;
      if (index == palette.size()) throw std::runtime_error("a colour of an indexed picture is not in its palette");
      const int shift = (perByte - 1 - x % perByte) * bits;
      row[static_cast<size_t>(x / perByte)] |= static_cast<uint8_t>(index << shift);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

std::vector<uint8_t> IconFile(const std::vector<IconImage>& images) {
  std::vector<std::vector<uint8_t>> bodies;
  for (const IconImage& icon : images) {
    const Image& c = icon.colors;
    const int w = c.Width(), h = c.Height();
    const int maskRow = RowBytes(w, 1);
    std::vector<uint8_t> body;
    // The height counts the colour rows and the mask rows.
    PutInfoHeader(body, w, 2 * h, 32, 0, static_cast<uint32_t>(w * h * 4 + maskRow * h));
    for (int y = h - 1; y >= 0; --y)
      for (int x = 0; x < w; ++x) {
        const Rgb p = c.At(x, y);
        const uint8_t a = icon.alpha[static_cast<size_t>(y) * w + x];
        body.push_back(a ? p.b : 0);
        body.push_back(a ? p.g : 0);
        body.push_back(a ? p.r : 0);
        body.push_back(a);
      }
    for (int y = h - 1; y >= 0; --y) {
      std::vector<uint8_t> row(static_cast<size_t>(maskRow), 0);
      for (int x = 0; x < w; ++x)
        if (icon.alpha[static_cast<size_t>(y) * w + x] == 0)
          row[static_cast<size_t>(x / 8)] |= uint8_t(0x80 >> (x % 8));
      body.insert(body.end(), row.begin(), row.end());
    }
    bodies.push_back(std::move(body));
  }

  std::vector<uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<unsigned>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(static_cast<uint8_t>(images[i].colors.Width() % 256));
    out.push_back(static_cast<uint8_t>(images[i].colors.Height() % 256));
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, static_cast<uint32_t>(bodies[i].size()));
    Put32(out, offset);
    offset += static_cast<uint32_t>(bodies[i].size());
  }
  for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

const std::vector<Rgb>& StandardPalette16() {
  static const std::vector<Rgb> palette = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
  };
  return palette;
}

}  // namespace skinpictures
