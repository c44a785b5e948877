#include "runtime/HtmlDocument.h"

#include <algorithm>
#include <array>
#include <cwctype>

namespace tq {

namespace {

struct Tag {
  std::wstring name;  // lower case
  bool closing = false;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;  // names lower case, values decoded

  std::wstring Attribute(std::wstring_view key) const {
    for (const auto& [name, value] : attributes) {
      if (name == key) return value;
    }
    return {};
  }
};

std::wstring Lower(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) c = static_cast<wchar_t>(std::towlower(c));
  return out;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

struct NamedReference {
  const wchar_t* name;
  wchar_t character;
};
constexpr std::array<NamedReference, 12> NamedReferences{{
    {L"lt", L'<'},
    {L"gt", L'>'},
    {L"amp", L'&'},
    {L"quot", L'"'},
    {L"apos", L'\''},
    {L"nbsp", 0xA0},
    {L"copy", 0xA9},
    {L"reg", 0xAE},
    {L"deg", 0xB0},
    {L"plusmn", 0xB1},
    {L"times", 0xD7},
    {L"divide", 0xF7},
}};

void AppendCodePoint(std::wstring& out, unsigned long code) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
  if (code >= 0x10000) {
    code -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (code >> 10));
    out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
  } else {
    out += static_cast<wchar_t>(code);
  }
}

// Reads the tag that starts at pos ('<'); pos moves past it.
Tag ReadTag(std::wstring_view html, size_t& pos) {
  Tag tag;
  size_t k = pos + 1;
  if (k < html.size() && html[k] == L'/') {
    tag.closing = true;
    ++k;
  }
  const size_t nameStart = k;
  while (k < html.size() && !IsSpace(html[k]) && html[k] != L'>' && html[k] != L'/') ++k;
  tag.name = Lower(html.substr(nameStart, k - nameStart));
  for (;;) {
    while (k < html.size() && (IsSpace(html[k]) || html[k] == L'/')) ++k;
    if (k >= html.size() || html[k] == L'>') break;
    const size_t attributeStart = k;
    while (k < html.size() && !IsSpace(html[k]) && html[k] != L'>' && html[k] != L'=' && html[k] != L'/') ++k;
    std::wstring name = Lower(html.substr(attributeStart, k - attributeStart));
    while (k < html.size() && IsSpace(html[k])) ++k;
    std::wstring value;
    if (k < html.size() && html[k] == L'=') {
      ++k;
      while (k < html.size() && IsSpace(html[k])) ++k;
      if (k < html.size() && (html[k] == L'"' || html[k] == L'\'')) {
        const wchar_t quote = html[k++];
        const size_t end = std::min(html.find(quote, k), html.size());
        value = DecodeCharacterReferences(html.substr(k, end - k));
        k = std::min(end + 1, html.size());
      } else {
        const size_t valueStart = k;
        while (k < html.size() && !IsSpace(html[k]) && html[k] != L'>') ++k;
        value = DecodeCharacterReferences(html.substr(valueStart, k - valueStart));
      }
    }
    if (name.empty()) {
      ++k;  // a stray character: step over it
      continue;
    }
    tag.attributes.emplace_back(std::move(name), std::move(value));
  }
  pos = std::min(k + 1, html.size());
  return tag;
}

bool IsStyleTag(const std::wstring& name) {
  return name == L"font" || name == L"b" || name == L"strong" || name == L"i" || name == L"em" || name == L"u" ||
         name == L"sup" || name == L"sub";
}

// A face name as long as a font's face can be; longer ones are cut, so that
// copying a style costs the same whatever the page holds.
constexpr size_t MaxFaceLength = 31;
// Style tags nested deeper than this add no style: they are only counted, so
// that each tag costs the same work however deep it lies.
constexpr size_t MaxStyleDepth = 64;

