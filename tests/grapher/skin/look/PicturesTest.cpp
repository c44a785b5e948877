// The skin pictures as the program carries them: each loads by name from the
// test program's own resources, has its size, and keeps the key colours and
// shapes the drawing code relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/windows/Graphics.h"
#include "skin/look/KVThemes.h"

using namespace kx;

namespace {

struct Size {
  int w, h;
};

// Picture sizes per style, as the controls are laid out by them.
struct StyleSizes {
  TkvUIStyle style;
  const char* prefix;
  Size button, check, radio, checkList, progress, progressV, titleLeft, titleClient, titleRight, titleButton, tab,
      tabLine, trackBar, slider, sliderV, scrollButton, scrollTrack;
};

const StyleSizes AllSizes[] = {
    {TkvUIStyle::MacOS,
     "MACOS_",
     {84, 23},
     {15, 17},
     {16, 17},
     {11, 11},
     {13, 10},
     {13, 13},
     {48, 23},
     {49, 23},
     {48, 23},
     {17, 17},
     {18, 27},
     {17, 7},
     {45, 5},
     {11, 20},
     {19, 11},
     {16, 22},
     {16, 33}},
    {TkvUIStyle::WinXP,
     "WINXP_",
     {18, 21},
     {13, 13},
     {13, 13},
     {11, 11},
     {6, 10},
     {10, 6},
     {35, 29},
     {37, 29},
     {35, 29},
     {21, 21},
     {9, 18},
     {8, 1},
     {45, 8},
     {11, 21},
     {22, 11},
     {16, 17},
     {16, 21}},
    {TkvUIStyle::DeepBlue,
     "DEEPBLUE_",
     {74, 21},
     {13, 13},
     {13, 13},
     {11, 11},
     {1, 10},
     {10, 1},
     {97, 32},
     {98, 32},
     {97, 32},
     {19, 19},
     {6, 17},
     {5, 5},
     {45, 4},
     {11, 20},
     {18, 11},
     {16, 16},
     {16, 21}},
    {TkvUIStyle::Protein,
     "PROTEIN_",
     {74, 21},
     {13, 13},
     {13, 13},
     {11, 11},
     {1, 10},
     {10, 1},
     {441, 23},
     {1, 23},
     {1, 23},
     {19, 19},
     {9, 17},
     {10, 5},
     {45, 4},
     {11, 20},
     {18, 11},
     {16, 16},
     {16, 21}},
    {TkvUIStyle::BlueGlass,
     "BLUEGLASS_",
     {77, 27},
     {13, 13},
     {13, 13},
     {11, 11},
     {1, 10},
     {10, 1},
     {162, 33},
     {179, 33},
     {101, 33},
     {19, 19},
     {9, 17},
     {10, 5},
     {45, 4},
     {11, 20},
     {18, 11},
     {17, 16},
     {16, 21}},
};

// What a picture must keep for the code that draws it.
enum class Key {
  None,           // opaque, no Fuchsia at all
  ButtonCorners,  // Fuchsia only outside the rounded corners
  Circle,         // radio: the top-left pixel's colour all round the circle
  BottomLeft,     // keyed on the bottom-left pixel's colour
  TabEnds,        // Fuchsia at the top-left pixel and only in the outer thirds
  White,          // the menu tick, on white
};

enum class Shape {
  Plain,
  PushButton,  // its middle rows and columns alike (they are stretched)
  ArrowUp,
  ArrowDown,
  Thumb,          // a vertical thumb in thirds
  Tile,           // a seamless 8 x 8 tile
  Stretched,      // columns alike: stretched sideways (bars, tab line, title client)
  StretchedRows,  // rows alike: a vertical bar
  Round,          // a keyed button: the key all round one solid shape
};

struct Expected {
  std::string name;
  TkvUIStyle style;  // Custom: shared by all styles
  Size size;
  Key key = Key::None;
  Shape shape = Shape::Plain;
};

std::vector<Expected> ExpectedPictures() {
  std::vector<Expected> all;
  for (const StyleSizes& s : AllSizes) {
    const bool xp = s.style == TkvUIStyle::WinXP;
    auto add = [&](const std::string& part, Size size, Key key = Key::None, Shape shape = Shape::Plain) {
      all.push_back({s.prefix + part, s.style, size, key, shape});
    };
    const bool keyedButtons = s.style == TkvUIStyle::MacOS || s.style == TkvUIStyle::BlueGlass;
    for (const char* state : {"NORMAL", "MOUSEON", "MOUSEDOWN"})
      add(std::string("BUTTON_") + state, s.button, keyedButtons ? Key::ButtonCorners : Key::None, Shape::PushButton);
    for (const char* box : {"CHECKBOX", "RADIOBUTTON"}) {
      const bool radio = std::string(box) == "RADIOBUTTON";
      const Size size = radio ? s.radio : s.check;
      const Key key = radio ? Key::Circle : Key::None;
      std::vector<std::string> states = {"DISABLE_CHECK", "DISABLE_UNCHECK"};
      if (xp) {
        for (const char* st : {"NORMAL", "MOUSEON", "MOUSEDOWN"})
          for (const char* c : {"_CHECK", "_UNCHECK"}) states.push_back(std::string(st) + c);
      } else {
        states.push_back("CHECK");
        states.push_back("UNCHECK");
      }
      for (const std::string& st : states) add(std::string(box) + "_" + st, size, key);
    }
    add("PROGRESSBAR", s.progress, Key::None, Shape::Stretched);
    add("PROGRESSBAR_V", s.progressV, Key::None, Shape::StretchedRows);
    add("TITLE_LEFT", s.titleLeft);
    add("TITLE_CLIENT", s.titleClient, Key::None, Shape::Stretched);
    add("TITLE_RIGHT", s.titleRight);
    const bool keyedTitle = s.style == TkvUIStyle::Protein || s.style == TkvUIStyle::BlueGlass;
    std::vector<std::string> buttons = {"CLOSE", "MAX", "MIN", "HELP", "CTLBOX"};
    if (xp) buttons.push_back("RST");
    for (const std::string& b : buttons)
      for (const char* state : {"NORMAL", "MOUSEON", "MOUSEDOWN"})
        add("TITLEBTN_" + b + "_" + state, s.titleButton, keyedTitle ? Key::BottomLeft : Key::None,
            keyedTitle ? Shape::Round : Shape::Plain);
    add("TAB_ACTIVE", s.tab, Key::TabEnds);
    add("TAB_INACTIVE", s.tab, Key::TabEnds);
    add("TAB_LINE", s.tabLine, Key::None, Shape::Stretched);
    add("TRACKBAR_BAR", s.trackBar);
    add("TRACKBAR_SLIDER", s.slider);
    add("TRACKBAR_SLIDER_V", s.sliderV);
    for (const char* state : {"NORMAL", "MOUSEON", "MOUSEDOWN"}) {
      add(std::string("SCROLLBAR_TOPBUTTON_") + state, s.scrollButton, Key::None, Shape::ArrowUp);
      add(std::string("SCROLLBAR_BTMBUTTON_") + state, s.scrollButton, Key::None, Shape::ArrowDown);
    }
    add("SCROLLBAR_TRACK", s.scrollTrack, Key::None, Shape::Thumb);
    for (const char* item : {"DISABLE_CHECK", "DISABLE_UNCHECK", "CHECK", "UNCHECK"})
      add(std::string("CHECKLIST_") + item, s.checkList);
  }
  const TkvUIStyle shared = TkvUIStyle::Custom;
  all.push_back({"MENU_CHECKED", shared, {16, 16}, Key::White});
  all.push_back({"MACOS_FORM_BACKGROUND", TkvUIStyle::MacOS, {8, 8}, Key::None, Shape::Tile});
  all.push_back({"PROTEIN_FORM_BACKGROUND", TkvUIStyle::Protein, {8, 8}, Key::None, Shape::Tile});
  all.push_back({"MACOS_MENU_BAR", TkvUIStyle::MacOS, {1, 22}});
  all.push_back({"MACOS_MENU_SELECT", TkvUIStyle::MacOS, {1, 21}});
  all.push_back({"MACOS_COMBOBOX_BUTTON", TkvUIStyle::MacOS, {16, 17}});
  all.push_back({"FONTCOMBO_TRUETYPE_FNT", shared, {20, 12}, Key::BottomLeft});
  all.push_back({"FONTCOMBO_DEVICE_FNT", shared, {20, 12}, Key::BottomLeft});
  all.push_back({"SIDECHANNEL_BAR_NORMAL", shared, {8, 172}});
  all.push_back({"SIDECHANNEL_BAR_MOUSEON", shared, {8, 172}});
  all.push_back({"SIDECHANNEL_BTN_NOONTOP", shared, {7, 9}, Key::BottomLeft});
  all.push_back({"SIDECHANNEL_BTN_ONTOP", shared, {8, 7}, Key::BottomLeft});
  return all;
}

// The picture as a grid of 0x00BBGGRR values.
struct Pixels {
  int w = 0, h = 0;
  std::vector<TColor> p;
  TColor At(int x, int y) const { return p[static_cast<size_t>(y) * w + x]; }
  bool RowsAlike(int y0, int y1, int x0 = 0, int x1 = -1) const {
    if (x1 < 0) x1 = w;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (At(x, y) != At(x, y0)) return false;
    return true;
  }
  bool ColumnsAlike(int x0, int x1) const {
    for (int x = x0; x < x1; ++x)
      for (int y = 0; y < h; ++y)
        if (At(x, y) != At(x0, y)) return false;
    return true;
  }
};

Pixels Read(TBitmap& b) {
  Pixels px{b.Width(), b.Height(), {}};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) px.p.push_back(b.Canvas()->Pixel(x, y) & 0xFFFFFF);
  return px;
}

