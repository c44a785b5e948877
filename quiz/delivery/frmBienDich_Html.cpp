#include <cstdio>

#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"

namespace frmBienDich {

namespace {

// The publisher's page and logo shown above the first question.
constexpr std::wstring_view kPublisherLink = L"https://www.tessaro.example/";
constexpr std::wstring_view kPublisherLogo = L"https://www.tessaro.example/logo.gif";

constexpr std::wstring_view kHead =
    L"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
    L"<style>\r\n"
    L"h3\r\n"
    L"{\r\n"
    L"color: #0099ff;\r\n"
    L"font-size: 10pt;\r\n"
    L"}\r\n"
    L"h4\r\n"
    L"{\r\n"
    L"color: #FF0000;\r\n"
    L"font-size: 10pt;\r\n"
    L"}\r\n"
    L"</style>\r\n"
    L"</head><body  style=\"font-family: Times New Roman; font-size: 10pt\"><script>\r\n"
    L"var traloi=new Array()\r\n"
    L"var dapan=new Array()";

// A field of the bank as page markup: its own raw brackets can never become
// tags, only the bank tag language does.
std::wstring FieldHtml(const std::wstring& text) {
  return mdlMain::TagsToHtml(mdlMain::StripMediaFolders(mdlMain::EscapeAngleBrackets(text)), L"");
}

// The key letter inside the script's single-quoted string. The script also
// writes it into the page as markup, so markup characters go in as entities.
std::wstring ScriptKey(wchar_t key) {
  if ((key >= L'A' && key <= L'Z') || (key >= L'a' && key <= L'z') || (key >= L'0' && key <= L'9') || key == L' ') {
    return std::wstring(1, key);
  }
  switch (key) {
    case L'<':
      return L"&lt;";
    case L'>':
      return L"&gt;";
    case L'&':
      return L"&amp;";
    default: {
      wchar_t escaped[8];
      std::swprintf(escaped, 8, L"\\u%04X", static_cast<unsigned>(key));
      return escaped;
    }
  }
}

std::wstring GradingScript(const std::wstring& count) {
  return L"<script language=\"JavaScript1.1\">\r\n"
         L"function LamXong(){\r\n"
         L"var caudung\r\n"
         L"caudung = 0\r\n"
         L"for (i=1;i<=" +
         count +
         L";i++){\r\n"
         L"\tif (traloi[i]==dapan[i]) {\r\n"
         L"\t\tcaudung++;\r\n"
         L"\t\tdocument.getElementById(\"DapAn\" + i).innerHTML = \"<h3><b>Đáp án : \" + dapan[i] + \"</b></h3>\";\r\n"
         L"\t\t}\r\n"
         L"\telse\r\n"
         L"\t\t{\r\n"
         L"\t\tdocument.getElementById(\"DapAn\" + i).innerHTML = \"<h4><b>Đáp án : \" + dapan[i] + \"</b></h4>\";\r\n"
         L"\t\t}\r\n"
         L"}\r\n"
         L"alert(\"Tổng số câu : " +
         count + L"\\nSố câu đúng : \" + caudung + \"\\nĐiểm số : \" + Math.round (caudung/" + count +
         L"*10));\r\n"
         L"}\r\n"
         L"</script>\r\n"
         L"<p><input type=\"button\" value=\"Làm xong\" onClick=\"LamXong()\"></p>\r\n"
         L"</body></html>";
}

}  // namespace

std::wstring CompiledPageText(const CompileBank& bank) {
  std::wstring page(kHead);
  const size_t count = bank.records.size();
  for (size_t n = 1; n <= count; ++n) {
    page += L"\rdapan[" + std::to_wstring(n) + L"]='" + ScriptKey(bank.records[n - 1].DapAn) + L"'";
  }
  page += L"</script><p><center><a href='";
  page += kPublisherLink;
  page += L"'><img src='";
  page += kPublisherLogo;
  page += L"'></a></center></p>";
  for (size_t n = 1; n <= count; ++n) {
    const QuestionRecord& r = bank.records[n - 1];
    const std::wstring i = std::to_wstring(n);
    const auto answer = [&](const wchar_t* value, const wchar_t* letter, const wchar_t* label,
                            const std::wstring& text) {
      return L"<p><input type=\"radio\" value=\"" + std::wstring(value) + L"\" name=\"q" + i + L"\" onClick=\"traloi[" +
             i + L"]='" + letter + L"'\"> " + label + FieldHtml(text) + L"</p>";
    };
    page += L"<p><b>" + i + L". " + FieldHtml(r.CauHoi) + L"</b></p>";
    page += answer(L"v1", L"A", L"A) ", r.CauA);
    page += answer(L"v2", L"B", L"B - ", r.CauB);
    page += answer(L"v3", L"C", L"C) ", r.CauC);
    page += answer(L"v4", L"D", L"D) ", r.CauD);
    page += L"<div id=\"DapAn" + i + L"\"></div>";
  }
  page += GradingScript(std::to_wstring(count));
  return page;
}

tq::IoStatus GhiFileHTML(std::wstring_view text, const std::wstring& path) {
  return tq::WriteFileAtomic(path, "\xEF\xBB\xBF" + mdlMain::Utf8Encode(text));
}

tq::IoStatus BienDichHTML(const CompileBank& bank, const std::wstring& path) {
  return GhiFileHTML(CompiledPageText(bank), path);
}

}  // namespace frmBienDich
