#include "exact/integer_stage.h"

#include <algorithm>
#include <cmath>

namespace yobina {

IntegerPlan SolvePatternProgram(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                const std::vector<int32_t>& taken, int64_t below, MipSolver& mip,
                                const Deadline& deadline) {
  constexpr double kInfinity = 1e30;
  const int items = static_cast<int>(model.Items.size());
  // What the bars already taken supply and use leaves the rows' limits.
  CuttingModel rest = model;
  int64_t takenStock = 0;
  for (size_t p = 0; p < taken.size(); ++p) {
    for (int i = 0; i < items; ++i) rest.Items[i].Demand -= patterns[p].Pieces[i] * taken[p];
    StockType& type = rest.Types[patterns[p].Type];
    type.MinBars -= taken[p];
    type.MaxBars -= taken[p];
    takenStock += int64_t{type.Length} * taken[p];
  }
  for (const CutItem& item : rest.Items) mip.AddRow(std::max(item.Demand, 0), kInfinity);
  for (const StockType& type : rest.Types) mip.AddRow(std::max(type.MinBars, 0), type.MaxBars);
  for (const CutPattern& pattern : patterns) {
    ColumnEntries entries;
    for (int i = 0; i < items; ++i) {
      if (pattern.Pieces[i] != 0) entries.emplace_back(i, pattern.Pieces[i]);
    }
    entries.emplace_back(items + pattern.Type, 1.0);
    const StockType& type = rest.Types[pattern.Type];
    mip.AddColumn(type.Length, std::max(type.MaxBars, 0), entries);
  }
  // Totals differ by whole steps: a better plan lies on a step under `below`.
  mip.SetObjectiveStep(static_cast<double>(StockTotalStep(model)));
  mip.SetCutoff(static_cast<double>(StockTotalUnder(model, below) - takenStock) + 0.5);

  IntegerPlan plan;
  plan.Outcome = mip.Solve(deadline);
  if (plan.Outcome != MipOutcome::Optimal && plan.Outcome != MipOutcome::Feasible) return plan;
  const std::vector<double> values = mip.Values();
  for (size_t p = 0; p < patterns.size(); ++p) {
    const auto bars = static_cast<int32_t>(std::lround(values[p])) + (p < taken.size() ? taken[p] : 0);
    if (bars <= 0) continue;
    plan.Patterns.push_back(patterns[p]);
    plan.Bars.push_back(bars);
  }
  plan.StockLength = StockLengthOf(model, plan.Patterns, plan.Bars);
  return plan;
}

}  // namespace yobina
