// Replays a plan against the rules every plan of a job keeps, a Run's or the
// exact planner's: exact supply, stock on hand, the pieces-fit rule, the
// short-first rule, the Run's field formulas and report order.
#pragma once

#include <cstdint>
#include <string>

#include "job/job.h"
#include "plan/cut_plan.h"

namespace yobina::test {

// Empty when the plan keeps every rule; else the first broken one.
std::string CheckPlan(const TJob& job, const TCutPlan& plan);

// A hard job of bin-packing kind: 300 bars of 6000 mm, 30-35 cut rows of
// 1400-2100 mm (a quarter to a third of the bar), 1-6 pieces each, no kerf.
TJob ThirdsAndQuartersJob(uint64_t seed);

}  // namespace yobina::test
