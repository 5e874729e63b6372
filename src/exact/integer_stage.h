// The integer stage: whole bar counts over a set of patterns, by CBC.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/deadline.h"
#include "exact/linear_solver.h"

namespace yobina {

struct IntegerPlan {
  MipOutcome Outcome = MipOutcome::Unknown;
  std::vector<CutPattern> Patterns;  // the patterns used
  std::vector<int32_t> Bars;         // bars per pattern
  int64_t StockLength = 0;
};

// The plan over `patterns` with the least stock, among those under `below` mm
// of stock. Patterns may supply more pieces than needed; the plan is trimmed later.
IntegerPlan SolvePatternProgram(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                int64_t below, MipSolver& mip, const Deadline& deadline);

}  // namespace yobina
