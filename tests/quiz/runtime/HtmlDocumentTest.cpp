// Reading the pages' HTML: tags, styles, character references, blocks.
#include <gtest/gtest.h>

#include "runtime/HtmlDocument.h"

namespace {

using tq::HtmlItem;

std::wstring Texts(const tq::HtmlBlock& block) {
  std::wstring out;
  for (const HtmlItem& item : block.items) {
    if (item.kind == HtmlItem::Text) out += item.text;
    if (item.kind == HtmlItem::Break) out += L"|";
    if (item.kind == HtmlItem::Image) out += L"[img " + item.text + L"]";
    if (item.kind == HtmlItem::Embed) out += L"[embed " + item.text + L"]";
  }
  return out;
}

TEST(HtmlDocument, CharacterReferences) {
  const struct {
    const wchar_t* text;
    const wchar_t* decoded;
  } cases[] = {
      {L"&lt;b&gt; &amp; &quot;x&quot; &apos;", L"<b> & \"x\" '"},
      {L"&#272;&#x1EA1;i h&#7885;c", L"Đại học"},
      {L"a&nbsp;b &copy;", L"a\u00A0b \u00A9"},
      {L"&unknown; & &#; &#x; a&b", L"&unknown; & &#; &#x; a&b"},
      {L"&#128512;", L"\xD83D\xDE00"},
      {L"&#0; &#x110000; &#xD800;", L"\xFFFD \xFFFD \xFFFD"},
      {L"&lt", L"<"},
  };
  for (const auto& c : cases) EXPECT_EQ(tq::DecodeCharacterReferences(c.text), c.decoded) << c.text;
}

TEST(HtmlDocument, FontSizes) {
  const struct {
    const wchar_t* value;
    double size;
  } cases[] = {{L"1", 10}, {L"2", 13}, {L"3", 16},  {L"4", 18},  {L"5", 24},  {L"6", 32}, {L"7", 48},
               {L"9", 48}, {L"0", 10}, {L"+1", 18}, {L"-1", 13}, {L"+9", 48}, {L"x", 20}};
  for (const auto& c : cases) EXPECT_EQ(tq::FontSizeOfAttribute(c.value, 20), c.size) << c.value;
}

TEST(HtmlDocument, BlocksStylesAndObjects) {
  const auto blocks = tq::ParseHtml(
      L"<html><head><meta charset='UTF-8'><title>no</title><script>if (a<b) x();</script></head><body>"
      L"<font face='Verdana, Arial' size=4>a<b>b<i>c</b>d</i>e<br />f<sup>2</sup><sub>3</sub>"
      L"<!-- <p>not a paragraph --><p>p1 <img src='C:\\x\\a&amp;b.jpg' align='middle'><P>p2 "
      L"<embed src=\"s.mp3\" autostart='0'></p>after <unknown a=1>tag</unknown> 1 < 2</body></html>");
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_FALSE(blocks[0].paragraph);
  EXPECT_EQ(Texts(blocks[0]), L"abcde|f23");
  const auto& items = blocks[0].items;
  EXPECT_EQ(items[0].style.face, L"Verdana");
  EXPECT_EQ(items[0].style.size, 18);
  EXPECT_FALSE(items[0].style.bold);
  EXPECT_TRUE(items[1].style.bold);                             // b
  EXPECT_TRUE(items[2].style.bold && items[2].style.italic);    // c
  EXPECT_TRUE(!items[3].style.bold && items[3].style.italic);   // d: </b> closes b only
  EXPECT_TRUE(!items[4].style.bold && !items[4].style.italic);  // e
  EXPECT_DOUBLE_EQ(items[7].style.raise, 18 / 3.0 + 1);         // sup
  EXPECT_DOUBLE_EQ(items[7].style.size, 15);
  EXPECT_DOUBLE_EQ(items[8].style.raise, -(18 / 5.0 + 1));  // sub
  EXPECT_TRUE(blocks[1].paragraph);
  EXPECT_EQ(blocks[1].fontSize, 18);
  EXPECT_EQ(Texts(blocks[1]), L"p1 [img C:\\x\\a&b.jpg]");
  EXPECT_EQ(Texts(blocks[2]), L"p2 [embed s.mp3]");
  EXPECT_FALSE(blocks[3].paragraph);
  EXPECT_EQ(Texts(blocks[3]), L"after tag 1 < 2");
}

// Style tags nest without bound in a hostile page: 100,000 of them read in
// time linear in the page (bench_quiz_pages measures it), the text inside is
// styled, the text after them is not, and nesting past the bound adds no style.
TEST(HtmlDocument, DeeplyNestedStyleTags) {
  constexpr int Depth = 100000;
  std::wstring page;
  for (int k = 0; k < Depth; ++k) page += L"<b>";
  page += L"inside";
  for (int k = 0; k < Depth; ++k) page += L"</b>";
  page += L"after";
  const std::vector<tq::HtmlBlock> blocks = tq::ParseHtml(page);
  ASSERT_EQ(blocks.size(), 1u);
  ASSERT_EQ(blocks[0].items.size(), 2u);
  EXPECT_EQ(blocks[0].items[0].text, L"inside");
  EXPECT_TRUE(blocks[0].items[0].style.bold);
  EXPECT_EQ(blocks[0].items[1].text, L"after");
  EXPECT_FALSE(blocks[0].items[1].style.bold);
  EXPECT_TRUE(blocks[0].items[1].direct);

  auto nested = [](int depth, const std::wstring& inner) {
    std::wstring html;
    for (int k = 0; k < depth; ++k) html += L"<sup>";
    return tq::ParseHtml(html + inner)[0].items[0].style;
  };
  const tq::HtmlStyle deep = nested(200, L"<i>x");
  EXPECT_FALSE(deep.italic);
  EXPECT_EQ(deep, nested(64, L"x"));
  EXPECT_NE(nested(63, L"x").size, nested(64, L"x").size);
}

// A closed tag takes what it gave from the tags opened inside it.
TEST(HtmlDocument, ClosingAnOuterTagUnstylesTheInnerOnes) {
  const std::vector<tq::HtmlBlock> blocks = tq::ParseHtml(L"<b><i>a</b>b</i>c");
  ASSERT_EQ(blocks[0].items.size(), 3u);
  EXPECT_TRUE(blocks[0].items[0].style.bold && blocks[0].items[0].style.italic);
  EXPECT_TRUE(!blocks[0].items[1].style.bold && blocks[0].items[1].style.italic);
  EXPECT_TRUE(!blocks[0].items[2].style.bold && !blocks[0].items[2].style.italic);
}

}  // namespace
