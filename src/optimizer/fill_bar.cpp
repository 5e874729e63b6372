// The bar pattern generator. Each piece placed costs a draw and a few mask
// operations: the rows a free length fits come from the cut-table index, the
// rows still needing pieces are a mask, and the cyclic scan from the drawn
// start row is a bit search. Sorted tables of up to 62 rows, the usual job,
// take a shorter way (FillBarSorted).
#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <type_traits>

#include "optimizer/forced_run.h"
#include "optimizer/optimizer.h"

namespace yobina {

namespace {

// With no row needing pieces the attempt still draws once more while the
// free length plus margin reaches this value.
constexpr int64_t kNoShortestPiece = 999999;
constexpr uint32_t kStartDrawRange = 99999;
static_assert(kStartDrawRange - 1 <= FastModulo::kMaxValue);

uint32_t NextSeed(uint32_t seed) {
  return seed * 134775813u + 1u;
}

// The start row, in 1..RowCount, that a draw giving `seed` yields.
int32_t StartRowOf(uint32_t seed, FastModulo rows) {
  return static_cast<int32_t>(
             rows(static_cast<uint32_t>((static_cast<uint64_t>(seed) * kStartDrawRange) >> 32))) +
         1;
}

// The next draw of the generator.
int32_t DrawStartRow(uint32_t& seed, FastModulo rows) {
  seed = NextSeed(seed);
  return StartRowOf(seed, rows);
}

// The generator's draws worked out one ahead, so that the start row of an
// attempt's first piece is ready when the previous attempt's end is known.
class StartRowDraws {
 public:
  StartRowDraws(uint32_t seed, FastModulo rows)
      : seed_(seed), aheadSeed_(NextSeed(seed)), rows_(rows), ahead_(StartRowOf(aheadSeed_, rows)) {}

  int32_t Next() {
    const int32_t row = ahead_;
    seed_ = aheadSeed_;
    aheadSeed_ = NextSeed(aheadSeed_);
    ahead_ = StartRowOf(aheadSeed_, rows_);
    return row;
  }
  // The seed after the draws taken so far.
  uint32_t Seed() const { return seed_; }

 private:
  uint32_t seed_;
  uint32_t aheadSeed_;
  FastModulo rows_;
  int32_t ahead_;
};

// The rows among the `count` shortest; in a sorted one-word table they are rows 1..count.
template <class Mask, bool kSortedRows>
Mask Fitting(const CutTableIndex& index, int32_t count) {
  if constexpr (kSortedRows && std::is_same_v<Mask, RowMask64>) {
    return {(uint64_t{2} << count) - 2};
  } else {
    return index.Shortest<Mask>(count);
  }
}

// cond ? a : b by masks, which the compiler cannot turn into a branch.
template <class T>
T Select(bool cond, T a, T b) {
  const T mask = static_cast<T>(-static_cast<T>(cond));
  return b ^ ((a ^ b) & mask);
}

// A 64-bit row mask with this bit set has a lowest row even when no real row is set.
constexpr int32_t kNoRow = 63;
constexpr uint64_t kNoRowBit = uint64_t{1} << kNoRow;

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
  } else if (index_.SortedRows() && index_.RowCount() < kNoRow) {
    FillBarSorted(job, stockRow, attempts, narrow.bits);
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
  auto drawStartRow = [&seed, startRow] { return DrawStartRow(seed, startRow); };
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
    ClearPieceCounts(placed);
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
        RecordPlaced(placed, k);
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
    const double percent = LeftoverPercent(free, stockLength);
    if (percent < bestPattern_.LeftoverPercent) KeepAttempt(stockRow, free, percent);
  }
  seed_ = seed;
  pollCountdown_ = countdown;
  placedCount_ = placed;
}

