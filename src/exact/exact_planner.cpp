// The planner's road: a Run's plan to start from, column generation for each
// case of the short-first rule, the integer stage over the generated patterns,
// the arc-flow model where that leaves a gap, then the plan without the rule.
#include "exact/exact_planner.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "exact/arc_flow.h"
#include "exact/coin_solvers.h"
#include "exact/column_generation.h"
#include "exact/integer_stage.h"
#include "exact/job_model.h"
#include "exact/pattern_pricing.h"
#include "exact/plan_assembly.h"
#include "exact/stock_totals.h"
#include "optimizer/optimizer.h"
#include "text/codec.h"

namespace yobina {

namespace {

constexpr int32_t kRunTrials = 100;
// The pricing's tables grow with the longest bar over the pieces' common
// divisor, times the pieces: 64 MB at most.
constexpr int64_t kMaxPricingBytes = int64_t{64} << 20;
// Part of the time limit kept for the plan without the short-first rule.
constexpr double kWithoutRuleShare = 0.25;
constexpr int64_t kNone = std::numeric_limits<int64_t>::max();
// Time for the integer program over the pieces the rounded-down LP leaves.
constexpr double kRestSeconds = 1.0;

// Ends the Run when the planner's time is up.
class DeadlineProgress : public TrialProgress {
 public:
  DeadlineProgress(Optimizer& optimizer, const Deadline& deadline)
      : optimizer_(optimizer), deadline_(deadline) {}
  void ReportTrialProgress(double, int32_t, double) override {}
  void YieldToWindow() override {
    if (deadline_.Passed()) optimizer_.RequestStop();
  }

 private:
  Optimizer& optimizer_;
  const Deadline& deadline_;
};

// The best solution of one model so far and what is proven of it.
struct Incumbent {
  std::vector<CutPattern> Patterns;
  std::vector<int32_t> Bars;
  int64_t StockLength = kNone;
};

struct CaseState {
  CuttingModel Model;
  std::vector<CutPattern> Columns;
  std::vector<double> LpBars;  // the LP's bars per column
  int64_t Bound = 0;           // no plan of this case uses less stock; kNone: the case has no plan
};

// Tells the observer of every rise of the least bound over the cases.
class BoundTracker {
 public:
  BoundTracker(size_t cases, double memberLength, ExactObserver& observer)
      : bounds_(cases, -std::numeric_limits<double>::infinity()),
        memberLength_(memberLength),
        observer_(observer) {}

  void Update(size_t index, double bound) {
    bounds_[index] = std::max(bounds_[index], bound);
    const double least = *std::min_element(bounds_.begin(), bounds_.end());
    if (least > reported_ && least > 0) {
      reported_ = least;
      observer_.BetterBound(LossRateOf(std::ceil(least), memberLength_));
    }
  }

 private:
  std::vector<double> bounds_;
  double reported_ = 0;
  double memberLength_;
  ExactObserver& observer_;
};

// Takes a solution of the case's model when it beats the best.
void Adopt(const CuttingModel& model, MipOutcome outcome, const std::vector<CutPattern>& patterns,
           const std::vector<int32_t>& bars, int64_t stockLength, Incumbent& best) {
  if ((outcome == MipOutcome::Optimal || outcome == MipOutcome::Feasible) && stockLength < best.StockLength &&
      KeepsBarLimits(model, patterns, bars)) {
    best = {patterns, bars, stockLength};
  }
}

// Improves `best` for one case within the deadline and raises its bound
// as far as it gets.
void SolveCase(CaseState& state, Incumbent& best, const Deadline& deadline) {
  if (state.Bound >= best.StockLength || deadline.Passed()) return;
  // The LP's bars rounded down, the few pieces left by a small integer program:
  // a good plan fast, which makes the whole program's search short.
  if (!state.LpBars.empty()) {
    std::vector<int32_t> taken;
    for (double bars : state.LpBars) taken.push_back(static_cast<int32_t>(std::floor(bars + 1e-9)));
    CbcMipSolver restMip(CbcMipSolver::Model::Patterns);
    const Deadline restDeadline(std::min(deadline.SecondsLeft(), kRestSeconds), deadline.StopFlag());
    const IntegerPlan rounded =
        SolvePatternProgram(state.Model, state.Columns, taken, best.StockLength, restMip, restDeadline);
    Adopt(state.Model, rounded.Outcome, rounded.Patterns, rounded.Bars, rounded.StockLength, best);
    if (state.Bound >= best.StockLength || deadline.Passed()) return;
  }
  CbcMipSolver mip(CbcMipSolver::Model::Patterns);
  const IntegerPlan found =
      SolvePatternProgram(state.Model, state.Columns, {}, best.StockLength, mip, deadline);
  Adopt(state.Model, found.Outcome, found.Patterns, found.Bars, found.StockLength, best);
  if (state.Bound >= best.StockLength || deadline.Passed()) return;

  // The generated patterns leave a gap: the arc-flow model holds every pattern.
  CbcMipSolver flowMip(CbcMipSolver::Model::ArcFlow);
  const ArcFlowResult flow = SolveArcFlow(state.Model, best.StockLength, flowMip, deadline);
  Adopt(state.Model, flow.Outcome, flow.Patterns, flow.Bars, flow.StockLength, best);
  if (flow.Outcome == MipOutcome::Optimal) {
    state.Bound = std::max(state.Bound, flow.StockLength);
  } else if (flow.Outcome == MipOutcome::Infeasible) {
    state.Bound = std::max(state.Bound, best.StockLength);  // nothing below the best in this case
  }
}

// Column generation for every case.
void GenerateCaseColumns(std::vector<CaseState>& cases, const std::vector<CutPattern>& start,
                         const Incumbent& best, const Deadline& deadline, BoundTracker* tracker) {
  for (size_t c = 0; c < cases.size(); ++c) {
    CaseState& state = cases[c];
    std::vector<CutPattern> caseStart;
    for (const CutPattern& pattern : start) {
      if (state.Model.Types[pattern.Type].MaxBars > 0) caseStart.push_back(pattern);
    }
    ClpLpSolver lp;
    const ColumnGeneration columns = GenerateColumns(state.Model, caseStart, lp, deadline, [&](double bound) {
      if (tracker != nullptr) tracker->Update(c, bound);
    });
    state.Columns = columns.Patterns;
    state.LpBars = columns.LpBars;
    state.Bound =
        columns.Infeasible ? kNone : RoundUpToStockTotal(state.Model, columns.LowerBound, best.StockLength);
    if (tracker != nullptr)
      tracker->Update(c, state.Bound == kNone ? 1e300 : static_cast<double>(state.Bound));
  }
}

int64_t LeastBound(const std::vector<CaseState>& cases) {
  int64_t least = kNone;
  for (const CaseState& state : cases) least = std::min(least, state.Bound);
  return least;
}

// Solves the cases, the one with the lowest bound first, within the deadline.
void SolveCases(std::vector<CaseState>& cases, Incumbent& best, const Deadline& deadline,
                const std::function<void()>& betterPlan) {
  std::vector<size_t> order(cases.size());
  for (size_t c = 0; c < order.size(); ++c) order[c] = c;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return cases[a].Bound < cases[b].Bound; });
  for (size_t c : order) {
    const int64_t before = best.StockLength;
    SolveCase(cases[c], best, deadline);
    if (best.StockLength < before) betterPlan();
  }
}

}  // namespace

