// The page view's layout on pages no bank should make: its height stays a
// scroll position and its size stays bounded, showing what fits of the page.
#include <gtest/gtest.h>

#include <string>

#include "runtime/HtmlView.h"

namespace {

using tq::HtmlLayout;

std::wstring Repeat(std::wstring_view piece, size_t times) {
  std::wstring text;
  text.reserve(piece.size() * times);
  for (size_t k = 0; k < times; ++k) text += piece;
  return text;
}

const tq::HtmlLayoutResult& LaidOut(tq::HtmlPage& page, const std::wstring& html) {
  page.SetHtml(html, L"");
  page.Layout(600);
  return page.Result();
}

void ExpectCutWithinBounds(const tq::HtmlLayoutResult& result) {
  EXPECT_TRUE(result.cut);
  EXPECT_GT(result.height, 0);
  EXPECT_LE(result.height, HtmlLayout::MaxHeight + 100);
  ASSERT_FALSE(result.boxes.empty());
  EXPECT_LE(result.boxes.size(), HtmlLayout::MaxPieces + 1);
  EXPECT_EQ(result.boxes.back().text, HtmlLayout::CutNotice);
  size_t characters = 0;
  for (const tq::HtmlBox& box : result.boxes) {
    characters += box.text.size();
    EXPECT_GE(box.rect.top, 0);
    EXPECT_LE(box.rect.bottom, result.height);
  }
  EXPECT_LE(characters, HtmlLayout::MaxCharacters + HtmlLayout::CutNotice.size());
}

}  // namespace

TEST(HtmlLayoutBounds, NestedSuperscriptsOverManyLinesKeepAScrollableHeight) {
  // As a bank field of [t] x 2,000 then x[E] x 200,000 reaches the page.
  tq::HtmlPage page;
  const tq::HtmlLayoutResult& result =
      LaidOut(page, L"<html><body>" + Repeat(L"<sup>", 2000) + Repeat(L"x<br />", 200000) + L"</body></html>");
  ExpectCutWithinBounds(result);
  // Each line is raised by the bound at most, so some lines fit.
  EXPECT_GT(result.lineCount, 100);
}

TEST(HtmlLayoutBounds, APageOverItsBoundsShowsWhatFitsAndSaysSo) {
  const std::wstring start = L"<p>Câu hỏi <b>một</b> hai <sup>2</sup> ba</p><p>Đáp án</p>";
  tq::HtmlPage small;
  const tq::HtmlLayoutResult& fits = LaidOut(small, start);
  EXPECT_FALSE(fits.cut);
  ASSERT_EQ(fits.boxes.size(), 8u);
  EXPECT_NE(fits.boxes.back().text, HtmlLayout::CutNotice);

  const struct {
    const char* what;
    std::wstring rest;
  } cases[] = {
      {"many words", L"<p>" + Repeat(L"từ ", 100000)},
      {"one long word", L"<p>" + std::wstring(1000000, L'x')},
      {"many line breaks", Repeat(L"<br>", 100000)},
      {"many paragraphs", Repeat(L"<p>a</p>", 100000)},
      {"many pictures", Repeat(L"<img src='a.png' align='middle'>", 60000)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tq::HtmlPage page;
    const tq::HtmlLayoutResult& result = LaidOut(page, start + c.rest);
    ExpectCutWithinBounds(result);
    // The start of the page is drawn as it would be on its own.
    ASSERT_GE(result.boxes.size(), fits.boxes.size());
    for (size_t k = 0; k < fits.boxes.size(); ++k) {
      EXPECT_EQ(result.boxes[k].kind, fits.boxes[k].kind);
      EXPECT_EQ(result.boxes[k].text, fits.boxes[k].text);
      EXPECT_TRUE(EqualRect(&result.boxes[k].rect, &fits.boxes[k].rect)) << k;
    }
  }
}
