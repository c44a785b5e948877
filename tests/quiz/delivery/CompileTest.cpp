// The compile screen's bank work: bare names, attachments, reading and writing.
#include <gtest/gtest.h>
#include <windows.h>

#include "ZipTestFiles.h"
#include "authoring/QuestionBank.h"
#include "delivery/frmBienDich.h"

using namespace frmBienDich;
using ziptest::ScratchFolder;

namespace {

QuestionRecord Question(std::wstring text, wchar_t key = L'A') {
  return {std::move(text), L"a", L"b", L"c", L"d", key};
}

}  // namespace

TEST(KiemFile, CollectsNamedFilesPicturesFirst) {
  const std::wstring folder = L"D:\\bank\\";
  const struct {
    const wchar_t* text;
    std::vector<std::wstring> names;
    std::vector<std::wstring> paths;
  } cases[] = {
      {L"[image]C:\\pics\\a.jpg[/image]", {L"a.jpg"}, {L"C:\\pics\\a.jpg"}},
      {L"[image]sub\\b.png[/image]", {L"b.png"}, {L"D:\\bank\\b.png"}},
      {L"[image]../x.jpg[/image]", {L"x.jpg"}, {L"D:\\bank\\x.jpg"}},
      {L"[image]\\\\server\\share\\n.jpg[/image]", {L"n.jpg"}, {L"D:\\bank\\n.jpg"}},
      {L"[image]a.jpg", {}, {}},
      {L"[image][/image]", {}, {}},
      {L"[/image][image]a.jpg[/image]", {L"a.jpg"}, {L"D:\\bank\\a.jpg"}},
      {L"[IMAGE]a.jpg[/IMAGE]", {}, {}},
      {L"[media]s.mp3[/media][image]p.png[/image]", {L"p.png", L"s.mp3"}, {L"D:\\bank\\p.png", L"D:\\bank\\s.mp3"}},
      {L"[image]C:\\pics\\[/image][image]CON[/image][image]..[/image]", {}, {}},
  };
  for (const auto& c : cases) {
    Attachments list;
    KiemFile(c.text, folder, list);
    EXPECT_EQ(list.names, c.names) << testing::PrintToString(std::wstring(c.text));
    EXPECT_EQ(list.paths, c.paths) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(KiemTraLai, KeepsTheFirstOfEachName) {
  Attachments list{{L"a.jpg", L"a.jpg", L"A.jpg", L"b.jpg", L"a.jpg", L"b.jpg"},
                   {L"C:\\p\\a.jpg", L"D:\\b\\a.jpg", L"D:\\b\\A.jpg", L"D:\\b\\b.jpg", L"E:\\a.jpg", L"F:\\b.jpg"}};
  KiemTraLai(list);
  EXPECT_EQ(list.names, (std::vector<std::wstring>{L"a.jpg", L"A.jpg", L"b.jpg"}));
  EXPECT_EQ(list.paths, (std::vector<std::wstring>{L"C:\\p\\a.jpg", L"D:\\b\\A.jpg", L"D:\\b\\b.jpg"}));
}

TEST(CollectAttachments, InRecordOrderWithoutTheKey) {
  CompileBank bank;
  bank.BankFolder = L"D:\\bank\\";
  bank.records = {{L"[image]C:\\pics\\a.jpg[/image]", L"[media]m.mp3[/media]", L"", L"", L"", L'A'},
                  {L"[image]a.jpg[/image]", L"", L"", L"", L"[image]d.png[/image]", L'['}};
  const Attachments list = CollectAttachments(bank);
  EXPECT_EQ(list.names, (std::vector<std::wstring>{L"a.jpg", L"m.mp3", L"d.png"}));
  EXPECT_EQ(list.paths, (std::vector<std::wstring>{L"C:\\pics\\a.jpg", L"D:\\bank\\m.mp3", L"D:\\bank\\d.png"}));
}

TEST(DocXML, TakesAtMostTheFirstThousand) {
  ScratchFolder dir;
  std::vector<QuestionRecord> records;
  for (int n = 1; n <= 1200; ++n) records.push_back(Question(L"Q" + std::to_wstring(n)));
  ASSERT_TRUE(WriteBankFile(dir / L"big.xml", records));
  CompileBank bank;
  ASSERT_EQ(DocXML(dir / L"big.xml", bank), BankReadResult::Ok);
  ASSERT_EQ(bank.records.size(), 1000u);
  EXPECT_EQ(bank.records.front().CauHoi, L"Q1");
  EXPECT_EQ(bank.records.back().CauHoi, L"Q1000");
  EXPECT_EQ(bank.BankFolder, dir.Path() + L"\\");
}

TEST(DocXML, RejectedFilesKeepTheHeldBank) {
  ScratchFolder dir;
  ASSERT_TRUE(WriteBankFile(dir / L"one.xml", std::vector<QuestionRecord>{Question(L"kept")}));
  ASSERT_TRUE(WriteBankFile(dir / L"empty.xml", {}));
  ziptest::WriteBytes(dir / L"short.xml",
                      "<Quorel><Question><CauHoi>1</CauHoi><CauA/><CauB/><CauC/><CauD/><DapAn>A</DapAn>"
                      "</Question><Question><CauHoi>2</CauHoi><CauA/><CauC/><CauD/><DapAn>B</DapAn>"
                      "</Question></Quorel>");
  ziptest::WriteBytes(dir / L"junk.xml", "not xml <<");
  CompileBank bank;
  ASSERT_EQ(DocXML(dir / L"one.xml", bank), BankReadResult::Ok);
  const struct {
    const wchar_t* file;
    BankReadResult result;
  } cases[] = {{L"empty.xml", BankReadResult::NoQuestions},
               {L"junk.xml", BankReadResult::NoQuestions},
               {L"missing.xml", BankReadResult::NoQuestions},
               {L"short.xml", BankReadResult::Incomplete}};
  for (const auto& c : cases) {
    EXPECT_EQ(DocXML(dir / c.file, bank), c.result) << testing::PrintToString(std::wstring(c.file));
    ASSERT_EQ(bank.records.size(), 1u);
    EXPECT_EQ(bank.records[0].CauHoi, L"kept");
  }
}

TEST(GhiLaiFile, WritesBareNamesAndTheKeyAsHeld) {
  ScratchFolder dir;
  CompileBank bank;
  bank.records = {{L"[image]C:\\pics\\a.jpg[/image] x &lt;b&gt;", L"[media]D:/m/s.mp3[/media]", L"[image]a.jpg[/image]",
                   L"c", L"[image]C:\\p\\", L'C'},
                  {L"two", L"", L"", L"", L"", L' '}};
  ASSERT_TRUE(GhiLaiFile(bank, dir / L"data.xml"));
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(dir / L"data.xml"));
  ASSERT_EQ(reader.QuestionCount(), 2);
  const QuestionRecord r = reader.Record(1);
  EXPECT_EQ(r.CauHoi, L"[image]a.jpg[/image] x &lt;b&gt;");
  EXPECT_EQ(r.CauA, L"[media]s.mp3[/media]");
  EXPECT_EQ(r.CauB, L"[image]a.jpg[/image]");
  EXPECT_EQ(r.CauD, L"[image]C:\\p\\");
  EXPECT_EQ(r.DapAn, L'C');
  EXPECT_EQ(reader.Record(2).DapAn, L' ');
  // The held bank keeps its full names for the next compile.
  EXPECT_EQ(bank.records[0].CauA, L"[media]D:/m/s.mp3[/media]");
}

TEST(GhiLaiFile, FailureIsReportedAndKeepsTheOldFile) {
  ScratchFolder dir;
  CompileBank bank;
  bank.records = {Question(L"new")};
  EXPECT_FALSE(GhiLaiFile(bank, dir / L"missing\\data.xml"));
  // A target held open by another program cannot be replaced.
  ziptest::WriteBytes(dir / L"data.xml", "old");
  HANDLE held =
      CreateFileW((dir / L"data.xml").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(GhiLaiFile(bank, dir / L"data.xml"));
  CloseHandle(held);
  EXPECT_EQ(ziptest::ReadBytes(dir / L"data.xml"), "old");
  EXPECT_EQ(ziptest::ListFolder(dir.Path()), std::vector<std::wstring>{L"data.xml"});
}

TEST(SaoChepFiles, CopiesEachOnceAndNeverReplaces) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"out").c_str(), nullptr);
  ziptest::WriteBytes(dir / L"a.jpg", "A");
  ziptest::WriteBytes(dir / L"b.JPG", "B");
  ziptest::WriteBytes(dir / L"data.xml", "attachment");
  ziptest::WriteBytes(dir / L"out\\data.xml", "bank");
  const Attachments list{{L"a.jpg", L"data.xml", L"A.JPG", L"gone.png"},
                         {dir / L"a.jpg", dir / L"data.xml", dir / L"b.JPG", dir / L"gone.png"}};
  EXPECT_EQ(SaoChepFiles(list, dir / L"out"), std::vector<std::wstring>{L"gone.png"});
  EXPECT_EQ(ziptest::ListFolder(dir / L"out"), (std::vector<std::wstring>{L"a.jpg", L"data.xml"}));
  EXPECT_EQ(ziptest::ReadBytes(dir / L"out\\a.jpg"), "A");
  EXPECT_EQ(ziptest::ReadBytes(dir / L"out\\data.xml"), "bank");
}
