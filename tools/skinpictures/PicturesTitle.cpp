// Title-bar sections and buttons.
#include <algorithm>
#include <cmath>

#include "Pictures.h"

namespace skinpictures {

using kx::TkvUIStyle;

namespace {

Image Profile(const Look& k, Size size) {
  Image image(size.w, size.h);
  image.Rows(0, 0, size.w, size.h, [&](int y) { return TitleRow(k, y); });
  return image;
}

double Smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// A close button turns red under the mouse in every look.
constexpr Rgb CloseRed{208, 52, 40};

}  // namespace

// The sections share the title's row colours, so that they join without a
// seam and the client section stretches evenly; only the outer ends carry
// a look of their own.
Image TitleLeft(const Look& k) {
  Image image = Profile(k, k.titleLeft);
  const int w = image.Width();
  if (k.style == TkvUIStyle::Protein) {
    // A deep end on the left that fades into the bar behind the icon and caption.
    for (int x = 0; x < w; ++x)
      for (int y = 0; y < image.Height(); ++y)
        image.Set(x, y, Mix(Darker(TitleRow(k, y), 0.45), TitleRow(k, y), Smooth(double(x) / (w - 1))));
  } else if (k.style == TkvUIStyle::BlueGlass) {
    // The glass shines brightest at its left end.
    for (int x = 0; x < w; ++x)
      for (int y = 1; y < image.Height() / 2; ++y)
        image.Set(x, y, Lighter(TitleRow(k, y), 0.18 * (1 - Smooth(double(x) / (w - 1)))));
  }
  return image;
}

Image TitleClient(const Look& k) { return Profile(k, k.titleClient); }

Image TitleRight(const Look& k) {
  Image image = Profile(k, k.titleRight);
  if (k.style == TkvUIStyle::BlueGlass) {
    const int w = image.Width();
    for (int x = 0; x < w; ++x)
      for (int y = 1; y < image.Height() / 2; ++y)
        image.Set(x, y, Lighter(TitleRow(k, y), 0.1 * Smooth(double(x) / (w - 1))));
  }
  return image;
}

Image TitleButton(const Look& k, TitleGlyph glyph, State state) {
  const int s = k.titleButton.w;
  // What lies behind the button on the bar: the title's rows where it sits.
  Image image(s, s);
  image.Rows(0, 0, s, s, [&](int y) { return TitleRow(k, y + k.titleButtonTop); });

  const bool close = glyph == TitleGlyph::Close;
  const bool hot = state == State::MouseOn || state == State::MouseDown;
  Shape body;
  Rgb top, bottom, rim, ink = White;
  switch (k.style) {
    case TkvUIStyle::MacOS: {
      // A light round button with a dark glyph.
      body = Circle(s / 2.0, s / 2.0, s / 2.0 - 1);
      Rgb face = close && hot ? CloseRed : hot ? Mix(White, k.selection, 0.35) : Rgb{246, 246, 246};
      if (state == State::MouseDown) face = Darker(face, 0.18);
      top = Lighter(face, 0.5), bottom = face, rim = Darker(k.controlBorder, 0.1);
      ink = close && hot ? White : Rgb{70, 70, 70};
      break;
    }
    case TkvUIStyle::WinXP: {
      body = RoundRect(0.5, 0.5, s - 0.5, s - 0.5, 3);
      Rgb face = close ? CloseRed : Lighter(k.formBorder, 0.22);
      if (state == State::MouseOn) face = Lighter(face, 0.2);
      if (state == State::MouseDown) face = Darker(face, 0.22);
      top = Lighter(face, 0.3), bottom = face, rim = Lighter(k.formBorder, 0.7);
      break;
    }
    case TkvUIStyle::DeepBlue: {
      body = RoundRect(0.5, 0.5, s - 0.5, s - 0.5, 2);
      Rgb face = close && hot ? CloseRed : hot ? Lighter(k.selection, 0.25) : Darker(k.selection, 0.1);
      if (state == State::MouseDown) face = Darker(face, 0.3);
      top = Lighter(face, 0.12), bottom = face, rim = Lighter(k.selection, 0.45);
      break;
    }
    case TkvUIStyle::Protein: {
      body = Circle(s / 2.0, s / 2.0, s / 2.0 - 1);
      Rgb face = close && hot ? CloseRed : Lighter(k.selection, hot ? 0.38 : 0.2);
      if (state == State::MouseDown) face = Darker(face, 0.25);
      top = Lighter(face, 0.35), bottom = face, rim = Lighter(k.selection, 0.7);
      break;
    }
    case TkvUIStyle::BlueGlass: {
      body = RoundRect(0.5, 0.5, s - 0.5, s - 0.5, 4);
      Rgb face = close && hot ? CloseRed : Lighter(k.selection, hot ? 0.3 : 0.12);
      if (state == State::MouseDown) face = Darker(face, 0.25);
      top = Lighter(face, 0.45), bottom = Darker(face, 0.05), rim = Darker(k.selection, 0.45);
      break;
    }
    case TkvUIStyle::Custom:
      break;
  }
  image.FillShape(body, rim);
  // The inside: the same outline one pixel in, lit from the top (glass looks
  // keep a sharp line between their two halves).
  const Shape inside = [&]() -> Shape {
    if (k.style == TkvUIStyle::MacOS || k.style == TkvUIStyle::Protein) return Circle(s / 2.0, s / 2.0, s / 2.0 - 2);
    const double r = k.style == TkvUIStyle::BlueGlass ? 3 : k.style == TkvUIStyle::WinXP ? 2 : 1;
    return RoundRect(1.5, 1.5, s - 1.5, s - 1.5, r);
  }();
  const bool glass = k.style == TkvUIStyle::BlueGlass;
  image.FillShape(inside, [&](int, int y) {
    if (glass) return y < s / 2 ? top : bottom;
    return Mix(top, bottom, double(y) / (s - 1));
  });
  image.FillShape(draw::Glyph(glyph, 0, 0, s), ink);
  if (k.keyedTitleButtons) image.KeyOutside(body, Fuchsia);
  return image;
}

}  // namespace skinpictures
