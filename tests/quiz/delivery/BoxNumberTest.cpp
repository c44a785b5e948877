// Numbers typed into boxes: the number a text begins with, halves to even.
#include <gtest/gtest.h>

#include <limits>

#include "delivery/BoxNumber.h"

TEST(BoxNumber, TheNumberATextBeginsWithRoundedHalfToEven) {
  const struct {
    const wchar_t* text;
    double value;
    std::optional<int16_t> rounded;
  } cases[] = {
      {L"2.5", 2.5, 2},
      {L"3.5", 3.5, 4},
      {L"7abc", 7, 7},
      {L"abc", 0, 0},
      {L"", 0, 0},
      {L"  12", 12, 12},
      {L"-2.5", -2.5, -2},
      {L"-3.5", -3.5, -4},
      {L"+4.49", 4.49, 4},
      {L"4.51", 4.51, 5},
      {L"2.50000000000000000001", 2.5, 3},  // decided on the digits, not the double
      {L"0.5", 0.5, 0},
      {L".5x", 0.5, 0},
      {L"1.5e3", 1.5, 2},
      {L"32767", 32767, 32767},
      {L"32767.5", 32767.5, std::nullopt},
      {L"-32768", -32768, -32768},
      {L"40000", 40000, std::nullopt},
      {L"99999999999999999999999", 1e23, std::nullopt},
      {L"- 5", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    const tq::BoxNumber number = tq::ReadBoxNumber(c.text);
    EXPECT_DOUBLE_EQ(number.value, c.value);
    EXPECT_EQ(number.AsInt16(), c.rounded);
  }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(tq::RoundHalfEven(37.5), 38);
  EXPECT_EQ(tq::RoundHalfEven(22.5), 22);
  EXPECT_EQ(tq::RoundHalfEven(7.5), 8);
  EXPECT_EQ(tq::RoundHalfEven(-0.5), 0);
  EXPECT_EQ(tq::RoundHalfEven(-1.5), -2);
  EXPECT_EQ(tq::RoundHalfEven(2.4999), 2);
  EXPECT_EQ(tq::RoundHalfEven(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(tq::RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
}
