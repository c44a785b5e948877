#include <gtest/gtest.h>

#include <vector>

#include "TempFolder.h"
#include "authoring/QuestionBank.h"
#include "authoring/mdlMain.h"

namespace {

const char EmptyBankFile[] = "<?xml version=\"1.0\" standalone=\"yes\"?><Quorel charset=\"UTF-8\"/>";

bool operator==(const QuestionRecord& a, const QuestionRecord& b) {
  return a.CauHoi == b.CauHoi && a.CauA == b.CauA && a.CauB == b.CauB && a.CauC == b.CauC && a.CauD == b.CauD &&
         a.DapAn == b.DapAn;
}

std::vector<QuestionRecord> SampleRecords() {
  return {
      {L"C\u00e2u h\u1ecfi [b]\u0111\u1eadm[/b][E]d\u00f2ng 2", L"x[t]2[/t]", L"H[d]2[/d]O",
       L"&lt;b&gt;typed&lt;/b&gt; & more", L"", L'A'},
      {L"[image]C:\\p\\a.jpg[/image] tab\there", L"  padded  ", L" ", L"\xD835\xDC65 = 1", L"[media]s.mp3[/media]",
       L'D'},
      {L"", L"", L"", L"", L"", L'C'},
  };
}

std::vector<QuestionRecord> NumberedRecords(int count) {
  std::vector<QuestionRecord> records(static_cast<size_t>(count));
  for (int n = 0; n < count; ++n) {
    records[n].CauHoi = L"Q" + std::to_wstring(n + 1);
    records[n].DapAn = L"ABCD"[n % 4];
  }
  return records;
}

void ExpectBank(const EditorBank& bank, const std::vector<QuestionRecord>& records) {
  ASSERT_EQ(bank.Count(), static_cast<int>(records.size()));
  for (int n = 1; n <= bank.Count(); ++n) EXPECT_TRUE(bank.Record(n) == records[n - 1]) << n;
}

TEST(BankFile, WrittenBankReadsBackTheSame) {
  TempFolder folder;
  EditorBank bank;
  for (const QuestionRecord& r : SampleRecords())
    ASSERT_TRUE(bank.AddQues(r.CauHoi, r.CauA, r.CauB, r.CauC, r.CauD, std::wstring(1, r.DapAn)));
  EXPECT_TRUE(bank.Modified());
  ASSERT_TRUE(bank.GhiFile(folder / L"bank.xml"));
  EXPECT_FALSE(bank.Modified());

  EditorBank read;
  EXPECT_EQ(read.ReadXML(folder / L"bank.xml"), BankReadResult::Ok);
  ExpectBank(read, SampleRecords());
  EXPECT_EQ(read.Current(), 1);
  EXPECT_EQ(read.Folder(), folder.Path());
  EXPECT_FALSE(read.Modified());
}

TEST(BankFile, CarriageReturnsReadBackAsTheyWere) {
  TempFolder folder;
  // As a hand-made bank holds them ("&#13;"), alone, before a line feed, and at either end.
  const std::vector<QuestionRecord> records = {
      {L"a\rb", L"a\r\nb", L"\r", L"\r\r\n\n", L"x\r", L'A'},
      {L"[E]\r[b]y[/b]", L"", L"\rz", L"", L"", L'B'},
  };
  ASSERT_TRUE(WriteBankFile(folder / L"bank.xml", records));
  EditorBank read;
  ASSERT_EQ(read.ReadXML(folder / L"bank.xml"), BankReadResult::Ok);
  ExpectBank(read, records);
  // Saved again, the file is the same.
  const std::string first = ReadAll(folder / L"bank.xml");
  ASSERT_TRUE(read.GhiFile(folder / L"again.xml"));
  EXPECT_EQ(ReadAll(folder / L"again.xml"), first);
  EXPECT_NE(first.find("<CauHoi>a&#13;b</CauHoi>"), std::string::npos);
}

TEST(BankFile, ExactBytes) {
  TempFolder folder;
  EditorBank empty;
  ASSERT_TRUE(empty.GhiFile(folder / L"a.xml"));
  ASSERT_TRUE(EditorBank::TaoFile(folder / L"b.xml"));
  EXPECT_EQ(ReadAll(folder / L"a.xml"), EmptyBankFile);
  EXPECT_EQ(ReadAll(folder / L"b.xml"), EmptyBankFile);

  const QuestionRecord record{L"\u1ea9 &lt;b&gt; [E]", L"a", L"", L"c", L"d", L'B'};
  ASSERT_TRUE(WriteBankFile(folder / L"c.xml", std::span(&record, 1)));
  EXPECT_EQ(ReadAll(folder / L"c.xml"),
            "<?xml version=\"1.0\" standalone=\"yes\"?><Quorel charset=\"UTF-8\"><Question>"
            "<CauHoi>\xE1\xBA\xA9 &amp;lt;b&amp;gt; [E]</CauHoi><CauA>a</CauA><CauB/><CauC>c</CauC>"
            "<CauD>d</CauD><DapAn>B</DapAn></Question></Quorel>");
}

TEST(BankFile, TypedBracketsStayTextInPreviews) {
  TempFolder folder;
  const QuestionRecord record{L"&lt;b&gt;x&lt;/b&gt;", L"", L"", L"", L"", L'A'};
  ASSERT_TRUE(WriteBankFile(folder / L"q.xml", std::span(&record, 1)));
  EditorBank bank;
  ASSERT_EQ(bank.ReadXML(folder / L"q.xml"), BankReadResult::Ok);
  EXPECT_EQ(bank.Record(1).CauHoi, L"&lt;b&gt;x&lt;/b&gt;");
  EXPECT_EQ(mdlMain::TagsToHtml(bank.Record(1).CauHoi, bank.Folder()), L"&lt;b&gt;x&lt;/b&gt;");
}

TEST(BankFile, ReadersTakeElementsByNameInDocumentOrder) {
  TempFolder folder;
  // Another document element, no declaration, white space, deeper nesting and
  // fields outside their Question: none of it matters to a reader.
  ASSERT_TRUE(tq::WriteFileAtomic(
      folder / L"odd.xml",
      "<Other>\n  <Question><CauHoi>one</CauHoi><CauA>a1</CauA></Question>\n"
      "  <x><y><Question><CauHoi>t<i>w</i><![CDATA[o]]></CauHoi></Question></y></x>\n"
      "  <CauB>b1</CauB><CauB>b2</CauB><CauC>c1</CauC><CauC>c2</CauC><CauD>d1</CauD><CauD>d2</CauD>\n"
      "  <DapAn>BC</DapAn><DapAn></DapAn><CauA>a2</CauA><Ignored>z</Ignored>\n"
      "</Other>"));
  EditorBank bank;
  ASSERT_EQ(bank.ReadXML(folder / L"odd.xml"), BankReadResult::Ok);
  ExpectBank(bank, {{L"one", L"a1", L"b1", L"c1", L"d1", L'B'}, {L"two", L"a2", L"b2", L"c2", L"d2", L' '}});

  // The space key of an empty DapAn is written back as a space.
  ASSERT_TRUE(bank.GhiFile(folder / L"again.xml"));
  EXPECT_NE(ReadAll(folder / L"again.xml").find("<DapAn> </DapAn>"), std::string::npos);
  EditorBank again;
  ASSERT_EQ(again.ReadXML(folder / L"again.xml"), BankReadResult::Ok);
  EXPECT_EQ(again.Record(2).DapAn, L' ');
}

TEST(BankFile, AtMostAThousandQuestions) {
  TempFolder folder;
  ASSERT_TRUE(WriteBankFile(folder / L"1000.xml", NumberedRecords(1000)));
  ASSERT_TRUE(WriteBankFile(folder / L"1001.xml", NumberedRecords(1001)));
  EditorBank bank;
  EXPECT_EQ(bank.ReadXML(folder / L"1000.xml"), BankReadResult::Ok);
  ExpectBank(bank, NumberedRecords(1000));
  EXPECT_FALSE(bank.AddQues(L"one more", L"", L"", L"", L"", L"A"));
  EXPECT_EQ(bank.Count(), 1000);

  EXPECT_EQ(bank.ReadXML(folder / L"1001.xml"), BankReadResult::TooManyQuestions);
  EXPECT_EQ(bank.Count(), 0);  // nothing of either file is kept

  // The other readers count every question and may take any record.
  BankFileReader reader;
  ASSERT_TRUE(reader.Load(folder / L"1001.xml"));
  EXPECT_EQ(reader.QuestionCount(), 1001);
  ASSERT_TRUE(reader.HasRecord(1001));
  EXPECT_EQ(reader.Record(1001).CauHoi, L"Q1001");
  EXPECT_FALSE(reader.HasRecord(1002));
  EXPECT_FALSE(reader.HasRecord(0));
}

TEST(BankFile, FieldsNestedInFieldsCannotMultiplyTheWork) {
  // Each of 300 nested CauHoi elements has the whole text below it as its
  // own: reading them all would copy the text 300 times.
  TempFolder folder;
  const int depth = 300;
  std::string text = "<Quorel><Question>";
  for (int n = 0; n < depth; ++n) text += "<CauHoi>";
  text += std::string(20000, 'x');
  for (int n = 0; n < depth; ++n) text += "</CauHoi>";
  text += "<CauA/><CauB/><CauC/><CauD/><DapAn>A</DapAn></Question>";
  for (int n = 1; n < depth; ++n) text += "<Question><CauA/><CauB/><CauC/><CauD/><DapAn>A</DapAn></Question>";
  text += "</Quorel>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"nested.xml", text));
  EditorBank bank;
  EXPECT_EQ(bank.ReadXML(folder / L"nested.xml"), BankReadResult::NoQuestions);
  BankFileReader reader;
  EXPECT_FALSE(reader.Load(folder / L"nested.xml"));
  EXPECT_EQ(reader.QuestionCount(), 0);

  // Empty elements nested as deep cost as much to walk.
  text = "<Quorel><Question>";
  for (int n = 0; n < depth * 10; ++n) text += "<CauHoi>";
  for (int n = 0; n < depth * 10; ++n) text += "</CauHoi>";
  text += "</Question></Quorel>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"empty.xml", text));
  EXPECT_FALSE(reader.Load(folder / L"empty.xml"));

  // A slip of a hand-made bank, a key inside an answer, still reads.
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"slip.xml",
                                  "<Quorel><Question><CauHoi>q</CauHoi><CauA>a</CauA><CauB>b</CauB><CauC>c</CauC>"
                                  "<CauD>d<DapAn>B</DapAn></CauD></Question></Quorel>"));
  ASSERT_EQ(bank.ReadXML(folder / L"slip.xml"), BankReadResult::Ok);
  ExpectBank(bank, {{L"q", L"a", L"b", L"c", L"dB", L'B'}});
}

