// Sets of cut-table rows as bit masks: bit k stands for row k.
#pragma once

#include <bit>
#include <cstdint>

namespace yobina {

// Rows 1..63 fit one word, the common case (the input grid offers 35 rows).
struct RowMask64 {
  uint64_t bits = 0;

  static constexpr int32_t kMaxRow = 63;

  bool Empty() const { return bits == 0; }
  bool Single() const { return bits != 0 && (bits & (bits - 1)) == 0; }
  void Set(int32_t row) { bits |= uint64_t{1} << row; }
  void Clear(int32_t row) { bits &= ~(uint64_t{1} << row); }
  RowMask64 operator&(RowMask64 other) const { return {bits & other.bits}; }

  // The first row at or after `start`, wrapping to the lowest row; the mask must not be empty.
  int32_t FirstFrom(int32_t start) const {
    const uint64_t ahead = bits & (~uint64_t{0} << start);
    return std::countr_zero(ahead != 0 ? ahead : bits);
  }
};

// Rows 1..127, for tables past 63 rows.
struct RowMask128 {
  uint64_t low = 0;
  uint64_t high = 0;

  static constexpr int32_t kMaxRow = 127;

  bool Empty() const { return (low | high) == 0; }
  bool Single() const { return std::popcount(low) + std::popcount(high) == 1; }
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
