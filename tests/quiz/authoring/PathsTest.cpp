#include <gtest/gtest.h>

#include "TempFolder.h"
#include "authoring/mdlMain.h"

namespace {

TEST(Paths, FormatSeconds) {
  const std::pair<int, std::wstring> cases[] = {
      {3725, L"01:02:05"}, {0, L"00:00:00"}, {32767, L"09:06:07"}, {59, L"00:00:59"}, {3600, L"01:00:00"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(mdlMain::FormatSeconds(seconds), text);
}

TEST(Paths, FolderAndFileName) {
  const struct {
    std::wstring path, folder, name;
  } cases[] = {
      {L"C:\\a\\b.xml", L"C:\\a\\", L"b.xml"}, {L"b.xml", L"b.xml", L"b.xml"},      {L"C:\\a\\", L"C:\\a\\", L""},
      {L"../x.jpg", L"../", L"x.jpg"},         {L"a\\b/c.png", L"a\\b/", L"c.png"}, {L"", L"", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mdlMain::FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(mdlMain::FileNameOfPath(c.path), c.name) << c.path;
  }
}

TEST(Paths, IsBlank) {
  EXPECT_TRUE(mdlMain::IsBlank(L"   "));
  EXPECT_TRUE(mdlMain::IsBlank(L""));
  EXPECT_FALSE(mdlMain::IsBlank(L" a "));
  EXPECT_FALSE(mdlMain::IsBlank(L"\t"));
}

TEST(Paths, FileExists) {
  TempFolder folder;
  ASSERT_TRUE(tq::WriteFileAtomic(folder / L"f.txt", "x"));
  EXPECT_TRUE(mdlMain::FileExists(folder / L"f.txt"));
  EXPECT_FALSE(mdlMain::FileExists(folder.Path()));
  EXPECT_FALSE(mdlMain::FileExists(folder / L"missing.txt"));
  EXPECT_FALSE(mdlMain::FileExists(L"bad\x01name?*"));
  EXPECT_FALSE(mdlMain::FileExists(L""));
}

TEST(Paths, TemporaryFolders) {
  const std::wstring program = mdlMain::ProgramFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_NE(program.back(), L'\\');
  EXPECT_TRUE(mdlMain::FileExists(program + L"\\test_quiz_markup.exe"));
  EXPECT_EQ(mdlMain::AppTempFolder(), program + L"\\Temp\\");
  const std::wstring temp = mdlMain::SystemTempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), L'\\');
  const DWORD attributes = GetFileAttributesW(temp.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
