#include "exact/integer_stage.h"

#include <algorithm>
#include <cmath>

#include "exact/stock_totals.h"

namespace yobina {

IntegerPlan SolvePatternProgram(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                int64_t below, MipSolver& mip, const Deadline& deadline) {
  constexpr double kInfinity = 1e30;
  const int items = static_cast<int>(model.Items.size());
  // Rows: the items' demands, then per type: its patterns' bars less its bar count = 0.
  for (const CutItem& item : model.Items) mip.AddRow(std::max(item.Demand, 0), kInfinity);
  for (size_t t = 0; t < model.Types.size(); ++t) mip.AddRow(0, 0);
  for (const CutPattern& pattern : patterns) {
    ColumnEntries entries;
    for (int i = 0; i < items; ++i) {
      if (pattern.Pieces[i] != 0) entries.emplace_back(i, pattern.Pieces[i]);
    }
    entries.emplace_back(items + pattern.Type, 1.0);
    mip.AddColumn(0, std::max(model.Types[pattern.Type].MaxBars, 0), entries);
  }
  // The bar count of each type carries the cost and is branched on first: with
  // lengths to the mm the stock total hinges on the mix of bars, and once the
  // mix is fixed the LP tells at once whether the pieces can fit.
  for (int t = 0; t < static_cast<int>(model.Types.size()); ++t) {
    const StockType& type = model.Types[t];
    const int column = static_cast<int>(patterns.size()) + t;
    mip.AddColumn(type.Length, std::max(type.MaxBars, 0), {{items + t, -1.0}});
    mip.SetLowerBound(column, std::max(type.MinBars, 0));
    mip.SetPriority(column, 1);
  }
  // Totals differ by whole steps: a better plan lies on a step under `below`.
  mip.SetObjectiveStep(static_cast<double>(StockTotalStep(model)));
  mip.SetCutoff(static_cast<double>(StockTotalUnder(model, below)) + 0.5);

  IntegerPlan plan;
  plan.Outcome = mip.Solve(deadline);
  if (plan.Outcome != MipOutcome::Optimal && plan.Outcome != MipOutcome::Feasible) return plan;
  TakeUsedPatterns(patterns, mip.Values(), plan.Patterns, plan.Bars);
  plan.StockLength = StockLengthOf(model, plan.Patterns, plan.Bars);
  return plan;
}

}  // namespace yobina
