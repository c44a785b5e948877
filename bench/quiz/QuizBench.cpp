// The costs a user of the quiz tool feels, each printed with a ratio measured
// in the same run: a bank at 1,000 and 10,000 questions, the page view, the
// package cipher, and the growth of the work on hostile bank text.
//
// bench_quiz [section [scale [family]]]
//   section: bank, page, cipher, growth or all (default)
//   scale, family: for growth, every base size times scale (default 1) and
//   only the families whose name holds family
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "Sections.h"

int main(int argc, char** argv) {
  const std::string section = argc > 1 ? argv[1] : "all";
  const double scale = argc > 2 ? std::max(0.01, std::atof(argv[2])) : 1.0;
  const char* only = argc > 3 ? argv[3] : "";
  const char* emulated = std::getenv("KX_EMULATED");
  if (emulated && *emulated && *emulated != '0')
    std::printf("Running in the emulated machine: times are many times a real processor's; the ratios hold.\n");
  try {
    if (section == "all" || section == "bank") tqbench::BankFigures();
    if (section == "all" || section == "page") tqbench::PageFigures();
    if (section == "all" || section == "cipher") tqbench::CipherFigures();
    if (section == "all" || section == "growth") tqbench::GrowthFigures(scale, only);
  } catch (const std::exception& e) {
    std::printf("bench_quiz: %s\n", e.what());
    return 1;
  }
  return 0;
}
