// Sizes and palettes of the five looks.
#include <array>
#include <cmath>
#include <stdexcept>

#include "Pictures.h"

namespace skinpictures {

using kx::TkvUIStyle;

namespace {

Rgb Table(TkvUIStyle style, int entry) { return FromTableColor(kx::ThemeColor(style, entry)); }

Look MakeLook(TkvUIStyle style) {
  Look k;
  k.style = style;
  switch (style) {
    case TkvUIStyle::MacOS:
      k.button = {84, 23}, k.check = {15, 17}, k.radio = {16, 17}, k.progress = {13, 10}, k.progressV = {13, 13};
      k.titleLeft = {48, 23}, k.titleClient = {49, 23}, k.titleRight = {48, 23}, k.titleButton = {17, 17};
      k.tab = {18, 27}, k.tabLine = {17, 7}, k.trackBar = {45, 5}, k.slider = {11, 20}, k.sliderV = {19, 11};
      k.scrollButton = {16, 22}, k.scrollTrack = {16, 33};
      break;
    case TkvUIStyle::WinXP:
      k.button = {18, 21}, k.check = {13, 13}, k.radio = {13, 13}, k.progress = {6, 10}, k.progressV = {10, 6};
      k.titleLeft = {35, 29}, k.titleClient = {37, 29}, k.titleRight = {35, 29}, k.titleButton = {21, 21};
      k.tab = {9, 18}, k.tabLine = {8, 1}, k.trackBar = {45, 8}, k.slider = {11, 21}, k.sliderV = {22, 11};
      k.scrollButton = {16, 17}, k.scrollTrack = {16, 21};
      break;
    case TkvUIStyle::DeepBlue:
      k.button = {74, 21}, k.check = {13, 13}, k.radio = {13, 13}, k.progress = {1, 10}, k.progressV = {10, 1};
      k.titleLeft = {97, 32}, k.titleClient = {98, 32}, k.titleRight = {97, 32}, k.titleButton = {19, 19};
      k.tab = {6, 17}, k.tabLine = {5, 5}, k.trackBar = {45, 4}, k.slider = {11, 20}, k.sliderV = {18, 11};
      k.scrollButton = {16, 16}, k.scrollTrack = {16, 21};
      break;
    case TkvUIStyle::Protein:
      k.button = {74, 21}, k.check = {13, 13}, k.radio = {13, 13}, k.progress = {1, 10}, k.progressV = {10, 1};
      k.titleLeft = {441, 23}, k.titleClient = {1, 23}, k.titleRight = {1, 23}, k.titleButton = {19, 19};
      k.tab = {9, 17}, k.tabLine = {10, 5}, k.trackBar = {45, 4}, k.slider = {11, 20}, k.sliderV = {18, 11};
      k.scrollButton = {16, 16}, k.scrollTrack = {16, 21};
      break;
    case TkvUIStyle::BlueGlass:
      k.button = {77, 27}, k.check = {13, 13}, k.radio = {13, 13}, k.progress = {1, 10}, k.progressV = {10, 1};
      k.titleLeft = {162, 33}, k.titleClient = {179, 33}, k.titleRight = {101, 33}, k.titleButton = {19, 19};
      k.tab = {9, 17}, k.tabLine = {10, 5}, k.trackBar = {45, 4}, k.slider = {11, 20}, k.sliderV = {18, 11};
      k.scrollButton = {17, 16}, k.scrollTrack = {16, 21};
      break;
    case TkvUIStyle::Custom:
      throw std::logic_error("Custom has no pictures");
  }
  k.checkList = {11, 11};
  k.titleButtonTop = kx::ThemeInteger(style, 69);
  k.keyedButtons = style == TkvUIStyle::MacOS || style == TkvUIStyle::BlueGlass;
  k.keyedTitleButtons = kx::ThemeFlag(style, 66);

  k.formBorder = Table(style, 2);
  k.face = Table(style, 3);
  k.controlBorder = Table(style, 8);
  k.controlFace = Table(style, 9);
  k.selection = Table(style, 11);
  k.selectionLight = Table(style, 12);
  k.trackFace = Table(style, 79);
  k.scrollFace = Table(style, 84);
  // Outlines: the grey MacOS border as it is; the black borders of the other
  // looks softened towards their selection colour.
  k.edge = style == TkvUIStyle::MacOS   ? k.controlBorder
           : style == TkvUIStyle::WinXP ? Darker(k.formBorder, 0.35)
                                        : Mix(k.controlBorder, k.selection, 0.35);
  k.ink = Darker(k.selection, style == TkvUIStyle::MacOS ? 0.25 : 0.3);
  k.accent = k.selection;
  return k;
}

}  // namespace

const Look& LookOf(TkvUIStyle style) {
  static const std::array<Look, 5> looks = {MakeLook(TkvUIStyle::MacOS), MakeLook(TkvUIStyle::WinXP),
                                            MakeLook(TkvUIStyle::DeepBlue), MakeLook(TkvUIStyle::Protein),
                                            MakeLook(TkvUIStyle::BlueGlass)};
  const int row = static_cast<int>(style) - 1;
  if (row < 0 || row >= 5) throw std::logic_error("Custom has no pictures");
  return looks[static_cast<size_t>(row)];
}

Rgb TitleRow(const Look& look, int y) {
  const int h = look.titleClient.h;
  const double t = double(y) / (h - 1);
  switch (look.style) {
    case TkvUIStyle::MacOS: {
      // Light platinum with faint pinstripes; the caption is black.
      if (y == 0) return Rgb{250, 250, 250};
      if (y == h - 1) return Mix(look.formBorder, look.face, 0.35);
      const Rgb base = Mix(Rgb{238, 238, 238}, Rgb{214, 214, 214}, t);
      return y % 2 ? base : Darker(base, 0.025);
    }
    case TkvUIStyle::WinXP: {
      // The form border's blue, lit from the top.
      const Rgb base = look.formBorder;
      if (y == 0) return Lighter(base, 0.45);
      if (y == 1) return Lighter(base, 0.28);
      if (y >= h - 2) return Darker(base, 0.3);
      return y < h / 2 ? Mix(Lighter(base, 0.16), base, (y - 2.0) / (h / 2 - 2)) : Mix(base, Darker(base, 0.12), t);
    }
    case TkvUIStyle::DeepBlue: {
      // A navy band, a thin light rule, a darker foot.
      const Rgb base = look.selection;
      if (y <= 27) return Mix(Lighter(base, 0.1), Darker(base, 0.3), y / 27.0);
      if (y == 28) return Lighter(base, 0.45);
      return Darker(base, 0.5);
    }
    case TkvUIStyle::Protein: {
      const Rgb base = look.selection;
      if (y == 0) return Lighter(base, 0.35);
      if (y >= h - 2) return Darker(base, 0.35);
      return Mix(Lighter(base, 0.08), Darker(base, 0.14), (y - 1.0) / (h - 3));
    }
    case TkvUIStyle::BlueGlass: {
      // Glass: a lighter upper half over a deeper lower half.
      const Rgb base = Darker(look.selection, 0.15);
      if (y == 0) return Lighter(base, 0.5);
      if (y >= h - 2) return Darker(base, 0.4);
      if (y < h / 2) return Mix(Lighter(base, 0.24), Lighter(base, 0.12), (y - 1.0) / (h / 2 - 1));
      return Mix(base, Darker(base, 0.16), double(y - h / 2) / (h - 2 - h / 2));
    }
    case TkvUIStyle::Custom:
      break;
  }
  return look.face;
}

}  // namespace skinpictures
