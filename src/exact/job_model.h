// From the sorted job to the planner's models: the refusals, the pieces and
// pooled stock, and the two cases of the short-first rule.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exact/cutting_model.h"
#include "job/job.h"

namespace yobina {

// Why the job has no meaningful optimum (code page 932), or nullopt.
std::optional<std::string> RefusalOf(const TJob& job);

// Every needed cut row an item, every stock length a type; no bar is forced
// and a type may give at most as many bars as there are pieces.
CuttingModel ModelOf(const TJob& job);

bool HasShortStock(const CuttingModel& model);

// Whether every item's piece fits some bar on hand (else no plan exists).
bool EveryPieceFits(const CuttingModel& model);

// The short-first rule as models: short bars alone, or every short bar plus
// long ones. A job without short or without long stock has one case.
std::vector<CuttingModel> ShortFirstCases(const CuttingModel& model);

// Whether bar counts per pattern keep the model's bar limits.
bool KeepsBarLimits(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                    const std::vector<int32_t>& bars);

}  // namespace yobina
