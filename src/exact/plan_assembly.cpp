#include "exact/plan_assembly.h"

#include <algorithm>
#include <map>
#include <utility>

#include "optimizer/optimizer.h"
#include "text/numeric.h"

namespace yobina {

namespace {

// Pieces of item `item` to take off each pattern so that `surplus` pieces go
// in all without splitting a pattern (k pieces off every bar of pattern p
// take k * bars[p]): the most surplus a bounded subset sum reaches.
std::vector<int32_t> WholeTrims(const std::vector<CutPattern>& patterns, const std::vector<int32_t>& bars,
                                size_t item, int64_t surplus) {
  const auto width = static_cast<size_t>(surplus) + 1;
  // reach[s]: the pattern whose trim last reached s (or -1), and from where.
  std::vector<int32_t> by(width, -1);
  std::vector<int64_t> from(width, -1);
  std::vector<bool> reached(width, false);
  reached[0] = true;
  for (size_t p = 0; p < patterns.size(); ++p) {
    const int64_t unit = bars[p];
    if (patterns[p].Pieces[item] == 0 || unit <= 0 || unit > surplus) continue;
    std::vector<bool> before = reached;
    for (int64_t s = 0; s <= surplus; ++s) {
      if (!before[static_cast<size_t>(s)]) continue;
      for (int64_t k = 1; k <= patterns[p].Pieces[item] && s + k * unit <= surplus; ++k) {
        const auto at = static_cast<size_t>(s + k * unit);
        if (reached[at]) continue;
        reached[at] = true;
        by[at] = static_cast<int32_t>(p);
        from[at] = s;
      }
    }
  }
  std::vector<int32_t> trims(patterns.size(), 0);
  auto at = static_cast<int64_t>(surplus);
  while (!reached[static_cast<size_t>(at)]) --at;
  while (at > 0) {
    const auto p = static_cast<size_t>(by[static_cast<size_t>(at)]);
    const int64_t previous = from[static_cast<size_t>(at)];
    trims[p] += static_cast<int32_t>((at - previous) / bars[p]);
    at = previous;
  }
  return trims;
}

struct RowPattern {
  int32_t StockRow;
  std::vector<int32_t> Pieces;
  bool operator<(const RowPattern& other) const {
    return std::tie(StockRow, Pieces) < std::tie(other.StockRow, other.Pieces);
  }
};

}  // namespace

void TrimSurplus(const CuttingModel& model, std::vector<CutPattern>& patterns, std::vector<int32_t>& bars) {
  for (size_t i = 0; i < model.Items.size(); ++i) {
    int64_t surplus = -int64_t{model.Items[i].Demand};
    for (size_t p = 0; p < patterns.size(); ++p) surplus += int64_t{patterns[p].Pieces[i]} * bars[p];
    if (surplus <= 0) continue;
    const std::vector<int32_t> trims = WholeTrims(patterns, bars, i, surplus);
    for (size_t p = 0; p < trims.size(); ++p) {
      patterns[p].Pieces[i] -= trims[p];
      surplus -= int64_t{trims[p]} * bars[p];
    }
    for (size_t p = 0; p < patterns.size() && surplus > 0; ++p) {
      while (surplus > 0 && patterns[p].Pieces[i] > 0) {
        if (bars[p] <= surplus) {
          --patterns[p].Pieces[i];
          surplus -= bars[p];
        } else {
          CutPattern fewer = patterns[p];
          --fewer.Pieces[i];
          bars[p] -= static_cast<int32_t>(surplus);
          patterns.push_back(std::move(fewer));
          bars.push_back(static_cast<int32_t>(surplus));
          surplus = 0;
        }
      }
    }
  }
}

std::optional<TCutPlan> AssemblePlan(const TJob& job, const CuttingModel& model,
                                     std::vector<CutPattern> patterns, std::vector<int32_t> bars) {
  TrimSurplus(model, patterns, bars);

  // Bars of one type go to its rows in order; equal patterns on a row merge.
  std::map<RowPattern, int32_t> onRows;
  std::vector<std::vector<int32_t>> barsLeft(model.Types.size());
  for (size_t t = 0; t < model.Types.size(); ++t) {
    for (int32_t row : model.Types[t].Rows) barsLeft[t].push_back(job.StockTable[row].Count);
  }
  for (size_t p = 0; p < patterns.size(); ++p) {
    const StockType& type = model.Types[patterns[p].Type];
    std::vector<int32_t>& left = barsLeft[patterns[p].Type];
    int32_t toPlace = bars[p];
    for (size_t r = 0; r < left.size() && toPlace > 0; ++r) {
      const int32_t here = std::min(left[r], toPlace);
      if (here <= 0) continue;
      left[r] -= here;
      toPlace -= here;
      onRows[{type.Rows[r], patterns[p].Pieces}] += here;
    }
    if (toPlace > 0) return std::nullopt;  // more bars than the rows hold
  }
  if (onRows.size() > static_cast<size_t>(kMaxPatterns)) return std::nullopt;

  TCutPlan plan;
  plan.MemberLength = MemberLengthOf(job);
  std::vector<int64_t> supplied(model.Items.size(), 0);
  for (const auto& [rowPattern, count] : onRows) {
    if (count <= 0) continue;
    const int32_t stockLength = job.StockTable[rowPattern.StockRow].Length;
    TCutPattern& pattern = plan.Patterns[++plan.PatternCount];
    pattern.StockRow = rowPattern.StockRow;
    int64_t free = stockLength;
    for (size_t i = 0; i < model.Items.size(); ++i) {
      pattern.PieceCount[model.Items[i].Row] = rowPattern.Pieces[i];
      free -= rowPattern.Pieces[i] * model.Items[i].Weight;
      supplied[i] += int64_t{rowPattern.Pieces[i]} * count;
    }
    free = std::max<int64_t>(free, 0);
    pattern.Leftover = static_cast<double>(free);
    pattern.LeftoverPercent = static_cast<double>(100 * free) / static_cast<double>(stockLength);
    pattern.BarCount = count;
    plan.StockLength += static_cast<double>(static_cast<int64_t>(stockLength) * count);
    plan.LeftoverLength += count * pattern.Leftover;
  }
  for (size_t i = 0; i < model.Items.size(); ++i) {
    if (supplied[i] != model.Items[i].Demand) return std::nullopt;
  }
  plan.LeftoverRate = plan.LeftoverLength * 100 / RealMax(plan.StockLength, 1);
  plan.LossRate = LossRateOf(plan.StockLength, plan.MemberLength);
  OrderPlanPatterns(plan);
  return plan;
}

bool SuppliesExactly(const CuttingModel& model, const std::vector<CutPattern>& patterns,
                     const std::vector<int32_t>& bars) {
  for (size_t i = 0; i < model.Items.size(); ++i) {
    int64_t supplied = 0;
    for (size_t p = 0; p < patterns.size(); ++p) supplied += int64_t{patterns[p].Pieces[i]} * bars[p];
    if (supplied != model.Items[i].Demand) return false;
  }
  return true;
}

void PlanToPatterns(const TCutPlan& plan, const TJob& job, const CuttingModel& model,
                    std::vector<CutPattern>& patterns, std::vector<int32_t>& bars) {
  for (int32_t p = 1; p <= plan.PatternCount; ++p) {
    const TCutPattern& run = plan.Patterns[p];
    const int32_t length = job.StockTable[run.StockRow].Length;
    const auto type = std::find_if(model.Types.begin(), model.Types.end(),
                                   [&](const StockType& t) { return t.Length == length; });
    if (type == model.Types.end()) continue;
    CutPattern pattern{static_cast<int32_t>(type - model.Types.begin()), {}};
    for (const CutItem& item : model.Items) pattern.Pieces.push_back(run.PieceCount[item.Row]);
    patterns.push_back(std::move(pattern));
    bars.push_back(run.BarCount);
  }
}

}  // namespace yobina
