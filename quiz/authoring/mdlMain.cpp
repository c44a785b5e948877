#include "authoring/mdlMain.h"

#include "runtime/Utf.h"

namespace mdlMain {

namespace {

constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 11> FormatTags{{
    {L"[b]", L"<b>"},
    {L"[/b]", L"</b>"},
    {L"[u]", L"<u>"},
    {L"[/u]", L"</u>"},
    {L"[i]", L"<i>"},
    {L"[/i]", L"</i>"},
    {L"[t]", L"<sup>"},
    {L"[/t]", L"</sup>"},
    {L"[d]", L"<sub>"},
    {L"[/d]", L"</sub>"},
    {L"[E]", L"<br />"},
}};

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  std::wstring out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit; (hit = text.find(from, pos)) != std::wstring_view::npos; pos = hit + from.size()) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
  }
  out.append(text.substr(pos));
  return out;
}

// Rewrites every complete pair of one kind, front to back. The search goes on
// after each replacement, so nothing produced is scanned again; a start tag
// without an end tag after it leaves the rest as it is.
template <typename Rewrite>
std::wstring RewritePairs(std::wstring_view text, const TagPair& tags, Rewrite rewrite) {
  std::wstring out;
  out.reserve(text.size());
  size_t pos = 0;
  while (true) {
    const size_t start = text.find(tags.start, pos);
    if (start == std::wstring_view::npos) break;
    const size_t nameAt = start + tags.start.size();
    const size_t end = text.find(tags.end, nameAt);
    if (end == std::wstring_view::npos) break;
    out.append(text.substr(pos, start - pos));
    out.append(rewrite(text.substr(nameAt, end - nameAt)));
    pos = end + tags.end.size();
  }
  out.append(text.substr(pos));
  return out;
}

// True when a browser would read the source as an address with a scheme of
// its own ("javascript:", "data:") instead of a file: only a drive letter may
// stand before the first colon. Browsers drop tabs and line breaks anywhere,
// and controls and spaces in front, before they look for the scheme.
bool ReadsAsAddress(std::wstring_view source) {
  size_t schemeLength = 0;
  for (wchar_t c : source) {
    if (c == L'\t' || c == L'\n' || c == L'\r') continue;
    if (schemeLength == 0 && c <= L' ') continue;
    if (c == L':') return schemeLength > 1;
    const bool letter = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
    const bool schemeChar = (c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.';
    if (!letter && !(schemeLength > 0 && schemeChar)) return false;
    ++schemeLength;
  }
  return false;
}

}  // namespace

std::wstring TempPage;

std::wstring ConvertFormatTags(std::wstring_view text) {
  std::wstring html(text);
  for (const auto& [tag, markup] : FormatTags) html = ReplaceAll(html, tag, markup);
  return html;
}

std::wstring TagsToHtml(std::wstring_view text, std::wstring_view base) {
  // File pairs first: their names are escaped, so the format tags that follow
  // can neither change a file name nor put markup inside an attribute.
  std::wstring html(text);
  for (size_t kind = 0; kind < 2; ++kind) {
    const std::wstring kindText = std::to_wstring(kind);
    html =
        RewritePairs(html, TagTable[kind], [&](std::wstring_view name) { return MediaTagHtml(name, kindText, base); });
  }
  return ConvertFormatTags(html);
}

std::wstring MediaTagHtml(std::wstring_view name, std::wstring_view kind, std::wstring_view base) {
  std::wstring source(name);
  if (name.find(L":\\") == std::wstring_view::npos) source.insert(0, base);
  // Kept a relative file name, so a hostile name can never load a script.
  if (ReadsAsAddress(source)) source.insert(0, L"./");
  source = EscapeAttribute(source);
  if (kind == L"0") return L"<img src='" + source + L"' align='middle'>";
  if (kind == L"1") return L"<embed src='" + source + L"' autostart='0'>";
  return {};
}

std::wstring StripMediaFolders(std::wstring_view text) {
  // Both kinds in one pass from the front, each pair cut within its own
  // bounds. A cut name holds no separator and so no end tag: a second pass
  // finds the same pairs and changes nothing, however the pairs cross.
  constexpr size_t npos = std::wstring_view::npos;
  std::wstring out;
  out.reserve(text.size());
  size_t pos = 0;
  // The next start tag of each kind at or after pos; npos once the kind is done
  // (no start tag left, or one without an end tag after it).
  std::array<size_t, 2> next{text.find(TagTable[0].start), text.find(TagTable[1].start)};
  for (;;) {
    size_t kind = 0;
    for (size_t k = 0; k < 2; ++k) {
      if (next[k] != npos && next[k] < pos) next[k] = text.find(TagTable[k].start, pos);
    }
    if (next[1] < next[0]) kind = 1;
    const size_t start = next[kind];
    if (start == npos) break;
    const TagPair& tags = TagTable[kind];
    const size_t nameAt = start + tags.start.size();
    const size_t end = text.find(tags.end, nameAt);
    if (end == npos) {
      next[kind] = npos;
      continue;
    }
    out.append(text.substr(pos, nameAt - pos));
    out.append(FileNameOfPath(text.substr(nameAt, end - nameAt)));
    out.append(tags.end);
    pos = end + tags.end.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::wstring EscapeAttribute(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'&':
        out += L"&amp;";
        break;
      case L'\'':
        out += L"&#39;";
        break;
      case L'<':
        out += L"&lt;";
        break;
      case L'>':
        out += L"&gt;";
        break;
      case L'[':
        out += L"&#91;";
        break;
      case L']':
        out += L"&#93;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::wstring EscapeAngleBrackets(std::wstring_view text) {
  return ReplaceAll(ReplaceAll(text, L"<", L"&lt;"), L">", L"&gt;");
}

std::string Utf8Encode(std::wstring_view text) { return tq::Utf8FromUtf16(text); }

std::string Utf8EncodeChar(unsigned code) {
  std::string bytes;
  if (code < 128) {
    bytes += static_cast<char>(code);
  } else if (code < 2048) {
    bytes += static_cast<char>(192 + code / 64);
    bytes += static_cast<char>(128 + code % 64);
  } else {
    bytes += static_cast<char>(224 + (code / 4096) % 16);
    bytes += static_cast<char>(128 + (code / 64) % 64);
    bytes += static_cast<char>(128 + code % 64);
  }
  return bytes;
}

tq::IoStatus WriteTempPage(std::wstring_view html) {
  if (TempPage.empty()) return tq::IoStatus{ERROR_PATH_NOT_FOUND};
  return tq::WriteFileAtomic(TempPage, "\xEF\xBB\xBF" + Utf8Encode(html));
}

}  // namespace mdlMain
