// The grapher benchmark's table: each figure is printed beside the ratio
// that a regression would move.
#pragma once

#include <cstdio>

#include "../BenchClock.h"

namespace kxbench {

using bench::BestMs;
using bench::Heading;

// One line of the table: what was measured, its time, and a ratio with what
// it is a ratio of.
inline void Row(const char* what, double ms, const char* ratioName = "", double ratio = 0) {
  if (*ratioName)
    std::printf("  %-44s %11.3f ms  %8.2f  %s\n", what, ms, ratio, ratioName);
  else
    std::printf("  %-44s %11.3f ms\n", what, ms);
  std::fflush(stdout);
}

}  // namespace kxbench
