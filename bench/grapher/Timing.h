// The benchmark's clock and its table: every figure is the best of a few runs
// (a busy machine only ever slows a run down) and is printed beside the ratio
// that a regression would move.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace kxbench {

// Milliseconds of the fastest of `runs` calls of step.
template <typename F>
double BestMs(int runs, F&& step) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    step();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// One line of the table: what was measured, its time, and a ratio with what
// it is a ratio of.
inline void Row(const char* what, double ms, const char* ratioName = "", double ratio = 0) {
  if (*ratioName)
    std::printf("  %-44s %11.3f ms  %8.2f  %s\n", what, ms, ratio, ratioName);
  else
    std::printf("  %-44s %11.3f ms\n", what, ms);
  std::fflush(stdout);
}

inline void Heading(const char* title) {
  std::printf("%s\n", title);
  std::fflush(stdout);
}

}  // namespace kxbench
