#include "exact/dive.h"

#include <algorithm>
#include <cmath>

#include "exact/coin_solvers.h"
#include "exact/column_generation.h"

namespace yobina {

namespace {

constexpr double kTolerance = 1e-6;
// Pricing rounds for each residual LP: it starts from the last LP's patterns
// and needs few.
constexpr int32_t kRoundsPerStep = 300;

struct Fix {
  size_t Column = 0;
  int32_t Bars = 0;
};

int32_t Down(double bars) {
  return static_cast<int32_t>(std::floor(bars + kTolerance));
}

// The bars to fix from an LP solution, before the type limits.
std::vector<Fix> Round(const std::vector<double>& bars, DiveRounding rounding) {
  std::vector<Fix> fixes;
  size_t largest = bars.size();
  size_t nearestUp = bars.size();
  double nearestFraction = kTolerance;
  for (size_t p = 0; p < bars.size(); ++p) {
    if (bars[p] <= kTolerance) continue;
    if (largest == bars.size() || bars[p] > bars[largest] + kTolerance) largest = p;
    const double fraction = bars[p] - std::floor(bars[p]);
    if (fraction > nearestFraction && fraction < 1 - kTolerance) {
      nearestFraction = fraction;
      nearestUp = p;
    }
  }
  if (largest == bars.size()) return fixes;
  if (rounding == DiveRounding::LargestFirst) return {{largest, std::max(Down(bars[largest]), 1)}};
  for (size_t p = 0; p < bars.size(); ++p) {
    const int32_t whole = Down(bars[p]) + (rounding == DiveRounding::DownOneUp && p == nearestUp ? 1 : 0);
    if (whole > 0) fixes.push_back({p, whole});
  }
  if (fixes.empty()) fixes.push_back({largest, 1});
  return fixes;
}

// The pieces of `pattern` that `rest` still needs.
CutPattern Trimmed(const CuttingModel& rest, const CutPattern& pattern) {
  CutPattern trimmed = pattern;
  for (size_t i = 0; i < trimmed.Pieces.size(); ++i)
    trimmed.Pieces[i] = std::min(trimmed.Pieces[i], rest.Items[i].Demand);
  return trimmed;
}

bool AllPlaced(const CuttingModel& rest) {
  return std::all_of(rest.Items.begin(), rest.Items.end(),
                     [](const CutItem& item) { return item.Demand == 0; });
}

}  // namespace

DivePlan Dive(const CuttingModel& model, const std::vector<CutPattern>& columns,
              const std::vector<double>& lpBars, DiveRounding rounding, int32_t maxSteps,
              const Deadline& deadline) {
  DivePlan plan;
  CuttingModel rest = model;
  std::vector<CutPattern> pool = columns;
  std::vector<double> bars = lpBars;
  for (;;) {
    bool fixed = false;
    for (const Fix& fix : Round(bars, rounding)) {
      const CutPattern& pattern = pool[fix.Column];
      StockType& type = rest.Types[pattern.Type];
      const int32_t take = std::min(fix.Bars, type.MaxBars);
      if (take <= 0) continue;
      type.MaxBars -= take;
      type.MinBars = std::max(type.MinBars - take, 0);
      for (size_t i = 0; i < rest.Items.size(); ++i)
        rest.Items[i].Demand = std::max(rest.Items[i].Demand - pattern.Pieces[i] * take, 0);
      plan.Patterns.push_back(pattern);
      plan.Bars.push_back(take);
      fixed = true;
    }
    if (!fixed) break;
    if (AllPlaced(rest)) {
      // Bars the plan must use but no piece needs are cut to nothing.
      for (int32_t t = 0; t < static_cast<int32_t>(rest.Types.size()); ++t) {
        if (rest.Types[t].MinBars == 0) continue;
        plan.Patterns.push_back({t, std::vector<int32_t>(rest.Items.size(), 0)});
        plan.Bars.push_back(rest.Types[t].MinBars);
      }
      plan.StockLength = StockLengthOf(model, plan.Patterns, plan.Bars);
      return plan;
    }
    if (plan.Steps >= maxSteps || deadline.Passed()) break;

    std::vector<CutPattern> start;
    for (const CutPattern& pattern : pool) {
      if (rest.Types[pattern.Type].MaxBars > 0) start.push_back(Trimmed(rest, pattern));
    }
    ClpLpSolver lp;
    ColumnGeneration residual = GenerateColumns(
        rest, start, lp, deadline, [](double) {}, kRoundsPerStep);
    ++plan.Steps;
    if (residual.Infeasible) break;
    plan.Priced.insert(plan.Priced.end(), residual.Patterns.begin(), residual.Patterns.end());
    pool = std::move(residual.Patterns);
    bars = std::move(residual.LpBars);
  }
  plan.StockLength = -1;
  return plan;
}

}  // namespace yobina
