// One interface for both planners, the Run and the optimal planner: a job
// document in, a PlanResult out, progress reported on the way and a stop
// token that ends the work early with the best plan so far. The window runs
// either on a worker thread; the batch program calls it directly.
#pragma once

#include <cstdint>

#include "app/stop_token.h"
#include "job/job_document.h"
#include "plan/plan_result.h"

namespace yobina {

// What a planner tells while it works. Called from the planner's threads,
// never from the caller's: implementations hand it on to where it is shown.
class PlanProgress {
 public:
  virtual ~PlanProgress() = default;
  // A Run's trial produced a plan: its loss rate and the best so far (percent).
  virtual void TrialPlanned(int32_t /*trial*/, double /*lossRate*/, double /*bestLossRate*/) {}
  // A Run's trial is over, with or without a plan (trials count from 1).
  virtual void TrialEnded(int32_t /*trial*/) {}
  // The optimal planner found a better plan, or raised its lower bound
  // (percent); these two may come from several threads at once.
  virtual void BetterPlan(double /*lossRate*/) {}
  virtual void BetterBound(double /*boundLossRate*/) {}
};

class Planner {
 public:
  virtual ~Planner() = default;
  // Plans the job of `document` (read, both tables sorted) until done or
  // until `stop` asks for an end. The result's Document is `document`, so
  // pass it as the page was left for planning (see Normalized). Throws only
  // std::bad_alloc.
  virtual PlanResult MakePlan(const JobDocument& document, PlanProgress& progress, const StopToken& stop) = 0;
};

}  // namespace yobina
