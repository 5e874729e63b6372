// The planner's road: a Run's plan to start from, then every case of the
// short-first rule (and the job without the rule, for the reference figure)
// searched on its own thread: bounds and dives first, then the proofs.
#include "exact/exact_planner.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "exact/case_search.h"
#include "exact/fewest_patterns.h"
#include "exact/job_model.h"
#include "exact/least_scrap.h"
#include "exact/pattern_pricing.h"
#include "exact/plan_assembly.h"
#include "optimizer/optimizer.h"
#include "text/codec.h"

namespace yobina {

namespace {

constexpr int32_t kRunTrials = 100;
// The pricing's tables grow with the longest bar over the pieces' common
// divisor, times the pieces: 64 MB at most.
constexpr int64_t kMaxPricingBytes = int64_t{64} << 20;
// The loss rate (percent) from which a Run keeps no plan.
constexpr double kNoPlanLossRate = 9999;
// The pattern with at most the pieces the model needs.
CutPattern Trimmed(const CuttingModel& model, CutPattern pattern) {
  for (size_t i = 0; i < pattern.Pieces.size(); ++i)
    pattern.Pieces[i] = std::min(pattern.Pieces[i], model.Items[i].Demand);
  return pattern;
}

// Nodes of the search for fewer patterns.
constexpr int64_t kPatternNodes = 1'000;
constexpr int64_t kPricedPatternNodes = 30;
// The most patterns that search takes as its pool (with the patterns under them).
constexpr size_t kPatternPoolSize = 400;
// With offcuts on, the pool may be larger: least scrap hinges on the exact
// patterns, and only a complete pool finds and proves it. The user asked for
// that aim, so it may take the planner a second or two more.
constexpr size_t kScrapPoolSize = 4000;
constexpr int64_t kScrapNodes = 200;
// Without that list, the most patterns priced by the search it takes instead.
constexpr size_t kPricedPoolSize = 60;
// Stages in which the cases pass the best plan on to each other.
constexpr int32_t kCloseRounds = 3;

// Ends the Run when the planner's time is up.
class DeadlineProgress : public TrialProgress {
 public:
  DeadlineProgress(Optimizer& optimizer, const Deadline& deadline)
      : optimizer_(optimizer), deadline_(deadline) {}
  void ReportTrialProgress(double, int32_t, double) override {}
  void Checkpoint() override {
    if (deadline_.Passed()) optimizer_.RequestStop();
  }

 private:
  Optimizer& optimizer_;
  const Deadline& deadline_;
};

// Tells the observer of every rise of the least bound over the cases and of
// every better plan, whichever thread finds it.
class Reporter {
 public:
  Reporter(size_t cases, double memberLength, ExactObserver& observer)
      : bounds_(cases, -std::numeric_limits<double>::infinity()),
        memberLength_(memberLength),
        observer_(observer) {}

  void Bound(size_t index, double bound) {
    const std::lock_guard<std::mutex> lock(mutex_);
    bounds_[index] = std::max(bounds_[index], bound);
    const double least = *std::min_element(bounds_.begin(), bounds_.end());
    if (least > reported_ && least > 0) {
      reported_ = least;
      observer_.BetterBound(LossRateOf(std::ceil(least), memberLength_));
    }
  }

  void Plan(int64_t stockLength) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (stockLength >= bestPlan_) return;
    bestPlan_ = stockLength;
    observer_.BetterPlan(LossRateOf(static_cast<double>(stockLength), memberLength_));
  }

 private:
  std::mutex mutex_;
  std::vector<double> bounds_;
  double reported_ = 0;
  int64_t bestPlan_ = kNoStock;
  double memberLength_;
  ExactObserver& observer_;
};

// Runs every task on up to `most` threads (no more than the machine has
// cores); returns when all are done. Tasks share nothing, so the results
// never depend on which thread ran what.
void RunTasks(const std::vector<std::function<void()>>& tasks, int32_t most) {
  const size_t cores = std::max(1U, std::thread::hardware_concurrency());
  const size_t workers = std::min({cores, static_cast<size_t>(std::max(most, 1)), tasks.size()});
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t t = next++; t < tasks.size(); t = next++) tasks[t]();
  };
  std::vector<std::thread> threads;
  for (size_t w = 1; w < workers; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
}

int64_t LeastBound(const std::vector<CaseSearch>& cases) {
  int64_t least = kNoStock;
  for (const CaseSearch& search : cases) least = std::min(least, search.Bound);
  return least;
}

const Incumbent& BestOf(const std::vector<CaseSearch>& cases, const Incumbent& run) {
  const Incumbent* best = &run;
  for (const CaseSearch& search : cases) {
    if (search.Best.StockLength < best->StockLength) best = &search.Best;
  }
  return *best;
}

