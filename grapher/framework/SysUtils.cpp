#include "SysUtils.h"

namespace kx {
namespace {
char AsciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsIdentStart(char c) noexcept {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
} // namespace

bool SameText(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  return true;
}

std::string UpperCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiUpper(c);
  return r;
}

std::string LowerCase(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = AsciiLower(c);
  return r;
}

void AssertFailed(const std::string& message, const char* unit, int line) {
  throw EAssertionFailed((message.empty() ? std::string("Assertion failure") : message) + " (" +
                         unit + ", line " + std::to_string(line) + ")");
}

bool IsValidIdent(std::string_view s) noexcept {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  for (char c : s)
    if (!IsIdentStart(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

} // namespace kx
