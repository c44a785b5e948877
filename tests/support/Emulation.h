// What a test program allows for when it runs in the emulated machine, which
// the runner (tools/wine-run) tells it through the variable KX_EMULATED.
// Natively every check stays as strict as it is written.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace testsupport {

inline bool RunsEmulated() {
  const char* value = std::getenv("KX_EMULATED");
  return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

// The emulator computes fsin, fcos and fptan in double precision, so their
// last 11 bits differ from real hardware. Four units in the last place of a
// double, relative to the larger of the value and 1, cover that.
inline constexpr long double EmulatedTrigBound = 4 * static_cast<long double>(DBL_EPSILON);

inline void SayTrigBoundOnce() {
  static bool said = false;
  if (said) return;
  said = true;
  std::printf(
      "note: emulated x87: trigonometric results are compared within %.3Lg (relative), "
      "not bit for bit: the emulator computes fsin, fcos and fptan in double precision\n",
      EmulatedTrigBound);
}

// The tolerance for a trigonometric result checked within `native` here.
inline long double TrigTolerance(long double native) {
  if (!RunsEmulated()) return native;
  SayTrigBoundOnce();
  return std::fmax(native, EmulatedTrigBound);
}

// For EXPECT_PRED_FORMAT2: equal bit for bit here; within the bound above in
// the emulated machine.
inline ::testing::AssertionResult TrigEq(const char* gotText, const char* wantText, long double got, long double want) {
  const bool same = got == want || (std::isnan(got) && std::isnan(want));
  if (same && std::signbit(got) == std::signbit(want)) return ::testing::AssertionSuccess();
  if (RunsEmulated() && std::isfinite(want)) {
    SayTrigBoundOnce();
    if (std::fabs(got - want) <= EmulatedTrigBound * std::fmax(1.0L, std::fabs(want)))
      return ::testing::AssertionSuccess();
  }
  char text[160];
  std::snprintf(text, sizeof text, " is %.21Lg, expected %.21Lg", got, want);
  return ::testing::AssertionFailure() << gotText << text << " (" << wantText << ")";
}

// The number of cases the heaviest randomised tests run: all of them here, a
// `divisor`-th of them (at least one) in the emulated machine, said once.
inline int EmulatedCaseCount(int native, int divisor, const char* what) {
  if (!RunsEmulated()) return native;
  const int count = std::max(1, native / divisor);
  std::printf("note: emulated x87 runs many times slower: %d of %d %s\n", count, native, what);
  return count;
}

}  // namespace testsupport
