// Stand-ins for the test screen's window, and small banks.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "authoring/QuestionBank.h"
#include "delivery/frmLamTN.h"

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
