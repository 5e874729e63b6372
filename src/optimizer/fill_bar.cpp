// The bar pattern generator: which way a job takes, and the exact way that
// every job can take. Each piece placed costs a draw and a few mask
// operations: the rows a free length fits come from the cut-table index, the
// rows still needing pieces are a mask, and the cyclic scan from the drawn
// start row is a bit search.
#include <algorithm>
#include <limits>
#include <span>

#include "optimizer/forced_run.h"
#include "optimizer/optimizer.h"

namespace yobina {

namespace {

// With no row needing pieces the attempt still draws once more while the
// free length plus margin reaches this value.
constexpr int64_t kNoShortestPiece = 999999;
constexpr int64_t kNoLimit = std::numeric_limits<int64_t>::max();
// Sums of lengths stop growing here, far past any free length.
constexpr int64_t kSumLimit = int64_t{1} << 62;

int64_t SaturatingAdd(int64_t a, int64_t b) {
  return std::min(a + b, kSumLimit);  // both in 0..kSumLimit
}

}  // namespace

void Optimizer::FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin, int32_t attempts) {
  if (job.CutCount <= 0) return;
  index_.Build(job.CutTable, job.CutCount, kerf, margin, job.StockTable[stockRow].Length);
  draws_.Reset(seed_, static_cast<uint32_t>(index_.RowCount()));
  flatRun_ = step_.StartRun(index_);
  const RowMask128 needed = NeededRows(job);
  PrepareStep(job, needed, job.StockTable[stockRow].Length);
  FillBars(job, std::span(&stockRow, 1), attempts, needed);
  seed_ = draws_.Seed();
}

RowMask128 Optimizer::NeededRows(const TJob& job) const {
  // Without branches: whether a row is still needed is a coin toss.
  RowMask128 needed{};
  const int32_t rows = index_.RowCount();
  for (int32_t k = 1; k <= std::min(rows, 63); ++k) {
    needed.low |= static_cast<uint64_t>(job.CutTable[k].Remaining > 0) << k;
  }
  for (int32_t k = 64; k <= rows; ++k) {
    needed.high |= static_cast<uint64_t>(job.CutTable[k].Remaining > 0) << (k - 64);
  }
  return needed;
}

void Optimizer::PrepareStep(const TJob& job, RowMask128 needed, int64_t longestBar) {
  flatStep_ = flatRun_ && !needed.Empty() &&
              step_.Prepare(job.CutTable, needed.low, std::min(longestBar, step_.LongestBar()));
}

// The flat loop (fill_bar_flat.cpp) gives the same patterns and draws as the
// exact way, several times faster, where its shortcuts hold: a sorted table
// of at most 62 rows in which every piece needs and takes at least 1 mm
// (FlatStep::StartRun), few rows that can run out on a bar in this step
// (FlatStep::Prepare), and a bar of at least 1 mm on which the free length
// plus margin stays below kNoShortestPiece, so an attempt never ends with the
// extra draw, and that takes at most FlatStep::kMaxAttemptPieces pieces.
// Everything else, including huge bars, tiny pieces in great numbers,
// negative lengths and pieces that add free length, goes the exact way.
Optimizer::BarPath Optimizer::PathFor(const TJob& job, int32_t stockRow) const {
  const int64_t stockLength = job.StockTable[stockRow].Length;
  if (!flatStep_ || stockLength < 1 || stockLength > step_.LongestBar() ||
      stockLength + index_.Margin() >= kNoShortestPiece) {
    return BarPath::kExact;
  }
  if (stockLength < step_.Lowest().piece.need) return BarPath::kNothingFits;
  // On a bar where no row can run out in an attempt the counters drop out.
  if (step_.CounterStart() != 0 && stockLength >= step_.RunOutBar()) return BarPath::kFlatCounted;
  return BarPath::kFlat;
}

void Optimizer::FillBars(const TJob& job, std::span<const int32_t> stockRows, int32_t attempts,
                         RowMask128 needed) {
  if (attempts <= 0) return;
  while (!stockRows.empty() && !stopRequested_) {
    size_t done = 1;
    switch (PathFor(job, stockRows.front())) {
      case BarPath::kExact:
        FillBarExact(job, stockRows.front(), attempts, needed);
        break;
      case BarPath::kNothingFits:
        FillBarNothingFits(job, stockRows.front(), attempts);
        break;
      case BarPath::kFlat:
        done = FlatDraws<false>(job, stockRows, attempts, needed);
        break;
      case BarPath::kFlatCounted:
        done = FlatDraws<true>(job, stockRows, attempts, needed);
        break;
    }
    stockRows = stockRows.subspan(done);
  }
}

void Optimizer::FillBarExact(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  const int32_t stockLength = job.StockTable[stockRow].Length;
  TailJump jump = PlanTailJump(job, needed, stockLength);
  for (int32_t attempt = 0; attempt < attempts; ++attempt) {
    if (--pollCountdown_ <= 0 && PollRun()) return;
    int64_t free = 0;
    if (!ExactAttempt(job, stockLength, needed, jump, free)) return;
    const double percent = LeftoverPercent(free, stockLength);
    if (percent < bestPattern_.LeftoverPercent) {
      KeepAttempt(stockRow, free, percent);
      jump = PlanTailJump(job, needed, stockLength);
    }
  }
}

