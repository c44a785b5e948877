#include "authoring/frmAdd.h"

#include <algorithm>

#include "authoring/mdlMain.h"

namespace frmAdd {

namespace {

constexpr std::array<std::wstring_view, 5> StartTags{L"[b]", L"[i]", L"[u]", L"[t]", L"[d]"};
constexpr std::array<std::wstring_view, 5> EndTags{L"[/b]", L"[/i]", L"[/u]", L"[/t]", L"[/d]"};
// The order in which plain text removes them.
constexpr std::array<std::wstring_view, 10> FormatTags{L"[b]", L"[/b]", L"[i]", L"[/i]", L"[u]",
                                                       L"[/u]", L"[t]", L"[/t]", L"[d]", L"[/d]"};

std::wstring ReplaceAll(std::wstring text, std::wstring_view from, std::wstring_view to) {
  for (size_t k = text.find(from); k != std::wstring::npos; k = text.find(from, k + to.size())) {
    text.replace(k, from.size(), to);
  }
  return text;
}

// The selection within the text: a stale or negative one is cut to fit.
std::pair<size_t, size_t> Selection(std::wstring_view text, int selStart, int selLength) {
  const size_t start = std::min<size_t>(static_cast<size_t>(std::max(selStart, 0)), text.size());
  const size_t length = std::min<size_t>(static_cast<size_t>(std::max(selLength, 0)), text.size() - start);
  return {start, length};
}

BoxEdit Replace(std::wstring_view text, size_t start, size_t length, std::wstring_view with) {
  std::wstring out(text.substr(0, start));
  out += with;
  out += text.substr(start + length);
  return {out, static_cast<int>(start)};
}

}  // namespace

std::wstring EntryConversion(std::wstring_view typed) {
  std::wstring text = ReplaceAll(std::wstring(typed), L"\r\n", L"[E]");
  text = ReplaceAll(std::move(text), L"<", L"&lt;");
  return ReplaceAll(std::move(text), L">", L"&gt;");
}

BoxEdit FormatCommand(std::wstring_view text, int selStart, int selLength, int command) {
  const auto [start, length] = Selection(text, selStart, selLength);
  std::wstring selected(text.substr(start, length));
  if (command >= 0 && command < 5) {
    return Replace(text, start, length,
                   std::wstring(StartTags[static_cast<size_t>(command)]) + selected +
                       std::wstring(EndTags[static_cast<size_t>(command)]));
  }
  if (command == 5) {
    for (std::wstring_view tag : FormatTags) selected = ReplaceAll(std::move(selected), tag, L"");
    return Replace(text, start, length, selected);
  }
  return {std::wstring(text), static_cast<int>(start)};
}

BoxEdit InsertFile(std::wstring_view text, int selStart, int selLength, bool media, std::wstring_view path) {
  const auto [start, length] = Selection(text, selStart, selLength);
  const mdlMain::TagPair& pair = mdlMain::TagTable[media ? 1 : 0];
  return Replace(text, start, length, std::wstring(pair.start) + std::wstring(path) + std::wstring(pair.end));
}

std::wstring PreviewPage(const std::array<std::wstring, 5>& texts, std::wstring_view key, std::wstring_view folder) {
  // Texts of a hand-made bank may hold raw brackets: they show as text.
  std::array<std::wstring, 5> safe;
  for (size_t k = 0; k < texts.size(); ++k) safe[k] = mdlMain::EscapeAngleBrackets(texts[k]);
  const std::wstring body = L"<b>Câu hỏi : </b><br>" + safe[0] + L"<p>Câu A :" + safe[1] + L"<p>Câu B :" + safe[2] +
                            L"<p>Câu C :" + safe[3] + L"<p>Câu D :" + safe[4];
  return L"<html><head><meta charset='UTF-8'></head><body><font face='Times New Roman' size=3>" +
         mdlMain::TagsToHtml(body, folder) + L"<p><b>Đáp án : " + mdlMain::EscapeAngleBrackets(key) +
         L"</b></font></body></html>";
}

int FirstBlank(const std::array<std::wstring, 5>& texts) {
  for (size_t k = 0; k < texts.size(); ++k) {
    if (mdlMain::IsBlank(texts[k])) return static_cast<int>(k);
  }
  return -1;
}

}  // namespace frmAdd
