// The proven-optimal planner: the plan that uses the least stock under the
// rules a Run's plan keeps, with a lower bound that proves how good it is.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "job/job.h"
#include "plan/cut_plan.h"

namespace yobina {

enum class ExactStatus {
  Proven,    // the plan meets the lower bound: optimal
  Unproven,  // a plan, with a gap (time limit or stop)
  NoPlan,    // proven that no plan exists (stock too short or too few bars)
  NotFound,  // stopped or out of time before any plan was found
  Refused    // the job has no meaningful optimum; Message says why
};

// Called from the planner's thread.
class ExactObserver {
 public:
  virtual ~ExactObserver() = default;
  virtual void BetterPlan(double lossRate) = 0;        // percent, as TCutPlan::LossRate
  virtual void BetterBound(double boundLossRate) = 0;  // percent
};

struct ExactLimits {
  double TimeLimitSeconds = 10;
  // Threads the planner's cases share (1: all on the caller's); more than the
  // machine's cores are never used. The result is the same for any count.
  int32_t Threads = 2;
  // The minimum offcut length (mm): a leftover at least this long is kept as
  // an offcut, a shorter one is scrap. Above 0, the plans of least stock are
  // searched for the least scrap, then the fewest offcuts.
  int32_t OffcutMin = 0;
  // Among the plans of least stock, seek the fewest set-ups (and with offcuts
  // on the least scrap). Off: the plan of least stock as found, its set-ups
  // not proven; for callers that plan many jobs against the clock.
  bool SecondAims = true;
  const std::atomic<bool>* Stop = nullptr;  // set by another thread: end soon with the best so far
};

// The best plan found without the short-first rule.
struct ReferenceFigure {
  double StockLength = 0;  // mm
  double LossRate = 0;     // percent
  bool Proven = false;     // no plan without the rule uses less stock
};

// The saw set-ups of the plan: its patterns, and what is known of the least.
struct SetupCount {
  int32_t Patterns = 0;
  int32_t LowerBound = 0;  // 0: none known; no plan of this stock has fewer
  bool Proven = false;     // Patterns is the least for this stock
};

struct ExactResult {
  ExactStatus Status = ExactStatus::NotFound;
  // PatternCount 0 without a plan; else in report order, every field set as a Run sets it.
  TCutPlan Plan{};
  double BoundLossRate = 0;  // lower bound on the loss rate, percent
  double GapMeters = 0;      // plan's stock length - the bound's, in m (0 when proven)
  // Set when the job has bars both under and over SmallStockLimit and
  // dropping the short-first rule gives a plan of less stock.
  std::optional<ReferenceFigure> WithoutShortFirst;
  SetupCount Setups;
  // With offcuts on: whether the plan's scrap is proven least for its stock.
  std::optional<bool> ScrapProven;  // set with a plan when OffcutMin > 0
  std::string Message;              // code page 932; why Refused
};

// `job` is read, normalised and sorted as a Run leaves it. Deterministic:
// the same job gives the same result on any machine, unless the time limit
// or the stop cuts the work short. Runs on up to two threads besides the caller's.
ExactResult PlanExact(const TJob& job, const ExactLimits& limits, ExactObserver& observer);

}  // namespace yobina
