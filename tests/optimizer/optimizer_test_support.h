// A recording progress sink for the optimizer's tests; the jobs come from support/test_jobs.h.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "job/job.h"
#include "optimizer/optimizer.h"
#include "support/test_jobs.h"

namespace yobina::test {

struct TrialReport {
  double LossRate;
  int32_t Trial;
  double BestLossRate;
};

class RecordingProgress : public TrialProgress {
 public:
  void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) override {
    reports.push_back({lossRate, trial, bestLossRate});
  }
  void Checkpoint() override {
    ++checkpoints;
    if (onCheckpoint) onCheckpoint();
  }

  std::vector<TrialReport> reports;
  int32_t checkpoints = 0;
  std::function<void()> onCheckpoint;
};

// A rate as the progress labels show it: three decimals.
std::string ThreeDecimals(double rate);

}  // namespace yobina::test
