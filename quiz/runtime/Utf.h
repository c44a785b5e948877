// Conversions between the quiz tool's UTF-16 texts and UTF-8 bytes.
#pragma once

#include <string>
#include <string_view>

namespace tq {

// Surrogate pairs become one 4-byte sequence; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::wstring_view text);

// Invalid byte sequences become U+FFFD.
std::wstring Utf16FromUtf8(std::string_view bytes);

}  // namespace tq
