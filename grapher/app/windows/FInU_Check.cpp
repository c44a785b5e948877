#include "app/windows/FInU_Check.h"

#include <string_view>

#include "app/windows/FInU_Tables.h"
#include "framework/core/SysUtils.h"

namespace kx {

namespace {

const TFormulaIdentifier* FindIdentifier(const std::string& word) {
  for (const TFormulaIdentifier& entry : FormulaIdentifierTable())
    if (entry.Name == word) return &entry;
  return nullptr;
}

// 1-based character of the text.
char At(std::string_view text, int index) { return text[static_cast<size_t>(index - 1)]; }

}  // namespace

bool IsFormulaSeparator(char c) { return std::string_view(" ()*+,-/<=>").find(c) != std::string_view::npos; }

void NextFormulaToken(std::string_view text, int& pos, int& start, int& end, std::string& token) {
  start = 0, end = 0;
  token.clear();
  const int length = static_cast<int>(text.size());
  if (length == 0) {
    pos = 1;
    return;
  }
  int i = pos;
  while (i <= length && IsFormulaSeparator(At(text, i))) ++i;
  start = i, pos = i;
  if (i > length) return;
  while (i <= length && !IsFormulaSeparator(At(text, i))) ++i;
  end = i, pos = i;
  token = UpperCase(text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(end - start)));
}

bool IsPlainNumber(std::string_view token) {
  for (char c : token)
    if ((c < '0' || c > '9') && c != '.') return false;
  return true;
}

TIdentifierCheck CheckFormulaIdentifiers(std::string_view text, int32_t kind) {
  TIdentifierCheck check;
  const int length = static_cast<int>(text.size());
  const uint8_t allowed = kind >= 1 && kind <= 8 ? KindVariableMask[kind] : 0;
  int pos = 1, start = 0, end = 0;
  std::string word;
  do {
    NextFormulaToken(text, pos, start, end, word);
    if (word.empty() || IsPlainNumber(word)) continue;
    if (!FindIdentifier(word)) {
      check.Passed = false;
      check.Message = UnknownWordMessage();
    } else {
      for (int j = 0; VariableLetters[j]; ++j)
        if (word == std::string(1, VariableLetters[j]) && !(allowed & (1u << j))) {
          check.Passed = false;
          check.Message = ForbiddenVariableMessage(word);
        }
    }
  } while (check.Passed && length > pos);
  if (!check.Passed) {
    check.SelStart = start - 1;
    check.SelLength = end - start;
  }
  return check;
}

TFormulaHelp IdentifierHelp(std::string_view text, int caret) {
  TFormulaHelp help;
  const int length = static_cast<int>(text.size());
  if (length == 0 || caret < 0 || caret > length) return help;
  int s = caret;
  while (s > 0 && !IsFormulaSeparator(At(text, s))) --s;
  int e = caret;
  while (e < length && !IsFormulaSeparator(At(text, e + 1))) ++e;
  const std::string word = UpperCase(text.substr(static_cast<size_t>(s), static_cast<size_t>(e - s)));
  if (word.empty()) return help;

  if (const TFormulaIdentifier* entry = FindIdentifier(word)) {
    help.Syntax = entry->Syntax;
    help.Description = entry->Description;
  }
  bool listed = false;
  for (const TFormulaIdentifier& entry : FormulaIdentifierTable()) {
    if (entry.Name == word || entry.Name.compare(0, word.size(), word) != 0) continue;
    if (!listed) help.Syntax += help.Syntax.empty() ? "(  " : "     (  ";
    listed = true;
    help.Syntax += entry.Name + "  ";
  }
  if (listed) help.Syntax += ")";
  return help;
}

}  // namespace kx
