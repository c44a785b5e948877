#include "framework/core/SysUtils.h"

#include <windows.h>

#include <cstdint>

namespace kx {
namespace {
char AsciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }
char AsciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }
bool IsIdentStart(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
}  // namespace

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
  throw EAssertionFailed((message.empty() ? std::string("Assertion failure") : message) + " (" + unit + ", line " +
                         std::to_string(line) + ")");
}

std::string SysErrorMessage(unsigned long errorCode) {
  char* text = nullptr;
  const DWORD n =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, errorCode, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string systemText = n && text ? std::string(text, n) : std::string();
  if (text) LocalFree(text);
  while (!systemText.empty() && (systemText.back() == '\n' || systemText.back() == '\r' || systemText.back() == ' '))
    systemText.pop_back();
  return systemText;
}

void RaiseOSError(unsigned long errorCode) {
  const std::string systemText = SysErrorMessage(errorCode);
  std::string message = "System Error.  Code: " + std::to_string(errorCode) + ".";
  if (!systemText.empty()) message += "\r\n" + systemText;
  throw EOSError(message, errorCode);
}

void RaiseLastOSError() { RaiseOSError(GetLastError()); }

void OutOfMemoryError() { throw EOutOfMemory("Out of memory"); }

bool TryStrToInt(std::string_view s, int& value) noexcept {
  size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  const bool hex = i < s.size() && s[i] == '$';
  if (hex) ++i;
  if (i >= s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return false;
    v = v * (hex ? 16 : 10) + d;
    if (v > (hex ? int64_t(UINT32_MAX) : int64_t(INT32_MAX) + 1)) return false;
  }
  // Eight hex digits are a 32-bit pattern: $FFFFFFFF is -1.
  if (hex) v = int32_t(uint32_t(v));
  if (negative) v = -v;
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = int(v);
  return true;
}

int StrToInt(std::string_view s) {
  int value;
  if (!TryStrToInt(s, value)) throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
  return value;
}

int StrToIntDef(std::string_view s, int fallback) noexcept {
  int value;
  return TryStrToInt(s, value) ? value : fallback;
}

bool IsValidIdent(std::string_view s) noexcept {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  for (char c : s)
    if (!IsIdentStart(c) && !(c >= '0' && c <= '9')) return false;
  return true;
}

}  // namespace kx
