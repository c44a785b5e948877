#include "runtime/HtmlLayout.h"

#include <algorithm>
#include <cmath>

namespace tq {

namespace {

// Text is measured at this many times its size, for fractional advances.
constexpr int MeasureScale = 32;

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f'; }

// One piece of a line: a word (part of one, for a change of style), a
// collapsed space, a picture or embedded file, or a forced break.
struct Token {
  enum Kind { Word, Space, Object, Break } kind;
  std::wstring text;
  HtmlStyle style;
  const HtmlItem* item = nullptr;  // whose text, break or object this is
  double width = 0;
  std::vector<double> advances = {};
};

struct Placed {
  const Token* token;
  double x;
};

double RaiseOf(const HtmlStyle& style) {
  return std::clamp(style.raise, -HtmlLayout::MaxRaise, HtmlLayout::MaxRaise);
}

}  // namespace

HtmlFonts::HtmlFonts() : dc_(CreateCompatibleDC(nullptr)) {}

HtmlFonts::~HtmlFonts() {
  for (auto& [key, font] : fonts_) DeleteObject(font);
  DeleteDC(dc_);
}

HtmlFonts::Key HtmlFonts::KeyOf(const HtmlStyle& style, int height) const {
  return {style.face, height, style.bold, style.italic, style.underline};
}

HFONT HtmlFonts::Make(const HtmlStyle& style, int height) {
  const Key key = KeyOf(style, height);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  HFONT font = CreateFontW(-height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, style.italic, style.underline, FALSE,
                           DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH,
                           style.face.c_str());
  fonts_.emplace(key, font);
  return font;
}

HFONT HtmlFonts::Font(const HtmlStyle& style) {
  return Make(style, std::max(1, static_cast<int>(std::lround(style.size))));
}

void HtmlFonts::Metrics(const HtmlStyle& style, double& ascent, double& descent) {
  HGDIOBJ old = SelectObject(dc_, Font(style));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  SelectObject(dc_, old);
  ascent = metrics.tmAscent;
  descent = metrics.tmDescent;
}

std::vector<double> HtmlFonts::Advances(const HtmlStyle& style, std::wstring_view text) {
  std::vector<double> advances(text.size());
  if (text.empty()) return advances;
  HtmlStyle plain = style;
  plain.underline = false;
  const int height = std::max(1, static_cast<int>(std::lround(style.size * MeasureScale)));
  HGDIOBJ old = SelectObject(dc_, Make(plain, height));
  std::vector<int> ends(text.size());
  SIZE size{};
  GetTextExtentExPointW(dc_, text.data(), static_cast<int>(text.size()), 0, nullptr, ends.data(), &size);
  SelectObject(dc_, old);
  int previous = 0;
  for (size_t k = 0; k < text.size(); ++k) {
    advances[k] = (ends[k] - previous) / static_cast<double>(height) * style.size;
    previous = ends[k];
  }
  return advances;
}

HtmlLayoutResult HtmlLayout::Layout(const std::vector<HtmlBlock>& blocks, int width, HtmlFonts& fonts,
                                    const ObjectSize& objectSize) const {
  HtmlLayoutResult result;
  const double available = std::max(1, width - 2 * PageMargin);
  double y = PageMargin;
  double pendingMargin = 0;
  bool atPageTop = true;
  // What is left of the page's bounds; once one runs out the page is cut.
  size_t piecesLeft = MaxPieces, charactersLeft = MaxCharacters;
  auto take = [&] {
    if (piecesLeft == 0) result.cut = true;
    if (result.cut) return false;
    --piecesLeft;
    return true;
  };

  for (size_t b = 0; b < blocks.size() && !result.cut; ++b) {
    const HtmlBlock& block = blocks[b];
    // Tokens, white space collapsed: none at the start of a line, one for a run.
    std::vector<Token> tokens;
    bool lineStart = true, spacePending = false;
    HtmlStyle spaceStyle;
    auto flushSpace = [&] {
      if (spacePending && !lineStart && take()) tokens.push_back({Token::Space, L" ", spaceStyle});
      spacePending = false;
    };
    for (const HtmlItem& item : block.items) {
      if (result.cut) break;
      if (item.kind == HtmlItem::Break) {
        spacePending = false;
        if (!take()) break;
        tokens.push_back({Token::Break, L"", item.style, &item});
        lineStart = true;
      } else if (item.kind == HtmlItem::Image || item.kind == HtmlItem::Embed) {
        flushSpace();
        if (!take()) break;
        Token token{Token::Object, L"", item.style, &item};
        token.width = objectSize(item).cx;
        tokens.push_back(std::move(token));
        lineStart = false;
      } else {
        for (size_t k = 0; k < item.text.size();) {
          if (IsSpace(item.text[k])) {
            if (!spacePending) spaceStyle = item.style;
            spacePending = true;
            ++k;
            continue;
          }
          size_t end = k;
          while (end < item.text.size() && !IsSpace(item.text[end])) ++end;
          flushSpace();
          const size_t length = std::min(end - k, charactersLeft);
          if (length == 0 || !take()) {
            result.cut = true;
            break;
          }
          tokens.push_back({Token::Word, item.text.substr(k, length), item.style, &item});
          charactersLeft -= length;
          lineStart = false;
          k += length;
          if (k < end) result.cut = true;
          if (result.cut) break;
        }
      }
    }
    for (Token& token : tokens) {
      if (token.kind == Token::Word || token.kind == Token::Space) {
        token.advances = fonts.Advances(token.style, token.text);
        for (double advance : token.advances) token.width += advance;
      }
    }
    if (tokens.empty()) {
      // An empty block takes no room; its margins collapse through it.
      if (block.paragraph && !atPageTop) pendingMargin = std::max(pendingMargin, block.fontSize);
      continue;
    }

    // Lines: greedy, breaking at spaces and around pictures.
    std::vector<std::vector<Placed>> lines(1);
    double x = 0;
    for (size_t k = 0; k < tokens.size();) {
      const Token& token = tokens[k];
      if (token.kind == Token::Break) {
        lines.back().push_back({&token, x});
        lines.emplace_back();
        x = 0;
        ++k;
        continue;
      }
      if (token.kind == Token::Space) {
        if (!lines.back().empty()) {
          lines.back().push_back({&token, x});
          x += token.width;
        }
        ++k;
        continue;
      }
      // A unit that must stay on one line: words glued together, or one object.
      size_t end = k + 1;
      double unit = token.width;
      if (token.kind == Token::Word) {
        while (end < tokens.size() && tokens[end].kind == Token::Word) unit += tokens[end++].width;
      }
      if (!lines.back().empty() && x + unit > available + 0.01) {
        while (!lines.back().empty() && lines.back().back().token->kind == Token::Space) lines.back().pop_back();
        lines.emplace_back();
        x = 0;
      }
      for (size_t t = k; t < end; ++t) {
        lines.back().push_back({&tokens[t], x});
        x += tokens[t].width;
      }
      k = end;
    }
    if (lines.back().empty()) lines.pop_back();  // nothing after the last break

    const double margin = block.paragraph && !atPageTop ? block.fontSize : 0;
    y += std::max(pendingMargin, margin);
    if (block.paragraph) result.paragraphTops.push_back(static_cast<int>(std::lround(y)));
    double strutAscent = 0, strutDescent = 0;
    fonts.Metrics(block.root, strutAscent, strutDescent);
    for (const std::vector<Placed>& line : lines) {
      // Quirks mode: the block's own font (its strut) counts only for a line
      // with text of the block itself; text in an inline element counts by
      // its own font, pictures by their boxes.
      bool direct = false, content = false;
      double above = 0, below = 0;
      for (const Placed& placed : line) {
        const Token& token = *placed.token;
        content = content || token.kind == Token::Word || token.kind == Token::Object;
        if (token.kind == Token::Word || token.kind == Token::Break) {
          direct = direct || token.item->direct;
          double ascent = 0, descent = 0;
          fonts.Metrics(token.style, ascent, descent);
          above = std::max(above, ascent + RaiseOf(token.style));
          below = std::max(below, descent - RaiseOf(token.style));
        } else if (token.kind == Token::Object) {
          const SIZE size = objectSize(*token.item);
          if (token.item->kind == HtmlItem::Image) {
            above = std::max(above, size.cy / 2.0 + RaiseOf(token.style));
            below = std::max(below, size.cy - size.cy / 2.0 - RaiseOf(token.style));
          } else {
            above = std::max(above, size.cy + RaiseOf(token.style));
            below = std::max(below, -RaiseOf(token.style));
          }
        }
      }
      if (direct) {
        above = std::max(above, strutAscent);
        below = std::max(below, strutDescent);
      }
      if (y + above + below > MaxHeight) {
        result.cut = true;
        break;
      }
      const double baseline = y + above;
      for (const Placed& placed : line) {
        const Token& token = *placed.token;
        const int left = static_cast<int>(std::lround(PageMargin + placed.x));
        HtmlBox box;
        box.block = b;
        box.style = token.style;
        if (token.kind == Token::Word) {
          box.kind = HtmlBox::Text;
          box.text = token.text;
          double ascent = 0, descent = 0;
          fonts.Metrics(token.style, ascent, descent);
          box.baseline = static_cast<int>(std::lround(baseline - RaiseOf(token.style)));
          double at = 0;
          for (double advance : token.advances) {
            at += advance;
            box.advances.push_back(static_cast<int>(std::lround(PageMargin + placed.x + at)) - left);
          }
          box.rect = {left, box.baseline - static_cast<int>(ascent),
                      left + (box.advances.empty() ? 0 : box.advances.back()),
                      box.baseline + static_cast<int>(descent)};
        } else if (token.kind == Token::Object) {
          const SIZE size = objectSize(*token.item);
          const bool image = token.item->kind == HtmlItem::Image;
          const double top =
              image ? baseline - RaiseOf(token.style) - size.cy / 2.0 : baseline - RaiseOf(token.style) - size.cy;
          box.kind = image ? HtmlBox::Image : HtmlBox::Embed;
          box.text = token.item->text;
          const int boxTop = static_cast<int>(std::lround(top));
          box.rect = {left, boxTop, left + size.cx, boxTop + size.cy};
        } else {
          continue;
        }
        result.boxes.push_back(std::move(box));
      }
      y += above + below;
      ++result.lineCount;
      if (content) ++result.contentLines;
    }
    pendingMargin = block.paragraph ? block.fontSize : 0;
    atPageTop = false;
  }
  if (result.cut) {
    // The notice on a line of its own, after what fits.
    HtmlBox box;
    box.style.italic = true;
    box.text = CutNotice;
    double ascent = 0, descent = 0, at = 0;
    fonts.Metrics(box.style, ascent, descent);
    for (double advance : fonts.Advances(box.style, box.text)) {
      at += advance;
      box.advances.push_back(static_cast<int>(std::lround(at)));
    }
    y += pendingMargin;
    box.baseline = static_cast<int>(std::lround(y + ascent));
    box.rect = {PageMargin, box.baseline - static_cast<int>(ascent), PageMargin + box.advances.back(),
                box.baseline + static_cast<int>(descent)};
    box.block = blocks.size() - 1;
    result.boxes.push_back(std::move(box));
    y += ascent + descent;
    ++result.lineCount;
  }
  result.height = static_cast<int>(std::ceil(y)) + PageMargin;
  return result;
}

}  // namespace tq
