// Seconds to read a page whose text lies inside n nested style tags, as a
// bank field of "[b]" repeated n times gives it.
//
// bench_quiz_pages [n ...]   (default 10000 40000 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/HtmlDocument.h"

int main(int argc, char** argv) {
  std::vector<long> depths;
  for (int k = 1; k < argc; ++k) depths.push_back(std::strtol(argv[k], nullptr, 10));
  if (depths.empty()) depths = {10000, 40000, 100000};
  for (long depth : depths) {
    std::wstring page;
    for (long k = 0; k < depth; ++k) page += L"<b>";
    page += L"x";
    for (long k = 0; k < depth; ++k) page += L"</b>";
    const auto start = std::chrono::steady_clock::now();
    const std::vector<tq::HtmlBlock> blocks = tq::ParseHtml(page);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%7ld nested <b>: %.3f s (%zu blocks)\n", depth, seconds, blocks.size());
  }
  return 0;
}
