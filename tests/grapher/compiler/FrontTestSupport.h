// Helpers for the tests of the parser and the built-ins: a compiler front end
// with the grapher's 25 built-ins and a decoder of coded operand strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/KCompilerBase.h"

namespace kx {

class TTestFront : public TSimpler {
 public:
  // Registers the grapher's built-ins and binds the variables x, y, z, a .. e.
  TTestFront();

  // Parses and decodes: constants as {value}, integer constants as [type:value],
  // variables and functions by name, brackets and operators as they stand.
  std::string Coded(const std::string& text);
  // The widths of the constant-stack entries after the last parse.
  std::vector<int> ConstWidths() const { return {constSizes_.begin(), constSizes_.end()}; }
  // Value of a formula that must fold to a single constant (NaN when it did not).
  long double Folded(const std::string& text);

  std::string Decode(const std::string& coded) const;

 private:
  long double cells_[8] = {};
};

// Readable form of a value for decoded strings: "%.15g" of the double, or "nan".
std::string ShowValue(long double value);

// Sets an x87 control word for its lifetime.
class TControlWord {
 public:
  explicit TControlWord(uint16_t word);
  ~TControlWord();

 private:
  uint16_t saved_;
};

}  // namespace kx
