// The grapher's start-up on the framework: the application window titled
// "Plotvane", the screen font beside the program, and a clean exit.
#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"

using namespace testsupport;

namespace {

std::string TempFolder() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "kurvex-nofont-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\";
}

}  // namespace

TEST(Startup, ApplicationWindowBringsTheMainWindowForward) {
  ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(ProgramPath("Kurvex.exe")));
  HWND main = WaitForWindow("Plotvane v2.21", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  // No complaint about the font: it lies beside the program.
  EXPECT_EQ(FindWindowA("#32770", "Thong bao"), nullptr);

  // The quiz tool's way: find the title "Plotvane", show it without
  // activation, bring it to the foreground.
  HWND app = WaitForWindow("Plotvane", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(app, nullptr);
  EXPECT_NE(app, main);
  EXPECT_EQ(GetWindow(main, GW_OWNER), app);

  // Another window in front first, so that bringing the grapher forward shows.
  HWND other =
      CreateWindowExA(0, "STATIC", "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == other; }, 10000));

  ShowWindow(app, SW_SHOWNOACTIVATE);
  SetForegroundWindow(app);
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == main; }, 30000));
  DestroyWindow(other);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(grapher.WaitForExit(kProgramStartTimeoutMs), 0);
}

TEST(Startup, MissingFontIsReportedAndStartUpGoesOn) {
  const std::string folder = TempFolder();
  const std::string exe = folder + "Kurvex.exe";
  ASSERT_TRUE(CopyFileA(ProgramPath("Kurvex.exe").c_str(), exe.c_str(), FALSE));
  ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(exe));
  HWND box = WaitForWindow("Thong bao", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  char text[128] = {};
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ(text, "Khong tim thay file Kurvex.fon");
  PostMessageA(box, WM_COMMAND, IDOK, 0);

  HWND main = WaitForWindow("Plotvane v2.21", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(grapher.WaitForExit(kProgramStartTimeoutMs), 0);
  DeleteFileA(exe.c_str());
  RemoveDirectoryA(folder.c_str());
}
