#include "app/windows/ParaU_Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "app/model/DecimalText.h"

namespace kx {

namespace {

constexpr int SignificantDigits = 12;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
  double parsed = 0;
  bool overflow = false;
  if (!TryParseDecimal(text.substr(i, n - i), parsed, overflow) || overflow) return false;
  value = parsed;
  return true;
}

}  // namespace kx
