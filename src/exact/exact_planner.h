// The proven-optimal planner: the plan that uses the least stock under a Run's
// rules, with a lower bound that proves it or says how far it may be off.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "job/job.h"
#include "optimizer/cut_plan.h"

namespace yobina {

enum class ExactStatus { Proven, Unproven, NoPlan, NotFound, Refused };

class ExactObserver {  // called from the planner's thread
 public:
  virtual ~ExactObserver() = default;
  virtual void BetterPlan(double lossRate) = 0;        // percent
  virtual void BetterBound(double boundLossRate) = 0;  // percent
};

struct ExactLimits {
  double TimeLimitSeconds = 10;
  const std::atomic<bool>* Stop = nullptr;
};

struct ExactResult {
  ExactStatus Status = ExactStatus::NotFound;
  TCutPlan Plan{};           // report order; every TCutPlan field as a Run sets it; PatternCount 0 = none
  double BoundLossRate = 0;  // percent
  double GapMeters = 0;      // m between the plan and the bound (0 when proven)
  std::optional<double> WithoutShortFirstLossRate;
  std::string Message;  // code page 932: why Refused
};

// `job`: read, normalised and sorted exactly as a Run leaves it.
ExactResult PlanExact(const TJob& job, const ExactLimits& limits, ExactObserver& observer);

}  // namespace yobina
