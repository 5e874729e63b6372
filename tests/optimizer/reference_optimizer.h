// A plain, line-by-line version of the pattern generator and trial driver:
// the yardstick the fast optimizer is checked and timed against.
#pragma once

#include <cstdint>

#include "job/job.h"
#include "optimizer/optimizer.h"
#include "plan/cut_plan.h"

namespace yobina::test {

class ReferenceOptimizer {
 public:
  uint32_t NextRandom(uint32_t n);
  void FillBar(const TJob& job, int32_t stockRow, int32_t kerf, int32_t margin, int32_t attempts);
  void RunTrials(TJob& job, int32_t trials, TrialProgress& progress);

  const TCutPlan& BestPlan() const { return bestPlan_; }
  const TCutPattern& BestPattern() const { return bestPattern_; }
  uint32_t Seed() const { return seed_; }
  void SetSeed(uint32_t seed) { seed_ = seed; }
  void ResetBestPattern();

 private:
  void RunTrial(TJob& job, int32_t trial);

  uint32_t seed_ = 0;
  TCutPattern attemptPattern_{};
  TCutPattern bestPattern_{};
  TCutPlan currentPlan_{};
  TCutPlan bestPlan_{};
};

}  // namespace yobina::test
