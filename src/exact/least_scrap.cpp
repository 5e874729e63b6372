#include "exact/least_scrap.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "exact/coin_solvers.h"

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
  std::vector<CutPattern> columns;
  std::set<std::pair<int32_t, std::vector<int32_t>>> known;
  for (const std::vector<CutPattern>* source : {&patterns, &pool}) {
    for (const CutPattern& pattern : *source) {
      if (model.Types[pattern.Type].MaxBars > 0 && known.insert({pattern.Type, pattern.Pieces}).second)
        columns.push_back(pattern);
    }
  }
  const int items = static_cast<int>(model.Items.size());
  CbcMipSolver mip(proving);
  for (const CutItem& item : model.Items) mip.AddRow(item.Demand, item.Demand);
  for (const StockType& type : model.Types) mip.AddRow(type.MinBars, type.MaxBars);
  const int stockRow = items + static_cast<int>(model.Types.size());
  mip.AddRow(static_cast<double>(stockLength), static_cast<double>(stockLength));
  std::vector<double> start(columns.size(), 0.0);
  for (const CutPattern& pattern : columns) {
    ColumnEntries entries;
    for (int i = 0; i < items; ++i) {
      if (pattern.Pieces[i] != 0) entries.emplace_back(i, pattern.Pieces[i]);
    }
    entries.emplace_back(items + pattern.Type, 1.0);
    entries.emplace_back(stockRow, model.Types[pattern.Type].Length);
    mip.AddColumn(static_cast<double>(score(pattern)), model.Types[pattern.Type].MaxBars, entries);
  }
  for (size_t q = 0; q < patterns.size(); ++q) {
    const auto at = std::find_if(columns.begin(), columns.end(), [&](const CutPattern& c) {
      return c.Type == patterns[q].Type && c.Pieces == patterns[q].Pieces;
    });
    start[static_cast<size_t>(at - columns.begin())] += bars[q];
  }
  mip.SetStart(start);
  mip.SetObjectiveStep(1);
  mip.SetCutoff(static_cast<double>(ScoreOf(score, patterns, bars)) - 0.5);
  mip.SetNodeLimit(maxNodes);

  LeastScrap result;
  const MipOutcome outcome = mip.Solve(deadline);
  result.Optimal = outcome == MipOutcome::Optimal || outcome == MipOutcome::Infeasible;
  if (outcome != MipOutcome::Optimal && outcome != MipOutcome::Feasible) return result;
  const std::vector<double> values = mip.Values();
  for (size_t p = 0; p < columns.size(); ++p) {
    const auto count = static_cast<int32_t>(std::lround(values[p]));
    if (count <= 0) continue;
    result.Patterns.push_back(columns[p]);
    result.Bars.push_back(count);
  }
  return result;
}

}  // namespace yobina
