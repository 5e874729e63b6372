#include "app/run_planner.h"

#include <algorithm>
#include <memory>

#include "app/run_labels.h"
#include "job/job_io.h"
#include "optimizer/optimizer.h"

namespace yobina {
namespace {

// The trial driver's hooks: progress handed on, the stop token looked at.
class TrialReporter : public TrialProgress {
 public:
  TrialReporter(Optimizer& optimizer, PlanProgress& progress, const StopToken& stop)
      : optimizer_(optimizer), progress_(progress), stop_(stop) {}

  void ReportTrialProgress(double lossRate, int32_t trial, double bestLossRate) override {
    progress_.TrialPlanned(trial, lossRate, bestLossRate);
  }
  void TrialEnded(int32_t trial) override { progress_.TrialEnded(trial); }
  void Checkpoint() override {
    if (stop_.StopRequested()) optimizer_.RequestStop();
  }

 private:
  Optimizer& optimizer_;
  PlanProgress& progress_;
  const StopToken& stop_;
};

}  // namespace

PlanResult RunPlanner::MakePlan(const JobDocument& document, PlanProgress& progress, const StopToken& stop) {
  PlanResult result;
  result.Document = document;
  const int32_t trials = trials_ ? std::max(*trials_, 1) : TrialCountOf(document);
  result.Method = RunMethod{trials};

  // The trials use the tables' working counts and row 0; the plan keeps them as they end.
  TJob job = PlanningJob(document);
  const auto optimizer = std::make_unique<Optimizer>();
  TrialReporter reporter(*optimizer, progress, stop);
  optimizer->RunTrials(job, trials, reporter);

  result.Stopped = optimizer->StopRequested();
  if (optimizer->BestPlan().PatternCount != 0) {
    optimizer->OrderPatterns();
    result.Status = PlanStatus::Planned;
  } else {
    result.Status = result.Stopped ? PlanStatus::NotFound : PlanStatus::NoPlan;
  }
  result.Plan = Plan(job, optimizer->BestPlan());
  return result;
}

}  // namespace yobina
