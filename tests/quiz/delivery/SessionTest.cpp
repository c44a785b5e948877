// Taking a test: answering, the question box, the countdown, grading and closing.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "delivery/frmLamTN.h"
#include "runtime/FileIo.h"

using frmLamTN::CloseResult;
using frmLamTN::TestSession;
using ziptest::ScratchFolder;

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;

using Buttons = std::array<bool, 4>;

// A test of `count` questions in bank order; the bank keys cycle through `keys`.
struct RunningTest {
  ScratchFolder dir;
  std::wstring appTemp = dir / L"Temp\\";
  FakeTestView view;
  TestSession session{view, appTemp, [] { return uint64_t{9}; }};

  explicit RunningTest(int count, std::wstring_view keys = L"ABCD", uint8_t minutes = 0, bool fromPackage = false) {
    CreateDirectoryW(appTemp.c_str(), nullptr);
    std::wstring folder = dir.Path();
    if (fromPackage) {
      folder = appTemp + L"1225143";
      CreateDirectoryW(folder.c_str(), nullptr);
      ziptest::WriteBytes(folder + L"\\a.png", "png");
    }
    const std::wstring bank = folder + L"\\data.xml";
    EXPECT_TRUE(WriteBankFile(bank, NumberedQuestions(count, keys)));
    EXPECT_TRUE(
        session.GoGoGo(bank, static_cast<int16_t>(count), false, minutes, fromPackage, 1, static_cast<int16_t>(count)));
  }

  // Answers question `number` with the letter's button.
  void Answer(int number, wchar_t letter) {
    session.GoTo(number);
    session.cmdChon_Click(letter - L'A');
  }
  const frmLamTN::TestDisplay& D() const { return session.Display(); }
  std::wstring LastMessage() const { return view.messages.empty() ? L"" : view.messages.back().text; }
};

}  // namespace

TEST(Score, TenthsHalfToEven) {
  const struct {
    int total, right, tenths;
    const wchar_t* text;
  } cases[] = {
      {10, 7, 70, L"7"},  {8, 7, 88, L"8.8"},    {8, 3, 38, L"3.8"},         {8, 1, 12, L"1.2"},
      {8, 5, 62, L"6.2"}, {3, 2, 67, L"6.7"},    {200, 47, 24, L"2.4"},  // k/n*10 in doubles gives 2.3
      {4, 0, 0, L"0"},    {4, 4, 100, L"10"},    {40, 30, 75, L"7.5"},       {1000, 1, 0, L"0"},
      {1000, 5, 0, L"0"}, {1000, 15, 2, L"0.2"}, {32767, 32767, 100, L"10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.right << " of " << c.total);
    EXPECT_EQ(frmLamTN::ScoreTenths(c.right, c.total), c.tenths);
    EXPECT_EQ(frmLamTN::ScoreText(frmLamTN::ScoreTenths(c.right, c.total), L"."), c.text);
  }
  EXPECT_EQ(frmLamTN::ScoreText(75, L","), L"7,5");
}

TEST(Score, WithinHalfATenthAndTiesToEvenForEveryCount) {
  for (int n = 1; n <= 400; ++n) {
    for (int k = 0; k <= n; ++k) {
      const int tenths = frmLamTN::ScoreTenths(k, n);
      // |tenths - 100k/n| <= 1/2, with ties on the even tenth.
      const long long off = std::llabs(2LL * tenths * n - 200LL * k);
      ASSERT_LE(off, n) << k << " of " << n;
      if (off == n) {
        ASSERT_EQ(tenths % 2, 0) << k << " of " << n;
      }
    }
  }
}

// The user's decimal separator, set for one test and restored after it.
class DecimalSeparator {
 public:
  explicit DecimalSeparator(const wchar_t* separator) {
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_, 8);
    set_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
  }
  ~DecimalSeparator() {
    if (set_) SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_);
  }
  DecimalSeparator(const DecimalSeparator&) = delete;
  DecimalSeparator& operator=(const DecimalSeparator&) = delete;
  bool Set() const { return set_; }

 private:
  wchar_t saved_[8] = L".";
  bool set_ = false;
};

// Tests run where the separator is ".": the user's "," must show too.
TEST(Score, RegionalFormatUsesTheUsersDecimalSeparator) {
  {
    DecimalSeparator comma(L",");
    ASSERT_TRUE(comma.Set());
    EXPECT_EQ(frmLamTN::RegionalScoreText(75), L"7,5");
    EXPECT_EQ(frmLamTN::RegionalScoreText(100), L"10");
  }
  DecimalSeparator dot(L".");
  ASSERT_TRUE(dot.Set());
  EXPECT_EQ(frmLamTN::RegionalScoreText(75), L"7.5");
}

