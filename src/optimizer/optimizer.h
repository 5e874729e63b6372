// The randomized search for the cutting plan with the least loss.
#pragma once

#include <cstdint>

#include "job/job.h"
#include "optimizer/cut_plan.h"

namespace yobina {

// What the trial driver tells its caller while it works.
class TrialProgress {
 public:
  virtual ~TrialProgress() = default;
  // After every trial that produced a plan.
  virtual void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) = 0;
  // After every trial, and at most every ~50 ms inside a long one, so the
  // window can repaint. May call Optimizer::RequestStop().
  virtual void YieldToWindow() = 0;
};

class Optimizer {
 public:
  // 32-bit LCG draw in 0..n-1 (n > 0).
  uint32_t NextRandom(uint32_t n);

  // Best of `attempts` randomized fills of one bar of `stockRow`, kept in
  // BestPattern() when strictly better. Reads the job's cut table.
  void FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin, int32_t attempts);

  // Runs `trials` trials (at least 1) on a read and sorted job; the job's
  // Remaining fields are working storage. BestPlan().PatternCount is 0 when
  // no trial found a plan. Same job, same result: the seed restarts at 0.
  void RunTrials(TJob& job, int32_t trials, TrialProgress& progress);

  // Puts BestPlan's patterns in report order: by stock row, then bar count descending.
  void OrderPatterns();

  // Ends the running Run after the current attempt, keeping the best plan so far.
  void RequestStop() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }

  const TCutPlan& BestPlan() const { return bestPlan_; }
  const TCutPattern& BestPattern() const { return bestPattern_; }
  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }
  void ResetBestPattern();

 private:
  uint32_t seed_ = 0;
  bool stopRequested_ = false;
  TCutPattern attemptPattern_{};
  TCutPattern bestPattern_{};
  TCutPlan currentPlan_{};
  TCutPlan bestPlan_{};
};

}  // namespace yobina
