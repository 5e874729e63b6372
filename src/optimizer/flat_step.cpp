#include "optimizer/flat_step.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace yobina {

namespace {

int32_t Capped(int64_t value) {
  return static_cast<int32_t>(std::min<int64_t>(value, int64_t{FlatStep::kMaxBarLength} + 1));
}

}  // namespace

bool FlatStep::StartRun(const CutTableIndex& index) {
  if (!index.SortedRows() || index.RowCount() > kMaxRows) return false;
  rowCount_ = index.RowCount();
  rows_[kNoRow] = {{std::numeric_limits<int32_t>::max(), 0}, 0};
  int64_t leastNeed = std::numeric_limits<int64_t>::max();
  int64_t leastStep = std::numeric_limits<int64_t>::max();
  for (int32_t k = 1; k <= rowCount_; ++k) {
    const int64_t need = index.MinFree()[k];
    const int64_t step = index.PieceStep(k);
    if (need < 1 || step < 1) return false;
    rows_[k].piece = {Capped(need), Capped(step)};
    leastNeed = std::min(leastNeed, need);
    leastStep = std::min(leastStep, step);
  }
  // Every piece takes at least leastStep, and the last one still needs leastNeed.
  longestBar_ = std::min<int64_t>(leastNeed + (kMaxAttemptPieces - 1) * leastStep, kMaxBarLength);
  return true;
}

bool FlatStep::Prepare(const TLengthTable& cut, uint64_t needed, int64_t longestBar) {
  needed_ = needed;
  lowestRow_ = std::countr_zero(needed | (uint64_t{1} << kNoRow));
  lanes_ = 0;
  counterStart_ = 0;
  lowestLane_ = 0;
  lowestRanOut_ = 0;
  runOutBar_ = std::numeric_limits<int64_t>::max();
  for (int32_t k = 1; k <= rowCount_; ++k) rows_[k].increment = 0;
  for (uint64_t rest = needed; rest != 0; rest &= rest - 1) {
    const int32_t k = std::countr_zero(rest);
    // Only a row that fits more pieces on the longest bar than it needs can
    // run out inside an attempt: Remaining pieces leave the free length
    // its need. It gets an 8-bit counter that starts at 127 - Remaining, so
    // its bit 7 rises with the piece too many.
    const int32_t remaining = cut[k].Remaining;
    const int64_t runOutBar = rows_[k].piece.need + int64_t{remaining} * rows_[k].piece.step;
    if (longestBar < runOutBar) continue;
    if (lanes_ == kLanes || remaining > kMaxTightRemaining) return false;
    rows_[k].increment = uint64_t{1} << (8 * lanes_);
    counterStart_ |= static_cast<uint64_t>(127 - remaining) << (8 * lanes_);
    if (k == lowestRow_) {
      lowestLane_ = uint64_t{0xFF} << (8 * lanes_);
      lowestRanOut_ = uint64_t{127} << (8 * lanes_);
    }
    laneBit_[lanes_++] = uint64_t{1} << k;
    runOutBar_ = std::min(runOutBar_, runOutBar);
  }
  FillTable(needed, full_);
  // Only a counted lowest row can run out.
  if (lowestLane_ != 0) FillTable(needed & ~(uint64_t{1} << lowestRow_), reduced_);
  return true;
}

void FlatStep::FillTable(uint64_t needed, Table& table) const {
  // Backwards, so each start row takes the next needed row's entry; past the
  // last needed row the search wraps to the lowest.
  const int32_t lowest = std::countr_zero(needed | (uint64_t{1} << kNoRow));
  int32_t next = lowest;
  for (int32_t h = rowCount_; h >= 1; --h) {
    next += (h - next) & -static_cast<int32_t>(needed >> h & 1);  // without a branch
    table.pieces[h] = rows_[next].piece;
    table.increments[h] = rows_[next].increment;
  }
  table.pieces[0] = rows_[lowest].piece;
  table.increments[0] = rows_[lowest].increment;
}

const FlatRow* FlatStep::ExactPick(int32_t h, int64_t free, uint64_t counters) const {
  // Bit 7 of each counter byte that reads 127: that row has all its pieces.
  constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  const uint64_t differs = counters ^ kLow7;
  const uint64_t ranOut = ~(((differs & kLow7) + kLow7) | differs | kLow7);
  // Over every lane, without a branch on how many ran out (unused lanes never read 127).
  uint64_t ranOutRows = 0;
  for (int32_t lane = 0; lane < kLanes; ++lane) {
    ranOutRows |= laneBit_[lane] & (uint64_t{0} - (ranOut >> (8 * lane + 7) & 1));
  }
  const uint64_t needed = needed_ & ~ranOutRows;
  const int32_t shortest = std::countr_zero(needed | (uint64_t{1} << kNoRow));
  if (free < rows_[shortest].piece.need) return nullptr;
  const int32_t next = std::countr_zero((needed & (~uint64_t{0} << h)) | (uint64_t{1} << kNoRow));
  return free >= rows_[next].piece.need ? &rows_[next] : &rows_[shortest];
}

}  // namespace yobina
