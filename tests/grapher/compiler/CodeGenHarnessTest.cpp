// The checking call must notice what compiled code and built-in bodies could do wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CodeGenSupport.h"
#include "Emulation.h"
#include "compiler/ExecMemory.h"

using namespace kx;

namespace {

TExecBlock Executable(std::initializer_list<uint8_t> bytes) {
  TExecBlock code(bytes.size());
  std::memcpy(code.Data(), bytes.begin(), bytes.size());
  return code;
}

TEvalResult RunBytes(std::initializer_list<uint8_t> bytes) { return EvaluateChecked(Executable(bytes).Data()); }

TEST(CallHarness, NoticesClobberedRegistersAndStrayValues) {
  struct TCase {
    const char* What;
    std::initializer_list<uint8_t> Code;
    bool Kept, Clean;
  };
  const TCase cases[] = {
      {"fld1", {0xD9, 0xE8, 0xC3}, true, true},
      {"two values", {0xD9, 0xE8, 0xD9, 0xEE, 0xC3}, true, false},
      {"no value", {0xC3}, true, false},
      {"nine values",
       {0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xDE, 0xC1,
        0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xD9, 0xE8, 0xDE, 0xC1, 0xC3},
       true,
       true},
      {"nine values at once",
       {0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8, 0xD9, 0xE8,
        0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xDE, 0xC1, 0xC3},
       true,
       false},
      {"ebx", {0x31, 0xDB, 0xD9, 0xE8, 0xC3}, false, true},
      {"esi", {0x31, 0xF6, 0xD9, 0xE8, 0xC3}, false, true},
      {"edi", {0x31, 0xFF, 0xD9, 0xE8, 0xC3}, false, true},
      {"ebp", {0x31, 0xED, 0xD9, 0xE8, 0xC3}, false, true},
      {"esp", {0x58, 0x50, 0x50, 0xD9, 0xE8, 0xC3}, false, true},  // pop eax; push eax; push eax: returns one low
  };
  for (const TCase& c : cases) {
    if (testsupport::RunsEmulated() && std::strcmp(c.What, "nine values at once") == 0) {
      std::printf("skipped \"%s\": the emulated x87 flags no stack overflow\n", c.What);
      continue;
    }
    const TEvalResult r = RunBytes(c.Code);
    EXPECT_EQ(r.RegistersKept, c.Kept) << c.What;
    EXPECT_EQ(r.StackClean, c.Clean) << c.What;
  }
}

TEST(CallHarness, NoticesDisturbedValuesBelowTheArguments) {
  struct TCase {
    const char* What;
    std::initializer_list<uint8_t> Code;
    std::initializer_list<long double> Args;
    uint32_t Fill, Depth;
    long double Result;
    bool Kept;
  };
  const TCase cases[] = {
      {"fld1 above seven", {0xD9, 0xE8, 0xC3}, {}, 7, 8, 1, true},
      {"faddp of two arguments", {0xDE, 0xC1, 0xC3}, {1, 2}, 6, 7, 3, true},
      {"fld1; fld1; fstp st(2)", {0xD9, 0xE8, 0xD9, 0xE8, 0xDD, 0xDA, 0xC3}, {}, 2, 3, 1, false},
      {"fstp st(0); fld1", {0xDD, 0xD8, 0xD9, 0xE8, 0xC3}, {}, 2, 2, 1, true},
  };
  for (const TCase& c : cases) {
    const TExecBlock code = Executable(c.Code);
    THarnessCall call{};
    call.Routine = code.Data();
    call.ArgCount = static_cast<uint32_t>(c.Args.size());
    std::copy(c.Args.begin(), c.Args.end(), call.Args);
    call.Fill = c.Fill;
    KHarnessCall(&call);
    EXPECT_EQ(call.Result, c.Result) << c.What;
    EXPECT_EQ(call.Depth, c.Depth) << c.What;
    EXPECT_EQ(call.FillKept != 0, c.Kept) << c.What;
    EXPECT_TRUE(call.RegsKept && call.EspKept) << c.What;
    EXPECT_NE(call.ResultClass, X87Empty) << c.What;
  }
}

}  // namespace
