// The tool launchers: a running tool is brought forward, a missing one is
// started from the quiz tool's folder, by its own path only.
#include <gtest/gtest.h>

#include "ScreenTesting.h"
#include "TempFolder.h"
#include "TestSupport.h"
#include "authoring/Launchers.h"
#include "authoring/mdlMain.h"
#include "runtime/App.h"

using Launchers::Outcome;

namespace {

std::wstring ProbePath() {
  wchar_t self[MAX_PATH];
  std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"tq_launch_probe.exe";
}

bool WaitForFile(const std::wstring& path) {
  return testsupport::PumpUntil([&] { return mdlMain::FileExists(path); }, 60000);
}

TEST(Launchers, RunningToolIsBroughtForwardAndNothingStarts) {
  TempFolder folder;
  const std::wstring tools = folder.Path() + L"tools";
  ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), (tools + L"\\Kurvex.exe").c_str(), FALSE));
  // A hidden window titled in other letter case counts.
  HWND grapher = CreateWindowExW(0, L"Static", L"plotvane", WS_OVERLAPPEDWINDOW, 10, 10, 300, 120, nullptr, nullptr,
                                 nullptr, nullptr);
  ASSERT_NE(grapher, nullptr);
  EXPECT_FALSE(IsWindowVisible(grapher));
  EXPECT_EQ(Launchers::Launch(Launchers::Grapher, tools), Outcome::BroughtForward);
  EXPECT_TRUE(IsWindowVisible(grapher));
  screentest::SaveScreenshot(grapher, "quiz_launcher_forward");
  DestroyWindow(grapher);
  EXPECT_FALSE(mdlMain::FileExists(tools + L"\\Kurvex.exe.ran"));
}

TEST(Launchers, MissingToolStartsFromTheFolderAndNoDecoyRuns) {
  TempFolder folder;
  // "my tools\Kurvex.exe": a path with a space whose first word names a decoy.
  const std::wstring tools = folder.Path() + L"my tools";
  ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), (tools + L"\\Kurvex.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), (folder.Path() + L"my.exe").c_str(), FALSE));
  ASSERT_EQ(FindWindowW(nullptr, L"Plotvane"), nullptr);
  EXPECT_EQ(Launchers::Launch(Launchers::Grapher, tools), Outcome::Started);
  ASSERT_TRUE(WaitForFile(tools + L"\\Kurvex.exe.ran"));
  EXPECT_FALSE(mdlMain::FileExists(folder.Path() + L"my.exe.ran"));
  // No arguments: the command line is the program's own path.
  std::string line = ReadAll(tools + L"\\Kurvex.exe.ran");
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(line.data()), line.size() / 2),
            L"\"" + tools + L"\\Kurvex.exe\"");

  ASSERT_TRUE(CopyFileW(ProbePath().c_str(), (tools + L"\\570MS.exe").c_str(), FALSE));
  if (FindWindowW(nullptr, L"VINACAL") == nullptr) {
    EXPECT_EQ(Launchers::Launch(Launchers::Calculator, tools), Outcome::Started);
    EXPECT_TRUE(WaitForFile(tools + L"\\570MS.exe.ran"));
  }
  // The probes' files can go once the probes have ended.
  for (const wchar_t* probe : {L"\\Kurvex.exe", L"\\570MS.exe"}) {
    const std::wstring path = tools + probe;
    EXPECT_TRUE(testsupport::PumpUntil([&] { return DeleteFileW(path.c_str()) || !mdlMain::FileExists(path); }, 60000));
  }
}

TEST(Launchers, MissingProgramIsToldToTheUser) {
  TempFolder folder;
  const std::wstring tools = folder.Path() + L"empty";
  ASSERT_TRUE(CreateDirectoryW(tools.c_str(), nullptr));
  EXPECT_EQ(Launchers::Launch(Launchers::Calculator, tools), Outcome::Missing);
  mdlMain::SetProgramFolder(tools);
  screentest::DialogAnswerer ok(IDOK, [](HWND box) { screentest::SaveScreenshot(box, "quiz_launcher_missing"); });
  Launchers::RunTool(Launchers::Calculator, nullptr);
  mdlMain::SetProgramFolder({});
  EXPECT_EQ(ok.Answered(), 1);
  EXPECT_EQ(ok.Text(), L"Không tìm thấy chương trình :\r\n" + tools + L"\\570MS.exe");
}

TEST(Program, SecondInstanceEndsUnseen) {
  testsupport::ChildProcess first;
  ASSERT_TRUE(first.Start(testsupport::ProgramPath("Tessaro.exe")));
  HWND menu = testsupport::WaitForWindow("Tessaro", first.Id(), 60000);
  ASSERT_NE(menu, nullptr);
  screentest::SaveScreenshot(menu, "quiz_program_main_menu");

  testsupport::ChildProcess second;
  ASSERT_TRUE(second.Start(testsupport::ProgramPath("Tessaro.exe")));
  EXPECT_EQ(second.WaitForExit(60000), 0);
  EXPECT_EQ(testsupport::WaitForWindow("Tessaro", second.Id(), 10), nullptr);

  // Closing asks the quit question; Yes ends the program.
  PostMessageW(menu, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  testsupport::PumpUntil(
      [&] {
        box = FindWindowW(L"#32770", L"Tessaro");
        return box != nullptr;
      },
      60000);
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  EXPECT_EQ(first.WaitForExit(60000), 0);
}

}  // namespace
