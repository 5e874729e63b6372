// The bar pattern generator. Each piece placed costs a draw and a few mask
// operations: the rows a free length fits come from the cut-table index, the
// rows still needing pieces are a mask, and the cyclic scan from the drawn
// start row is a bit search.
#include <algorithm>
#include <type_traits>

#include "optimizer/forced_run.h"
#include "optimizer/optimizer.h"

namespace yobina {

namespace {

// With no row needing pieces the attempt still draws once more while the
// free length plus margin reaches this value.
constexpr int64_t kNoShortestPiece = 999999;
constexpr uint32_t kStartDrawRange = 99999;

// The rows among the `count` shortest; in a sorted one-word table they are rows 1..count.
template <class Mask, bool kSortedRows>
Mask Fitting(const CutTableIndex& index, int32_t count) {
  if constexpr (kSortedRows && std::is_same_v<Mask, RowMask64>) {
    return {(uint64_t{2} << count) - 2};
  } else {
    return index.Shortest<Mask>(count);
  }
}

}  // namespace

void Optimizer::FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin, int32_t attempts) {
  if (job.CutCount <= 0) return;
  index_.Build(job.CutTable, job.CutCount, kerf, margin, job.StockTable[stockRow].Length);
  FillBarIndexed(job, stockRow, attempts, NeededRows(job));
}

RowMask128 Optimizer::NeededRows(const TJob& job) const {
  RowMask128 needed{};
  for (int32_t k = 1; k <= index_.RowCount(); ++k) {
    if (job.CutTable[k].Remaining > 0) needed.Set(k);
  }
  return needed;
}

void Optimizer::FillBarIndexed(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed) {
  const RowMask64 narrow{needed.low};
  if (index_.RowCount() > RowMask64::kMaxRow) {
    FillBarWith<RowMask128, false, false, false>(job, stockRow, attempts, needed);
  } else if (!index_.FreeOnlyShrinks()) {
    FillBarWith<RowMask64, false, false, false>(job, stockRow, attempts, narrow);
  } else if (index_.LongForcedRunsPossible()) {
    FillBarWith<RowMask64, false, true, true>(job, stockRow, attempts, narrow);
  } else if (index_.SortedRows()) {
    FillBarWith<RowMask64, true, true, false>(job, stockRow, attempts, narrow);
  } else {
    FillBarWith<RowMask64, false, true, false>(job, stockRow, attempts, narrow);
  }
}

template <class Mask, bool kSortedRows, bool kFreeOnlyShrinks, bool kForcedRuns>
void Optimizer::FillBarWith(const TJob& job, int32_t stockRow, int32_t attempts, Mask neededAtStart) {
  const TLengthRow* cut = job.CutTable.data();
  const CutTableIndex& index = index_;
  const FastModulo startRow = index.StartRowModulo();
  const int64_t* pieceStep = index.PieceSteps();
  const uint8_t* fitTable = index.FitTable();
  const int64_t fitTableSize = index.FitTableSize();
  auto fitting = [&](int64_t free) {
    const int32_t count = free >= 0 && free < fitTableSize ? fitTable[free] : index.FitCount(free);
    return Fitting<Mask, kSortedRows>(index, count);
  };

  const int32_t stockLength = job.StockTable[stockRow].Length;
  // Before the first piece the shortest needed length counts as 0, so a
  // start row is drawn unless free + margin is negative.
  const bool drawsFirst = static_cast<int64_t>(stockLength) + index.Margin() >= 0;
  const Mask fitAtStart = drawsFirst ? neededAtStart & fitting(stockLength) : Mask{};

  // The loop keeps the seed and its counters in locals: the stores into the
  // piece counts would otherwise force them back to memory at every piece.
  uint32_t seed = seed_;
  int32_t countdown = pollCountdown_;
  int32_t placed = placedCount_;
  auto drawStartRow = [&seed, startRow] {
    seed = seed * 134775813u + 1u;
    return static_cast<int32_t>(
               startRow(static_cast<uint32_t>((static_cast<uint64_t>(seed) * kStartDrawRange) >> 32))) +
           1;
  };
  auto pollStops = [&] {
    seed_ = seed;
    placedCount_ = placed;
    const bool stop = PollRun();
    countdown = pollCountdown_;
    return stop;
  };

  int32_t* pieceCount = attemptPattern_.PieceCount.data();
  for (int32_t attempt = 0; attempt < attempts; ++attempt) {
    if (--countdown <= 0 && pollStops()) return;
    if (placed <= kPlacedCapacity) {
      for (int32_t i = 0; i < placed; ++i) pieceCount[placedRows_[i]] = 0;
    } else {
      std::fill(attemptPattern_.PieceCount.begin(), attemptPattern_.PieceCount.end(), 0);
    }
    placed = 0;

    int64_t free = stockLength;
    if (drawsFirst) {
      Mask needed = neededAtStart;
      Mask fit = fitAtStart;
      int32_t start = drawStartRow();
      while (!fit.Empty()) {
        const int32_t k = fit.FirstFrom(start);
        if constexpr (kForcedRuns) {
          // A long forced run (tiny pieces in great numbers) costs a seed jump, not a draw per piece.
          if (fit.Single()) {
            const int64_t run = ForcedRun(free, cut[k].Remaining - pieceCount[k], cut[k].Length, pieceStep[k],
                                          index.Margin());
            if (run >= kForcedRunMin) {
              seed = AdvanceSeed(seed, run - 1);  // one draw per piece; this piece's is done
              pieceCount[k] += static_cast<int32_t>(run - 1);
              free = std::max<int64_t>(free - (run - 1) * pieceStep[k], 0);
            }
          }
        }
        if (placed < kPlacedCapacity) {
          placedRows_[placed++] = static_cast<uint8_t>(k);
        } else {
          placed = kPlacedCapacity + 1;  // too many to list: the next attempt clears every row
        }
        if (++pieceCount[k] >= cut[k].Remaining) needed.Clear(k);
        free -= pieceStep[k];
        if constexpr (kFreeOnlyShrinks) {
          free = std::max<int64_t>(free, 0);
        } else {
          free = std::clamp<int64_t>(free, 0, kMaxFreeLength);
        }
        if (needed.Empty()) {
          if (free + index.Margin() >= kNoShortestPiece) drawStartRow();
          break;
        }
        fit = needed & fitting(free);
        if (fit.Empty()) break;
        if (--countdown <= 0 && pollStops()) return;
        start = drawStartRow();
      }
    }
    attemptPattern_.StockRow = stockRow;
    attemptPattern_.Leftover = static_cast<double>(free);
    attemptPattern_.LeftoverPercent = static_cast<double>(100 * free) / static_cast<double>(stockLength);
    if (attemptPattern_.LeftoverPercent < bestPattern_.LeftoverPercent) bestPattern_ = attemptPattern_;
  }
  seed_ = seed;
  pollCountdown_ = countdown;
  placedCount_ = placed;
}

bool Optimizer::PollRun() {
  pollCountdown_ = kPollInterval;
  if (progress_ == nullptr) return false;
  constexpr auto kYieldInterval = std::chrono::milliseconds(50);
  if (std::chrono::steady_clock::now() - lastYield_ >= kYieldInterval) {
    progress_->YieldToWindow();
    lastYield_ = std::chrono::steady_clock::now();
  }
  return stopRequested_;
}

}  // namespace yobina
