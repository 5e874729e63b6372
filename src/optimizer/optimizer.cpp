// The trial driver: builds whole plans pattern by pattern and keeps the best.
#include "optimizer/optimizer.h"

#include <algorithm>
#include <limits>
#include <span>
#include <utility>

#include "plan/plan_totals.h"
#include "text/numeric.h"

namespace yobina {

namespace {

constexpr double kNoPlanRate = 9999;
constexpr double kNoPatternPercent = 999;
constexpr int32_t kNoStockLength = 99999;
constexpr int32_t kBarCountStart = 99999;
constexpr int32_t kShortStockAttempts = 200;
constexpr int32_t kStockRowAttempts = 10;
constexpr int32_t kEarlyStopTrialBound = 50;
constexpr double kEarlyStopShare = 0.05;

// exact/job_model.cpp has the same clamp; the two become one when that folder is next changed.
int32_t RowsInUse(int32_t count) {
  return std::clamp(count, 0, kTableCapacity);
}

// The largest Length among rows with Remaining > 0 (negative lengths included), 0 when there is none.
int64_t LongestRemaining(const TLengthTable& table, int32_t count, bool ascending) {
  if (ascending) {
    for (int32_t k = count; k >= 1; --k) {
      if (table[k].Remaining > 0) return table[k].Length;
    }
    return 0;
  }
  constexpr int64_t kNone = std::numeric_limits<int64_t>::min();
  int64_t longest = kNone;
  for (int32_t k = 1; k <= count; ++k) {
    longest = std::max(longest, table[k].Remaining > 0 ? int64_t{table[k].Length} : kNone);
  }
  return longest == kNone ? 0 : longest;
}

// The first of the shortest stock rows with bars left and a length below
// the short-stock limit and kNoStockLength (row 0's length), 0 when there is none.
int32_t ShortStockRow(const TJob& job, int32_t stockCount, bool ascending) {
  const TLengthTable& stock = job.StockTable;
  if (ascending) {
    // The first row with bars left is the shortest of them.
    for (int32_t k = 1; k <= stockCount; ++k) {
      if (stock[k].Remaining <= 0) continue;
      return stock[k].Length < job.SmallStockLimit && stock[k].Length < stock[0].Length ? k : 0;
    }
    return 0;
  }
  int32_t chosen = 0;
  for (int32_t k = 1; k <= stockCount; ++k) {
    const TLengthRow& row = stock[k];
    if (row.Remaining > 0 && row.Length < job.SmallStockLimit && row.Length < stock[chosen].Length)
      chosen = k;
  }
  return chosen;
}

// Clears the pointer to the caller's hooks however the Run ends.
class RunScope {
 public:
  RunScope(TrialProgress*& slot, TrialProgress& progress) : slot_(slot) { slot_ = &progress; }
  ~RunScope() { slot_ = nullptr; }
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;

