// The self-scoring page's text, byte for byte where it is fixed.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "ZipTestFiles.h"
#include "delivery/frmBienDich.h"
#include "runtime/Utf.h"

using namespace frmBienDich;

namespace {

std::wstring Join(std::initializer_list<const wchar_t*> lines, const wchar_t* separator) {
  std::wstring out;
  for (const wchar_t* line : lines) {
    if (!out.empty()) out += separator;
    out += line;
  }
  return out;
}

const std::wstring kHead =
    Join({L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">", L"<style>", L"h3",
          L"{", L"color: #0099ff;", L"font-size: 10pt;", L"}", L"h4", L"{", L"color: #FF0000;", L"font-size: 10pt;",
          L"}", L"</style>", L"</head><body  style=\"font-family: Times New Roman; font-size: 10pt\"><script>",
          L"var traloi=new Array()", L"var dapan=new Array()"},
         L"\r\n");

std::wstring Script(const std::wstring& n) {
  return Join({L"<script language=\"JavaScript1.1\">", L"function LamXong(){", L"var caudung", L"caudung = 0"},
              L"\r\n") +
         L"\r\nfor (i=1;i<=" + n + L";i++){\r\n" +
         Join({L"\tif (traloi[i]==dapan[i]) {", L"\t\tcaudung++;",
               L"\t\tdocument.getElementById(\"DapAn\" + i).innerHTML = \"<h3><b>Đáp án : \" + dapan[i] + "
               L"\"</b></h3>\";",
               L"\t\t}", L"\telse", L"\t\t{",
               L"\t\tdocument.getElementById(\"DapAn\" + i).innerHTML = \"<h4><b>Đáp án : \" + dapan[i] + "
               L"\"</b></h4>\";",
               L"\t\t}", L"}"},
              L"\r\n") +
         L"\r\nalert(\"Tổng số câu : " + n +
         L"\\nSố câu đúng : \" + caudung + \"\\nĐiểm số : \" + Math.round (caudung/" + n + L"*10));\r\n" +
         Join({L"}", L"</script>", L"<p><input type=\"button\" value=\"Làm xong\" onClick=\"LamXong()\"></p>",
               L"</body></html>"},
              L"\r\n");
}

std::wstring Answers(const std::wstring& i, const std::wstring& a, const std::wstring& b, const std::wstring& c,
                     const std::wstring& d) {
  const auto one = [&](const wchar_t* v, const wchar_t* letter, const wchar_t* label, const std::wstring& t) {
    return L"<p><input type=\"radio\" value=\"" + std::wstring(v) + L"\" name=\"q" + i + L"\" onClick=\"traloi[" + i +
           L"]='" + letter + L"'\"> " + label + t + L"</p>";
  };
  return one(L"v1", L"A", L"A) ", a) + one(L"v2", L"B", L"B - ", b) + one(L"v3", L"C", L"C) ", c) +
         one(L"v4", L"D", L"D) ", d) + L"<div id=\"DapAn" + i + L"\"></div>";
}

const std::wstring kLink =
    L"</script><p><center><a href='https://www.tessaro.example/'><img src='https://www.tessaro.example/logo.gif'>"
    L"</a></center></p>";

size_t CountOf(const std::wstring& text, std::wstring_view what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

}  // namespace

TEST(CompiledPage, TwoQuestionsByteForByte) {
  CompileBank bank;
  bank.BankFolder = L"D:\\bank\\";
  bank.records = {{L"Câu [b]một[/b]", L"1", L"[image]C:\\pics\\a.jpg[/image]", L"x &lt; y", L"", L'B'},
                  {L"Hai[E]dòng", L"[media]D:\\m\\s.mp3[/media]", L"b", L"c", L"d", L' '}};
  const std::wstring expected = kHead + L"\rdapan[1]='B'\rdapan[2]=' '" + kLink + L"<p><b>1. Câu <b>một</b></b></p>" +
                                Answers(L"1", L"1", L"<img src='a.jpg' align='middle'>", L"x &lt; y", L"") +
                                L"<p><b>2. Hai<br />dòng</b></p>" +
                                Answers(L"2", L"<embed src='s.mp3' autostart='0'>", L"b", L"c", L"d") + Script(L"2");
  EXPECT_EQ(CompiledPageText(bank), expected);

  ziptest::ScratchFolder dir;
  ASSERT_TRUE(BienDichHTML(bank, dir / L"index.htm"));
  const std::string bytes = ziptest::ReadBytes(dir / L"index.htm");
  EXPECT_EQ(bytes.substr(0, 4), "\xEF\xBB\xBF<");
  EXPECT_EQ(bytes, "\xEF\xBB\xBF" + tq::Utf8FromUtf16(expected));
  // "Đáp án" as UTF-8, written twice by the script.
  EXPECT_NE(bytes.find("\xC4\x90\xC3\xA1p \xC3\xA1n : "), std::string::npos);
}

TEST(CompiledPage, FixedCountsWhateverTheNumberOfQuestions) {
  for (size_t count : {1u, 7u, 1000u}) {
    CompileBank bank;
    for (size_t n = 0; n < count; ++n) bank.records.push_back({L"q", L"a", L"b", L"c", L"d", L"ABCD"[n % 4]});
    const std::wstring page = CompiledPageText(bank);
    const std::wstring n = std::to_wstring(count);
    EXPECT_EQ(CountOf(page, L"\r\n"), 33u);
    EXPECT_EQ(CountOf(page, L"\r"), 33u + count);
    EXPECT_EQ(CountOf(page, L"\t"), 14u);
    EXPECT_EQ(CountOf(page, L"%"), 0u);
    EXPECT_NE(page.find(L"for (i=1;i<=" + n + L";i++)"), std::wstring::npos);
    EXPECT_NE(page.find(L"Tổng số câu : " + n + L"\\n"), std::wstring::npos);
    EXPECT_NE(page.find(L"Math.round (caudung/" + n + L"*10)"), std::wstring::npos);
    EXPECT_NE(page.find(L"\rdapan[" + n + L"]='" + std::wstring(1, L"ABCD"[(count - 1) % 4]) + L"'</script>"),
              std::wstring::npos);
  }
}

TEST(CompiledPage, KeyLettersAreSafeInsideTheScript) {
  const struct {
    wchar_t key;
    const wchar_t* written;
  } cases[] = {{L'A', L"A"},        {L'd', L"d"},        {L' ', L" "},       {L'\'', L"\\u0027"},
               {L'\\', L"\\u005C"}, {L'<', L"&lt;"},     {L'>', L"&gt;"},    {L'&', L"&amp;"},
               {L'"', L"\\u0022"},  {L'\n', L"\\u000A"}, {L'Đ', L"\\u0110"}, {0x2028, L"\\u2028"}};
  for (const auto& c : cases) {
    CompileBank bank;
    bank.records = {{L"q", L"a", L"b", L"c", L"d", c.key}};
    EXPECT_NE(CompiledPageText(bank).find(L"\rdapan[1]='" + std::wstring(c.written) + L"'</script>"),
              std::wstring::npos)
        << static_cast<unsigned>(c.key);
  }
}

TEST(CompiledPage, RawMarkupOfBankTextsIsShownNotRun) {
  CompileBank bank;
  bank.records = {{L"<script>alert(1)</script>", L"<img src=x onerror=alert(1)>",
                   L"[image]a[image] onerror=alert(1) [/image][/image]", L"[b]bold[/b] & <i>",
                   L"[image]x' onerror='y[/image]", L'A'}};
  const std::wstring page = CompiledPageText(bank);
  EXPECT_NE(page.find(L"<p><b>1. &lt;script&gt;alert(1)&lt;/script&gt;</b></p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"A) &lt;img src=x onerror=alert(1)&gt;</p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"C) <b>bold</b> & &lt;i&gt;</p>"), std::wstring::npos);
  // Nested pairs stay inside one attribute value.
  EXPECT_NE(page.find(L"B - <img src='a&#91;image&#93; onerror=alert(1) ' align='middle'>[/image]</p>"),
            std::wstring::npos);
  EXPECT_NE(page.find(L"<img src='x&#39; onerror=&#39;y' align='middle'>"), std::wstring::npos);
  EXPECT_EQ(CountOf(page, L"<script"), 2u);
}

TEST(CompiledPage, EmbeddedFilesAreNamedBareWhicheverSlashSeparates) {
  CompileBank bank;
  bank.BankFolder = L"D:\\bank\\";
  bank.records = {{L"[image]../../x.jpg[/image]", L"[media]pics/sub\\s.mp3[/media]", L"[image]D:/p/a.png[/image]",
                   L"[image]..\\..\\Windows\\w.gif[/image]", L"[media]C:\\m/v\\s.wma[/media]", L'A'}};
  const std::wstring page = CompiledPageText(bank);
  EXPECT_NE(page.find(L"<p><b>1. <img src='x.jpg' align='middle'></b></p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"A) <embed src='s.mp3' autostart='0'></p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"B - <img src='a.png' align='middle'></p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"C) <img src='w.gif' align='middle'></p>"), std::wstring::npos);
  EXPECT_NE(page.find(L"D) <embed src='s.wma' autostart='0'></p>"), std::wstring::npos);
  // No slash of a name reaches the page: only the page's own markup has them.
  CompileBank plain;
  plain.records = {{L"", L"", L"", L"", L"", L'A'}};
  EXPECT_EQ(CountOf(page, L"/"), CountOf(CompiledPageText(plain), L"/"));
}
