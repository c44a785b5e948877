// The package cipher over a buffer against the plainest loop over the same
// bytes: an xor of each byte with a constant.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "Sections.h"
#include "Timing.h"
#include "authoring/mdlEncrypt.h"

void tqbench::CipherFigures() {
  Heading("Package cipher over 16 MB (against a byte-xor loop over the same buffer)");
  std::vector<uint8_t> data(16u << 20);
  for (size_t k = 0; k < data.size(); ++k) data[k] = static_cast<uint8_t>(k * 131);
  const double cipher = BestMs(3, [&] { mdlEncrypt::CipherBytes(data, mdlEncrypt::QuizKey); });
  const double xorLoop = BestMs(3, [&] {
    for (uint8_t& byte : data) byte ^= 0x5A;
  });
  const double megabytes = static_cast<double>(data.size()) / (1 << 20);
  std::printf("  cipher   %10.2f ms  %8.1f MB/s\n", cipher, megabytes / cipher * 1000);
  std::printf("  xor loop %10.2f ms  %8.1f MB/s\n", xorLoop, megabytes / xorLoop * 1000);
  std::printf("  cipher / xor loop: x%.2f\n", cipher / xorLoop);
  std::fflush(stdout);
}
