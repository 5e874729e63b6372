// The proven-optimal planner as a planner: the plan of the least stock, with
// the bound that proves it or says how far it may be off.
#pragma once

#include "app/planner.h"
#include "exact/exact_planner.h"
#include "job/job.h"

namespace yobina {

inline constexpr double kDefaultExactSeconds = 10;

class OptimalPlanner : public Planner {
 public:
  // `seconds`: the time it may take when the stop token sets no time limit.
  explicit OptimalPlanner(double seconds = kDefaultExactSeconds) : seconds_(seconds) {}

  // The time limit is this planner's budget: a plan not proven by then is
  // Planned and unproven, and only a Stop() (the user, a signal) makes the
  // result Stopped. A job it refuses is Refused with the reason.
  PlanResult MakePlan(const JobDocument& document, PlanProgress& progress, const StopToken& stop) override;

 private:
  double seconds_;
};

// The optimal planner's result for `job` (the sorted tables it planned) as
// the result of `document`: what MakePlan returns, for callers that plan
// several jobs of their own (a building's sections).
PlanResult OptimalPlanResult(const JobDocument& document, const TJob& job, const ExactResult& exact,
                             bool stopped);

}  // namespace yobina
