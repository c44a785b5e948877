#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace skinpictures {

Rgb FromTableColor(int32_t bgr) {
  const auto v = static_cast<uint32_t>(bgr);
  return Rgb{static_cast<uint8_t>(v & 0xFF), static_cast<uint8_t>((v >> 8) & 0xFF),
             static_cast<uint8_t>((v >> 16) & 0xFF)};
}

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  auto m = [t](uint8_t x, uint8_t y) { return static_cast<uint8_t>(std::lround(x + (y - x) * t)); };
  return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

double Luminance(Rgb c) {
  auto lin = [](uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double Contrast(Rgb a, Rgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// ---------------------------------------------------------------------------
// Shapes

Shape RoundRect(double left, double top, double right, double bottom, double radius) {
  return [=](double x, double y) {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    const double cx = std::clamp(x, left + radius, right - radius);
    const double cy = std::clamp(y, top + radius, bottom - radius);
    const double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  };
}

Shape Circle(double cx, double cy, double radius) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}

Shape Segment(double x0, double y0, double x1, double y1, double width) {
  return [=](double x, double y) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / len2, 0.0, 1.0) : 0.0;
    const double px = x0 + t * dx - x, py = y0 + t * dy - y;
    return px * px + py * py <= width * width / 4;
  };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
  return [points = std::move(points)](double x, double y) {
    bool inside = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto [xi, yi] = points[i];
      const auto [xj, yj] = points[j];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside;
  };
}

Shape Union(std::vector<Shape> shapes) {
  return [shapes = std::move(shapes)](double x, double y) {
    for (const Shape& s : shapes)
      if (s(x, y)) return true;
    return false;
  };
}

Shape Minus(Shape a, Shape b) {
  return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

double Coverage(const Shape& shape, int x, int y) {
  int hits = 0;
  for (int sy = 0; sy < 4; ++sy)
    for (int sx = 0; sx < 4; ++sx) hits += shape(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4) ? 1 : 0;
  return hits / 16.0;
}

// ---------------------------------------------------------------------------
// Image

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Image::Set(int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Image::Blend(int x, int y, Rgb c, double alpha) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0) return;
  Set(x, y, Mix(At(x, y), c, alpha));
}

void Image::FillRect(int x0, int y0, int x1, int y1, Rgb c) {
  for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x) Set(x, y, c);
}

void Image::FrameRect(int x0, int y0, int x1, int y1, Rgb c) {
  FillRect(x0, y0, x1, y0 + 1, c);
  FillRect(x0, y1 - 1, x1, y1, c);
  FillRect(x0, y0, x0 + 1, y1, c);
  FillRect(x1 - 1, y0, x1, y1, c);
}

void Image::VGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  const int span = std::max(y1 - y0 - 1, 1);
  Rows(x0, y0, x1, y1, [&](int y) { return Mix(top, bottom, double(y - y0) / span); });
}

void Image::HGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right) {
  const int span = std::max(x1 - x0 - 1, 1);
  for (int x = std::max(x0, 0); x < std::min(x1, width_); ++x)
    FillRect(x, y0, x + 1, y1, Mix(left, right, double(x - x0) / span));
}

void Image::Rows(int x0, int y0, int x1, int y1, const std::function<Rgb(int y)>& rowColor) {
  for (int y = std::max(y0, 0); y < std::min(y1, height_); ++y) FillRect(x0, y, x1, y + 1, rowColor(y));
}

void Image::FillShape(const Shape& shape, Rgb c) {
  FillShape(shape, [c](int, int) { return c; });
}

void Image::FillShape(const Shape& shape, const std::function<Rgb(int x, int y)>& color) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) {
      const double coverage = Coverage(shape, x, y);
      if (coverage > 0) Blend(x, y, color(x, y), coverage);
    }
}

void Image::KeyOutside(const Shape& silhouette, Rgb key) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (Coverage(silhouette, x, y) == 0) Set(x, y, key);
}

Image Image::TurnedClockwise() const {
  Image out(height_, width_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(height_ - 1 - y, x, At(x, y));
  return out;
}

Image Image::MirroredVertically() const {
  Image out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(x, height_ - 1 - y, At(x, y));
  return out;
}

Image Image::MirroredHorizontally() const {
  Image out(width_, height_);
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x) out.Set(width_ - 1 - x, y, At(x, y));
  return out;
}

Image Image::Crop(int x0, int y0, int x1, int y1) const {
  Image out(x1 - x0, y1 - y0);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) out.Set(x - x0, y - y0, At(x, y));
  return out;
}

void Image::Paste(const Image& other, int x, int y) {
  for (int j = 0; j < other.Height(); ++j)
    for (int i = 0; i < other.Width(); ++i) Set(x + i, y + j, other.At(i, j));
}

}  // namespace skinpictures
