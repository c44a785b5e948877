// What the formula dialog reads in a formula before the compiler sees it: the
// scanner, the identifier check against the dialog's vocabulary and the kind's
// variable letters, and the live help for the word at the caret. Positions
// follow the dialog's memo: scanner positions are 1-based character indexes,
// carets and selections 0-based.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kx {

// Blank ( ) * + , - / < = >: everything else, "." and "^" included, belongs
// to a word.
bool IsFormulaSeparator(char c);

// From pos, skips separators and takes the word after them: start is its first
// index, end one past its last, token the word in upper case, and pos moves to
// end. When only separators remain, token is empty and pos is length + 1; for
// an empty text pos is 1. start and end are 0 until set.
void NextFormulaToken(std::string_view text, int& pos, int& start, int& end, std::string& token);

// Only digits and points, or nothing: such a word is left to the compiler.
bool IsPlainNumber(std::string_view token);

// The check of one formula: the first failing word, selected.
struct TIdentifierCheck {
  bool Passed = true;
  std::string Message;  // TCVN3, when it failed
  int SelStart = 0;     // the failing word, 0-based
  int SelLength = 0;
};

// Every word must be empty, a plain number or a name of the dialog's table;
// a name that is a variable letter must be one the kind allows.
TIdentifierCheck CheckFormulaIdentifiers(std::string_view text, int32_t kind);

// The two parts of the status line the live help writes (TCVN3).
struct TFormulaHelp {
  std::string Syntax;       // left part: syntax of the word, and the longer names it begins
  std::string Description;  // right part
  bool operator==(const TFormulaHelp&) const = default;
};

// The help for the word that contains or touches the caret; empty when the
// caret touches no word.
TFormulaHelp IdentifierHelp(std::string_view text, int caret);

}  // namespace kx
