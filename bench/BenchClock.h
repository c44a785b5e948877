// The benchmarks' clock: every figure is the best of a few runs (a busy
// machine only ever slows a run down).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace bench {

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

inline void Heading(const char* title) {
  std::printf("%s\n", title);
  std::fflush(stdout);
}

}  // namespace bench
