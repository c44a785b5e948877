// Constant pool: the deduplicated float constants of a formula, read by the
// compiled code through absolute addresses.
#include "compiler/KCompilerTree.h"

#include <cstring>

namespace {

// Constants are told apart by their bit pattern, so -0 and +0 keep their own entries.
template <typename T, size_t Bytes>
int FindSame(const std::vector<T>& list, const T& value) {
  for (size_t i = 0; i < list.size(); ++i)
    if (std::memcmp(&list[i], &value, Bytes) == 0) return static_cast<int>(i);
  return -1;
}

}  // namespace

void TBuilder::BuildConstantPool() {
  FConsts32.clear();
  FConsts64.clear();
  FConsts80.clear();
  size_t at = 0;
  for (uint8_t size : FConstSizes) {
    const uint8_t* bytes = FConstStack.data() + at;
    if (size == 4) {
      float v;
      std::memcpy(&v, bytes, 4);
      if (FindSame<float, 4>(FConsts32, v) < 0) FConsts32.push_back(v);
    } else if (size == 8) {
      double v;
      std::memcpy(&v, bytes, 8);
      if (FindSame<double, 8>(FConsts64, v) < 0) FConsts64.push_back(v);
    } else {
      long double v = 0;
      std::memcpy(&v, bytes, 10);
      if (FindSame<long double, 10>(FConsts80, v) < 0) FConsts80.push_back(v);
    }
    at += size;
  }
  FConstCopy = FConstStack;
  FConstCopySizes = FConstSizes;

  const size_t n80 = FConsts80.size(), n64 = FConsts64.size(), n32 = FConsts32.size();
  const bool align = AlignMode();
  size_t size;
  if (align) {
    size = 16 * n80 + 8 * n64 + 4 * (n32 > n80 ? n32 - n80 : 0);
    if (n80 > 0)
      size += 12;
    else if (n64 > 0)
      size += 4;
  } else {
    size = 12 * n80 + 8 * n64 + 4 * n32;
  }
  FPoolMem.reset(new uint8_t[size > 0 ? size : 1]());
  FPool = FPoolMem.get();
  FPoolSize = size;

  FPoolAlign = 0;
  const uintptr_t base = reinterpret_cast<uintptr_t>(FPool);
  if (align && n80 > 0)
    FPoolAlign = static_cast<uint32_t>((16 - base % 16) % 16);
  else if (align && n64 > 0)
    FPoolAlign = static_cast<uint32_t>((8 - base % 8) % 8);
  const uint32_t slot80 = align ? 16 : 12;
  FAreaStart[akF80] = static_cast<int32_t>(FPoolAlign);
  FAreaStart[akF64] = FAreaStart[akF80] + static_cast<int32_t>(slot80 * n80);
  FAreaStart[akF32] = FAreaStart[akF64] + static_cast<int32_t>(8 * n64);

  for (size_t i = 0; i < n80; ++i) std::memcpy(FPool + FAreaStart[akF80] + slot80 * i, &FConsts80[i], 10);
  for (size_t i = 0; i < n64; ++i) std::memcpy(FPool + FAreaStart[akF64] + 8 * i, &FConsts64[i], 8);
  for (size_t i = 0; i < n32; ++i) std::memcpy(FPool + LookupConstant32(FConsts32[i]), &FConsts32[i], 4);
}

uint32_t TBuilder::LookupConstant32(float value) const {
  const size_t i = static_cast<size_t>(FindSame<float, 4>(FConsts32, value));
  if (AlignMode() && i < FConsts80.size()) return static_cast<uint32_t>(FAreaStart[akF80] + 16 * i + 12);
  const size_t shared = AlignMode() ? FConsts80.size() : 0;
  return static_cast<uint32_t>(FAreaStart[akF32] + 4 * (i - shared));
}

uint32_t TBuilder::LookupConstant64(double value) const {
  return static_cast<uint32_t>(FAreaStart[akF64] + 8 * FindSame<double, 8>(FConsts64, value));
}

uint32_t TBuilder::LookupConstant80(long double value) const {
  const uint32_t slot = AlignMode() ? 16 : 12;
  return static_cast<uint32_t>(FAreaStart[akF80] + slot * FindSame<long double, 10>(FConsts80, value));
}
