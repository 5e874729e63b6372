#include "exact/column_generation.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "exact/pattern_pricing.h"

namespace yobina {

namespace {

constexpr double kImprovement = 1e-7;  // relative reduced cost a new pattern must reach

class MasterLp {
 public:
  MasterLp(const CuttingModel& model, LpSolver& lp) : model_(model), lp_(lp) {
    const int items = static_cast<int>(model.Items.size());
    for (const CutItem& item : model.Items) lp.AddRow(item.Demand, kInfinity);
    for (const StockType& type : model.Types) lp.AddRow(type.MinBars, type.MaxBars);
    // Stand-ins for pieces no pattern supplies yet keep the LP feasible.
    int32_t longest = 1;
    for (const StockType& type : model.Types) longest = std::max(longest, type.Length);
    for (int i = 0; i < items; ++i) lp.AddColumn(4.0 * longest, kInfinity, {{i, 1.0}});
  }

  // False for a pattern the LP already has.
  bool Add(const CutPattern& pattern) {
    if (!known_.insert({pattern.Type, pattern.Pieces}).second) return false;
    ColumnEntries entries;
    for (size_t i = 0; i < pattern.Pieces.size(); ++i) {
      if (pattern.Pieces[i] != 0) entries.emplace_back(static_cast<int>(i), pattern.Pieces[i]);
    }
    entries.emplace_back(static_cast<int>(model_.Items.size()) + pattern.Type, 1.0);
    lp_.AddColumn(model_.Types[pattern.Type].Length, kInfinity, entries);
    patterns_.push_back(pattern);
    return true;
  }

  std::vector<CutPattern>& Patterns() { return patterns_; }

  static constexpr double kInfinity = 1e30;

 private:
  const CuttingModel& model_;
  LpSolver& lp_;
  std::set<std::pair<int32_t, std::vector<int32_t>>> known_;
  std::vector<CutPattern> patterns_;
};

// The Lagrangian bound for piece values `values`: every plan pays at least
// the pieces' values plus, per type, its bars times the type's least reduced cost.
double LagrangianBound(const CuttingModel& model, const std::vector<double>& values,
                       const PatternPricing& pricing, double scale) {
  double bound = 0;
  for (size_t i = 0; i < model.Items.size(); ++i) bound += values[i] * model.Items[i].Demand;
  for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
    const StockType& type = model.Types[t];
    const double reduced = scale * type.Length - pricing.BestValue(t);
    bound += reduced * (reduced < 0 ? type.MaxBars : type.MinBars);
  }
  return bound;
}

}  // namespace

ColumnGeneration GenerateColumns(const CuttingModel& model, const std::vector<CutPattern>& start,
                                 LpSolver& lp, const Deadline& deadline,
                                 const std::function<void(double)>& betterBound, int32_t maxRounds) {
  ColumnGeneration result;
  result.LowerBound = -MasterLp::kInfinity;
  MasterLp master(model, lp);
  for (const CutPattern& pattern : start) master.Add(pattern);
  for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
    if (model.Types[t].MinBars > 0) master.Add({t, std::vector<int32_t>(model.Items.size(), 0)});
  }

  PatternPricing pricing(model);
  const size_t items = model.Items.size();
  std::vector<double> values(items);
  for (int32_t round = 0; round < maxRounds && !deadline.Passed(); ++round) {
    result.Rounds = round + 1;
    if (!lp.Solve()) break;
    const std::vector<double> columns = lp.Values();
    result.LpBars.assign(columns.begin() + static_cast<std::ptrdiff_t>(items), columns.end());
    const std::vector<double> duals = lp.Duals();
    for (size_t i = 0; i < items; ++i) values[i] = std::max(duals[i], 0.0);
    if (!pricing.Price(values, deadline)) break;

    const double bound = LagrangianBound(model, values, pricing, 1.0);
    if (bound > result.LowerBound) {
      result.LowerBound = bound;
      result.BoundValues = values;
      betterBound(bound);
    }
    bool added = false;
    for (int32_t t = 0; t < static_cast<int32_t>(model.Types.size()); ++t) {
      if (model.Types[t].MaxBars == 0) continue;
      const double length = model.Types[t].Length;
      const double reduced = length - duals[items + t] - pricing.BestValue(t);
      if (reduced < -kImprovement * length && master.Add(pricing.BestPattern(t))) added = true;
    }
    if (added) continue;

    result.Converged = true;
    double standIns = 0;
    for (size_t i = 0; i < items; ++i) standIns += columns[i];
    if (standIns > 1e-6) {
      // Pieces are still left to the stand-ins: the same values with free
      // stock prove that no plan exists when their bound stays above zero.
      result.Infeasible = LagrangianBound(model, values, pricing, 0.0) > 1e-6;
    }
    break;
  }
  result.Patterns = std::move(master.Patterns());
  return result;
}

}  // namespace yobina