// Relative luminance and contrast ratio of two colours.
double Luminance(TColor c) {
  auto lin = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(c & 0xFF) + 0.7152 * lin((c >> 8) & 0xFF) + 0.0722 * lin((c >> 16) & 0xFF);
}
double Contrast(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every row's and every column's pixels not of colour k form one run.
bool OneRunPerLine(const Pixels& px, TColor k) {
  auto runs = [&](int n, const std::function<bool(int)>& in) {
    int count = 0;
    for (int i = 0; i < n; ++i)
      if (in(i) && (i == 0 || !in(i - 1))) ++count;
    return count;
  };
  for (int y = 0; y < px.h; ++y)
    if (runs(px.w, [&](int x) { return px.At(x, y) != k; }) > 1) return false;
  for (int x = 0; x < px.w; ++x)
    if (runs(px.h, [&](int y) { return px.At(x, y) != k; }) > 1) return false;
  return true;
}

int Count(const Pixels& px, TColor c) { return static_cast<int>(std::count(px.p.begin(), px.p.end(), c)); }

void CheckKey(const Expected& e, const Pixels& px) {
  const int w = px.w, h = px.h;
  switch (e.key) {
    case Key::None:
      EXPECT_EQ(Count(px, clFuchsia), 0) << "Fuchsia in an opaque picture";
      break;
    case Key::ButtonCorners: {
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(px.At(x, y), clFuchsia) << "corner " << x << ", " << y;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (px.At(x, y) == clFuchsia) {
            const int dx = std::min(x, w - 1 - x), dy = std::min(y, h - 1 - y);
            EXPECT_TRUE(dx < 6 && dy < 6 && dx + dy < 7) << "Fuchsia away from the corners at " << x << ", " << y;
          }
      break;
    }
    case Key::Circle: {
      const TColor k = px.At(0, 0);
      EXPECT_EQ(k, clFuchsia);
      for (auto [x, y] : {std::pair{w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) EXPECT_EQ(px.At(x, y), k);
      EXPECT_NE(px.At(w / 2, h / 2), k);
      EXPECT_NE(px.At(w / 2, 1), k);
      EXPECT_NE(px.At(1, h / 2), k);
      EXPECT_TRUE(OneRunPerLine(px, k)) << "the key colour inside the circle";
      break;
    }
    case Key::BottomLeft: {
      const TColor k = px.At(0, h - 1);
      EXPECT_EQ(k, clFuchsia);
      std::set<TColor> others(px.p.begin(), px.p.end());
      others.erase(k);
      EXPECT_FALSE(others.empty()) << "nothing drawn";
      break;
    }
    case Key::TabEnds: {
      EXPECT_EQ(px.At(0, 0), clFuchsia);
      const int third = w / 3;
      for (int y = 0; y < h; ++y)
        for (int x = third; x < 2 * third; ++x) EXPECT_NE(px.At(x, y), clFuchsia) << x << ", " << y;
      EXPECT_TRUE(px.ColumnsAlike(third, 2 * third)) << "the stretched middle third";
      break;
    }
    case Key::White:
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) EXPECT_EQ(px.At(x, y), 0xFFFFFF);
      EXPECT_GT(w * h - Count(px, 0xFFFFFF), 10) << "no tick";
      EXPECT_EQ(Count(px, clFuchsia), 0);
      break;
  }
}

// Row where an arrow (the colour at the picture's centre) is narrowest and widest.
std::pair<int, int> ArrowRows(const Pixels& px) {
  const TColor ink = px.At(px.w / 2, px.h / 2);
  int narrow = -1, wide = -1, narrowCount = 1 << 20, wideCount = 0;
  for (int y = 0; y < px.h; ++y) {
    int n = 0;
    for (int x = 0; x < px.w; ++x) n += px.At(x, y) == ink;
    if (n == 0) continue;
    if (n < narrowCount) narrow = y, narrowCount = n;
    if (n > wideCount) wide = y, wideCount = n;
  }
  return {narrow, wide};
}

void CheckShape(const Expected& e, const Pixels& px) {
  const int w = px.w, h = px.h;
  switch (e.shape) {
    case Shape::Plain:
      break;
    case Shape::PushButton:
      // The nine slices stretch rows h/2 .. h - h/2 and columns w/2 .. w - w/2.
      EXPECT_TRUE(px.RowsAlike(h / 2, h - h / 2 + 1));
      EXPECT_TRUE(px.ColumnsAlike(w / 2, w - w / 2 + 1));
      break;
    case Shape::ArrowUp:
    case Shape::ArrowDown: {
      const auto [narrow, wide] = ArrowRows(px);
      if (e.shape == Shape::ArrowUp)
        EXPECT_LT(narrow, wide) << "the arrow does not point up";
      else
        EXPECT_GT(narrow, wide) << "the arrow does not point down";
      break;
    }
    case Shape::Thumb: {
      EXPECT_EQ(w, 16);
      const int third = h / 3;
      EXPECT_TRUE(px.RowsAlike(third, 2 * third)) << "the middle third is stretched";
      EXPECT_FALSE(px.RowsAlike(0, third)) << "no cap at the top";
      EXPECT_FALSE(px.RowsAlike(2 * third, 3 * third)) << "no cap at the bottom";
      break;
    }
    case Shape::Tile: {
      // The seams between tiles differ no more than neighbours inside the tile.
      auto diff = [](TColor a, TColor b) {
        return std::abs((a & 0xFF) - (b & 0xFF)) + std::abs(((a >> 8) & 0xFF) - ((b >> 8) & 0xFF)) +
               std::abs(((a >> 16) & 0xFF) - ((b >> 16) & 0xFF));
      };
      int inside = 0, seam = 0;
      for (int i = 0; i < 8; ++i) {
        for (int j = 0; j + 1 < 8; ++j)
          inside = std::max({inside, diff(px.At(j, i), px.At(j + 1, i)), diff(px.At(i, j), px.At(i, j + 1))});
        seam = std::max({seam, diff(px.At(7, i), px.At(0, i)), diff(px.At(i, 7), px.At(i, 0))});
      }
      EXPECT_LE(seam, inside);
      EXPECT_LE(inside, 40) << "a quiet background";
      break;
    }
    case Shape::Stretched:
      EXPECT_TRUE(px.ColumnsAlike(0, w));
      break;
    case Shape::StretchedRows:
      EXPECT_TRUE(px.RowsAlike(0, h));
      break;
    case Shape::Round: {
      const TColor k = px.At(0, h - 1);
      for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {w - 1, h - 1}}) EXPECT_EQ(px.At(x, y), k);
      EXPECT_NE(px.At(w / 2, h / 2), k);
      EXPECT_TRUE(OneRunPerLine(px, k)) << "the key colour inside the button";
      break;
    }
  }
}

