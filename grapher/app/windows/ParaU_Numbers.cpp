#include "app/windows/ParaU_Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace kx {

namespace {

constexpr int SignificantDigits = 12;

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

std::string ParaNumberText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // d.ddddddddddde[+-]x: twelve significant digits, correctly rounded.
  char buffer[40];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                                     SignificantDigits - 1);
  const std::string_view sci(buffer, static_cast<size_t>(written.ptr - buffer));
  const size_t e = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, e))
    if (IsDigit(c)) digits += c;
  const int exponent = std::atoi(std::string(sci.substr(e + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string text = value < 0 ? "-" : "";
  // The rounded value decides: 0.0001 <= |v| < 10^12 means exponent -4..11.
  if (exponent >= -4 && exponent < 12) {
    if (exponent >= 0) {
      const size_t whole = static_cast<size_t>(exponent) + 1;
      if (digits.size() <= whole) {
        text += digits + std::string(whole - digits.size(), '0');
      } else {
        text += digits.substr(0, whole) + "." + digits.substr(whole);
      }
    } else {
      text += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return text;
  }
  text += digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  text += "E";
  if (exponent < 0) text += "-";
  const int magnitude = std::abs(exponent);
  if (magnitude < 10) text += "0";
  text += std::to_string(magnitude);
  return text;
}

bool TryParseParaNumber(std::string_view text, double& value) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;

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
  if (error == std::errc::result_out_of_range) {
    if (LeadingExponent(intDigits, fracDigits, exponent) > 0) return false;
    parsed = negative ? -0.0 : 0.0;
  } else if (error != std::errc() || end != canonical.data() + canonical.size() || std::isinf(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace kx
