#include "skin/look/KVThemes.h"

namespace kx {

namespace {

using Kind = TThemeEntryKind;

// An entry that holds a value word: its kind and one value per row
// (MacOS, WinXP, DeepBlue, Protein, BlueGlass).
struct ValueEntry {
  int Entry;
  Kind EntryKind;
  int32_t Values[ThemeStyleCount];
};

// Entries 1, 5, 14 and 19 are read by nothing; they keep their place.
constexpr ValueEntry ValueEntries[] = {
    {1, Kind::Integer, {1, 2, 3, 4, 5}},                                   // the row's own style number
    {2, Kind::Color, {0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000}},  // form and menu border
    {3, Kind::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},  // form colour
    {4, Kind::Integer, {1, 3, 1, 1, 1}},                                   // form border width
    {5, Kind::Integer, {21, 27, 30, 21, 31}},
    {6, Kind::Integer, {130, 150, 130, 130, 270}},                          // host form's minimum width
    {7, Kind::Integer, {0, 13, 0, 0, 11}},                                  // title bar's round corner
    {8, Kind::Color, {0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000}},   // border of bordered controls
    {9, Kind::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},   // group box, tabs, grids...
    {10, Kind::Color, {0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000}},  // group caption
    {11, Kind::Color, {0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E}},  // menu selection frame
    {12, Kind::Color, {0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E}},  // menu selection, grid fixed
    {13, Kind::Color, {0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},  // selected menu text
    {14, Kind::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},
    {15, Kind::Color, {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7}},  // menu colour
    {16, Kind::Color, {0x000000, 0x000000, 0x000000, 0x000000, 0x000000}},  // menu and grid text
    {17, Kind::Color, {0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6}},  // menu side bar
    {18, Kind::Color, {0x000000, 0x848284, 0x848284, 0x848284, 0x848284}},  // menu separator
    {19, Kind::Color, {0x000000, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD, 0x9CA6AD}},
    {20, Kind::Integer, {20, 21, 21, 21, 21}},                              // menu item height
    {21, Kind::Integer, {12, 5, 5, 5, 5}},                                  // menu separator height
    {22, Kind::Integer, {26, 26, 26, 26, 26}},                              // menu side bar width
    {66, Kind::Flag, {0, 0, 0, 1, 1}},                                      // title-bar buttons keyed
    {67, Kind::Integer, {3, 2, 0, 0, 4}},                                   // title bar: left button offset
    {68, Kind::Integer, {-2, -2, 0, 0, -3}},                                // title bar: right button offset
    {69, Kind::Integer, {4, 5, 2, 2, 6}},                                   // title-bar buttons' top
    {73, Kind::Integer, {34, 19, 22, 22, 22}},                              // tab strip height
    {74, Kind::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE9D6D5}},  // combo box button
    {79, Kind::Color, {0xEEEEEE, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},  // track bar
    {80, Kind::Color, {0x474747, 0xC66931, 0x474747, 0x474747, 0x474747}},  // tool bar button border
    {81, Kind::Color, {0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF}},  // tool bar button
    {82, Kind::Color, {0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8}},  // tool bar button down
    {83, Kind::Color, {0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7}},  // tool bar
    {84, Kind::Color, {0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4}},  // scroll bar
};

// An entry that names a bitmap: the name is the row's prefix, "_" and Suffix;
// WinXPSuffix, when given, replaces Suffix in the WinXP row; Whole names the
// same picture in every row.
struct NameEntry {
  int Entry;
  const char* Suffix;
  const char* WinXPSuffix = nullptr;
  bool Whole = false;
};

constexpr NameEntry NameEntries[] = {
    {23, "MENU_CHECKED", nullptr, true},
    {24, "BUTTON_NORMAL"},
    {25, "BUTTON_MOUSEON"},
    {26, "BUTTON_MOUSEDOWN"},
    {27, "CHECKBOX_DISABLE_CHECK"},
    {28, "CHECKBOX_DISABLE_UNCHECK"},
    {29, "CHECKBOX_CHECK", "CHECKBOX_NORMAL_CHECK"},
    {30, "CHECKBOX_UNCHECK", "CHECKBOX_NORMAL_UNCHECK"},
    {31, "CHECKBOX_CHECK", "CHECKBOX_MOUSEON_CHECK"},
    {32, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEON_UNCHECK"},
    {33, "CHECKBOX_CHECK", "CHECKBOX_MOUSEDOWN_CHECK"},
    {34, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEDOWN_UNCHECK"},
    {35, "RADIOBUTTON_DISABLE_CHECK"},
    {36, "RADIOBUTTON_DISABLE_UNCHECK"},
    {37, "RADIOBUTTON_CHECK", "RADIOBUTTON_NORMAL_CHECK"},
    {38, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_NORMAL_UNCHECK"},
    {39, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEON_CHECK"},
    {40, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEON_UNCHECK"},
    {41, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEDOWN_CHECK"},
    {42, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_UNCHECK"},
    {43, "PROGRESSBAR"},
    {44, "PROGRESSBAR_V"},
    {45, "TITLE_LEFT"},
    {46, "TITLE_CLIENT"},
    {47, "TITLE_RIGHT"},
    {48, "TITLEBTN_CLOSE_NORMAL"},
    {49, "TITLEBTN_CLOSE_MOUSEON"},
    {50, "TITLEBTN_CLOSE_MOUSEDOWN"},
    {51, "TITLEBTN_MAX_NORMAL"},
    {52, "TITLEBTN_MAX_MOUSEON"},
    {53, "TITLEBTN_MAX_MOUSEDOWN"},
    {54, "TITLEBTN_MIN_NORMAL"},
    {55, "TITLEBTN_MIN_MOUSEON"},
    {56, "TITLEBTN_MIN_MOUSEDOWN"},
    {57, "TITLEBTN_HELP_NORMAL"},
    {58, "TITLEBTN_HELP_MOUSEON"},
    {59, "TITLEBTN_HELP_MOUSEDOWN"},
    {60, "TITLEBTN_CTLBOX_NORMAL"},
    {61, "TITLEBTN_CTLBOX_MOUSEON"},
    {62, "TITLEBTN_CTLBOX_MOUSEDOWN"},
    // The maximise button of a maximised form; only WinXP has restore pictures.
    {63, "TITLEBTN_MAX_NORMAL", "TITLEBTN_RST_NORMAL"},
    {64, "TITLEBTN_MAX_MOUSEON", "TITLEBTN_RST_MOUSEON"},
    {65, "TITLEBTN_MAX_MOUSEDOWN", "TITLEBTN_RST_MOUSEDOWN"},
    {70, "TAB_ACTIVE"},
    {71, "TAB_INACTIVE"},
    {72, "TAB_LINE"},
    {75, "TRACKBAR_BAR"},
    {76, "TRACKBAR_SLIDER"},
    {77, "TRACKBAR_BAR"},  // turned by a vertical track bar
    {78, "TRACKBAR_SLIDER_V"},
    {85, "SCROLLBAR_TOPBUTTON_NORMAL"},
    {86, "SCROLLBAR_TOPBUTTON_MOUSEON"},
    {87, "SCROLLBAR_TOPBUTTON_MOUSEDOWN"},
    {88, "SCROLLBAR_BTMBUTTON_NORMAL"},
    {89, "SCROLLBAR_BTMBUTTON_MOUSEON"},
    {90, "SCROLLBAR_BTMBUTTON_MOUSEDOWN"},
    {91, "SCROLLBAR_TRACK"},
    {92, "CHECKLIST_DISABLE_CHECK"},
    {93, "CHECKLIST_DISABLE_UNCHECK"},
    {94, "CHECKLIST_CHECK"},
    {95, "CHECKLIST_UNCHECK"},
};

constexpr const char* RowPrefixes[ThemeStyleCount] = {"MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS"};
constexpr int WinXPRow = 1;

constexpr size_t NameTextCapacity = 16 * 1024;

// The table, its kinds and its name text, built while compiling.
struct BuiltTable {
  std::array<TThemeRow, ThemeStyleCount> Rows{};
  std::array<TThemeEntryKind, ThemeEntryCount> Kinds{};
  std::array<char, NameTextCapacity> NameText{};
  size_t NameTextUsed = 0;
  std::array<bool, ThemeEntryCount> Described{};

  constexpr void Describe(int entry, Kind kind) {
    if (Described[entry - 1]) throw "an entry of the style table is described twice";
    Described[entry - 1] = true;
    Kinds[entry - 1] = kind;
  }
  constexpr void Append(const char* text) {
    for (; *text; ++text) NameText[NameTextUsed++] = *text;
  }
};

constexpr BuiltTable BuildTable() {
  BuiltTable t;
  for (const ValueEntry& e : ValueEntries) {
    t.Describe(e.Entry, e.EntryKind);
    for (int row = 0; row < ThemeStyleCount; ++row) t.Rows[row][e.Entry - 1] = e.Values[row];
  }
  for (const NameEntry& e : NameEntries) {
    t.Describe(e.Entry, Kind::ResourceName);
    for (int row = 0; row < ThemeStyleCount; ++row) {
      t.Rows[row][e.Entry - 1] = static_cast<int32_t>(t.NameTextUsed);
      if (!e.Whole) {
        t.Append(RowPrefixes[row]);
        t.Append("_");
      }
      t.Append(row == WinXPRow && e.WinXPSuffix ? e.WinXPSuffix : e.Suffix);
      t.NameText[t.NameTextUsed++] = '\0';
    }
  }
  // A gap would leave a silent 0 in the table.
  for (bool described : t.Described)
    if (!described) throw "an entry of the style table is not described";
  return t;
}

constexpr BuiltTable Built = BuildTable();
static_assert(Built.NameTextUsed < NameTextCapacity);

}  // namespace

const std::array<TThemeRow, ThemeStyleCount> ThemeTable = Built.Rows;
const std::array<TThemeEntryKind, ThemeEntryCount> ThemeEntryKinds = Built.Kinds;
const char* const ThemeNameText = Built.NameText.data();

TThemeValue ThemeEntry(TkvUIStyle style, int entry) {
  const int row = static_cast<int>(style) - 1;
  if (row < 0 || row >= ThemeStyleCount || entry < 1 || entry > ThemeEntryCount) return {-1, Kind::Integer};
  return {ThemeTable[row][entry - 1], ThemeEntryKinds[entry - 1]};
}

std::string ThemeResourceName(TkvUIStyle style, int entry) {
  std::string name;
  const TThemeValue v = ThemeEntry(style, entry);
  if (v.Kind == Kind::ResourceName) PCharToString(ThemeNameText + v.Value, name);
  return name;
}

int32_t ThemeInteger(TkvUIStyle style, int entry) {
  const TThemeValue v = ThemeEntry(style, entry);
  return v.Kind == Kind::Integer ? v.Value : -1;
}

bool ThemeFlag(TkvUIStyle style, int entry) {
  const TThemeValue v = ThemeEntry(style, entry);
  return v.Kind == Kind::Flag && v.Value != 0;
}

TColor ThemeColor(TkvUIStyle style, int entry) {
  const TThemeValue v = ThemeEntry(style, entry);
  return v.Kind == Kind::Color ? v.Value : 0;
}

void PCharToString(const char* name, std::string& out) { out = name ? name : ""; }

}  // namespace kx
