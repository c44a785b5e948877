// Push buttons, check boxes, radio buttons and check-list items.
#include <algorithm>

#include "Pictures.h"

namespace skinpictures {

using kx::TkvUIStyle;

namespace {

// How far a state leans towards the selection colour.
double Tint(State state) {
  switch (state) {
    case State::MouseOn:
      return 0.16;
    case State::MouseDown:
      return 0.34;
    default:
      return 0;
  }
}

Rgb StateEdge(const Look& k, State state) {
  if (state == State::Disabled) return Mix(k.edge, k.face, 0.6);
  return state == State::Normal ? k.edge : Mix(k.edge, k.selection, 0.5);
}

// The resting colour of a button's face.
Rgb ButtonBase(const Look& k) {
  switch (k.style) {
    case TkvUIStyle::BlueGlass:
      return Mix(White, k.selection, 0.2);
    case TkvUIStyle::WinXP:
      return Lighter(k.face, 0.6);
    default:
      return Lighter(k.face, 0.55);
  }
}

double ButtonRadius(const Look& k) {
  switch (k.style) {
    case TkvUIStyle::MacOS:
    case TkvUIStyle::BlueGlass:
      return 6;
    case TkvUIStyle::DeepBlue:
      return 2;
    default:
      return 3;
  }
}

// A small square box with an optional tick, at (x, y).
void DrawBox(Image& image, const Look& k, int x, int y, int size, double radius, State state, bool checked) {
  const Shape outer = RoundRect(x, y, x + size, y + size, radius);
  const Shape inner = RoundRect(x + 1, y + 1, x + size - 1, y + size - 1, std::max(radius - 1, 0.0));
  image.FillShape(outer, StateEdge(k, state));
  Rgb top = Mix(k.face, White, 0.45), bottom = White;
  if (state == State::Disabled) top = bottom = Lighter(k.face, 0.35);
  if (state == State::MouseDown) top = bottom = Mix(White, k.selection, 0.25);
  const int span = std::max(size - 3, 1);
  image.FillShape(inner, [&](int, int py) { return Mix(top, bottom, double(py - y - 1) / span); });
  if (state == State::MouseOn) {
    const Shape ring = Minus(inner, RoundRect(x + 2, y + 2, x + size - 2, y + size - 2, 0));
    image.FillShape(ring, Mix(k.selection, White, 0.45));
  }
  if (checked) {
    const Rgb ink = state == State::Disabled ? Mix(Black, k.face, 0.55) : k.ink;
    image.FillShape(draw::Tick(x + 1, y + 1, size - 2), ink);
  }
}

}  // namespace

Image PushButton(const Look& k, State state) {
  const int w = k.button.w, h = k.button.h;
  // The nine-slice drawing stretches the rows from h/2 to h - h/2 and the
  // columns from w/2 to w - w/2: they stay alike (a flat band).
  const int flatTop = h / 2 - 1, flatBottom = h - h / 2 + 1;
  const Rgb middle = Mix(ButtonBase(k), k.selection, Tint(state));
  Rgb top = Lighter(middle, k.style == TkvUIStyle::BlueGlass ? 0.55 : 0.75), bottom = Darker(middle, 0.08);
  if (state == State::MouseDown) std::swap(top, bottom);

  Image image(w, h, k.face);
  const double r = ButtonRadius(k);
  const Shape outer = RoundRect(0, 0, w, h, r);
  image.FillShape(outer, StateEdge(k, state));
  image.FillShape(RoundRect(1, 1, w - 1, h - 1, r - 1), [&](int, int y) {
    if (y < flatTop) return Mix(top, middle, double(y - 1) / std::max(flatTop - 1, 1));
    if (y <= flatBottom) return middle;
    return Mix(middle, bottom, double(y - flatBottom) / std::max(h - 2 - flatBottom, 1));
  });
  if (k.keyedButtons) image.KeyOutside(outer, Fuchsia);
  return image;
}

Image CheckBox(const Look& k, State state, bool checked) {
  Image image(k.check.w, k.check.h, k.face);
  const int size = std::min(k.check.w, k.check.h);
  const int box = k.style == TkvUIStyle::MacOS ? 13 : size;
  DrawBox(image, k, (k.check.w - box) / 2, (k.check.h - box) / 2, box, k.style == TkvUIStyle::MacOS ? 2.5 : 0.0, state,
          checked);
  return image;
}

Image CheckListItem(const Look& k, bool enabled, bool checked) {
  Image image(k.checkList.w, k.checkList.h, White);
  DrawBox(image, k, 0, 0, k.checkList.w, 0, enabled ? State::Normal : State::Disabled, checked);
  return image;
}

Image RadioButton(const Look& k, State state, bool checked) {
  const int w = k.radio.w, h = k.radio.h;
  const double cx = w / 2.0, cy = h / 2.0, r = (std::min(w, h) - 1) / 2.0;
  Image image(w, h, k.face);
  const Shape outer = Circle(cx, cy, r);
  const Shape inner = Circle(cx, cy, r - 1);
  image.FillShape(outer, StateEdge(k, state));
  Rgb top = Mix(k.face, White, 0.45), bottom = White;
  if (state == State::Disabled) top = bottom = Lighter(k.face, 0.35);
  if (state == State::MouseDown) top = bottom = Mix(White, k.selection, 0.25);
  image.FillShape(inner, [&](int, int y) { return Mix(top, bottom, (y - (cy - r)) / (2 * r)); });
  if (state == State::MouseOn) image.FillShape(Minus(inner, Circle(cx, cy, r - 2)), Mix(k.selection, White, 0.45));
  if (checked) image.FillShape(Circle(cx, cy, r * 0.42), state == State::Disabled ? Mix(Black, k.face, 0.55) : k.ink);
  image.KeyOutside(outer, Fuchsia);
  return image;
}

}  // namespace skinpictures
