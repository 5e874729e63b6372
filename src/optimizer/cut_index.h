// What the pattern generator's inner loop needs of the cut table, prepared
// once per Run so that placing a piece costs a few word operations.
#pragma once

#include <array>
#include <cstdint>

#include "job/job.h"
#include "optimizer/row_mask.h"

namespace yobina {

// x % d for x < 2^17 and d in 1..2^15, by two 32-bit multiplications: with
// 32 fraction bits the rounded-up reciprocal is exact for 17 + 15 bits.
struct FastModulo {
  uint64_t magic = 0;  // 2^32 / d rounded up, 2^32 for d = 1
  uint64_t divisor = 1;

  static constexpr uint32_t kMaxValue = (1u << 17) - 1;
  static constexpr uint32_t kMaxDivisor = 1u << 15;

  static FastModulo For(uint32_t d) { return {((uint64_t{1} << 32) + d - 1) / d, d}; }
  uint32_t operator()(uint32_t value) const {
    const uint64_t fraction = (magic * value) & 0xFFFFFFFFu;
    return static_cast<uint32_t>((fraction * divisor) >> 32);
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
  // The longest bar the index was built for.
  int64_t LargestFree() const { return largestFree_; }

  // Some row that never adds free length could be the only fitting row for
  // kForcedRunMin pieces in a row.
  bool LongForcedRunsPossible() const { return longForcedRunsPossible_; }

  // Length plus kerf of a row: what placing one piece takes from the bar.
  int64_t PieceStep(int32_t row) const { return pieceStep_[row]; }

  // How many rows have a Length <= free + margin.
  int32_t FitCount(int64_t free) const {
    if (free >= 0 && free < fitTableSize_) return fitCount_[free];
    if (free >= fitsAllFrom_) return rowCount_;  // huge bars: no search per piece
    return SearchFitCount(free + margin_);
  }

  // The rows a free length fits, whatever the row order.
  RowMask128 Fitting(int64_t free) const { return shortest_[FitCount(free)]; }

  // Free length a row needs to fit (Length - margin).
  const int64_t* MinFree() const { return minFree_.data(); }

  const int64_t* PieceSteps() const { return pieceStep_.data(); }

 private:
  static constexpr int32_t kFitTableSize = 1 << 16;

  int32_t SearchFitCount(int64_t limit) const;

  int32_t rowCount_ = 0;
  int32_t margin_ = 0;
  bool sortedRows_ = false;
  bool longForcedRunsPossible_ = false;
  int64_t largestFree_ = 0;
  std::array<int64_t, kTableCapacity + 1> pieceStep_{};
  std::array<int64_t, kTableCapacity + 1> minFree_{};
  std::array<int32_t, kTableCapacity> sortedLengths_{};
  std::array<RowMask128, kTableCapacity + 1> shortest_{};
  int32_t fitTableSize_ = 0;
  int64_t fitsAllFrom_ = 0;  // the free length from which every row fits
  std::array<uint8_t, kFitTableSize> fitCount_{};
};

}  // namespace yobina
