// Lays out the blocks of a page as a browser lays out the same HTML in quirks
// mode: 8-pixel page margins, paragraphs one em apart (margins collapsing),
// white space collapsed, lines broken at spaces and around pictures,
// pictures with align='middle' centred on the baseline, embedded files as
// boxes on the baseline. Needs no window: text is measured on a memory DC.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "runtime/HtmlDocument.h"

namespace tq {

// Fonts of the page's styles, made once each.
class HtmlFonts {
 public:
  HtmlFonts();
  ~HtmlFonts();
  HtmlFonts(const HtmlFonts&) = delete;
  HtmlFonts& operator=(const HtmlFonts&) = delete;

  // The font to draw a style with.
  HFONT Font(const HtmlStyle& style);
  void Metrics(const HtmlStyle& style, double& ascent, double& descent);
  // Advances of each character, in pixels with fractions (measured at a
  // large size, as a browser places glyphs on fractional positions).
  std::vector<double> Advances(const HtmlStyle& style, std::wstring_view text);

 private:
  HFONT Make(const HtmlStyle& style, int height);
  using Key = std::tuple<std::wstring, int, bool, bool, bool>;
  Key KeyOf(const HtmlStyle& style, int height) const;

  HDC dc_;
  std::map<Key, HFONT> fonts_;
};

struct HtmlBox {
  enum Kind { Text, Image, Embed } kind = Text;
  RECT rect{};                // Image, Embed: the box; Text: its extent
  int baseline = 0;           // Text
  std::wstring text;          // Text: the characters; Image, Embed: the source
  std::vector<int> advances;  // Text: where each character goes, from the box's left
  HtmlStyle style;
  size_t block = 0;
};

struct HtmlLayoutResult {
  std::vector<HtmlBox> boxes;
  std::vector<int> paragraphTops;  // the top of each paragraph's first line box, in order
  int lineCount = 0;
  int contentLines = 0;  // lines holding a word, a picture or an embedded file
  int height = 0;        // of the whole page, margins included
  bool cut = false;      // the page went past a bound: what fits, then CutNotice
};

class HtmlLayout {
 public:
  // The size a picture or embedded file takes, by its item.
  using ObjectSize = std::function<SIZE(const HtmlItem&)>;

  static constexpr int PageMargin = 8;
  // Bounds of one page, so that no text makes a layout too large for the
  // program's memory or its height too large for a scroll position: words,
  // spaces, breaks and objects; characters of words; pixels of height; and
  // the raise of nested superscripts and subscripts, either way.
  static constexpr size_t MaxPieces = 40000;
  static constexpr size_t MaxCharacters = 200000;
  static constexpr double MaxHeight = 1 << 20;
  static constexpr double MaxRaise = 1000;
  // Shown on a line of its own after what fits of a page that was cut.
  static constexpr std::wstring_view CutNotice = L"[Trang quá dài: phần còn lại không được hiển thị]";
  // The box of an embedded file, as a browser makes one without its plug-in.
  static constexpr SIZE EmbedSize{300, 150};

  HtmlLayoutResult Layout(const std::vector<HtmlBlock>& blocks, int width, HtmlFonts& fonts,
                          const ObjectSize& objectSize) const;
};

}  // namespace tq
