#include "exact/least_scrap.h"

#include <algorithm>
#include <cmath>

#include "exact/coin_solvers.h"
#include "exact/same_stock_model.h"

namespace yobina {

int64_t LeftoverOf(const CuttingModel& model, const CutPattern& pattern) {
  return std::max<int64_t>(model.Types[pattern.Type].Length - PatternWeight(model, pattern), 0);
}

ScrapScore::ScrapScore(const CuttingModel& model, int32_t offcutMin) : model_(model), offcutMin_(offcutMin) {
  int64_t pieces = 0;
  for (const CutItem& item : model.Items) pieces += item.Demand;
  int64_t forced = 0;
  for (const StockType& type : model.Types) forced += type.MinBars;
  perMm_ = pieces + forced + 1;  // a plan's bars: at most one a piece, and the bars it must use
}

int64_t ScrapScore::operator()(const CutPattern& pattern) const {
  const int64_t leftover = LeftoverOf(model_, pattern);
  return leftover >= offcutMin_ ? 1 : leftover * perMm_;
}

int64_t ScoreOf(const ScrapScore& score, const std::vector<CutPattern>& patterns,
                const std::vector<int32_t>& bars) {
  int64_t total = 0;
  for (size_t p = 0; p < patterns.size(); ++p) total += score(patterns[p]) * bars[p];
  return total;
}

LeastScrap FindLeastScrap(const CuttingModel& model, const ScrapScore& score,
                          const std::vector<CutPattern>& patterns, const std::vector<int32_t>& bars,
                          int64_t stockLength, const std::vector<CutPattern>& pool, int64_t maxNodes,
                          bool proving, const Deadline& deadline) {
  const std::vector<CutPattern> columns = PlanAndPool(model, patterns, pool);
  CbcMipSolver mip(proving ? CbcMipSolver::Cuts::EveryNode : CbcMipSolver::Cuts::None);
  const int stockRow = AddSameStockRows(model, stockLength, mip);
  for (const CutPattern& pattern : columns) {
    mip.AddColumn(static_cast<double>(score(pattern)), model.Types[pattern.Type].MaxBars,
                  SameStockEntries(model, pattern, stockRow));
  }
  const std::vector<double> start = PlanBars(columns, patterns, bars);
  mip.SetStart(start);
  mip.SetObjectiveStep(1);
  mip.SetCutoff(static_cast<double>(ScoreOf(score, patterns, bars)) - 0.5);
  mip.SetNodeLimit(maxNodes);

  LeastScrap result;
  const MipOutcome outcome = mip.Solve(deadline);
  result.Optimal = outcome == MipOutcome::Optimal || outcome == MipOutcome::Infeasible;
  if (outcome != MipOutcome::Optimal && outcome != MipOutcome::Feasible) return result;
  TakeUsedPatterns(columns, mip.Values(), result.Patterns, result.Bars);
  return result;
}

}  // namespace yobina
