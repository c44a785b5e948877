#include "authoring/mdlEncrypt.h"

#include <windows.h>

#include <array>
#include <utility>
#include <vector>

namespace mdlEncrypt {

namespace {

// RC4 as published: no keystream bytes are dropped.
struct CipherState {
  std::array<uint8_t, 256> S{};
  uint8_t i = 0;
  uint8_t j = 0;

  void KeySchedule(std::wstring_view key) {
    // The key's characters in the system's ANSI code page.
    std::vector<uint8_t> K;
    for (wchar_t c : key) {
      char byte = '?';
      WideCharToMultiByte(CP_ACP, 0, &c, 1, &byte, 1, nullptr, nullptr);
      K.push_back(static_cast<uint8_t>(byte));
    }
    for (int n = 0; n < 256; ++n) S[n] = static_cast<uint8_t>(n);
    uint8_t jj = 0;
    for (int n = 0; n < 256; ++n) {
      jj = static_cast<uint8_t>(jj + S[n] + K[n % K.size()]);
      std::swap(S[n], S[jj]);
    }
    i = 0;
    j = 0;
  }

  void Apply(std::span<uint8_t> data) {
    for (uint8_t& byte : data) {
      i = static_cast<uint8_t>(i + 1);
      j = static_cast<uint8_t>(j + S[i]);
      std::swap(S[i], S[j]);
      byte ^= S[static_cast<uint8_t>(S[i] + S[j])];
    }
  }
};

CipherState State;

constexpr size_t ChunkSize = 64 * 1024;

}  // namespace

void CipherBytes(std::span<uint8_t> data, std::wstring_view key) {
  if (!key.empty()) State.KeySchedule(key);
  State.Apply(data);
}

tq::IoStatus CipherFile(const std::wstring& source, const std::wstring& target, std::wstring_view key) {
  tq::FileHandle input = tq::OpenForReading(source);
  if (!input.Valid()) return tq::IoStatus{GetLastError()};
  tq::AtomicFileWriter output(target);
  if (tq::IoStatus status = output.Open(); !status) return status;

  std::vector<uint8_t> chunk(ChunkSize);
  bool first = true;
  while (true) {
    DWORD read = 0;
    if (!ReadFile(input.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr))
      return tq::IoStatus{GetLastError()};
    if (read == 0) break;
    // Only the first chunk is keyed: the rest continue the keystream.
    CipherBytes(std::span(chunk.data(), read), first ? key : std::wstring_view{});
    first = false;
    if (tq::IoStatus status = output.Write(chunk.data(), read); !status) return status;
  }
  // Closed first, so that a source may also be the target.
  input.Close();
  return output.Commit();
}

}  // namespace mdlEncrypt
