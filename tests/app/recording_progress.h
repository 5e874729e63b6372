// A planner's progress as the window's labels would show it, kept for the tests.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/planner.h"
#include "app/run_labels.h"

namespace yobina::test {

class RecordingProgress : public PlanProgress {
 public:
  void TrialPlanned(int32_t trial, double lossRate, double bestLossRate) override {
    LossLabels.emplace_back(FormatTrialLossLabel(lossRate, trial), FormatBestLossLabel(bestLossRate));
  }
  void TrialEnded(int32_t trial) override {
    TrialsEnded = trial;
    if (OnTrialEnded) OnTrialEnded();
  }
  void BetterPlan(double lossRate) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    Plans.push_back(lossRate);
  }
  void BetterBound(double boundLossRate) override {
    const std::lock_guard<std::mutex> lock(mutex_);
    Bounds.push_back(boundLossRate);
  }

  std::vector<std::pair<std::string, std::string>> LossLabels;  // trial label, best label
  int32_t TrialsEnded = 0;
  std::function<void()> OnTrialEnded;
  std::vector<double> Plans;
  std::vector<double> Bounds;

 private:
  std::mutex mutex_;
};

}  // namespace yobina::test
