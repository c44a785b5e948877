// The set-up's checks and texts: refusals, averages, captions.
#include <gtest/gtest.h>

#include "delivery/frmTTTN.h"

using frmTTTN::SetupInput;

namespace {

SetupInput Input(std::wstring from, std::wstring to, std::wstring count, std::wstring minutes, bool random,
                 bool noTime = false) {
  return {L"", std::move(from), std::move(to), std::move(count), std::move(minutes), random, noTime};
}

}  // namespace

TEST(CheckSetup, RefusalsAndAcceptedSetups) {
  const struct {
    const char* what;
    SetupInput input;
    bool accepted;
    int from = 0, to = 0, count = 0, minutes = 0;
  } cases[] = {
      {"whole bank", Input(L"1", L"40", L"40", L"30", false), true, 1, 40, 40, 30},
      {"from after to", Input(L"5", L"3", L"", L"30", false), false},
      {"from 0", Input(L"0", L"10", L"", L"30", false), false},
      {"to 0", Input(L"1", L"0", L"", L"30", false), false},
      {"to beyond the bank", Input(L"1", L"41", L"", L"30", false), false},
      {"random count 0", Input(L"5", L"15", L"0", L"30", true), false},
      {"random count over the range", Input(L"5", L"15", L"12", L"30", true), false},
      {"random count of the range", Input(L"5", L"15", L"11", L"30", true), true, 5, 15, 11, 30},
      {"sequential ignores count 0", Input(L"5", L"15", L"0", L"30", false), true, 5, 15, 11, 30},
      {"sequential ignores a text count", Input(L"5", L"15", L"abc", L"30", false), true, 5, 15, 11, 30},
      {"sequential ignores a huge count", Input(L"5", L"15", L"99999", L"30", false), true, 5, 15, 11, 30},
      {"from 2.5 starts at 2", Input(L"2.5", L"10", L"", L"1", false), true, 2, 10, 9, 1},
      {"from 3.5 starts at 4", Input(L"3.5", L"10", L"", L"1", false), true, 4, 10, 7, 1},
      {"to 7abc", Input(L"1", L"7abc", L"", L"1", false), true, 1, 7, 7, 1},
      {"from abc", Input(L"abc", L"10", L"", L"1", false), false},
      {"empty boxes of a fresh screen", Input(L"", L"", L"", L"", false), false},
      {"from beyond 16 bits", Input(L"70000", L"10", L"", L"1", false), false},
      {"from below 16 bits", Input(L"-70000", L"10", L"", L"1", false), false},
      {"to beyond 16 bits", Input(L"1", L"65537", L"", L"1", false), false},
      {"random count beyond 16 bits", Input(L"1", L"40", L"65537", L"1", true), false},
      {"minutes 255", Input(L"1", L"40", L"", L"255", false), true, 1, 40, 40, 255},
      {"minutes 256", Input(L"1", L"40", L"", L"256", false), false},
      {"minutes beyond 16 bits", Input(L"1", L"40", L"", L"70000", false), false},
      {"negative minutes", Input(L"1", L"40", L"", L"-1", false), false},
      {"minutes 0 is no limit", Input(L"1", L"40", L"", L"0", false), true, 1, 40, 40, 0},
      {"no time ignores 999", Input(L"1", L"40", L"", L"999", false, true), true, 1, 40, 40, 0},
      {"no time ignores text", Input(L"1", L"40", L"", L"abc", false, true), true, 1, 40, 40, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<frmTTTN::TestPlan> plan = frmTTTN::CheckSetup(c.input, 40);
    ASSERT_EQ(plan.has_value(), c.accepted);
    if (!plan) continue;
    EXPECT_EQ(plan->from, c.from);
    EXPECT_EQ(plan->to, c.to);
    EXPECT_EQ(plan->count, c.count);
    EXPECT_EQ(plan->minutes, c.minutes);
    EXPECT_EQ(plan->random, c.input.random);
  }
}

TEST(CheckSetup, BankCountBoundsTheRange) {
  EXPECT_FALSE(frmTTTN::CheckSetup(Input(L"1", L"1", L"", L"1", false), 0));
  EXPECT_TRUE(frmTTTN::CheckSetup(Input(L"32767", L"32767", L"", L"1", false), 32767));
  EXPECT_TRUE(frmTTTN::CheckSetup(Input(L"1", L"32767", L"32767", L"1", true), 32767));
}

TEST(TinhTrungBinh, AverageSecondsPerQuestion) {
  const struct {
    const char* what;
    SetupInput input;
    const wchar_t* label;  // nullptr: the label keeps what it had
  } cases[] = {
      {"30 over 40", Input(L"1", L"40", L"40", L"30", false), L"Vậy trung bình là 45 giây / 1 câu hỏi"},
      {"25 over 40", Input(L"1", L"40", L"40", L"25", false), L"Vậy trung bình là 38 giây / 1 câu hỏi"},
      {"1 over 8", Input(L"1", L"8", L"8", L"1", false), L"Vậy trung bình là 8 giây / 1 câu hỏi"},
      {"3 over 8", Input(L"1", L"8", L"8", L"3", false), L"Vậy trung bình là 22 giây / 1 câu hỏi"},
      {"random reads the count", Input(L"1", L"40", L"8", L"3", true), L"Vậy trung bình là 22 giây / 1 câu hỏi"},
      {"numbers as read", Input(L"1.5", L"10", L"", L"1", false), L"Vậy trung bình là 6 giây / 1 câu hỏi"},
      {"no time is not consulted", Input(L"1", L"40", L"40", L"30", false, true),
       L"Vậy trung bình là 45 giây / 1 câu hỏi"},
      {"minutes 0", Input(L"1", L"40", L"40", L"0", false), L"Vậy trung bình là 0 giây / 1 câu hỏi"},
      {"division by zero", Input(L"1", L"40", L"0", L"3", true), nullptr},
      {"empty range", Input(L"5", L"4", L"", L"3", false), nullptr},
      {"inverted range", Input(L"5", L"1", L"", L"3", false), nullptr},
      {"too large", Input(L"1", L"1", L"", L"99999", false), nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<std::wstring> label = frmTTTN::TinhTrungBinh(c.input);
    if (c.label) {
      EXPECT_EQ(label, std::wstring(c.label));
    } else {
      EXPECT_FALSE(label);
    }
  }
}

TEST(SetupTexts, CaptionsAndCandidateLabels) {
  EXPECT_EQ(frmTTTN::QuestionFrameCaption(40), L"Chọn số câu hỏi : ( File đề có 40 câu hỏi )");
  const frmTTTN::CandidateLabels labels = frmTTTN::CandidateLabelsOf(L"Lê Văn An", L"10A1", L"0042");
  EXPECT_EQ(labels.lblTenTS, L"Họ và tên : Lê Văn An");
  EXPECT_EQ(labels.lblLop, L"Lớp : 10A1");
  EXPECT_EQ(labels.lblMaSo, L"Mã số thí sinh : 0042");
}
