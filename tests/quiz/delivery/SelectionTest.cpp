// Starting a test: the draw, the question pages, and the session a test starts with.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <set>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "delivery/frmLamTN.h"

using frmLamTN::ChooseQuestions;
using frmLamTN::DrawGenerator;
using frmLamTN::TestSession;
using ziptest::ScratchFolder;

namespace {

std::vector<int16_t> Range(int from, int to) {
  std::vector<int16_t> range(static_cast<size_t>(to - from + 1));
  std::iota(range.begin(), range.end(), static_cast<int16_t>(from));
  return range;
}

// How often each question comes up over one draw per seed 0..seeds-1.
std::map<int, int> DrawsPerQuestion(int16_t count, int16_t from, int16_t to, int seeds) {
  std::map<int, int> seen;
  for (int seed = 0; seed < seeds; ++seed) {
    DrawGenerator generator(static_cast<uint64_t>(seed));
    for (int16_t k : ChooseQuestions(true, count, from, to, generator)) ++seen[k];
  }
  return seen;
}

}  // namespace

TEST(ChooseQuestions, BankOrderIsTheRangeInOrder) {
  DrawGenerator generator(1);
  EXPECT_EQ(ChooseQuestions(false, 6, 5, 10, generator), Range(5, 10));
  EXPECT_EQ(ChooseQuestions(false, 40, 1, 40, generator), Range(1, 40));
}

TEST(ChooseQuestions, DrawsAreDifferentQuestionsOfTheRange) {
  const struct {
    int16_t count, from, to;
  } cases[] = {{3, 1, 10}, {4, 5, 15}, {1, 1, 10}, {10, 1, 10}, {1, 7, 7}, {30, 100, 200}};
  for (const auto& c : cases) {
    for (uint64_t seed = 0; seed < 200; ++seed) {
      DrawGenerator generator(seed);
      const std::vector<int16_t> drawn = ChooseQuestions(true, c.count, c.from, c.to, generator);
      ASSERT_EQ(drawn.size(), static_cast<size_t>(c.count));
      const std::set<int16_t> distinct(drawn.begin(), drawn.end());
      EXPECT_EQ(distinct.size(), drawn.size()) << "seed " << seed;
      EXPECT_GE(*distinct.begin(), c.from);
      EXPECT_LE(*distinct.rbegin(), c.to);
    }
  }
}

TEST(ChooseQuestions, TheFullCountIsAPermutation) {
  for (uint64_t seed = 0; seed < 50; ++seed) {
    DrawGenerator generator(seed);
    std::vector<int16_t> drawn = ChooseQuestions(true, 11, 5, 15, generator);
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, Range(5, 15));
  }
}

TEST(ChooseQuestions, EveryQuestionOfTheRangeCanBeDrawn) {
  // Three of 1..10 must reach 4..8 too, and one question must not always be the first.
  EXPECT_EQ(DrawsPerQuestion(3, 1, 10, 300).size(), 10u);
  EXPECT_EQ(DrawsPerQuestion(1, 1, 10, 300).size(), 10u);
  const std::map<int, int> seen = DrawsPerQuestion(4, 5, 15, 300);
  EXPECT_EQ(seen.size(), 11u);
  EXPECT_EQ(seen.begin()->first, 5);
  EXPECT_EQ(seen.rbegin()->first, 15);
}

TEST(ChooseQuestions, RoughlyUniformForAFixedSeed) {
  // One generator, many draws of 3 of 1..10: each question about 30% of the
  // draws, each first slot about 10%. The bounds are many standard deviations wide.
  DrawGenerator generator(20240607);
  constexpr int kDraws = 20000;
  std::map<int, int> any, first;
  for (int d = 0; d < kDraws; ++d) {
    const std::vector<int16_t> drawn = ChooseQuestions(true, 3, 1, 10, generator);
    ++first[drawn[0]];
    for (int16_t k : drawn) ++any[k];
  }
  for (int k = 1; k <= 10; ++k) {
    EXPECT_NEAR(any[k], kDraws * 0.3, kDraws * 0.3 * 0.05) << k;
    EXPECT_NEAR(first[k], kDraws * 0.1, kDraws * 0.1 * 0.1) << k;
  }
}