// The second aim: the same stock in fewer patterns. The pool is every
// pattern a plan of this stock could use when that list is short enough (then
// the least count is proven), else the patterns the search priced. `plan`
// changes only for a valid plan of the same stock with fewer patterns.
void TakeSecondAims(const TJob& job, const CuttingModel& model, const std::vector<CaseSearch>& cases,
                    const Incumbent& chosen, const ExactLimits& limits, const Deadline& deadline,
                    TCutPlan& plan, ExactResult& result) {
  SetupCount& setups = result.Setups;
  const auto home = std::find_if(cases.begin(), cases.end(), [&](const CaseSearch& search) {
    return KeepsBarLimits(search.Model, chosen.Patterns, chosen.Bars);
  });
  if (home == cases.end() || deadline.Passed()) return;
  // The pool is every pattern a plan of this stock could use, where that list
  // is short; else the patterns the search priced stand in, unproven. With
  // offcuts off the pool holds every pattern under a listed one: that keeps
  // the set-ups' proof to the jobs where it is cheap. With offcuts on, the
  // bound rules most of those out, and a larger pool is affordable.
  SearchBudget budget;
  budget.MaxListed = limits.OffcutMin > 0 ? kScrapPoolSize : kPatternPoolSize;
  const CutShort cutShort = limits.OffcutMin > 0 ? CutShort::WithinBound : CutShort::All;
  std::vector<CutPattern> pool;
  bool complete = false;
  if (std::optional<std::vector<CutPattern>> listed =
          PatternsUpTo(*home, chosen.StockLength, cutShort, budget, deadline)) {
    pool = std::move(*listed);
    complete = true;
  }
  std::vector<CutPattern> priced;
  for (const std::vector<CutPattern>* source : {&home->Columns, &home->Pool}) {
    for (const CutPattern& pattern : *source) {
      if (priced.size() < kPricedPoolSize) priced.push_back(Trimmed(home->Model, pattern));
    }
  }
  if (!complete) pool = priced;
  std::vector<CutPattern> patterns = chosen.Patterns;
  std::vector<int32_t> bars = chosen.Bars;
  TrimSurplus(home->Model, patterns, bars);
  // A pool larger than the set-ups' own (with offcuts on) serves the least
  // scrap alone, with fewer nodes, each dearer; the set-ups are then sought
  // over the priced patterns, unproven.
  const bool large = pool.size() > kPatternPoolSize;
  const int64_t nodes = complete && !large ? kPatternNodes : kPricedPatternNodes;
  std::optional<ScrapScore> score;
  if (limits.OffcutMin > 0) {
    score.emplace(home->Model, limits.OffcutMin);
    const int64_t scrapNodes = !complete ? kPricedPatternNodes : large ? kScrapNodes : kPatternNodes;
    const LeastScrap least = FindLeastScrap(home->Model, *score, patterns, bars, chosen.StockLength, pool,
                                            scrapNodes, complete, deadline);
    if (!least.Patterns.empty()) {
      const std::optional<TCutPlan> candidate = AssemblePlan(job, model, least.Patterns, least.Bars);
      if (candidate && candidate->StockLength == plan.StockLength) {
        plan = *candidate;
        patterns = least.Patterns;
        bars = least.Bars;
      }
    }
    result.ScrapProven = complete && least.Optimal;
  }
  const FewerPatterns fewer = FindFewerPatterns(
      home->Model, patterns, bars, chosen.StockLength, large ? priced : pool, nodes, complete && !large,
      deadline, score ? &*score : nullptr, score ? ScoreOf(*score, patterns, bars) : 0);
  if (!fewer.Patterns.empty()) {
    const std::optional<TCutPlan> candidate = AssemblePlan(job, model, fewer.Patterns, fewer.Bars);
    if (candidate && candidate->StockLength == plan.StockLength &&
        candidate->PatternCount < plan.PatternCount)
      plan = *candidate;
  }
  setups.Patterns = plan.PatternCount;
  if (!complete || large) return;
  setups.LowerBound = std::min(fewer.LowerBound, plan.PatternCount);
  setups.Proven = fewer.Optimal && setups.LowerBound == plan.PatternCount;
}

