// ProgramOptions and the options file "config.xml".
#include <pugixml.hpp>

#include <cstring>

#include "authoring/mdlMain.h"
#include "runtime/Paths.h"
#include "runtime/Xml.h"

namespace mdlMain {

Options ProgramOptions;

bool UsesSmallLayout(const Options& options) { return options.layout == Layout::Small800x600; }

std::wstring OptionsFilePath() { return ProgramFolder() + L"\\config.xml"; }

std::vector<std::wstring> ReadOptionTexts(const std::wstring& path) {
  std::vector<std::wstring> texts;
  pugi::xml_document doc;
  if (!tq::LoadXmlFile(doc, path, 1 << 20)) return texts;
  // Without recursion: nesting is not bounded. Only the settings' elements
  // are read, so nested ones cost at most that many walks of the file.
  pugi::xml_node node = doc.first_child();
  while (node && texts.size() < OptionCount) {
    if (node.type() == pugi::node_element && std::wcscmp(node.name(), L"Option") == 0) {
      texts.push_back(tq::XmlNodeText(node));
    }
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
  return texts;
}

std::optional<int32_t> LeadingNumber(std::wstring_view text) {
  size_t k = 0;
  while (k < text.size() && (text[k] == L' ' || text[k] == L'\t')) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == L'-' || text[k] == L'+')) negative = text[k++] == L'-';
  long long whole = 0;
  bool big = false;
  for (; k < text.size() && text[k] >= L'0' && text[k] <= L'9'; ++k) {
    whole = whole * 10 + (text[k] - L'0');
    if (whole > (1ll << 32)) big = true, whole = 1ll << 32;
  }
  // Rounding to the nearest whole number, halves to even: the first digit
  // after the point decides, later digits only break a tie.
  if (k < text.size() && text[k] == L'.') {
    ++k;
    int first = -1;
    bool rest = false;
    for (; k < text.size() && text[k] >= L'0' && text[k] <= L'9'; ++k) {
      if (first < 0) {
        first = text[k] - L'0';
      } else if (text[k] != L'0') {
        rest = true;
      }
    }
    if (first > 5 || (first == 5 && (rest || whole % 2 == 1))) ++whole;
  }
  if (negative) whole = -whole;
  if (big || whole > INT32_MAX || whole < INT32_MIN) return std::nullopt;
  return static_cast<int32_t>(whole);
}

Options ReadProgramOptions(const std::wstring& path) {
  Options options;
  const std::vector<std::wstring> texts = ReadOptionTexts(path);
  if (texts.size() > 0) options.userName = texts[0];
  if (texts.size() > 1) options.className = texts[1];
  if (texts.size() > 2) options.candidateNumber = texts[2];
  if (texts.size() > 3) {
    if (const std::optional<int32_t> colour = LeadingNumber(texts[3]))
      options.backColor = static_cast<COLORREF>(*colour);
  }
  if (!FileExists(path)) options.backColor = DefaultBackColor;
  if (texts.size() > 4) options.layout = texts[4] == L"0" ? Layout::Small800x600 : Layout::Large1024x768;
  return options;
}

tq::IoStatus WriteOptionsFile(const std::wstring& path, const Options& options) {
  pugi::xml_document doc;
  pugi::xml_node root = tq::StartDocument(doc, L"Tessaro");
  const std::wstring texts[] = {
      options.userName,
      options.className,
      options.candidateNumber,
      std::to_wstring(static_cast<int32_t>(options.backColor)),
      options.layout == Layout::Small800x600 ? L"0" : L"1",
  };
  for (const std::wstring& text : texts) tq::AppendTextElement(root, L"Option", text);
  return tq::SaveXmlFile(doc, path);
}

std::wstring PathFromCommandLine(std::wstring_view text) {
  if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"' &&
      text.substr(1, text.size() - 2).find(L'"') == std::wstring_view::npos) {
    return std::wstring(text.substr(1, text.size() - 2));
  }
  return std::wstring(text);
}

std::wstring BankPathFromCommandLine(std::wstring_view text) {
  std::wstring path = PathFromCommandLine(text);
  const bool drivePath = path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
  const bool sharePath = path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/');
  // A text that still holds a quote names no file, and stays as typed.
  if (path.empty() || drivePath || sharePath || path.find(L'"') != std::wstring::npos) return path;
  const std::wstring full = tq::FullPath(path);
  return full.empty() ? path : full;
}

}  // namespace mdlMain
