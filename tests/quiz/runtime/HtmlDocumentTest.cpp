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

}  // namespace
