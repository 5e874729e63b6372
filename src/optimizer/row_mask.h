// Sets of cut-table rows as bit masks: bit k stands for row k.
#pragma once

#include <bit>
#include <cstdint>

namespace yobina {

// Rows 1..127: every row a table holds.
struct RowMask128 {
  uint64_t low = 0;
  uint64_t high = 0;

  static constexpr int32_t kMaxRow = 127;

  bool Empty() const { return (low | high) == 0; }
  bool Single() const { return std::popcount(low) + std::popcount(high) == 1; }
  bool Has(int32_t row) const { return ((row < 64 ? low >> row : high >> (row - 64)) & 1) != 0; }
  void Set(int32_t row) {
    if (row < 64) {
      low |= uint64_t{1} << row;
    } else {
      high |= uint64_t{1} << (row - 64);
    }
  }
  void Clear(int32_t row) {
    if (row < 64) {
      low &= ~(uint64_t{1} << row);
    } else {
      high &= ~(uint64_t{1} << (row - 64));
    }
  }
  RowMask128 operator&(RowMask128 other) const { return {low & other.low, high & other.high}; }

  int32_t FirstFrom(int32_t start) const {
    if (start < 64) {
      const uint64_t ahead = low & (~uint64_t{0} << start);
      if (ahead != 0) return std::countr_zero(ahead);
      if (high != 0) return 64 + std::countr_zero(high);
      return std::countr_zero(low);
    }
    const uint64_t ahead = high & (~uint64_t{0} << (start - 64));
    if (ahead != 0) return 64 + std::countr_zero(ahead);
    if (low != 0) return std::countr_zero(low);
    return 64 + std::countr_zero(high);
  }
};

}  // namespace yobina
