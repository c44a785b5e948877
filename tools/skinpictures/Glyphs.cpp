// Shapes shared by the picture families: ticks and title-bar glyphs.
#include <algorithm>
#include <cmath>

#include "Pictures.h"

namespace skinpictures::draw {

void FillHard(Image& image, const Shape& shape, Rgb c) {
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      if (Coverage(shape, x, y) >= 0.5) image.Set(x, y, c);
}

Shape Tick(double x0, double y0, double size) {
  const double w = std::max(1.6, size * 0.17);
  auto p = [&](double fx, double fy) { return std::pair{x0 + fx * size, y0 + fy * size}; };
  const auto [ax, ay] = p(0.2, 0.5);
  const auto [bx, by] = p(0.42, 0.74);
  const auto [cx, cy] = p(0.8, 0.24);
  return Union({Segment(ax, ay, bx, by, w), Segment(bx, by, cx, cy, w)});
}

Shape Glyph(TitleGlyph glyph, double x0, double y0, double size) {
  // Strokes sit on pixel centres so that straight ones stay crisp.
  const double stroke = size >= 19 ? 2.0 : 1.6;
  auto X = [&](double f) { return std::floor(x0 + f * size) + 0.5; };
  auto Y = [&](double f) { return std::floor(y0 + f * size) + 0.5; };
  auto frame = [&](double l, double t, double r, double b) {
    // A window: one-pixel sides under a two-pixel title.
    const double L = X(l) - 0.5, T = Y(t) - 0.5, R = X(r) + 0.5, B = Y(b) + 0.5;
    return Minus(RoundRect(L, T, R, B, 0), RoundRect(L + 1, T + 2, R - 1, B - 1, 0));
  };
  switch (glyph) {
    case TitleGlyph::Close:
      return Union(
          {Segment(X(0.27), Y(0.27), X(0.73), Y(0.73), stroke), Segment(X(0.73), Y(0.27), X(0.27), Y(0.73), stroke)});
    case TitleGlyph::Max:
      return frame(0.25, 0.25, 0.75, 0.72);
    case TitleGlyph::Min:
      return RoundRect(X(0.27) - 0.5, Y(0.68) - 0.5, X(0.73) + 0.5, Y(0.68) + 1.5, 0);
    case TitleGlyph::Restore:
      return Union({Minus(frame(0.37, 0.22, 0.77, 0.57),
                          RoundRect(X(0.23) - 0.5, Y(0.39) - 0.5, X(0.63) + 0.5, Y(0.76) + 0.5, 0)),
                    frame(0.23, 0.39, 0.63, 0.76)});
    case TitleGlyph::ControlBox: {
      std::vector<Shape> bars;
      for (double f : {0.32, 0.5, 0.68})
        bars.push_back(RoundRect(X(0.27) - 0.5, Y(f) - 0.5, X(0.73) + 0.5, Y(f) + 1.0, 0));
      return Union(std::move(bars));
    }
    case TitleGlyph::Help: {
      // A question mark: an arc, a short stem and a dot.
      std::vector<Shape> parts;
      const double cx = x0 + 0.5 * size, cy = y0 + 0.37 * size, r = 0.15 * size;
      const double pi = std::acos(-1.0);
      double px = cx + r * std::cos(pi * 1.1), py = cy + r * std::sin(pi * 1.1);
      for (int i = 1; i <= 8; ++i) {
        const double a = pi * 1.1 + i * (pi * 1.35 / 8);
        const double nx = cx + r * std::cos(a), ny = cy + r * std::sin(a);
        parts.push_back(Segment(px, py, nx, ny, stroke));
        px = nx, py = ny;
      }
      parts.push_back(Segment(px, py, cx, y0 + 0.6 * size, stroke));
      parts.push_back(Circle(cx, y0 + 0.76 * size, stroke * 0.62));
      return Union(std::move(parts));
    }
  }
  return [](double, double) { return false; };
}

}  // namespace skinpictures::draw
