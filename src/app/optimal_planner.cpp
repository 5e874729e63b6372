#include "app/optimal_planner.h"

#include <algorithm>
#include <memory>

#include "exact/exact_planner.h"
#include "job/job_io.h"

namespace yobina {
namespace {

class ProgressObserver : public ExactObserver {
 public:
  explicit ProgressObserver(PlanProgress& progress) : progress_(progress) {}
  void BetterPlan(double lossRate) override { progress_.BetterPlan(lossRate); }
  void BetterBound(double boundLossRate) override { progress_.BetterBound(boundLossRate); }

 private:
  PlanProgress& progress_;
};

PlanStatus StatusOf(ExactStatus status) {
  switch (status) {
    case ExactStatus::Proven:
    case ExactStatus::Unproven:
      return PlanStatus::Planned;
    case ExactStatus::NoPlan:
      return PlanStatus::NoPlan;
    case ExactStatus::Refused:
      return PlanStatus::Refused;
    case ExactStatus::NotFound:
      break;
  }
  return PlanStatus::NotFound;
}

OptimalMethod MethodOf(const ExactResult& exact) {
  OptimalMethod method;
  method.Proven = exact.Status == ExactStatus::Proven;
  method.BoundLossRate = exact.BoundLossRate;
  method.GapMeters = exact.GapMeters;
  method.Setups = {exact.Setups.Patterns, exact.Setups.LowerBound, exact.Setups.Proven};
  if (const std::optional<ReferenceFigure>& figure = exact.WithoutShortFirst)
    method.WithoutShortFirst =
        OptimalMethod::Reference{figure->StockLength, figure->LossRate, figure->Proven};
  method.ScrapProven = exact.ScrapProven;
  return method;
}

}  // namespace

PlanResult OptimalPlanner::MakePlan(const JobDocument& document, PlanProgress& progress,
                                    const StopToken& stop) {
  const TJob job = PlanningJob(document);
  ExactLimits limits;
  limits.TimeLimitSeconds = std::min(stop.SecondsLeft().value_or(seconds_), kLongestTimeLimitSeconds);
  limits.OffcutMin = document.OffcutMin;
  limits.Stop = &stop.StopFlag();
  ProgressObserver observer(progress);
  const auto exact = std::make_unique<ExactResult>(PlanExact(job, limits, observer));
  return OptimalPlanResult(document, job, *exact, stop.StopFlag().load());
}

PlanResult OptimalPlanResult(const JobDocument& document, const TJob& job, const ExactResult& exact,
                             bool stopped) {
  PlanResult result;
  result.Document = document;
  result.Method = MethodOf(exact);
  result.Status = StatusOf(exact.Status);
  result.Stopped = stopped;
  result.Message = exact.Message;
  // Without a plan the totals are zero, as before any plan.
  result.Plan = Plan(job, result.Status == PlanStatus::Planned ? exact.Plan : TCutPlan{});
  return result;
}

}  // namespace yobina