TEST(BankFile, ShortElementListFailsTheRead) {
  TempFolder folder;
  std::string text = "<Quorel>";
  for (int n = 0; n < 3; ++n) {
    text += "<Question><CauHoi>q</CauHoi><CauA>a</CauA>";
    if (n < 2) text += "<CauB>b</CauB>";
    text += "<CauC>c</CauC><CauD>d</CauD><DapAn>A</DapAn></Question>";
  }
  text += "</Quorel>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"short.xml", text));
  EditorBank bank;
  ASSERT_TRUE(WriteBankFile(folder / L"one.xml", NumberedRecords(1)));
  ASSERT_EQ(bank.ReadXML(folder / L"one.xml"), BankReadResult::Ok);
  EXPECT_EQ(bank.ReadXML(folder / L"short.xml"), BankReadResult::Incomplete);
  EXPECT_EQ(bank.Count(), 0);

  BankFileReader reader;
  reader.Load(folder / L"short.xml");
  EXPECT_EQ(reader.QuestionCount(), 3);
  EXPECT_TRUE(reader.HasRecord(2));
  EXPECT_FALSE(reader.HasRecord(3));
}

TEST(BankFile, FilesWithoutQuestionsReadAsAnEmptyBank) {
  TempFolder folder;
  ASSERT_TRUE(WriteBankFile(folder / L"fifty.xml", NumberedRecords(50)));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"bad.xml", "<Quorel><Question>"));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"binary.xml", std::string("PK\x03\x04\0\xFF\xFE", 7)));
  ASSERT_TRUE(EditorBank::TaoFile(folder / L"empty.xml"));
  for (const wchar_t* name : {L"empty.xml", L"bad.xml", L"binary.xml", L"missing.xml"}) {
    EditorBank bank;
    ASSERT_EQ(bank.ReadXML(folder / L"fifty.xml"), BankReadResult::Ok);
    bank.MarkModified();
    EXPECT_EQ(bank.ReadXML(folder / name), BankReadResult::NoQuestions) << name;
    EXPECT_EQ(bank.Count(), 0);
    EXPECT_FALSE(bank.Modified());
    EXPECT_EQ(bank.Folder(), folder.Path());
  }
  EditorBank bank;
  ASSERT_EQ(bank.ReadXML(folder / L"fifty.xml"), BankReadResult::Ok);
  ASSERT_EQ(bank.ReadXML(folder / L"empty.xml"), BankReadResult::NoQuestions);
  ASSERT_TRUE(bank.AddQues(L"new", L"a", L"b", L"c", L"d", L"C"));
  EXPECT_EQ(bank.Count(), 1);
  EXPECT_EQ(bank.Current(), 1);
  ASSERT_TRUE(bank.GhiFile(folder / L"empty.xml"));
  BankFileReader reader;
  reader.Load(folder / L"empty.xml");
  EXPECT_EQ(reader.QuestionCount(), 1);
  EXPECT_EQ(reader.Record(1).CauHoi, L"new");
}

