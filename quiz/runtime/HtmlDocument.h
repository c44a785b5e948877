// The HTML the quiz tool's screens write for their pages, read into blocks of
// styled inline items: font (face, size), b, u, i, sup, sub, br, p, img and
// embed, with character references in text and attributes. Other tags are
// passed over; the text of head, title, script and style is not shown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tq {

struct HtmlStyle {
  std::wstring face = L"Times New Roman";
  double size = 16;  // pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double raise = 0;  // of the baseline, in pixels (sup up, sub down)
  bool operator==(const HtmlStyle&) const = default;
};

struct HtmlItem {
  enum Kind { Text, Break, Image, Embed } kind = Text;
  std::wstring text;  // the text, or the source of a picture or embedded file
  HtmlStyle style;
  bool direct = true;  // a child of its block itself, not of an inline element in it
};

// A paragraph, or the text between paragraphs.
struct HtmlBlock {
  bool paragraph = false;
  double fontSize = 16;  // its margins are one em above and below
  HtmlStyle root;        // of the block's own text
  std::vector<HtmlItem> items;
};

std::vector<HtmlBlock> ParseHtml(std::wstring_view html);

// Character references (&lt; &#233; &#x1EA1; ...) replaced by their characters.
std::wstring DecodeCharacterReferences(std::wstring_view text);

// Pixel size of <font size=...>: 1 to 7, or relative (+1, -2) to 3.
double FontSizeOfAttribute(std::wstring_view value, double current);

}  // namespace tq
