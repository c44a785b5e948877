// The quiz benchmark's lines: each step is printed for a small and a ten
// times larger input with the ratio of the two, about 10 for linear work.
#pragma once

#include <cstdio>

#include "../BenchClock.h"

namespace tqbench {

using bench::BestMs;
using bench::Heading;

// One step at both sizes and the growth between them.
inline void TenfoldRow(const char* step, double smallMs, double largeMs) {
  std::printf("  %-44s %11.2f ms %11.2f ms  x%6.2f\n", step, smallMs, largeMs, largeMs / smallMs);
  std::fflush(stdout);
}

}  // namespace tqbench
