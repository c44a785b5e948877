#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ZipTestFiles.h"
#include "runtime/ZipError.h"
#include "runtime/ZipNames.h"
#include "runtime/ZipPack.h"
#include "runtime/ZipUnpack.h"

using namespace ziptest;
using tq::ZipError;
using tq::ZipFailure;

namespace {

// Runs an extraction expected to fail and returns the reason.
ZipFailure ExtractFailure(const std::wstring& archive, const std::wstring& folder, const tq::ZipLimits& limits = {}) {
  try {
    tq::ZipExtract(archive, folder, limits);
  } catch (const ZipError& e) {
    return e.Reason();
  }
  ADD_FAILURE() << "extraction did not fail";
  return ZipFailure::CannotOpen;
}

std::string Pattern(size_t size, unsigned seed) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    s[i] = static_cast<char>(seed >> 16);
  }
  return s;
}

}  // namespace

TEST(ZipNames, BareNameKeepsTheLastComponentOfEitherSlash) {
  const struct {
    const wchar_t* name;
    const wchar_t* bare;
  } cases[] = {
      {L"a.jpg", L"a.jpg"}, {L"..\\..\\570MS.exe", L"570MS.exe"},    {L"C:\\x", L"x"},
      {L"a/../../b", L"b"}, {L"pics/sub\\c.png", L"c.png"},          {L"sub/", L""},
      {L"x/..", L".."},     {L"\\\\server\\share\\d.mp3", L"d.mp3"},
  };
  for (const auto& c : cases) EXPECT_EQ(tq::ZipBareName(c.name), c.bare) << c.name;
}

TEST(ZipNames, PlainFileNames) {
  const struct {
    std::wstring name;
    bool plain;
  } cases[] = {
      {L"a.jpg", true},
      {L"ảnh đẹp.png", true},
      {L"data.xml", true},
      {L"COM10", true},
      {L"CONSOLE.txt", true},
      {L"nullify.mp3", true},
      {L".hidden", true},
      {std::wstring(255, L'n'), true},
      {L"", false},
      {L".", false},
      {L"..", false},
      {L"C:x", false},
      {L"a.jpg:stream", false},
      {L"a/b", false},
      {L"a\\b", false},
      {L"CON", false},
      {L"con.txt", false},
      {L"Nul ", false},
      {L"aux .jpg", false},
      {L"COM1.jpg", false},
      {L"lpt9", false},
      {L"CONIN$", false},
      {L"com\u00b9", false},
      {L"a.jpg.", false},
      {L"a.jpg ", false},
      {L"tab\there", false},
      {L"what?.jpg", false},
      {L"star*.png", false},
      {L"pipe|x", false},
      {L"q\"uote", false},
      {L"<x>", false},
      {std::wstring(256, L'n'), false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tq::IsPlainFileName(c.name), c.plain) << std::string(c.name.begin(), c.name.end());
  }
}

TEST(ZipPack, RoundTripPutsEveryFileFlatUnderItsUtf8Name) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"src").c_str(), nullptr);
  CreateDirectoryW((dir / L"src\\pics").c_str(), nullptr);
  const std::string big = Pattern(300000, 7);
  WriteBytes(dir / L"src\\pics\\ảnh 1.jpg", big);
  WriteBytes(dir / L"src\\empty.mp3", "");
  WriteBytes(dir / L"src\\data.xml", "<Quorel/>");

  tq::ZipPacker packer;
  packer.AddFile(dir / L"src\\pics\\ảnh 1.jpg");
  packer.AddFile(dir / L"src/empty.mp3");
  packer.AddFile(dir / L"src\\data.xml");
  packer.SetArchiveName(dir / L"t.zip");
  packer.Create();

  const std::vector<StoredEntry> stored = ReadDirectory(dir / L"t.zip");
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_EQ(stored[0].name, "\xe1\xba\xa3nh 1.jpg");
  for (const StoredEntry& e : stored) EXPECT_TRUE(e.flags & 0x800) << e.name;
  EXPECT_EQ(stored[1].name, "empty.mp3");
  EXPECT_EQ(stored[2].name, "data.xml");

  const auto names = tq::ZipExtract(dir / L"t.zip", dir / L"out");
  EXPECT_EQ(names, (std::vector<std::wstring>{L"ảnh 1.jpg", L"empty.mp3", L"data.xml"}));
  EXPECT_EQ(ListFolder(dir / L"out"), (std::vector<std::wstring>{L"data.xml", L"empty.mp3", L"ảnh 1.jpg"}));
  EXPECT_EQ(ReadBytes(dir / L"out\\ảnh 1.jpg"), big);
  EXPECT_EQ(ReadBytes(dir / L"out\\empty.mp3"), "");
  EXPECT_EQ(ReadBytes(dir / L"out\\data.xml"), "<Quorel/>");
}

