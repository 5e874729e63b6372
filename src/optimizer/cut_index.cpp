#include "optimizer/cut_index.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "optimizer/forced_run.h"

namespace yobina {

void CutTableIndex::Build(const TLengthTable& cutTable, int32_t rowCount, int32_t kerf, int32_t margin,
                          int64_t largestFree) {
  rowCount_ = std::clamp(rowCount, 0, kTableCapacity);
  margin_ = margin;
  largestFree_ = largestFree;

  sortedRows_ = true;
  for (int32_t k = 1; k <= rowCount_; ++k) {
    pieceStep_[k] = static_cast<int64_t>(cutTable[k].Length) + kerf;
    minFree_[k] = static_cast<int64_t>(cutTable[k].Length) - margin;
    sortedRows_ = sortedRows_ && (k == 1 || cutTable[k - 1].Length <= cutTable[k].Length);
  }

  longForcedRunsPossible_ = false;
  for (int32_t k = 1; k <= rowCount_; ++k) {
    if (pieceStep_[k] < 0) continue;
    const int64_t most = std::max(cutTable[k].Count, cutTable[k].Remaining);
    longForcedRunsPossible_ = longForcedRunsPossible_ || ForcedRun(largestFree, most, cutTable[k].Length,
                                                                   pieceStep_[k], margin) >= kForcedRunMin;
  }

  std::array<int32_t, kTableCapacity> rows{};
  std::iota(rows.begin(), rows.begin() + rowCount_, 1);
  std::stable_sort(rows.begin(), rows.begin() + rowCount_,
                   [&](int32_t a, int32_t b) { return cutTable[a].Length < cutTable[b].Length; });
  fitsAllFrom_ = rowCount_ == 0 ? 0 : static_cast<int64_t>(cutTable[rows[rowCount_ - 1]].Length) - margin;
  shortest_[0] = {};
  for (int32_t i = 0; i < rowCount_; ++i) {
    sortedLengths_[i] = cutTable[rows[i]].Length;
    shortest_[i + 1] = shortest_[i];
    shortest_[i + 1].Set(rows[i]);
  }

  fitTableSize_ = static_cast<int32_t>(std::clamp<int64_t>(largestFree + 1, 0, kFitTableSize));
  int32_t fitting = SearchFitCount(static_cast<int64_t>(margin) - 1);
  for (int32_t free = 0; free < fitTableSize_; ++free) {
    while (fitting < rowCount_ && sortedLengths_[fitting] <= static_cast<int64_t>(free) + margin) ++fitting;
    fitCount_[free] = static_cast<uint8_t>(fitting);
  }
}

int32_t CutTableIndex::SearchFitCount(int64_t limit) const {
  const auto end = sortedLengths_.begin() + rowCount_;
  return static_cast<int32_t>(
      std::upper_bound(sortedLengths_.begin(), end, limit,
                       [](int64_t value, int32_t length) { return value < static_cast<int64_t>(length); }) -
      sortedLengths_.begin());
}

}  // namespace yobina
