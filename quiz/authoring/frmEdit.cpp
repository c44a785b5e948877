#include "authoring/frmEdit.h"

#include "authoring/frmEdit_Screen.h"

namespace frmEdit {

std::wstring BoxText(std::wstring_view stored) {
  std::wstring text(stored);
  for (size_t k = text.find(L"[E]"); k != std::wstring::npos; k = text.find(L"[E]", k + 2)) {
    text.replace(k, 3, L"\r\n");
  }
  return text;
}

void NapDuLieu(const std::wstring& question, const std::wstring& answerA, const std::wstring& answerB,
               const std::wstring& answerC, const std::wstring& answerD, const std::wstring& key, int field,
               const std::wstring& folder) {
  Get().NapDuLieu({question, answerA, answerB, answerC, answerD}, key, field, folder);
}

void Show() { Get().Show(); }

}  // namespace frmEdit
