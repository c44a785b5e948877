#include <gtest/gtest.h>

#include "TempFolder.h"
#include "runtime/FileIo.h"
#include "runtime/Utf.h"
#include "runtime/Xml.h"

namespace {

TEST(Utf, Utf8OfUtf16) {
  struct Case {
    std::wstring text;
    std::string bytes;
    bool roundTrips;
  };
  const Case cases[] = {
      {L"", "", true},
      {L"Cau", "Cau", true},
      {L"C\u00e2u", "C\xC3\xA2u", true},
      {L"\u1ea9", "\xE1\xBA\xA9", true},
      {L"\xD83D\xDE00", "\xF0\x9F\x98\x80", true},  // a surrogate pair is one character
      {L"a\xD83D"
       L"b",
       "a\xEF\xBF\xBD"
       "b",
       false},                             // a lone high surrogate
      {L"\xDE00", "\xEF\xBF\xBD", false},  // a lone low surrogate
      {std::wstring(1, L'\0') + L"\u07ff", std::string(1, '\0') + "\xDF\xBF", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(tq::Utf8FromUtf16(c.text), c.bytes);
    if (c.roundTrips) {
      EXPECT_EQ(tq::Utf16FromUtf8(c.bytes), c.text);
    }
  }
  EXPECT_EQ(tq::Utf16FromUtf8("a\xFF"
                              "b"),
            L"a\xFFFD"
            L"b");
}

TEST(Files, AtomicWriteCreatesAndReplacesWhole) {
  TempFolder folder;
  const std::wstring path = folder / L"a.txt";
  ASSERT_TRUE(tq::WriteFileAtomic(path, "a much longer first content"));
  ASSERT_TRUE(tq::WriteFileAtomic(path, "short"));
  EXPECT_EQ(ReadAll(path), "short");
  ASSERT_TRUE(tq::WriteFileAtomic(path, ""));
  EXPECT_EQ(ReadAll(path), "");
  EXPECT_EQ(folder.Listing(), L"a.txt;");
}

TEST(Files, FailedWriteKeepsOldFileAndLeavesNoTemporary) {
  TempFolder folder;
  // A folder standing where the file should go: the move over it must fail.
  ASSERT_TRUE(CreateDirectoryW((folder / L"target").c_str(), nullptr));
  const tq::IoStatus status = tq::WriteFileAtomic(folder / L"target", "data");
  EXPECT_FALSE(status);
  EXPECT_FALSE(status.Text().empty());
  EXPECT_EQ(folder.Listing(), L"target;");

  EXPECT_FALSE(tq::WriteFileAtomic(folder / L"missing\\x.txt", "data"));
  EXPECT_EQ(folder.Listing(), L"target;");
}

TEST(Files, UncommittedWriterLeavesTargetUntouched) {
  TempFolder folder;
  const std::wstring path = folder / L"keep.bin";
  ASSERT_TRUE(tq::WriteFileAtomic(path, "old"));
  {
    tq::AtomicFileWriter writer(path);
    ASSERT_TRUE(writer.Open());
    ASSERT_TRUE(writer.Write("new content", 11));
  }
  EXPECT_EQ(ReadAll(path), "old");
  EXPECT_EQ(folder.Listing(), L"keep.bin;");
}

TEST(Files, TempBesideAndMoveOver) {
  TempFolder folder;
  std::wstring temp;
  ASSERT_TRUE(tq::CreateTempBeside(folder / L"out.zip", temp));
  EXPECT_EQ(temp.rfind(folder.Path(), 0), 0u);
  ASSERT_TRUE(tq::WriteFileAtomic(temp, "zip"));
  ASSERT_TRUE(tq::MoveOverTarget(temp, folder / L"out.zip"));
  EXPECT_EQ(ReadAll(folder / L"out.zip"), "zip");
  EXPECT_EQ(folder.Listing(), L"out.zip;");
}

TEST(Files, ReadRefusesMissingAndOversizeFiles) {
  TempFolder folder;
  std::string bytes = "stale";
  EXPECT_FALSE(tq::ReadFileBytes(folder / L"none", bytes));
  EXPECT_TRUE(bytes.empty());
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"big", std::string(100, 'x')));
  EXPECT_EQ(tq::ReadFileBytes(folder / L"big", bytes, 99).error, DWORD(ERROR_FILE_TOO_LARGE));
  ASSERT_TRUE(tq::ReadFileBytes(folder / L"big", bytes, 100));
  EXPECT_EQ(bytes.size(), 100u);
}

