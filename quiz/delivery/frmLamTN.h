// The test screen's work apart from its window: choosing the questions, their
// pages, answering, the countdown, grading and closing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "authoring/QuestionBank.h"

namespace frmLamTN {

inline constexpr std::wstring_view GradeQuestion = L"Bạn muốn chấm điểm bài làm này ?";
inline constexpr std::wstring_view AnsweredCaption = L"Câu đã làm : ";
inline constexpr std::wstring_view UnansweredCaption = L"Câu chưa làm : ";
inline constexpr std::wstring_view RightCaption = L"Các câu đúng : ";
inline constexpr std::wstring_view WrongCaption = L"Các câu sai : ";

// The generator of one test's random draw.
class DrawGenerator {
 public:
  explicit DrawGenerator(uint64_t seed);
  // Uniform in 0..bound-1 (bound >= 1), without the bias of a modulo.
  uint32_t Below(uint32_t bound);

 private:
  std::mt19937 engine_;
};

// A seed from the system's random source.
uint64_t SystemRandomSeed();

// ChosenOrder: the bank numbers of the test's questions. In bank order the
// range from..to; in random order `count` different questions drawn evenly
// from the whole range (a partial Fisher-Yates shuffle). The caller ensures
// 1 <= from <= to and, in random order, 1 <= count <= to - from + 1.
std::vector<int16_t> ChooseQuestions(bool random, int16_t count, int16_t from, int16_t to, DrawGenerator& generator);

// The page text of one question as HTML: each bank text goes through the tag
// language on its own, with raw brackets shown as text, and bare file names
// resolve against `baseFolder` (with its trailing separator).
std::wstring PageText(const QuestionRecord& question, std::wstring_view baseFolder);
// The page the screen shows for a question's page text.
std::wstring ShownPage(std::wstring_view pageText);

// The score in tenths of a point: 100 k / n rounded half to even, exactly.
int ScoreTenths(int right, int total);
// Tenths as a decimal number without trailing zeros: 75 gives "7" sep "5", 70 gives "7".
std::wstring ScoreText(int tenths, std::wstring_view decimalSeparator);
// ScoreText with the decimal separator of the user's regional settings.
std::wstring RegionalScoreText(int tenths);
// The result message of a graded test: CR LF after the first line, lone CRs after.
std::wstring ResultMessage(int total, int right, std::wstring_view score);

// What the screen's window does for the test logic.
class TestView {
 public:
  virtual ~TestView() = default;
  // The screen's message box (title "Tessaro", this screen as owner); returns the answer.
  virtual int UniMsgBox(std::wstring_view text, int style) = 0;
  // Switches the one-second countdown timer tmrTime; each tick calls tmrTime_Timer.
  virtual void SetTimer(bool on) = 0;
  // Shows a question page (written to the temporary page, shown in the HTML
  // view). False when it could not be shown: the page on show stays.
  virtual bool ShowPage(const std::wstring& html) = 0;
  // The score in the regional number format, without trailing zeros.
  virtual std::wstring FormatScore(int tenths) { return RegionalScoreText(tenths); }
};

// What the screen's controls show; the screen copies it to them after each call.
struct TestDisplay {
  std::wstring txtCauSo;  // the question box
  std::wstring lblSoCau;  // "of n"
  std::wstring lblTime;   // the countdown; empty until the first tick
  bool cmdTruoc = false;  // previous and next buttons shown
  bool cmdSau = false;
  std::array<bool, 4> cmdChon{true, true, true, true};  // answer buttons A to D shown
  bool cmdLamXong = true;                               // the grade button shown
  std::array<std::wstring, 2> lblNhan{std::wstring(AnsweredCaption), std::wstring(UnansweredCaption)};
  std::vector<int> cbo1;  // answered questions; after grading the right ones
  std::vector<int> cbo2;  // unanswered questions; after grading the wrong ones
  bool imgTrue = false;   // the mark of the question shown, after grading
  bool imgFalse = false;
  std::wstring lblDapAn;  // its key, after grading
};

// How the screen's unloading ends.
enum class CloseResult { Stay, Close, CloseToMainMenu };

// TestSession: the test screen's fields for the whole run, and its handlers.
class TestSession {
 public:
  using SeedSource = std::function<uint64_t()>;

  // appTemp (with trailing separator) is the only folder the session deletes in.
  TestSession(TestView& view, std::wstring appTemp, SeedSource seeds = SystemRandomSeed);
  TestSession(const TestSession&) = delete;
  TestSession& operator=(const TestSession&) = delete;

  // The Temp folder of the tests that start from now on.
  void SetAppTemp(std::wstring appTemp) { appTemp_ = std::move(appTemp); }

  // Starts a test from the bank at `path`: reads it, chooses the questions,
  // builds their pages, shows question 1 and starts the countdown (minutes 0:
  // no limit). A bank from a package is deleted once read. False, with the
  // session as it was, when the bank cannot be read, holds fewer than `to`
  // complete questions or the numbers do not fit together.
  bool GoGoGo(const std::wstring& path, int16_t count, bool random, uint8_t minutes, bool fromPackage, int16_t from,
              int16_t to);

  // The question box changed: shows the question it names. False when the box
  // names no question of the test (or its page cannot be shown): the shown
  // question stays, and the screen puts Display().txtCauSo back into the box.
  bool txtCauSo_Change(std::wstring_view text);
  // A list entry chosen, or previous and next: the box takes the number.
  void GoTo(int number);
  void cmdTruoc_Click() { GoTo(current_ - 1); }
  void cmdSau_Click() { GoTo(current_ + 1); }
  // Answer button 0 to 3 (A to D): answers the question shown, until grading.
  void cmdChon_Click(int index);
  // One second of the countdown.
  void tmrTime_Timer();
  // Grades the test, once.
  void cmdLamXong_Click();
  // The menu button: the screen unloads next, towards the main menu.
  void cmdBack_Click() { mainMenuRequested_ = true; }
  // The screen is about to unload, whatever closes it.
  CloseResult Form_Unload();
  // The screen could not be shown: the test is dropped, and a package's
  // unpacked files with it.
  void Abandon();

  int QuestionCount() const { return static_cast<int>(keys_.size()); }
  const std::vector<int16_t>& ChosenOrder() const { return chosenOrder_; }
  const std::vector<std::wstring>& Pages() const { return pages_; }  // question i at index i - 1
  const std::vector<wchar_t>& Keys() const { return keys_; }
  const std::vector<wchar_t>& Answers() const { return answers_; }  // L' ' while unanswered
  int Current() const { return current_; }
  int SecondsLeft() const { return secondsLeft_; }
  bool Graded() const { return graded_; }
  const std::wstring& PageFolder() const { return pageFolder_; }
  bool FromPackage() const { return fromPackage_; }
  bool MainMenuRequested() const { return mainMenuRequested_; }
  bool TimerOn() const { return timerOn_; }
  const TestDisplay& Display() const { return display_; }

 private:
  bool ShowQuestion(int number);
  void ChonCau();
  void DaLamChua();
  void ChamDiem();
  void StopTimer();

  TestView& view_;
  std::wstring appTemp_;
  SeedSource seeds_;

  std::vector<int16_t> chosenOrder_;
  std::vector<std::wstring> pages_;
  std::vector<wchar_t> keys_;
  std::vector<wchar_t> answers_;
  int current_ = 0;
  int secondsLeft_ = 0;
  bool graded_ = false;
  std::wstring pageFolder_;
  bool fromPackage_ = false;
  bool mainMenuRequested_ = false;
  bool timerOn_ = false;
  TestDisplay display_;
};

}  // namespace frmLamTN
