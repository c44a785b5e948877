// Progress bars, tabs, track bars and scroll bars.
#include <algorithm>

#include "Pictures.h"

namespace skinpictures {

using kx::TkvUIStyle;

namespace {

Image TurnedCounterClockwise(const Image& image) {
  return image.TurnedClockwise().MirroredVertically().MirroredHorizontally();
}

// Fill of the chosen tab; the line under the tabs has the same, so that the
// chosen tab opens into it.
Rgb ActiveTabFill(const Look& k) { return Lighter(k.controlFace, 0.6); }

Rgb ButtonFace(const Look& k, State state) {
  const Rgb base = Lighter(k.scrollFace, 0.4);
  switch (state) {
    case State::MouseOn:
      return Mix(base, k.selection, 0.16);
    case State::MouseDown:
      return Mix(base, k.selection, 0.34);
    default:
      return base;
  }
}

}  // namespace

// The bars are stretched along their length: every column of a horizontal
// bar (every row of a vertical one) is the same.
Image ProgressBar(const Look& k, bool vertical) {
  const int length = vertical ? k.progressV.w : k.progress.h;
  // The percentage is written over the bar in black: light enough for it.
  Rgb base = k.accent;
  while (Contrast(Darker(base, 0.12), Black) < 5) base = Lighter(base, 0.06);
  auto across = [&](int i) {
    const double t = double(i) / std::max(length - 1, 1);
    if (i == 0) return Lighter(base, 0.5);
    return t < 0.5 ? Mix(Lighter(base, 0.3), base, t * 2) : Mix(base, Darker(base, 0.12), t * 2 - 1);
  };
  if (!vertical) {
    Image image(k.progress.w, k.progress.h);
    image.Rows(0, 0, image.Width(), image.Height(), across);
    return image;
  }
  Image image(k.progressV.w, k.progressV.h);
  for (int x = 0; x < image.Width(); ++x) image.FillRect(x, 0, x + 1, image.Height(), across(x));
  return image;
}

// Tabs are drawn in three slices (ends unscaled, middle stretched): the
// rounded corners stay inside the outer thirds, whose outside is keyed.
Image Tab(const Look& k, bool active) {
  const int w = k.tab.w, h = k.tab.h;
  const double r = std::min(w / 3, 4);
  // Small pictures: hard edges, no half-tones against a background that varies.
  Image image(w, h, k.face);
  const Shape outline = RoundRect(0, 0, w, h + r + 1, r);
  const Rgb fill = active ? ActiveTabFill(k) : Mix(k.controlFace, k.edge, 0.1);
  const Rgb top = active ? fill : Lighter(fill, 0.35);
  image.Rows(0, 0, w, h, [&](int y) { return Mix(top, fill, double(y) / (h - 1)); });
  draw::FillHard(image, Minus(outline, RoundRect(1, 1, w - 1, h + r + 1, std::max(r - 1, 0.0))),
                 active ? k.edge : Mix(k.edge, k.face, 0.35));
  if (active && h > 12) draw::FillHard(image, RoundRect(1, 1, w - 1, 3, std::max(r - 1, 0.0)), k.selection);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (Coverage(outline, x, y) < 0.5) image.Set(x, y, Fuchsia);
  return image;
}

Image TabLine(const Look& k) {
  Image image(k.tabLine.w, k.tabLine.h, ActiveTabFill(k));
  image.FillRect(0, 0, image.Width(), 1, k.edge);
  return image;
}

Image TrackBar(const Look& k) {
  const int w = k.trackBar.w, h = k.trackBar.h;
  Image image(w, h, k.trackFace);
  // The groove: a rounded channel; its ends lie in the outer thirds.
  const double inset = h > 6 ? 1.5 : 0;
  const double r = (h - 2 * inset) / 2;
  image.FillShape(RoundRect(0, inset, w, h - inset, r), Mix(k.edge, k.trackFace, 0.35));
  image.FillShape(RoundRect(1, inset + 1, w - 1, h - inset - 1, std::max(r - 1, 0.0)),
                  [&](int, int y) { return y <= inset + 1 ? Darker(k.trackFace, 0.22) : Darker(k.trackFace, 0.1); });
  return image;
}

Image TrackSlider(const Look& k, bool vertical) {
  // Drawn pointing down (horizontal bar); the vertical one points right.
  const int w = vertical ? k.sliderV.h : k.slider.w;
  const int h = vertical ? k.sliderV.w : k.slider.h;
  Image image(w, h, k.trackFace);
  const double tip = std::min(w / 2.0, h / 3.0);
  auto thumb = [&](double inset) {
    return Polygon({{inset, inset},
                    {w - inset, inset},
                    {w - inset, h - tip - inset / 2},
                    {w / 2.0, h - inset * 1.4},
                    {inset, h - tip - inset / 2}});
  };
  image.FillShape(thumb(0.5), Darker(k.accent, 0.3));
  image.FillShape(thumb(1.5), [&](int, int y) { return Mix(Lighter(k.accent, 0.45), k.accent, double(y) / h); });
  for (int i = 0; i < 3; ++i) {
    const int y = 4 + 2 * i;
    image.FillRect(3, y, w - 3, y + 1, Lighter(k.accent, 0.7));
  }
  return vertical ? TurnedCounterClockwise(image) : image;
}

Image ScrollButton(const Look& k, bool up, State state) {
  const int w = k.scrollButton.w, h = k.scrollButton.h;
  Image image(w, h, k.scrollFace);
  const Rgb face = ButtonFace(k, state);
  image.FillShape(RoundRect(0, 0, w, h, 2), Mix(k.edge, k.scrollFace, 0.45));
  image.FillShape(RoundRect(1, 1, w - 1, h - 1, 1), [&](int, int y) {
    return state == State::MouseDown ? face : Mix(Lighter(face, 0.6), face, double(y) / (h - 1));
  });
  // The arrow, pointing up; the bottom button gets it mirrored.
  const double cx = w / 2.0, cy = h / 2.0 + 0.5;
  image.FillShape(Polygon({{cx, cy - 3.5}, {cx + 4.5, cy + 2}, {cx - 4.5, cy + 2}}), k.ink);
  return up ? image : image.MirroredVertically();
}

Image ScrollThumb(const Look& k) {
  // A vertical thumb: top cap, middle, bottom cap, a third of the height
  // each; the middle is stretched, so its rows are alike.
  const int w = k.scrollTrack.w, h = k.scrollTrack.h;
  Image image(w, h, k.scrollFace);
  const double r = std::min(5, h / 3);
  const Rgb fill = Mix(White, k.accent, 0.42);
  const Shape outer = RoundRect(1, 0, w - 1, h, r);
  image.FillShape(outer, Darker(fill, 0.3));
  image.FillShape(RoundRect(2, 1, w - 2, h - 1, r - 1), [&](int x, int) {
    // Lit from the left, across the thumb.
    return Mix(Lighter(fill, 0.45), fill, double(x - 2) / (w - 5));
  });
  return image;
}

}  // namespace skinpictures