ExactResult PlanExact(const TJob& job, const ExactLimits& limits, ExactObserver& observer) {
  ExactResult result;
  if (const std::optional<std::string> refusal = RefusalOf(job)) {
    result.Status = ExactStatus::Refused;
    result.Message = *refusal;
    return result;
  }
  const CuttingModel model = ModelOf(job);
  if (!EveryPieceFits(model)) {
    result.Status = ExactStatus::NoPlan;
    return result;
  }
  if (PatternPricing(model).TableBytes() > kMaxPricingBytes) {
    result.Status = ExactStatus::Refused;
    result.Message = Cp932("素材が長すぎるため、最適化できません。");
    return result;
  }
  const Deadline deadline(limits.TimeLimitSeconds, limits.Stop);
  const double memberLength = MemberLengthOf(job);
  const bool withoutRule = HasShortStock(model);
  const Deadline ruleDeadline(
      withoutRule ? limits.TimeLimitSeconds * (1 - kWithoutRuleShare) : limits.TimeLimitSeconds, limits.Stop);

  // A Run's plan first: the result is never worse.
  auto optimizer = std::make_unique<Optimizer>();
  TJob work = job;
  DeadlineProgress progress(*optimizer, ruleDeadline);
  optimizer->RunTrials(work, kRunTrials, progress);
  Incumbent best;
  if (optimizer->BestPlan().PatternCount > 0) {
    PlanToPatterns(optimizer->BestPlan(), job, model, best.Patterns, best.Bars);
    // A cut row of negative count ends a Run's plan early, short of other rows' pieces.
    if (SuppliesExactly(model, best.Patterns, best.Bars)) {
      best.StockLength = StockLengthOf(model, best.Patterns, best.Bars);
      observer.BetterPlan(optimizer->BestPlan().LossRate);
    } else {
      best = {};
    }
  }

  std::vector<CaseState> cases;
  for (CuttingModel& caseModel : ShortFirstCases(model)) cases.push_back({std::move(caseModel), {}, {}, 0});
  BoundTracker tracker(cases.size(), memberLength, observer);
  GenerateCaseColumns(cases, best.Patterns, best, ruleDeadline, &tracker);
  const int64_t runStockLength = best.StockLength;
  SolveCases(cases, best, ruleDeadline,
             [&] { observer.BetterPlan(LossRateOf(static_cast<double>(best.StockLength), memberLength)); });

  const int64_t bound = LeastBound(cases);
  if (best.StockLength == kNone) {
    result.Status = bound == kNone ? ExactStatus::NoPlan : ExactStatus::NotFound;
    if (bound != kNone) result.BoundLossRate = LossRateOf(static_cast<double>(bound), memberLength);
    return result;
  }
  std::optional<TCutPlan> plan;
  if (best.StockLength < runStockLength) plan = AssemblePlan(job, model, best.Patterns, best.Bars);
  if (!plan && runStockLength == kNone) return result;  // found, but beyond what a plan holds
  if (!plan) {
    plan = optimizer->BestPlan();
    OrderPlanPatterns(*plan);
    best.StockLength = runStockLength;
  }
  result.Plan = *plan;
  const bool proven = best.StockLength <= bound;
  result.Status = proven ? ExactStatus::Proven : ExactStatus::Unproven;
  result.BoundLossRate = proven ? result.Plan.LossRate : LossRateOf(static_cast<double>(bound), memberLength);
  result.GapMeters = proven ? 0 : static_cast<double>(best.StockLength - bound) / 1000;

  if (withoutRule && !deadline.Passed()) {
    std::vector<CaseState> free{{model, {}, {}, 0}};
    Incumbent freeBest = best;
    GenerateCaseColumns(free, best.Patterns, freeBest, deadline, nullptr);
    SolveCases(free, freeBest, deadline, [] {});
    const double lossRate = LossRateOf(static_cast<double>(freeBest.StockLength), memberLength);
    if (lossRate < result.Plan.LossRate) result.WithoutShortFirstLossRate = lossRate;
  }
  return result;
}

}  // namespace yobina
