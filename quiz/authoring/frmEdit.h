// The edit-question screen: one text of the bank editor's current question,
// rewritten with the add-question screen's commands (QuestionScreen).
#pragma once

#include <string>
#include <string_view>

namespace frmEdit {

// A stored text as the box shows it: every "[E]" as CR LF, nothing else.
std::wstring BoxText(std::wstring_view stored);

// Fills the screen with the current record's texts (as stored), its key, the
// field to edit (0 question, 1 to 4 answers A to D) and the bank's folder.
void NapDuLieu(const std::wstring& question, const std::wstring& answerA, const std::wstring& answerB,
               const std::wstring& answerC, const std::wstring& answerD, const std::wstring& key, int field,
               const std::wstring& folder);
void Show();

}  // namespace frmEdit