TEST(ChooseQuestions, ASeedRepeatsItsDraw) {
  DrawGenerator a(77), b(77), c(78);
  const std::vector<int16_t> first = ChooseQuestions(true, 20, 1, 1000, a);
  EXPECT_EQ(ChooseQuestions(true, 20, 1, 1000, b), first);
  EXPECT_NE(ChooseQuestions(true, 20, 1, 1000, c), first);
}

TEST(DrawGenerator, BelowStaysBelowItsBound) {
  DrawGenerator generator(5);
  std::set<uint32_t> seen;
  for (int i = 0; i < 1000; ++i) {
    const uint32_t value = generator.Below(7);
    ASSERT_LT(value, 7u);
    seen.insert(value);
    ASSERT_EQ(generator.Below(1), 0u);
  }
  EXPECT_EQ(seen.size(), 7u);
  EXPECT_NE(frmLamTN::SystemRandomSeed(), frmLamTN::SystemRandomSeed());
}

TEST(PageText, EachBankTextThroughTheTagLanguageWithItsBracketsAsText) {
  const QuestionRecord question{L"Tính [b]x[/b][t]2[/t] <script>alert(1)</script>[E]?",
                                L"[image]a.png[/image]",
                                L"[image]C:\\pics\\b.png[/image]",
                                L"[media]s.mp3[/media]",
                                L"1 &lt; 2",
                                L'A'};
  const std::wstring page = frmLamTN::PageText(question, L"D:\\t\\");
  EXPECT_EQ(page,
            L"Câu hỏi : Tính <b>x</b><sup>2</sup> &lt;script&gt;alert(1)&lt;/script&gt;<br />?"
            L"<p>A) <img src='D:\\t\\a.png' align='middle'>"
            L"<p>B) <img src='C:\\pics\\b.png' align='middle'>"
            L"<p>C) <embed src='D:\\t\\s.mp3' autostart='0'>"
            L"<p>D) 1 &lt; 2");
  EXPECT_EQ(frmLamTN::ShownPage(L"Câu hỏi : x"),
            L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>"
            L"Câu hỏi : x</body></html>");
}

TEST(PageText, AFileNameCannotBreakOutOfItsAttribute) {
  const QuestionRecord question{L"[image]x' onerror='alert(1).png[/image]", L"a", L"b", L"c", L"d", L'A'};
  const std::wstring page = frmLamTN::PageText(question, L"D:\\t\\");
  EXPECT_EQ(page.find(L"onerror='"), std::wstring::npos);
  EXPECT_NE(page.find(L"x&#39; onerror=&#39;alert(1).png"), std::wstring::npos);
}

namespace {

constexpr uint64_t kSeed = 424242;

struct SessionFixture {
  ScratchFolder dir;
  std::wstring appTemp = dir / L"Temp\\";
  FakeTestView view;
  TestSession session{view, appTemp, [] { return kSeed; }};

  SessionFixture() { CreateDirectoryW(appTemp.c_str(), nullptr); }

  std::wstring Bank(const std::wstring& name, int count, std::wstring_view keys = L"ABCD") {
    const std::wstring path = dir / name;
    EXPECT_TRUE(WriteBankFile(path, NumberedQuestions(count, keys)));
    return path;
  }
};

}  // namespace

