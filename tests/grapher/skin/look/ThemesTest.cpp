// The style table and its readers.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <set>
#include <string>

#include "skin/look/KVThemes.h"

using namespace kx;

namespace {

constexpr TkvUIStyle Custom = TkvUIStyle::Custom, MacOS = TkvUIStyle::MacOS, WinXP = TkvUIStyle::WinXP,
                     DeepBlue = TkvUIStyle::DeepBlue, Protein = TkvUIStyle::Protein, BlueGlass = TkvUIStyle::BlueGlass;
constexpr TkvUIStyle Styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};

std::string Hex(uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "$%06X", v);
  return text;
}

enum class Reader { Integer, Color, Flag, Name, Entry };

// What a reader gives, as text: integers in decimal, colours as $BBGGRR,
// flags as true/false, ThemeEntry as "value/kind".
std::string Read(Reader reader, TkvUIStyle style, int entry) {
  switch (reader) {
    case Reader::Integer:
      return std::to_string(ThemeInteger(style, entry));
    case Reader::Color:
      return Hex(static_cast<uint32_t>(ThemeColor(style, entry)));
    case Reader::Flag:
      return ThemeFlag(style, entry) ? "true" : "false";
    case Reader::Name:
      return ThemeResourceName(style, entry);
    case Reader::Entry: {
      const TThemeValue v = ThemeEntry(style, entry);
      return std::to_string(v.Value) + "/" + std::to_string(static_cast<int>(v.Kind));
    }
  }
  return {};
}

}  // namespace