std::unique_ptr<TBitmap> Load(const std::string& name) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromResourceName(GetModuleHandleA(nullptr), name);
  return b;
}

}  // namespace

TEST(SkinPictures, TheTableNamesExactlyThePicturesOfEachStyle) {
  std::set<std::string> expected, named;
  for (const Expected& e : ExpectedPictures())
    if (e.style != TkvUIStyle::Custom || e.name == "MENU_CHECKED") expected.insert(e.name);
  for (const char* outside : {"MACOS_FORM_BACKGROUND", "PROTEIN_FORM_BACKGROUND", "MACOS_MENU_BAR", "MACOS_MENU_SELECT",
                              "MACOS_COMBOBOX_BUTTON"})
    expected.erase(outside);
  for (const StyleSizes& s : AllSizes)
    for (int entry = 1; entry <= ThemeEntryCount; ++entry) {
      const std::string name = ThemeResourceName(s.style, entry);
      if (!name.empty()) named.insert(name);
    }
  EXPECT_EQ(named, expected);
  EXPECT_EQ(ExpectedPictures().size(), 263u);
}

TEST(SkinPictures, EachLoadsWithItsSizeAndKeys) {
  for (const Expected& e : ExpectedPictures()) {
    SCOPED_TRACE(e.name);
    std::unique_ptr<TBitmap> b;
    ASSERT_NO_THROW(b = Load(e.name));
    ASSERT_EQ(b->Width(), e.size.w);
    ASSERT_EQ(b->Height(), e.size.h);
    const Pixels px = Read(*b);
    CheckKey(e, px);
    CheckShape(e, px);
  }
}