// The style inside one tag, given the style around it.
HtmlStyle Within(const Tag& tag, HtmlStyle style) {
  if (tag.name == L"font") {
    const std::wstring face = tag.Attribute(L"face");
    if (!face.empty()) {
      std::wstring first = face.substr(0, face.find(L','));
      first.erase(0, first.find_first_not_of(L" \t'\""));
      first.erase(first.find_last_not_of(L" \t'\"") + 1);
      if (!first.empty()) style.face = first.substr(0, MaxFaceLength);
    }
    const std::wstring size = tag.Attribute(L"size");
    if (!size.empty()) style.size = FontSizeOfAttribute(size, style.size);
  } else if (tag.name == L"b" || tag.name == L"strong") {
    style.bold = true;
  } else if (tag.name == L"i" || tag.name == L"em") {
    style.italic = true;
  } else if (tag.name == L"u") {
    style.underline = true;
  } else if (tag.name == L"sup" || tag.name == L"sub") {
    // As a browser does: a third (sup) or a fifth (sub) of the parent's
    // size and one pixel, at five sixths of the size.
    style.raise += tag.name == L"sup" ? style.size / 3 + 1 : -(style.size / 5 + 1);
    style.size /= 1.2;
  }
  return style;
}

// The open style tags, each with the style it gives its contents.
class StyleStack {
 public:
  const HtmlStyle& Style() const { return open_.empty() ? plain_ : open_.back().style; }
  size_t Depth() const { return open_.size() + beyond_; }

  void Open(Tag tag) {
    if (open_.size() >= MaxStyleDepth) {
      ++beyond_;
      return;
    }
    HtmlStyle style = Within(tag, Style());
    open_.push_back({std::move(tag), std::move(style)});
  }

  void Close(const std::wstring& name) {
    if (beyond_ > 0) {
      --beyond_;
      return;
    }
    for (size_t k = open_.size(); k-- > 0;) {
      const std::wstring& opened = open_[k].tag.name;
      if (opened == name || (name == L"strong" && opened == L"b") || (name == L"em" && opened == L"i")) {
        open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(k));
        // The tags that opened inside it lose what it gave them.
        for (size_t j = k; j < open_.size(); ++j) open_[j].style = Within(open_[j].tag, j ? open_[j - 1].style : plain_);
        return;
      }
    }
  }

 private:
  struct Entry {
    Tag tag;
    HtmlStyle style;
  };
  HtmlStyle plain_;
  std::vector<Entry> open_;  // at most MaxStyleDepth
  size_t beyond_ = 0;
};

// Where the end tag </name> starts at or after pos, letter case ignored.
size_t FindEndTag(std::wstring_view html, size_t pos, const std::wstring& name) {
  for (size_t at = html.find(L"</", pos); at != std::wstring_view::npos; at = html.find(L"</", at + 2)) {
    const std::wstring_view candidate = html.substr(at + 2, name.size());
    if (candidate.size() == name.size() && Lower(candidate) == name) return at;
  }
  return std::wstring_view::npos;
}

}  // namespace

double FontSizeOfAttribute(std::wstring_view value, double current) {
  static constexpr double Sizes[] = {10, 13, 16, 18, 24, 32, 48};
  size_t k = 0;
  while (k < value.size() && IsSpace(value[k])) ++k;
  int sign = 0;
  if (k < value.size() && (value[k] == L'+' || value[k] == L'-')) sign = value[k++] == L'+' ? 1 : -1;
  if (k >= value.size() || value[k] < L'0' || value[k] > L'9') return current;
  int number = 0;
  for (; k < value.size() && value[k] >= L'0' && value[k] <= L'9'; ++k)
    number = std::min(number * 10 + (value[k] - L'0'), 100);
  const int index = sign == 0 ? number : 3 + sign * number;
  return Sizes[std::clamp(index, 1, 7) - 1];
}

