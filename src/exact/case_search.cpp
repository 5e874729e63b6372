#include "exact/case_search.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "exact/arc_flow.h"
#include "exact/coin_solvers.h"
#include "exact/column_generation.h"
#include "exact/dive.h"
#include "exact/integer_stage.h"
#include "exact/job_model.h"
#include "exact/pattern_enumeration.h"
#include "exact/pattern_pricing.h"
#include "exact/stock_totals.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
namespace yobina {

namespace {
double Now() {
  static const auto start = std::chrono::steady_clock::now();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
#define TRACE(...)                           \
  do {                                       \
    if (std::getenv("YOBINA_TRACE")) {       \
      std::fprintf(stderr, "%7.3f ", Now()); \
      std::fprintf(stderr, __VA_ARGS__);     \
      std::fputc('\n', stderr);              \
    }                                        \
  } while (0)

constexpr DiveRounding kRoundings[] = {DiveRounding::Down, DiveRounding::DownOneUp,
                                       DiveRounding::LargestFirst};

// Takes a plan when it beats the best and keeps the bar limits.
bool Adopt(CaseSearch& search, MipOutcome outcome, const std::vector<CutPattern>& patterns,
           const std::vector<int32_t>& bars, int64_t stockLength) {
  if ((outcome != MipOutcome::Optimal && outcome != MipOutcome::Feasible) ||
      stockLength >= search.Best.StockLength || !KeepsBarLimits(search.Model, patterns, bars)) {
    return false;
  }
  search.Best = {patterns, bars, stockLength};
  return true;
}

// The least value a pattern of each type must have to be in a plan under
// `cutoff`: a plan's stock is at least the Lagrangian bound plus, for every bar,
// how far its pattern's value falls short of the best pattern of its type.
std::vector<double> LeastValues(const CaseSearch& search, int64_t cutoff, const Deadline& deadline) {
  PatternPricing pricing(search.Model);
  if (!pricing.Price(search.BoundValues, deadline)) return {};
  const double slack = static_cast<double>(StockTotalUnder(search.Model, cutoff)) - search.RawBound;
  std::vector<double> least(search.Model.Types.size());
  for (int32_t t = 0; t < static_cast<int32_t>(least.size()); ++t) {
    const double best = pricing.BestValue(t);
    // Rounding in the LP's values must never drop a pattern: list a few too many.
    least[t] = best - slack - 1e-6 * std::max(1.0, std::abs(best)) - 1e-3;
  }
  return least;
}

// The proof: every pattern a plan under `cutoff` could use, and the integer
// program over exactly those. False when the list or the program outgrew the budget.
bool ProveOverListedPatterns(CaseSearch& search, int64_t cutoff, const SearchBudget& budget,
                             const Deadline& deadline) {
  const std::vector<double> least = LeastValues(search, cutoff, deadline);
  if (least.empty()) return false;
  EnumerationLimits limits;
  limits.MaxPatterns = budget.MaxListed;
  limits.MaxNodes = budget.EnumerationNodes;
  limits.Stop = deadline.StopFlag();
  TRACE("enumerate cutoff=%lld raw=%.3f", (long long)cutoff, search.RawBound);
  const PatternEnumeration listed = EnumeratePatterns(search.Model, search.BoundValues, least, limits);
  TRACE("listed %zu complete=%d nodes=%lld", listed.Patterns.size(), listed.Complete,
        (long long)listed.Nodes);
  search.Listed = true;
  if (!listed.Complete || deadline.Passed()) return false;
  CbcMipSolver mip;
  mip.SetNodeLimit(budget.ProofNodes);
  const IntegerPlan plan = SolvePatternProgram(search.Model, listed.Patterns, cutoff, mip, deadline);
  TRACE("proof mip outcome=%d stock=%lld", (int)plan.Outcome, (long long)plan.StockLength);
  if (plan.Outcome == MipOutcome::Optimal) {
    Adopt(search, plan.Outcome, plan.Patterns, plan.Bars, plan.StockLength);
    search.Bound = std::max(search.Bound, plan.StockLength);
    return true;
  }
  if (plan.Outcome == MipOutcome::Infeasible) {
    search.Bound = std::max(search.Bound, cutoff);
    return true;
  }
  Adopt(search, plan.Outcome, plan.Patterns, plan.Bars, plan.StockLength);
  return false;
}

}  // namespace

void ExploreCase(CaseSearch& search, const Incumbent& runPlan, const SearchBudget& budget,
                 const Deadline& deadline, const std::function<void(double)>& betterBound,
                 const std::function<void(int64_t)>& betterPlan) {
  const CuttingModel& model = search.Model;
  std::vector<CutPattern> start;
  for (const CutPattern& pattern : runPlan.Patterns) {
    if (model.Types[pattern.Type].MaxBars > 0) start.push_back(pattern);
  }
  if (runPlan.StockLength != kNoStock && KeepsBarLimits(model, runPlan.Patterns, runPlan.Bars))
    search.Best = runPlan;

  ClpLpSolver lp;
  ColumnGeneration columns = GenerateColumns(model, start, lp, deadline, betterBound, budget.ColumnRounds);
  search.Columns = std::move(columns.Patterns);
  search.LpBars = std::move(columns.LpBars);
  search.BoundValues = std::move(columns.BoundValues);
  search.RawBound = columns.LowerBound;
  search.Bound =
      columns.Infeasible ? kNoStock : RoundUpToStockTotal(model, columns.LowerBound, search.Best.StockLength);
  TRACE("cg rounds=%d cols=%zu raw=%.3f bound=%lld best=%lld conv=%d", columns.Rounds, search.Columns.size(),
        columns.LowerBound, (long long)search.Bound, (long long)search.Best.StockLength, columns.Converged);
  if (columns.Infeasible || !columns.Converged) return;

  std::set<std::pair<int32_t, std::vector<int32_t>>> known;
  for (const CutPattern& pattern : search.Columns) known.insert({pattern.Type, pattern.Pieces});
  for (int32_t d = 0; d < budget.Dives && d < static_cast<int32_t>(std::size(kRoundings)); ++d) {
    if (search.Bound >= search.Best.StockLength || deadline.Passed()) return;
    const DivePlan dive =
        Dive(model, search.Columns, search.LpBars, kRoundings[d], budget.DiveSteps, deadline);
    for (const CutPattern& pattern : dive.Priced) {
      if (known.insert({pattern.Type, pattern.Pieces}).second) search.Pool.push_back(pattern);
    }
    TRACE("dive %d steps=%d stock=%lld", d, dive.Steps, (long long)dive.StockLength);
    if (dive.StockLength >= 0 &&
        Adopt(search, MipOutcome::Feasible, dive.Patterns, dive.Bars, dive.StockLength)) {
      betterPlan(dive.StockLength);
    }
  }
}

void CloseCase(CaseSearch& search, int64_t cutoff, const SearchBudget& budget, const Deadline& deadline,
               const std::function<void(int64_t)>& betterPlan) {
  cutoff = std::min(cutoff, search.Best.StockLength);
  if (search.Bound >= cutoff || deadline.Passed()) return;
  const int64_t before = search.Best.StockLength;
  const auto tellBetter = [&] {
    if (search.Best.StockLength < before) betterPlan(search.Best.StockLength);
  };
  // Whole bars over the patterns priced so far: cheap, and often the plan
  // that meets the bound.
  if (!search.Pooled) {
    search.Pooled = true;
    CbcMipSolver poolMip;
    poolMip.SetNodeLimit(budget.PoolNodes);
    std::vector<CutPattern> pool = search.Columns;
    pool.insert(pool.end(), search.Pool.begin(), search.Pool.end());
    const IntegerPlan pooled = SolvePatternProgram(search.Model, pool, cutoff, poolMip, deadline);
    TRACE("pool mip outcome=%d stock=%lld", (int)pooled.Outcome, (long long)pooled.StockLength);
    if (Adopt(search, pooled.Outcome, pooled.Patterns, pooled.Bars, pooled.StockLength))
      cutoff = pooled.StockLength;
    if (search.Bound >= cutoff || deadline.Passed()) return tellBetter();
  }
  if (!search.BoundValues.empty() && ProveOverListedPatterns(search, cutoff, budget, deadline))
    return tellBetter();
  if (deadline.Passed() || budget.ArcFlowNodes == 0) return tellBetter();

  // The list was too long: the arc-flow model holds every pattern at once.
  CbcMipSolver flowMip;
  flowMip.SetNodeLimit(budget.ArcFlowNodes);
  const ArcFlowResult flow = SolveArcFlow(search.Model, cutoff, flowMip, deadline);
  TRACE("arcflow outcome=%d stock=%lld", (int)flow.Outcome, (long long)flow.StockLength);
  Adopt(search, flow.Outcome, flow.Patterns, flow.Bars, flow.StockLength);
  if (flow.Outcome == MipOutcome::Optimal) {
    search.Bound = std::max(search.Bound, flow.StockLength);
  } else if (flow.Outcome == MipOutcome::Infeasible) {
    search.Bound = std::max(search.Bound, cutoff);
  }
  tellBetter();
}

}  // namespace yobina
