// The quiz benchmark's sections, each printing its own table.
#pragma once

namespace tqbench {

// A bank of 1,000 and of 10,000 questions read, written, turned into the
// self-scoring page, packed into a test package and unpacked again.
void BankFigures();
// The page view reading and laying out pages of many lines and of deeply
// nested style tags, and reading pages nested `depths` deep.
void PageFigures();
// The package cipher's throughput against a plain byte-xor loop.
void CipherFigures();
// How the work on hostile bank text grows (attachment scan, bare names, page
// layout) at 1x to 8x each family's base size times `scale`, for the families
// whose name holds `only`.
void GrowthFigures(double scale, const char* only);

}  // namespace tqbench