TEST(ThemeReaders, EdgeCases) {
  struct Case {
    Reader reader;
    TkvUIStyle style;
    int entry;
    const char* expected;
  } cases[] = {
      // A style without a row.
      {Reader::Integer, Custom, 4, "-1"},
      {Reader::Color, Custom, 8, "$000000"},
      {Reader::Flag, Custom, 66, "false"},
      {Reader::Name, Custom, 24, ""},
      {Reader::Entry, Custom, 1, "-1/0"},
      {Reader::Entry, static_cast<TkvUIStyle>(6), 2, "-1/0"},
      {Reader::Color, static_cast<TkvUIStyle>(255), 3, "$000000"},
      // An entry of another kind gives the reader's fallback, never the word.
      {Reader::Integer, WinXP, 2, "-1"},
      {Reader::Color, Protein, 4, "$000000"},
      {Reader::Integer, Protein, 66, "-1"},
      {Reader::Flag, MacOS, 67, "false"},
      {Reader::Name, DeepBlue, 8, ""},
      {Reader::Integer, BlueGlass, 24, "-1"},
      // Values.
      {Reader::Integer, MacOS, 68, "-2"},
      {Reader::Integer, BlueGlass, 68, "-3"},
      {Reader::Flag, Protein, 66, "true"},
      {Reader::Flag, DeepBlue, 66, "false"},
      {Reader::Entry, MacOS, 2, "8355711/1"},
      {Reader::Entry, Protein, 66, "1/3"},
      {Reader::Name, DeepBlue, 31, "DEEPBLUE_CHECKBOX_CHECK"},
      {Reader::Name, DeepBlue, 29, "DEEPBLUE_CHECKBOX_CHECK"},
      {Reader::Name, WinXP, 31, "WINXP_CHECKBOX_MOUSEON_CHECK"},
      {Reader::Name, BlueGlass, 23, "MENU_CHECKED"},
      {Reader::Name, WinXP, 65, "WINXP_TITLEBTN_RST_MOUSEDOWN"},
      {Reader::Name, Protein, 63, "PROTEIN_TITLEBTN_MAX_NORMAL"},
      {Reader::Name, MacOS, 77, "MACOS_TRACKBAR_BAR"},
      // Entries outside 1..95 read nothing beyond the table.
      {Reader::Entry, MacOS, 0, "-1/0"},
      {Reader::Entry, BlueGlass, 96, "-1/0"},
      {Reader::Integer, WinXP, 0, "-1"},
      {Reader::Integer, DeepBlue, 96, "-1"},
      {Reader::Color, Protein, 0, "$000000"},
      {Reader::Color, MacOS, 96, "$000000"},
      {Reader::Flag, BlueGlass, 0, "false"},
      {Reader::Flag, Protein, 96, "false"},
      {Reader::Name, WinXP, 0, ""},
      {Reader::Name, DeepBlue, 96, ""},
      {Reader::Entry, WinXP, -1, "-1/0"},
      {Reader::Entry, WinXP, INT_MIN, "-1/0"},
      {Reader::Name, MacOS, INT_MAX, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Read(c.reader, c.style, c.entry), c.expected)
        << "reader " << static_cast<int>(c.reader) << ", style " << static_cast<int>(c.style) << ", entry " << c.entry;
}

TEST(ThemeReaders, ValueColumns) {
  // Columns MacOS, WinXP, DeepBlue, Protein, BlueGlass.
  struct Column {
    Reader reader;
    int entry;
    std::vector<std::string> values;
  } columns[] = {
      {Reader::Integer, 1, {"1", "2", "3", "4", "5"}},
      {Reader::Color, 2, {"$7F7F7F", "$C82C00", "$000000", "$000000", "$000000"}},
      {Reader::Color, 3, {"$E7E7E7", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E7E7E7"}},
      {Reader::Integer, 4, {"1", "3", "1", "1", "1"}},
      {Reader::Integer, 6, {"130", "150", "130", "130", "270"}},
      {Reader::Integer, 7, {"0", "13", "0", "0", "11"}},
      {Reader::Color, 10, {"$000000", "$CF4602", "$000000", "$000000", "$000000"}},
      {Reader::Color, 12, {"$C47339", "$EFD3C6", "$A04A44", "$C4302D", "$EC5E5E"}},
      {Reader::Color, 15, {"$000000", "$FFFFFF", "$FFFFFF", "$FFFFFF", "$E7E7E7"}},
      {Reader::Color, 19, {"$000000", "$9CA6AD", "$9CA6AD", "$9CA6AD", "$9CA6AD"}},
      {Reader::Integer, 21, {"12", "5", "5", "5", "5"}},
      {Reader::Integer, 22, {"26", "26", "26", "26", "26"}},
      {Reader::Flag, 66, {"false", "false", "false", "true", "true"}},
      {Reader::Integer, 67, {"3", "2", "0", "0", "4"}},
      {Reader::Integer, 69, {"4", "5", "2", "2", "6"}},
      {Reader::Integer, 73, {"34", "19", "22", "22", "22"}},
      {Reader::Color, 74, {"$E7E7E7", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E9D6D5"}},
      {Reader::Color, 79, {"$EEEEEE", "$DEEBEF", "$E8E8E8", "$FBFBFB", "$E7E7E7"}},
      {Reader::Color, 82, {"$D8D8D8", "$E1AC93", "$D8D8D8", "$D8D8D8", "$D8D8D8"}},
      {Reader::Color, 84, {"$C9C9C9", "$F9F9F9", "$F5F5F5", "$F5F5F5", "$F4F4F4"}},
  };
  for (const Column& c : columns)
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Read(c.reader, Styles[i], c.entry), c.values[i]) << "entry " << c.entry;
}

TEST(ThemeTable, KindsOfTheEntries) {
  int names = 0;
  for (int entry = 1; entry <= ThemeEntryCount; ++entry) {
    const TThemeEntryKind kind = ThemeEntryKinds[static_cast<size_t>(entry - 1)];
    if (kind == TThemeEntryKind::ResourceName) ++names;
    // Every row agrees with the shared kinds.
    for (TkvUIStyle style : Styles) EXPECT_EQ(ThemeEntry(style, entry).Kind, kind) << entry;
  }
  EXPECT_EQ(names, 61);
  const std::pair<int, TThemeEntryKind> borders[] = {
      {22, TThemeEntryKind::Integer},      {23, TThemeEntryKind::ResourceName}, {65, TThemeEntryKind::ResourceName},
      {66, TThemeEntryKind::Flag},         {69, TThemeEntryKind::Integer},      {70, TThemeEntryKind::ResourceName},
      {72, TThemeEntryKind::ResourceName}, {73, TThemeEntryKind::Integer},      {74, TThemeEntryKind::Color},
      {75, TThemeEntryKind::ResourceName}, {78, TThemeEntryKind::ResourceName}, {79, TThemeEntryKind::Color},
      {84, TThemeEntryKind::Color},        {85, TThemeEntryKind::ResourceName}, {95, TThemeEntryKind::ResourceName},
  };
  for (auto [entry, kind] : borders) EXPECT_EQ(ThemeEntryKinds[static_cast<size_t>(entry - 1)], kind) << entry;
}

TEST(ThemeTable, DistinctPicturesOfEachStyle) {
  const std::pair<TkvUIStyle, const char*> prefixes[] = {
      {MacOS, "MACOS_"}, {WinXP, "WINXP_"}, {DeepBlue, "DEEPBLUE_"}, {Protein, "PROTEIN_"}, {BlueGlass, "BLUEGLASS_"}};
  for (auto [style, prefix] : prefixes) {
    std::set<std::string> names;
    for (int entry = 24; entry <= ThemeEntryCount; ++entry) {
      const std::string name = ThemeResourceName(style, entry);
      if (name.empty()) continue;
      EXPECT_EQ(name.rfind(prefix, 0), 0u) << name;
      names.insert(name);
    }
    EXPECT_EQ(names.size(), style == WinXP ? 59u : 48u) << prefix;
    EXPECT_EQ(ThemeResourceName(style, 23), "MENU_CHECKED");
  }
  EXPECT_EQ(ThemeResourceName(WinXP, 29), "WINXP_CHECKBOX_NORMAL_CHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 34), "WINXP_CHECKBOX_MOUSEDOWN_UNCHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 37), "WINXP_RADIOBUTTON_NORMAL_CHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 42), "WINXP_RADIOBUTTON_MOUSEDOWN_UNCHECK");
  EXPECT_EQ(ThemeResourceName(WinXP, 27), "WINXP_CHECKBOX_DISABLE_CHECK");
  EXPECT_EQ(ThemeResourceName(MacOS, 88), "MACOS_SCROLLBAR_BTMBUTTON_NORMAL");
  EXPECT_EQ(ThemeResourceName(BlueGlass, 95), "BLUEGLASS_CHECKLIST_UNCHECK");
}

TEST(ThemeReaders, PCharToString) {
  std::string out = "old";
  PCharToString(nullptr, out);
  EXPECT_EQ(out, "");
  PCharToString("", out);
  EXPECT_EQ(out, "");
  PCharToString("MENU_CHECKED", out);
  EXPECT_EQ(out, "MENU_CHECKED");
}
