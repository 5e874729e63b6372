#include "exact/integer_stage.h"

#include <algorithm>
#include <cmath>

namespace yobina {

IntegerPlan SolvePatternProgram(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                int64_t below, MipSolver& mip, const Deadline& deadline) {
  constexpr double kInfinity = 1e30;
  const int items = static_cast<int>(model.Items.size());
  for (const CutItem& item : model.Items) mip.AddRow(item.Demand, kInfinity);
  for (const StockType& type : model.Types) mip.AddRow(type.MinBars, type.MaxBars);
  for (const CutPattern& pattern : patterns) {
    ColumnEntries entries;
    for (int i = 0; i < items; ++i) {
      if (pattern.Pieces[i] != 0) entries.emplace_back(i, pattern.Pieces[i]);
    }
    entries.emplace_back(items + pattern.Type, 1.0);
    const StockType& type = model.Types[pattern.Type];
    mip.AddColumn(type.Length, type.MaxBars, entries);
  }
  // Totals differ by whole steps: a better plan lies on a step under `below`.
  mip.SetObjectiveStep(static_cast<double>(StockTotalStep(model)));
  mip.SetCutoff(static_cast<double>(StockTotalUnder(model, below)) + 0.5);

  IntegerPlan plan;
  plan.Outcome = mip.Solve(deadline);
  if (plan.Outcome != MipOutcome::Optimal && plan.Outcome != MipOutcome::Feasible) return plan;
  const std::vector<double> values = mip.Values();
  for (size_t p = 0; p < patterns.size(); ++p) {
    const auto bars = static_cast<int32_t>(std::lround(values[p]));
    if (bars <= 0) continue;
    plan.Patterns.push_back(patterns[p]);
    plan.Bars.push_back(bars);
  }
  plan.StockLength = StockLengthOf(model, plan.Patterns, plan.Bars);
  return plan;
}

}  // namespace yobina
