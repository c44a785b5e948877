// The formula dialog's own vocabulary and texts: the 45 names its check and
// its live help know, the variable letters each kind allows, the help text and
// the messages. The texts are TCVN3, as the dialog's screen font draws them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/model/RangeArray.h"

namespace kx {

struct TFormulaIdentifier {
  std::string Name;  // upper case
  std::string Syntax;
  std::string Description;
};

// The order is that of the help's name lists; the first exact match wins.
// This vocabulary is not the compiler's: some names here are unknown to it
// (AND, IFTHEN, ...) and it knows some names missing here (arccotan, int).
const std::array<TFormulaIdentifier, 45>& FormulaIdentifierTable();

// The variable letters; bit j of a kind's mask allows letter j (from 0).
inline constexpr char VariableLetters[] = "XYPRTUV";
inline constexpr TRangeArray<uint8_t, 1, 8> KindVariableMask{{0x01, 0x02, 0x04, 0x08, 0x10, 0x10, 0x03, 0x60}};

// The lines of the help panel, in order.
const std::vector<std::string>& FormulaHelpLines();

// "Có lỗi trong công thức hàm " (with its blank), before the formula's letter.
const std::string& FormulaErrorHeading();
// A word that is neither a plain number nor a name of the table.
const std::string& UnknownWordMessage();
// A variable letter the kind does not allow; the word in upper case.
std::string ForbiddenVariableMessage(const std::string& word);

// Code of the membership sign in the screen font, which has no TCVN3 letter there.
constexpr char MembershipSign = '\x81';

}  // namespace kx
