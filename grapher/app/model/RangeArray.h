// A fixed array indexed Lo..Hi: the grapher's lists and tables keep the
// numbering their users see (functions 1..20, formulas 1..3, colours 1..10).
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "framework/core/SysUtils.h"

namespace kx {

template <class T, int Lo, int Hi>
class TRangeArray {
  static_assert(Lo <= Hi);

 public:
  static constexpr int Low = Lo;
  static constexpr int High = Hi;

  constexpr TRangeArray() = default;
  constexpr TRangeArray(const std::array<T, Hi - Lo + 1>& items) : items_(items) {}

  // An index outside Lo..Hi raises EListError instead of reaching past the array.
  constexpr T& operator[](int i) { return items_[Slot(i)]; }
  constexpr const T& operator[](int i) const { return items_[Slot(i)]; }

  constexpr auto begin() { return items_.begin(); }
  constexpr auto end() { return items_.end(); }
  constexpr auto begin() const { return items_.begin(); }
  constexpr auto end() const { return items_.end(); }

 private:
  static constexpr size_t Slot(int i) {
    if (i < Lo || i > Hi)
      throw EListError("Index " + std::to_string(i) + " outside " + std::to_string(Lo) + ".." + std::to_string(Hi));
    return static_cast<size_t>(i - Lo);
  }

  std::array<T, Hi - Lo + 1> items_{};
};

}  // namespace kx
