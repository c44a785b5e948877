// Decimal numbers as the grapher's fields and files hold them, read by our
// own character checks: the C runtime's locale is never consulted, and "."
// is the decimal point whatever the system's regional settings.
#pragma once

#include <string_view>

namespace kx {

// An optional sign, digits with at most one ".", at least one digit, and an
// optional exponent ("E" or "e", optional sign, digits); nothing else, no
// blanks. The nearest 64-bit float; a number too small to hold reads as
// zero of its sign. A number beyond the largest finite value sets overflow
// and gives the largest finite value of its sign.
bool TryParseDecimal(std::string_view text, double& value, bool& overflow);

// A number typed into a field (the evaluation panel's inputs, the data
// table's cells): the same form with blanks allowed around it, read to the
// 80-bit real. A number beyond the 80-bit range is refused.
bool TryParseFieldNumber(std::string_view text, long double& value);

}  // namespace kx