TEST(Files, RemoveFolderTreeTakesNestedFoldersAndReadOnlyFiles) {
  TempFolder folder;
  const std::wstring root = folder / L"tree";
  ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root + L"\\a").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr));
  ASSERT_TRUE(tq::WriteFileAtomic(root + L"\\top.txt", "1"));
  ASSERT_TRUE(tq::WriteFileAtomic(root + L"\\a\\b\\deep.txt", "2"));
  ASSERT_TRUE(tq::WriteFileAtomic(root + L"\\a\\locked.txt", "3"));
  ASSERT_TRUE(SetFileAttributesW((root + L"\\a\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"beside.txt", "kept"));

  EXPECT_TRUE(tq::RemoveFolderTree(root + L"\\"));
  EXPECT_EQ(GetFileAttributesW(root.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(folder.Listing(), L"beside.txt;");
  EXPECT_TRUE(tq::RemoveFolderTree(root)) << "a missing folder counts as removed";
  EXPECT_FALSE(tq::RemoveFolderTree(folder / L"beside.txt")) << "a file is no folder";
  EXPECT_EQ(ReadAll(folder / L"beside.txt"), "kept");
}

TEST(Xml, NodeTextJoinsAllTextBelowTheNode) {
  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_string(L"<r>a<x>b<y>c</y></x><![CDATA[<d>]]><!--no-->e</r><s>f</s>",
                              pugi::parse_default | pugi::parse_ws_pcdata));
  EXPECT_EQ(tq::XmlNodeText(doc.child(L"r")), L"abc<d>e");
  EXPECT_EQ(tq::XmlNodeText(doc.child(L"r").child(L"x")), L"bc");
  EXPECT_EQ(tq::XmlNodeText(doc.child(L"none")), L"");
}

TEST(Xml, DeepNestingReadsWithoutRecursion) {
  TempFolder folder;
  const int depth = 200000;
  std::string text;
  for (int k = 0; k < depth; ++k) text += "<a>";
  text += "x";
  for (int k = 0; k < depth; ++k) text += "</a>";
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"deep.xml", text));
  pugi::xml_document doc;
  ASSERT_TRUE(tq::LoadXmlFile(doc, folder / L"deep.xml"));
  EXPECT_EQ(tq::XmlNodeText(doc), L"x");
}

TEST(Xml, LoadRefusesMalformedAndOversizeFiles) {
  TempFolder folder;
  pugi::xml_document doc;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"bad.xml", "<a><b></a>"));
  EXPECT_FALSE(tq::LoadXmlFile(doc, folder / L"bad.xml"));
  EXPECT_FALSE(doc.first_child());
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"ok.xml", "<a>  </a>"));
  EXPECT_FALSE(tq::LoadXmlFile(doc, folder / L"ok.xml", 5));
  ASSERT_TRUE(tq::LoadXmlFile(doc, folder / L"ok.xml"));
  EXPECT_EQ(tq::XmlNodeText(doc.child(L"a")), L"  ");
  EXPECT_FALSE(tq::LoadXmlFile(doc, folder / L"none.xml"));
}

TEST(Xml, SaveWritesRawUtf8AndKeepsOldFileOnFailure) {
  TempFolder folder;
  pugi::xml_document doc;
  doc.append_child(L"r").append_child(pugi::node_pcdata).set_value(L"\u1ea9 & <");
  ASSERT_TRUE(tq::SaveXmlFile(doc, folder / L"a.xml"));
  EXPECT_EQ(ReadAll(folder / L"a.xml"), "<r>\xE1\xBA\xA9 &amp; &lt;</r>");
  ASSERT_TRUE(CreateDirectoryW((folder / L"dir.xml").c_str(), nullptr));
  EXPECT_FALSE(tq::SaveXmlFile(doc, folder / L"dir.xml"));
}

TEST(Xml, StripInvalidCharsKeepsTabsLineEndsAndPairs) {
  struct Case {
    std::wstring text;
    std::wstring kept;
  };
  const Case cases[] = {
      {L"a\tb\r\nc", L"a\tb\r\nc"},
      {std::wstring(L"a\x01"
                    L"b\x1f"
                    L"c\x0b",
                    6) +
           std::wstring(1, L'\0'),
       L"abc"},
      {L"x\xD83D\xDE00y", L"x\xD83D\xDE00y"},
      {L"x\xD83Dy\xDE00z", L"xyz"},
      {L"\xFFFE\xFFFF\xFFFD", L"\xFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(tq::StripXmlInvalidChars(c.text), c.kept);
}

}  // namespace
