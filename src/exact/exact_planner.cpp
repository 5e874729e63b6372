#include "exact/exact_planner.h"

namespace yobina {

ExactResult PlanExact(const TJob&, const ExactLimits&, ExactObserver&) {
  return {};
}

}  // namespace yobina
