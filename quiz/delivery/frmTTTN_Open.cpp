// The set-up screen's state: opening a bank or a package, the start, unloading.
#include <windows.h>

#include <cstdint>
#include <utility>

#include "authoring/QuestionBank.h"
#include "authoring/mdlMain.h"
#include "delivery/TempCleanup.h"
#include "delivery/frmLamTN.h"
#include "delivery/frmTTTN.h"

namespace frmTTTN {

namespace {

constexpr int kStyleInformation = 64;
constexpr int kMaxBankCount = INT16_MAX;

// The last three characters, upper-cased, equal `suffix` (three ASCII capitals).
bool EndsWith(std::wstring_view path, std::wstring_view suffix) {
  if (path.size() < suffix.size()) return false;
  const std::wstring_view tail = path.substr(path.size() - suffix.size());
  for (size_t i = 0; i < suffix.size(); ++i) {
    const wchar_t c = tail[i] >= L'a' && tail[i] <= L'z' ? static_cast<wchar_t>(tail[i] - L'a' + L'A') : tail[i];
    if (c != suffix[i]) return false;
  }
  return true;
}

// A new, empty file of the parked bank's own in the Windows temporary folder,
// so that no other program's file of the same name is ever replaced.
std::wstring NewParkedBank(const std::wstring& systemTemp) {
  wchar_t name[MAX_PATH];
  if (systemTemp.empty() || systemTemp.size() > MAX_PATH - 14) return {};
  if (GetTempFileNameW(systemTemp.c_str(), L"tqb", 0, name) == 0) return {};
  return name;
}

}  // namespace

SetupState::SetupState(SetupView& view, SetupPlaces places) : view_(view), places_(std::move(places)) {}

void SetupState::Form_Load() {
  keptUnpackFolder_.clear();
  testStarting_ = false;
}

bool SetupState::NapDuongDan(const std::wstring& path) {
  if (EndsWith(path, L"XML")) return OpenBank(path);
  OpenTestPackage(path);
  return true;
}

void SetupState::cmdPath_Click() {
  const std::wstring path = view_.ShowOpen(OpenFilter);
  if (!mdlMain::FileExists(path)) return;
  if (EndsWith(path, L"ZIP")) {
    OpenTestPackage(path);
  } else {
    OpenBank(path);
  }
}

SetupState::Count SetupState::ReadXML(const std::wstring& path, int& count) {
  BankFileReader reader;
  if (!reader.Load(path)) return Count::NotABank;
  count = reader.QuestionCount();
  if (count > kMaxBankCount) return Count::NotABank;
  if (count == 0) {
    bankCount_ = 0;
    return Count::NoQuestions;
  }
  return Count::Ok;
}

bool SetupState::OpenBank(const std::wstring& path) {
  int count = 0;
  const Count counted = ReadXML(path, count);
  if (counted != Count::Ok) {
    Refuse(path, counted);
    return false;
  }
  Adopt(path, count, false, {}, {});
  return true;
}

bool SetupState::OpenTestPackage(const std::wstring& path) {
  std::wstring folder;
  const PackageStatus opened = OpenPackage(path, places_.appTemp, places_.clock(), folder, places_.bounds);
  if (!opened) {
    const bool tooLarge =
        opened.failure == PackageFailure::ArchiveFailed && opened.zipFailure == tq::ZipFailure::TooLarge;
    Refuse(path, tooLarge ? Count::TooLarge : Count::NotABank);
    return false;
  }
  const std::wstring bank = folder + L"\\data.xml";
  int count = 0;
  const Count counted = ReadXML(bank, count);
  std::wstring parked;
  if (counted == Count::Ok) {
    parked = NewParkedBank(places_.systemTemp);
    if (parked.empty() || !CopyFileW(bank.c_str(), parked.c_str(), FALSE)) {
      const tq::IoStatus failure{GetLastError()};
      if (!parked.empty()) DeleteFileW(parked.c_str());
      tq::RemoveFolderInside(folder, places_.appTemp);
      view_.UniMsgBox(path + L"\r\n" + failure.Text(), kStyleInformation);
      return false;
    }
  }
  if (counted != Count::Ok) {
    tq::RemoveFolderInside(folder, places_.appTemp);
    Refuse(path, counted);
    return false;
  }
  // The unpack folder keeps the attached files; the bank waits in its parked copy.
  tq::RemoveFileInside(bank, places_.appTemp);
  Adopt(path, count, true, folder, parked);
  return true;
}

void SetupState::Adopt(const std::wstring& path, int count, bool fromPackage, std::wstring folder,
                       std::wstring parked) {
  DropKeptFolder();
  DropParkedBank();
  bankCount_ = count;
  fromPackage_ = fromPackage;
  keptUnpackFolder_ = std::move(folder);
  parkedBank_ = std::move(parked);
  openedPath_ = path;
  view_.DaMoFile(path, count);
}

void SetupState::Refuse(const std::wstring& path, Count why) {
  if (why == Count::NoQuestions) {
    view_.UniMsgBox(NoQuestionsMessage, kStyleInformation);
  } else {
    // The file's own path after the message says which file was refused, and
    // a package refused for its size says so.
    std::wstring text = std::wstring(NotATestMessage) + L"\r\n\r\n" + path;
    if (why == Count::TooLarge) text += L"\r\n\r\n" + std::wstring(TooLargeReason);
    view_.UniMsgBox(text, kStyleInformation);
  }
}

bool SetupState::cmdLamBai_Click(const SetupInput& input, frmLamTN::TestSession& test) {
  const std::optional<TestPlan> plan = CheckSetup(input, bankCount_);
  if (!plan) {
    view_.UniMsgBox(SetupRefusedMessage, kStyleInformation);
    return false;
  }
  // A package's bank goes back beside its attached files, where its pages
  // find them; the parked copy stays until the test holds the bank.
  std::wstring bank = input.path;
  if (fromPackage_) {
    bank = keptUnpackFolder_ + L"\\data.xml";
    if (parkedBank_.empty() || !CopyFileW(parkedBank_.c_str(), bank.c_str(), FALSE)) {
      view_.UniMsgBox(NotATestMessage, kStyleInformation);
      return false;
    }
  }
  if (!test.GoGoGo(bank, plan->count, plan->random, plan->minutes, fromPackage_, plan->from, plan->to)) {
    if (fromPackage_) tq::RemoveFileInside(bank, places_.appTemp);
    view_.UniMsgBox(NotATestMessage, kStyleInformation);
    return false;
  }
  if (fromPackage_) {
    DropParkedBank();
    openedPath_ = bank;
  }
  testStarting_ = true;
  return true;
}

void SetupState::Form_Unload() {
  if (testStarting_) {
    // The test screen owns the folder now.
    keptUnpackFolder_.clear();
  } else {
    DropKeptFolder();
    DropParkedBank();
  }
  // No bank is open until the next opening.
  fromPackage_ = false;
  bankCount_ = 0;
  openedPath_.clear();
}

void SetupState::DropKeptFolder() {
  if (!keptUnpackFolder_.empty()) tq::RemoveFolderInside(keptUnpackFolder_, places_.appTemp);
  keptUnpackFolder_.clear();
}

void SetupState::DropParkedBank() {
  if (!parkedBank_.empty()) tq::RemoveFileInside(parkedBank_, places_.systemTemp);
  parkedBank_.clear();
}

}  // namespace frmTTTN
