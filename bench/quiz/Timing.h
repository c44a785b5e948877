// The quiz benchmark's clock and its lines: every figure is the best of a few
// runs (a busy machine only ever slows a run down), printed for a small and a
// ten times larger input with the ratio of the two, about 10 for linear work.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace tqbench {

inline double BestMs(int runs, const std::function<void()>& step) {
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

// One step at both sizes and the growth between them.
inline void TenfoldRow(const char* step, double smallMs, double largeMs) {
  std::printf("  %-44s %11.2f ms %11.2f ms  x%6.2f\n", step, smallMs, largeMs, largeMs / smallMs);
  std::fflush(stdout);
}

}  // namespace tqbench
