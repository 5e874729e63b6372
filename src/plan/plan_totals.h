// The totals of a plan, computed once for every planner: the Run's trials,
// the optimal planner's assembly and the reports all use these.
#pragma once

#include "job/job.h"

namespace yobina {

// mm of members the job asks for: every cut row's length times its count.
double MemberLengthOf(const TJob& job);

// Percent of the stock left over: leftoverLength * 100 / stockLength (at least 1).
double LeftoverRateOf(double leftoverLength, double stockLength);

// Percent of stock beyond the members: (stockLength - memberLength, at least 0)
// * 100 / memberLength (at least 1). Plans are compared by it.
double LossRateOf(double stockLength, double memberLength);

}  // namespace yobina