TEST(GoGoGo, BankOrderGivesTheRangeWithPagesKeysAndEmptyAnswers) {
  SessionFixture f;
  const std::wstring bank = f.Bank(L"bank.xml", 12, L"ABCD");
  ASSERT_TRUE(f.session.GoGoGo(bank, 6, false, 30, false, 5, 10));
  EXPECT_EQ(f.session.ChosenOrder(), Range(5, 10));
  ASSERT_EQ(f.session.QuestionCount(), 6);
  EXPECT_EQ(f.session.Pages()[0], L"Câu hỏi : Q5<p>A) a5<p>B) b5<p>C) c5<p>D) d5");
  EXPECT_EQ(f.session.Keys(), (std::vector<wchar_t>{L'A', L'B', L'C', L'D', L'A', L'B'}));
  EXPECT_EQ(f.session.Answers(), std::vector<wchar_t>(6, L' '));
  EXPECT_EQ(f.session.Current(), 1);
  EXPECT_EQ(f.session.SecondsLeft(), 1800);
  EXPECT_TRUE(f.session.TimerOn());
  EXPECT_TRUE(f.view.timer);
  EXPECT_FALSE(f.session.Graded());
  EXPECT_FALSE(f.session.FromPackage());
  EXPECT_EQ(f.session.PageFolder(), f.dir.Path());
  EXPECT_TRUE(ziptest::Exists(bank));  // a plain bank stays

  const frmLamTN::TestDisplay& d = f.session.Display();
  EXPECT_EQ(d.txtCauSo, L"1");
  EXPECT_EQ(d.lblSoCau, L"of 6");
  EXPECT_EQ(d.lblTime, L"");  // nothing until the first tick
  EXPECT_FALSE(d.cmdTruoc);
  EXPECT_TRUE(d.cmdSau);
  EXPECT_TRUE(d.cbo1.empty());
  EXPECT_EQ(d.cbo2, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(d.lblNhan[0], L"Câu đã làm : ");
  EXPECT_EQ(d.lblNhan[1], L"Câu chưa làm : ");
  ASSERT_EQ(f.view.pages.size(), 1u);
  EXPECT_EQ(f.view.pages[0], frmLamTN::ShownPage(f.session.Pages()[0]));
}

TEST(GoGoGo, RandomOrderUsesTheInjectedSeed) {
  SessionFixture f;
  const std::wstring bank = f.Bank(L"bank.xml", 10);
  ASSERT_TRUE(f.session.GoGoGo(bank, 3, true, 0, false, 1, 10));
  DrawGenerator generator(kSeed);
  const std::vector<int16_t> expected = ChooseQuestions(true, 3, 1, 10, generator);
  EXPECT_EQ(f.session.ChosenOrder(), expected);
  EXPECT_EQ(f.session.Pages()[1], L"Câu hỏi : Q" + std::to_wstring(expected[1]) + L"<p>A) a" +
                                      std::to_wstring(expected[1]) + L"<p>B) b" + std::to_wstring(expected[1]) +
                                      L"<p>C) c" + std::to_wstring(expected[1]) + L"<p>D) d" +
                                      std::to_wstring(expected[1]));
}

TEST(GoGoGo, EachTestDrawsWithAFreshSeed) {
  ScratchFolder dir;
  FakeTestView view;
  uint64_t next = 1;
  TestSession session(view, dir / L"Temp\\", [&] { return next++; });
  ASSERT_TRUE(WriteBankFile(dir / L"bank.xml", NumberedQuestions(100)));
  std::set<std::vector<int16_t>> orders;
  for (int test = 0; test < 5; ++test) {
    ASSERT_TRUE(session.GoGoGo(dir / L"bank.xml", 10, true, 0, false, 1, 100));
    orders.insert(session.ChosenOrder());
  }
  EXPECT_EQ(orders.size(), 5u);
}

TEST(GoGoGo, KeysAreTheFirstCharacterOfTheKeyText) {
  SessionFixture f;
  ziptest::WriteBytes(f.dir / L"keys.xml",
                      "<Quorel charset='UTF-8'>"
                      "<Question><CauHoi>1</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn>b</DapAn></Question>"
                      "<Question><CauHoi>2</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn>CD</DapAn></Question>"
                      "<Question><CauHoi>3</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn></DapAn></Question>"
                      "</Quorel>");
  ASSERT_TRUE(f.session.GoGoGo(f.dir / L"keys.xml", 3, false, 0, false, 1, 3));
  EXPECT_EQ(f.session.Keys(), (std::vector<wchar_t>{L'b', L'C', L' '}));
  EXPECT_EQ(f.session.SecondsLeft(), 0);
  EXPECT_FALSE(f.session.TimerOn());
  EXPECT_FALSE(f.view.timer);
}

TEST(GoGoGo, ABankFromAPackageGoesOnceRead) {
  SessionFixture f;
  const std::wstring folder = f.appTemp + L"122514305";
  CreateDirectoryW(folder.c_str(), nullptr);
  ziptest::WriteBytes(folder + L"\\a.png", "png");
  ASSERT_TRUE(WriteBankFile(folder + L"\\data.xml", NumberedQuestions(4)));
  ASSERT_TRUE(f.session.GoGoGo(folder + L"\\data.xml", 4, false, 0, true, 1, 4));
  EXPECT_TRUE(f.session.FromPackage());
  EXPECT_EQ(f.session.PageFolder(), folder);
  EXPECT_EQ(ziptest::ListFolder(folder), std::vector<std::wstring>{L"a.png"});
}

TEST(GoGoGo, ABankOutsideTheTempFolderIsNeverDeleted) {
  SessionFixture f;
  const std::wstring bank = f.Bank(L"bank.xml", 4);
  ASSERT_TRUE(f.session.GoGoGo(bank, 4, false, 0, true, 1, 4));
  EXPECT_TRUE(ziptest::Exists(bank));
  // Nor is its folder when the screen closes.
  f.session.cmdLamXong_Click();
  EXPECT_EQ(f.session.Form_Unload(), frmLamTN::CloseResult::Close);
  EXPECT_TRUE(ziptest::Exists(bank));
}

TEST(GoGoGo, AnUnreadableOrShortBankStartsNothing) {
  SessionFixture f;
  const std::wstring good = f.Bank(L"good.xml", 5);
  ASSERT_TRUE(f.session.GoGoGo(good, 5, false, 1, false, 1, 5));
  f.session.cmdChon_Click(2);
  const std::vector<wchar_t> answers = f.session.Answers();

  ziptest::WriteBytes(f.dir / L"broken.xml", "<Quorel><Question>");
  ziptest::WriteBytes(f.dir / L"incomplete.xml",
                      "<Quorel><Question><CauHoi>1</CauHoi><CauA/><CauB/><CauC/><CauD/></Question></Quorel>");
  const std::wstring short_ = f.Bank(L"short.xml", 3);
  const struct {
    const char* what;
    std::wstring path;
    int16_t count, from, to;
    bool random;
  } cases[] = {
      {"missing", f.dir / L"missing.xml", 3, 1, 3, false},
      {"not XML", f.dir / L"broken.xml", 1, 1, 1, false},
      {"no key element", f.dir / L"incomplete.xml", 1, 1, 1, false},
      {"fewer than to", short_, 4, 1, 4, false},
      {"count beyond the range", good, 6, 1, 5, true},
      {"sequential count not the range", good, 2, 1, 5, false},
      {"from after to", good, 1, 3, 2, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(f.session.GoGoGo(c.path, c.count, c.random, 0, false, c.from, c.to));
    EXPECT_EQ(f.session.QuestionCount(), 5);
    EXPECT_EQ(f.session.Answers(), answers);
    EXPECT_TRUE(f.session.TimerOn());
  }
}

TEST(GoGoGo, NothingOfATestCarriesOverIntoTheNext) {
  SessionFixture f;
  const std::wstring bank = f.Bank(L"bank.xml", 5);
  ASSERT_TRUE(f.session.GoGoGo(bank, 5, false, 1, false, 1, 5));
  f.session.cmdChon_Click(0);
  f.session.cmdBack_Click();
  f.session.cmdLamXong_Click();
  f.session.tmrTime_Timer();
  ASSERT_TRUE(f.session.Graded());

  ASSERT_TRUE(f.session.GoGoGo(bank, 3, false, 2, false, 2, 4));
  EXPECT_FALSE(f.session.Graded());
  EXPECT_FALSE(f.session.MainMenuRequested());
  EXPECT_EQ(f.session.Answers(), std::vector<wchar_t>(3, L' '));
  EXPECT_EQ(f.session.SecondsLeft(), 120);
  EXPECT_TRUE(f.session.TimerOn());
  const frmLamTN::TestDisplay& d = f.session.Display();
  EXPECT_TRUE(d.cmdLamXong);
  EXPECT_FALSE(d.imgTrue || d.imgFalse);
  EXPECT_EQ(d.lblDapAn, L"");
  EXPECT_EQ(d.lblNhan[0], L"Câu đã làm : ");
  EXPECT_EQ(d.cbo2, (std::vector<int>{1, 2, 3}));
}
