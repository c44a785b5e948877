// Constant pool: the deduplicated float constants of a formula, read by the
// compiled code through absolute addresses.
#include "compiler/KCompilerTree.h"

#include <cstring>

namespace kx {

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
  consts32_.clear();
  consts64_.clear();
  consts80_.clear();
  size_t at = 0;
  for (uint8_t size : constSizes_) {
    const uint8_t* bytes = constStack_.data() + at;
    if (size == 4) {
      float v;
      std::memcpy(&v, bytes, 4);
      if (FindSame<float, 4>(consts32_, v) < 0) consts32_.push_back(v);
    } else if (size == 8) {
      double v;
      std::memcpy(&v, bytes, 8);
      if (FindSame<double, 8>(consts64_, v) < 0) consts64_.push_back(v);
    } else {
      long double v = 0;
      std::memcpy(&v, bytes, 10);
      if (FindSame<long double, 10>(consts80_, v) < 0) consts80_.push_back(v);
    }
    at += size;
  }
  constCopy_ = constStack_;
  constCopySizes_ = constSizes_;

  const size_t n80 = consts80_.size(), n64 = consts64_.size(), n32 = consts32_.size();
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
  poolMem_.reset(new uint8_t[size > 0 ? size : 1]());
  pool_ = poolMem_.get();
  poolSize_ = size;

  poolAlign_ = 0;
  const uintptr_t base = reinterpret_cast<uintptr_t>(pool_);
  if (align && n80 > 0)
    poolAlign_ = static_cast<uint32_t>((16 - base % 16) % 16);
  else if (align && n64 > 0)
    poolAlign_ = static_cast<uint32_t>((8 - base % 8) % 8);
  const uint32_t slot80 = align ? 16 : 12;
  areaStart_[akF80] = static_cast<int32_t>(poolAlign_);
  areaStart_[akF64] = areaStart_[akF80] + static_cast<int32_t>(slot80 * n80);
  areaStart_[akF32] = areaStart_[akF64] + static_cast<int32_t>(8 * n64);

  for (size_t i = 0; i < n80; ++i) std::memcpy(pool_ + areaStart_[akF80] + slot80 * i, &consts80_[i], 10);
  for (size_t i = 0; i < n64; ++i) std::memcpy(pool_ + areaStart_[akF64] + 8 * i, &consts64_[i], 8);
  for (size_t i = 0; i < n32; ++i) std::memcpy(pool_ + LookupConstant32(consts32_[i]), &consts32_[i], 4);
}

uint32_t TBuilder::LookupConstant32(float value) const {
  const size_t i = static_cast<size_t>(FindSame<float, 4>(consts32_, value));
  if (AlignMode() && i < consts80_.size()) return static_cast<uint32_t>(areaStart_[akF80] + 16 * i + 12);
  const size_t shared = AlignMode() ? consts80_.size() : 0;
  return static_cast<uint32_t>(areaStart_[akF32] + 4 * (i - shared));
}

uint32_t TBuilder::LookupConstant64(double value) const {
  return static_cast<uint32_t>(areaStart_[akF64] + 8 * FindSame<double, 8>(consts64_, value));
}

uint32_t TBuilder::LookupConstant80(long double value) const {
  const uint32_t slot = AlignMode() ? 16 : 12;
  return static_cast<uint32_t>(areaStart_[akF80] + slot * FindSame<long double, 10>(consts80_, value));
}

}  // namespace kx