// The budget of the plan without the short-first rule: a reference figure,
// which must not hold back the answer.
SearchBudget ReferenceBudget() {
  SearchBudget budget;
  budget.ColumnRounds = 2000;
  budget.DiveSteps = 200;
  budget.Dives = 2;
  budget.PackNodes = 40'000;
  budget.EnumerationNodes = 2'000'000;
  budget.MaxListed = 4'000;
  budget.ProofNodes = 2'000;
  budget.PoolNodes = 2'000;
  budget.ArcFlowNodes = 0;
  return budget;
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
  std::vector<CaseSearch> cases;
  for (CuttingModel& caseModel : ShortFirstCases(model)) cases.emplace_back(std::move(caseModel));
  Reporter reporter(cases.size(), memberLength, observer);

  // A Run's plan first: the result is never worse.
  auto optimizer = std::make_unique<Optimizer>();
  TJob work = job;
  DeadlineProgress progress(*optimizer, deadline);
  optimizer->RunTrials(work, kRunTrials, progress);
  Incumbent run;
  if (optimizer->BestPlan().PatternCount > 0) {
    PlanToPatterns(optimizer->BestPlan(), job, model, run.Patterns, run.Bars);
    // A cut row of negative count ends a Run's plan early, short of other rows' pieces.
    if (SuppliesExactly(model, run.Patterns, run.Bars)) {
      run.StockLength = StockLengthOf(model, run.Patterns, run.Bars);
      reporter.Plan(run.StockLength);
    } else {
      run = {};
    }
  }

  // The rule's cases and the job without the rule (when the rule decides
  // anything) are searched side by side; the best plan passes between them
  // only between the stages, so the result never depends on the timing.
  std::vector<CaseSearch> reference;
  if (cases.size() > 1) reference.emplace_back(model);
  const SearchBudget budget;
  const SearchBudget referenceBudget = ReferenceBudget();
  const auto betterPlan = [&](int64_t stockLength) { reporter.Plan(stockLength); };
  std::vector<std::function<void()>> tasks;
  for (size_t c = 0; c < cases.size(); ++c) {
    tasks.emplace_back([&, c] {
      ExploreCase(
          cases[c], run, budget, deadline, [&](double bound) { reporter.Bound(c, bound); }, betterPlan);
    });
  }
  for (CaseSearch& search : reference) {
    tasks.emplace_back([&] {
      ExploreCase(
          search, run, referenceBudget, deadline, [](double) {}, [](int64_t) {});
    });
  }
  RunTasks(tasks, limits.Threads);

  std::vector<int64_t> closedBelow(cases.size(), kNoStock);
  for (int32_t round = 0; round < kCloseRounds; ++round) {
    for (size_t c = 0; c < cases.size(); ++c)
      reporter.Bound(c, cases[c].Bound == kNoStock ? 1e300 : static_cast<double>(cases[c].Bound));
    const int64_t best = BestOf(cases, run).StockLength;
    tasks.clear();
    for (size_t c = 0; c < cases.size(); ++c) {
      // A case is tried again only when another found a better plan since.
      if (cases[c].Bound >= best || best >= closedBelow[c]) continue;
      closedBelow[c] = best;
      tasks.emplace_back([&, c, best] { CloseCase(cases[c], best, budget, deadline, betterPlan); });
    }
    if (round == 0) {
      for (CaseSearch& search : reference) {
        tasks.emplace_back([&, best] { CloseCase(search, best, referenceBudget, deadline, [](int64_t) {}); });
      }
    }
    if (tasks.empty()) break;
    RunTasks(tasks, limits.Threads);
  }

  const Incumbent& best = BestOf(cases, run);
  const int64_t bound = LeastBound(cases);
  if (best.StockLength == kNoStock) {
    result.Status = bound == kNoStock ? ExactStatus::NoPlan : ExactStatus::NotFound;
    if (bound != kNoStock) result.BoundLossRate = LossRateOf(static_cast<double>(bound), memberLength);
    return result;
  }
  std::optional<TCutPlan> plan;
  int64_t stockLength = best.StockLength;
  if (best.StockLength < run.StockLength) plan = AssemblePlan(job, model, best.Patterns, best.Bars);
  if (!plan && run.StockLength == kNoStock) return result;  // found, but beyond what a plan holds
  if (!plan) {
    plan = optimizer->BestPlan();
    OrderPlanPatterns(*plan);
    stockLength = run.StockLength;
  }
  // A Run never takes a plan that loses this much (a tiny piece from a
  // kilometre of bar); neither does this planner.
  if (plan->LossRate >= kNoPlanLossRate) {
    result.Status = ExactStatus::NoPlan;
    return result;
  }
  const Incumbent& chosen = best.StockLength < run.StockLength ? best : run;
  result.Setups = {plan->PatternCount, 0, false};
  if (limits.OffcutMin > 0) result.ScrapProven = false;
  if (limits.SecondAims) TakeSecondAims(job, model, cases, chosen, limits, deadline, *plan, result);
  result.Plan = *plan;
  const bool proven = stockLength <= bound;
  result.Status = proven ? ExactStatus::Proven : ExactStatus::Unproven;
  result.BoundLossRate = proven ? result.Plan.LossRate : LossRateOf(static_cast<double>(bound), memberLength);
  result.GapMeters = proven ? 0 : static_cast<double>(stockLength - bound) / 1000;

  for (const CaseSearch& search : reference) {
    if (search.Best.StockLength >= stockLength) continue;
    result.WithoutShortFirst =
        ReferenceFigure{static_cast<double>(search.Best.StockLength),
                        LossRateOf(static_cast<double>(search.Best.StockLength), memberLength),
                        search.Bound >= search.Best.StockLength};
  }
  return result;
}

}  // namespace yobina
