// Jobs and a recording progress sink for the optimizer's tests.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "job/job.h"
#include "optimizer/optimizer.h"

namespace yobina::test {

struct Row {
  int32_t Length;
  int32_t Count;
};

// A job with the given tables in the given order (no sorting), Remaining = Count.
TJob MakeJob(std::initializer_list<Row> stock, std::initializer_list<Row> cut, int32_t margin, int32_t kerf);

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
  void YieldToWindow() override {
    ++yields;
    if (onYield) onYield();
  }

  std::vector<TrialReport> reports;
  int32_t yields = 0;
  std::function<void()> onYield;
};

// A rate as the progress labels show it: three decimals.
std::string ThreeDecimals(double rate);

}  // namespace yobina::test
