#include "exact/fewest_patterns.h"

#include <algorithm>
#include <cmath>

#include "exact/coin_solvers.h"
#include "exact/same_stock_model.h"

namespace yobina {

namespace {

// The most bars a pattern can take in a plan: its type's limit, and no more
// than the bars that still supply a piece of the demand.
int32_t MostBars(const CuttingModel& model, const CutPattern& pattern) {
  int64_t most = 0;
  for (size_t i = 0; i < model.Items.size(); ++i) {
    if (pattern.Pieces[i] > 0)
      most = std::max<int64_t>(most, (model.Items[i].Demand + pattern.Pieces[i] - 1) / pattern.Pieces[i]);
  }
  const StockType& type = model.Types[pattern.Type];
  if (most == 0) most = type.MinBars;  // an empty pattern only fills bars the plan must use
  return static_cast<int32_t>(std::min<int64_t>(most, type.MaxBars));
}

}  // namespace

FewerPatterns FindFewerPatterns(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                                const std::vector<int32_t>& bars, int64_t stockLength,
                                const std::vector<CutPattern>& pool, int64_t maxNodes, bool proving,
                                const Deadline& deadline, const ScrapScore* score, int64_t scoreCap) {
  const std::vector<CutPattern> columns = PlanAndPool(model, patterns, pool);
  constexpr double kInfinity = 1e30;
  CbcMipSolver mip(proving ? CbcMipSolver::Cuts::EveryNode : CbcMipSolver::Cuts::None);
  const int stockRow = AddSameStockRows(model, stockLength, mip);
  const int firstLink = stockRow + 1;
  for (size_t p = 0; p < columns.size(); ++p) mip.AddRow(-kInfinity, 0);
  const int scoreRow = firstLink + static_cast<int>(columns.size());
  if (score != nullptr) mip.AddRow(-kInfinity, static_cast<double>(scoreCap));
  for (size_t p = 0; p < columns.size(); ++p) {
    const CutPattern& pattern = columns[p];
    ColumnEntries entries = SameStockEntries(model, pattern, stockRow);
    entries.emplace_back(firstLink + static_cast<int>(p), 1.0);
    if (score != nullptr && (*score)(pattern) != 0)
      entries.emplace_back(scoreRow, static_cast<double>((*score)(pattern)));
    mip.AddColumn(0, MostBars(model, pattern), entries);
  }
  for (size_t p = 0; p < columns.size(); ++p) {
    mip.AddColumn(1, 1, {{firstLink + static_cast<int>(p), -std::max(MostBars(model, columns[p]), 1)}});
    mip.SetPriority(static_cast<int>(columns.size() + p), 1);
  }
  std::vector<double> start = PlanBars(columns, patterns, bars);
  start.resize(2 * columns.size(), 0.0);
  for (size_t p = 0; p < columns.size(); ++p) start[columns.size() + p] = start[p] > 0 ? 1 : 0;
  double used = 0;
  for (size_t p = 0; p < columns.size(); ++p) used += start[columns.size() + p];
  // A start that breaks a pattern's most bars (a plan with surplus) is not offered.
  bool startFits = true;
  for (size_t p = 0; p < columns.size(); ++p)
    startFits = startFits && start[p] <= MostBars(model, columns[p]);
  if (startFits) mip.SetStart(start);
  mip.SetObjectiveStep(1);
  mip.SetCutoff(used - 0.5);
  mip.SetNodeLimit(maxNodes);

  FewerPatterns result;
  const MipOutcome outcome = mip.Solve(deadline);
  result.LowerBound = static_cast<int32_t>(std::ceil(std::min(mip.BestBound(), used) - 1e-6));
  if (outcome == MipOutcome::Infeasible) {
    result.LowerBound = static_cast<int32_t>(used);
    result.Optimal = true;
    return result;
  }
  if (outcome != MipOutcome::Optimal && outcome != MipOutcome::Feasible) return result;
  result.Optimal = outcome == MipOutcome::Optimal;
  TakeUsedPatterns(columns, mip.Values(), result.Patterns, result.Bars);
  if (result.Optimal) result.LowerBound = static_cast<int32_t>(result.Patterns.size());
  return result;
}

}  // namespace yobina
