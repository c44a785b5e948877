// Both programs start, show their main window and end cleanly when it closes.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace testsupport;

namespace {

void ExpectClosesCleanly(ChildProcess& program, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kProgramStartTimeoutMs), 0);
}

}  // namespace

TEST(Programs, GrapherShowsMainWindow) {
  ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(ProgramPath("Kurvex.exe")));
  HWND main = WaitForWindow("Plotvane v2.21", grapher.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  ExpectClosesCleanly(grapher, main);
}

TEST(Programs, QuizToolShowsMainWindow) {
  ChildProcess quiz;
  ASSERT_TRUE(quiz.Start(ProgramPath("Tessaro.exe")));
  HWND main = WaitForWindow("Tessaro", quiz.Id(), kProgramStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  // Closing the main menu asks whether to quit; Yes ends the program.
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND question = nullptr;
  PumpUntil([&] { return (question = FindWindowA("#32770", "Tessaro")) != nullptr; }, kProgramStartTimeoutMs);
  ASSERT_NE(question, nullptr);
  PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
  EXPECT_EQ(quiz.WaitForExit(kProgramStartTimeoutMs), 0);
}
