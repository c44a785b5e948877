// Start of a test: the draw, the pages and the session's first state.
#include <windows.h>
#include <bcrypt.h>

#include <numeric>
#include <utility>

#include "authoring/mdlMain.h"
#include "delivery/TempCleanup.h"
#include "delivery/frmLamTN.h"

namespace frmLamTN {

namespace {

std::seed_seq SeedSequence(uint64_t seed) {
  return std::seed_seq{static_cast<uint32_t>(seed), static_cast<uint32_t>(seed >> 32)};
}

// One bank text in a page: its own brackets stay text, only the tag language
// becomes markup.
std::wstring FieldHtml(std::wstring_view text, std::wstring_view baseFolder) {
  return mdlMain::TagsToHtml(mdlMain::EscapeAngleBrackets(text), baseFolder);
}

}  // namespace

DrawGenerator::DrawGenerator(uint64_t seed) {
  std::seed_seq sequence = SeedSequence(seed);
  engine_.seed(sequence);
}

uint32_t DrawGenerator::Below(uint32_t bound) {
  // Values below 2^32 mod bound would come up once more than the others.
  const uint32_t skip = static_cast<uint32_t>(-bound) % bound;
  for (;;) {
    const uint32_t value = static_cast<uint32_t>(engine_());
    if (value >= skip) return value % bound;
  }
}

uint64_t SystemRandomSeed() {
  uint64_t seed = 0;
  if (BCryptGenRandom(nullptr, reinterpret_cast<PUCHAR>(&seed), sizeof seed, BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0) {
    return seed;
  }
  // Without the system's source, still a different seed for each test.
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<uint64_t>(counter.QuadPart) ^ (uint64_t{GetCurrentProcessId()} << 32) ^ GetTickCount64();
}

std::vector<int16_t> ChooseQuestions(bool random, int16_t count, int16_t from, int16_t to, DrawGenerator& generator) {
  std::vector<int16_t> range(static_cast<size_t>(to - from + 1));
  std::iota(range.begin(), range.end(), from);
  if (!random) return range;
  // Slot k takes one of the questions not yet drawn, each as likely as the others.
  const size_t chosen = static_cast<size_t>(count);
  for (size_t k = 0; k < chosen; ++k) {
    const size_t other = k + generator.Below(static_cast<uint32_t>(range.size() - k));
    std::swap(range[k], range[other]);
  }
  range.resize(chosen);
  return range;
}

std::wstring PageText(const QuestionRecord& question, std::wstring_view baseFolder) {
  return L"Câu hỏi : " + FieldHtml(question.CauHoi, baseFolder) + L"<p>A) " + FieldHtml(question.CauA, baseFolder) +
         L"<p>B) " + FieldHtml(question.CauB, baseFolder) + L"<p>C) " + FieldHtml(question.CauC, baseFolder) +
         L"<p>D) " + FieldHtml(question.CauD, baseFolder);
}

std::wstring ShownPage(std::wstring_view pageText) {
  return L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>" +
         std::wstring(pageText) + L"</body></html>";
}

TestSession::TestSession(TestView& view, std::wstring appTemp, SeedSource seeds)
    : view_(view), appTemp_(std::move(appTemp)), seeds_(std::move(seeds)) {}

bool TestSession::GoGoGo(const std::wstring& path, int16_t count, bool random, uint8_t minutes, bool fromPackage,
                         int16_t from, int16_t to) {
  if (from < 1 || from > to || count < 1 || count > to - from + 1 || (!random && count != to - from + 1)) {
    return false;
  }
  BankFileReader reader;
  if (!reader.Load(path) || reader.QuestionCount() < to || !reader.HasRecord(to)) return false;

  DrawGenerator generator(seeds_());
  std::vector<int16_t> chosen = ChooseQuestions(random, count, from, to, generator);
  const std::wstring base = mdlMain::FolderOfPath(path);
  std::vector<std::wstring> pages;
  std::vector<wchar_t> keys;
  pages.reserve(chosen.size());
  keys.reserve(chosen.size());
  for (int16_t k : chosen) {
    const QuestionRecord question = reader.Record(k);
    pages.push_back(PageText(question, base));
    keys.push_back(question.DapAn);
  }
  // The bank of a package goes once read: its folder keeps the attached files.
  if (fromPackage) tq::RemoveFileInside(path, appTemp_);

  StopTimer();
  chosenOrder_ = std::move(chosen);
  pages_ = std::move(pages);
  keys_ = std::move(keys);
  answers_.assign(keys_.size(), L' ');
  graded_ = false;
  mainMenuRequested_ = false;
  secondsLeft_ = minutes * 60;
  pageFolder_ = base.empty() ? base : base.substr(0, base.size() - 1);
  fromPackage_ = fromPackage;

  display_ = TestDisplay{};
  display_.lblSoCau = L"of " + std::to_wstring(QuestionCount());
  DaLamChua();
  current_ = 1;
  display_.txtCauSo = L"1";
  ShowQuestion(1);
  if (minutes != 0) {
    timerOn_ = true;
    view_.SetTimer(true);
  }
  return true;
}

}  // namespace frmLamTN
