// File cipher of the quiz tool: RC4 over whole files. The same call enciphers
// and deciphers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "runtime/FileIo.h"

namespace mdlEncrypt {

// The quiz tool's one key, used for every test package.
inline constexpr std::wstring_view QuizKey = L"pokuz";

// Transforms the bytes in place. A non-empty key restarts the keystream; an
// empty key continues it from where the previous call left it.
void CipherBytes(std::span<uint8_t> data, std::wstring_view key);

// Writes the transformed source to the target. The source is streamed in
// chunks; the target is replaced whole and only when every byte is written,
// so on failure it stays as it was.
tq::IoStatus CipherFile(const std::wstring& source, const std::wstring& target, std::wstring_view key);

}  // namespace mdlEncrypt