// The common case, a sorted table of at most 62 rows whose pieces never add
// free length: the rows a free length fits are a prefix of the table. The
// piece placed is then the first needed row from the start row when that one
// fits, else the shortest needed row, which is the lowest.
void Optimizer::FillBarSorted(const TJob& job, int32_t stockRow, int32_t attempts, uint64_t neededAtStart) {
  const TLengthRow* cut = job.CutTable.data();
  const int64_t* minFree = index_.MinFree();
  const int64_t* pieceStep = index_.PieceSteps();
  const int64_t margin = index_.Margin();
  const int32_t stockLength = job.StockTable[stockRow].Length;
  const bool drawsFirst = static_cast<int64_t>(stockLength) + margin >= 0;
  const int32_t shortestAtStart = std::countr_zero(neededAtStart | kNoRowBit);

  // No row here puts kForcedRunMin pieces on a bar: an attempt places at most
  // 63 pieces of a row, which a byte counts, and at most 62 x 63 pieces in
  // all, so looking at the clock between attempts is often enough.
  static_assert(kForcedRunMin <= 255);
  std::array<uint8_t, kNoRow + 1> pieceCount{};
  StartRowDraws draws(seed_, index_.StartRowModulo());
  int32_t countdown = pollCountdown_;
  int64_t beatingFree = BeatingFreeBound(stockLength);
  for (int32_t attempt = 0; attempt < attempts; ++attempt) {
    if (--countdown <= 0) {
      seed_ = draws.Seed();
      if (PollRun()) return;
      countdown = pollCountdown_;
    }
    // Four stores, where a loop over the rows the last attempt touched
    // would have its exit mispredicted at every attempt.
    pieceCount.fill(0);

    int64_t free = stockLength;
    if (drawsFirst) {
      uint64_t needed = neededAtStart;
      int32_t shortest = shortestAtStart;
      int64_t shortestMinFree = minFree[shortest];
      int64_t shortestStep = pieceStep[shortest];
      int32_t start = draws.Next();
      if (free >= shortestMinFree) {
        for (;;) {
          // `next` and its loads do not wait for the free length, which links
          // one piece to the next only through a compare, a conditional move
          // and a subtract. Whether `next` fits is random (one piece in four
          // does not): with two ?: on it the compiler would branch.
          const int32_t next = std::countr_zero((needed & (~uint64_t{0} << start)) | kNoRowBit);
          const int64_t nextStep = pieceStep[next];
          const bool nextFits = free >= minFree[next];
          free = std::max<int64_t>(free - (nextFits ? nextStep : shortestStep), 0);
          const int32_t k = Select(nextFits, next, shortest);
          --countdown;
          if (++pieceCount[k] >= cut[k].Remaining) {
            needed &= ~(uint64_t{1} << k);
            if (needed == 0) {
              if (free + margin >= kNoShortestPiece) draws.Next();
              break;
            }
            shortest = std::countr_zero(needed);
            shortestMinFree = minFree[shortest];
            shortestStep = pieceStep[shortest];
          }
          if (free < shortestMinFree) break;
          start = draws.Next();
        }
      }
    }
    if (free < beatingFree) {
      const double percent = LeftoverPercent(free, stockLength);
      if (percent < bestPattern_.LeftoverPercent) {
        std::copy(pieceCount.begin(), pieceCount.end(), attemptPattern_.PieceCount.begin());
        placedCount_ = kPlacedCapacity + 1;  // the other paths are to clear every row
        KeepAttempt(stockRow, free, percent);
        beatingFree = BeatingFreeBound(stockLength);
      }
    }
  }
  seed_ = draws.Seed();
  pollCountdown_ = countdown;
}

int64_t Optimizer::BeatingFreeBound(int32_t stockLength) const {
  constexpr int64_t kAll = std::numeric_limits<int64_t>::max();
  if (stockLength <= 0) return kAll;
  // Two above the exact bound: rounding moves a percentage far less than a
  // millimetre does. Past kMaxFreeLength (or NaN) every attempt is checked.
  const double bound = bestPattern_.LeftoverPercent * stockLength / 100 + 2;
  if (!(bound < static_cast<double>(kMaxFreeLength))) return kAll;
  return std::max<int64_t>(static_cast<int64_t>(bound), 0);
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
