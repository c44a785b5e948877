// Both programs start, show their main window and end cleanly when it closes.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace testsupport;

namespace {

constexpr DWORD kStartTimeoutMs = 30000;

// Reads the x87 control word of a thread of another process. Bit 6 is
// reserved and reads back as 1 whatever was loaded, so it is left out.
WORD ThreadControlWord(HANDLE thread) {
  CONTEXT context{};
  context.ContextFlags = CONTEXT_FLOATING_POINT;
  EXPECT_NE(SuspendThread(thread), static_cast<DWORD>(-1));
  EXPECT_TRUE(GetThreadContext(thread, &context));
  ResumeThread(thread);
  return static_cast<WORD>(context.FloatSave.ControlWord & ~0x40u);
}

void ExpectClosesCleanly(ChildProcess& program, HWND window) {
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kStartTimeoutMs), 0);
}

}  // namespace

TEST(Programs, GrapherShowsMainWindowWithProcessControlWord) {
  ChildProcess grapher;
  ASSERT_TRUE(grapher.Start(ProgramPath("Kurvex.exe")));
  HWND main = WaitForWindow("Plotvane v2.21", grapher.Id(), kStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ThreadControlWord(grapher.MainThread()), 0x133F);
  ExpectClosesCleanly(grapher, main);
}

TEST(Programs, QuizToolShowsMainWindow) {
  ChildProcess quiz;
  ASSERT_TRUE(quiz.Start(ProgramPath("Tessaro.exe")));
  HWND main = WaitForWindow("Tessaro", quiz.Id(), kStartTimeoutMs);
  ASSERT_NE(main, nullptr);
  ExpectClosesCleanly(quiz, main);
}
