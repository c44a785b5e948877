// Numbers typed into the quiz tool's boxes: the number a text begins with.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tq {

// The number a box holds: leading spaces skipped, then an optional sign, digits
// and an optional decimal part ("." separates). A text that begins otherwise
// holds 0; "7abc" holds 7.
struct BoxNumber {
  double value = 0;  // as read, for arithmetic on the boxes
  // The value rounded to an integer, halves to the even neighbour, decided on
  // the digits themselves so that 2.5 gives 2 and 3.5 gives 4 exactly.
  std::optional<int64_t> rounded;  // empty when it does not fit 64 bits

  // The rounded value as a 16-bit signed integer; empty when it does not fit.
  std::optional<int16_t> AsInt16() const;
};

BoxNumber ReadBoxNumber(std::wstring_view text);

// x rounded to the nearest integer, halves to the even neighbour; empty when
// x is not finite or its magnitude reaches 2^62.
std::optional<int64_t> RoundHalfEven(double x);

}  // namespace tq
