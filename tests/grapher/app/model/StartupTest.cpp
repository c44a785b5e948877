// What start-up takes from the command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/model/MainU_Startup.h"

using namespace kx;

TEST(CommandLine, FirstArgumentIsTheFileToLoad) {
  struct Case {
    const wchar_t* line;
    bool load;
    const char* file;
  };
  const Case cases[] = {
      {L"Kurvex.exe", false, ""},
      {L"\"C:\\Program Files\\Kurvex\\Kurvex.exe\"", false, ""},
      {L"Kurvex.exe   ", false, ""},
      {L"Kurvex.exe f.fls", true, "f.fls"},
      {L"\"C:\\Program Files\\Kurvex\\Kurvex.exe\" \"D:\\Bai tap\\ham so.fls\"", true, "D:\\Bai tap\\ham so.fls"},
      {L"Kurvex.exe\tC:\\a.fls", true, "C:\\a.fls"},
      // Only the first of two is loaded.
      {L"Kurvex.exe first.fls second.fls", true, "first.fls"},
      {L"Kurvex.exe \"a b.fls\" \"c d.fls\"", true, "a b.fls"},
      // An empty argument still asks for a load, which reports the missing file.
      {L"Kurvex.exe \"\"", true, ""},
      {L"", false, ""},
  };
  for (const Case& c : cases) {
    const TCommandLine line = ReadCommandLine(c.line);
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
    EXPECT_EQ(line.CmdLineLoad, c.load);
    EXPECT_EQ(line.FileName, c.file);
  }
  EXPECT_FALSE(ReadCommandLine(nullptr).CmdLineLoad);
}

TEST(CommandLine, NameOutsideTheAnsiCodePageStillOpens) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  // "hàm số ạ": the last letter has no code in the Western code pages.
  const std::wstring path = std::wstring(temp) + L"h\u00E0m s\u1ED1 \u1EA1.fls";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, "Kurvex", 6, &written, nullptr);
  CloseHandle(file);

  const TCommandLine line = ReadCommandLine((L"Kurvex.exe \"" + path + L"\"").c_str());
  ASSERT_TRUE(line.CmdLineLoad);
  EXPECT_EQ(line.FileName.find('?'), std::string::npos) << line.FileName;
  HANDLE ansi = CreateFileA(line.FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(ansi, INVALID_HANDLE_VALUE) << line.FileName;
  char text[8] = {};
  DWORD read = 0;
  ReadFile(ansi, text, sizeof text, &read, nullptr);
  CloseHandle(ansi);
  EXPECT_EQ(std::string(text, read), "Kurvex");
  DeleteFileW(path.c_str());
}

TEST(CommandLine, AnsiNameKeepsItsLetters) {
  // A name the ANSI code page holds comes through letter for letter, even of
  // a file that does not exist yet.
  const std::wstring name = L"C:\\nowhere\\caf\u00E9.fls";
  const std::string ansi = AnsiPath(name);
  wchar_t back[MAX_PATH] = {};
  const int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), static_cast<int>(ansi.size()), back, MAX_PATH);
  EXPECT_EQ(std::wstring(back, static_cast<size_t>(n)), name);
  EXPECT_EQ(ansi.size(), name.size());
  EXPECT_EQ(AnsiPath(L""), "");
}