TEST(Answering, TheChosenButtonHidesAndTheListsFollow) {
  RunningTest t(4);
  EXPECT_EQ(t.D().cmdChon, (Buttons{true, true, true, true}));
  t.session.cmdChon_Click(1);
  EXPECT_EQ(t.session.Answers()[0], L'B');
  EXPECT_EQ(t.D().cmdChon, (Buttons{true, false, true, true}));
  t.session.cmdChon_Click(2);
  EXPECT_EQ(t.session.Answers()[0], L'C');
  EXPECT_EQ(t.D().cmdChon, (Buttons{true, true, false, true}));
  EXPECT_EQ(t.D().cbo1, std::vector<int>{1});
  EXPECT_EQ(t.D().cbo2, (std::vector<int>{2, 3, 4}));

  t.Answer(3, L'D');
  EXPECT_EQ(t.D().cbo1, (std::vector<int>{1, 3}));
  EXPECT_EQ(t.D().cbo2, (std::vector<int>{2, 4}));
  t.session.GoTo(2);
  EXPECT_EQ(t.D().cmdChon, (Buttons{true, true, true, true}));
  t.session.GoTo(3);
  EXPECT_EQ(t.D().cmdChon, (Buttons{true, true, true, false}));
}

TEST(Answering, PreviousAndNextHideAtTheEnds) {
  RunningTest t(3);
  EXPECT_FALSE(t.D().cmdTruoc);
  EXPECT_TRUE(t.D().cmdSau);
  t.session.cmdSau_Click();
  EXPECT_EQ(t.session.Current(), 2);
  EXPECT_EQ(t.D().txtCauSo, L"2");
  EXPECT_TRUE(t.D().cmdTruoc && t.D().cmdSau);
  t.session.cmdSau_Click();
  EXPECT_TRUE(t.D().cmdTruoc);
  EXPECT_FALSE(t.D().cmdSau);
  t.session.cmdSau_Click();  // nothing beyond the last
  EXPECT_EQ(t.session.Current(), 3);
  t.session.cmdTruoc_Click();
  EXPECT_EQ(t.session.Current(), 2);
  EXPECT_EQ(t.view.pages.back(), frmLamTN::ShownPage(t.session.Pages()[1]));

  RunningTest one(1);
  EXPECT_FALSE(one.D().cmdTruoc);
  EXPECT_FALSE(one.D().cmdSau);
}

TEST(QuestionBox, NumbersAreReadAsInTheOtherBoxes) {
  RunningTest t(8);
  const struct {
    const wchar_t* text;
    int current;
  } cases[] = {{L"2.5", 2}, {L"3.5", 4}, {L"7abc", 7}, {L" 5", 5}};
  for (const auto& c : cases) {
    EXPECT_TRUE(t.session.txtCauSo_Change(c.text));
    EXPECT_EQ(t.session.Current(), c.current);
    EXPECT_EQ(t.D().txtCauSo, c.text);  // the box keeps what was typed
  }
}

TEST(QuestionBox, FallsBackToTheLastValidNumber) {
  RunningTest t(5);
  t.session.GoTo(3);
  const size_t pagesShown = t.view.pages.size();
  for (const wchar_t* text : {L"abc", L"0", L"6", L"-1", L"70000", L""}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
    EXPECT_FALSE(t.session.txtCauSo_Change(text));
    EXPECT_EQ(t.session.Current(), 3);
    EXPECT_EQ(t.D().txtCauSo, L"3");
  }
  EXPECT_EQ(t.view.pages.size(), pagesShown);  // the page on show stays

  // An answer then goes to the question on show; none to a question that does not exist.
  t.session.txtCauSo_Change(L"99");
  t.session.cmdChon_Click(0);
  EXPECT_EQ(t.session.Answers(), (std::vector<wchar_t>{L' ', L' ', L'A', L' ', L' '}));
  t.session.cmdChon_Click(7);
  t.session.cmdChon_Click(-1);
  EXPECT_EQ(t.session.Answers()[2], L'A');
}

TEST(QuestionBox, APageThatCannotBeShownKeepsTheQuestionOnShow) {
  RunningTest t(5);
  t.view.pageFails = true;
  EXPECT_FALSE(t.session.txtCauSo_Change(L"4"));
  EXPECT_EQ(t.session.Current(), 1);
  EXPECT_EQ(t.D().txtCauSo, L"1");
  t.session.cmdChon_Click(1);
  EXPECT_EQ(t.session.Answers()[0], L'B');
  EXPECT_EQ(t.session.Answers()[3], L' ');
}

