#include <gtest/gtest.h>

#include <algorithm>

#include "TempFolder.h"
#include "authoring/mdlMain.h"

namespace {

struct MarkupCase {
  std::wstring text;
  std::wstring base;
  std::wstring html;
};

TEST(TagsToHtml, FormatTagsAndLineBreaks) {
  const MarkupCase cases[] = {
      {L"x[b]y[/b]", L"", L"x<b>y</b>"},
      {L"[B]y[/B]", L"", L"[B]y[/B]"},
      {L"a[E]b", L"", L"a<br />b"},
      {L"[u]u[/u][i]i[/i][t]2[/t][d]0[/d]", L"", L"<u>u</u><i>i</i><sup>2</sup><sub>0</sub>"},
      {L"[/b][b]", L"", L"</b><b>"},  // pairing is not checked
      {L"a & b &lt;c&gt;", L"", L"a & b &lt;c&gt;"},
      {L"<b>own</b>", L"", L"<b>own</b>"},  // callers' own markup passes through
      {L"", L"", L""},
  };
  for (const MarkupCase& c : cases) EXPECT_EQ(mdlMain::TagsToHtml(c.text, c.base), c.html) << c.text;
}

TEST(TagsToHtml, EmbeddedFiles) {
  const MarkupCase cases[] = {
      {L"[image]C:\\p\\a.jpg[/image]", L"D:\\bank\\", L"<img src='C:\\p\\a.jpg' align='middle'>"},
      {L"[image]a.jpg[/image]", L"D:\\bank\\", L"<img src='D:\\bank\\a.jpg' align='middle'>"},
      {L"[image]a.jpg[/image]", L"", L"<img src='a.jpg' align='middle'>"},
      {L"[media]s.mp3[/media]", L"", L"<embed src='s.mp3' autostart='0'>"},
      {L"1[media]m.wma[/media]2[image]p.png[/image]3[image]q.gif[/image]4", L"B\\",
       L"1<embed src='B\\m.wma' autostart='0'>2<img src='B\\p.png' align='middle'>3"
       L"<img src='B\\q.gif' align='middle'>4"},
      {L"[b][image]a.jpg[/image][/b][E]", L"", L"<b><img src='a.jpg' align='middle'></b><br />"},
      {L"[image][/image]", L"", L"<img src='' align='middle'>"},
      {L"[IMAGE]a.jpg[/IMAGE]", L"", L"[IMAGE]a.jpg[/IMAGE]"},
  };
  for (const MarkupCase& c : cases) EXPECT_EQ(mdlMain::TagsToHtml(c.text, c.base), c.html) << c.text;
}

TEST(TagsToHtml, UnfinishedOrMisplacedPairsLeaveTheRestUnchanged) {
  const MarkupCase cases[] = {
      {L"a[image]b.jpg", L"", L"a[image]b.jpg"},
      {L"[/image]x[image]y", L"", L"[/image]x[image]y"},
      {L"[/image][image]a.jpg[/image]", L"", L"[/image]<img src='a.jpg' align='middle'>"},
      {L"[image]a.jpg[/image][image]b[b]c[/b]", L"", L"<img src='a.jpg' align='middle'>[image]b<b>c</b>"},
      {L"[media]x[/image]", L"", L"[media]x[/image]"},
  };
  for (const MarkupCase& c : cases) EXPECT_EQ(mdlMain::TagsToHtml(c.text, c.base), c.html) << c.text;
}

TEST(TagsToHtml, FileNamesCannotMakeMarkupInsideAnAttribute) {
  const MarkupCase cases[] = {
      {L"[image]a[image] onerror=alert(1) [/image][/image]", L"",
       L"<img src='a&#91;image&#93; onerror=alert(1) ' align='middle'>[/image]"},
      {L"[image]x' onerror='alert(1)[/image]", L"", L"<img src='x&#39; onerror=&#39;alert(1)' align='middle'>"},
      {L"[image]a[media]b[/media][/image]", L"", L"<img src='a&#91;media&#93;b&#91;/media&#93;' align='middle'>"},
      {L"[media]a[image]b[/image][/media]", L"",
       L"<embed src='a&lt;img src=&#39;b&#39; align=&#39;middle&#39;&gt;' autostart='0'>"},
      {L"[image]a[b]c&d<e>.jpg[/image]", L"", L"<img src='a&#91;b&#93;c&amp;d&lt;e&gt;.jpg' align='middle'>"},
      {L"[image]a.jpg[/image]", L"C:\\it's [b]\\", L"<img src='C:\\it&#39;s &#91;b&#93;\\a.jpg' align='middle'>"},
  };
  for (const MarkupCase& c : cases) {
    const std::wstring html = mdlMain::TagsToHtml(c.text, c.base);
    EXPECT_EQ(html, c.html) << c.text;
    // Whatever the name, the only markup is the one element made for it.
    EXPECT_EQ(std::count(html.begin(), html.end(), L'<'), 1) << c.text;
    EXPECT_EQ(std::count(html.begin(), html.end(), L'\''), 4) << c.text;
  }
}

TEST(TagsToHtml, LongTextsConvertWhole) {
  std::wstring text;
  std::wstring html;
  for (int k = 0; k < 5000; ++k) {
    text += L"[image]p" + std::to_wstring(k) + L".png[/image][E]";
    html += L"<img src='p" + std::to_wstring(k) + L".png' align='middle'><br />";
  }
  ASSERT_GT(text.size(), 32767u);
  EXPECT_EQ(mdlMain::TagsToHtml(text, L""), html);
}

TEST(MediaTagHtml, KindsAndFullPaths) {
  EXPECT_EQ(mdlMain::MediaTagHtml(L"a.jpg", L"0", L"B\\"), L"<img src='B\\a.jpg' align='middle'>");
  EXPECT_EQ(mdlMain::MediaTagHtml(L"E:\\v.wmv", L"1", L"B\\"), L"<embed src='E:\\v.wmv' autostart='0'>");
  EXPECT_EQ(mdlMain::MediaTagHtml(L"a.jpg", L"2", L"B\\"), L"");
  EXPECT_EQ(mdlMain::MediaTagHtml(L"a.jpg", L"", L""), L"");
}

// A file name is never read as an address of its own ("javascript:", "data:"):
// a data address in an embed element runs its script in a frame of the page.
TEST(MediaTagHtml, NamesThatWouldBeAddressesStayFileNames) {
  const MarkupCase cases[] = {
      {L"javascript:alert(1)", L"", L"./javascript:alert(1)"},
      {L"JavaScript:alert(1)", L"", L"./JavaScript:alert(1)"},
      {L"data:text/html,%3Cscript%3Ealert(1)%3C%2Fscript%3E", L"",
       L"./data:text/html,%3Cscript%3Ealert(1)%3C%2Fscript%3E"},
      {L" \x01vbscript:x", L"", L"./ \x01vbscript:x"},
      {L"java\tscr\nipt:x", L"", L"./java\tscr\nipt:x"},
      {L"x-y.z+1:x", L"", L"./x-y.z+1:x"},
      {L"javascript:alert(1)//:\\", L"D:\\bank\\", L"./javascript:alert(1)//:\\"},  // holds ":\\"
      {L"javascript:alert(1)", L"D:\\bank\\", L"D:\\bank\\javascript:alert(1)"},
      {L"C:\\p\\a.jpg", L"", L"C:\\p\\a.jpg"},
      {L" C:\\p\\a.jpg", L"", L" C:\\p\\a.jpg"},
      {L"\\\\server\\share\\a.jpg", L"", L"\\\\server\\share\\a.jpg"},
      {L"sub/a:b.jpg", L"", L"sub/a:b.jpg"},
      {L"1x:y", L"", L"1x:y"},
      {L"a.jpg", L"", L"a.jpg"},
  };
  for (const MarkupCase& c : cases) {
    EXPECT_EQ(mdlMain::MediaTagHtml(c.text, L"1", c.base), L"<embed src='" + c.html + L"' autostart='0'>") << c.text;
  }
  EXPECT_EQ(mdlMain::TagsToHtml(L"[image]data:image/svg+xml,x[/image]", L""),
            L"<img src='./data:image/svg+xml,x' align='middle'>");
}

TEST(StripMediaFolders, NamesBecomeBare) {
  const struct {
    const wchar_t* text;
    const wchar_t* stripped;
  } cases[] = {
      {L"[image]C:\\p\\a.jpg[/image]", L"[image]a.jpg[/image]"},
      {L"x [image]a.jpg[/image] y", L"x [image]a.jpg[/image] y"},
      {L"[media]../x.mp3[/media]", L"[media]x.mp3[/media]"},
      {L"[image]pics/sub\\c.png[/image][media]D:\\m\\s.mp3[/media]", L"[image]c.png[/image][media]s.mp3[/media]"},
      {L"[image]C:\\p\\a.jpg[/image] and [image]C:\\q\\b.jpg", L"[image]a.jpg[/image] and [image]C:\\q\\b.jpg"},
      {L"x[image]C:\\p\\a.jpg and more", L"x[image]C:\\p\\a.jpg and more"},
      {L"[/image]C:\\p\\[image]C:\\q\\a.jpg[/image]", L"[/image]C:\\p\\[image]a.jpg[/image]"},
      {L"[image]C:\\a[image]C:\\b\\x.jpg[/image]", L"[image]x.jpg[/image]"},
      {L"[image]C:\\p\\[/image]", L"[image][/image]"},
      {L"[IMAGE]C:\\p\\a.jpg[/IMAGE]", L"[IMAGE]C:\\p\\a.jpg[/IMAGE]"},
      // The bare name holds a start tag: the scan must not read it again.
      {L"[image]C:\\x\\[image][/image]d.jpg[/image]", L"[image][image][/image]d.jpg[/image]"},
      // '/' separates too, also inside a nested end tag.
      {L"[image]C:\\p\\[media]C:\\q\\s.mp3[/media].jpg[/image]", L"[image]media].jpg[/image]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mdlMain::StripMediaFolders(c.text), c.stripped) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(StripMediaFolders, CrossedPairsAreCutWithinTheirOwnBoundsOnce) {
  const struct {
    const wchar_t* text;
    const wchar_t* stripped;
  } cases[] = {
      // The media pair lies inside the picture's name: it is part of that name.
      {L"[image][media][/image][/media][/image]", L"[image][media][/image][/media][/image]"},
      {L"[media]a/[image]b/c[/media]d/e[/image]", L"[media]c[/media]d/e[/image]"},
      {L"[image]p/[media]q/r[/image]s/t[/media]", L"[image]r[/image]s/t[/media]"},
      {L"[media]x[image]C:\\a\\b.png[/image][/media]", L"[media]image][/media]"},
      // A start tag without an end tag leaves the other kind to go on.
      {L"[image]C:\\p\\a.jpg [media]C:\\m\\s.mp3[/media]", L"[image]C:\\p\\a.jpg [media]s.mp3[/media]"},
  };
  for (const auto& c : cases) {
    const std::wstring once = mdlMain::StripMediaFolders(c.text);
    EXPECT_EQ(once, c.stripped) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(mdlMain::StripMediaFolders(once), once) << testing::PrintToString(std::wstring(c.text));
  }

  // Every arrangement of up to six tags and separators: a second pass never
  // changes what the first gave.
  const std::wstring_view pieces[] = {L"[image]", L"[/image]", L"[media]", L"[/media]", L"a/", L"b\\"};
  size_t changed = 0;
  for (int length = 1; length <= 6; ++length) {
    int combinations = 1;
    for (int k = 0; k < length; ++k) combinations *= 6;
    for (int code = 0; code < combinations; ++code) {
      std::wstring text;
      for (int k = 0, rest = code; k < length; ++k, rest /= 6) text += pieces[rest % 6];
      const std::wstring once = mdlMain::StripMediaFolders(text);
      if (mdlMain::StripMediaFolders(once) != once) {
        ++changed;
        ADD_FAILURE() << testing::PrintToString(text);
        if (changed > 5) return;
      }
    }
  }
}

TEST(Escaping, AngleBracketsOfBankTexts) {
  EXPECT_EQ(mdlMain::EscapeAngleBrackets(L"<script>alert(1)</script> &lt;"),
            L"&lt;script&gt;alert(1)&lt;/script&gt; &lt;");
  // Escaped first, a hostile text reaches the page as text only.
  const std::wstring html =
      mdlMain::TagsToHtml(mdlMain::EscapeAngleBrackets(L"[b]<img src=x onerror=alert(1)>[/b]"), L"");
  EXPECT_EQ(html, L"<b>&lt;img src=x onerror=alert(1)&gt;</b>");
}

TEST(Utf8Encode, CharactersAndTexts) {
  EXPECT_EQ(mdlMain::Utf8Encode(L"C\u00e2u"), "\x43\xC3\xA2\x75");
  EXPECT_EQ(mdlMain::Utf8Encode(L"\u1ea9"), "\xE1\xBA\xA9");
  EXPECT_EQ(mdlMain::Utf8Encode(L""), "");
  EXPECT_EQ(mdlMain::Utf8Encode(L"\xD835\xDC65"), "\xF0\x9D\x91\xA5");  // mathematical italic x
  const struct {
    unsigned code;
    std::string bytes;
  } chars[] = {{0, std::string(1, '\0')}, {127, "\x7F"},          {128, "\xC2\x80"},      {2047, "\xDF\xBF"},
               {2048, "\xE0\xA0\x80"},    {7849, "\xE1\xBA\xA9"}, {65535, "\xEF\xBF\xBF"}};
  for (const auto& c : chars) EXPECT_EQ(mdlMain::Utf8EncodeChar(c.code), c.bytes) << c.code;
}

TEST(TempPage, WriteReplacesThePageWhole) {
  TempFolder folder;
  mdlMain::TempPage = folder / L"tessaro.htm";
  ASSERT_TRUE(mdlMain::WriteTempPage(L"<html>first page, rather long \u1ea9</html>"));
  EXPECT_EQ(ReadAll(mdlMain::TempPage), "\xEF\xBB\xBF<html>first page, rather long \xE1\xBA\xA9</html>");
  ASSERT_TRUE(mdlMain::WriteTempPage(L"<p>2</p>"));
  EXPECT_EQ(ReadAll(mdlMain::TempPage), "\xEF\xBB\xBF<p>2</p>");
  EXPECT_EQ(folder.Listing(), L"tessaro.htm;");
}

TEST(TempPage, FailedWriteIsReported) {
  TempFolder folder;
  mdlMain::TempPage = folder / L"no such folder\\tessaro.htm";
  EXPECT_FALSE(mdlMain::WriteTempPage(L"x"));
  mdlMain::TempPage.clear();
  EXPECT_FALSE(mdlMain::WriteTempPage(L"x"));
  mdlMain::InitTempPage();
  EXPECT_EQ(mdlMain::TempPage, mdlMain::ProgramFolder() + L"\\tessaro.htm");
}

}  // namespace
