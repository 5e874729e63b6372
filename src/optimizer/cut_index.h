// What the pattern generator's inner loop needs of the cut table, prepared
// once per Run so that placing a piece costs a few word operations.
#pragma once

#include <array>
#include <cstdint>

#include "job/job.h"
#include "optimizer/row_mask.h"

namespace yobina {

// x % d for a divisor d of 1..2^32-1, exact for every 32-bit x, by two multiplications.
struct FastModulo {
  uint64_t magic = 0;
  uint64_t divisor = 1;

  static FastModulo For(uint32_t d) { return {~uint64_t{0} / d + 1, d}; }
  uint32_t operator()(uint32_t value) const {
    const uint64_t fraction = magic * value;
    return static_cast<uint32_t>(
        ((fraction >> 32) * divisor + (((fraction & 0xFFFFFFFFu) * divisor) >> 32)) >> 32);
  }
};

class CutTableIndex {
 public:
  // Indexes cut rows 1..rowCount (at most kTableCapacity) for this kerf and
  // margin. Free lengths 0..largestFree are answered by a table lookup.
  void Build(const TLengthTable& cutTable, int32_t rowCount, int32_t kerf, int32_t margin,
             int64_t largestFree);

  int32_t RowCount() const { return rowCount_; }
  int32_t Margin() const { return margin_; }
  // Lengths ascending in row order: the rows a free length fits are then rows 1..FitCount.
  bool SortedRows() const { return sortedRows_; }
  // No piece plus kerf is negative, so placing a piece never adds free length.
  bool FreeOnlyShrinks() const { return freeOnlyShrinks_; }

  // Some row could be the only fitting row for kForcedRunMin pieces in a row.
  bool LongForcedRunsPossible() const { return longForcedRunsPossible_; }

  // Length plus kerf of a row: what placing one piece takes from the bar.
  int64_t PieceStep(int32_t row) const { return pieceStep_[row]; }

  // How many rows have a Length <= free + margin.
  int32_t FitCount(int64_t free) const {
    if (free >= 0 && free < fitTableSize_) return fitCount_[free];
    return SearchFitCount(free + margin_);
  }

  // The rows holding the `count` shortest lengths; whatever the row order,
  // the rows a free length fits are Shortest(FitCount(free)).
  template <class Mask>
  Mask Shortest(int32_t count) const;

  // x % RowCount() without a division.
  FastModulo StartRowModulo() const { return modulo_; }

  const int64_t* PieceSteps() const { return pieceStep_.data(); }
  // FitCount for free lengths 0..FitTableSize()-1.
  const uint8_t* FitTable() const { return fitCount_.data(); }
  int64_t FitTableSize() const { return fitTableSize_; }

 private:
  static constexpr int32_t kFitTableSize = 1 << 16;

  int32_t SearchFitCount(int64_t limit) const;

  int32_t rowCount_ = 0;
  int32_t margin_ = 0;
  bool sortedRows_ = false;
  bool freeOnlyShrinks_ = false;
  bool longForcedRunsPossible_ = false;
  FastModulo modulo_{};
  std::array<int64_t, kTableCapacity + 1> pieceStep_{};
  std::array<int32_t, kTableCapacity> sortedLengths_{};
  std::array<RowMask128, kTableCapacity + 1> shortest_{};
  int32_t fitTableSize_ = 0;
  std::array<uint8_t, kFitTableSize> fitCount_{};
};

template <>
inline RowMask64 CutTableIndex::Shortest<RowMask64>(int32_t count) const {
  return {shortest_[count].low};
}

template <>
inline RowMask128 CutTableIndex::Shortest<RowMask128>(int32_t count) const {
  return shortest_[count];
}

}  // namespace yobina
