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
#include "exact/packing_search.h"
#include "exact/pattern_enumeration.h"
#include "exact/pattern_pricing.h"
#include "exact/stock_totals.h"

namespace yobina {

namespace {
// Stock totals, from the bound up, at which a plan is searched for by packing.
constexpr int32_t kPackTargets = 2;
// Mixes of bars a total may have for the LP check of each, LPs for all the
// checks of one climb, and pricing rounds for one check.
constexpr size_t kMixesChecked = 8;
constexpr int32_t kMixChecks = 64;
constexpr int32_t kMixRounds = 500;
// The longest list a rung of the climb may hold; the last proof may hold more.
constexpr size_t kClimbListed = 3000;
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

// Every pattern a plan of at most `top` mm of stock could use: a plan's stock
// is at least the Lagrangian bound plus, for every bar, how far its pattern's
// value falls short of the best pattern of its type (`bestValues`).
PatternEnumeration ListPatterns(const CaseSearch& search, const std::vector<double>& bestValues, int64_t top,
                                const SearchBudget& budget, const Deadline& deadline) {
  const double slack = static_cast<double>(top) - search.RawBound;
  std::vector<double> least(bestValues.size());
  for (size_t t = 0; t < least.size(); ++t) {
    // Rounding in the LP's values must never drop a pattern: list a few too many.
    least[t] = bestValues[t] - slack - 1e-6 * std::max(1.0, std::abs(bestValues[t])) - 1e-3;
  }
  EnumerationLimits limits;
  limits.MaxPatterns = budget.MaxListed;
  limits.MaxNodes = budget.EnumerationNodes;
  limits.Stop = deadline.StopFlag();
  return EnumeratePatterns(search.Model, search.BoundValues, least, limits);
}

// The proof for plans of at most `target` mm: every pattern such a plan could
// use, and the integer program over exactly those. The plan it finds is
// optimal; finding none raises the bound past the target.
enum class Rung { Solved, Raised, GaveUp };

Rung ProveUpTo(CaseSearch& search, const std::vector<double>& bestValues, int64_t target, int64_t cutoff,
               size_t maxListed, const SearchBudget& budget, const Deadline& deadline) {
  SearchBudget listing = budget;
  listing.MaxListed = maxListed;
  const PatternEnumeration listed = ListPatterns(search, bestValues, target, listing, deadline);
  if (!listed.Complete || deadline.Passed()) return Rung::GaveUp;
  CbcMipSolver mip;
  mip.SetNodeLimit(budget.ProofNodes);
  const IntegerPlan plan = SolvePatternProgram(search.Model, listed.Patterns, target + 1, mip, deadline);
  if (plan.Outcome == MipOutcome::Optimal) {
    Adopt(search, plan.Outcome, plan.Patterns, plan.Bars, plan.StockLength);
    search.Bound = std::max(search.Bound, plan.StockLength);
    return Rung::Solved;
  }
  if (plan.Outcome != MipOutcome::Infeasible) {
    Adopt(search, plan.Outcome, plan.Patterns, plan.Bars, plan.StockLength);
    return Rung::GaveUp;
  }
  search.Bound = std::max(search.Bound, StockTotalFrom(search.Model, target + 1, cutoff));
  return Rung::Raised;
}

// Whether no mix of bars that comes to `total` mm can hold the pieces, even
// cut fractionally: with each mix's bar counts fixed, column generation
// proves the pieces cannot all be covered. With lengths to the mm the totals
// just above the bound often fall this way, and far faster than by listing
// patterns. `checks` counts down the LPs this may still solve. A total too
// large to list its mixes proves nothing.
bool NoMixHolds(const CaseSearch& search, int64_t total, int32_t& checks, const Deadline& deadline) {
  if (deadline.Passed()) return false;
  const std::optional<std::vector<std::vector<int32_t>>> mixes =
      ListMixes(search.Model, total, kMixesChecked + 1);
  if (!mixes || mixes->size() > kMixesChecked) return false;
  if (mixes->empty()) return true;
  for (const std::vector<int32_t>& mix : *mixes) {
    if (checks-- <= 0 || deadline.Passed()) return false;
    CuttingModel fixed = search.Model;
    for (size_t t = 0; t < mix.size(); ++t) fixed.Types[t].MinBars = fixed.Types[t].MaxBars = mix[t];
    std::vector<CutPattern> start;
    for (const CutPattern& pattern : search.Columns) {
      if (fixed.Types[pattern.Type].MaxBars > 0) start.push_back(pattern);
    }
    ClpLpSolver lp;
    if (!GenerateColumns(
             fixed, start, lp, deadline, [](double) {}, kMixRounds)
             .Infeasible)
      return false;
  }
  return true;
}

// The proof as a climb: plans of at most T mm for T from the bound up, the
// step doubling, while the lists stay short. A plan at or near the bound is
// found and proven at once this way. True when the case is closed below the cutoff.
bool Climb(CaseSearch& search, const std::vector<double>& bestValues, int64_t cutoff,
           const SearchBudget& budget, const Deadline& deadline) {
  const int64_t top = StockTotalUnder(search.Model, cutoff);
  int32_t checks = kMixChecks;
  for (int64_t rise = 1; search.Bound <= top && !deadline.Passed(); rise = std::min(rise * 2, top)) {
    while (search.Bound <= top && NoMixHolds(search, search.Bound, checks, deadline))
      search.Bound = StockTotalFrom(search.Model, search.Bound + 1, cutoff);
    if (search.Bound > top) break;
    const int64_t target = std::min(top, StockTotalUnder(search.Model, search.Bound + rise));
    if (target < search.Bound) continue;  // no total this close above the bound
    const Rung rung = ProveUpTo(search, bestValues, target, cutoff, kClimbListed, budget, deadline);
    if (rung == Rung::Solved) return true;
    if (rung == Rung::GaveUp) return false;
  }
  return search.Bound > top;
}

std::vector<double> BestValues(const CaseSearch& search, const Deadline& deadline) {
  PatternPricing pricing(search.Model);
  if (!pricing.Price(search.BoundValues, deadline)) return {};
  std::vector<double> best(search.Model.Types.size());
  for (int32_t t = 0; t < static_cast<int32_t>(best.size()); ++t) best[t] = pricing.BestValue(t);
  return best;
}

}  // namespace

std::optional<std::vector<CutPattern>> PatternsUpTo(const CaseSearch& search, int64_t total,
                                                    CutShort cutShort, const SearchBudget& budget,
                                                    const Deadline& deadline) {
  if (search.BoundValues.empty()) return std::nullopt;
  const std::vector<double> bestValues = BestValues(search, deadline);
  if (bestValues.empty()) return std::nullopt;
  PatternEnumeration listed = ListPatterns(search, bestValues, total, budget, deadline);
  if (!listed.Complete || deadline.Passed()) return std::nullopt;
  std::vector<CutPattern> patterns = std::move(listed.Patterns);
  // A plan that supplies every piece exactly cuts some listed patterns short.
  // The bound above holds for every pattern of a plan, maximal or not, so a
  // pattern under a listed one need join the list only while its value stays
  // above its type's limit; the patterns under one that falls short have
  // less value still. Values are never negative.
  const std::vector<double>& values = search.BoundValues;
  const double slack = static_cast<double>(total) - search.RawBound;
  const auto valueOf = [&](const CutPattern& pattern) {
    double value = 0;
    for (size_t i = 0; i < pattern.Pieces.size(); ++i) value += values[i] * pattern.Pieces[i];
    return value;
  };
  const auto enough = [&](const CutPattern& pattern) {
    if (cutShort == CutShort::All) return true;
    const double best = bestValues[static_cast<size_t>(pattern.Type)];
    const double least = best - slack - 1e-6 * std::max(1.0, std::abs(best)) - 1e-3;
    return valueOf(pattern) >= least;
  };
  std::set<std::pair<int32_t, std::vector<int32_t>>> known;
  for (const CutPattern& pattern : patterns) known.insert({pattern.Type, pattern.Pieces});
  for (size_t at = 0; at < patterns.size(); ++at) {
    for (size_t i = 0; i < patterns[at].Pieces.size(); ++i) {
      if (patterns[at].Pieces[i] == 0) continue;
      CutPattern under = patterns[at];
      --under.Pieces[i];
      if (!enough(under) || !known.insert({under.Type, under.Pieces}).second) continue;
      if (patterns.size() >= budget.MaxListed) return std::nullopt;
      patterns.push_back(std::move(under));
    }
  }
  return patterns;
}

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
    if (dive.StockLength >= 0 &&
        Adopt(search, MipOutcome::Feasible, dive.Patterns, dive.Bars, dive.StockLength)) {
      betterPlan(dive.StockLength);
    }
  }

  // The search for a plan at the bound, then at the next totals up: where
  // the pieces fill their bars (nearly) exactly, rounding misses that plan.
  int64_t total = search.Bound;
  for (int32_t target = 0; target < kPackTargets && total < search.Best.StockLength && !deadline.Passed();
       ++target) {
    const std::optional<PackedPlan> packed =
        PackToTotal(model, total, budget.PackNodes / kPackTargets, deadline);
    if (packed && Adopt(search, MipOutcome::Feasible, packed->Patterns, packed->Bars, packed->StockLength)) {
      betterPlan(packed->StockLength);
      return;
    }
    total = StockTotalFrom(model, total + 1, search.Best.StockLength);
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
  const std::vector<double> bestValues =
      search.BoundValues.empty() ? std::vector<double>{} : BestValues(search, deadline);
  if (!bestValues.empty() && Climb(search, bestValues, cutoff, budget, deadline)) return tellBetter();
  cutoff = std::min(cutoff, search.Best.StockLength);
  if (search.Bound >= cutoff || deadline.Passed()) return tellBetter();

  // Whole bars over the patterns priced so far, for a better plan to prove.
  if (!search.Pooled) {
    search.Pooled = true;
    CbcMipSolver poolMip;
    poolMip.SetNodeLimit(budget.PoolNodes);
    std::vector<CutPattern> pool = search.Columns;
    pool.insert(pool.end(), search.Pool.begin(), search.Pool.end());
    const IntegerPlan pooled = SolvePatternProgram(search.Model, pool, cutoff, poolMip, deadline);
    if (Adopt(search, pooled.Outcome, pooled.Patterns, pooled.Bars, pooled.StockLength))
      cutoff = pooled.StockLength;
    if (search.Bound >= cutoff || deadline.Passed()) return tellBetter();
  }
  // The whole gap in one list.
  if (!bestValues.empty()) {
    const int64_t top = StockTotalUnder(search.Model, cutoff);
    const Rung rung = ProveUpTo(search, bestValues, top, cutoff, budget.MaxListed, budget, deadline);
    if (rung != Rung::GaveUp || deadline.Passed()) return tellBetter();
  }
  if (budget.ArcFlowNodes == 0) return tellBetter();

  // The arc-flow model holds every pattern at once.
  CbcMipSolver flowMip;
  flowMip.SetNodeLimit(budget.ArcFlowNodes);
  const ArcFlowResult flow = SolveArcFlow(search.Model, cutoff, flowMip, deadline);
  Adopt(search, flow.Outcome, flow.Patterns, flow.Bars, flow.StockLength);
  if (flow.Outcome == MipOutcome::Optimal) {
    search.Bound = std::max(search.Bound, flow.StockLength);
  } else if (flow.Outcome == MipOutcome::Infeasible) {
    search.Bound = std::max(search.Bound, cutoff);
  }
  tellBetter();
}

}  // namespace yobina
