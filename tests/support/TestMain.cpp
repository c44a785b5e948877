// Entry point of every test program: failures are reported on the console
// and never wait at a dialog, so a failing test cannot hang the run.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  _set_error_mode(_OUT_TO_STDERR);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
