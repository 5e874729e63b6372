// Turns a solution of the model into a plan of the Run's form: surplus pieces
// taken off, bars assigned back to stock rows, every field computed as a Run
// computes it, patterns in report order.
#pragma once

#include <optional>
#include <vector>

#include "exact/cutting_model.h"
#include "job/job.h"
#include "plan/cut_plan.h"
#include "plan/plan_totals.h"  // MemberLengthOf and LossRateOf, as a Run computes them

namespace yobina {

// nullopt when the solution does not supply the job or needs more than kMaxPatterns patterns.
std::optional<TCutPlan> AssemblePlan(const TJob& job, const CuttingModel& model,
                                     std::vector<CutPattern> patterns, std::vector<int32_t> bars);

// Takes surplus pieces off, so that every item is supplied exactly: whole
// patterns where their bar counts add up to the surplus, else the rest by
// splitting a pattern's bars in two.
void TrimSurplus(const CuttingModel& model, std::vector<CutPattern>& patterns, std::vector<int32_t>& bars);

// Whether bar counts per pattern supply every item's demand, no piece more or less.
bool SuppliesExactly(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                     const std::vector<int32_t>& bars);

// The Run's plan as model patterns and bar counts (types by length).
void PlanToPatterns(const TCutPlan& plan, const TJob& job, const CuttingModel& model,
                    std::vector<CutPattern>& patterns, std::vector<int32_t>& bars);

}  // namespace yobina