TEST(ZipPack, CreateReplacesAnOlderArchiveWhole) {
  ScratchFolder dir;
  WriteBytes(dir / L"a.jpg", "A");
  WriteBytes(dir / L"b.jpg", Pattern(50000, 3));
  tq::ZipPacker first;
  first.AddFile(dir / L"a.jpg");
  first.AddFile(dir / L"b.jpg");
  first.SetArchiveName(dir / L"t.zip");
  first.Create();

  tq::ZipPacker second;
  second.AddFile(dir / L"a.jpg");
  second.SetArchiveName(dir / L"t.zip");
  second.Create();
  const auto stored = ReadDirectory(dir / L"t.zip");
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].name, "a.jpg");
  EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"a.jpg", L"b.jpg", L"t.zip"}));
}

TEST(ZipPack, FailedPackLeavesTheOldArchiveAndNoTemporary) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"x").c_str(), nullptr);
  WriteBytes(dir / L"a.jpg", "A");
  WriteBytes(dir / L"x\\A.JPG", "other");
  WriteBytes(dir / L"t.zip", "old archive");

  const struct {
    std::vector<std::wstring> files;
    ZipFailure reason;
  } cases[] = {
      {{dir / L"a.jpg", dir / L"missing.png"}, ZipFailure::CannotOpen},
      {{dir / L"a.jpg", dir / L"x\\A.JPG"}, ZipFailure::DuplicateName},
      {{dir / L"x\\"}, ZipFailure::UnsafeName},
  };
  for (const auto& c : cases) {
    tq::ZipPacker packer;
    for (const auto& f : c.files) packer.AddFile(f);
    packer.SetArchiveName(dir / L"t.zip");
    try {
      packer.Create();
      ADD_FAILURE() << "pack did not fail";
    } catch (const ZipError& e) {
      EXPECT_EQ(e.Reason(), c.reason);
    }
    EXPECT_EQ(ReadBytes(dir / L"t.zip"), "old archive");
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"a.jpg", L"t.zip", L"x"}));
  }
}

TEST(ZipUnpack, PathsInNamesAreCutToTheLastComponent) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"deep").c_str(), nullptr);
  WriteArchive(dir / L"t.zip", {{"..\\..\\570MS.exe", "exe"}, {"C:\\x", "x"}, {"a/../../b", "b"}, {"/abs/c.jpg", "c"}});
  const std::wstring out = dir / L"deep\\out";
  tq::ZipExtract(dir / L"t.zip", out);
  EXPECT_EQ(ListFolder(out), (std::vector<std::wstring>{L"570MS.exe", L"b", L"c.jpg", L"x"}));
  EXPECT_EQ(ReadBytes(out + L"\\570MS.exe"), "exe");
  EXPECT_EQ(ListFolder(dir / L"deep"), std::vector<std::wstring>{L"out"});
  EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::wstring>{L"deep", L"t.zip"}));
}

