// A section as the optimal planner's job, and what a plan of that job cuts
// and buys.
#pragma once

#include <cstdint>
#include <vector>

#include "job/job.h"
#include "plan/cut_plan.h"
#include "project/project_input.h"
#include "project/project_result.h"

namespace yobina {

// The sorted job: the section's cut rows; one stock row a length, holding the
// bars on hand of it plus, for an `offered` length, as many bars as there are
// pieces (a plan never needs more). The small-stock limit is lowered to the
// section's shortest buyable length, so that bought bars are never short
// stock. Kerf and margin are the section's. At most kTableCapacity rows each:
// the caller checks.
TJob SectionJob(const SectionInput& section, const std::vector<int32_t>& offered);

// Bars of each length the plan cuts: from the bars on hand first, the rest
// bought; weights and prices of the bars bought. Ascending by length.
std::vector<PurchaseLine> PurchaseOf(const SectionInput& section, const TJob& job, const TCutPlan& plan);

// The job with as stock rows only the bars the plan cuts, one row a length;
// the plan's patterns are renumbered to those rows.
TJob UsedStockJob(const TJob& job, TCutPlan& plan);

}  // namespace yobina
