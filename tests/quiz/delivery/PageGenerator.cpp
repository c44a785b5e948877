// Compiles the self-scoring pages that page_browser_test.js opens in Chromium.
// Each page lies in a folder of its own under quiz_pages, beside the tests.
#include <gtest/gtest.h>
#include <windows.h>

#include "ScreenFakes.h"
#include "ZipTestFiles.h"
#include "runtime/FileIo.h"
#include "authoring/mdlMain.h"
#include "delivery/frmBienDich.h"

using namespace frmBienDich;

namespace {

// A 1x1 GIF, to see that a picture's bare name resolves beside the page.
const std::string kDotGif(
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
    43);

std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH];
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

std::vector<QuestionRecord> Plain(const std::wstring& keys) {
  std::vector<QuestionRecord> records;
  for (size_t n = 0; n < keys.size(); ++n) {
    const std::wstring i = std::to_wstring(n + 1);
    records.push_back(
        {L"Câu hỏi số " + i, L"đáp án A" + i, L"đáp án B" + i, L"đáp án C" + i, L"đáp án D" + i, keys[n]});
  }
  return records;
}

// Compiles a bank of these records into the page folder `name`, through the
// compile screen's own handlers: the bank chosen, folder mode with its HTML
// box checked, the compile command.
void CompilePage(const std::wstring& root, const std::wstring& name, const std::vector<QuestionRecord>& records) {
  const std::wstring bankPath = root + L"\\src\\" + name + L".xml";
  ASSERT_TRUE(WriteBankFile(bankPath, records));
  FakeCompileView view;
  CompileState state(view, root + L"\\Temp\\");
  state.Form_Load();
  view.chosen = bankPath;
  state.cmdPath_Click();
  state.optKieu_Click(0);
  EXPECT_TRUE(state.cmdDoIt_Click({root, name, true, {}}));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, DoneMessage);
}

// Builds a page straight from records whose attached files need not exist.
void WritePage(const std::wstring& root, const std::wstring& name, std::vector<QuestionRecord> records) {
  const std::wstring folder = root + L"\\" + name;
  EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  CompileBank bank;
  bank.BankFolder = root + L"\\src\\";
  bank.records = std::move(records);
  EXPECT_TRUE(BienDichHTML(bank, folder + L"\\index.htm"));
}

}  // namespace

TEST(BrowserPages, Write) {
  const std::wstring root = FullPath(L"quiz_pages");
  // Start from nothing, so that no page of an earlier build is checked.
  tq::RemoveFolderTree(root);
  ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root + L"\\src").c_str(), nullptr));
  ziptest::WriteBytes(root + L"\\src\\dot.gif", kDotGif);

  std::vector<QuestionRecord> four = Plain(L"ABCD");
  four[0].CauHoi = L"Hình [image]" + root + L"\\src\\dot.gif[/image] và [b]đậm[/b][E]dòng hai";
  CompilePage(root, L"four", four);
  CompilePage(root, L"one", Plain(L"C"));
  CompilePage(root, L"three", Plain(L"AAA"));
  CompilePage(root, L"eight", Plain(L"ABCDABCD"));
  CompilePage(root, L"oddkeys", Plain(L" '<"));
  std::wstring thousand;
  for (int n = 0; n < 250; ++n) thousand += L"ABCD";
  CompilePage(root, L"thousand", Plain(thousand));
  // The hostile names are attachments that do not exist, which the compile
  // command would refuse: this page is written straight from its records.
  WritePage(root, L"hostile",
          {{L"<script>window.__pwned=1</script>", L"<img src=x onerror=\"window.__pwned=1\">",
            L"[image]a[image] onerror=window.__pwned=1 [/image][/image]",
            L"[image]x' onerror='window.__pwned=1[/image]", L"</b></p><svg onload=window.__pwned=1>", L'A'},
           {L"[b]<iframe srcdoc=\"<script>parent.__pwned=1</script>\">[/b]",
            L"[image]C:\\p\\[media]q' onerror='window.__pwned=1[/media].jpg[/image]",
            L"[media]x'><script>window.__pwned=1</script>[/media]", L"&lt;b&gt; typed", L"d", L'\''},
           {L"</script><script>window.__pwned=1</script>", L"a", L"b", L"c", L"d", L'\\'}});

  // A page as the previews and question pages build it: the bank's folder as
  // base (here relative to the page, which the browser can follow), so names
  // holding ":\\" are used as written and must not become addresses that load
  // a script.
  std::wstring body;
  for (const wchar_t* text : {L"[media]data:text/html,%3Cscript%3Ealert(%22bank%22)%3C%2Fscript%3E%3C!--:\\[/media]",
                              L"[media]da\tta:text/html,%3Cscript%3Ealert(%22bank%22)%3C%2Fscript%3E%3C!--:\\[/media]",
                              L"[image]javascript:alert(%22bank%22)//:\\[/image]", L"[image]dot.gif[/image]"}) {
    body += L"<p>" + mdlMain::TagsToHtml(mdlMain::EscapeAngleBrackets(text), L"..\\src\\") + L"</p>";
  }
  ASSERT_TRUE(CreateDirectoryW((root + L"\\question").c_str(), nullptr));
  mdlMain::TempPage = root + L"\\question\\index.htm";
  ASSERT_TRUE(mdlMain::WriteTempPage(L"<html><body>" + body + L"</body></html>"));
}
