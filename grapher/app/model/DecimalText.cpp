#include "app/model/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace kx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the first significant digit of digits "int.frac"
// scaled by 10^exponent; only its sign matters, so it saturates.
long LeadingExponent(std::string_view intDigits, std::string_view fracDigits, long exponent) {
  const size_t firstInt = intDigits.find_first_not_of('0');
  if (firstInt != std::string_view::npos) return exponent + static_cast<long>(intDigits.size() - firstInt) - 1;
  const size_t firstFrac = fracDigits.find_first_not_of('0');
  return exponent - static_cast<long>(firstFrac == std::string_view::npos ? 0 : firstFrac) - 1;
}

}  // namespace

bool TryParseDecimal(std::string_view text, double& value, bool& overflow) {
  size_t i = 0;
  const size_t n = text.size();
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t intStart = i;
  while (i < n && IsDigit(text[i])) ++i;
  const std::string_view intDigits = text.substr(intStart, i - intStart);
  std::string_view fracDigits;
  if (i < n && text[i] == '.') {
    const size_t fracStart = ++i;
    while (i < n && IsDigit(text[i])) ++i;
    fracDigits = text.substr(fracStart, i - fracStart);
  }
  if (intDigits.empty() && fracDigits.empty()) return false;

  bool negativeExponent = false;
  std::string_view expDigits;
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) negativeExponent = text[i++] == '-';
    const size_t expStart = i;
    while (i < n && IsDigit(text[i])) ++i;
    expDigits = text.substr(expStart, i - expStart);
    if (expDigits.empty()) return false;
  }
  if (i != n) return false;

  // Saturated: an exponent past a million says all there is to say.
  long exponent = 0;
  for (char c : expDigits) exponent = std::min(exponent * 10 + (c - '0'), 1000000L);
  if (negativeExponent) exponent = -exponent;

  std::string canonical = negative ? "-" : "";
  canonical += intDigits.empty() ? "0" : std::string(intDigits);
  if (!fracDigits.empty()) canonical += "." + std::string(fracDigits);
  canonical += "e" + std::to_string(exponent);

  double parsed = 0;
  const auto [end, error] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), parsed);
  overflow = false;
  if (error == std::errc::result_out_of_range) {
    overflow = LeadingExponent(intDigits, fracDigits, exponent) > 0;
    parsed = overflow ? std::numeric_limits<double>::max() : 0.0;
    if (negative) parsed = -parsed;
  } else if (error != std::errc() || end != canonical.data() + canonical.size()) {
    return false;
  } else if (std::isinf(parsed)) {
    overflow = true;
    parsed = std::copysign(std::numeric_limits<double>::max(), parsed);
  }
  value = parsed;
  return true;
}

bool TryParseFieldNumber(std::string_view text, long double& value) {
  size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  size_t i = first;
  auto digits = [&] {
    const size_t from = i;
    while (i < last && IsDigit(text[i])) ++i;
    return i - from;
  };
  if (i < last && (text[i] == '+' || text[i] == '-')) ++i;
  size_t count = digits();
  if (i < last && text[i] == '.') {
    ++i;
    count += digits();
  }
  if (count == 0) return false;
  if (i < last && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < last && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  if (i != last) return false;
  // The characters are checked above and the C locale is never changed:
  // strtold sees a plain "." number.
  const long double parsed = std::strtold(std::string(text.substr(first, last - first)).c_str(), nullptr);
  if (!std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

}  // namespace kx
