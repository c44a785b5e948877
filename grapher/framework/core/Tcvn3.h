// The TCVN3 (VN3) code table: ASCII plus the 74 Vietnamese letters it holds
// in bytes 0xA1..0xFE (lower-case letters with every tone mark, and the seven
// capitals without one: Ă Â Ê Ô Ơ Ư Đ). Plain C++, also built into the host
// tool that converts form resources.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kx {

// The TCVN3 byte of a code point; false when TCVN3 has none.
bool CodePointToTcvn3(char32_t cp, unsigned char& byte);
// The code point of a TCVN3 byte; U+FFFD for a byte the table leaves empty.
char32_t Tcvn3ToCodePoint(unsigned char byte);

struct TTcvn3Error {
  size_t Offset = 0;       // byte offset of the refused character in the input
  char32_t CodePoint = 0;  // 0 for malformed UTF-8
};

// Converts UTF-8 to TCVN3; false (with the place) on malformed UTF-8 or on a
// character TCVN3 cannot encode.
bool Utf8ToTcvn3(std::string_view utf8, std::string& out, TTcvn3Error* error = nullptr);
std::string Tcvn3ToUtf8(std::string_view tcvn3);

}  // namespace kx
