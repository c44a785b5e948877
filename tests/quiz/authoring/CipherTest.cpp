#include <gtest/gtest.h>

#include <array>
#include <utility>

#include "TempFolder.h"
#include "authoring/mdlEncrypt.h"

namespace {

std::string Cipher(std::string data, std::wstring_view key) {
  mdlEncrypt::CipherBytes(std::span(reinterpret_cast<uint8_t*>(data.data()), data.size()), key);
  return data;
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

// A plain textbook RC4, to compare long outputs against.
std::string ReferenceRc4(std::string data, std::string_view key) {
  std::array<unsigned char, 256> s;
  for (int n = 0; n < 256; ++n) s[n] = static_cast<unsigned char>(n);
  for (int n = 0, j = 0; n < 256; ++n) {
    j = (j + s[n] + static_cast<unsigned char>(key[n % key.size()])) % 256;
    std::swap(s[n], s[j]);
  }
  int i = 0, j = 0;
  for (char& c : data) {
    i = (i + 1) % 256;
    j = (j + s[i]) % 256;
    std::swap(s[i], s[j]);
    c = static_cast<char>(c ^ s[(s[i] + s[j]) % 256]);
  }
  return data;
}

std::string Pattern(size_t size) {
  std::string data(size, '\0');
  for (size_t k = 0; k < size; ++k) data[k] = static_cast<char>((k * 7919 + k / 251) & 0xFF);
  return data;
}

TEST(CipherBytes, PublishedVectors) {
  EXPECT_EQ(Hex(Cipher("Plaintext", L"Key")), "bbf316e8d940af0ad3");
  EXPECT_EQ(Hex(Cipher("pedia", L"Wiki")), "1021bf0420");
  EXPECT_EQ(Hex(Cipher("Attack at dawn", L"Secret")), "45a01f645fc35b383552544b9bf5");
  // RFC 6229, 40-bit key 0x0102030405: the keystream from offset 0.
  EXPECT_EQ(Hex(Cipher(std::string(16, '\0'), L"\x01\x02\x03\x04\x05")), "b2396305f03dc027ccc3524a0a1118a8");
}

TEST(CipherBytes, KeyedCallsRestartEmptyKeyContinues) {
  const std::string data = Pattern(1000);
  EXPECT_EQ(Cipher(data, L"pokuz"), Cipher(data, L"pokuz"));
  EXPECT_EQ(Cipher(Cipher(data, L"pokuz"), L"pokuz"), data);
  const std::string whole = Cipher(data, L"pokuz");
  const std::string head = Cipher(data.substr(0, 300), L"pokuz");
  const std::string tail = Cipher(data.substr(300), L"");
  EXPECT_EQ(head + tail, whole);
}

TEST(CipherFile, MatchesRc4AcrossChunks) {
  TempFolder folder;
  const std::string plain = Pattern(200 * 1024 + 17);
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"plain.zip", plain));
  ASSERT_TRUE(mdlEncrypt::CipherFile(folder / L"plain.zip", folder / L"package.zip", mdlEncrypt::QuizKey));
  EXPECT_TRUE(ReadAll(folder / L"package.zip") == ReferenceRc4(plain, "pokuz"));
  ASSERT_TRUE(mdlEncrypt::CipherFile(folder / L"package.zip", folder / L"back.zip", mdlEncrypt::QuizKey));
  EXPECT_TRUE(ReadAll(folder / L"back.zip") == plain);
}

TEST(CipherFile, ShorterOutputReplacesLongerTargetWhole) {
  TempFolder folder;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"target", std::string(5000, 'x')));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"source", "short"));
  ASSERT_TRUE(mdlEncrypt::CipherFile(folder / L"source", folder / L"target", mdlEncrypt::QuizKey));
  EXPECT_EQ(ReadAll(folder / L"target"), ReferenceRc4("short", "pokuz"));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"empty", ""));
  ASSERT_TRUE(mdlEncrypt::CipherFile(folder / L"empty", folder / L"target", mdlEncrypt::QuizKey));
  EXPECT_EQ(ReadAll(folder / L"target"), "");
}

TEST(CipherFile, FailuresAreReportedAndKeepTheOldTarget) {
  TempFolder folder;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"target", "old"));
  EXPECT_FALSE(mdlEncrypt::CipherFile(folder / L"missing", folder / L"target", mdlEncrypt::QuizKey));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"source", "data"));
  EXPECT_FALSE(mdlEncrypt::CipherFile(folder / L"source", folder / L"no\\target", mdlEncrypt::QuizKey));
  ASSERT_TRUE(CreateDirectoryW((folder / L"dir").c_str(), nullptr));
  EXPECT_FALSE(mdlEncrypt::CipherFile(folder / L"source", folder / L"dir", mdlEncrypt::QuizKey));
  EXPECT_EQ(ReadAll(folder / L"target"), "old");
  EXPECT_EQ(folder.Listing(), L"dir;source;target;");
}

TEST(CipherFile, SourceMayBeItsOwnTarget) {
  TempFolder folder;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"f", "in place"));
  ASSERT_TRUE(mdlEncrypt::CipherFile(folder / L"f", folder / L"f", mdlEncrypt::QuizKey));
  EXPECT_EQ(ReadAll(folder / L"f"), ReferenceRc4("in place", "pokuz"));
}

}  // namespace
