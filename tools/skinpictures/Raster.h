// A small RGB raster with the drawing the skin pictures need: rectangles,
// gradients and anti-aliased shapes (coverage by 4 x 4 supersampling).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace skinpictures {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A colour of the style table, $00BBGGRR.
Rgb FromTableColor(int32_t bgr);
// a at t = 0, b at t = 1.
Rgb Mix(Rgb a, Rgb b, double t);
inline Rgb Lighter(Rgb c, double t) { return Mix(c, Rgb{255, 255, 255}, t); }
inline Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }
// Relative luminance (0 black .. 1 white) and the contrast ratio of two colours.
double Luminance(Rgb c);
double Contrast(Rgb a, Rgb b);

constexpr Rgb White{255, 255, 255};
constexpr Rgb Black{0, 0, 0};
// The key colour that the drawing code leaves out.
constexpr Rgb Fuchsia{255, 0, 255};

// A shape: true for the points inside it (pixel (x, y) covers [x, x+1) x [y, y+1)).
using Shape = std::function<bool(double x, double y)>;

Shape RoundRect(double left, double top, double right, double bottom, double radius);
Shape Circle(double cx, double cy, double radius);
// A stroke of the given width with round ends.
Shape Segment(double x0, double y0, double x1, double y1, double width);
// A polygon (even-odd rule).
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Union(std::vector<Shape> shapes);
Shape Minus(Shape a, Shape b);

class Image {
 public:
  Image() = default;
  Image(int width, int height, Rgb fill = White);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void Set(int x, int y, Rgb c);  // clipped
  void Blend(int x, int y, Rgb c, double alpha);

  // Rectangles are [x0, x1) x [y0, y1), clipped to the image.
  void Fill(Rgb c) { FillRect(0, 0, width_, height_, c); }
  void FillRect(int x0, int y0, int x1, int y1, Rgb c);
  void FrameRect(int x0, int y0, int x1, int y1, Rgb c);
  // Top row `top`, bottom row `bottom`, a straight blend between them.
  void VGradient(int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
  void HGradient(int x0, int y0, int x1, int y1, Rgb left, Rgb right);
  // Each row y of the rectangle in the colour rowColor(y).
  void Rows(int x0, int y0, int x1, int y1, const std::function<Rgb(int y)>& rowColor);

  // The shape's coverage of each pixel, blended in one colour or in the
  // colour color(x, y) of the pixel.
  void FillShape(const Shape& shape, Rgb c);
  void FillShape(const Shape& shape, const std::function<Rgb(int x, int y)>& color);
  // Pixels the silhouette does not touch at all become the key colour.
  void KeyOutside(const Shape& silhouette, Rgb key);

  // The picture turned by a quarter turn clockwise (W x H becomes H x W).
  Image TurnedClockwise() const;
  Image MirroredVertically() const;
  Image MirroredHorizontally() const;
  // The rectangle [x0, x1) x [y0, y1) as a picture of its own.
  Image Crop(int x0, int y0, int x1, int y1) const;
  // Draws `other` with its top-left corner at (x, y).
  void Paste(const Image& other, int x, int y);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// Fraction of the pixel (x, y) inside the shape, in sixteenths.
double Coverage(const Shape& shape, int x, int y);

}  // namespace skinpictures