TEST(BankFile, CharactersNoXmlReaderAcceptsAreDropped) {
  TempFolder folder;
  const QuestionRecord record{std::wstring(L"a\x01"
                                           L"b\x0b"
                                           L"c\x1f\td\r\ne",
                                           11) +
                                  L'\0' +
                                  L"f\xD835"
                                  L"g",
                              L"\x02",
                              L"",
                              L"",
                              L"",
                              L'\x03'};
  ASSERT_TRUE(WriteBankFile(folder / L"ctl.xml", std::span(&record, 1)));
  EditorBank bank;
  ASSERT_EQ(bank.ReadXML(folder / L"ctl.xml"), BankReadResult::Ok);
  // Tab, CR and LF are kept.
  EXPECT_EQ(bank.Record(1).CauHoi, L"abc\td\r\nefg");
  EXPECT_EQ(bank.Record(1).CauA, L"");
  EXPECT_EQ(bank.Record(1).DapAn, L' ');
}

TEST(BankFile, FailedSaveKeepsFileAndState) {
  TempFolder folder;
  EditorBank bank;
  ASSERT_TRUE(bank.AddQues(L"q", L"a", L"b", L"c", L"d", L"A"));
  ASSERT_TRUE(CreateDirectoryW((folder / L"dir.xml").c_str(), nullptr));
  const tq::IoStatus status = bank.GhiFile(folder / L"dir.xml");
  EXPECT_FALSE(status);
  EXPECT_FALSE(status.Text().empty());
  EXPECT_TRUE(bank.Modified());
  EXPECT_FALSE(bank.GhiFile(folder / L"missing\\bank.xml"));
  EXPECT_FALSE(EditorBank::TaoFile(folder / L"missing\\bank.xml"));
  EXPECT_EQ(folder.Listing(), L"dir.xml;");

  ASSERT_TRUE(bank.GhiFile(folder / L"bank.xml"));
  const std::string saved = ReadAll(folder / L"bank.xml");
  ASSERT_TRUE(bank.AddQues(L"q2", L"", L"", L"", L"", L"B"));
  SetFileAttributesW((folder / L"bank.xml").c_str(), FILE_ATTRIBUTE_READONLY);
  // Whether the system lets a read-only file be replaced differs; the file is
  // either the new bank or untouched, never half written.
  if (!bank.GhiFile(folder / L"bank.xml")) {
    EXPECT_EQ(ReadAll(folder / L"bank.xml"), saved);
  }
  EXPECT_EQ(folder.Listing(), L"bank.xml;dir.xml;");
}

