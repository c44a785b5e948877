// Taking a test: showing questions, answering, the countdown, grading, closing.
#include <windows.h>

#include "authoring/mdlMain.h"
#include "delivery/BoxNumber.h"
#include "delivery/TempCleanup.h"
#include "delivery/frmLamTN.h"

namespace frmLamTN {

namespace {

constexpr int kStyleInformation = 64;
constexpr int kStyleYesNoCancel = 35;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

}  // namespace

int ScoreTenths(int right, int total) {
  if (total <= 0) return 0;
  // Tenths counted in integers: a quotient such as 47/200 * 10 = 2.35 has no
  // exact binary form, and rounding the nearest double would give 2.3.
  const long long scaled = 100LL * right;
  long long tenths = scaled / total;
  const long long twiceRest = 2 * (scaled % total);
  if (twiceRest > total || (twiceRest == total && tenths % 2 != 0)) ++tenths;
  return static_cast<int>(tenths);
}

std::wstring ScoreText(int tenths, std::wstring_view decimalSeparator) {
  std::wstring text = std::to_wstring(tenths / 10);
  if (tenths % 10 != 0) text += std::wstring(decimalSeparator) + std::to_wstring(tenths % 10);
  return text;
}

std::wstring RegionalScoreText(int tenths) {
  wchar_t separator[8] = L".";
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) {
    separator[0] = L'.';
    separator[1] = L'\0';
  }
  return ScoreText(tenths, separator);
}

std::wstring ResultMessage(int total, int right, std::wstring_view score) {
  return L"Kết quả làm bài :\r\nTổng số câu : " + std::to_wstring(total) + L"\rSố câu đúng : " +
         std::to_wstring(right) + L"\rĐiểm : " + std::wstring(score);
}

bool TestSession::txtCauSo_Change(std::wstring_view text) {
  const std::optional<int16_t> number = tq::ReadBoxNumber(text).AsInt16();
  if (!number || !ShowQuestion(*number)) {
    display_.txtCauSo = std::to_wstring(current_);
    return false;
  }
  display_.txtCauSo = std::wstring(text);
  return true;
}

void TestSession::GoTo(int number) {
  if (ShowQuestion(number)) display_.txtCauSo = std::to_wstring(number);
}

bool TestSession::ShowQuestion(int number) {
  const int n = QuestionCount();
  if (number < 1 || number > n) return false;
  // The page first: answers must never go to a question other than the one on show.
  if (!view_.ShowPage(ShownPage(pages_[static_cast<size_t>(number - 1)]))) return false;
  current_ = number;
  display_.cmdTruoc = current_ != 1;
  display_.cmdSau = current_ != n;
  ChonCau();
  if (graded_) {
    const size_t i = static_cast<size_t>(current_ - 1);
    display_.imgTrue = keys_[i] == answers_[i];
    display_.imgFalse = !display_.imgTrue;
    display_.lblDapAn = L"Đáp án : " + std::wstring(1, keys_[i]);
  }
  return true;
}

void TestSession::ChonCau() {
  display_.cmdChon.fill(true);
  if (current_ < 1 || current_ > QuestionCount()) return;
  const int chosen = answers_[static_cast<size_t>(current_ - 1)] - L'A';
  if (chosen >= 0 && chosen < 4) display_.cmdChon[static_cast<size_t>(chosen)] = false;
}

void TestSession::cmdChon_Click(int index) {
  if (graded_ || index < 0 || index > 3 || current_ < 1 || current_ > QuestionCount()) return;
  answers_[static_cast<size_t>(current_ - 1)] = static_cast<wchar_t>(L'A' + index);
  ChonCau();
  DaLamChua();
}

void TestSession::DaLamChua() {
  display_.cbo1.clear();
  display_.cbo2.clear();
  for (int i = 1; i <= QuestionCount(); ++i) {
    (answers_[static_cast<size_t>(i - 1)] != L' ' ? display_.cbo1 : display_.cbo2).push_back(i);
  }
}

void TestSession::tmrTime_Timer() {
  // A tick already queued when the timer stopped changes nothing.
  if (!timerOn_ || graded_) return;
  --secondsLeft_;
  if (secondsLeft_ > 0) {
    display_.lblTime = mdlMain::FormatSeconds(secondsLeft_);
    return;
  }
  StopTimer();
  cmdLamXong_Click();
}

void TestSession::cmdLamXong_Click() {
  if (!graded_) ChamDiem();
}

void TestSession::ChamDiem() {
  StopTimer();
  display_.cbo1.clear();
  display_.cbo2.clear();
  display_.lblNhan = {std::wstring(RightCaption), std::wstring(WrongCaption)};
  int right = 0;
  for (int i = 1; i <= QuestionCount(); ++i) {
    const bool correct = keys_[static_cast<size_t>(i - 1)] == answers_[static_cast<size_t>(i - 1)];
    (correct ? display_.cbo1 : display_.cbo2).push_back(i);
    if (correct) ++right;
  }
  // Set before the message: a tick or a close while it is open must not grade again.
  graded_ = true;
  display_.cmdLamXong = false;
  const int n = QuestionCount();
  view_.UniMsgBox(ResultMessage(n, right, view_.FormatScore(ScoreTenths(right, n))), kStyleInformation);
}

void TestSession::StopTimer() {
  if (!timerOn_) return;
  timerOn_ = false;
  view_.SetTimer(false);
}

void TestSession::Abandon() {
  StopTimer();
  if (fromPackage_) tq::RemoveFolderInside(pageFolder_, appTemp_);
  fromPackage_ = false;
  chosenOrder_.clear();
  pages_.clear();
  keys_.clear();
  answers_.clear();
}

CloseResult TestSession::Form_Unload() {
  if (!graded_) {
    const int answer = view_.UniMsgBox(GradeQuestion, kStyleYesNoCancel);
    if (answer != kAnswerNo) {
      // Yes grades (unless the countdown did while the question was open);
      // Cancel, or a box closed without an answer, keeps the test running.
      mainMenuRequested_ = false;
      if (answer == kAnswerYes) cmdLamXong_Click();
      return CloseResult::Stay;
    }
  }
  StopTimer();
  // A folder already gone, or one that cannot be removed, lets the screen close.
  if (fromPackage_) tq::RemoveFolderInside(pageFolder_, appTemp_);
  return mainMenuRequested_ ? CloseResult::CloseToMainMenu : CloseResult::Close;
}

}  // namespace frmLamTN
