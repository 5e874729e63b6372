// The randomized search for the cutting plan with the least loss.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>

#include "job/job.h"
#include "optimizer/cut_index.h"
#include "optimizer/flat_step.h"
#include "optimizer/random_step.h"
#include "optimizer/start_row_stream.h"
#include "plan/cut_plan.h"

namespace yobina {

// Puts a plan's patterns in report order: by stock row, then bar count descending.
void OrderPlanPatterns(TCutPlan& plan);

// A free length that an attempt on a bar of `stockLength` must stay below
// to beat a pattern of `bestPercent`: the exact test by LeftoverPercent follows.
inline int64_t BeatingFreeBound(double bestPercent, int32_t stockLength) {
  constexpr int64_t kAll = INT64_MAX;
  if (stockLength <= 0) return kAll;
  // Two above the exact bound: rounding moves a percentage far less than a
  // millimetre does. Past kMaxFreeLength (or NaN) every attempt is checked.
  const double bound = bestPercent * stockLength * 0.01 + 2;
  if (!(bound < static_cast<double>(kMaxFreeLength))) return kAll;
  return bound > 0 ? static_cast<int64_t>(bound) : 0;
}

// The share of a bar of `stockLength` that a free length of `free` leaves, in percent.
inline double LeftoverPercent(int64_t free, int32_t stockLength) {
  return static_cast<double>(100 * free) / static_cast<double>(stockLength);
}

// What the trial driver tells its caller while it works.
class TrialProgress {
 public:
  virtual ~TrialProgress() = default;
  // After every trial that produced a plan.
  virtual void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) = 0;
  // After every trial, whether or not it produced a plan (trials count from 1).
  virtual void TrialEnded(int32_t /*trial*/) {}
  // After every trial, and at most every ~50 ms inside a long one: the moment
  // to look for a stop request. May call Optimizer::RequestStop(); must not
  // start another Run on the same optimizer.
  virtual void Checkpoint() {}
};

// Holds the plans and the generator's tables (about 150 KB): one instance
// lives as long as the window, and BestPlan stays valid until the next Run.
class Optimizer {
 public:
  // The generator's step: a draw in 0..n-1 (n > 0).
  uint32_t NextRandom(uint32_t n) { return StepRandom(seed_, n); }

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

  // The trials of RunTrials, once the index and the draws are set up.
  void RunAllTrials(TJob& job, int32_t trials, int32_t stockCount, int32_t cutCount);
  void BuildTrialPlan(TJob& job, int32_t trial, int32_t stockCount, int32_t cutCount);
  bool AddBestPattern(TJob& job, int32_t cutCount, int64_t& piecesLeft);
  RowMask128 NeededRows(const TJob& job) const;
  // Sets up the step whose rows still needing pieces are `needed`, on bars up to `longestBar`.
  void PrepareStep(const TJob& job, RowMask128 needed, int64_t longestBar);
  // FillBar for each stock row in turn, on the prepared index_ and step.
  void FillBars(const TJob& job, std::span<const int32_t> stockRows, int32_t attempts, RowMask128 needed);
  // The way a bar of `stockRow` is filled in this step, and why (fill_bar.cpp).
  enum class BarPath { kExact, kNothingFits, kFlat, kFlatCounted };
  BarPath PathFor(const TJob& job, int32_t stockRow) const;
  // Every job, piece by piece (fill_bar.cpp).
  void FillBarExact(const TJob& job, int32_t stockRow, int32_t attempts, RowMask128 needed);
  // The usual jobs, one flat loop over the draws (fill_bar_flat.cpp): a bar
  // shorter than every needed piece,
  void FillBarNothingFits(const TJob& job, int32_t stockRow, int32_t attempts);
  // and the draws of the leading stock rows that take the same loop, with or
  // without run-out counters, one after the other; returns how many rows it filled.
  template <bool kCounted>
  size_t FlatDraws(const TJob& job, std::span<const int32_t> stockRows, int32_t attempts, RowMask128 needed);

  // Where an attempt can stop placing pieces one by one: from a free length
  // of `free` on, every needed piece is placed (see PlanTailJump).
  struct TailJump {
    int64_t free = 0;
    bool exact = false;  // the free length at the end is known exactly, else the attempt cannot be kept
  };
  TailJump PlanTailJump(const TJob& job, RowMask128 needed, int32_t stockLength) const;
  // One attempt on a bar of `stockLength`, its piece counts left in
  // attemptPattern_ and its free length in `free`; false when a stop was requested.
  bool ExactAttempt(const TJob& job, int32_t stockLength, RowMask128 neededAtStart, const TailJump& jump,
                    int64_t& free);
  // Places every needed piece at once, the draw of the first already taken.
  int64_t PlaceRemaining(const TJob& job, RowMask128 needed, int64_t free, bool exact);
  // A flat-loop attempt from draw `start` on ended with `free`: when it
  // beats BestPattern(), it becomes the best pattern, its piece counts still
  // to be replayed; false when it does not.
  bool KeepFlatAttempt(const TJob& job, int32_t stockRow, RowMask128 needed, uint32_t start, int64_t free);
  // Replays the attempt KeepFlatAttempt kept last, if not yet done, for
  // BestPattern's piece counts; false when a stop was requested.
  bool ReplayBestAttempt(const TJob& job);

  // BeatingFreeBound for BestPattern().
  int64_t BeatingFreeBound(int32_t stockLength) const {
    return yobina::BeatingFreeBound(bestPattern_.LeftoverPercent, stockLength);
  }
  // Makes the attempt just made, whose piece counts are in attemptPattern_, the best pattern.
  void KeepAttempt(int32_t stockRow, int64_t free, double leftoverPercent) {
    attemptPattern_.StockRow = stockRow;
    attemptPattern_.Leftover = static_cast<double>(free);
    attemptPattern_.LeftoverPercent = leftoverPercent;
    bestPattern_ = attemptPattern_;
  }
  // Reaches the caller's checkpoint when ~50 ms have passed; true when the Run must stop.
  bool PollRun();

  uint32_t seed_ = 0;
  bool stopRequested_ = false;
  TCutPattern attemptPattern_{};
  TCutPattern bestPattern_{};
  TCutPlan currentPlan_{};
  TCutPlan bestPlan_{};

  // The flat loop's best attempt whose piece counts are not yet in bestPattern_.
  struct UnreplayedAttempt {
    bool waiting = false;
    int32_t stockRow = 0;
    uint32_t start = 0;  // its first draw in draws_
    double percent = 0;
    RowMask128 needed{};
  };
  UnreplayedAttempt unreplayed_{};
  CutTableIndex index_{};
  StartRowStream draws_{};
  bool stockAscending_ = false;  // the stock table is sorted by length, as read jobs are
  bool flatRun_ = false;         // the Run's tables suit the flat loop
  bool flatStep_ = false;        // and so do the current step's counts
  FlatStep step_{};
  TrialProgress* progress_ = nullptr;  // set while a Run is going
  int32_t pollCountdown_ = kPollInterval;
  std::chrono::steady_clock::time_point lastCheckpoint_{};
};

}  // namespace yobina
