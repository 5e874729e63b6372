// The randomized search for the cutting plan with the least loss.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>

#include "job/job.h"
#include "optimizer/cut_index.h"
#include "optimizer/cut_plan.h"

namespace yobina {

// Puts a plan's patterns in report order: by stock row, then bar count descending.
void OrderPlanPatterns(TCutPlan& plan);

// What the trial driver tells its caller while it works.
class TrialProgress {
 public:
  virtual ~TrialProgress() = default;
  // After every trial that produced a plan.
  virtual void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) = 0;
  // After every trial, and at most every ~50 ms inside a long one, so the
  // window can repaint. May call Optimizer::RequestStop(); must not start
  // another Run on the same optimizer.
  virtual void YieldToWindow() = 0;
};

// Holds the plans and the generator's tables (about 150 KB): one instance
// lives as long as the window, and BestPlan stays valid until the next Run.
class Optimizer {
 public:
  // 32-bit LCG draw in 0..n-1 (n > 0).
  uint32_t NextRandom(uint32_t n) {
    seed_ = seed_ * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(seed_) * n) >> 32);
  }

  // Best of `attempts` randomized fills of one bar of `stockRow`, kept in
  // BestPattern() when strictly better. Reads the job's cut table, which
  // must not be empty.
  void FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin, int32_t attempts);

  // Runs `trials` trials (at least 1) on a read and sorted job; the job's
  // Remaining fields and stock row 0 are working storage. BestPlan().PatternCount
  // is 0 when no trial found a plan. Same job, same result: the seed restarts at 0.
  // An empty cut list returns at once with no plan and calls no hook.
  void RunTrials(TJob& job, int32_t trials, TrialProgress& progress);

  // Puts BestPlan's patterns in report order: by stock row, then bar count descending.
  void OrderPatterns() { OrderPlanPatterns(bestPlan_); }

  // Ends the running Run within the current attempt (a few thousand pieces),
  // keeping the best plan of the finished trials; the interrupted trial is
  // dropped. RunTrials clears the flag when it starts.
  void RequestStop() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }

  const TCutPlan& BestPlan() const { return bestPlan_; }
  const TCutPattern& BestPattern() const { return bestPattern_; }
  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }
  void ResetBestPattern();

 private:
  // Pieces placed (and attempts made) between two looks at the clock.
  static constexpr int32_t kPollInterval = 4096;
  // Rows an attempt remembers placing, so the next one clears only those.
  static constexpr int32_t kPlacedCapacity = 128;

  void BuildTrialPlan(TJob& job, int32_t trial, int32_t stockCount, int32_t cutCount);
  bool AddBestPattern(TJob& job, int32_t cutCount, int64_t& piecesLeft);
  RowMask128 NeededRows(const TJob& job) const;
  // FillBar on the prepared index_, given the rows that still need pieces.
  void FillBarIndexed(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed);
  template <class Mask, bool kSortedRows, bool kFreeOnlyShrinks, bool kForcedRuns>
  void FillBarWith(const TJob& job, int32_t stockRow, int32_t attempts, Mask neededAtStart);
  void FillBarSorted(const TJob& job, int32_t stockRow, int32_t attempts, uint64_t neededAtStart);

  // Zeroes the piece counts of the last attempt, which placed `placed` pieces.
  void ClearPieceCounts(int32_t placed) {
    if (placed <= kPlacedCapacity) {
      for (int32_t i = 0; i < placed; ++i) attemptPattern_.PieceCount[placedRows_[i]] = 0;
    } else {
      attemptPattern_.PieceCount.fill(0);
    }
  }
  // Lists the row of a piece for ClearPieceCounts.
  void RecordPlaced(int32_t& placed, int32_t row) {
    if (placed < kPlacedCapacity) {
      placedRows_[placed++] = static_cast<uint8_t>(row);
    } else {
      placed = kPlacedCapacity + 1;  // too many to list: the next attempt clears every row
    }
  }
  // A free length that an attempt on a bar of `stockLength` must stay below
  // to beat BestPattern(): the exact test by LeftoverPercent follows.
  int64_t BeatingFreeBound(int32_t stockLength) const;
  static double LeftoverPercent(int64_t free, int32_t stockLength) {
    return static_cast<double>(100 * free) / static_cast<double>(stockLength);
  }
  // Makes the attempt just made, whose piece counts are in attemptPattern_, the best pattern.
  void KeepAttempt(int32_t stockRow, int64_t free, double leftoverPercent) {
    attemptPattern_.StockRow = stockRow;
    attemptPattern_.Leftover = static_cast<double>(free);
    attemptPattern_.LeftoverPercent = leftoverPercent;
    bestPattern_ = attemptPattern_;
  }
  // Yields to the window when ~50 ms have passed; true when the Run must stop.
  bool PollRun();

  uint32_t seed_ = 0;
  bool stopRequested_ = false;
  TCutPattern attemptPattern_{};
  TCutPattern bestPattern_{};
  TCutPlan currentPlan_{};
  TCutPlan bestPlan_{};

  CutTableIndex index_{};
  std::array<uint8_t, kPlacedCapacity> placedRows_{};
  int32_t placedCount_ = 0;
  TrialProgress* progress_ = nullptr;  // set while a Run is going
  int32_t pollCountdown_ = kPollInterval;
  std::chrono::steady_clock::time_point lastYield_{};
};

}  // namespace yobina