// Once every needed row fits and keeps fitting, an attempt places all the
// pieces still needed, one draw each, whatever the draws. When no needed
// piece shortens the bar, the free length only grows: every row keeps fitting
// from the longest row's need on, and the end is exact. Otherwise the pieces
// that shorten it could take at most their total; from that total above the
// longest need, kNoShortestPiece and BeatingFreeBound on, the attempt can
// neither stop early nor be kept, and ends with the extra draw. This is what
// keeps jobs of billions of tiny or free-length-adding pieces from placing
// them one by one.
Optimizer::TailJump Optimizer::PlanTailJump(const TJob& job, RowMask128 needed, int32_t stockLength) const {
  int64_t shortening = 0;
  int64_t longestNeed = std::numeric_limits<int64_t>::min();
  for (int32_t k = 1; k <= index_.RowCount(); ++k) {
    if (!needed.Has(k)) continue;
    const int64_t step = index_.PieceStep(k);
    if (step > 0) shortening = SaturatingAdd(shortening, step * job.CutTable[k].Remaining);
    longestNeed = std::max(longestNeed, index_.MinFree()[k]);
  }
  if (longestNeed == std::numeric_limits<int64_t>::min()) return {kNoLimit, false};
  if (shortening == 0) return {std::max<int64_t>(longestNeed, 0), true};
  const int64_t bound =
      std::max({longestNeed, kNoShortestPiece - index_.Margin(), BeatingFreeBound(stockLength)});
  if (bound >= kSumLimit) return {kNoLimit, false};
  return {SaturatingAdd(shortening, std::max<int64_t>(bound, 0)), false};
}

int64_t Optimizer::PlaceRemaining(const TJob& job, RowMask128 needed, int64_t free, bool exact) {
  int32_t* pieceCount = attemptPattern_.PieceCount.data();
  int64_t pieces = 0;
  int64_t growth = 0;
  for (int32_t k = 1; k <= index_.RowCount(); ++k) {
    if (!needed.Has(k)) continue;
    const int64_t left = job.CutTable[k].Remaining - pieceCount[k];
    pieces += left;
    pieceCount[k] = job.CutTable[k].Remaining;
    const int64_t step = index_.PieceStep(k);
    if (step < 0) growth = SaturatingAdd(growth, -step * left);
  }
  if (exact) free = std::min(free + growth, kMaxFreeLength);
  // One draw a piece, the first taken; then the extra draw past kNoShortestPiece.
  draws_.Skip(static_cast<uint64_t>(pieces - 1));
  if (free + index_.Margin() >= kNoShortestPiece) draws_.Skip(1);
  return free;
}

bool Optimizer::ExactAttempt(const TJob& job, int32_t stockLength, RowMask128 neededAtStart,
                             const TailJump& jump, int64_t& free) {
  const TLengthRow* cut = job.CutTable.data();
  const int64_t* pieceStep = index_.PieceSteps();
  const int64_t margin = index_.Margin();
  int32_t* pieceCount = attemptPattern_.PieceCount.data();
  std::fill(pieceCount + 1, pieceCount + index_.RowCount() + 1, 0);

  free = stockLength;
  // Before the first piece the shortest needed length counts as 0, so a
  // start row is drawn unless free + margin is negative.
  if (free + margin < 0) return true;
  RowMask128 needed = neededAtStart;
  RowMask128 fit = needed & index_.Fitting(free);
  int32_t start = draws_.Next();
  while (!fit.Empty()) {
    if (free >= jump.free) {
      free = PlaceRemaining(job, needed, free, jump.exact);
      break;
    }
    const int32_t k = fit.FirstFrom(start);
    // A long forced run (tiny pieces in great numbers) costs a skip, not a draw per piece.
    if (index_.LongForcedRunsPossible() && pieceStep[k] >= 0 && fit.Single()) {
      const int64_t run =
          ForcedRun(free, cut[k].Remaining - pieceCount[k], cut[k].Length, pieceStep[k], margin);
      if (run >= kForcedRunMin) {
        draws_.Skip(static_cast<uint64_t>(run - 1));  // one draw per piece; this piece's is done
        pieceCount[k] += static_cast<int32_t>(run - 1);
        free = std::max<int64_t>(free - (run - 1) * pieceStep[k], 0);
      }
    }
    if (++pieceCount[k] >= cut[k].Remaining) needed.Clear(k);
    free = std::clamp<int64_t>(free - pieceStep[k], 0, kMaxFreeLength);
    if (needed.Empty()) {
      if (free + margin >= kNoShortestPiece) draws_.Next();
      break;
    }
    fit = needed & index_.Fitting(free);
    if (fit.Empty()) break;
    if (--pollCountdown_ <= 0 && PollRun()) return false;
    start = draws_.Next();
  }
  return true;
}

bool Optimizer::PollRun() {
  pollCountdown_ = kPollInterval;
  if (progress_ == nullptr) return false;
  constexpr auto kCheckpointInterval = std::chrono::milliseconds(50);
  if (std::chrono::steady_clock::now() - lastCheckpoint_ >= kCheckpointInterval) {
    progress_->Checkpoint();
    lastCheckpoint_ = std::chrono::steady_clock::now();
  }
  return stopRequested_;
}

}  // namespace yobina