 private:
  TrialProgress*& slot_;
};

}  // namespace

void Optimizer::ResetBestPattern() {
  bestPattern_.StockRow = 0;
  bestPattern_.LeftoverPercent = kNoPatternPercent;
}

void Optimizer::RunTrials(TJob& job, int32_t trials, TrialProgress& progress) {
  seed_ = 0;
  stopRequested_ = false;
  attemptPattern_ = {};  // so that plans never carry counts of an earlier, longer cut table
  unreplayed_ = {};

  const int32_t stockCount = RowsInUse(job.StockCount);
  const int32_t cutCount = RowsInUse(job.CutCount);
  const double memberLength = MemberLengthOf(job);
  bestPlan_.PatternCount = 0;
  // A plan without patterns uses no stock: totals left from an earlier Run
  // would turn up in a report printed after a Run that found no plan.
  bestPlan_.StockLength = 0;
  bestPlan_.LeftoverLength = 0;
  bestPlan_.LeftoverRate = kNoPlanRate;
  bestPlan_.LossRate = kNoPlanRate;
  bestPlan_.MemberLength = memberLength;
  currentPlan_.MemberLength = memberLength;
  if (cutCount == 0) return;

  int64_t longestStock = 0;
  for (int32_t k = 1; k <= stockCount; ++k) {
    longestStock = std::max<int64_t>(longestStock, job.StockTable[k].Length);
  }
  index_.Build(job.CutTable, cutCount, job.Kerf, job.Margin, longestStock);
  stockAscending_ =
      std::is_sorted(job.StockTable.begin() + 1, job.StockTable.begin() + 1 + stockCount,
                     [](const TLengthRow& a, const TLengthRow& b) { return a.Length < b.Length; });
  draws_.Reset(seed_, static_cast<uint32_t>(cutCount));
  flatRun_ = step_.StartRun(index_);

  RunScope scope(progress_, progress);
  RunAllTrials(job, trials, stockCount, cutCount);
  seed_ = draws_.Seed();
}

void Optimizer::RunAllTrials(TJob& job, int32_t trials, int32_t stockCount, int32_t cutCount) {
  TrialProgress& progress = *progress_;
  lastCheckpoint_ = std::chrono::steady_clock::now();
  pollCountdown_ = kPollInterval;
  for (int32_t trial = 1; trial <= trials; ++trial) {
    BuildTrialPlan(job, trial, stockCount, cutCount);
    if (stopRequested_) return;  // an interrupted trial is no plan

    if (currentPlan_.PatternCount != 0) {
      TCutPlan& plan = currentPlan_;
      plan.LeftoverRate = LeftoverRateOf(plan.LeftoverLength, plan.StockLength);
      plan.LossRate = LossRateOf(plan.StockLength, plan.MemberLength);
      if (bestPlan_.LossRate > plan.LossRate) bestPlan_ = plan;
      progress.ReportTrialProgress(plan.LossRate, trial, bestPlan_.LossRate);
    }
    progress.TrialEnded(trial);
    progress.Checkpoint();
    lastCheckpoint_ = std::chrono::steady_clock::now();
    if (stopRequested_) return;
  }
}

void Optimizer::BuildTrialPlan(TJob& job, int32_t trial, int32_t stockCount, int32_t cutCount) {
  TLengthTable& stock = job.StockTable;
  TLengthTable& cut = job.CutTable;
  for (int32_t k = 1; k <= stockCount; ++k) stock[k].Remaining = stock[k].Count;
  for (int32_t k = 1; k <= cutCount; ++k) cut[k].Remaining = cut[k].Count;
  currentPlan_.PatternCount = 0;
  currentPlan_.StockLength = 0;
  currentPlan_.LeftoverLength = 0;

  int64_t piecesLeft = 0;
  do {
    const int64_t longestStock = LongestRemaining(stock, stockCount, stockAscending_);
    const int64_t longestPiece = LongestRemaining(cut, cutCount, index_.SortedRows());
    if (longestStock + job.Margin < longestPiece) {
      currentPlan_.PatternCount = 0;
      return;
    }

    ResetBestPattern();
    stock[0].Length = kNoStockLength;
    const int32_t chosen = ShortStockRow(job, stockCount, stockAscending_);
    const RowMask128 needed = NeededRows(job);
    PrepareStep(job, needed, longestStock);
    if (chosen != 0) {
      FillBars(job, std::span(&chosen, 1), kShortStockAttempts, needed);
    } else {
      std::array<int32_t, kTableCapacity> rows;
      size_t rowCount = 0;
      for (int32_t k = 1; k <= stockCount; ++k) {
        rows[rowCount] = k;
        rowCount += static_cast<size_t>(stock[k].Remaining > 0);
      }
      if (trial >= kEarlyStopTrialBound) {
        FillBars(job, std::span(rows.data(), rowCount), kStockRowAttempts, needed);
      } else {
        // Early trials stop at the first bar whose best pattern wastes little.
        for (size_t i = 0; i < rowCount && !stopRequested_; ++i) {
          FillBars(job, std::span(&rows[i], 1), kStockRowAttempts, needed);
          const double barLength = stock[bestPattern_.StockRow].Length;
          if (bestPattern_.Leftover / RealMax(0.1, barLength) < kEarlyStopShare) break;
        }
      }
    }
    // A step that adds no pattern would repeat forever; it fails the trial,
    // as does a 101st pattern, which the plan cannot hold.
    if (stopRequested_ || !AddBestPattern(job, cutCount, piecesLeft)) {
      currentPlan_.PatternCount = 0;
      return;
    }
  } while (piecesLeft > 0);
}

bool Optimizer::AddBestPattern(TJob& job, int32_t cutCount, int64_t& piecesLeft) {
  if (bestPattern_.StockRow == 0) return false;
  TLengthRow& bar = job.StockTable[bestPattern_.StockRow];
  int32_t bars = kBarCountStart;
  for (int32_t k = 1; k <= cutCount; ++k) {
    const int32_t pieces = bestPattern_.PieceCount[k];
    if (pieces > 0) bars = std::min(bars, job.CutTable[k].Remaining / pieces);
  }
  bars = std::min(bar.Remaining, bars);
  if (bars <= 0 || currentPlan_.PatternCount >= kMaxPatterns) return false;

  TCutPattern& added = currentPlan_.Patterns[++currentPlan_.PatternCount];
  added = bestPattern_;
  added.BarCount = bars;
  currentPlan_.StockLength += static_cast<double>(static_cast<int64_t>(bar.Length) * bars);
  currentPlan_.LeftoverLength += bars * bestPattern_.Leftover;
  bar.Remaining -= bars;
  piecesLeft = 0;
  for (int32_t k = 1; k <= cutCount; ++k) {
    TLengthRow& row = job.CutTable[k];
    row.Remaining -= bestPattern_.PieceCount[k] * bars;
    piecesLeft += row.Remaining;
  }
  return true;
}

void OrderPlanPatterns(TCutPlan& plan) {
  auto& patterns = plan.Patterns;
  const int32_t n = std::clamp(plan.PatternCount, 0, kMaxPatterns);
  auto swapPatterns = [&](int32_t a, int32_t b) {
    patterns[0] = patterns[a];
    patterns[a] = patterns[b];
    patterns[b] = patterns[0];
  };
  for (int32_t i = 1; i <= n - 1; ++i) {
    for (int32_t j = i + 1; j <= n; ++j) {
      if (patterns[i].BarCount < patterns[j].BarCount) swapPatterns(i, j);
    }
  }
  for (int32_t i = 1; i <= n - 1; ++i) {
    for (int32_t j = 1; j <= n - i; ++j) {
      if (patterns[j].StockRow > patterns[j + 1].StockRow) {
        swapPatterns(j, j + 1);
      }
    }
  }
}

}  // namespace yobina
