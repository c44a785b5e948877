// Stand-ins for the set-up and test screens' windows, and small banks.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "authoring/QuestionBank.h"
#include "delivery/frmBienDich.h"
#include "delivery/frmLamTN.h"
#include "delivery/frmTTTN.h"

struct ShownMessage {
  std::wstring text;
  int style;
};

// Records what the test screen would show; answers message boxes from a script.
class FakeTestView : public frmLamTN::TestView {
 public:
  int UniMsgBox(std::wstring_view text, int style) override {
    messages.push_back({std::wstring(text), style});
    if (whileBoxOpen) {
      // Runs once: what happens while this box waits for its answer.
      auto during = std::move(whileBoxOpen);
      whileBoxOpen = nullptr;
      during();
    }
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetTimer(bool on) override {
    timer = on;
    timerSwitches.push_back(on);
  }
  bool ShowPage(const std::wstring& html) override {
    if (pageFails) return false;
    pages.push_back(html);
    return true;
  }
  std::wstring FormatScore(int tenths) override {
    return separator.empty() ? TestView::FormatScore(tenths) : frmLamTN::ScoreText(tenths, separator);
  }

  std::vector<ShownMessage> messages;
  std::deque<int> answers;
  std::function<void()> whileBoxOpen;
  bool timer = false;
  std::vector<bool> timerSwitches;
  std::vector<std::wstring> pages;
  bool pageFails = false;
  std::wstring separator;
};

// Records what the set-up screen would show; the open dialog returns `chosen`.
class FakeSetupView : public frmTTTN::SetupView {
 public:
  int UniMsgBox(std::wstring_view text, int style) override {
    messages.push_back({std::wstring(text), style});
    return 1;
  }
  std::wstring ShowOpen(std::wstring_view filter) override {
    filters.emplace_back(filter);
    return chosen;
  }
  void DaMoFile(const std::wstring& path, int bankCount) override {
    txtPath = path;
    opened.push_back({path, bankCount});
  }

  std::vector<ShownMessage> messages;
  std::vector<std::wstring> filters;
  std::wstring chosen;
  std::wstring txtPath = std::wstring(frmTTTN::NoFileText);
  std::vector<std::pair<std::wstring, int>> opened;
};

// Records what the compile screen would show; dialogs return what the test set.
class FakeCompileView : public frmBienDich::CompileView {
 public:
  int UniMsgBox(std::wstring_view text, int style) override {
    messages.push_back({std::wstring(text), style});
    return answer;
  }
  std::wstring ShowOpen(std::wstring_view filter) override {
    filters.emplace_back(filter);
    return chosen;
  }
  std::wstring ShowSave(std::wstring_view filter) override {
    filters.emplace_back(filter);
    return chosen;
  }
  std::wstring ShowFolder() override { return chosen; }
  void DaDocFile(const std::wstring& path, const std::vector<std::wstring>& names) override {
    txtPath = path;
    lstDS = names;
    doItEnabled = true;
  }
  void SetOutPath(int index, const std::wstring& path) override { txtOutPath[index] = path; }

  std::vector<ShownMessage> messages;
  std::vector<std::wstring> filters;
  std::wstring chosen;
  int answer = 1;
  std::wstring txtPath;
  std::vector<std::wstring> lstDS;
  bool doItEnabled = false;
  std::wstring txtOutPath[2];
};

// A local time of 2026.
inline SYSTEMTIME LocalTime(WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  t.wSecond = second;
  return t;
}

// Bank question k: text "Q<k>", key from `keys` (cycled), answers "a<k>".."d<k>".
inline std::vector<QuestionRecord> NumberedQuestions(int count, std::wstring_view keys = L"ABCD") {
  std::vector<QuestionRecord> records;
  for (int k = 1; k <= count; ++k) {
    const std::wstring n = std::to_wstring(k);
    records.push_back(
        {L"Q" + n, L"a" + n, L"b" + n, L"c" + n, L"d" + n, keys[static_cast<size_t>(k - 1) % keys.size()]});
  }
  return records;
}
