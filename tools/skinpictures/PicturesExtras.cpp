// Pictures loaded by name outside the style table, and the program's icon.
#include <cmath>
#include <string>

#include "Pictures.h"

namespace skinpictures {

using kx::TkvUIStyle;

namespace {

// Pixel art: one string per row; '#' is ink, anything else background.
Image Art(const std::vector<const char*>& rows, Rgb ink, Rgb background) {
  const int w = static_cast<int>(std::string(rows[0]).size()), h = static_cast<int>(rows.size());
  Image image(w, h, background);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (rows[static_cast<size_t>(y)][x] == '#') image.Set(x, y, ink);
  return image;
}

}  // namespace

Image FormBackground(TkvUIStyle style) {
  const Look& k = LookOf(style);
  Image image(8, 8, k.face);
  // Periods that divide 8, so that the tiles meet without a seam.
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      if (style == TkvUIStyle::MacOS && y % 2) image.Set(x, y, Darker(k.face, 0.025));
      if (style == TkvUIStyle::Protein && ((x + y) % 8 == 0 || (x - y + 8) % 8 == 4))
        image.Set(x, y, Mix(k.face, k.selection, 0.06));
    }
  return image;
}

Image MacMenuBar() {
  Image image(1, 22);
  image.VGradient(0, 0, 1, 21, Rgb{249, 249, 249}, Rgb{226, 226, 226});
  image.Set(0, 21, Rgb{196, 196, 196});
  return image;
}

Image MacMenuSelect() {
  const Rgb blue = LookOf(TkvUIStyle::MacOS).selection;
  Image image(1, 21);
  image.VGradient(0, 0, 1, 21, Lighter(blue, 0.22), Darker(blue, 0.1));
  return image;
}

Image MacComboButton() {
  const Rgb blue = LookOf(TkvUIStyle::MacOS).selection;
  Image image(16, 17);
  image.VGradient(0, 0, 16, 17, Lighter(blue, 0.35), blue);
  image.FillRect(0, 0, 1, 17, Darker(blue, 0.3));
  image.FillShape(Polygon({{4, 6.5}, {12, 6.5}, {8, 11.5}}), White);
  return image;
}

Image MenuChecked() {
  Image image(16, 16, White);
  draw::FillHard(image, draw::Tick(1.5, 1.5, 13), Rgb{32, 32, 32});
  return image;
}

// The font-list pictures use the 16 standard colours.
Image FontTrueType() {
  Image image(20, 12, Fuchsia);
  const Rgb grey{128, 128, 128}, navy{0, 0, 128};
  // Two letters T, the second a little lower.
  image.FillRect(1, 1, 8, 3, grey);
  image.FillRect(3, 3, 5, 10, grey);
  image.FillRect(9, 3, 17, 5, navy);
  image.FillRect(12, 5, 14, 12, navy);
  return image;
}

Image FontDevice() {
  Image image = Art({"....................", "......########......", "......#......#......", "......#......#......",
                     "..################..", "..#..............#..", "..#..............#..", "..#...########...#..",
                     "..#..............#..", "..################..", "....................", "...................."},
                    Black, Fuchsia);
  image.FillRect(7, 2, 13, 4, White);
  image.FillRect(3, 5, 17, 7, Rgb{192, 192, 192});
  image.FillRect(3, 8, 17, 9, Rgb{192, 192, 192});
  image.Set(15, 5, Rgb{0, 255, 0});
  return image;
}

Image SideBar(bool hover) {
  const Rgb base = hover ? Rgb{196, 214, 242} : Rgb{214, 221, 232};
  Image image(8, 172);
  image.HGradient(0, 0, 7, 172, Lighter(base, 0.55), Darker(base, 0.06));
  image.FillRect(7, 0, 8, 172, Darker(base, 0.35));
  const Rgb mark = Darker(base, hover ? 0.6 : 0.45);
  draw::FillHard(image, Polygon({{2, 6}, {5.5, 9.5}, {2, 13}}), mark);
  // A grip in the middle: dots with their light under them.
  for (int y = 78; y <= 94; y += 4) {
    image.FillRect(2, y, 5, y + 1, mark);
    image.FillRect(2, y + 1, 5, y + 2, White);
  }
  return image;
}

Image PinUp() {
  return Art({"..###..", "..#.#..", "..#.#..", "..#.#..", ".#####.", "#######", "...#...", "...#...", "...#..."}, Black,
             Fuchsia);
}

Image PinDown() {
  return Art({"....#...", "....####", "....#..#", "#####..#", "....#..#", "....####", "....#..."}, Black, Fuchsia);
}

IconImage AppIcon(int size) {
  const double s = size;
  const Shape tile = RoundRect(0, 0, s, s, s * 0.19);
  Image image(size, size);
  image.VGradient(0, 0, size, size, Rgb{78, 120, 232}, Rgb{32, 48, 168});
  const double line = 1.0;
  const double ox = std::floor(s * 0.28) + 0.5, oy = std::floor(s * 0.64) + 0.5;
  if (size >= 32) {
    // A faint grid behind the axes.
    for (int i = 1; i < 4; ++i) {
      const double g = std::floor(s * i / 4) + 0.5;
      image.FillShape(Segment(g, 3, g, s - 3, line), Lighter(Rgb{55, 84, 200}, 0.18));
      image.FillShape(Segment(3, g, s - 3, g, line), Lighter(Rgb{55, 84, 200}, 0.18));
    }
  }
  image.FillShape(Segment(2.5, oy, s - 2.5, oy, line), Rgb{236, 240, 255});
  image.FillShape(Segment(ox, 2.5, ox, s - 2.5, line), Rgb{236, 240, 255});
  // A wave through the origin.
  std::vector<Shape> curve;
  const double pi = std::acos(-1.0);
  auto f = [&](double x) { return oy - s * 0.27 * std::sin((x - ox) / s * 2 * pi * 0.95); };
  const double width = size >= 32 ? 2.6 : 1.7;
  for (double x = s * 0.1; x < s * 0.9; x += 0.5) curve.push_back(Segment(x, f(x), x + 0.5, f(x + 0.5), width));
  image.FillShape(Union(std::move(curve)), Rgb{255, 196, 40});

  IconImage icon{image, std::vector<uint8_t>(static_cast<size_t>(size) * size)};
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      icon.alpha[static_cast<size_t>(y) * size + x] = static_cast<uint8_t>(std::lround(255 * Coverage(tile, x, y)));
  return icon;
}

}  // namespace skinpictures
