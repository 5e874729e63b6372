// What the second aims' integer programs share: plans of one stock length
// that supply every piece exactly, over the patterns of a plan and a pool.
#pragma once

#include <cstdint>
#include <vector>

#include "exact/cutting_model.h"
#include "exact/linear_solver.h"

namespace yobina {

// The plan's patterns first, then the pool's, each once, of types with bars.
std::vector<CutPattern> PlanAndPool(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                    const std::vector<CutPattern>& pool);

// Rows of exact supply (one per item), the bar limits (one per type) and the
// fixed stock (the last); returns the stock row.
int AddSameStockRows(const CuttingModel& model, int64_t stockLength, MipSolver& mip);

// A bar of `pattern` in those rows.
ColumnEntries SameStockEntries(const CuttingModel& model, const CutPattern& pattern, int stockRow);

// Bars per column of the plan, as a start for the program.
std::vector<double> PlanBars(const std::vector<CutPattern>& columns, const std::vector<CutPattern>& patterns,
                             const std::vector<int32_t>& bars);

}  // namespace yobina
