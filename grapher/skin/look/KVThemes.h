// The five built-in looks of the skinned controls: the style enumeration, the
// constant style table and its typed readers.
//
// Every look is one row of 95 numbered entries (1..95): colours, integers,
// flags and names of bitmap resources compiled into the program. A control
// reads an entry with the reader of the entry's kind; asked for an entry of
// another kind (or for a style without a row, such as Custom) a reader
// returns its fallback: -1, false, black (0) or the empty string.
//
// This file needs no window: the build's picture generator reads the same
// table. The style's passage over a control tree is in KVThemesControls.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "framework/core/Classes.h"
#include "framework/core/Colors.h"

namespace kx {

// Stored in one byte; form resources name the values.
enum class TkvUIStyle : uint8_t { Custom, MacOS, WinXP, DeepBlue, Protein, BlueGlass };
KX_ENUM_NAMES(TkvUIStyle, "Custom", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass")

// What the word of an entry holds.
enum class TThemeEntryKind : uint8_t {
  Integer,       // a signed 32-bit integer
  Color,         // a colour $00BBGGRR
  ResourceName,  // the offset of a NUL-terminated name in ThemeNameText
  Flag,          // 0 or 1
};

constexpr int ThemeStyleCount = 5;   // rows: MacOS .. BlueGlass
constexpr int ThemeEntryCount = 95;  // entries 1..95 of a row

// One entry as the table holds it.
struct TThemeValue {
  int32_t Value;
  TThemeEntryKind Kind;
};

// The table, row r for style r + 1, entry n at index n - 1.
using TThemeRow = std::array<int32_t, ThemeEntryCount>;
extern const std::array<TThemeRow, ThemeStyleCount> ThemeTable;
// The kind of each entry number, shared by all rows (index n - 1).
extern const std::array<TThemeEntryKind, ThemeEntryCount> ThemeEntryKinds;
// The resource names the table refers to, one after another, each ended by NUL.
extern const char* const ThemeNameText;

// The entry of a style's row; Custom, any other value without a row and an
// entry outside 1..95 give {-1, Integer}.
TThemeValue ThemeEntry(TkvUIStyle style, int entry);

// The typed readers; each keeps the word only when the entry is of its kind.
std::string ThemeResourceName(TkvUIStyle style, int entry);  // else ""
int32_t ThemeInteger(TkvUIStyle style, int entry);           // else -1
bool ThemeFlag(TkvUIStyle style, int entry);                 // else false
TColor ThemeColor(TkvUIStyle style, int entry);              // else 0 (black)

// Copies a NUL-terminated name; nullptr gives the empty string.
void PCharToString(const char* name, std::string& out);

}  // namespace kx