std::wstring DecodeCharacterReferences(std::wstring_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (size_t k = 0; k < text.size();) {
    if (text[k] != L'&') {
      out += text[k++];
      continue;
    }
    size_t end = k + 1;
    if (end < text.size() && text[end] == L'#') {
      ++end;
      const bool hex = end < text.size() && (text[end] == L'x' || text[end] == L'X');
      if (hex) ++end;
      const size_t digits = end;
      unsigned long code = 0;
      for (; end < text.size() && std::iswxdigit(text[end]) && (hex || std::iswdigit(text[end])); ++end) {
        const wchar_t c = text[end];
        const unsigned long digit = c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10;
        code = std::min<unsigned long>(code * (hex ? 16 : 10) + digit, 0x110000);
      }
      if (end == digits) {
        out += text[k++];
        continue;
      }
      if (end < text.size() && text[end] == L';') ++end;
      AppendCodePoint(out, code);
      k = end;
      continue;
    }
    while (end < text.size() && std::iswalnum(text[end]) && end - k < 10) ++end;
    const std::wstring name(text.substr(k + 1, end - k - 1));
    bool found = false;
    for (const NamedReference& reference : NamedReferences) {
      if (name == reference.name) {
        out += reference.character;
        found = true;
        break;
      }
    }
    if (!found) {
      out += text[k++];
      continue;
    }
    k = end < text.size() && text[end] == L';' ? end + 1 : end;
  }
  return out;
}

std::vector<HtmlBlock> ParseHtml(std::wstring_view html) {
  std::vector<HtmlBlock> blocks(1);
  StyleStack open;
  HtmlStyle style;
  bool inParagraph = false;
  // Style tags open around the block itself: a paragraph lies inside those
  // open at its start; text between paragraphs lies in the page's body.
  size_t blockDepth = 0;
  auto startBlock = [&](bool paragraph) {
    if (!blocks.back().items.empty() || blocks.back().paragraph) blocks.emplace_back();
    blocks.back().paragraph = paragraph;
    blocks.back().fontSize = style.size;
    blocks.back().root = paragraph ? style : HtmlStyle();
    blockDepth = paragraph ? open.Depth() : 0;
    inParagraph = paragraph;
  };
  size_t pos = 0;
  while (pos < html.size()) {
    if (html[pos] == L'<' && pos + 1 < html.size() && html.substr(pos, 4) == L"<!--") {
      const size_t end = html.find(L"-->", pos + 4);
      pos = end == std::wstring_view::npos ? html.size() : end + 3;
      continue;
    }
    const bool tagStart =
        html[pos] == L'<' && pos + 1 < html.size() &&
        (std::iswalpha(html[pos + 1]) || html[pos + 1] == L'/' || html[pos + 1] == L'!' || html[pos + 1] == L'?');
    if (!tagStart) {
      const size_t end = std::min(html.find(L'<', pos + 1), html.size());
      std::wstring text = DecodeCharacterReferences(html.substr(pos, end - pos));
      HtmlBlock& block = blocks.back();
      const bool direct = open.Depth() <= blockDepth;
      if (!block.items.empty() && block.items.back().kind == HtmlItem::Text && block.items.back().style == style &&
          block.items.back().direct == direct) {
        block.items.back().text += text;
      } else {
        block.items.push_back({HtmlItem::Text, std::move(text), style, direct});
      }
      pos = end;
      continue;
    }
    Tag tag = ReadTag(html, pos);
    const std::wstring& name = tag.name;
    if (!tag.closing && (name == L"head" || name == L"title" || name == L"script" || name == L"style")) {
      // Nothing of these is shown: skip to their end tag.
      const size_t at = FindEndTag(html, pos, name);
      const size_t close = at == std::wstring_view::npos ? at : html.find(L'>', at);
      pos = close == std::wstring_view::npos ? html.size() : close + 1;
      continue;
    }
    if (IsStyleTag(name)) {
      if (!tag.closing) {
        open.Open(std::move(tag));
      } else {
        open.Close(name);
      }
      style = open.Style();
    } else if (name == L"p") {
      if (!tag.closing) {
        startBlock(true);
      } else if (inParagraph) {
        startBlock(false);
      }
    } else if (name == L"br" && !tag.closing) {
      blocks.back().items.push_back({HtmlItem::Break, L"", style, open.Depth() <= blockDepth});
    } else if ((name == L"img" || name == L"embed") && !tag.closing) {
      blocks.back().items.push_back({name == L"img" ? HtmlItem::Image : HtmlItem::Embed, tag.Attribute(L"src"), style,
                                     open.Depth() <= blockDepth});
    }
  }
  return blocks;
}

}  // namespace tq