TEST(EditorBank, EditAndEmpty) {
  EditorBank bank;
  ASSERT_TRUE(bank.AddQues(L"q1", L"a", L"b", L"c", L"d", L"AB"));
  ASSERT_TRUE(bank.AddQues(L"q2", L"a", L"b", L"c", L"d", L""));
  EXPECT_EQ(bank.Record(1).DapAn, L'A');
  EXPECT_EQ(bank.Record(2).DapAn, L' ');
  EXPECT_EQ(bank.Current(), 2);
  bank.SetCurrent(1);
  bank.ClearModified();
  const std::wstring texts[] = {L"Q", L"A", L"B", L"C", L"D", L"ignored"};
  for (int field = 0; field <= 5; ++field) bank.EditQues(texts[field], field);
  EXPECT_TRUE(bank.Modified());
  EXPECT_TRUE(bank.Record(1) == (QuestionRecord{L"Q", L"A", L"B", L"C", L"D", L'A'}));
  EXPECT_TRUE(bank.Record(2) == (QuestionRecord{L"q2", L"a", L"b", L"c", L"d", L' '}));
  bank.Empty();
  EXPECT_EQ(bank.Count(), 0);
  EXPECT_FALSE(bank.Modified());
  bank.EditQues(L"nothing to edit", 0);
  EXPECT_EQ(bank.Count(), 0);
}

}  // namespace
