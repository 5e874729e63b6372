// The Run as a planner: the randomized trials, the best plan of those done.
#pragma once

#include <optional>

#include "app/planner.h"

namespace yobina {

class RunPlanner : public Planner {
 public:
  // `trials`: how many (at least 1); none: as the document's trial choice says.
  explicit RunPlanner(std::optional<int32_t> trials = std::nullopt) : trials_(trials) {}

  // Planned with the patterns in report order; a job the trials found no plan
  // for is NoPlan, unless the stop came first (NotFound). Any stop, the time
  // limit among them, makes the result Stopped.
  PlanResult MakePlan(const JobDocument& document, PlanProgress& progress, const StopToken& stop) override;

 private:
  std::optional<int32_t> trials_;
};

}  // namespace yobina