TEST(Countdown, ThirtyMinutes) {
  RunningTest t(4, L"ABCD", 30);
  EXPECT_TRUE(t.view.timer);
  t.session.tmrTime_Timer();
  EXPECT_EQ(t.D().lblTime, L"00:29:59");
  EXPECT_EQ(t.session.SecondsLeft(), 1799);
  for (int tick = 2; tick < 1800; ++tick) t.session.tmrTime_Timer();
  EXPECT_EQ(t.D().lblTime, L"00:00:01");
  EXPECT_FALSE(t.session.Graded());
  EXPECT_TRUE(t.view.messages.empty());

  t.session.tmrTime_Timer();
  EXPECT_TRUE(t.session.Graded());
  EXPECT_FALSE(t.view.timer);
  EXPECT_FALSE(t.session.TimerOn());
  EXPECT_EQ(t.D().lblTime, L"00:00:01");
  ASSERT_EQ(t.view.messages.size(), 1u);
  EXPECT_EQ(t.view.messages[0].text, L"Kết quả làm bài :\r\nTổng số câu : 4\rSố câu đúng : 0\rĐiểm : 0");
  EXPECT_EQ(t.view.messages[0].style, 64);
  // Every question unanswered is wrong.
  EXPECT_TRUE(t.D().cbo1.empty());
  EXPECT_EQ(t.D().cbo2, (std::vector<int>{1, 2, 3, 4}));

  // A tick already on its way changes nothing.
  t.session.tmrTime_Timer();
  EXPECT_EQ(t.session.SecondsLeft(), 0);
  EXPECT_EQ(t.view.messages.size(), 1u);
}

TEST(Countdown, NoLimitNeverTicks) {
  RunningTest t(4);
  EXPECT_FALSE(t.view.timer);
  t.session.tmrTime_Timer();
  EXPECT_EQ(t.session.SecondsLeft(), 0);
  EXPECT_EQ(t.D().lblTime, L"");
  EXPECT_FALSE(t.session.Graded());
}