TEST(SkinPictures, TitleSectionsJoinAndCarryTheCaption) {
  for (const StyleSizes& s : AllSizes) {
    SCOPED_TRACE(s.prefix);
    auto left = Load(std::string(s.prefix) + "TITLE_LEFT");
    auto client = Load(std::string(s.prefix) + "TITLE_CLIENT");
    auto right = Load(std::string(s.prefix) + "TITLE_RIGHT");
    const Pixels l = Read(*left), c = Read(*client), r = Read(*right);
    for (int y = 0; y < c.h; ++y) {
      EXPECT_EQ(l.At(l.w - 1, y), c.At(0, y)) << "row " << y;
      EXPECT_EQ(r.At(0, y), c.At(c.w - 1, y)) << "row " << y;
    }
    // The caption's rows: black on MacOS, bold white on the others.
    const bool light = s.style == TkvUIStyle::MacOS;
    for (int y = c.h / 5; y < c.h - c.h / 5; ++y) {
      const double ratio = Contrast(c.At(0, y), light ? 0x000000 : 0xFFFFFF);
      EXPECT_GE(ratio, light ? 7.0 : 3.5) << "row " << y;
    }
  }
}

TEST(SkinPictures, TheIconInBothSizes) {
  for (int size : {16, 32}) {
    HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    EXPECT_EQ(bm.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

// The colour depth as compiled in: the font-list glyphs have 16 colours, the
// pin glyphs two, and every other picture 24 bits.
TEST(SkinPictures, ColourDepthOfTheStoredBitmaps) {
  const std::map<std::string, int> indexed = {{"FONTCOMBO_TRUETYPE_FNT", 4},
                                              {"FONTCOMBO_DEVICE_FNT", 4},
                                              {"SIDECHANNEL_BTN_NOONTOP", 1},
                                              {"SIDECHANNEL_BTN_ONTOP", 1}};
  for (const Expected& e : ExpectedPictures()) {
    SCOPED_TRACE(e.name);
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, e.name.c_str(), MAKEINTRESOURCEA(2));  // RT_BITMAP
    ASSERT_NE(found, nullptr);
    ASSERT_GE(SizeofResource(module, found), sizeof(BITMAPINFOHEADER));
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    const auto it = indexed.find(e.name);
    EXPECT_EQ(header->biBitCount, it == indexed.end() ? 24 : it->second);
  }
}
