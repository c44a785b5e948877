// The number form of the extra-parameter fields, written and read with "."
// as decimal separator whatever the system's regional settings: the C
// runtime's locale is never consulted.
#pragma once

#include <string>
#include <string_view>

namespace kx {

// The value rounded to 12 significant digits: fixed notation without trailing
// zeros for 0 and for 0.0001 <= |value| < 10^12 (-15, 0.01, 6.28318530718),
// otherwise one digit, the further digits after ".", "E", "-" for a negative
// exponent and at least two exponent digits (5E-05, 1E12). Infinities and
// not-a-number, which no field accepts, show as INF, -INF and NAN.
std::string ParaNumberText(double value);

// Blanks around, an optional sign, digits with at most one ".", at least one
// digit, and an optional exponent ("E" or "e", optional sign, digits).
// Anything else is refused, and so is a number beyond the range of a 64-bit
// float (an infinite bound would never let a drawing loop end); a number too
// small to hold reads as zero.
bool TryParseParaNumber(std::string_view text, double& value);

}  // namespace kx