TEST(Grading, RightAndWrongListsMarksAndKeys) {
  RunningTest t(8, L"ABCDAbCD");  // question 6's key is a lower-case b
  t.view.separator = L",";
  t.Answer(1, L'A');
  t.Answer(2, L'B');
  t.Answer(3, L'A');  // wrong
  t.Answer(6, L'B');  // never matches "b"
  t.Answer(7, L'C');
  t.Answer(8, L'D');
  t.session.GoTo(3);
  t.session.cmdLamXong_Click();

  EXPECT_TRUE(t.session.Graded());
  EXPECT_FALSE(t.D().cmdLamXong);
  EXPECT_EQ(t.D().lblNhan[0], L"Các câu đúng : ");
  EXPECT_EQ(t.D().lblNhan[1], L"Các câu sai : ");
  EXPECT_EQ(t.D().cbo1, (std::vector<int>{1, 2, 7, 8}));
  EXPECT_EQ(t.D().cbo2, (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(t.LastMessage(), L"Kết quả làm bài :\r\nTổng số câu : 8\rSố câu đúng : 4\rĐiểm : 5");
  // The page on show gets its mark only when a question is shown.
  EXPECT_FALSE(t.D().imgTrue || t.D().imgFalse);
  EXPECT_EQ(t.D().lblDapAn, L"");
  t.session.GoTo(2);
  EXPECT_TRUE(t.D().imgTrue);
  EXPECT_FALSE(t.D().imgFalse);
  EXPECT_EQ(t.D().lblDapAn, L"Đáp án : B");
  t.session.GoTo(6);
  EXPECT_FALSE(t.D().imgTrue);
  EXPECT_TRUE(t.D().imgFalse);
  EXPECT_EQ(t.D().lblDapAn, L"Đáp án : b");

  // Answers are frozen, and the test is graded once.
  t.session.cmdChon_Click(1);
  EXPECT_EQ(t.session.Answers()[5], L'B');
  t.session.cmdChon_Click(0);
  EXPECT_EQ(t.session.Answers()[5], L'B');
  t.session.cmdLamXong_Click();
  EXPECT_EQ(t.view.messages.size(), 1u);
}

TEST(Grading, TheScoreGoesThroughTheNumberFormat) {
  RunningTest t(8);
  t.view.separator = L",";
  for (int k = 1; k <= 7; ++k) t.Answer(k, L"ABCD"[(k - 1) % 4]);
  t.session.cmdLamXong_Click();
  EXPECT_EQ(t.LastMessage(), L"Kết quả làm bài :\r\nTổng số câu : 8\rSố câu đúng : 7\rĐiểm : 8,8");
}

TEST(Closing, TheQuestionOfAnUngradedTest) {
  const struct {
    const char* what;
    int answer;
    bool menu;
    CloseResult result;
    bool graded;
  } cases[] = {
      {"cancel", kCancel, true, CloseResult::Stay, false},
      {"box closed", 0, true, CloseResult::Stay, false},
      {"yes", kYes, true, CloseResult::Stay, true},
      {"no", kNo, false, CloseResult::Close, false},
      {"no towards the menu", kNo, true, CloseResult::CloseToMainMenu, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RunningTest t(4, L"ABCD", 10, true);
    const std::wstring folder = t.session.PageFolder();
    if (c.menu) t.session.cmdBack_Click();
    t.view.answers = {c.answer};
    EXPECT_EQ(t.session.Form_Unload(), c.result);
    ASSERT_GE(t.view.messages.size(), 1u);
    EXPECT_EQ(t.view.messages[0].text, L"Bạn muốn chấm điểm bài làm này ?");
    EXPECT_EQ(t.view.messages[0].style, 35);
    EXPECT_EQ(t.session.Graded(), c.graded);
    EXPECT_EQ(t.view.messages.size(), c.graded ? 2u : 1u);
    if (c.result == CloseResult::Stay) {
      EXPECT_FALSE(t.session.MainMenuRequested());
      EXPECT_EQ(t.view.timer, !c.graded);
      EXPECT_TRUE(ziptest::Exists(folder));
    } else {
      EXPECT_FALSE(t.view.timer);  // the timer dies with the screen
      EXPECT_FALSE(ziptest::Exists(folder));
    }
  }
}

TEST(Closing, AGradedTestClosesWithoutAQuestion) {
  for (bool menu : {true, false}) {
    RunningTest t(4, L"ABCD", 0, true);
    const std::wstring folder = t.session.PageFolder();
    t.session.cmdLamXong_Click();
    if (menu) t.session.cmdBack_Click();
    EXPECT_EQ(t.session.Form_Unload(), menu ? CloseResult::CloseToMainMenu : CloseResult::Close);
    EXPECT_EQ(t.view.messages.size(), 1u);  // the result only
    EXPECT_FALSE(ziptest::Exists(folder));
    EXPECT_EQ(ziptest::ListFolder(t.appTemp), std::vector<std::wstring>{});
  }
}

TEST(Closing, TheCountdownEndingInsideTheQuestionGradesOnce) {
  for (int answer : {kYes, kNo, kCancel}) {
    SCOPED_TRACE(answer);
    RunningTest t(2, L"AB", 1);
    for (int tick = 1; tick < 60; ++tick) t.session.tmrTime_Timer();
    t.view.whileBoxOpen = [&] { t.session.tmrTime_Timer(); };
    // The result box opens inside the question and is answered first.
    t.view.answers = {1, answer};
    const CloseResult result = t.session.Form_Unload();
    EXPECT_TRUE(t.session.Graded());
    ASSERT_EQ(t.view.messages.size(), 2u);  // the question, the one result
    EXPECT_EQ(t.view.messages[0].text, L"Bạn muốn chấm điểm bài làm này ?");
    EXPECT_EQ(t.view.messages[1].text, L"Kết quả làm bài :\r\nTổng số câu : 2\rSố câu đúng : 0\rĐiểm : 0");
    EXPECT_EQ(result, answer == kNo ? CloseResult::Close : CloseResult::Stay);
    EXPECT_FALSE(t.view.timer);
  }
}

TEST(Closing, AFolderAlreadyGoneLetsTheScreenClose) {
  RunningTest t(2, L"AB", 0, true);
  t.session.cmdLamXong_Click();
  tq::RemoveFolderTree(t.session.PageFolder());
  EXPECT_EQ(t.session.Form_Unload(), CloseResult::Close);
}

TEST(Closing, APlainBanksFolderStays) {
  RunningTest t(2);
  t.session.cmdLamXong_Click();
  EXPECT_EQ(t.session.Form_Unload(), CloseResult::Close);
  EXPECT_TRUE(ziptest::Exists(t.dir / L"data.xml"));
}
