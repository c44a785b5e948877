#include "delivery/BoxNumber.h"

#include <cmath>
#include <limits>

namespace tq {

namespace {

constexpr int64_t kMaxMagnitude = int64_t{1} << 62;

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

std::optional<int16_t> BoxNumber::AsInt16() const {
  if (!rounded || *rounded < std::numeric_limits<int16_t>::min() || *rounded > std::numeric_limits<int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int16_t>(*rounded);
}

BoxNumber ReadBoxNumber(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

  // Whole part, kept exactly while it fits; the value beside it for arithmetic.
  int64_t whole = 0;
  bool fits = true;
  double value = 0;
  bool anyDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    anyDigit = true;
    const int digit = text[i] - L'0';
    value = value * 10 + digit;
    if (whole > (kMaxMagnitude - digit) / 10) fits = false;
    if (fits) whole = whole * 10 + digit;
  }
  // Decimal part: the first digit and whether any later digit is not zero
  // decide the rounding.
  int firstDecimal = 0;
  bool restNonZero = false;
  if (i < text.size() && text[i] == L'.') {
    ++i;
    double scale = 0.1;
    for (bool first = true; i < text.size() && IsDigit(text[i]); ++i, first = false) {
      anyDigit = true;
      const int digit = text[i] - L'0';
      value += digit * scale;
      scale /= 10;
      if (first) {
        firstDecimal = digit;
      } else if (digit != 0) {
        restNonZero = true;
      }
    }
  }
  BoxNumber number;
  if (!anyDigit) {
    number.rounded = 0;
    return number;
  }
  number.value = negative ? -value : value;
  if (!fits) return number;
  const bool up = firstDecimal > 5 || (firstDecimal == 5 && (restNonZero || whole % 2 != 0));
  if (up) ++whole;
  number.rounded = negative ? -whole : whole;
  return number;
}

std::optional<int64_t> RoundHalfEven(double x) {
  if (!std::isfinite(x) || std::fabs(x) >= static_cast<double>(kMaxMagnitude)) return std::nullopt;
  const double below = std::floor(x);
  const double fraction = x - below;
  int64_t result = static_cast<int64_t>(below);
  if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) ++result;
  return result;
}

}  // namespace tq
