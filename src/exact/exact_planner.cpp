// A stand-in until the column-generation planner lands: the plan of a 100-trial
// Run, never claimed optimal. It keeps the contract (observer, stop, refusal)
// so the window and the batch program can be built and tested against it.
#include "exact/exact_planner.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "optimizer/optimizer.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr int32_t kTrials = 100;

class StopWatch : public TrialProgress {
 public:
  StopWatch(Optimizer& optimizer, const ExactLimits& limits, ExactObserver& observer)
      : optimizer_(optimizer),
        limits_(limits),
        observer_(observer),
        deadline_(std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(std::min(limits.TimeLimitSeconds, 1e9)))) {}

  void ReportTrialProgress(double, int32_t, double bestLossRate) override {
    if (bestLossRate < best_) {
      best_ = bestLossRate;
      observer_.BetterPlan(bestLossRate);
    }
  }
  void YieldToWindow() override {
    if ((limits_.Stop != nullptr && limits_.Stop->load()) || std::chrono::steady_clock::now() >= deadline_) {
      optimizer_.RequestStop();
    }
  }

 private:
  Optimizer& optimizer_;
  const ExactLimits& limits_;
  ExactObserver& observer_;
  std::chrono::steady_clock::time_point deadline_;
  double best_ = 1e300;
};

// Why the job has no meaningful optimum; empty when it has one.
std::string Refusal(const TJob& job) {
  if (job.Kerf < 0) return Cp932("切り代が負のため、最適化できません。");
  for (int32_t i = 1; i <= job.CutCount; ++i) {
    if (job.CutTable[i].Count > 0 && job.CutTable[i].Length <= job.Margin) {
      return Cp932("切断長が素材の余裕以下の行があるため、最適化できません。");
    }
  }
  return {};
}

}  // namespace

ExactResult PlanExact(const TJob& job, const ExactLimits& limits, ExactObserver& observer) {
  ExactResult result;
  result.Message = Refusal(job);
  if (!result.Message.empty()) {
    result.Status = ExactStatus::Refused;
    return result;
  }
  observer.BetterBound(0);  // no bound better than none
  auto optimizer = std::make_unique<Optimizer>();
  TJob work = job;
  StopWatch watch(*optimizer, limits, observer);
  optimizer->RunTrials(work, kTrials, watch);
  if (optimizer->BestPlan().PatternCount == 0) {
    result.Status = optimizer->StopRequested() ? ExactStatus::NotFound : ExactStatus::NoPlan;
    return result;
  }
  optimizer->OrderPatterns();
  result.Status = ExactStatus::Unproven;
  result.Plan = optimizer->BestPlan();
  result.BoundLossRate = 0;
  result.GapMeters = (result.Plan.StockLength - result.Plan.MemberLength) / 1000;
  return result;
}

}  // namespace yobina
