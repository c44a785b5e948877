#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "authoring/mnuUnicode.h"

namespace {

TEST(VniToUnicode, Captions) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"&Ta65p tin", L"&T\u1eadp tin"},
      {L"&Co6ng cu5", L"&C\u00f4ng c\u1ee5"},
      {L"Tu75 d9o65ng xem thu73 : OFF", L"T\u1ef1 \u0111\u1ed9ng xem th\u1eed : OFF"},
      {L"a9", L"a9"},      // not a code
      {L"a13", L"a13"},    // a three-character token is never shortened
      {L"x 10", L"x 10"},  // the space and its two digits are no code
      {L"61", L"\u1ea5"},  // two digits match inside the three-character code a61
      {L"A65", L"\u1eac"},
      {L"a1", L"\u00e1"},  // a code at the very end
      {L"D9a8y", L"\u0110\u0103y"},
      {L"d99", L"d99"},
      {L"", L""},
      {L"&Help", L"&Help"},
  };
  for (const auto& [vni, unicode] : cases) EXPECT_EQ(mnuUnicode::VniToUnicode(vni), unicode) << vni;
}

// Every code of the list, checked through the system's canonical
// decomposition: the letter must be the base letter carrying exactly the
// marks its digits name.
TEST(VniToUnicode, EveryLetterCarriesTheMarksOfItsDigits) {
  const std::pair<wchar_t, std::vector<std::wstring>> groups[] = {
      {L'a',
       {L"1", L"2", L"3", L"4", L"5", L"6", L"8", L"61", L"62", L"63", L"64", L"65", L"81", L"82", L"83", L"84",
        L"85"}},
      {L'e', {L"1", L"2", L"3", L"4", L"5", L"6", L"61", L"62", L"63", L"64", L"65"}},
      {L'i', {L"1", L"2", L"3", L"4", L"5"}},
      {L'o',
       {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"61", L"62", L"63", L"64", L"65", L"71", L"72", L"73", L"74",
        L"75"}},
      {L'u', {L"1", L"2", L"3", L"4", L"5", L"7", L"71", L"72", L"73", L"74", L"75"}},
      {L'y', {L"1", L"2", L"3", L"4", L"5"}},
  };
  const wchar_t marks[] = {0, 0x0301, 0x0300, 0x0309, 0x0303, 0x0323, 0x0302, 0x031B, 0x0306};
  for (const auto& [lower, codes] : groups) {
    for (const wchar_t base : {lower, static_cast<wchar_t>(lower - L'a' + L'A')}) {
      for (const std::wstring& digits : codes) {
        const std::wstring vni = base + digits;
        const std::wstring letter = mnuUnicode::VniToUnicode(vni);
        ASSERT_EQ(letter.size(), 1u) << vni;
        wchar_t decomposed[8] = {};
        const int length = NormalizeString(NormalizationD, letter.c_str(), 1, decomposed, 8);
        ASSERT_GT(length, 1) << vni;
        std::wstring expected(1, base);
        for (wchar_t digit : digits) expected += marks[digit - L'0'];
        std::wstring actual(decomposed, static_cast<size_t>(length));
        std::sort(expected.begin() + 1, expected.end());
        std::sort(actual.begin() + 1, actual.end());
        EXPECT_EQ(actual, expected) << vni;
      }
    }
  }
  EXPECT_EQ(mnuUnicode::VniToUnicode(L"d9"), L"\u0111");
  EXPECT_EQ(mnuUnicode::VniToUnicode(L"D9"), L"\u0110");
}

}  // namespace