TEST(ZipUnpack, HostileArchivesAreRefusedBeforeAnythingIsWritten) {
  const std::string big(600, 'z');
  const struct {
    const char* what;
    std::vector<RawEntry> entries;
    ZipFailure reason;
    tq::ZipLimits limits;
  } cases[] = {
      {"folder entry", {{"a.jpg", "a"}, {"sub/", ""}}, ZipFailure::UnsafeName, {}},
      {"dot dot", {{"a.jpg", "a"}, {"x/..", "b"}}, ZipFailure::UnsafeName, {}},
      {"drive relative", {{"a.jpg", "a"}, {"C:evil.exe", "b"}}, ZipFailure::UnsafeName, {}},
      {"stream", {{"a.jpg", "a"}, {"a.jpg:hidden", "b"}}, ZipFailure::UnsafeName, {}},
      {"device", {{"a.jpg", "a"}, {"pics/NUL.txt", "b"}}, ZipFailure::UnsafeName, {}},
      {"device bare", {{"a.jpg", "a"}, {"con", "b"}}, ZipFailure::UnsafeName, {}},
      {"trailing dot", {{"a.jpg", "a"}, {"a.jpg.", "b"}}, ZipFailure::UnsafeName, {}},
      {"duplicate", {{"a.jpg", "a"}, {"a.jpg", "b"}}, ZipFailure::DuplicateName, {}},
      {"duplicate case", {{"a.jpg", "a"}, {"pics/A.JPG", "b"}}, ZipFailure::DuplicateName, {}},
      {"total size", {{"a.bin", big}, {"b.bin", big}}, ZipFailure::TooLarge, {1000, 100}},
      {"one entry size", {{"a.bin", big}}, ZipFailure::TooLarge, {599, 100}},
      {"entry count", {{"a", "1"}, {"b", "2"}, {"c", "3"}}, ZipFailure::TooLarge, {1000, 2}},
      {"encrypted", {{"a.jpg", "a"}, {"b.jpg", "b", 0x801}}, ZipFailure::Unsupported, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    WriteArchive(dir / L"t.zip", c.entries);
    EXPECT_EQ(ExtractFailure(dir / L"t.zip", dir / L"out", c.limits), c.reason);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"t.zip"});
  }
}

TEST(ZipUnpack, DamagedDataRemovesWhatWasWritten) {
  const std::string data = Pattern(5000, 11);
  const struct {
    const char* what;
    long long declared;
  } cases[] = {{"declared smaller", 10}, {"declared larger", 9000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchFolder dir;
    WriteArchive(dir / L"t.zip", {{"first.jpg", "ok"}, {"b.bin", data, 0x800, c.declared}});
    EXPECT_EQ(ExtractFailure(dir / L"t.zip", dir / L"out"), ZipFailure::ReadFailed);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"t.zip"});
  }
}

TEST(ZipUnpack, NoArchiveAtAll) {
  ScratchFolder dir;
  WriteBytes(dir / L"junk.zip", Pattern(4000, 5));
  EXPECT_EQ(ExtractFailure(dir / L"junk.zip", dir / L"out"), ZipFailure::NotAnArchive);
  EXPECT_EQ(ExtractFailure(dir / L"missing.zip", dir / L"out"), ZipFailure::CannotOpen);
  EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"junk.zip"});
}

TEST(ZipUnpack, ExistingFilesAreNeverReplaced) {
  ScratchFolder dir;
  CreateDirectoryW((dir / L"out").c_str(), nullptr);
  WriteBytes(dir / L"out\\b.jpg", "mine");
  WriteArchive(dir / L"t.zip", {{"a.jpg", "a"}, {"b.jpg", "theirs"}});
  EXPECT_EQ(ExtractFailure(dir / L"t.zip", dir / L"out"), ZipFailure::WriteFailed);
  EXPECT_EQ(ListFolder(dir / L"out"), std::vector<std::wstring>{L"b.jpg"});
  EXPECT_EQ(ReadBytes(dir / L"out\\b.jpg"), "mine");
}

TEST(ZipUnpack, NamesWithoutTheUtf8FlagAreReadAsDosText) {
  ScratchFolder dir;
  WriteArchive(dir / L"t.zip", {{"caf\x82.txt", "x", 0}});
  EXPECT_EQ(tq::ZipExtract(dir / L"t.zip", dir / L"out"), std::vector<std::wstring>{L"café.txt"});
  EXPECT_EQ(ReadBytes(dir / L"out\\café.txt"), "x");
}
